#pragma once
// Data folders of our own for the circuit environment, drafted in code: the
// default circuit with its board drawing, a block diagram, experiment texts
// and memory images, and further circuits for second loads and measurements.
// Tests write them into a temporary program folder; the envdata tool writes
// the same folder for trying the program by hand.

#include <QString>

namespace circuittest {

// The default circuit of the basic folder, under the name the frame loads:
// U1 74LS273 (D7..D0 -> Q7..Q0, CP, RST), U2 and U3 74LS244 onto BUS7..BUS0,
// U4 6116 on the bus with "ram.bin", U5 2732 with "rom.bin", U6 8251 on the
// bus, U7 74LS374; clock CP, reset RST (idle 1), two experiments, the first
// with the block diagram diag1.sch, and the board drawing board.sch.
inline constexpr int kBasicIcCount = 7;

// Writes <home>/data/ with the default circuit and every file it names:
// board.sch, diag1.sch, lab1.rtf, lab1b.rtf, lab2.rtf (missing.rtf is left
// out on purpose), ram.bin (100 bytes, byte i = 0xFF - i) and rom.bin (5000
// bytes, byte i = i & 0xFF). False when a file could not be written.
bool writeBasicData(const QString& home);

// A circuit without experiments: U1 74LS04 with A (an input switch at 0) -> Y.
bool writeInverterCircuit(const QString& path);

// A circuit of `icCount` ICs (74LS273 and 74LS244 in turn, each register
// feeding the next buffer), with a clock, a reset and an input bus; for
// measurements of the load and the refresh.
bool writeLargeCircuit(const QString& path, int icCount);

}  // namespace circuittest
