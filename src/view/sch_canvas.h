#pragma once
// The surface the schematic renderer draws on.
//
// It mirrors the two sets of calls the drawing was designed around: the
// picture box's own calls in twips (lines, boxes, circles and arcs, text at the
// current point, text extents, picture painting) and the device calls in whole
// pixels (polygons, rounded rectangles, Bezier chains, text in a rectangle,
// parallelogram picture copies). Keeping both units in the interface lets
// tests quote the drawing's own numbers.
//
// The drawing state (line width, draw style, colours, fill, selected font,
// current point) lives in the canvas and passes from one element to the next,
// exactly as each element leaves it. Texts are always placed with the bottom
// text alignment: the current point is the left end of the text's bottom edge,
// measured along the text's own direction.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>
#include <QString>

namespace view {

// A colour value 0x00BBGGRR: red in the low byte.
using Colour = uint32_t;

// Twips per pixel, in both directions.
inline constexpr int kTwipsPerPixel = 15;

enum class DrawStyle { Solid = 0, Dash = 1, Dot = 2 };
enum class FillStyle { Solid = 0, Transparent = 1 };

struct TwipsPoint {
    float x = 0;
    float y = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A font as the drawing asks for it: `height` is the character cell height in
// pixels (ascent plus descent), `escapement` the text direction in tenths of a
// degree counter-clockwise.
struct FontAttributes {
    QString face;
    int32_t height = 1;
    int32_t escapement = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontAttributes&, const FontAttributes&) = default;
};

// The start and end of an arc in radians, counter-clockwise from +X. A
// negative angle stands for the same angle taken positively with a straight
// line from the centre to that end; both negative make a closed pie.
struct ArcAngles {
    double start = 0;
    double end = 0;
    friend bool operator==(const ArcAngles&, const ArcAngles&) = default;
};

// Flags of the text-in-rectangle call.
namespace text_format {
inline constexpr unsigned Center = 0x1;
inline constexpr unsigned Right = 0x2;
inline constexpr unsigned WordBreak = 0x10;
inline constexpr unsigned NoClip = 0x100;
inline constexpr unsigned NoPrefix = 0x800;
inline constexpr unsigned EditControl = 0x2000;
}  // namespace text_format

struct CanvasState {
    int drawWidth = 1;
    DrawStyle drawStyle = DrawStyle::Solid;
    Colour foreColour = 0;
    Colour fillColour = 0xFFFFFF;
    FillStyle fillStyle = FillStyle::Transparent;
    FontAttributes font;
    TwipsPoint current;
    friend bool operator==(const CanvasState&, const CanvasState&) = default;
};

class SchCanvas {
public:
    virtual ~SchCanvas() = default;

    const CanvasState& state() const { return state_; }
    void setState(const CanvasState& s) { state_ = s; }

    void setDrawWidth(int px) { state_.drawWidth = px; }
    void setDrawStyle(DrawStyle s) { state_.drawStyle = s; }
    void setForeColour(Colour c) { state_.foreColour = c; }
    void setFillColour(Colour c) { state_.fillColour = c; }
    void setFillStyle(FillStyle s) { state_.fillStyle = s; }
    void selectFont(const FontAttributes& f) { state_.font = f; }
    void setCurrentPoint(TwipsPoint p) { state_.current = p; }

    // --- twips ---
    // A line from a to b; the current point moves to b.
    virtual void line(TwipsPoint a, TwipsPoint b) = 0;
    // A line on from the current point to b.
    void lineTo(TwipsPoint b) { line(state_.current, b); }
    // A box between two corners, outlined in `outline` (the fore colour when
    // not given) and filled by the fill style; the current point moves to b.
    virtual void box(TwipsPoint a, TwipsPoint b, std::optional<Colour> outline = std::nullopt) = 0;
    // A circle or ellipse around c. `aspect` is the vertical over the
    // horizontal semi-axis; `radius` is the larger one. With `arc` only that
    // part is drawn, filled only when it is a pie.
    virtual void circle(TwipsPoint c, float radius, std::optional<ArcAngles> arc, std::optional<float> aspect) = 0;
    // The text at the current point in the selected font and the fore colour.
    virtual void print(const QString& text) = 0;
    // Extents in twips in the selected font: the widest line, and the number
    // of lines (CR LF separated) times the line height.
    virtual float textWidth(const QString& text) = 0;
    virtual float textHeight(const QString& text) = 0;
    // The whole picture stretched to a box at `topLeft` of signed size: a
    // negative width or height mirrors that direction.
    virtual void paintPicture(const QImage& picture, TwipsPoint topLeft, float width, float height) = 0;

    // --- pixels ---
    // Closed outline with the current pen and fill (even-odd).
    virtual void polygon(std::span<const PixelPoint> points) = 0;
    // A rectangle with rounded corners covering the area between the two
    // corners whichever way round; the corner ellipse is ew x eh.
    virtual void roundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) = 0;
    // A chain of cubic segments: the first point, then three points per segment.
    // Never filled.
    virtual void polyBezier(std::span<const PixelPoint> points) = 0;
    // Lines of text laid out in a rectangle with the flags of text_format, in
    // the selected font and the fore colour.
    virtual void drawText(const QString& text, PixelRect rect, unsigned format) = 0;
    // The whole picture copied onto the parallelogram of its upper-left,
    // upper-right and lower-left corners.
    virtual void plgBlt(const QImage& picture, PixelPoint upperLeft, PixelPoint upperRight, PixelPoint lowerLeft) = 0;

protected:
    void moveTo(TwipsPoint p) { state_.current = p; }

private:
    CanvasState state_;
};

}  // namespace view
