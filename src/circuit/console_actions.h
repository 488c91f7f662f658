#pragma once
// The operator console's actions on a loaded circuit, without widgets: reset
// press and release, the clock edge and pulses, the input switches and the
// input-bus boxes, with the captions and texts the console shows. Each action
// drives the kernel and then takes its settle report, so that what went wrong
// inside is told once, after the action. Refreshing the views is the
// caller's part.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace circuit {

struct Environment;
struct LoadedCircuit;

// ---- input-bus boxes ----

// The number a bus box's text stands for on a bus of `width` nets: with a
// last "H" hexadecimal from the first min(L, width / 4 + 2) - 1 characters,
// with a last "B" binary from all but the last (any digit 1-9 counts 1),
// otherwise decimal from the first min(L, 1 + the digits of 2^width)
// characters; a character that is no digit of the base counts 0, and a box
// that is empty or holds a suffix alone gives 0. Computed in unsigned 64-bit
// arithmetic, so no text overflows.
uint64_t busBoxNumber(const QString& text, int32_t width);
// The number the first `count` characters of `text` make in `base` (2, 10 or
// 16), each read at its own place: a character that is no digit of the base
// counts 0, and in base 2 any digit 1-9 counts 1.
uint64_t digitsValue(const QString& text, int count, int base);
// The bits a bus of `width` nets carries: all 64 from 64 nets on.
uint64_t busMask(int32_t width);
// "<hexadecimal>H", as a bus box shows a value.
QString busBoxText(uint64_t value);

// ---- clock pulses ----

// The pulse-count box's leading decimal digits; 0 when it has none.
int64_t pulseCount(const QString& text);
// The debug window's line for a pulse command of `pulses` pulses that took
// `toggleSeconds` to toggle and `restSeconds` to refresh and pass terminal
// output on, with `totalSeconds` of toggling so far:
//   0.046875(0.02) 1.500000 00.250000
QString pulseTimingLine(double toggleSeconds, int64_t pulses, double totalSeconds, double restSeconds);
// Seconds on a clock that never goes back.
double monotonicSeconds();

class ConsoleActions {
public:
    ConsoleActions(Environment& env, const LoadedCircuit& circuit) : env_(env), circuit_(circuit) {}

    // ---- captions and texts ----
    QString resetCaption() const;  // "RST 复位"
    QString edgeCaption() const;   // "CP 跳变"
    QString pulseCaption() const;  // "CP 脉冲"
    // "SW1=1": the switch's name and its net's level; empty for no such switch.
    QString switchCaption(int index) const;
    // The bus's value as its nets hold it, the first net the highest bit.
    uint64_t busValue(int index) const;
    QString busText(int index) const { return busBoxText(busValue(index)); }

    // ---- actions ----

    // The reset button pressed: what is queued is dropped, the conflict
    // candidates too, and the reset net turns to its other level.
    void pressReset();
    // Released: the reset net turns back.
    void releaseReset();
    void clockEdge();
    // `pulses` clock pulses (2 x pulses inversions). `afterToggles` (the
    // refresh and the terminal output) runs between the toggling and the end
    // and is timed on its own; returns the timing line, and adds the toggle
    // time to the environment's PulseTimeTotal.
    QString clockPulses(int64_t pulses, const std::function<void()>& afterToggles = {});
    // Turns switch `index`; its new caption, or nothing for an index the
    // console does not have.
    std::optional<QString> toggleSwitch(int index);
    // Drives bus `index` with the value of `text` and settles; the box's new
    // text, or nothing for an index the console does not have.
    std::optional<QString> commitBus(int index, const QString& text);

    // The clock the pulse command is timed on.
    std::function<double()> clock = monotonicSeconds;

private:
    void toggle(int32_t count, int32_t net);

    Environment& env_;
    const LoadedCircuit& circuit_;
};

}  // namespace circuit
