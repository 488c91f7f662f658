#pragma once
// Memory data files: the console's load and save buttons move the cells of a
// group of memory chips (a LoadMemData or SaveMemData entry) to and from a
// code file of one block, whose start word is the memory address + 2048 and
// whose locations hold one byte per chip of the entry, in the entry's order.
// A chip takes part when it is a 2732 or a 6116 flagged "U"; the others keep
// their byte's place in the file.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "schematic/circuit_setup.h"

namespace sim {
class Simulator;
}

namespace circuit {

struct Environment;

// The file's start word is the memory address + this.
inline constexpr int32_t kMemoryDataAddressOffset = 2048;

// The number of cells of a 2732 (4096) or 6116 (2048); 0 for any other IC.
int32_t memoryChipSize(const sim::Simulator& simulator, int32_t ic);
bool chipTakesPart(const sim::Simulator& simulator, const schematic::MemDataEntry& entry, int32_t k);
// The address limit M: the first chip's size when it takes part, else 0;
// lowered to the size of every further chip that takes part and is smaller.
int32_t memoryAddressLimit(const sim::Simulator& simulator, const schematic::MemDataEntry& entry);

// The address boxes' number rule. The answer is trimmed; shorter than two
// characters (empty and cancelled included) it keeps the default: nullopt.
// A last "H"/"h" reads up to 4 hexadecimal digits before it, a last "B"/"b"
// up to 16 bits (a digit 1..9 counts 1), anything else up to 5 decimal
// digits; a character that is not a digit of the base counts 0 in its place.
std::optional<int32_t> addressBoxNumber(const QString& answer);

// The address a load proposes for a file's start word: the word - 2048 when
// it is at least 2048, the word itself below that; 0 when that is not below
// `limit`, and 0 for a word of 0x8000 and more.
int32_t proposedLoadAddress(uint16_t startWord, int32_t limit);

enum class MemoryLoad { Loaded, NotMemoryData };

// Loads a memory data file's bytes into the entry's chips. `chooseStart` gets
// the address the file proposes and the limit M and gives the start address.
// Writing stops at the file's end and when an address reaches a chip's size.
// NotMemoryData (nothing written, nothing asked) when the first byte is not 1.
MemoryLoad loadMemoryData(sim::Simulator& simulator, const schematic::MemDataEntry& entry,
                          std::span<const uint8_t> file,
                          const std::function<int32_t(int32_t proposed, int32_t limit)>& chooseStart);

// The file a save of `count` locations from `start` writes. A chip that does
// not take part repeats the byte written just before it (0 at first); the data
// ends for good where an address reaches a taking chip's size.
std::vector<uint8_t> memoryDataFile(const sim::Simulator& simulator, const schematic::MemDataEntry& entry,
                                    int32_t start, int32_t count);

// The load button of LoadMems entry `index`: the file dialog, the start
// address box, the load, and the messages. Nothing for an index the setup
// does not have. The file dialogs of both buttons open in the program's data
// folder, where the lab's memory data lies, until a file has been chosen;
// then in that file's folder.
void loadMemoryDataCommand(Environment& environment, const schematic::CircuitSetup& setup, int index);
// The save button of SaveMems entry `index`: the start and length boxes, the
// file dialog, the save, and the messages.
void saveMemoryDataCommand(Environment& environment, const schematic::CircuitSetup& setup, int index);

}  // namespace circuit
