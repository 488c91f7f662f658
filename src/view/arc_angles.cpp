#include "view/arc_angles.h"

#include <cmath>

#include <QString>

#include "view/render_context.h"

namespace view {

std::optional<float> parseAngle(const std::string& text) {
    bool ok = false;
    const float v = QString::fromStdString(text).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

float ReduceAngle(float v) { return std::fmod(v, 360.0f); }

float EllipseParamAngle(float a, float ratio) {
    const auto f = [ratio](float d) { return std::atan(std::tan(d * kRadiansPerDegree) / ratio) / kRadiansPerDegree; };
    if (a >= 0 && a < 90) return static_cast<float>(f(a));
    if (a > 90 && a < 180) return static_cast<float>(180 - f(180 - a));
    if (a > 180 && a < 270) return static_cast<float>(180 + f(a - 180));
    if (a > 270 && a < 360) return static_cast<float>(360 - f(360 - a));
    return a;
}

ArcEnds MirrorArcAngles(ArcEnds arc) {
    const auto reflect = [](float a, float& out) {
        if (a >= 0 && a <= 180) out = 180 - a;
        else if (a > 180 && a <= 360) out = 540 - a;
    };
    ArcEnds r = arc;
    reflect(arc.start, r.end);
    reflect(arc.end, r.start);
    return r;
}

}  // namespace view
