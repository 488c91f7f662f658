#include "circuit/console_actions.h"

#include <chrono>
#include <cmath>

#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "circuit/table_names.h"
#include "sim/simulator.h"

namespace circuit {

namespace {

// The pulse-count box holds at most eight digits.
constexpr int64_t kMaxPulses = 99'999'999;

int digitOf(QChar c, int base) {
    const char16_t u = c.unicode();
    int v = -1;
    if (u >= u'0' && u <= u'9') v = u - u'0';
    else if (u >= u'A' && u <= u'F') v = u - u'A' + 10;
    else if (u >= u'a' && u <= u'f') v = u - u'a' + 10;
    return v >= 0 && v < base ? v : 0;
}

// How many decimal digits 2^width has.
int powerOfTwoDigits(int32_t width) {
    if (width < 64) return static_cast<int>(QString::number(uint64_t{1} << width).size());
    return static_cast<int>(std::floor(width * std::log10(2.0))) + 1;
}

}  // namespace

uint64_t busBoxNumber(const QString& s, int32_t width) {
    const auto length = static_cast<int>(s.size());
    if (length == 0) return 0;
    const QChar last = s.back();
    const bool hexSuffix = last == QLatin1Char('H') || last == QLatin1Char('h');
    const bool binarySuffix = last == QLatin1Char('B') || last == QLatin1Char('b');
    if ((hexSuffix || binarySuffix) && length == 1) return 0;
    int base = 10, count = 0;
    if (hexSuffix) {
        base = 16;
        count = std::min(length, std::max(width, 0) / 4 + 2) - 1;
    } else if (binarySuffix) {
        base = 2;
        count = length - 1;
    } else {
        count = std::min(length, 1 + powerOfTwoDigits(std::max(width, 0)));
    }
    return digitsValue(s, count, base);
}

uint64_t digitsValue(const QString& text, int count, int base) {
    uint64_t value = 0;
    for (int i = 0; i < std::min(count, static_cast<int>(text.size())); ++i) {
        const QChar c = text[i];
        const int digit = base == 2 ? (c >= QLatin1Char('1') && c <= QLatin1Char('9') ? 1 : 0) : digitOf(c, base);
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    return value;
}

uint64_t busMask(int32_t width) {
    if (width <= 0) return 0;
    return width >= 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1;
}

QString busBoxText(uint64_t value) { return QString::number(value, 16).toUpper() + QLatin1Char('H'); }

int64_t pulseCount(const QString& text) {
    int64_t p = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        p = std::min(kMaxPulses, 10 * p + (c.unicode() - u'0'));
    }
    return p;
}

QString pulseTimingLine(double t, int64_t pulses, double total, double r) {
    QString line = t == 0.0 || pulses == 0
                       ? QStringLiteral("0.000000(0.00)")
                       : QStringLiteral("%1(%2)").arg(t, 0, 'f', 6).arg(t / static_cast<double>(pulses), 0, 'f', 2);
    return line + QStringLiteral(" %1 %2").arg(total, 0, 'f', 6).arg(r, 9, 'f', 6, QLatin1Char('0'));
}

double monotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// ---- ConsoleActions ----

QString ConsoleActions::resetCaption() const {
    return netName(env_.simulator, circuit_.Setup.ResetNet) + QStringLiteral(" 复位");
}
QString ConsoleActions::edgeCaption() const {
    return netName(env_.simulator, circuit_.Setup.ClockNet) + QStringLiteral(" 跳变");
}
QString ConsoleActions::pulseCaption() const {
    return netName(env_.simulator, circuit_.Setup.ClockNet) + QStringLiteral(" 脉冲");
}

QString ConsoleActions::switchCaption(int index) const {
    const auto& switches = circuit_.Setup.InSignals;
    if (index < 0 || index >= static_cast<int>(switches.size()) || switches[static_cast<std::size_t>(index)].Nets.empty())
        return QString();
    const schematic::InSignalEntry& s = switches[static_cast<std::size_t>(index)];
    const int32_t net = s.Nets.front();
    const int32_t level = sim::Simulator::isNet(net) ? env_.simulator.NetTable[static_cast<std::size_t>(net)].Value : 0;
    return QString::fromStdString(s.Name) + QStringLiteral("=%1").arg(level);
}

uint64_t ConsoleActions::busValue(int index) const {
    const auto& buses = circuit_.Setup.InBuses;
    if (index < 0 || index >= static_cast<int>(buses.size())) return 0;
    const std::vector<int32_t>& nets = buses[static_cast<std::size_t>(index)].Nets;
    // The last net is bit 0; nets beyond bit 63 are not read.
    uint64_t value = 0;
    const std::size_t width = nets.size();
    for (std::size_t c = 0; c < width && c < 64; ++c) {
        const int32_t net = nets[width - 1 - c];
        if (sim::Simulator::isNet(net) && env_.simulator.NetTable[static_cast<std::size_t>(net)].Value != 0)
            value |= uint64_t{1} << c;
    }
    return value;
}

void ConsoleActions::toggle(int32_t count, int32_t net) {
    env_.simulator.ToggleNetAndSettle(count, net);
    env_.takeSettleReport();
}

void ConsoleActions::pressReset() {
    sim::Simulator& s = env_.simulator;
    s.discardQueue();
    s.ConflictCandidateCount = -1;
    toggle(0, circuit_.Setup.ResetNet);
}

void ConsoleActions::releaseReset() { toggle(0, circuit_.Setup.ResetNet); }

void ConsoleActions::clockEdge() { toggle(0, circuit_.Setup.ClockNet); }

QString ConsoleActions::clockPulses(int64_t pulses, const std::function<void()>& afterToggles) {
    pulses = std::clamp<int64_t>(pulses, 0, kMaxPulses);
    const double t0 = clock();
    toggle(static_cast<int32_t>(2 * pulses - 1), circuit_.Setup.ClockNet);
    const double t1 = clock();
    if (afterToggles) afterToggles();
    const double t2 = clock();
    const double t = t1 - t0;
    env_.PulseTimeTotal += t;
    return pulseTimingLine(t, pulses, env_.PulseTimeTotal, t2 - t1);
}

std::optional<QString> ConsoleActions::toggleSwitch(int index) {
    const auto& switches = circuit_.Setup.InSignals;
    if (index < 0 || index >= static_cast<int>(switches.size()) || switches[static_cast<std::size_t>(index)].Nets.empty())
        return std::nullopt;
    const schematic::InSignalEntry& entry = switches[static_cast<std::size_t>(index)];
    const int32_t net = entry.Nets.front();
    sim::Simulator& s = env_.simulator;
    const int32_t level = (sim::Simulator::isNet(net) ? s.NetTable[static_cast<std::size_t>(net)].Value : 0) ^ 1;
    s.SetNetValue(level, net);
    toggle(0, sim::kSpareNet);
    return QString::fromStdString(entry.Name) + QStringLiteral("=%1").arg(level);
}

std::optional<QString> ConsoleActions::commitBus(int index, const QString& text) {
    const auto& buses = circuit_.Setup.InBuses;
    if (index < 0 || index >= static_cast<int>(buses.size())) return std::nullopt;
    const std::vector<int32_t>& nets = buses[static_cast<std::size_t>(index)].Nets;
    const auto width = static_cast<int32_t>(nets.size());
    const uint64_t value = busBoxNumber(text, width) & busMask(width);
    sim::Simulator& s = env_.simulator;
    for (int32_t c = 0; c < width; ++c) {
        const int32_t bit = c < 64 ? static_cast<int32_t>((value >> c) & 1u) : 0;
        s.SetNetValue(bit, nets[static_cast<std::size_t>(width - 1 - c)]);
    }
    toggle(0, sim::kSpareNet);
    return busBoxText(value);
}

}  // namespace circuit
