#include "view/zoom_tables.h"

#include <algorithm>

namespace view {
namespace {

constexpr float kZoom[] = {0.1f, 0.2f, 0.3f, 0.5f, 0.7f, 1.0f, 1.5f, 2.3f, 3.51f, 5.3f, 8.01f};

constexpr int kLineWidth[7][11] = {
    {1, 1, 1, 1, 1, 1, 2, 2, 4, 5, 8},
    {1, 1, 1, 1, 1, 2, 3, 5, 7, 11, 16},
    {1, 1, 1, 2, 2, 3, 5, 7, 11, 16, 24},
    {1, 1, 1, 2, 3, 4, 6, 9, 14, 21, 32},
    {1, 1, 2, 3, 4, 5, 8, 12, 18, 27, 40},
    {1, 1, 2, 3, 4, 6, 9, 14, 21, 32, 48},
    {1, 1, 2, 4, 5, 7, 11, 16, 25, 37, 56},
};

int levelIndex(int level) { return std::clamp(level, kMinZoomLevel, kMaxZoomLevel) - kMinZoomLevel; }

}  // namespace

float zoomFactor(int level) { return kZoom[levelIndex(level)]; }

int lineWidthPx(int k, int level) { return kLineWidth[std::clamp(k, 1, 7) - 1][levelIndex(level)]; }

}  // namespace view
