// schbuild: reads a schematic file and builds its circuit into a fresh
// simulator, printing what the circuit took. It links the core libraries
// only, so it runs where there is no display and no Qt Gui at all.
//
//   schbuild <sheet.sch>
//
// Prints "ics N signals N fanouts N nets N" and exits 0 when the circuit is
// built; the reader's messages, a build failure or a refused circuit go to
// stderr with exit code 1.

#include <cstdio>
#include <string_view>

#include <QString>

#include "schematic/build_circuit.h"
#include "schematic/circuit_build_report.h"
#include "schematic/sch_reader.h"
#include "sim/simulator.h"

namespace {

class StderrNotifier : public schematic::SchReadNotifier {
public:
    void formatError(schematic::SchFormatError e) override { std::fprintf(stderr, "%s\n", schematic::formatErrorText(e)); }
    void failure(schematic::SchFailure f) override {
        std::fprintf(stderr, "%d: %s\n", schematic::failureNumber(f), schematic::failureDescription(f));
    }
    void unknownRecord(std::string_view line) override {
        std::fprintf(stderr, "unknown record: %.*s\n", int(line.size()), line.data());
    }
    void unknownRecordCount(int count) override { std::fprintf(stderr, "%d unknown records\n", count); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: schbuild <sheet.sch>\n", stderr);
        return 2;
    }
    schematic::SchematicState state;
    StderrNotifier notifier;
    if (schematic::ReadSchFile(state.currentSheet, QString::fromLocal8Bit(argv[1]), notifier) != 1) {
        std::fprintf(stderr, "schbuild: cannot read %s\n", argv[1]);
        return 1;
    }
    sim::Simulator simulator;
    schematic::CircuitSetup setup;
    const schematic::CircuitBuildResult result = schematic::BuildCircuit(simulator, state, setup);
    if (result.failure != schematic::SchFailure::None) {
        notifier.failure(result.failure);
        return 1;
    }
    const schematic::RegistrationResult& room = result.registration;
    const schematic::TableRoom& needed = room.needed;
    if (!result.built) {
        std::fprintf(stderr, "%s\n", schematic::tablesFullText(needed, room.available, room.whole).c_str());
        return 1;
    }
    std::printf("ics %d signals %d fanouts %d nets %zu\n", needed.icNumbers, needed.signalNumbers,
                needed.fanoutRecords, state.circuitBuild.circuitNets.size());
    return 0;
}
