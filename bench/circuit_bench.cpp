// The circuit window at work on a circuit of 200 ICs and about 900 nets (two
// inverting chains, every net changes when the chains' inputs do): how long
// its load takes (read, build, power-on, filling and refreshing every view),
// and how long one refresh cycle takes with nothing changed and with every
// net changed.
//
//   circuit_bench [repeats]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "bench_timing.h"
#include "silent_prompter.h"
#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "env_data.h"
#include "schematic/prompter_sch_notifier.h"
#include "sim/simulator.h"

namespace {

using benchtiming::Clock;
using benchtiming::msSince;
using benchtiming::Stats;
using benchtiming::stats;

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchtiming::SilentPrompter prompter;
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.sch"));
    if (!circuittest::writeLargeCircuit(path, 200)) return 1;

    // The load as the frame does it, each time into a fresh frame.
    std::vector<double> loads, builds, reads;
    for (int i = 0; i < std::max(3, repeats / 4); ++i) {
        circuit::widgets::MDIForm1 frame;
        frame.resize(1600, 1000);
        frame.show();
        const auto t0 = Clock::now();
        if (frame.OpenCircuitWindow(path) != 1) return 1;
        loads.push_back(msSince(t0));

        circuit::Environment env;
        const auto t1 = Clock::now();
        if (!circuit::readAndBuildCircuit(env, path)) return 1;
        builds.push_back(msSince(t1));
        schematic::SchSheet sheet;
        const auto t2 = Clock::now();
        if (schematic::ReadSchFile(sheet, path) != 1) return 1;
        reads.push_back(msSince(t2));
    }

    circuit::widgets::MDIForm1 frame;
    frame.resize(1600, 1000);
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) return 1;
    frame.OpenCircuitWindow(path);
    circuit::widgets::Form7& w = *frame.circuitWindows().front();
    frame.lab_AutoAddlab_Click(0);
    QApplication::processEvents();
    sim::Simulator& s = frame.environment().simulator;
    std::printf("circuit: %d ICs, %d nets, %d fanout records\n", w.circuit().icCount(), w.circuit().signalCount(),
                w.circuit().EndFanoutNumber - w.circuit().StartFanoutNumber + 1);

    // The chains' inputs: the nets A0_g and B0_g.
    std::vector<int32_t> inputs;
    for (int32_t n = w.StartSignalNumber(); n <= w.EndSignalNumber(); ++n) {
        const std::string& name = s.NetTable[static_cast<std::size_t>(n)].Name;
        if (name.rfind("A0_", 0) == 0 || name.rfind("B0_", 0) == 0) inputs.push_back(n);
    }

    std::vector<double> quiet, changed;
    int marked = 0;
    for (int i = 0; i < repeats; ++i) {
        w.RefreshAll();  // nothing marked any more
        auto t0 = Clock::now();
        w.RefreshAll();
        quiet.push_back(msSince(t0));

        for (int32_t n : inputs) s.SetNetValue(s.NetTable[static_cast<std::size_t>(n)].Value ^ 1, n);
        s.ToggleNetAndSettle(0, sim::kSpareNet);
        t0 = Clock::now();
        w.RefreshAll();
        changed.push_back(msSince(t0));
        marked = static_cast<int>(w.stateViews().signalList.refresh().size());  // the marks go again
        w.stateViews().icTree.refresh();
    }

    const Stats l = stats(loads), b = stats(builds), r = stats(reads), q = stats(quiet), c = stats(changed);
    std::printf("load of the circuit window:  median %8.2f ms  max %8.2f ms\n", l.median, l.max);
    std::printf("  of which read and build:   median %8.2f ms (the read alone %.2f ms)\n", b.median, r.median);
    std::printf("RefreshAll, nothing changed: median %8.3f ms  max %8.3f ms\n", q.median, q.max);
    std::printf("RefreshAll, every net changed (%d rows): median %8.3f ms  max %8.3f ms\n", marked, c.median, c.max);
    return 0;
}
