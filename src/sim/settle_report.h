#pragma once
// What went wrong inside the kernel since the caller last took the report. The
// kernel never shows anything itself; its caller tells the user once, after the call.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sim {

struct SettleReport {
    // A settle hit the pass limit (the circuit oscillates, e.g. an odd ring of
    // inverters) and was cut short; the queue was emptied and the toggle went on.
    bool oscillation = false;
    int32_t oscillationNet = -1;        // the net whose toggle did not settle
    int64_t oscillationToggles = 0;     // how many toggles were cut short
    // Records that could not be queued: not a record number, or the queue full.
    int64_t droppedRecords = 0;
    // Further drivers not listed as conflict candidates because the list was full.
    int64_t droppedCandidates = 0;
    // Per-driver lookups without a usable entry that queued the net's Fanout instead.
    int64_t fanoutFallbacks = 0;

    // Serial-port errors met by the 8251 model's polls: each error number once, in
    // the order first met, for the caller to report once each after the call.
    std::vector<int32_t> serialErrors;
    int64_t failedSerialPolls = 0;      // polls that failed, repeats included
    // Bytes an 8251 could not keep because its transmit buffer was full.
    int64_t droppedTransmitBytes = 0;

    bool anyDrops() const { return droppedRecords != 0 || droppedCandidates != 0; }

    void addSerialError(int32_t number) {
        ++failedSerialPolls;
        // A failing port fails at every status read; a few distinct numbers are all
        // there is to tell, so the list stays short.
        if (serialErrors.size() < kSerialErrorKinds &&
            std::find(serialErrors.begin(), serialErrors.end(), number) == serialErrors.end()) {
            serialErrors.push_back(number);
        }
    }

    static constexpr std::size_t kSerialErrorKinds = 16;
};

}  // namespace sim
