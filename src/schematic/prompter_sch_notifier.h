#pragma once
// Shows what a schematic read and a circuit build report in the program's
// message boxes, through the installed prompter.

#include "schematic/build_circuit.h"
#include "schematic/sch_read_notifier.h"
#include "schematic/sch_reader.h"

namespace schematic {

class PrompterSchNotifier : public SchReadNotifier {
public:
    void formatError(SchFormatError error) override;
    void failure(SchFailure failure) override;
    void unknownRecord(std::string_view line) override;
    void unknownRecordCount(int count) override;
};

// Reads the file at `path`, showing the messages in boxes.
int ReadSchFile(SchSheet& sheet, const QString& path);

// Shows the message of a failed build: a sheet that could not be built in the
// reader's form for failures ("信息提示! n"), a refused circuit with what it
// needed and what was left. Nothing for a built circuit.
void ReportCircuitBuildFailure(const CircuitBuildResult& result);

}  // namespace schematic
