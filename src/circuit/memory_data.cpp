#include "circuit/memory_data.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "circuit/console_actions.h"
#include "circuit/environment.h"
#include "link/codefile/code_file.h"
#include "platform/program_folder.h"
#include "platform/prompter.h"
#include "platform/whole_file.h"
#include "sim/simulator.h"

namespace circuit {
namespace {

const QString kInfoTitle = QStringLiteral(" 信息提示！");

// Open-file-name flags: the file and its path must exist, no read-only box or
// file, links not followed; the save also confirms overwriting and creating.
constexpr int kOpenFlags = 1087492;
constexpr int kSaveFlags = 1091590;

platform::FileRequest codeFileRequest(const QString& title, int flags, const QString& folder) {
    platform::FileRequest request;
    request.title = title;
    // A student starting the program from a launcher would otherwise begin in
    // a folder that has nothing to do with the lab.
    request.initialDir = folder.isEmpty() ? platform::programFile(QStringLiteral("data")) : folder;
    // Files written elsewhere often carry the suffix in lower case.
    request.filter = QStringLiteral("Codes (*.COD)|*.COD;*.cod");
    request.defaultExt = QStringLiteral("COD");
    request.flags = flags;
    return request;
}

void informUser(const QString& text) {
    platform::MsgBox(text, platform::MsgButtons::Ok, kInfoTitle, platform::MsgIcon::Information);
}

void tellFileTrouble() { informUser(QStringLiteral("文件已被打开、被保护或已损坏，无法打开！！")); }

QString addressHex(int32_t value) { return QString::number(value, 16).toUpper(); }

// An address box: the answer by the box's number rule, or `defaultValue`.
int32_t askAddress(const QString& firstLine, int32_t defaultValue) {
    const QString prompt =
        firstLine + QLatin1Char('\n') +
        QStringLiteral("    输入数据末尾为字符'B'，表示数据为二进制；为字符'H'，表示数据为十六进制；否则表示数据为十进制。");
    const std::optional<QString> answer =
        platform::InputBox(prompt, QStringLiteral("请确认！！"), addressHex(defaultValue) + QLatin1Char('H'));
    return addressBoxNumber(answer.value_or(QString())).value_or(defaultValue);
}

}  // namespace

int32_t memoryChipSize(const sim::Simulator& simulator, int32_t ic) {
    return sim::Simulator::isIc(ic) ? sim::memoryCells(simulator.IcTable[static_cast<std::size_t>(ic)].Type) : 0;
}

bool chipTakesPart(const sim::Simulator& simulator, const schematic::MemDataEntry& entry, int32_t k) {
    if (k < 0 || k >= entry.ChipCount()) return false;
    const std::size_t i = static_cast<std::size_t>(k);
    return i < entry.ChipFlags.size() && entry.ChipFlags[i] == "U" && memoryChipSize(simulator, entry.Chips[i]) > 0;
}

int32_t memoryAddressLimit(const sim::Simulator& simulator, const schematic::MemDataEntry& entry) {
    int32_t limit = 0;
    for (int32_t k = 0; k < entry.ChipCount(); ++k) {
        if (!chipTakesPart(simulator, entry, k)) continue;
        const int32_t size = memoryChipSize(simulator, entry.Chips[static_cast<std::size_t>(k)]);
        if (k == 0 || limit > size) limit = size;
    }
    return limit;
}

std::optional<int32_t> addressBoxNumber(const QString& answer) {
    const QString t = answer.trimmed();
    const qsizetype length = t.size();
    if (length < 2) return std::nullopt;
    const char16_t last = t.back().unicode();
    int base = 10;
    qsizetype digits = std::min<qsizetype>(length, 5);
    if (last == 'H' || last == 'h') {
        base = 16;
        digits = std::min<qsizetype>(length - 1, 4);
    } else if (last == 'B' || last == 'b') {
        base = 2;
        digits = std::min<qsizetype>(length - 1, 16);
    }
    return static_cast<int32_t>(digitsValue(t, static_cast<int>(digits), base));
}

int32_t proposedLoadAddress(uint16_t startWord, int32_t limit) {
    // A word of 0x8000 and more is no address of these chips (read as a signed
    // word it would be a negative one).
    if (startWord >= 0x8000) return 0;
    int32_t address = startWord;
    if (address >= kMemoryDataAddressOffset) address -= kMemoryDataAddressOffset;
    return address >= limit ? 0 : address;
}

MemoryLoad loadMemoryData(sim::Simulator& simulator, const schematic::MemDataEntry& entry,
                          std::span<const uint8_t> file,
                          const std::function<int32_t(int32_t proposed, int32_t limit)>& chooseStart) {
    if (file.empty() || file[0] != 1) return MemoryLoad::NotMemoryData;
    const int32_t chips = entry.ChipCount();
    const int32_t limit = memoryAddressLimit(simulator, entry);
    // A file that ends inside its header holds nothing to load.
    const codefile::CodeFile parsed = codefile::parseCodeFile(file, std::max(chips, 1));
    const codefile::CodeBlock none{};
    const codefile::CodeBlock& block = parsed.blocks.empty() ? none : parsed.blocks.front();
    const int32_t start = std::max(0, chooseStart(proposedLoadAddress(block.segment.address, limit), limit));
    if (chips < 1) return MemoryLoad::Loaded;

    // The data holds at most count x chips bytes: the count is read unsigned.
    for (std::size_t i = 0; i < block.data.size(); ++i) {
        const int32_t k = static_cast<int32_t>(i % static_cast<std::size_t>(chips));
        if (!chipTakesPart(simulator, entry, k)) continue;
        const int32_t address = start + static_cast<int32_t>(i / static_cast<std::size_t>(chips));
        const int32_t chip = entry.Chips[static_cast<std::size_t>(k)];
        if (address >= memoryChipSize(simulator, chip)) break;
        simulator.WriteIcMemory(address, block.data[i], chip);
    }
    return MemoryLoad::Loaded;
}

std::vector<uint8_t> memoryDataFile(const sim::Simulator& simulator, const schematic::MemDataEntry& entry,
                                    int32_t start, int32_t count) {
    codefile::CodeBlock block;
    block.segment.address = static_cast<uint16_t>(start + kMemoryDataAddressOffset);
    block.segment.count = static_cast<uint16_t>(count);
    uint8_t last = 0;
    for (int32_t address = start; address < start + count; ++address) {
        for (int32_t k = 0; k < entry.ChipCount(); ++k) {
            if (chipTakesPart(simulator, entry, k)) {
                const int32_t chip = entry.Chips[static_cast<std::size_t>(k)];
                if (address >= memoryChipSize(simulator, chip)) return *codefile::encodeCodeFile({&block, 1});
                last = static_cast<uint8_t>(simulator.ReadIcMemory(address, chip) & 0xFF);
            }
            block.data.push_back(last);
        }
    }
    return *codefile::encodeCodeFile({&block, 1});
}

void loadMemoryDataCommand(Environment& environment, const schematic::CircuitSetup& setup, int index) {
    if (index < 0 || index >= setup.LoadMemCount()) return;
    sim::Simulator& simulator = environment.simulator;
    const schematic::MemDataEntry& entry = setup.LoadMems[static_cast<std::size_t>(index)];
    const std::optional<QString> path = platform::prompter().openFile(
        codeFileRequest(QStringLiteral("打开文件"), kOpenFlags, environment.memoryDataFolder));
    if (!path || path->isEmpty()) return;
    environment.memoryDataFolder = QFileInfo(*path).absolutePath();

    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) return tellFileTrouble();
    // Nothing beyond the largest block a header can announce is ever read.
    const qint64 most = 1 + static_cast<qint64>(codefile::kHeaderBytes) + 0xFFFFLL * std::max(entry.ChipCount(), 1);
    const QByteArray bytes = file.read(most);
    if (file.error() != QFileDevice::NoError) return tellFileTrouble();
    file.close();

    const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                        static_cast<std::size_t>(bytes.size()));
    const MemoryLoad result = loadMemoryData(simulator, entry, data, [](int32_t proposed, int32_t limit) {
        const int32_t answer =
            askAddress(QStringLiteral("数据写入到器件中的起始地址(0-%1H)：").arg(addressHex(limit)), proposed);
        return answer < limit ? answer : proposed;
    });
    if (result == MemoryLoad::NotMemoryData) informUser(QStringLiteral("文件格式不符！！"));
}

void saveMemoryDataCommand(Environment& environment, const schematic::CircuitSetup& setup, int index) {
    if (index < 0 || index >= setup.SaveMemCount()) return;
    const sim::Simulator& simulator = environment.simulator;
    const schematic::MemDataEntry& entry = setup.SaveMems[static_cast<std::size_t>(index)];
    const int32_t limit = memoryAddressLimit(simulator, entry);
    int32_t start = askAddress(QStringLiteral("保存器件中数据的起始地址(0-%1H)：").arg(addressHex(limit)), 0);
    if (start >= limit) start = 0;
    const int32_t room = limit - start;
    int32_t count = askAddress(QStringLiteral("保存器件中数据的长度(1-%1H)：").arg(addressHex(room)), room);
    if (count < 1 || count > room) count = room;

    const std::optional<QString> path = platform::prompter().saveFile(
        codeFileRequest(QStringLiteral("保存文件为"), kSaveFlags, environment.memoryDataFolder));
    if (!path || path->isEmpty()) return;
    environment.memoryDataFolder = QFileInfo(*path).absolutePath();
    const std::vector<uint8_t> bytes = memoryDataFile(simulator, entry, start, count);
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    if (!platform::writeWholeFile(*path, data).ok) tellFileTrouble();
}

}  // namespace circuit
