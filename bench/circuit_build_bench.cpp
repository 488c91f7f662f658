// Time of the circuit builder (element scan, net building, registration and
// setup) on generated lab sheets of growing size, elements in scrambled file
// order. Sheets of 1x, 4x and 16x the IC table (200, 800 and 3200 ICs) are
// built into a simulator whose tables are enlarged to hold them, so the time
// per sheet element shows how the builder scales; 84 and 168 ICs are the
// sizes of earlier measurements. The sizes take turns, round after round, so
// that a busy machine slows them alike; every build starts with cold caches.
// Freed memory stays with the process (no trimming, no separately mapped
// blocks), so a large sheet is not charged again and again for the kernel
// handing out fresh pages, which a small one, served from the heap it keeps,
// would escape.
//
// Usage: circuit_build_bench [rounds, default 15]
//        circuit_build_bench --ics N          (one sheet of N ICs into the real tables)
//        circuit_build_bench --repeat N ICS   (N builds of one sheet, for profilers)
//        circuit_build_bench --before         (84 to 800 ICs, the former builder against this one)

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "schematic/build_circuit.h"
#include "schematic/generated_sheet.h"
#include "schematic/net_building.h"
#include "sim/simulator.h"
#include "reference_circuit_builder.h"

namespace {

// Processor time of this thread in milliseconds: on a shared machine, time
// spent waiting for a processor would swamp what is measured.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return 1e3 * double(t.tv_sec) + 1e-6 * double(t.tv_nsec);
}

double cpuMsSince(double start) { return cpuMs() - start; }

schematic::SchSheet sheetOf(int ics) { return schematic::schtest::generatedLabSheet({.ics = ics, .seed = 7}); }

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

// A build after reading a file finds little of the sheet in the cache; a
// small sheet built again and again would find all of it.
void evictCaches() {
    static std::vector<char> junk(64u << 20);
    for (std::size_t i = 0; i < junk.size(); i += 64) junk[i] = static_cast<char>(junk[i] + 1);
}

struct Sample {
    double buildMs = 0;
    double netsMs = 0;  // scan and net building alone
    schematic::CircuitBuildResult result;
    std::size_t nets = 0;
};

Sample buildOnce(const schematic::SchSheet& sheet, int ics, bool roomy) {
    Sample sample;
    auto s = roomy ? roomySimulator(ics) : std::make_unique<sim::Simulator>();
    schematic::CircuitSetup setup;
    schematic::CircuitBuild build;
    evictCaches();
    const auto a = cpuMs();
    sample.result = schematic::BuildCircuit(*s, sheet, setup, build);
    sample.buildMs = cpuMsSince(a);
    sample.nets = build.circuitNets.size();
    evictCaches();
    const auto b = cpuMs();
    const schematic::CircuitExtraction x = schematic::ExtractCircuit(sheet);
    sample.netsMs = cpuMsSince(b);
    return sample;
}

double median(const std::vector<double>& v) { return benchtiming::stats(v).median; }

double minimum(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    if (argc == 3 && std::strcmp(argv[1], "--ics") == 0) {
        const int ics = std::atoi(argv[2]);
        const schematic::SchSheet sheet = sheetOf(ics);
        const Sample s = buildOnce(sheet, ics, false);
        const schematic::TableRoom& need = s.result.registration.needed;
        std::printf("%d ICs, %zu elements: %s in %.1f ms (needs %d ICs, %d signals, %d fanout records)\n", ics,
                    sheet.elements.size(), s.result.built ? "built" : "refused", s.buildMs, need.icNumbers,
                    need.signalNumbers, need.fanoutRecords);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0) {
        const int ics = std::atoi(argv[3]);
        const int times = std::max(1, std::atoi(argv[2]));
        const schematic::SchSheet sheet = sheetOf(ics);
        double total = 0;
        for (int i = 0; i < times; ++i) total += buildOnce(sheet, ics, true).buildMs;
        std::printf("%.2f ms per build\n", total / times);
        return 0;
    }

    if (argc == 2 && std::strcmp(argv[1], "--before") == 0) {
        std::printf("%5s %9s %12s %12s\n", "ICs", "elements", "former ms", "now ms");
        for (int ics : {84, 168, 200, 800}) {
            const schematic::SchSheet sheet = sheetOf(ics);
            std::vector<double> former, now;
            for (int round = 0; round < (ics > 200 ? 1 : 3); ++round) {
                // The largest sheet does not fit: both refuse it, after all the work.
                sim::Simulator a, b;
                schematic::CircuitSetup setup;
                schematic::CircuitBuild build;
                evictCaches();
                double start = cpuMs();
                schematic::reference::BuildCircuit(a, sheet, setup, build);
                former.push_back(cpuMsSince(start));
                evictCaches();
                start = cpuMs();
                schematic::BuildCircuit(b, sheet, setup, build);
                now.push_back(cpuMsSince(start));
            }
            std::printf("%5d %9zu %12.1f %12.2f\n", ics, sheet.elements.size(), median(former), median(now));
        }
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    struct Size {
        const char* what;
        int ics;
        schematic::SchSheet sheet;
        std::vector<double> builds, nets, realBuilds;
        Sample last;
        bool fitsRealTables = false;
    };
    std::vector<Size> sizes;
    for (const auto& [what, ics] : std::vector<std::pair<const char*, int>>{
             {"", 84}, {"", 168}, {"1x", 200}, {"4x", 800}, {"16x", 3200}}) {
        sizes.push_back({what, ics, sheetOf(ics), {}, {}, {}, {}, false});
    }
    for (int round = 0; round < rounds; ++round) {
        for (Size& size : sizes) {
            size.last = buildOnce(size.sheet, size.ics, true);
            size.builds.push_back(size.last.buildMs);
            size.nets.push_back(size.last.netsMs);
            if (size.ics <= 200) {
                const Sample real = buildOnce(size.sheet, size.ics, false);
                size.fitsRealTables = real.result.built;
                size.realBuilds.push_back(real.buildMs);
            }
        }
    }

    std::printf("%d rounds; times in ms (median / minimum), per element in microseconds (median)\n", rounds);
    std::printf("%-4s %5s %9s %7s %17s %17s %9s  %s\n", "size", "ICs", "elements", "nets", "build", "net building",
                "us/elem", "in the program's own tables");
    for (const Size& size : sizes) {
        std::string real = "-";
        if (!size.realBuilds.empty()) {
            char text[64];
            std::snprintf(text, sizeof text, "%s %.2f ms", size.fitsRealTables ? "built in" : "refused in",
                          median(size.realBuilds));
            real = text;
        }
        std::printf("%-4s %5d %9zu %7zu %8.2f / %6.2f %8.2f / %6.2f %9.3f  %s\n", size.what, size.ics,
                    size.sheet.elements.size(), size.last.nets, median(size.builds), minimum(size.builds),
                    median(size.nets), minimum(size.nets), 1000.0 * median(size.builds) / double(size.sheet.elements.size()),
                    real.c_str());
    }
    auto perElement = [&](const Size& s, const std::vector<double>& v, bool useMin) {
        return (useMin ? minimum(v) : median(v)) / double(s.sheet.elements.size());
    };
    const Size& x1 = sizes[2];
    const Size& x16 = sizes[4];
    std::printf("time per element, 16x over 1x: build %.2f (minimum %.2f), net building %.2f (minimum %.2f)\n",
                perElement(x16, x16.builds, false) / perElement(x1, x1.builds, false),
                perElement(x16, x16.builds, true) / perElement(x1, x1.builds, true),
                perElement(x16, x16.nets, false) / perElement(x1, x1.nets, false),
                perElement(x16, x16.nets, true) / perElement(x1, x1.nets, true));
    return 0;
}
