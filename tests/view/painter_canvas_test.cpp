// The QPainter canvas's pixel rules: pens, fills, pies, pictures, and where
// texts land with the bottom text alignment.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "view/painter_canvas.h"

namespace {

using namespace view;

constexpr QRgb kWhite = 0xFFFFFFFF;

struct Surface {
    QImage image{200, 200, QImage::Format_RGB32};
    Surface() { image.fill(Qt::white); }
    int inked(QRect r) const {
        int n = 0;
        for (int y = std::max(0, r.top()); y <= std::min(image.height() - 1, r.bottom()); ++y)
            for (int x = std::max(0, r.left()); x <= std::min(image.width() - 1, r.right()); ++x)
                n += image.pixel(x, y) != kWhite;
        return n;
    }
    // The bounding box of everything drawn.
    QRect ink() const {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
        return box;
    }
};

TwipsPoint tw(double x, double y) { return {static_cast<float>(x * kTwipsPerPixel), static_cast<float>(y * kTwipsPerPixel)}; }

template <class Draw>
Surface paint(Draw draw, bool antialiasText = false) {
    Surface s;
    QPainter p(&s.image);
    PainterCanvas canvas(p, antialiasText);
    draw(canvas);
    return s;
}

TEST(PainterCanvas, ColoursAreRedInTheLowByte) {
    EXPECT_EQ(PainterCanvas::toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(PainterCanvas::toQColor(0xFF0000), QColor(0, 0, 255));
}

TEST(PainterCanvas, DashesShowOnlyOnOnePixelLines) {
    const Surface thin = paint([](SchCanvas& c) {
        c.setDrawStyle(DrawStyle::Dash);
        c.line(tw(10, 50), tw(190, 50));
    });
    EXPECT_GT(thin.inked({10, 50, 181, 1}), 120);
    EXPECT_LT(thin.inked({10, 50, 181, 1}), 170);  // 18 on, 6 off
    EXPECT_EQ(thin.inked({10, 49, 181, 1}) + thin.inked({10, 51, 181, 1}), 0);

    const Surface wide = paint([](SchCanvas& c) {
        c.setDrawStyle(DrawStyle::Dot);
        c.setDrawWidth(3);
        c.line(tw(10, 50), tw(190, 50));
    });
    EXPECT_EQ(wide.inked({10, 50, 181, 1}), 181);  // solid
    EXPECT_GT(wide.inked({10, 49, 181, 1}), 170);  // and three rows wide
    EXPECT_GT(wide.inked({10, 51, 181, 1}), 170);
}

TEST(PainterCanvas, FillsFollowTheFillStyleAndArcsNeverFill) {
    const Surface s = paint([](SchCanvas& c) {
        c.setFillColour(0x00FF00);
        c.setFillStyle(FillStyle::Solid);
        c.circle(tw(50, 50), 20 * kTwipsPerPixel, std::nullopt, std::nullopt);
        c.circle(tw(150, 50), 20 * kTwipsPerPixel, ArcAngles{0, 3.14159}, std::nullopt);
        c.circle(tw(50, 150), 20 * kTwipsPerPixel, ArcAngles{-1e-12, -1.5705}, std::nullopt);
        c.setFillStyle(FillStyle::Transparent);
        c.box(tw(130, 130), tw(170, 170));
    });
    EXPECT_EQ(s.image.pixel(50, 50), qRgb(0, 255, 0));
    EXPECT_EQ(s.image.pixel(150, 45), kWhite);         // inside the upper half-arc
    EXPECT_NE(s.inked({128, 28, 45, 25}), 0);          // but its curve is there
    EXPECT_EQ(s.image.pixel(60, 140), qRgb(0, 255, 0));  // the pie's upper-right quarter
    EXPECT_EQ(s.image.pixel(40, 140), kWhite);
    EXPECT_EQ(s.image.pixel(40, 160), kWhite);
    EXPECT_EQ(s.image.pixel(150, 150), kWhite);
    EXPECT_EQ(s.image.pixel(130, 150), qRgb(0, 0, 0));
    EXPECT_EQ(s.image.pixel(170, 150), qRgb(0, 0, 0));  // the box covers both corners
}

TEST(PainterCanvas, EllipseAspectAndRoundRectEitherWayRound) {
    const Surface s = paint([](SchCanvas& c) {
        c.circle(tw(100, 50), 40 * kTwipsPerPixel, std::nullopt, 0.25f);  // 40 wide, 10 high
        c.roundRect(150, 190, 110, 150, 10, 10);
    });
    EXPECT_EQ(s.ink().left(), 60);
    EXPECT_EQ(s.ink().right(), 149);
    EXPECT_EQ(s.inked({55, 35, 90, 4}), 0);
    EXPECT_NE(s.inked({55, 40, 90, 1}), 0);
    EXPECT_NE(s.inked({110, 170, 1, 1}), 0);           // left edge
    EXPECT_EQ(s.inked({150, 150, 1, 41}), 0);          // the right edge column is left out
    EXPECT_NE(s.inked({149, 170, 1, 1}), 0);
}

TEST(PainterCanvas, PicturesMirrorWithNegativeSizesAndTurnOnParallelograms) {
    QImage pic(2, 1, QImage::Format_RGB32);
    pic.setPixel(0, 0, qRgb(255, 0, 0));
    pic.setPixel(1, 0, qRgb(0, 0, 255));
    const Surface s = paint([&](SchCanvas& c) {
        c.paintPicture(pic, tw(40, 10), 20 * kTwipsPerPixel, 10 * kTwipsPerPixel);
        c.paintPicture(pic, tw(40, 30), -20 * kTwipsPerPixel, 10 * kTwipsPerPixel);  // from x 40 leftwards
        c.plgBlt(pic, {100, 100}, {100, 80}, {110, 100});  // turned a quarter: red at the bottom
    });
    EXPECT_EQ(s.image.pixel(45, 15), qRgb(255, 0, 0));
    EXPECT_EQ(s.image.pixel(55, 15), qRgb(0, 0, 255));
    EXPECT_EQ(s.image.pixel(25, 35), qRgb(0, 0, 255));  // mirrored: the first column at the right
    EXPECT_EQ(s.image.pixel(35, 35), qRgb(255, 0, 0));
    EXPECT_EQ(s.image.pixel(105, 95), qRgb(255, 0, 0));
    EXPECT_EQ(s.image.pixel(105, 85), qRgb(0, 0, 255));
}

TEST(PainterCanvas, PrintedTextStandsOnItsBottomEdgeAndTurnsUpwards) {
    const Surface level = paint([](SchCanvas& c) {
        c.selectFont(FontAttributes{QStringLiteral("Arial"), 20});
        c.setCurrentPoint(tw(30, 60));
        c.print(QStringLiteral("Hg"));
    });
    const QRect a = level.ink();
    EXPECT_GE(a.left(), 30);
    EXPECT_LE(a.bottom(), 60);
    EXPECT_GE(a.top(), 40);

    const Surface up = paint([](SchCanvas& c) {
        c.selectFont(FontAttributes{QStringLiteral("Arial"), 20, 900});
        c.setCurrentPoint(tw(60, 100));
        c.print(QStringLiteral("Hello"));
    });
    const QRect b = up.ink();
    EXPECT_LE(b.right(), 60);  // its bottom edge on the right
    EXPECT_GE(b.left(), 40);
    EXPECT_LE(b.bottom(), 100);
    EXPECT_GT(b.height(), b.width());  // running up the page
}

TEST(PainterCanvas, ATinyFontStaysTiny) {
    const Surface s = paint([](SchCanvas& c) {
        c.selectFont(FontAttributes{QStringLiteral("Arial"), 1});
        c.setCurrentPoint(tw(30, 60));
        c.print(QStringLiteral("WWWWWWWW"));
        EXPECT_FLOAT_EQ(c.textHeight(QStringLiteral("\r\n")), 2 * kTwipsPerPixel);
    });
    EXPECT_LE(s.ink().height(), 2);
}

TEST(PainterCanvas, FrameTextStartsAtTheTopOfItsRectangle) {
    // The first line of the drawn text is the blank one the frame begins
    // with; under the bottom alignment each line stands one line higher, so
    // "A" takes the rectangle's first line.
    for (unsigned format : {0u, unsigned(text_format::NoClip), unsigned(text_format::Center | text_format::WordBreak)}) {
        const Surface s = paint([&](SchCanvas& c) {
            c.selectFont(FontAttributes{QStringLiteral("Arial"), 30});
            c.drawText(QStringLiteral("\r\nA\r\nB"), {20, 50, 180, 180}, format);
        });
        EXPECT_EQ(s.inked({0, 0, 200, 50}), 0) << format;   // nothing above the rectangle
        EXPECT_GT(s.inked({20, 50, 160, 30}), 0) << format;  // "A" in the first line
        EXPECT_GT(s.inked({20, 80, 160, 30}), 0) << format;  // "B" in the second
        EXPECT_EQ(s.inked({0, 110, 200, 90}), 0) << format;
    }
}

TEST(PainterCanvas, FrameTextWrapsClipsAndDropsAPartialLastLine) {
    const auto draw = [](unsigned format) {
        return paint([&](SchCanvas& c) {
            c.selectFont(FontAttributes{QStringLiteral("Arial"), 20});
            c.drawText(QStringLiteral("\r\nword word word word word word"), {20, 20, 100, 65}, format);
        });
    };
    const Surface clipped = draw(text_format::WordBreak);
    EXPECT_EQ(clipped.inked({101, 0, 99, 200}), 0);  // wrapped inside the width
    EXPECT_EQ(clipped.inked({0, 65, 200, 135}), 0);  // clipped at the bottom
    EXPECT_GT(clipped.inked({20, 60, 80, 5}), 0);    // the third line shows in part

    const Surface edit = draw(text_format::WordBreak | text_format::NoClip | text_format::EditControl);
    EXPECT_EQ(edit.inked({0, 60, 200, 140}), 0);  // no partly visible last line

    const Surface free = draw(text_format::WordBreak | text_format::NoClip);
    EXPECT_GT(free.inked({0, 65, 200, 135}), 0);  // runs on below the rectangle
}

TEST(PainterCanvas, PrefixCharactersDisappearUnlessTurnedOff) {
    const auto width = [](unsigned format) {
        return paint([&](SchCanvas& c) {
                   c.selectFont(FontAttributes{QStringLiteral("Arial"), 20});
                   c.drawText(QStringLiteral("\r\n&&&&&&"), {10, 10, 190, 100}, format);
               })
            .ink()
            .width();
    };
    EXPECT_GT(width(text_format::NoPrefix), width(0) * 3 / 2);
}

TEST(PainterCanvas, PatternsAndCornersStayPutWhereTheSurfaceEnds) {
    // The same figures drawn on a whole surface and on a smaller one that
    // shows only a window of them, as a scrolled view does.
    const auto figures = [](SchCanvas& c, double dx, double dy) {
        c.setDrawStyle(DrawStyle::Dot);
        c.box(tw(13 + dx, 17 + dy), tw(171 + dx, 163 + dy));
        c.setDrawStyle(DrawStyle::Dash);
        c.line(tw(5 + dx, 190 + dy), tw(190 + dx, 21 + dy));
        c.line(tw(97 + dx, 3 + dy), tw(97 + dx, 197 + dy));
        c.setDrawStyle(DrawStyle::Solid);
        c.setFillStyle(FillStyle::Solid);
        c.box(tw(40 + dx, 40 + dy), tw(90 + dx, 120 + dy));
    };
    const Surface whole = paint([&](SchCanvas& c) { figures(c, 0, 0); });
    Surface window;
    window.image = QImage(90, 70, QImage::Format_RGB32);
    window.image.fill(Qt::white);
    {
        QPainter p(&window.image);
        PainterCanvas c(p);
        figures(c, -64, -86);
    }
    EXPECT_EQ(window.image, whole.image.copy(64, 86, 90, 70));
}

TEST(PainterCanvas, LeavesOutWhatLiesOutsideTheClip) {
    Surface s;
    QPainter p(&s.image);
    p.setClipRect(QRect(0, 0, 100, 100));
    PainterCanvas canvas(p);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.circle(tw(150, 150), 10 * kTwipsPerPixel, std::nullopt, std::nullopt);
    canvas.line(tw(-1e8, 50), tw(1e8, 50));  // no drawing of a sheet reaches that far
    canvas.line(tw(0, 10), tw(199, 10));
    p.end();
    EXPECT_EQ(s.inked({100, 100, 100, 100}), 0);
    EXPECT_EQ(s.inked({0, 50, 200, 1}), 0);
    EXPECT_EQ(s.inked({0, 10, 200, 1}), 100);
}

}  // namespace
