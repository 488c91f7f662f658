// Feeds arbitrary bytes to the schematic reader: it must never crash, hang or
// allocate without bound, a successful read must be well formed and a failed
// one must leave the sheet empty.

#include "schematic/sch_invariants.h"
#include "schematic/sch_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace schematic;
    SchSheet sheet;
    SilentSchNotifier notifier;
    const int result = ReadSchBytes(sheet, std::string_view(reinterpret_cast<const char*>(data), size), notifier);
    if (result == 1) {
        const std::string error = sheetShapeError(sheet);
        if (!error.empty()) {
            std::fprintf(stderr, "malformed sheet after a successful read: %s\n", error.c_str());
            std::abort();
        }
    } else if (result != 0 || !sheet.empty()) {
        std::fprintf(stderr, "failed read left result %d and a non-empty sheet\n", result);
        std::abort();
    }
    return 0;
}
