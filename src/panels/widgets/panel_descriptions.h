#pragma once
// The fixed texts beside each chip drawing: what the chip is, its pins, its
// truth table, and how the panel is worked.

#include <QString>

#include "panels/memory_panel.h"
#include "panels/ttl_panel.h"

namespace panels {

QString ttlDescriptionHtml(TtlChip chip);
QString memoryDescriptionHtml(MemoryChip chip);

}  // namespace panels
