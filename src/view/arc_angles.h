#pragma once
// The angle steps of arcs, elliptical arcs and pies. Angles are decimal
// degrees, counter-clockwise from +X, in single precision as the sheets give
// them.

#include <optional>
#include <string>

namespace view {

// An angle text as a number ("370.5"), read with a decimal point whatever the
// locale; nothing when the text is no finite number.
std::optional<float> parseAngle(const std::string& text);

// v reduced to one turn, keeping its sign: v - 360 x trunc(v / 360), exact.
float ReduceAngle(float v);

// The parameter t of the ellipse point (Rx cos t, Ry sin t) that lies in
// direction `a` (0 <= a < 360) seen from the centre, for ratio = Ry / Rx.
// The quarter axes and negative angles stay as they are.
float EllipseParamAngle(float a, float ratio);

struct ArcEnds {
    float start;
    float end;
    friend bool operator==(const ArcEnds&, const ArcEnds&) = default;
};

// The arc reflected about the vertical axis through its centre: the reflected
// start becomes the end and the reflected end the start. An angle outside
// 0..360 is not reflected and leaves the angle it would replace as it was.
ArcEnds MirrorArcAngles(ArcEnds arc);

}  // namespace view
