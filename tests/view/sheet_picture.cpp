#include "sheet_picture.h"

#include <QPainter>

#include "schematic/sch_reader.h"
#include "view/draw_sheet.h"
#include "view/painter_canvas.h"
#include "view/picture_source.h"
#include "support/source_tree.h"

namespace viewtest {

QSize fullPictureSize(const schematic::SchSheet& sheet, const PictureRequest& request) {
    const view::ImageSize image = view::imageSize(sheet, request.level);
    return {image.width / view::kTwipsPerPixel + 2 * request.margin,
            image.height / view::kTwipsPerPixel + 2 * request.margin};
}

QImage renderSheetPicture(const schematic::SchSheet& sheet, const PictureRequest& request, view::DrawOutcome* outcome) {
    const QRect area = request.crop.value_or(QRect(QPoint(0, 0), fullPictureSize(sheet, request)));
    QImage out(area.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    view::PainterCanvas canvas(painter, request.antialiasText);
    view::DataFolderPictures pictures(request.dataFolder);
    view::SheetDrawParams params;
    params.zoomLevel = request.level;
    params.originX = (request.margin - area.x()) * view::kTwipsPerPixel;
    params.originY = (request.margin - area.y()) * view::kTwipsPerPixel;
    params.pictures = &pictures;
    const view::SheetDrawResult result = view::DrawSchSheet(sheet, canvas, params);
    if (outcome) *outcome = result.outcome;
    return out;
}

QString fixturePath(const QString& name) {
    return QString::fromStdString(testsupport::sourceFile("tests/view/fixtures/" + name.toStdString()));
}

QString fixtureDataFolder() {
    return QString::fromStdString(testsupport::sourceFile("tests/view/data"));
}

schematic::SchSheet readFixture(const QString& name) {
    schematic::SchSheet sheet;
    schematic::SilentSchNotifier quiet;
    schematic::ReadSchFile(sheet, fixturePath(name), quiet);
    return sheet;
}

}  // namespace viewtest
