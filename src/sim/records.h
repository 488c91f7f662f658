#pragma once
// The simulator's records: nets, fanout lists and ICs, as the circuit builder
// writes them and the kernel, the models, the panels and the circuit window read
// them. Field names are those the rest of the program uses at the seam.
//
// Flags are -1 for idle / not queued / released and 0 for listed / queued / driving.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace sim {

inline constexpr int kNetCount = 910;
inline constexpr int kIcCount = 207;
inline constexpr int kFanoutCount = 507;

// "Nothing shown yet" markers of the per-type shown values; each lies outside the
// range of the value it stands for, so the next comparison always finds a change.
inline constexpr int32_t kByteNotShown = 2048;
inline constexpr int32_t kNibbleNotShown = 128;
inline constexpr int32_t kAddressNotShown = -32768;

inline constexpr int kUsartBufferSize = 401;   // transmit buffer 0..400
inline constexpr int kEpromSize = 4096;         // 2732
inline constexpr int kRamSize = 2048;           // 6116
inline constexpr int kAm2901Registers = 16;
inline constexpr int kAm2910StackSize = 5;

// The cells of a memory chip of `type` (2732 or 6116); 0 for any other type.
constexpr int memoryCells(int32_t type) {
    if (type == static_cast<int32_t>(IcType::Eprom2732)) return kEpromSize;
    if (type == static_cast<int32_t>(IcType::Ram6116)) return kRamSize;
    return 0;
}

struct NetRecord {
    // The kernel touches these on every change; they stay together at the front.
    int32_t Value = 0;           // 0 or 1
    int32_t Fanout = 0;          // record listing every IC that reads the net; 0 = none
    int32_t DriverCount = 0;     // pins that can drive the net; 2 or more keeps an owner
    int32_t ActiveDrivers = 0;   // -1 undriven, 0 owner only, n owner + n further drivers;
                                 // on an open-collector net: the number of its drivers
    // Element 0 the owner, then (IC, value) pairs of further drivers; on an
    // open-collector net (IC, level) of every driver. Empty when absent.
    std::vector<int32_t> DriverPairs;
    // Record to queue when driver IC g changes the net, indexed by g; -1 none.
    // Empty when absent (nets without bidirectional pins).
    std::vector<int32_t> DriverFanout;
    int32_t Number = 0;
    std::string Name;            // label names joined by ";"
};

struct FanoutRecord {
    int16_t Unqueued = 0;        // -1 not in the queue, 0 queued
    int32_t Number = 0;
    int32_t IcCount = 0;
    std::vector<int32_t> Ics;    // global IC numbers, evaluated in this order
};

struct IcRecord {
    // Common part; the per-type fields that the 74LS models touch follow at once.
    int16_t Unscheduled = 0;     // -1 idle, 0 listed for the current settle pass
    int16_t Released1 = 0;       // three-state groups: -1 released, 0 driving
    int16_t Released2 = 0;
    int16_t Released3 = 0;
    int16_t Released4 = 0;
    int32_t Number = 0;          // global IC number, also the IC's driver identity
    int32_t Type = 0;            // IcType; any other value has no model
    int32_t InputCount = 0;
    int32_t OutputCount = 0;
    int32_t BidirCount = 0;

    // Clocked parts (74LS273/374/377, GALs, Am2901, Am2910).
    int32_t LastClock = 0;       // clock input at the previous evaluation
    int32_t Q = 0;               // 74LS273/374/377: the stored byte
    int32_t QShown = 0;          // byte last driven onto the outputs; kByteNotShown = none
    int32_t DNext = 0;           // D byte seen at the previous evaluation

    // Net of input / output / bidirectional role k at index k (one spare entry,
    // as the role arrays have one element more than their count).
    std::array<int32_t, kMaxInputs + 1> InputNets{};
    std::array<int32_t, kMaxOutputs + 1> OutputNets{};
    std::array<int32_t, kMaxBidirs + 1> BidirNets{};

    // GAL20V8_1 and GAL20V8_2.
    int32_t RegNext1 = 0;
    int32_t RegNext2 = 0;
    int32_t RegNext3 = 0;
    int32_t RegNext4 = 0;
    int32_t Wait = 0;
    int32_t WaitNext = 0;

    // 8251: Memory is the transmit buffer; 2732 and 6116: Memory is the cells.
    // Values are 32-bit: the memory editor can store more than a byte.
    std::vector<int32_t> Memory;
    int32_t TxLast = 0;          // index of the last buffered byte; -1 empty
    int32_t Command = 0;
    int32_t Status = 0;          // bit 0 transmitter ready, bit 1 receiver ready
    int32_t StatusShown = 0;
    int32_t TxData = 0;
    int32_t RxData = 0;
    int32_t RxShown = 0;
    int32_t WriteServed = 0;     // 8251: -1 while the data write strobe that stored a byte lasts
    int32_t DataShown = 0;       // 2732, 6116

    // Am2901.
    int32_t OperandR = 0;
    int32_t OperandS = 0;
    int32_t ResultF = 0;
    std::array<int32_t, kAm2901Registers> Registers{};
    int32_t QReg = 0;
    int32_t ALatch = 0;
    int32_t BLatch = 0;
    int32_t QNext = 0;
    int32_t YShown = 0;

    // Am2910.
    std::array<int32_t, kAm2910StackSize> Stack{};
    int32_t Counter = 0;
    int32_t MicroPC = 0;
    int32_t StackPointer = 0;
    int32_t NextCounter = 0;
    int32_t NextMicroPC = 0;
    int32_t NextStackPointer = 0;
    int32_t NextStackWord = 0;
    int32_t AddressShown = 0;
};

// Gives a freshly entered IC of IcRecord::Type its start state: idle, the storage
// of its type, and every shown value that can be released at its "none" marker
// (so a first drive of 0 reaches the net and its driver bookkeeping).
void setStartValues(IcRecord& ic);

}  // namespace sim
