// schrender: draws a schematic file into a PNG, for looking at what the
// renderer makes of a sheet.
//
//   schrender <sheet.sch> <out.png> [--level N | --fit WxH] [--crop X,Y,W,H]
//             [--data DIR] [--hard-text]
//
// Without --level the level is the one fit-all picks for a WxH viewport
// (1600x1000 by default). --crop draws only that window of the picture, the
// way a scrolled view draws its viewport. Pictures come from DIR (default: the
// program's data folder).

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <QGuiApplication>
#include <QStringList>

#include "schematic/sch_reader.h"
#include "sheet_picture.h"
#include "view/draw_sheet.h"

namespace {

class StderrNotifier : public schematic::SchReadNotifier {
public:
    void formatError(schematic::SchFormatError e) override { std::fprintf(stderr, "format: %s\n", schematic::formatErrorText(e)); }
    void failure(schematic::SchFailure f) override {
        std::fprintf(stderr, "failure %d: %s\n", schematic::failureNumber(f), schematic::failureDescription(f));
    }
    void unknownRecord(std::string_view line) override {
        std::fprintf(stderr, "unknown record: %.*s\n", int(line.size()), line.data());
    }
    void unknownRecordCount(int) override {}
};

int usage() {
    std::fprintf(stderr,
                 "usage: schrender <sheet.sch> <out.png> [--level N | --fit WxH] [--crop X,Y,W,H] [--data DIR] "
                 "[--hard-text]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) return usage();

    viewtest::PictureRequest request;
    std::optional<int> level;
    int fitW = 1600, fitH = 1000;
    for (qsizetype i = 3; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--level") && !next.isEmpty()) {
            level = next.toInt();
            ++i;
        } else if (a == QLatin1String("--fit") && !next.isEmpty()) {
            const QStringList wh = next.split(QLatin1Char('x'));
            if (wh.size() != 2) return usage();
            fitW = wh[0].toInt();
            fitH = wh[1].toInt();
            ++i;
        } else if (a == QLatin1String("--crop") && !next.isEmpty()) {
            const QStringList r = next.split(QLatin1Char(','));
            if (r.size() != 4) return usage();
            request.crop = QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
            ++i;
        } else if (a == QLatin1String("--data") && !next.isEmpty()) {
            request.dataFolder = next;
            ++i;
        } else if (a == QLatin1String("--hard-text")) {
            request.antialiasText = false;
        } else {
            return usage();
        }
    }

    schematic::SchSheet sheet;
    StderrNotifier notifier;
    if (schematic::ReadSchFile(sheet, args[1], notifier) != 1) {
        std::fprintf(stderr, "schrender: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    request.level = level.value_or(view::fitAllZoomLevel(sheet, double(fitW) * 15, double(fitH) * 15, 0));
    const QSize full = viewtest::fullPictureSize(sheet, request);
    const QSize size = request.crop ? request.crop->size() : full;
    if (qint64(size.width()) * size.height() > 200'000'000 || size.isEmpty()) {
        std::fprintf(stderr, "schrender: a %dx%d picture is too large; use --crop\n", size.width(), size.height());
        return 1;
    }
    view::DrawOutcome outcome{};
    const QImage picture = viewtest::renderSheetPicture(sheet, request, &outcome);
    if (!picture.save(args[2], "PNG")) {
        std::fprintf(stderr, "schrender: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    std::printf("%s: level %d, %dx%d%s\n", qPrintable(args[2]), request.level, picture.width(), picture.height(),
                outcome == view::DrawOutcome::Ended ? ", drawing ended early at bad element data" : "");
    return 0;
}
