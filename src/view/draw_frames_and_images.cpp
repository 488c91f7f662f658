// Text frames and images.

#include <algorithm>

#include "view/element_kinds.h"
#include "view/picture_source.h"

namespace view::kinds {

namespace pp = schematic::part_param;

namespace {

}  // namespace

bool drawTextFrame(const RenderContext& ctx, const SchElement& e) {
    // A frame stands at its own coordinates in its own colours, in a part too.
    const FontAttributes* font = ctx.fonts->byId(e.param(8));
    if (!font) return true;
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    const int64_t w = canvas.state().drawWidth;

    const TwipsPoint a = twipsPoint(ctx, e.param(0), e.param(1));
    const TwipsPoint b = twipsPoint(ctx, e.param(2), e.param(3));
    const bool bordered = e.param(10) == 1;
    if (e.param(9) == 1) {
        canvas.setFillStyle(FillStyle::Solid);
        canvas.setFillColour(colour(e.param(6)));
        canvas.setForeColour(colour(bordered ? e.param(5) : e.param(6)));
        canvas.box(a, b);
    } else {
        canvas.setFillStyle(FillStyle::Transparent);
        if (bordered) {
            canvas.setForeColour(colour(e.param(5)));
            canvas.box(a, b);
        }
    }

    // The text stands 5 units and half the border inside the frame; the
    // border is a pixel width, so its half is added in pixels and the inset
    // looks the same at every zoom.
    const int64_t h = w / 2;
    const double z = ctx.zoom;
    const double ox = static_cast<double>(pixelOriginX(ctx));
    const double oy = static_cast<double>(pixelOriginY(ctx));
    const auto px = [](double v) {
        return static_cast<int32_t>(std::clamp<int64_t>(roundHalfEven(v), INT32_MIN, INT32_MAX));
    };
    const PixelRect rect{px(z * (int64_t(e.param(0)) + 5) + double(h) + ox), px(z * (int64_t(e.param(3)) + 5) + double(h) + oy),
                         px(z * (int64_t(e.param(2)) - 5) - double(h) + ox), px(z * (int64_t(e.param(1)) - 5) - double(h) + oy)};

    canvas.setForeColour(colour(e.param(7)));
    canvas.selectFont(*font);

    // Lines are added while they fit; the first line that does not fit is
    // kept and the rest dropped.
    const bool wrap = e.param(12) == 1;
    const bool clip = e.param(13) != 0;
    unsigned format = 0;
    QString text;
    const std::size_t lines = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, e.textCount)), e.texts.size());
    const double availableHeight = (z * e.param(1) + oy - rect.top) * kTwipsPerPixel;
    const double availableWidth = (z * e.param(2) + ox - rect.left) * kTwipsPerPixel;
    for (std::size_t i = 0; i < lines; ++i) {
        text += QStringLiteral("\r\n") + QString::fromStdString(e.texts[i]);
        const double at = canvas.textWidth(QStringLiteral("@"));
        const int64_t height = roundHalfEven(canvas.textHeight(text));
        const int64_t lineHeight = std::max<int64_t>(1, roundHalfEven(canvas.textHeight(QStringLiteral("\r\n"))) / 2);
        const int64_t n = height / lineHeight;
        double need = at * static_cast<double>(n);
        double available = availableHeight;
        if (wrap) {
            need *= canvas.textWidth(text);
            available *= availableWidth;
        }
        if (roundHalfEven(need) > roundHalfEven(available)) {
            if (wrap && !clip) format = text_format::EditControl;
            break;
        }
    }

    switch (e.param(11)) {
        case 0: format |= text_format::Center | text_format::NoPrefix; break;
        case 1: format |= text_format::NoPrefix; break;
        case 2: format |= text_format::Right | text_format::NoPrefix; break;
        default: break;
    }
    if (wrap) format |= text_format::WordBreak;
    if (!clip) format |= text_format::NoClip;
    if (!text.isEmpty()) canvas.drawText(text, rect, format);
    return true;
}

bool drawImage(const RenderContext& ctx, const SchElement& e) {
    SchCanvas& canvas = *ctx.canvas;
    applyWidthClass(ctx, e.param(4));
    canvas.setForeColour(colour(e.param(5)));
    canvas.setFillStyle(FillStyle::Transparent);
    const QImage* picture = ctx.pictures ? ctx.pictures->picture(QString::fromStdString(e.text(0))) : nullptr;
    const bool border = e.param(7) == 1;
    const int64_t x1 = e.param(0), y1 = e.param(1), x2 = e.param(2), y2 = e.param(3);

    if (!drawsInPart(ctx)) {
        if (picture)
            canvas.paintPicture(*picture, twipsPoint(ctx, x1, y2), twipsLength(ctx, double(x2 - x1)),
                                twipsLength(ctx, double(y1 - y2)));
        if (border) canvas.box(twipsPoint(ctx, x1, y1), twipsPoint(ctx, x2, y2));
        return true;
    }

    if (colourOverride(ctx)) canvas.setForeColour(colour(parentParam(ctx, pp::LineColor)));
    if (!parentOrientationValid(ctx)) return true;
    const schematic::PartTransform t = parentTransform(ctx);
    const schematic::SheetPoint ul = t.place(x1, y2);
    const schematic::SheetPoint ur = t.place(x2, y2);
    const schematic::SheetPoint ll = t.place(x1, y1);
    if (picture) {
        if (t.orientation() % 2 == 0) {
            canvas.paintPicture(*picture, twipsPoint(ctx, ul), twipsLength(ctx, double(ur.x - ul.x)),
                                twipsLength(ctx, double(ll.y - ul.y)));
        } else {
            const auto pul = pixelPoint(ctx, ul);
            const auto pur = pixelPoint(ctx, ur);
            const auto pll = pixelPoint(ctx, ll);
            if (pul && pur && pll) canvas.plgBlt(*picture, *pul, *pur, *pll);
        }
    }
    if (border) canvas.box(twipsPoint(ctx, t.place(x1, y1)), twipsPoint(ctx, t.place(x2, y2)));
    return true;
}

}  // namespace view::kinds
