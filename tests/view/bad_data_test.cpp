// Element data no sheet should hold: extreme numbers in every field of every
// kind, at the top level and inside parts with extreme placements, on both
// canvases. Nothing may crash, overflow or hang; the drawing either completes
// or ends cleanly. (Run under the sanitizers, this catches arithmetic that
// would overflow.)

#include <gtest/gtest.h>

#include <climits>

#include <QImage>
#include <QPainter>

#include "view/draw_sheet.h"
#include "view/painter_canvas.h"
#include "view_scene.h"

namespace {

using namespace viewtest;

std::vector<SchElement> hostileElements(int32_t v) {
    std::vector<SchElement> out;
    for (int k = 0; k <= 31; ++k) {
        if (k == 1) continue;  // Parts are made below
        SchElement e = element(static_cast<K>(k), std::vector<int32_t>(40, v), {"370.5", "-1e30", "x&&y", ""});
        e.textCount = v < 0 ? -5 : 3;
        out.push_back(e);
        // The same with its point count small enough to be read.
        SchElement counted = e;
        for (int i : {3, 4, 5}) counted.params[static_cast<std::size_t>(i)] = 7;
        out.push_back(counted);
    }
    return out;
}

TEST(BadData, ExtremeNumbersNeverBreakTheDrawing) {
    for (const int32_t v : {INT32_MAX, INT32_MIN, -1, 0, 1 << 20}) {
        Scene s;
        s.setComponent({hostileElements(v), {}});
        std::vector<SchElement> sheetElements = hostileElements(v);
        for (const int32_t o : {0, 1, 3, 4, -1, v}) {
            SchElement part = partElement(v, v, o, (o & 1) != 0);
            part.params[schematic::part_param::ColorOverride] = 1;
            part.params[schematic::part_param::ShowHidden] = 1;
            part.params[schematic::part_param::DesignatorHidden] = 0;
            sheetElements.push_back(part);
        }
        sheetElements.push_back(partElement(0, 0, 0, false, v, v));  // a part that names nothing
        s.sheet.elements = sheetElements;
        s.sheet.sheetSizeA = v;
        s.sheet.sheetSizeB = v;
        s.sheet.fonts[3].size = v;
        s.sheet.fonts[3].rotation = v;

        for (int level : {-5, 0, 3}) {
            view::RecordingCanvas recording;
            view::DrawSchSheet(s.sheet, recording, {level, v, v, nullptr});
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            view::PainterCanvas canvas(painter);
            view::DrawSchSheet(s.sheet, canvas, {level, v / 2, -(v / 2), nullptr});
            view::DrawSchSheet(s.sheet, canvas, {level, 0, 0, nullptr});
        }
    }
}

TEST(BadData, ExtremeCallsOnThePainterCanvas) {
    QImage image(64, 48, QImage::Format_RGB32);
    QPainter painter(&image);
    view::PainterCanvas canvas(painter);
    view::SchCanvas& c = canvas;
    const float big = 3e38f;
    c.selectFont(view::FontAttributes{QStringLiteral("Arial"), INT32_MAX, INT32_MIN, true, true, true, true});
    c.setDrawWidth(INT32_MAX);
    c.line({-big, -big}, {big, big});
    c.box({-big, 0}, {big, 10});
    c.circle({0, 0}, big, view::ArcAngles{-1e300, 1e300}, 0.0f);
    c.circle({0, 0}, -big, std::nullopt, -big);
    c.setCurrentPoint({big, -big});
    c.print(QStringLiteral("text"));
    c.paintPicture(QImage(2, 2, QImage::Format_RGB32), {0, 0}, big, -big);
    const view::PixelPoint far[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, {0, INT32_MAX}, {INT32_MAX, 0}};
    c.polygon(far);
    c.polyBezier(far);
    c.roundRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX);
    c.plgBlt(QImage(2, 2, QImage::Format_RGB32), far[0], far[1], far[2]);
    c.drawText(QStringLiteral("\r\nA"), {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0);
    c.drawText(QStringLiteral("\r\nA"), {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}, view::text_format::NoClip);
    SUCCEED();
}

}  // namespace
