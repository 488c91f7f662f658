#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "circuit_console.h"
#include "circuit_record.h"
#include "data_paths.h"
#include "labdata/src/circuit_plan.h"
#include "labdata/src/diagram_plan.h"
#include "labdata/src/generate.h"
#include "net_references.h"

namespace labtest {
namespace {

std::string recordFile() { return testsupport::sourceFile("tests/data/fixtures/default_circuit.txt"); }

struct Built {
    CircuitRecord record;
    std::set<std::string> referred;
};

Built buildDefaultCircuit() {
    CircuitConsole console(defaultCircuit(), sourceRoot());
    EXPECT_TRUE(console.loaded()) << console.error();
    Built b{recordCircuit(console.build(), console.setup(), console.simulator()), {}};
    b.referred = namesReferredTo(dataDir(), descriptionDir() + "/scripts", b.record.settings);
    // The signals the block diagrams' boxes and buses stand for.
    for (const labdata::DiagramPlan& plan : labdata::parseDiagramPlans(labdata::readWholeFile(descriptionDir() + "/diagrams.txt")))
        for (const labdata::DiagramItem& item : plan.items) b.referred.insert(item.nets.begin(), item.nets.end());
    // Every net the circuit's description names, which the drawing must keep.
    for (const labdata::IcPlan& ic : labdata::parseCircuitPlan(labdata::readWholeFile(descriptionDir() + "/circuit.txt")).ics)
        for (const labdata::PinConnection& c : ic.connections) b.referred.insert(c.net);
    return b;
}

// However the sheet is drawn, the default circuit stays the recorded one: the
// same ICs, the same pins on each net, the names the lab's files use, the
// same settings.
TEST(DefaultCircuitRecord, TheDataFolderBuildsTheRecordedCircuit) {
    const CircuitRecord recorded = parseRecord(labdata::readWholeFile(recordFile()));
    const Built built = buildDefaultCircuit();
    const std::vector<std::string> differences = recordDifferences(recorded, built.record, built.referred);
    for (const std::string& d : differences) ADD_FAILURE() << d;
    if (!differences.empty())
        ADD_FAILURE() << "if the circuit was changed on purpose: build/tests/data/record_circuit > tests/data/fixtures/default_circuit.txt";
}

TEST(DefaultCircuitRecord, ReadsBackAsWritten) {
    const Built built = buildDefaultCircuit();
    EXPECT_EQ(parseRecord(recordText(built.record)), built.record);
}

// The comparison is no rubber stamp: each kind of change to the default
// circuit is reported, and a new name counts only where nothing refers to it.
TEST(DefaultCircuitRecord, ReportsEveryChangeThatMatters) {
    const Built built = buildDefaultCircuit();
    auto netNamed = [](CircuitRecord& r, const std::string& name) -> std::pair<const PinSet, std::vector<std::string>>& {
        for (auto& n : r.nets)
            if (std::find(n.second.begin(), n.second.end(), name) != n.second.end()) return n;
        throw std::runtime_error("no net " + name);
    };
    auto rename = [&](CircuitRecord& r, const std::string& from, const std::string& to) { netNamed(r, from).second = {to}; };
    auto movePin = [&](CircuitRecord& r, const std::string& pin, const std::string& from, const std::string& to) {
        auto take = r.nets.extract(netNamed(r, from).first);
        auto give = r.nets.extract(netNamed(r, to).first);
        take.key().erase(pin);
        give.key().insert(pin);
        r.nets.insert(std::move(take));
        r.nets.insert(std::move(give));
    };
    // Switches are named by the console and the scripts; the RAMs' read enable
    // and the carry between the slices only by the circuit's description; the
    // pins nothing reaches by the builder's own names alone.
    ASSERT_TRUE(built.referred.count("MRD") && built.referred.count("MWR") && built.referred.count("C4") &&
                !built.referred.count("NC"));
    struct Case {
        const char* what;
        std::function<void(CircuitRecord&)> change;
        std::size_t reports;
    } cases[] = {
        {"nothing", [](CircuitRecord&) {}, 0},
        {"a named net renamed", [&](CircuitRecord& r) { rename(r, "MRD", "MREAD"); }, 1},
        {"a net nothing names takes another name", [&](CircuitRecord& r) { rename(r, "NC", "U12_15_3"); }, 0},
        {"a net only the description names loses its name", [&](CircuitRecord& r) { rename(r, "C4", "U10_33_2"); }, 1},
        {"two named nets joined", [&](CircuitRecord& r) {
             auto mem = r.nets.extract(netNamed(r, "MEM_N").first);
             auto urom = r.nets.extract(netNamed(r, "UROM_N").first);
             mem.key().merge(urom.key());
             mem.mapped() = {"UROM_N", "MEM_N"};
             r.nets.insert(std::move(mem));
         }, 3},
        {"a pin moved to another net", [&](CircuitRecord& r) { movePin(r, "U2.1", "MRD", "MWR"); }, 4},
        {"an IC of another type", [](CircuitRecord& r) {
             r.ics.erase("U5 74LS08");
             r.ics.insert("U5 74LS32");
         }, 2},
        {"a switch that starts at another level", [](CircuitRecord& r) {
             for (std::string& s : r.settings)
                 if (s.rfind("switch | LDAR ", 0) == 0) s.back() = '1';
         }, 2},
    };
    for (const Case& c : cases) {
        CircuitRecord changed = built.record;
        c.change(changed);
        const std::vector<std::string> reports = recordDifferences(built.record, changed, built.referred);
        EXPECT_EQ(reports.size(), c.reports) << c.what << (reports.empty() ? "" : ": " + reports[0]);
    }
}

TEST(NetWords, TakesRangesNameByName) {
    const std::set<std::string> words = netWords("AR7..AR5经74LS138译码，DB3..0和MO7..MO6；UA11..9；CS_ROM,/OE");
    for (const char* w : {"AR7", "AR6", "AR5", "74LS138", "DB3", "DB2", "DB1", "DB0", "MO7", "MO6", "UA11", "UA10", "UA9",
                          "CS_ROM", "OE"})
        EXPECT_TRUE(words.count(w)) << w;
    EXPECT_FALSE(words.count("AR4"));
    EXPECT_FALSE(words.count("DB4"));
}

}  // namespace
}  // namespace labtest
