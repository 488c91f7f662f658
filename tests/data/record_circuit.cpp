// record_circuit: writes the record of a circuit (its ICs, its nets as the
// pins they join, its experiment settings) to standard output. The data test
// holds the lab's default circuit to tests/data/fixtures/default_circuit.txt;
// after a deliberate change of that circuit, rewrite the record with
//
//   build/tests/data/record_circuit > tests/data/fixtures/default_circuit.txt
//
// and let the change of the file show in the commit.
//
//   record_circuit [SHEET]     (default: the data folder's default circuit)

#include <cstdio>

#include "circuit_record.h"
#include "data_paths.h"
#include "labdata/src/generate.h"
#include "schematic/build_circuit.h"
#include "schematic/recording_notifier.h"
#include "schematic/sch_reader.h"

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fputs("usage: record_circuit [SHEET]\n", stderr);
        return 2;
    }
    const std::string path = argc == 2 ? argv[1] : labtest::defaultCircuit();
    try {
        schematic::SchSheet sheet;
        schematic::RecordingNotifier notifier;
        if (schematic::ReadSchBytes(sheet, labdata::readWholeFile(path), notifier) != 1 || !notifier.events.empty()) {
            std::fprintf(stderr, "record_circuit: %s does not read cleanly\n", path.c_str());
            return 1;
        }
        sim::Simulator simulator;
        schematic::CircuitSetup setup;
        schematic::CircuitBuild build;
        if (!schematic::BuildCircuit(simulator, sheet, setup, build).built) {
            std::fprintf(stderr, "record_circuit: %s does not build\n", path.c_str());
            return 1;
        }
        std::fputs("# The lab's default circuit as built: ICs, nets as the pins they join (supply\n"
                   "# pins left out) with their names, experiment settings. Written by\n"
                   "# build/tests/data/record_circuit; rewrite it only for a deliberate change.\n",
                   stdout);
        std::fputs(labtest::recordText(labtest::recordCircuit(build, setup, simulator)).c_str(), stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "record_circuit: %s\n", e.what());
        return 1;
    }
    return 0;
}
