#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>

#include "env_fixture.h"
#include "sim/simulator.h"
#include "support/scripted_prompter.h"

using namespace circuittest;
using schematic::SchElementKind;

namespace {

// U1 74LS04: A on its first input, Y on its first output.
Drawing inverter(const std::string& stimulus) {
    Drawing d;
    const int32_t u1 = d.place("U1", "74LS04", 14);
    d.net(u1, 1, "A");
    d.net(u1, 2, "Y");
    if (!stimulus.empty()) d.stimulus(stimulus);
    return d;
}

// The net of the circuit carrying `name`, -1 when none does.
int32_t netNamed(const circuit::Environment& env, const circuit::LoadedCircuit& c, const std::string& name) {
    for (int32_t n = c.StartSignalNumber; n <= c.EndSignalNumber; ++n)
        if (env.simulator.NetTable[static_cast<std::size_t>(n)].Name == name) return n;
    return -1;
}

int32_t level(const circuit::Environment& env, const circuit::LoadedCircuit& c, const std::string& name) {
    const int32_t n = netNamed(env, c, name);
    EXPECT_GE(n, 0) << name;
    return n < 0 ? -1 : env.simulator.NetTable[static_cast<std::size_t>(n)].Value;
}

struct Counters {
    int32_t ic, signal, fanout;
    friend bool operator==(const Counters&, const Counters&) = default;
};
Counters counters(const sim::Simulator& s) { return {s.LastIcNumber, s.LastSignalNumber, s.LastFanoutNumber}; }

}  // namespace

TEST(CircuitLoad, EachCircuitTakesTheNextNumbersAndIsEvaluatedOnItsOwn) {
    testsupport::ScriptedPrompter prompter;
    circuit::Environment env;
    const Drawing d = inverter("A 0");
    const circuit::LoadedCircuit first = load(env, d);
    const circuit::LoadedCircuit second = load(env, d);

    EXPECT_EQ(first.StartIcNumber, 0);
    EXPECT_EQ(first.StartSignalNumber, 0);
    EXPECT_EQ(first.StartFanoutNumber, 1);
    EXPECT_EQ(second.StartIcNumber, first.EndIcNumber + 1);
    EXPECT_EQ(second.StartSignalNumber, first.EndSignalNumber + 1);
    EXPECT_EQ(second.StartFanoutNumber, first.EndFanoutNumber + 1);
    for (const circuit::LoadedCircuit* c : {&first, &second}) {
        // One single-IC record per IC, the circuit's last.
        EXPECT_EQ(c->SettleLastFanout, c->EndFanoutNumber);
        EXPECT_EQ(c->SettleLastFanout - c->SettleFirstFanout, c->EndIcNumber - c->StartIcNumber);
        // Y = not A: only an evaluated inverter drives it to 1.
        EXPECT_EQ(level(env, *c, "A"), 0);
        EXPECT_EQ(level(env, *c, "Y"), 1);
    }
    EXPECT_EQ(second.ncNet(), second.StartSignalNumber + 2);
    EXPECT_EQ(env.simulator.NetTable[static_cast<std::size_t>(second.ncNet())].Name, "NC;N.C.;Null;X");
    EXPECT_TRUE(prompter.messages().empty());

    // A circuit without ICs settles nothing.
    Drawing empty;
    empty.b.label(0, 0, "LONELY");
    const circuit::LoadedCircuit none = load(env, empty);
    EXPECT_GT(none.SettleFirstFanout, none.SettleLastFanout);
    EXPECT_EQ(none.icCount(), 0);
}

TEST(CircuitLoad, ARefusedCircuitLeavesTheFirstAndTheCountersAlone) {
    Drawing tooLarge;  // with the first circuit's IC, one more than the tables hold
    for (int i = 0; i < sim::kIcCount; ++i) tooLarge.place("U" + std::to_string(i + 1), "74LS04", 14);
    const struct Case {
        const char* name;
        Drawing drawing;
    } cases[] = {
        {"a directive value out of range", inverter("A 99999999999")},
        {"more ICs than the tables have left", tooLarge},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        testsupport::ScriptedPrompter prompter;
        circuit::Environment env;
        const circuit::LoadedCircuit first = load(env, inverter("A 0"));
        const Counters before = counters(env.simulator);

        EXPECT_FALSE(build(env, k.drawing).has_value());
        EXPECT_EQ(prompter.messages().size(), 1u) << "the builder's report, once";
        EXPECT_EQ(counters(env.simulator), before);
        EXPECT_TRUE(env.schematic.currentSheet.empty());
        EXPECT_EQ(level(env, first, "Y"), 1);

        // The next circuit still gets the numbers after the first.
        const circuit::LoadedCircuit next = load(env, inverter("A 0"));
        EXPECT_EQ(next.StartIcNumber, first.EndIcNumber + 1);
    }
}

TEST(CircuitLoad, ASchematicThatIsNotThereChangesNothing) {
    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    circuit::Environment env;
    EXPECT_FALSE(circuit::readAndBuildCircuit(env, *circuit::dataFile(QStringLiteral("missing.sch"))).has_value());
    EXPECT_EQ(counters(env.simulator), (Counters{-1, -1, 0}));
    EXPECT_TRUE(prompter.messages().empty()) << "a missing schematic is not reported";
}

// U1 2732 with its address on GND, OE̅ on GND and CE̅ on RST; its outputs O7..O0.
// Its image's first byte is A5: its outputs show A5 exactly when the chip is
// enabled at the second settle, after the image has been loaded.
TEST(PowerOn, ResetIsActiveForTheFirstEvaluationAndReleasedForTheSecond) {
    const struct Case {
        const char* name;
        std::vector<std::string> stimuli;
        int32_t outputs;  // O7..O0 after the load
        int32_t rst;      // the RST net after the load
    } cases[] = {
        {"reset idle high: enabled while the image is empty, then released", {"RESET:RST 1"}, 0x00, 1},
        {"reset idle low: disabled at first, enabled after the image", {"RESET:RST 0"}, 0xA5, 0},
        {"no reset net: an input switch keeps its level", {"RST 1"}, 0x00, 1},
        {"no reset net, enabled throughout", {"RST 0"}, 0xA5, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        testsupport::ScriptedPrompter prompter;
        ProgramFolder folder;
        ASSERT_TRUE(folder.write(QStringLiteral("data/rom.bin"), bytesOf(16, [](int i) { return i == 0 ? 0xA5 : 0x11; })));
        Drawing d;
        const int32_t u1 = d.place("U1", "2732", 24, {"rom.bin"});
        for (int pin : {21, 19, 22, 23, 1, 2, 3, 4, 5, 6, 7, 8, 20}) d.net(u1, pin, "GND");
        d.net(u1, 18, "RST");
        const int outputPins[] = {17, 16, 15, 14, 13, 11, 10, 9};
        for (int bit = 0; bit < 8; ++bit) d.net(u1, outputPins[bit], "O" + std::to_string(7 - bit));
        for (const std::string& s : k.stimuli) d.stimulus(s);

        circuit::Environment env;
        const circuit::LoadedCircuit c = load(env, d);
        int32_t outputs = 0;
        for (int bit = 7; bit >= 0; --bit) outputs = outputs * 2 + level(env, c, "O" + std::to_string(bit));
        EXPECT_EQ(outputs, k.outputs);
        EXPECT_EQ(level(env, c, "RST"), k.rst);
        EXPECT_EQ(env.simulator.ReadIcMemory(0, 0), 0xA5);
        EXPECT_TRUE(prompter.messages().empty());
    }
}

TEST(PowerOn, DropsItsConflictsAndLeavesTheNcNetAtZero) {
    testsupport::ScriptedPrompter prompter;
    // Two enabled 74LS244 drive Y with opposite levels (1A1 -> 1Y1).
    Drawing d;
    const int32_t u1 = d.place("U1", "74LS244", 20);
    const int32_t u2 = d.place("U2", "74LS244", 20);
    for (int32_t u : {u1, u2}) {
        d.net(u, 1, "GND");
        d.net(u, 19, "GND");
        d.net(u, 18, "Y");
    }
    d.net(u1, 2, "GND");
    circuit::Environment env;
    const circuit::LoadedCircuit c = load(env, d);
    const sim::Simulator& s = env.simulator;
    EXPECT_EQ(s.ConflictEventCount, 0);
    EXPECT_EQ(s.ConflictWriteIndex, 0);
    EXPECT_EQ(s.NetTable[static_cast<std::size_t>(c.ncNet())].Value, 0);

    // The conflict is real: the first evaluation of the ICs records it.
    circuit::Environment other;
    const std::optional<circuit::LoadedCircuit> built = build(other, d);
    ASSERT_TRUE(built.has_value());
    circuit::SettleFanoutRange(other.simulator, built->SettleFirstFanout, built->SettleLastFanout);
    EXPECT_GT(other.simulator.ConflictEventCount, 0);
}

TEST(PowerOn, ASchematicThatNeverSettlesIsReportedOnce) {
    testsupport::ScriptedPrompter prompter;
    Drawing d;  // an inverter whose output feeds its input
    const int32_t u1 = d.place("U1", "74LS04", 14);
    d.net(u1, 1, "RING");
    d.net(u1, 2, "RING");
    circuit::Environment env;
    env.simulator.passLimit = 50;
    load(env, d);
    const auto asked = prompter.messages();
    ASSERT_EQ(asked.size(), 1u) << "both settles oscillate; one box tells it";
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("电路没有稳定：信号 2（NC;N.C.;Null;X）"))) << asked[0].text.toStdString();
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("共 2 次")));
    EXPECT_FALSE(env.simulator.report().oscillation) << "the report was taken";
}

// ---- memory images ----

TEST(MemoryImages, FillFromAddressZeroUpToTheChipsSize) {
    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    ASSERT_TRUE(folder.write(QStringLiteral("DATA/ram.bin"), bytesOf(100, [](int i) { return 0xFF - i; })));
    ASSERT_TRUE(folder.write(QStringLiteral("DATA/Rom.BIN"), bytesOf(5000, [](int i) { return i; })));
    ASSERT_TRUE(folder.write(QStringLiteral("DATA/Sub/part.bin"), bytesOf(3, [](int i) { return 0x40 + i; })));
    ASSERT_TRUE(folder.write(QStringLiteral("DATA/gate.bin"), bytesOf(3, [](int) { return 9; })));
    sim::Simulator s;
    addIc(s, 0, sim::IcType::Ram6116);
    addIc(s, 1, sim::IcType::Eprom2732);
    addIc(s, 2, sim::IcType::Eprom2732);
    addIc(s, 3, sim::IcType::Ls00);
    for (int a = 0; a < sim::kRamSize; ++a) s.WriteIcMemory(a, 7, 0);

    EXPECT_TRUE(circuit::LoadMemoryData(
        s, {{0, "ram.bin", 0}, {1, "rom.bin", 1}, {2, "sub\\PART.bin", 2}, {3, "gate.bin", 3}}));

    for (int a = 0; a < sim::kRamSize; ++a) ASSERT_EQ(s.ReadIcMemory(a, 0), a < 100 ? 0xFF - a : 7) << a;
    for (int a = 0; a < sim::kEpromSize; ++a) ASSERT_EQ(s.ReadIcMemory(a, 1), a & 0xFF) << a;
    EXPECT_EQ(s.ReadIcMemory(0, 2), 0x40);
    EXPECT_EQ(s.ReadIcMemory(2, 2), 0x42);
    EXPECT_EQ(s.ReadIcMemory(3, 2), 0);
    EXPECT_TRUE(s.IcTable[3].Memory.empty()) << "only 2732 and 6116 take images";
    EXPECT_TRUE(prompter.messages().empty());
}

TEST(MemoryImages, AMissingImageIsReportedOnceAndEndsTheLoading) {
    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    ASSERT_TRUE(folder.write(QStringLiteral("data/second.bin"), bytesOf(4, [](int) { return 0x33; })));
    sim::Simulator s;
    addIc(s, 0, sim::IcType::Eprom2732);
    addIc(s, 1, sim::IcType::Eprom2732);

    EXPECT_FALSE(circuit::LoadMemoryData(s, {{0, "first.bin", 0}, {1, "second.bin", 1}}));

    const auto asked = prompter.messages();
    ASSERT_EQ(asked.size(), 1u);
    const int number = static_cast<int>(QFileDevice::OpenError);
    EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("%1: ").arg(number))) << asked[0].text.toStdString();
    EXPECT_GT(asked[0].text.size(), QStringLiteral("%1: ").arg(number).size()) << "with the error's text";
    EXPECT_EQ(asked[0].title, QStringLiteral("信息提示! %1").arg(number));
    EXPECT_EQ(asked[0].icon, platform::MsgIcon::Information);
    EXPECT_EQ(s.ReadIcMemory(0, 1), 0) << "the images after the failing one are not loaded";
}

// Images named outside the data folder are not read, though the files are
// there: each is told as a file that cannot be opened, and ends the loading.
TEST(MemoryImages, NamesThatLeaveTheDataFolderAreRefused) {
    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    ASSERT_TRUE(folder.write(QStringLiteral("outside.bin"), bytesOf(4, [](int) { return 0x55; })));
    ASSERT_TRUE(folder.write(QStringLiteral("data/inside.bin"), bytesOf(4, [](int) { return 0x66; })));
    const int number = static_cast<int>(QFileDevice::OpenError);
    for (const std::string& name : {std::string("../outside.bin"), std::string("..\\outside.bin"),
                                    QDir(folder.path()).filePath(QStringLiteral("data/inside.bin")).toStdString()}) {
        SCOPED_TRACE(name);
        prompter.clear();
        sim::Simulator s;
        addIc(s, 0, sim::IcType::Eprom2732);
        EXPECT_FALSE(circuit::LoadMemoryData(s, {{0, name, 0}}));
        const auto asked = prompter.messages();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, QStringLiteral("%1: 文件名 \"%2\" 不在数据文件夹中，不能打开")
                                     .arg(number)
                                     .arg(QString::fromStdString(name)));
        EXPECT_EQ(asked[0].title, QStringLiteral("信息提示! %1").arg(number));
        EXPECT_EQ(s.ReadIcMemory(0, 0), 0);
    }
}

// Where a name's symbolic links lead decides, not its text: a link, or a linked
// folder on its way, that leads out of the data folder refuses the name, even
// to a missing file; links that stay inside are followed, and a missing file
// of the folder is still named for its report.
TEST(DataFile, ANameIsJudgedByWhereItsLinksLead) {
    ProgramFolder folder;
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    const QDir out(outside.path());
    const QDir data(QDir(folder.path()).filePath(QStringLiteral("data")));
    ASSERT_TRUE(folder.write(QStringLiteral("data/kept/real.bin"), "in"));
    ASSERT_TRUE(folder.write(QStringLiteral("beside.bin"), "beside"));
    QFile secret(out.filePath(QStringLiteral("secret.bin")));
    ASSERT_TRUE(secret.open(QIODevice::WriteOnly) && secret.write("secret") == 6);
    secret.close();
    const std::pair<QString, QString> links[] = {
        {"same.bin", "kept/real.bin"},
        {"keptdir", "kept"},
        {"dangling-in.bin", "none.bin"},
        {"out.bin", secret.fileName()},
        {"outdir", out.path()},
        {"up.bin", "../beside.bin"},
        {"dangling-out.bin", out.filePath(QStringLiteral("none.bin"))},
        {"loop.bin", "loop2.bin"},
        {"loop2.bin", "loop.bin"},
    };
    for (const auto& [link, target] : links)
        ASSERT_TRUE(QFile::link(target, data.filePath(link))) << link.toStdString();

    const struct {
        const char* name;
        bool opened;
    } cases[] = {
        {"kept/real.bin", true},      {"same.bin", true},           {"keptdir/real.bin", true},
        {"missing.bin", true},        {"dangling-in.bin", true},    {"out.bin", false},
        {"OUT.BIN", false},           {"outdir/secret.bin", false}, {"outdir/missing.bin", false},
        {"up.bin", false},            {"dangling-out.bin", false},  {"loop.bin", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<QString> path = circuit::dataFile(QString::fromUtf8(c.name));
        EXPECT_EQ(path.has_value(), c.opened);
        if (path && c.opened) {
            EXPECT_EQ(*path, data.filePath(QString::fromUtf8(c.name)));
        }
    }
}
