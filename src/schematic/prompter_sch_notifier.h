#pragma once
// Shows what a schematic read reports in the program's message boxes.

#include "schematic/sch_read_notifier.h"

namespace schematic {

class PrompterSchNotifier : public SchReadNotifier {
public:
    void formatError(SchFormatError error) override;
    void failure(SchFailure failure) override;
    void unknownRecord(std::string_view line) override;
    void unknownRecordCount(int count) override;
};

}  // namespace schematic
