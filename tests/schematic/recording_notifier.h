#pragma once
// Collects what a schematic read reports, as short readable lines.

#include "schematic/sch_read_notifier.h"

#include <string>
#include <vector>

namespace schematic {

class RecordingNotifier : public SchReadNotifier {
public:
    std::vector<std::string> events;

    void formatError(SchFormatError error) override { events.push_back(std::string("format: ") + formatErrorText(error)); }
    void failure(SchFailure failure) override {
        events.push_back("failure: " + std::to_string(failureNumber(failure)) + ": " + failureDescription(failure));
    }
    void unknownRecord(std::string_view line) override { events.push_back("unknown: " + std::string(line)); }
    void unknownRecordCount(int count) override { events.push_back("count: " + std::to_string(count)); }
};

inline std::string formatEvent(SchFormatError e) { return std::string("format: ") + formatErrorText(e); }
inline std::string failureEvent(SchFailure f) {
    return "failure: " + std::to_string(failureNumber(f)) + ": " + failureDescription(f);
}

}  // namespace schematic
