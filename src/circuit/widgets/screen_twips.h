#pragma once
// Design sizes are in twips; the screen works in pixels.

#include "platform/twips.h"

namespace circuit::widgets {

inline int twipsPx(int twips) { return platform::twipsToPx(twips, platform::screenTwipsPerPixel()); }

}  // namespace circuit::widgets
