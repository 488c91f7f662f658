#pragma once
// The inner logic each TTL panel draws inside its package, wired to the pins
// as the chip's datasheet places them.

#include "panels/ttl_panel.h"
#include "panels/widgets/chip_view.h"

namespace panels {

ChipView::LogicPainter ttlLogicPainter(TtlChip chip);

}  // namespace panels
