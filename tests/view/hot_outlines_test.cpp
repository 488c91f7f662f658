// The hot outlines over the drawing, and the viewport picture they are part of.

#include <gtest/gtest.h>

#include <QPainter>

#include "schematic/hot_elements.h"
#include "sheet_picture.h"
#include "view/hot_outlines.h"
#include "view/picture_source.h"
#include "view/recording_canvas.h"
#include "view/viewport_picture.h"

namespace {

TEST(HotOutlines, OneDottedRedBoxPerEntryOnePixelWide) {
    view::RecordingCanvas canvas;
    // What a thick dashed element left behind.
    canvas.setDrawWidth(5);
    canvas.setDrawStyle(view::DrawStyle::Dash);
    canvas.setFillStyle(view::FillStyle::Solid);
    canvas.setForeColour(0x00FF00);
    schematic::HotElementLists lists;
    lists.Boxes = {{10, 20, 60, 20, 4}, {0, 0, 40, 30, 5}, {30, 10, 50, 25, 4 | 0x100000}};
    view::DrawHotOutlines(canvas, lists, 7.5f, 1687, -300);
    ASSERT_EQ(canvas.calls().size(), 3u);
    EXPECT_EQ(canvas.calls()[0].describe(), "box 1762,-150 2137,-150");
    EXPECT_EQ(canvas.calls()[1].describe(), "box 1687,-300 1987,-75");
    EXPECT_EQ(canvas.calls()[2].describe(), "box 1912,-225 2062,-112.5");
    for (const view::RecordedCall& c : canvas.calls()) {
        EXPECT_EQ(c.state.drawWidth, 1);
        EXPECT_EQ(c.state.drawStyle, view::DrawStyle::Dot);
        EXPECT_EQ(c.state.fillStyle, view::FillStyle::Transparent);
        EXPECT_EQ(c.extra, view::kHotOutlineColour);
    }
}

TEST(ViewportPicture, TheCanvasShowsOnlyWhereItLies) {
    // A 100 x 60 unit sheet at level 0 with its canvas at (20, 10) pixels in a
    // 200 x 100 viewport; one hot box inside and one partly beyond the sheet.
    schematic::SchSheet sheet;
    sheet.sheetSizeA = 100;
    sheet.sheetSizeB = 60;
    sheet.sheetColor = 0xE0FFFF;
    sheet.borderColor = 0x000080;
    schematic::HotElementLists lists;
    lists.Boxes = {{10, 10, 30, 30, 1 | 0x100000}, {90, 40, 140, 50, 2 | 0x100000}, {40, 50, 80, 50, 3}, {5, 5, 5, 45, 4}};
    view::ViewGeometry g(1920 * 15, 1080 * 15);
    g.setViewportSize(200 * 15, 100 * 15);
    g.layoutDrawing(sheet, false);
    g.setCanvasPosition(20 * 15, 10 * 15);
    EXPECT_EQ(view::canvasPixelRect(g), QRect(20, 10, 100, 60));

    QImage image(200, 100, QImage::Format_RGB32);
    view::ViewportContent content;
    content.sheet = &sheet;
    content.hotLists = &lists;
    content.background = 0x5A98D2;  // the board view's
    const QRgb background = qRgb(0xD2, 0x98, 0x5A);
    const QRgb sheetColour = qRgb(0xFF, 0xFF, 0xE0);
    const QRgb red = qRgb(0xFF, 0, 0);

    // Nothing drawn yet: background only.
    view::paintViewport(image, g, content);
    EXPECT_EQ(image.pixel(60, 40), background);

    content.drawn = true;
    view::paintViewport(image, g, content);
    EXPECT_EQ(image.pixel(10, 5), background);
    EXPECT_EQ(image.pixel(60, 40), sheetColour);
    EXPECT_EQ(image.pixel(20, 10), qRgb(0x80, 0, 0));  // the sheet's border
    // The first box's top edge is dotted red, and so are the straight wires.
    const auto dots = [&](QPoint from, QPoint step, int n) {
        int count = 0;
        for (int i = 0; i <= n; ++i) count += image.pixel(from + i * step) == red;
        return count;
    };
    EXPECT_GE(dots({30, 20}, {1, 0}, 20), 5);
    EXPECT_LE(dots({30, 20}, {1, 0}, 20), 15);
    EXPECT_GE(dots({60, 60}, {1, 0}, 40), 10);
    EXPECT_GE(dots({25, 15}, {0, 1}, 40), 10);
    EXPECT_EQ(image.pixel(0, 0), background);
    // The second box is cut at the canvas's right edge.
    for (int x = 120; x < 200; ++x) EXPECT_EQ(image.pixel(x, 50), background) << x;
}

TEST(ViewportPicture, AMovedPicturePaintsOnlyWhatItUncovers) {
    // A sheet with texts, turned parts and pictures, with dotted outlines of
    // every length and slant over it.
    const schematic::SchSheet sheet = viewtest::readFixture(QStringLiteral("parts.sch"));
    schematic::HotElementLists lists;
    for (int i = 0; i < 40; ++i)
        lists.Boxes.push_back({i * 23, i * 11, i * 23 + (i % 5) * 17, i * 11 + (i % 3) * 13, i % 2 ? i : i | 0x100000});
    view::ViewGeometry g(1920 * 15, 1080 * 15);
    g.setViewportSize(320 * 15, 240 * 15);
    for (int i = 0; i < 2; ++i) g.stepZoom(+1);
    g.endZoomStep();
    g.layoutDrawing(sheet, false);
    view::DataFolderPictures pictures(viewtest::fixtureDataFolder());
    view::ViewportContent content;
    content.sheet = &sheet;
    content.hotLists = &lists;
    content.pictures = &pictures;
    content.drawn = true;

    const QPoint start(-150, -90);
    const QPoint moves[] = {{10, 0}, {-7, 0}, {0, 13}, {-5, -9}, {31, 17}, {400, 0}, {0, -300}};
    for (const QPoint d : moves) {
        QImage moved(320, 240, QImage::Format_RGB32);
        g.setCanvasPosition(start.x() * 15, start.y() * 15);
        view::paintViewport(moved, g, content);
        g.setCanvasPosition((start.x() + d.x()) * 15, (start.y() + d.y()) * 15);
        for (const QRect& r : view::scrollViewport(moved, d)) view::paintViewport(moved, g, content, r);
        QImage whole(320, 240, QImage::Format_RGB32);
        view::paintViewport(whole, g, content);
        int differ = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) differ += moved.pixel(x, y) != whole.pixel(x, y);
        EXPECT_EQ(differ, 0) << "moved by " << d.x() << "," << d.y();
    }
}

}  // namespace
