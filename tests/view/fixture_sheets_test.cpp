// The fixture sheets drawn whole on the QPainter canvas: they cover every
// element kind, a window of a sheet draws exactly like the same part of the
// whole picture, and the pictures match the references in golden/.
//
// Sheets without text are compared nearly pixel for pixel. Sheets with text
// are compared in small blocks with a tolerance, so another FreeType or font
// version moving glyph pixels does not fail them (even smoothed glyphs against
// hard ones stay within it) while missing, recoloured or moved figures do;
// exact text placement is the recording-canvas tests' business. Set CORVANE_UPDATE_GOLDEN=1 to write the references anew (then look
// at them before committing).

#include <gtest/gtest.h>

#include <set>

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "sheet_picture.h"
#include "view/draw_sheet.h"

namespace {

using schematic::SchElementKind;

const char* const kSheets[] = {"parts.sch", "symbols.sch", "shapes.sch", "frames.sch"};

QString goldenPath(const QString& name) {
    QString dir = viewtest::fixturePath(QString());
    dir.chop(QStringLiteral("fixtures/").size());
    return dir + QStringLiteral("golden/") + name;
}

viewtest::PictureRequest requestAt(int level, std::optional<QRect> crop = std::nullopt) {
    viewtest::PictureRequest r;
    r.level = level;
    r.crop = crop;
    r.antialiasText = false;
    r.dataFolder = viewtest::fixtureDataFolder();
    return r;
}

// Share of pixels whose colour differs by more than `threshold` in a channel.
double differingPixels(const QImage& a, const QImage& b, int threshold) {
    long long differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > threshold || std::abs(qGreen(p) - qGreen(q)) > threshold ||
                std::abs(qBlue(p) - qBlue(q)) > threshold)
                ++differ;
        }
    return double(differ) / (double(a.width()) * a.height());
}

// Share of `block` x `block` squares whose mean colour differs by more than
// `threshold` in a channel.
double differingBlocks(const QImage& a, const QImage& b, int block, int threshold) {
    long long blocks = 0, differ = 0;
    for (int by = 0; by < a.height(); by += block)
        for (int bx = 0; bx < a.width(); bx += block) {
            long long sum[2][3] = {};
            int n = 0;
            for (int y = by; y < std::min(by + block, a.height()); ++y)
                for (int x = bx; x < std::min(bx + block, a.width()); ++x, ++n)
                    for (int k = 0; k < 2; ++k) {
                        const QRgb p = (k ? b : a).pixel(x, y);
                        sum[k][0] += qRed(p);
                        sum[k][1] += qGreen(p);
                        sum[k][2] += qBlue(p);
                    }
            ++blocks;
            for (int c = 0; c < 3; ++c)
                if (std::abs(sum[0][c] - sum[1][c]) > static_cast<long long>(threshold) * n) {
                    ++differ;
                    break;
                }
        }
    return double(differ) / double(blocks);
}

TEST(FixtureSheets, CoverEveryKindAndDrawToTheEnd) {
    std::set<SchElementKind> kinds;
    for (const char* name : kSheets) {
        const schematic::SchSheet sheet = viewtest::readFixture(QString::fromLatin1(name));
        ASSERT_FALSE(sheet.elements.empty()) << name;
        for (const auto& e : sheet.elements) kinds.insert(e.kind);
        for (const auto& c : sheet.comps)
            for (const auto& p : c.parts)
                for (const auto& e : p.elements) kinds.insert(e.kind);
        view::DrawOutcome outcome{};
        viewtest::renderSheetPicture(sheet, requestAt(-2), &outcome);
        EXPECT_EQ(outcome, view::DrawOutcome::Complete) << name;
    }
    for (int k = 1; k <= 30; ++k) {
        if ((k >= 9 && k <= 16)) continue;
        EXPECT_TRUE(kinds.count(static_cast<SchElementKind>(k))) << "no element of kind " << k;
    }
}

TEST(FixtureSheets, AWindowDrawsLikeThatPartOfTheWholePicture) {
    for (const char* name : {"parts.sch", "frames.sch"}) {
        const schematic::SchSheet sheet = viewtest::readFixture(QString::fromLatin1(name));
        const QImage whole = viewtest::renderSheetPicture(sheet, requestAt(2));
        // Even offsets: the pixel calls round halves to even, which a shift by
        // an odd number of pixels would turn the other way.
        for (const QRect window : {QRect(0, 0, 300, 200), QRect(518, 334, 640, 480), QRect(1400, 900, 400, 300)}) {
            const QImage part = viewtest::renderSheetPicture(sheet, requestAt(2, window));
            EXPECT_EQ(differingPixels(part, whole.copy(window), 0), 0.0)
                << name << " window at " << window.x() << "," << window.y();
        }
    }
}

struct Golden {
    const char* sheet;
    int level;
    std::optional<QRect> crop;
    bool hasText;
    const char* file;
};

TEST(FixtureSheets, MatchTheirReferencePictures) {
    const Golden goldens[] = {
        {"shapes.sch", 0, std::nullopt, false, "shapes_level0.png"},
        {"shapes.sch", 3, QRect(2200, 1200, 1000, 800), false, "shapes_level3_window.png"},
        {"parts.sch", 0, std::nullopt, true, "parts_level0.png"},
        {"parts.sch", 3, QRect(150, 150, 900, 700), true, "parts_level3_window.png"},
        {"symbols.sch", 1, std::nullopt, true, "symbols_level1.png"},
        {"frames.sch", 1, std::nullopt, true, "frames_level1.png"},
    };
    const bool update = qEnvironmentVariableIntValue("CORVANE_UPDATE_GOLDEN") == 1;
    for (const Golden& g : goldens) {
        const schematic::SchSheet sheet = viewtest::readFixture(QString::fromLatin1(g.sheet));
        const QImage picture = viewtest::renderSheetPicture(sheet, requestAt(g.level, g.crop));
        const QString path = goldenPath(QString::fromLatin1(g.file));
        if (update) {
            QDir().mkpath(QFileInfo(path).path());
            ASSERT_TRUE(picture.save(path, "PNG")) << g.file;
            continue;
        }
        const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull()) << "no reference picture " << g.file;
        ASSERT_EQ(picture.size(), reference.size()) << g.file;
        if (g.hasText) EXPECT_LE(differingBlocks(picture, reference, 6, 40), 0.005) << g.file;
        else EXPECT_LE(differingPixels(picture, reference, 32), 0.0005) << g.file;
    }
}

}  // namespace
