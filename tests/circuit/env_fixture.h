#pragma once
// Test scaffolding for the circuit environment: a program folder of the
// test's own (CORVANE_HOME), and small circuits drawn in memory with the sheet
// builder and built into an environment.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "schematic/sheet_builder.h"
#include "sim/simulator.h"
#include "support/program_folder.h"

// Failed expectations show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace circuittest {

using ProgramFolder = testsupport::ProgramFolder;

// `count` bytes, byte i being f(i).
inline QByteArray bytesOf(int count, const std::function<int(int)>& f) {
    QByteArray b(count, '\0');
    for (int i = 0; i < count; ++i) b[i] = static_cast<char>(f(i) & 0xFF);
    return b;
}

// IC g of the simulator set up by hand: of `type`, named `designator`, with its type's start values.
inline sim::IcRecord& addIc(sim::Simulator& s, int32_t g, sim::IcType type, const std::string& designator = {}) {
    sim::IcRecord& ic = s.IcTable[static_cast<std::size_t>(g)];
    ic.Type = static_cast<int32_t>(type);
    ic.Number = g;
    sim::setStartValues(ic);
    s.IcDesignators[static_cast<std::size_t>(g)] = designator;
    return ic;
}

// A sheet drawn with the sheet builder: parts with every pin drawn, pins
// named by net labels on their ends.
class Drawing {
public:
    int32_t place(const std::string& designator, const std::string& type, int pins,
                  std::vector<std::string> descriptions = {}) {
        const int32_t comp = b.numberedComponent(pins);
        return b.part(schematic::schtest::PartDef{designator, type, 1000 * ++spot_, 0, comp, 1, 0, 0, 0,
                                                  std::move(descriptions)});
    }
    void net(int32_t part, int pin, const std::string& name) {
        const schematic::SheetPoint end = b.pinEnd(part, pin);
        b.label(static_cast<int32_t>(end.x), static_cast<int32_t>(end.y), name);
    }
    void directive(schematic::SchElementKind kind, const std::string& text) { b.directive(kind, text); }
    void stimulus(const std::string& text) { directive(schematic::SchElementKind::SimStimulus, text); }

    schematic::schtest::SheetBuilder b;

private:
    int spot_ = 0;
};

// Builds `drawing` as the environment's next circuit, as a load does after its read.
inline std::optional<circuit::LoadedCircuit> build(circuit::Environment& env, const Drawing& drawing) {
    env.schematic.currentSheet = drawing.b.sheet();
    return circuit::buildCurrentSheet(env);
}

// Built and powered on.
inline circuit::LoadedCircuit load(circuit::Environment& env, const Drawing& drawing) {
    std::optional<circuit::LoadedCircuit> c = build(env, drawing);
    EXPECT_TRUE(c.has_value());
    if (!c) return {};
    circuit::powerOn(env, *c);
    return *c;
}

}  // namespace circuittest
