#pragma once
// A circuit as a circuit window holds it once loaded: the ranges of global
// numbers it took in the simulator's tables and its experiment settings, and
// the steps of its load that touch no widget: reading and building the
// schematic, and bringing the circuit to its power-on state.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

#include "schematic/circuit_build.h"
#include "schematic/circuit_setup.h"

namespace sim {
class Simulator;
}

namespace circuit {

struct Environment;

struct LoadedCircuit {
    int32_t StartIcNumber = 0, EndIcNumber = -1;
    int32_t StartSignalNumber = 0, EndSignalNumber = -1;
    int32_t StartFanoutNumber = 0, EndFanoutNumber = -1;
    // The circuit's last fanout records, one single-IC record per IC: queueing
    // them in turn evaluates every IC once. First > last for a circuit without ICs.
    int32_t SettleFirstFanout = 0, SettleLastFanout = -1;
    schematic::CircuitSetup Setup;
    // The circuit's 8251s, in IC order; each gets a terminal window.
    std::vector<int32_t> usart8251Ics;

    // The circuit's own NC net (its third net).
    int32_t ncNet() const { return StartSignalNumber + 2; }
    int32_t icCount() const { return EndIcNumber - StartIcNumber + 1; }
    int32_t signalCount() const { return EndSignalNumber - StartSignalNumber + 1; }
};

// The circuit the environment opens first, in the program's data folder.
inline const char16_t* const kDefaultCircuitFile = u"联机运行线路+存储器扩展线路 ascii.Sch";

// A file of the program's data folder, found without regard to the case of the
// folder's or the file's name; a '\' in the name separates folders. Nothing
// for a name that leaves the folder (absolute, or with a ".." part) or whose
// file a symbolic link takes out of it: the names come from schematics, and a
// schematic must not make the program read files elsewhere.
std::optional<QString> dataFile(const QString& name);

// Reads the schematic `name` of the data folder into the environment's current
// sheet, as a board drawing or block diagram is read; false for an empty name,
// a name that leaves the folder, or a file that does not read.
bool readDataSheet(Environment& env, const std::string& name);

// Reads the schematic at `path` into the environment's current sheet and builds
// it into the simulator. Nothing when the file is not read (the reader has told
// the user what it found) or the builder refuses the circuit (told once here);
// the simulator's numbers are then unchanged.
std::optional<LoadedCircuit> readAndBuildCircuit(Environment& env, const QString& path);
// The build alone, for a sheet already in the environment's current sheet.
std::optional<LoadedCircuit> buildCurrentSheet(Environment& env);

// The power-on: reset active, every IC evaluated once, the memory images of the
// circuit just built loaded, reset released, every IC evaluated again, the NC
// net back at 0 and the conflicts of all this dropped. A settle cut short is
// reported once at the end.
void powerOn(Environment& env, const LoadedCircuit& circuit);

// Evaluates the ICs of fanout records first..last, one record per settling pass
// (through the spare net). Nothing when first > last.
void SettleFanoutRange(sim::Simulator& simulator, int32_t first, int32_t last);

// Loads each image into its 2732 or 6116 from address 0, up to the chip's size;
// other types are skipped. The first file that cannot be opened or read is
// reported once and ends the loading. False when that happened.
bool LoadMemoryData(sim::Simulator& simulator, const std::vector<schematic::MemImageEntry>& entries);

}  // namespace circuit
