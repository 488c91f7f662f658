// Time of the circuit builder (element scan, net building, registration and
// setup) on generated lab sheets of growing size. Sheets of 1x, 4x and 16x
// the IC table (200, 800 and 3200 ICs) are built into a simulator whose
// tables are enlarged to hold them, so the time per sheet element shows how
// the builder scales; 84 and 168 ICs are the sizes of earlier measurements.
//
// Usage: circuit_build_bench [seconds per sheet, default 1]
//        circuit_build_bench --ics N   (one sheet of N ICs into the real tables)
//        circuit_build_bench --repeat N ICS   (N builds of one sheet, for profilers)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "schematic/build_circuit.h"
#include "schematic/generated_sheet.h"
#include "schematic/net_building.h"
#include "sim/simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

// A simulator with tables far larger than the program's, for sheets that
// would not fit them.
std::unique_ptr<sim::Simulator> roomySimulator(int ics) {
    auto s = std::make_unique<sim::Simulator>();
    const auto n = static_cast<std::size_t>(std::max(ics, 1));
    s->IcTable = sim::FixedTable<sim::IcRecord>(std::max<std::size_t>(sim::kIcCount, 2 * n));
    s->IcDesignators.resize(s->IcTable.size());
    s->NetTable = sim::FixedTable<sim::NetRecord>(std::max<std::size_t>(sim::kNetCount, 20 * n));
    s->FanoutTable = sim::FixedTable<sim::FanoutRecord>(std::max<std::size_t>(sim::kFanoutCount, 10 * n));
    return s;
}

struct Timing {
    double buildMs = 0;    // median of the whole build
    double extractMs = 0;  // median of scan and net building alone
    bool built = false;
    std::size_t nets = 0;
};

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Timing timeSheet(const schematic::SchSheet& sheet, int ics, double seconds, bool roomy) {
    Timing t;
    std::vector<double> builds, extracts;
    const auto start = Clock::now();
    while (builds.size() < 3 || std::chrono::duration<double>(Clock::now() - start).count() < seconds) {
        auto s = roomy ? roomySimulator(ics) : std::make_unique<sim::Simulator>();
        schematic::CircuitSetup setup;
        schematic::CircuitBuild build;
        const auto a = Clock::now();
        const schematic::CircuitBuildResult r = schematic::BuildCircuit(*s, sheet, setup, build);
        const auto b = Clock::now();
        builds.push_back(std::chrono::duration<double, std::milli>(b - a).count());
        t.built = r.built;
        t.nets = build.circuitNets.size();

        const auto c = Clock::now();
        const schematic::CircuitExtraction x = schematic::ExtractCircuit(sheet);
        const auto d = Clock::now();
        extracts.push_back(std::chrono::duration<double, std::milli>(d - c).count());
        if (builds.size() >= 200) break;
    }
    t.buildMs = medianOf(builds);
    t.extractMs = medianOf(extracts);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--ics") == 0) {
        const int ics = std::atoi(argv[2]);
        const schematic::SchSheet sheet = schematic::schtest::generatedLabSheet({.ics = ics, .seed = 7});
        const auto a = Clock::now();
        sim::Simulator s;
        schematic::CircuitSetup setup;
        schematic::CircuitBuild build;
        const schematic::CircuitBuildResult r = schematic::BuildCircuit(s, sheet, setup, build);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - a).count();
        std::printf("%d ICs, %zu elements: %s in %.1f ms (needs %d ICs, %d signals, %d fanout records)\n", ics,
                    sheet.elements.size(), r.built ? "built" : "refused", ms, r.registration.needed.icNumbers,
                    r.registration.needed.signalNumbers, r.registration.needed.fanoutRecords);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0) {
        const int ics = std::atoi(argv[3]);
        const schematic::SchSheet sheet = schematic::schtest::generatedLabSheet({.ics = ics, .seed = 7});
        double total = 0, extract = 0;
        for (int i = 0; i < std::atoi(argv[2]); ++i) {
            auto s = roomySimulator(ics);
            schematic::CircuitSetup setup;
            schematic::CircuitBuild build;
            const auto a = Clock::now();
            schematic::BuildCircuit(*s, sheet, setup, build);
            const auto b = Clock::now();
            const schematic::CircuitExtraction x = schematic::ExtractCircuit(sheet);
            total += std::chrono::duration<double, std::milli>(b - a).count();
            extract += std::chrono::duration<double, std::milli>(Clock::now() - b).count();
        }
        std::printf("%.2f ms per build, %.2f ms per extraction\n", total / std::atoi(argv[2]), extract / std::atoi(argv[2]));
        return 0;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    struct Size {
        const char* what;
        int ics;
    } sizes[] = {{"", 84}, {"", 168}, {"1x", 200}, {"4x", 800}, {"16x", 3200}};

    std::printf("%-4s %6s %9s %7s %12s %12s %14s %s\n", "size", "ICs", "elements", "nets", "build ms", "nets ms",
                "build us/elem", "");
    double perElement1x = 0, perElement16x = 0;
    for (const Size& size : sizes) {
        const schematic::SchSheet sheet = schematic::schtest::generatedLabSheet({.ics = size.ics, .seed = 7});
        const Timing t = timeSheet(sheet, size.ics, seconds, true);
        const double perElement = 1000.0 * t.buildMs / double(sheet.elements.size());
        if (size.ics == 200) perElement1x = perElement;
        if (size.ics == 3200) perElement16x = perElement;
        std::string note = t.built ? "" : "not built";
        if (size.ics <= 200) {
            const Timing real = timeSheet(sheet, size.ics, seconds, false);
            note += real.built ? "fits the real tables: " + std::to_string(real.buildMs) + " ms" : "does not fit the real tables";
        }
        std::printf("%-4s %6d %9zu %7zu %12.2f %12.2f %14.2f %s\n", size.what, size.ics, sheet.elements.size(), t.nets,
                    t.buildMs, t.extractMs, perElement, note.c_str());
        std::fflush(stdout);
    }
    std::printf("time per element, 16x over 1x: %.2f\n", perElement16x / perElement1x);
    return 0;
}
