// The 8251 USART, 2732 EPROM and 6116 RAM models. They decode bus cycles from
// the levels of their control pins (no timing) and put bytes on eight data pins,
// bit 7 on role 0. Each keeps what it last drove, so an unchanged byte is not
// driven again; a release forgets it, so the next read always drives.

#include <cstddef>

#include "sim/model_helpers.h"
#include "sim/models.h"

namespace sim::models {
namespace {

// The transmit buffer grows past its first 401 entries rather than lose bytes
// the simulated program wrote before the environment passed them on; this bound
// only stops a program that writes without end from taking all memory.
constexpr std::size_t kTransmitBufferLimit = std::size_t{1} << 20;

int32_t cell(const IcRecord& ic, int32_t address) {
    return static_cast<std::size_t>(address) < ic.Memory.size() ? ic.Memory[address] : 0;
}

// ---- 8251 ----
// Roles: inputs 0 WR̅, 1 CS̅, 2 C/D̅, 3 RD̅; bidirectional 0..7 D7..D0.
// StatusShown and RxShown together describe the one byte on the data pins: at
// most one of them holds a value, the register last driven, so a read of the
// other register always drives its own byte.

void releaseUsartBus(Simulator& sim, IcRecord& ic) {
    if (ic.Released1 != 0) return;
    sim.ReleaseBusPins(0, 7, ic);
    ic.Released1 = -1;
    ic.StatusShown = kByteNotShown;
    ic.RxShown = kByteNotShown;
}

void driveUsartBus(Simulator& sim, const IcRecord& ic, int32_t byte) {
    putBits(sim, 0, 8, byte);
    sim.DriveBusPins(0, 7, ic);
}

// Offers the environment's serial input to the receiving 8251. Failures are
// recorded for the caller, which tells the user once after the kernel returns:
// a message box here would run window events inside the settle.
void pollSerialPort(Simulator& sim) {
    if (sim.PortBytePending == 0) {
        if (SerialLink* link = sim.serialLink()) {
            int32_t error = 0;
            const int32_t waiting = link->bytesWaiting(error);
            // A count that fails counts as waiting input; the read then tells.
            if (error != 0 || waiting > 0) {
                int32_t readError = 0;
                const int32_t byte = link->readByte(readError);
                if (readError == 0) {
                    sim.PortByte = byte & 255;
                    sim.PortBytePending = 1;
                }
                if (error == 0) error = readError;
            }
            if (error != 0) sim.noteSerialError(error);
        }
    }
    if (sim.PortBytePending == 1 && sim.Receiving8251Ic != -1) {
        if (sim.Put8251RxByte(sim.Receiving8251Ic, sim.PortByte) == 0) sim.PortBytePending = 0;
    }
}

void storeTransmitByte(Simulator& sim, IcRecord& ic) {
    const std::size_t next = static_cast<std::size_t>(ic.TxLast < 0 ? 0 : ic.TxLast + 1);
    if (next >= ic.Memory.size()) {
        if (next >= kTransmitBufferLimit) {
            sim.noteDroppedTransmitByte();
            return;
        }
        ic.Memory.resize(next + 1, 0);
    }
    ic.TxLast = static_cast<int32_t>(next);
    ic.Memory[next] = ic.TxData;
    sim.Pending8251Ic = ic.Number;
}

// ---- 2732 and 6116 ----

void releaseMemoryPins(Simulator& sim, IcRecord& ic, bool bidirectional) {
    if (ic.Released1 != 0) return;
    if (bidirectional) {
        sim.ReleaseBusPins(0, 7, ic);
    } else {
        sim.ReleaseOutputPins(0, 7, ic);
    }
    ic.Released1 = -1;
    ic.DataShown = kByteNotShown;
}

}  // namespace

void usart8251(Simulator& sim, IcRecord& ic) {
    const bool selected = sim.in(ic, 1) == 0;
    const int32_t controlPort = sim.in(ic, 2);
    const bool read = sim.in(ic, 3) == 0;
    const bool write = sim.in(ic, 0) == 0;
    // The chip is evaluated whenever any pin it reads changes (its clock and
    // reset too), so one data write strobe may see several evaluations; it
    // sends one byte all the same.
    if (!(selected && write && !read && controlPort == 0)) ic.WriteServed = 0;
    if (!selected) {
        releaseUsartBus(sim, ic);
        return;
    }
    if (read == write) return;  // both strobes low or both high: no cycle

    if (read && controlPort == 0) {  // data read
        if (ic.RxData != ic.RxShown) {
            driveUsartBus(sim, ic, ic.RxData);
            ic.RxShown = ic.RxData;
            ic.StatusShown = kByteNotShown;
        }
        ic.Released1 = 0;
        ic.Status &= 253;
    } else if (read) {  // status read; the poll first, so a byte it hands over shows at once
        pollSerialPort(sim);
        if (ic.Status != ic.StatusShown) {
            driveUsartBus(sim, ic, ic.Status);
            ic.StatusShown = ic.Status;
            ic.RxShown = kByteNotShown;
        }
        ic.Released1 = 0;
    } else if (controlPort == 0) {  // data write
        releaseUsartBus(sim, ic);
        if (ic.WriteServed != 0) return;
        ic.WriteServed = -1;
        ic.TxData = bidirValue(sim, ic, 0, 8);
        if ((ic.Command & 1) != 0) storeTransmitByte(sim, ic);
    } else {  // control write: every byte replaces the command, there is no mode byte
        releaseUsartBus(sim, ic);
        ic.Command = bidirValue(sim, ic, 0, 8);
    }
}

// Roles: inputs 0..11 A11..A0, 12 CE̅, 13 OE̅; outputs 0..7 O7..O0. Never written
// through its pins: the cells come from memory images and the ROM panel.
void eprom2732(Simulator& sim, IcRecord& ic) {
    if (sim.in(ic, 12) == 0 && sim.in(ic, 13) == 0) {
        const int32_t value = cell(ic, inputValue(sim, ic, 0, 12));
        if (value != ic.DataShown) {
            putBits(sim, 0, 8, value);
            sim.DriveOutputPins(0, 7, ic);
            ic.DataShown = value;
        }
        ic.Released1 = 0;
    } else {
        releaseMemoryPins(sim, ic, false);
    }
}

// Roles: inputs 0..10 A10..A0, 11 CS̅, 12 OE̅, 13 WE̅; bidirectional 0..7 I/O8..I/O1.
// A write needs OE̅ low as well, and stores at every evaluation while it lasts,
// so the cell follows the bus.
void ram6116(Simulator& sim, IcRecord& ic) {
    if (sim.in(ic, 11) != 0 || sim.in(ic, 12) != 0) {
        releaseMemoryPins(sim, ic, true);
        return;
    }
    const int32_t address = inputValue(sim, ic, 0, 11);
    if (sim.in(ic, 13) == 1) {
        const int32_t value = cell(ic, address);
        if (value != ic.DataShown) {
            putBits(sim, 0, 8, value);
            sim.DriveBusPins(0, 7, ic);
            ic.DataShown = value;
        }
        ic.Released1 = 0;
    } else {
        releaseMemoryPins(sim, ic, true);
        if (static_cast<std::size_t>(address) < ic.Memory.size()) ic.Memory[address] = bidirValue(sim, ic, 0, 8);
    }
}

}  // namespace sim::models
