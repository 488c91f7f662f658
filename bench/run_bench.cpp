// The continuous run at work on a clocked circuit of 100 ICs (a ring of fifty
// 74LS273 registers whose first one inverts itself through two 74LS04, so that
// every register changes all eight bits at every rising edge, and forty-eight
// 74LS244 buffers reading them): how long a batch of 1280 clock inversions
// takes on the kernel alone, what the run adds to each batch (the ticks, the
// event loop between them, the reports), how many clock inversions per second
// the run reaches, and how long a click waits before it is handled while the
// run goes on.
//
//   run_bench [seconds of run, default 3]

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "bench_timing.h"
#include "silent_prompter.h"
#include "circuit/environment.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/run_parts.h"
#include "schgen/sch_writer.h"
#include "schgen/sheet_draft.h"
#include "sim/simulator.h"

namespace {

using benchtiming::Clock;
using benchtiming::msSince;
using benchtiming::stats;

bool writeRegisterRing(const QString& path) {
    constexpr int kRegD[8] = {3, 4, 7, 8, 13, 14, 17, 18}, kRegQ[8] = {2, 5, 6, 9, 12, 15, 16, 19};
    constexpr int kBufA[8] = {2, 4, 6, 8, 11, 13, 15, 17}, kBufY[8] = {18, 16, 14, 12, 9, 7, 5, 3};
    constexpr int kInvIn[6] = {1, 3, 5, 9, 11, 13}, kInvOut[6] = {2, 4, 6, 8, 10, 12};
    constexpr int kRegisters = 50, kBuffers = 48, kColumns = 10;
    schgen::SheetDraft d(kColumns * 420 + 200, 12 * 320 + 200);
    auto at = [](int i) { return std::pair{100 + (i % kColumns) * 420, 100 + (i / kColumns) * 320}; };
    auto q = [](int reg, int bit) { return "Q" + std::to_string(reg) + "_" + std::to_string(bit); };
    int spot = 0;
    for (int r = 0; r < kRegisters; ++r) {
        const auto [x, y] = at(spot++);
        const int u = d.ic("U" + std::to_string(spot), "74LS273", x, y);
        for (int b = 0; b < 8; ++b) {
            d.net(u, kRegD[b], r == 0 ? "N_" + std::to_string(b) : q(r - 1, b));
            d.net(u, kRegQ[b], q(r, b));
        }
        d.net(u, 11, "CLK");
        d.net(u, 1, "RST");
    }
    for (int i = 0; i < 2; ++i) {
        const auto [x, y] = at(spot++);
        const int u = d.ic("U" + std::to_string(spot), "74LS04", x, y);
        for (int g = 0; g < 4; ++g) {
            d.net(u, kInvIn[g], q(0, 4 * i + g));
            d.net(u, kInvOut[g], "N_" + std::to_string(4 * i + g));
        }
    }
    for (int k = 0; k < kBuffers; ++k) {
        const auto [x, y] = at(spot++);
        const int u = d.ic("U" + std::to_string(spot), "74LS244", x, y);
        for (int b = 0; b < 8; ++b) {
            d.net(u, kBufA[b], q(k, b));
            d.net(u, kBufY[b], "O" + std::to_string(k) + "_" + std::to_string(b));
        }
        d.net(u, 1, "GND");
        d.net(u, 19, "GND");
    }
    d.directive(schematic::SchElementKind::SimStimulus, "CLK(S/C):CLK 0");
    d.directive(schematic::SchElementKind::SimStimulus, "RESET:RST 1");
    return schgen::writeSchFile(d.sheet(), path.toStdString());
}

// A click: an event posted from outside at a moment of its own, stamped.
struct Stamped : QEvent {
    explicit Stamped(Clock::time_point t) : QEvent(QEvent::User), posted(t) {}
    Clock::time_point posted;
};

class ClickCounter : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        waits.push_back(msSince(static_cast<Stamped*>(e)->posted));
        return true;
    }
    std::vector<double> waits;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchtiming::SilentPrompter prompter;
    const double seconds = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 3.0;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ring.sch"));
    if (!writeRegisterRing(path)) return 1;
    circuit::widgets::MDIForm1 frame;
    frame.resize(1600, 1000);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) return 1;
    if (frame.OpenCircuitWindow(path) != 1) return 1;
    frame.lab_AutoAddlab_Click(0);
    QApplication::processEvents();
    circuit::widgets::Form7& w = *frame.circuitWindows().front();
    circuit::Environment& env = frame.environment();
    const int32_t clock = w.Setup().ClockNet;
    std::printf("circuit: %d ICs, %d nets; clock net %d\n", w.circuit().icCount(), w.circuit().signalCount(), clock);

    // The kernel alone.
    std::vector<double> kernel;
    const auto k0 = Clock::now();
    while (msSince(k0) < seconds * 1000 / 3) {
        const auto t = Clock::now();
        env.simulator.ToggleNetAndSettle(circuit::ContinuousRun::kBatchInversions - 1, clock);
        kernel.push_back(msSince(t));
    }
    env.simulator.takeReport();
    const double kernelBatch = stats(kernel).median;

    // The run, its batches timed, with clicks arriving at random moments.
    circuit::ContinuousRun& run = circuit::widgets::RunWindows::of(frame)->session().run();
    const auto kernelBatchFn = run.batch;
    double inBatches = 0;
    run.batch = [&](int32_t net) {
        const auto t = Clock::now();
        kernelBatchFn(net);
        inBatches += msSince(t);
    };
    ClickCounter clicks;
    std::atomic<bool> clicking{true};
    std::thread clicker([&] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> pause(1, 20);
        while (clicking) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
            QCoreApplication::postEvent(&clicks, new Stamped(Clock::now()));
        }
    });

    w.Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    env.StopFlag = 0;
    env.RunClockNet = clock;
    const int64_t before = run.batches();
    const auto r0 = Clock::now();
    frame.parts().startContinuousRun(w);
    while (msSince(r0) < seconds * 1000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    env.stopRun();
    const double wall = msSince(r0);
    clicking = false;
    clicker.join();
    const int64_t batches = run.batches() - before;

    const double perBatch = wall / static_cast<double>(batches);
    const double added = (wall - inBatches) / static_cast<double>(batches);
    const auto c = stats(clicks.waits);
    std::printf("kernel alone:   %.3f ms per batch of 1280 inversions, %.3f million clock inversions per second\n",
                kernelBatch, 1.28 / kernelBatch);
    std::printf("in the run:     %lld batches in %.2f s, %.3f ms per batch, %.3f million clock inversions per second\n",
                static_cast<long long>(batches), wall / 1000, perBatch, 1.28 / perBatch);
    std::printf("the run's own:  %.4f ms per batch, %.2f %% of a batch in the run (%.3f ms)\n", added,
                100 * added / (inBatches / static_cast<double>(batches)), inBatches / static_cast<double>(batches));
    std::printf("clicks:         %zu, waited median %.2f ms, max %.2f ms\n", clicks.waits.size(), c.median, c.max);
    return 0;
}
