// Feeds arbitrary text to the boxes users type numbers into: the console's
// input-bus boxes and pulse count, the memory-data address and length boxes,
// and the main window's command address. The first byte picks the box (and a
// bus and a width); the rest is the typed text, as UTF-8, two answers apart
// at the first line feed where a command asks twice.
//
// A committed bus box shows the value the bus then holds, and that text
// commits to the same value again; the two address rules read every text
// alike, and the command address takes the edition's form; a memory-data
// save with typed start and length writes only what the chips hold, and
// loading that file at the same start gives the same cells back.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "circuit/console_actions.h"
#include "circuit/environment.h"
#include "circuit/loaded_circuit.h"
#include "circuit/memory_data.h"
#include "editions/edition_profile.h"
#include "link/address_rule.h"
#include "link/codefile/code_file.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"
#include "support/source_tree.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "typed inputs: %s\n", what);
    std::abort();
}

// The lab's circuit, loaded once: four input buses of 4, 8 and 9 nets, and
// memory groups of one and of three chips.
struct Lab {
    circuit::Environment env;
    circuit::LoadedCircuit circuit;
    QTemporaryDir folder;
};

Lab& lab() {
    static Lab* made = [] {
        auto* l = new Lab;
        testsupport::ScriptedPrompter quiet;
        const QString path = QString::fromStdString(
            testsupport::sourceFile("data/联机运行线路+存储器扩展线路 ascii.Sch"));
        std::optional<circuit::LoadedCircuit> loaded = circuit::readAndBuildCircuit(l->env, path);
        if (!loaded || loaded->Setup.InBuses.empty() || loaded->Setup.SaveMems.empty()) fail("the lab circuit did not load");
        l->circuit = std::move(*loaded);
        l->env.schematic.currentSheet.clear();
        circuit::powerOn(l->env, l->circuit);
        return l;
    }();
    return *made;
}

void busBox(uint8_t pick, const QString& text) {
    // Any width, on the rule alone: what a box shows reads back as itself.
    const int32_t width = pick % 72;
    const uint64_t value = circuit::busBoxNumber(text, width) & circuit::busMask(width);
    if ((circuit::busBoxNumber(circuit::busBoxText(value), width) & circuit::busMask(width)) != value)
        fail("a bus box's own text reads as another value");

    Lab& l = lab();
    circuit::ConsoleActions actions(l.env, l.circuit);
    const int index = (pick >> 3) % l.circuit.Setup.InBusCount();
    const int32_t busWidth = l.circuit.Setup.InBuses[static_cast<std::size_t>(index)].Width();
    const std::optional<QString> shown = actions.commitBus(index, text);
    if (!shown) fail("a bus of the setup refused");
    const uint64_t held = actions.busValue(index);
    if (held != (circuit::busBoxNumber(text, busWidth) & circuit::busMask(busWidth))) fail("the bus holds another value");
    if (*shown != circuit::busBoxText(held)) fail("the box shows another value than the bus holds");
    if (actions.commitBus(index, *shown) != shown || actions.busValue(index) != held)
        fail("the box's own text commits to another value");
}

void pulseBox(const QString& text) {
    const int64_t pulses = circuit::pulseCount(text);
    int64_t leading = 0;
    qsizetype digits = 0;
    while (digits < text.size() && text[digits] >= QLatin1Char('0') && text[digits] <= QLatin1Char('9')) ++digits;
    for (qsizetype i = 0; i < digits && leading <= 99'999'999; ++i) leading = leading * 10 + (text[i].unicode() - u'0');
    if (pulses != std::min<int64_t>(leading, 99'999'999)) fail("a pulse count other than the leading digits");
}

void addressBox(const QString& text) {
    const std::optional<int32_t> box = circuit::addressBoxNumber(text);
    const std::optional<long long> command = devlink::addressValue(text);
    if (box.has_value() != command.has_value() || (box && *box != *command))
        fail("the memory-data box and the command address read a text apart");
    if (box && (*box < 0 || *box > 99'999)) fail("an address beyond five decimal digits");
    for (const editions::EditionProfile* p :
         {&editions::profileCorvane16(), &editions::profileCorvane(), &editions::profileCorvane8()}) {
        const QString parameter = devlink::addressParameter(*p, text);
        if (!command) {
            if (!parameter.isEmpty()) fail("an address parameter without an address");
            continue;
        }
        const QString digits = p->shortAddress ? parameter.mid(1) : parameter;
        if (p->shortAddress && (parameter.size() != 5 || parameter[0] != QLatin1Char(' ')))
            fail("a short address that is not a blank and four digits");
        bool ok = false;
        const long long read = digits.toLongLong(&ok, 16);
        if (!ok || digits != digits.toUpper() || read != (p->shortAddress ? *command & 0xFFFF : *command))
            fail("an address parameter that is not the address in hexadecimal");
    }
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void memoryDataBoxes(uint8_t pick, const QString& startText, const QString& lengthText) {
    Lab& l = lab();
    const schematic::CircuitSetup& setup = l.circuit.Setup;
    sim::Simulator& s = l.env.simulator;
    const int index = (pick >> 3) % setup.SaveMemCount();
    const schematic::MemDataEntry& entry = setup.SaveMems[static_cast<std::size_t>(index)];
    const int32_t limit = circuit::memoryAddressLimit(s, entry);
    const QString path = QDir(l.folder.path()).filePath(QStringLiteral("typed.cod"));
    QFile::remove(path);

    testsupport::ScriptedPrompter prompter;
    prompter.answerInput(startText);
    prompter.answerInput(lengthText);
    prompter.answerFile(path);
    circuit::saveMemoryDataCommand(l.env, setup, index);
    const QByteArray saved = readAll(path);
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(saved.constData()),
                                         static_cast<std::size_t>(saved.size()));
    const codefile::CodeFile file = codefile::parseCodeFile(bytes, entry.ChipCount());
    if (!file.complete || file.blocks.size() != 1) fail("a save that wrote no memory data file");
    const codefile::CodeSegment segment = file.blocks.front().segment;
    const int32_t start = segment.address - circuit::kMemoryDataAddressOffset;
    if (start < 0 || start >= limit || segment.count < 1 || start + segment.count > limit)
        fail("a save outside the chips");

    // Cells change before the load, so that the load has something to restore.
    std::vector<std::vector<int32_t>> before;
    for (const int32_t chip : entry.Chips) {
        before.push_back(s.IcTable[static_cast<std::size_t>(chip)].Memory);
        for (int32_t a = start; a < start + segment.count; ++a) s.WriteIcMemory(a, ~s.ReadIcMemory(a, chip) & 0xFF, chip);
    }
    const circuit::MemoryLoad loaded = circuit::loadMemoryData(s, entry, bytes, [&](int32_t proposed, int32_t) {
        if (proposed != start) fail("a saved file proposes another start");
        return proposed;
    });
    if (loaded != circuit::MemoryLoad::Loaded) fail("a saved file not taken back");
    for (std::size_t k = 0; k < entry.Chips.size(); ++k) {
        const std::vector<int32_t>& cells = s.IcTable[static_cast<std::size_t>(entry.Chips[k])].Memory;
        for (int32_t a = start; a < start + segment.count; ++a)
            if ((cells[static_cast<std::size_t>(a)] & 0xFF) != (before[k][static_cast<std::size_t>(a)] & 0xFF))
                fail("a saved and loaded cell changed");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    lab();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t pick = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    switch (pick % 4) {
        case 0: busBox(pick >> 2, text); break;
        case 1: pulseBox(text); break;
        case 2: addressBox(text); break;
        case 3: {
            const qsizetype cut = text.indexOf(QLatin1Char('\n'));
            memoryDataBoxes(pick, text.left(cut), cut < 0 ? QString() : text.mid(cut + 1));
            break;
        }
    }
    return 0;
}
