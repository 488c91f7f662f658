#pragma once
// The fixed texts beside each chip drawing: what the chip is, its pins, its
// truth table, and how the panel is worked.

#include <QString>

#include "panels/ttl_panel.h"

namespace panels {

QString ttlDescriptionHtml(TtlChip chip);

}  // namespace panels
