// Memory data files: the address limit, the address boxes' number rule, the
// load and the save with their boxes, dialogs and messages, and a save that
// fails without harming the file it was to replace.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "circuit/memory_data.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form7.h"
#include "env_fixture.h"
#include "usart_frame.h"
#include "sim/simulator.h"
#include "support/file_size_limit.h"
#include "support/program_folder.h"
#include "support/scripted_prompter.h"

using circuit::addressBoxNumber;
using schematic::MemDataEntry;
using schematic::SchElementKind;
using testsupport::ScriptedPrompter;
using namespace circuittest;

namespace {

// U1 2732, U2 2732, U3 6116, U4 6116, U5 74LS273, unconnected: chips for entries.
struct Chips {
    Chips() {
        Drawing d;
        d.place("U1", "2732", 24);
        d.place("U2", "2732", 24);
        d.place("U3", "6116", 24);
        d.place("U4", "6116", 24);
        d.place("U5", "74LS273", 20);
        c = load(env, d);
    }
    int32_t ic(int designator) const { return c.StartIcNumber + designator - 1; }
    // "U1.U U5.L": chips by designator number, each with its flag.
    MemDataEntry entry(std::initializer_list<std::pair<int, const char*>> chips) const {
        MemDataEntry e;
        for (const auto& [u, flag] : chips) {
            e.Chips.push_back(ic(u));
            e.ChipFlags.push_back(flag);
        }
        return e;
    }
    int32_t cell(int u, int32_t address) const { return env.simulator.ReadIcMemory(address, ic(u)); }
    void fill(int u, int32_t from, std::initializer_list<int32_t> values) {
        for (const int32_t v : values) env.simulator.WriteIcMemory(from++, v, ic(u));
    }
    schematic::CircuitSetup setup(std::vector<MemDataEntry> loads, std::vector<MemDataEntry> saves) const {
        schematic::CircuitSetup s;
        s.LoadMems = std::move(loads);
        s.SaveMems = std::move(saves);
        return s;
    }

    ScriptedPrompter prompter;
    circuit::Environment env;
    circuit::LoadedCircuit c;
};

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString boxText(const char* firstLine) {
    return QString::fromUtf8(firstLine) +
           QStringLiteral("\n    输入数据末尾为字符'B'，表示数据为二进制；为字符'H'，表示数据为十六进制；否则表示数据为十进制。");
}

}  // namespace

TEST(MemoryData, AddressLimit) {
    Chips chips;
    const struct {
        const char* name;
        MemDataEntry entry;
        int32_t limit;
    } cases[] = {
        {"2732", chips.entry({{1, "U"}}), 4096},
        {"6116", chips.entry({{3, "U"}}), 2048},
        {"2732 then 6116", chips.entry({{1, "U"}, {3, "U"}}), 2048},
        {"6116 then 2732", chips.entry({{3, "U"}, {1, "U"}}), 2048},
        {"first chip not flagged", chips.entry({{1, "L"}, {3, "U"}}), 0},
        {"first chip no memory", chips.entry({{5, "U"}, {1, "U"}}), 0},
        {"2732 and a register", chips.entry({{1, "U"}, {5, "U"}}), 4096},
    };
    for (const auto& k : cases) EXPECT_EQ(circuit::memoryAddressLimit(chips.env.simulator, k.entry), k.limit) << k.name;
}

TEST(MemoryData, AddressBoxNumbers) {
    const struct {
        const char* answer;
        std::optional<int32_t> value;
    } cases[] = {
        {"7FH", 127},        {"1111111B", 127},   {"127", 127},      {" 7fh ", 127},     {"5", std::nullopt},
        {"", std::nullopt},  {"H", std::nullopt}, {"12345", 12345},  {"123456", 12345},  {"FFFFFH", 0xFFFF},
        {"1x3", 103},        {"1G2H", 0x102},     {"29B", 3},        {"10000000000000001B", 0x8000},
        {"1000H", 0x1000},   {"0H", 0},
    };
    for (const auto& k : cases) EXPECT_EQ(addressBoxNumber(QString::fromUtf8(k.answer)), k.value) << k.answer;
}

TEST(MemoryData, ProposedLoadAddress) {
    const struct {
        uint16_t word;
        int32_t limit, proposed;
    } cases[] = {
        {2064, 4096, 16}, {100, 4096, 100},  {2048 + 4095, 4096, 4095}, {2048 + 4096, 4096, 0},
        {100, 0, 0},      {0x9000, 4096, 0}, {0x8000, 4096, 0},         {0xFFFF, 4096, 0},
    };
    for (const auto& k : cases) EXPECT_EQ(circuit::proposedLoadAddress(k.word, k.limit), k.proposed) << k.word;
}

TEST(MemoryData, SaveThenLoad) {
    Chips chips;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rom.COD"));
    chips.fill(1, 16, {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17});
    chips.fill(3, 16, {0xEF, 0xEE, 0xED, 0xEC, 0xEB, 0xEA, 0xE9, 0xE8});
    const schematic::CircuitSetup setup = chips.setup({chips.entry({{3, "U"}})}, {chips.entry({{1, "U"}})});

    chips.prompter.answerInput(QStringLiteral("10H"));
    chips.prompter.answerInput(QStringLiteral("8H"));
    chips.prompter.answerFile(path);
    circuit::saveMemoryDataCommand(chips.env, setup, 0);
    EXPECT_EQ(fileBytes(path).toHex(' '), QByteArray("01 10 08 08 00 10 11 12 13 14 15 16 17"));
    const auto& asked = chips.prompter.asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].input.prompt, boxText("保存器件中数据的起始地址(0-1000H)："));
    EXPECT_EQ(asked[0].input.defaultText, QStringLiteral("0H"));
    EXPECT_EQ(asked[0].input.title, QStringLiteral("请确认！！"));
    EXPECT_EQ(asked[1].input.prompt, boxText("保存器件中数据的长度(1-FF0H)："));
    EXPECT_EQ(asked[1].input.defaultText, QStringLiteral("FF0H"));
    EXPECT_EQ(asked[2].file.title, QStringLiteral("保存文件为"));
    EXPECT_EQ(asked[2].file.filter, QStringLiteral("Codes (*.COD)|*.COD;*.cod"));

    chips.prompter.clear();
    chips.prompter.answerFile(path);
    chips.prompter.answerInput(std::nullopt);  // Cancel keeps the proposal
    circuit::loadMemoryDataCommand(chips.env, setup, 0);
    ASSERT_EQ(chips.prompter.asked().size(), 2u);
    EXPECT_EQ(chips.prompter.asked()[0].file.title, QStringLiteral("打开文件"));
    EXPECT_EQ(chips.prompter.asked()[0].file.filter, QStringLiteral("Codes (*.COD)|*.COD;*.cod"));
    EXPECT_EQ(chips.prompter.asked()[1].input.prompt, boxText("数据写入到器件中的起始地址(0-800H)："));
    EXPECT_EQ(chips.prompter.asked()[1].input.defaultText, QStringLiteral("10H"));
    for (int32_t a = 0; a < 8; ++a) EXPECT_EQ(chips.cell(3, 16 + a), 0x10 + a);
    EXPECT_EQ(chips.cell(3, 15), 0);
    EXPECT_EQ(chips.cell(3, 24), 0);
    EXPECT_TRUE(chips.prompter.messages().empty());
}

TEST(MemoryData, SavedFiles) {
    Chips chips;
    chips.fill(1, 0, {0xA1, 0xA2, 0xA3});
    chips.fill(3, 0, {0xB1, 0xB2, 0xB3});
    chips.fill(4, 0, {0xC1, 0xC2, 0xC3});
    const struct {
        const char* name;
        MemDataEntry entry;
        const char* start;
        const char* count;
        const char* file;
    } cases[] = {
        {"no chip takes part", chips.entry({{1, "L"}}), "3H", "3H", "01 00 08 00 00"},
        {"2732 and a register", chips.entry({{1, "U"}, {5, "U"}}), "0H", "3H", "01 00 08 03 00 a1 a1 a2 a2 a3 a3"},
        {"a register first", chips.entry({{5, "U"}, {1, "U"}}), "0H", "3H", "01 00 08 00 00"},
        {"two 6116", chips.entry({{3, "U"}, {4, "U"}}), "1H", "2H", "01 01 08 02 00 b2 c2 b3 c3"},
        {"start beyond the limit", chips.entry({{3, "U"}}), "800H", "2H", "01 00 08 02 00 b1 b2"},
        {"count beyond the room", chips.entry({{3, "U"}}), "7FEH", "3H", "01 fe 0f 02 00 00 00"},
    };
    QTemporaryDir dir;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const QString path = dir.filePath(QStringLiteral("x.cod"));
        chips.prompter.answerInput(QString::fromUtf8(k.start));
        chips.prompter.answerInput(QString::fromUtf8(k.count));
        chips.prompter.answerFile(path);
        circuit::saveMemoryDataCommand(chips.env, chips.setup({}, {k.entry}), 0);
        EXPECT_EQ(fileBytes(path).toHex(' '), QByteArray(k.file));
    }

    // One-character answers keep the defaults: from 0, the whole chip.
    const QString path = dir.filePath(QStringLiteral("all.cod"));
    chips.prompter.answerInput(QStringLiteral("5"));
    chips.prompter.answerInput(QStringLiteral("7"));
    chips.prompter.answerFile(path);
    circuit::saveMemoryDataCommand(chips.env, chips.setup({}, {chips.entry({{3, "U"}})}), 0);
    const QByteArray all = fileBytes(path);
    EXPECT_EQ(all.size(), 5 + 2048);
    EXPECT_EQ(all.left(8).toHex(' '), QByteArray("01 00 08 00 08 b1 b2 b3"));
    EXPECT_TRUE(chips.prompter.messages().empty());
}

TEST(MemoryData, Loads) {
    const struct {
        const char* name;
        std::vector<std::pair<int, const char*>> chips;
        QByteArray file;
        const char* answer;
        const char* proposal;
        std::vector<std::pair<int32_t, int32_t>> cellsOfFirst, cellsOfSecond;  // address, value
    } cases[] = {
        {"two 6116 interleaved", {{3, "U"}, {4, "U"}}, QByteArray::fromHex("0105080300112233445566"), "", "5H",
         {{5, 0x11}, {6, 0x33}, {7, 0x55}}, {{5, 0x22}, {6, 0x44}, {7, 0x66}}},
        {"a chip that does not take part keeps its byte's place", {{3, "U"}, {5, "U"}},
         QByteArray::fromHex("0100080200aabbccdd"), "", "0H", {{0, 0xAA}, {1, 0xCC}}, {}},
        {"a start word below 2048 is the address", {{3, "U"}}, QByteArray::fromHex("016400010077"), "", "64H",
         {{100, 0x77}}, {}},
        {"a start word of 0x9000", {{3, "U"}}, QByteArray::fromHex("01009002000102"), "", "0H",
         {{0, 0x01}, {1, 0x02}}, {}},
        {"a short file loads what it holds", {{3, "U"}}, QByteArray::fromHex("0100080800010203"), "", "0H",
         {{0, 0x01}, {1, 0x02}, {2, 0x03}, {3, 0}}, {}},
        {"writing stops at the chip's end", {{3, "U"}}, QByteArray::fromHex("01fe0f04000102030405"), "", "7FEH",
         {{2046, 0x01}, {2047, 0x02}, {0, 0}}, {}},
        {"a count above 0x7FFF is a count", {{3, "U"}}, QByteArray::fromHex("01000800800102"), "", "0H",
         {{0, 0x01}, {1, 0x02}}, {}},
        {"an answer below the limit is the start", {{3, "U"}}, QByteArray::fromHex("010008010042"), "20H", "0H",
         {{0x20, 0x42}, {0, 0}}, {}},
        {"an answer at the limit keeps the proposal", {{3, "U"}}, QByteArray::fromHex("010a08010042"), "800H",
         "AH", {{10, 0x42}}, {}},
        {"a file that ends in its header", {{3, "U"}}, QByteArray::fromHex("010a"), "", "0H", {{0, 0}}, {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Chips chips;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("in.COD"));
        ASSERT_TRUE(writeFile(path, k.file));
        MemDataEntry entry;
        for (const auto& [u, flag] : k.chips) {
            entry.Chips.push_back(chips.ic(u));
            entry.ChipFlags.push_back(flag);
        }
        chips.prompter.answerFile(path);
        chips.prompter.answerInput(QString::fromUtf8(k.answer));
        circuit::loadMemoryDataCommand(chips.env, chips.setup({entry}, {}), 0);
        ASSERT_EQ(chips.prompter.asked().size(), 2u);
        EXPECT_EQ(chips.prompter.asked()[1].input.defaultText, QString::fromUtf8(k.proposal));
        for (const auto& [a, v] : k.cellsOfFirst) EXPECT_EQ(chips.cell(k.chips[0].first, a), v) << a;
        for (const auto& [a, v] : k.cellsOfSecond) EXPECT_EQ(chips.cell(k.chips[1].first, a), v) << a;
        EXPECT_TRUE(chips.prompter.messages().empty());
    }
}

TEST(MemoryData, FilesThatCannotBeLoaded) {
    QTemporaryDir dir;
    const QString wrong = dir.filePath(QStringLiteral("wrong.COD"));
    ASSERT_TRUE(writeFile(wrong, QByteArray::fromHex("0200080100ff")));
    const QString empty = dir.filePath(QStringLiteral("empty.COD"));
    ASSERT_TRUE(writeFile(empty, {}));
    const struct {
        const char* name;
        QString path;
        const char* message;
    } cases[] = {
        {"first byte not 1", wrong, "文件格式不符！！"},
        {"empty", empty, "文件格式不符！！"},
        {"not there", dir.filePath(QStringLiteral("missing.COD")), "文件已被打开、被保护或已损坏，无法打开！！"},
        {"a folder", dir.path(), "文件已被打开、被保护或已损坏，无法打开！！"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Chips chips;
        chips.prompter.answerFile(k.path);
        circuit::loadMemoryDataCommand(chips.env, chips.setup({chips.entry({{3, "U"}})}, {}), 0);
        const auto messages = chips.prompter.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QString::fromUtf8(k.message));
        EXPECT_EQ(messages[0].title, QStringLiteral(" 信息提示！"));
        EXPECT_EQ(messages[0].icon, platform::MsgIcon::Information);
        EXPECT_EQ(chips.prompter.asked().size(), 2u) << "no address box";
        EXPECT_EQ(chips.cell(3, 0), 0);
    }
}

TEST(MemoryData, AFailedSaveLeavesTheOldFileWhole) {
    Chips chips;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.COD"));
    const QByteArray old(64, 'k');
    ASSERT_TRUE(writeFile(path, old));
    chips.prompter.answerInput(QStringLiteral("0H"));
    chips.prompter.answerInput(QStringLiteral("20H"));
    chips.prompter.answerFile(path);
    {
        // The disk takes no more than 16 bytes of any file.
        testsupport::FileSizeLimit limit(16);
        ASSERT_TRUE(limit.ok());
        circuit::saveMemoryDataCommand(chips.env, chips.setup({}, {chips.entry({{1, "U"}})}), 0);
    }
    const auto messages = chips.prompter.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("文件已被打开、被保护或已损坏，无法打开！！"));
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.COD")}) << "no temporary left";
}

TEST(MemoryData, CancelledDialogsAndEntriesTheSetupDoesNotHave) {
    Chips chips;
    const schematic::CircuitSetup setup = chips.setup({chips.entry({{3, "U"}})}, {chips.entry({{1, "U"}})});
    circuit::loadMemoryDataCommand(chips.env, setup, 1);
    circuit::saveMemoryDataCommand(chips.env, setup, -1);
    EXPECT_TRUE(chips.prompter.asked().empty());
    circuit::loadMemoryDataCommand(chips.env, setup, 0);  // the open dialog cancelled
    EXPECT_EQ(chips.prompter.asked().size(), 1u);
    chips.prompter.clear();
    circuit::saveMemoryDataCommand(chips.env, setup, 0);  // boxes and dialog cancelled
    EXPECT_EQ(chips.prompter.asked().size(), 3u);
    EXPECT_TRUE(chips.prompter.messages().empty());
}

// A student who started the program from a desktop launcher finds the lab's
// files at once, and after that the folder of the last file chosen, loaded or
// saved; a cancelled dialog changes nothing.
TEST(MemoryData, DialogsStartInTheDataFolderThenWhereTheLastFileWasChosen) {
    Chips chips;
    testsupport::ProgramFolder home;
    ASSERT_TRUE(home.write(QStringLiteral("Data/ram2.cod"), QByteArray::fromHex("0100080100aa")));
    QTemporaryDir elsewhere;
    const QString saved = elsewhere.filePath(QStringLiteral("mine.COD"));
    const schematic::CircuitSetup setup = chips.setup({chips.entry({{3, "U"}})}, {chips.entry({{3, "U"}})});
    const QString data = QDir(home.path()).filePath(QStringLiteral("Data"));

    circuit::loadMemoryDataCommand(chips.env, setup, 0);  // cancelled
    chips.prompter.answerFile(QDir(data).filePath(QStringLiteral("ram2.cod")));
    circuit::loadMemoryDataCommand(chips.env, setup, 0);
    EXPECT_EQ(chips.cell(3, 0), 0xAA);
    chips.prompter.answerFile(saved);
    circuit::saveMemoryDataCommand(chips.env, setup, 0);
    circuit::loadMemoryDataCommand(chips.env, setup, 0);  // cancelled

    std::vector<QString> folders;
    for (const auto& a : chips.prompter.asked())
        if (a.kind != ScriptedPrompter::Asked::Input) folders.push_back(a.file.initialDir);
    EXPECT_EQ(folders, (std::vector<QString>{data, data, data, elsewhere.path()}));
}

TEST(MemoryData, TheLoadButtonRefreshesInSingleStepModeOnly) {
    UsartFrame f;
    int refreshes = 0;
    f.parts().refreshStateViews = [&](circuit::widgets::Form7&) { ++refreshes; };
    f.parts().loadMemoryData(f.window(), 0);  // the circuit has no load entry
    EXPECT_EQ(refreshes, 1);
    f.window().Command5()->setText(QString::fromUtf16(circuit::widgets::kContinuousCaption));
    f.parts().loadMemoryData(f.window(), 0);
    EXPECT_EQ(refreshes, 1);
}
