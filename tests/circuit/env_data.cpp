#include "env_data.h"

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

#include "circuit/loaded_circuit.h"
#include "schgen/sch_writer.h"
#include "schgen/sheet_draft.h"

namespace circuittest {

namespace {

using schematic::SchElementKind;

// Package pins, least significant bit first.
constexpr int kRegD[8] = {3, 4, 7, 8, 13, 14, 17, 18};   // 74LS273 / 74LS374 D0..D7
constexpr int kRegQ[8] = {2, 5, 6, 9, 12, 15, 16, 19};   // Q0..Q7
constexpr int kBufA[8] = {2, 4, 6, 8, 11, 13, 15, 17};   // 74LS244 1A1..1A4, 2A1..2A4
constexpr int kBufY[8] = {18, 16, 14, 12, 9, 7, 5, 3};   // 1Y1..1Y4, 2Y1..2Y4
constexpr int kMemA[11] = {8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19};  // 6116 and 2732 A0..A10
constexpr int kMemD[8] = {9, 10, 11, 13, 14, 15, 16, 17};        // D0..D7
constexpr int kUsartD[8] = {27, 28, 1, 2, 5, 6, 7, 8};            // 8251 D0..D7

std::string bit(const char* bus, int i) { return bus + std::to_string(i); }

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool writeSheet(const schgen::SheetDraft& d, const QString& path) {
    return schgen::writeSchFile(d.sheet(), path.toStdString());
}

// Rich text with one paragraph per line; non-ASCII characters as \u escapes.
QByteArray rtf(const QStringList& lines) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil Song;}}\\f0\\fs20 ";
    for (const QString& line : lines) {
        for (const QChar c : line) {
            const ushort u = c.unicode();
            if (u == '\\' || u == '{' || u == '}') out += '\\';
            if (u < 128) out += static_cast<char>(u);
            else out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
        out += "\\par\n";
    }
    return out + "}";
}

// The ICs of the basic circuit at their places, named as both drawings name them.
void placeBasicIcs(schgen::SheetDraft& d, int dx, int dy) {
    auto at = [&](int x, int y) { return std::pair{x + dx, y + dy}; };

    auto [x1, y1] = at(150, 120);
    const int u1 = d.ic("U1", "74LS273", x1, y1);
    for (int i = 0; i < 8; ++i) {
        d.net(u1, kRegD[i], bit("D", i));
        d.net(u1, kRegQ[i], bit("Q", i));
    }
    d.net(u1, 11, "CP");
    d.net(u1, 1, "RST");

    auto [x2, y2] = at(520, 120);
    const int u2 = d.ic("U2", "74LS244", x2, y2);
    auto [x3, y3] = at(880, 120);
    const int u3 = d.ic("U3", "74LS244", x3, y3);
    for (int i = 0; i < 8; ++i) {
        d.net(u2, kBufA[i], bit("Q", i));
        d.net(u2, kBufY[i], bit("BUS", i));
        d.net(u3, kBufA[i], bit("D", i));
        d.net(u3, kBufY[i], bit("BUS", i));
    }
    for (int g : {1, 19}) {
        d.net(u2, g, "OE1");
        d.net(u3, g, "OE2");
    }

    auto [x4, y4] = at(150, 560);
    const int u4 = d.ic("U4", "6116", x4, y4, {"ram.bin"});
    auto [x5, y5] = at(520, 560);
    const int u5 = d.ic("U5", "2732", x5, y5, {"rom.bin"});
    for (int i = 0; i < 11; ++i) {
        d.net(u4, kMemA[i], "GND");
        d.net(u5, kMemA[i], "GND");
    }
    d.net(u5, 21, "GND");
    for (int i = 0; i < 8; ++i) {
        d.net(u4, kMemD[i], bit("BUS", i));
        d.net(u5, kMemD[i], bit("ROM", i));
    }
    d.net(u4, 18, "CS");
    d.net(u4, 20, "RD");
    d.net(u4, 21, "WR");
    d.net(u5, 18, "ROMCS");
    d.net(u5, 20, "ROMCS");

    auto [x6, y6] = at(880, 560);
    const int u6 = d.ic("U6", "8251", x6, y6);
    for (int i = 0; i < 8; ++i) d.net(u6, kUsartD[i], bit("BUS", i));
    d.net(u6, 11, "CS51");
    d.net(u6, 12, "CD");
    d.net(u6, 13, "RD51");
    d.net(u6, 10, "WR51");

    auto [x7, y7] = at(1240, 120);
    const int u7 = d.ic("U7", "74LS374", x7, y7);
    for (int i = 0; i < 8; ++i) {
        d.net(u7, kRegD[i], bit("BUS", i));
        d.net(u7, kRegQ[i], bit("R", i));
    }
    d.net(u7, 11, "CP");
    d.net(u7, 1, "GND");
}

schgen::SheetDraft basicCircuit() {
    schgen::SheetDraft d(1600, 1000);
    placeBasicIcs(d, 0, 0);
    d.textFrame(1150, 560, 1500, 700, {"寄存器与总线实验电路", "U1 寄存器，U2/U3 总线缓冲"});
    for (const char* s : {"CLK(S/C):CP 0", "RESET:RST 1", "OE1 1", "OE2 1", "CS 1", "RD 1", "WR 1", "ROMCS 1",
                          "CS51 1", "CD 0", "RD51 1", "WR51 1", "D7..0 65"}) {
        d.directive(SchElementKind::SimStimulus, s);
    }
    for (const char* s : {"(Q寄存器)Q7..0", "(总线)BUS7..4,BUS3..0", "IC:(寄存器)U1.Q,U6.Con U6.Out"})
        d.directive(SchElementKind::SimProbe, s);
    for (const char* s : {"LoadMemData:(载入RAM)U4.U", "SaveMemData:(保存ROM)U5.U",
                          "Lab:(diag1.sch)寄存器实验 lab1.rtf (说明)lab1b.rtf", "Lab:总线实验 lab2.rtf missing.rtf",
                          "VrPcb:board.sch"}) {
        d.directive(SchElementKind::SimVector, s);
    }
    return d;
}

schgen::SheetDraft boardDrawing() {
    schgen::SheetDraft d(1700, 1100);
    d.rectangle(40, 40, 1660, 1060);
    placeBasicIcs(d, 60, 40);
    d.label(80, 80, "VAZ BOARD");
    return d;
}

schgen::SheetDraft blockDiagram() {
    schgen::SheetDraft d(1000, 600);
    d.textFrame(100, 100, 300, 200, {"数据开关 D7..D0"});
    d.textFrame(400, 100, 600, 200, {"寄存器 U1"});
    d.textFrame(700, 100, 900, 200, {"缓冲器 U2"});
    d.line(300, 150, 400, 150);
    d.line(600, 150, 700, 150);
    d.textFrame(100, 350, 900, 450, {"总线 BUS7..BUS0"});
    d.line(800, 200, 800, 350);
    return d;
}

}  // namespace

bool writeBasicData(const QString& home) {
    const QString data = QDir(home).filePath(QStringLiteral("data"));
    if (!QDir().mkpath(data)) return false;
    const QDir dir(data);
    bool ok = writeSheet(basicCircuit(), dir.filePath(QString::fromUtf16(circuit::kDefaultCircuitFile)));
    ok = writeSheet(boardDrawing(), dir.filePath(QStringLiteral("board.sch"))) && ok;
    ok = writeSheet(blockDiagram(), dir.filePath(QStringLiteral("diag1.sch"))) && ok;
    ok = writeBytes(dir.filePath(QStringLiteral("lab1.rtf")),
                    rtf({QStringLiteral("寄存器实验"), QStringLiteral("按时钟脉冲把数据开关的值打入寄存器 U1。")})) && ok;
    ok = writeBytes(dir.filePath(QStringLiteral("lab1b.rtf")), rtf({QStringLiteral("说明：RST 为低时寄存器清零。")})) && ok;
    ok = writeBytes(dir.filePath(QStringLiteral("lab2.rtf")), rtf({QStringLiteral("总线实验")})) && ok;
    QByteArray ram(100, '\0'), rom(5000, '\0');
    for (int i = 0; i < ram.size(); ++i) ram[i] = static_cast<char>(0xFF - i);
    for (int i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>(i & 0xFF);
    ok = writeBytes(dir.filePath(QStringLiteral("ram.bin")), ram) && ok;
    ok = writeBytes(dir.filePath(QStringLiteral("rom.bin")), rom) && ok;
    return ok;
}

bool writeInverterCircuit(const QString& path) {
    schgen::SheetDraft d(600, 400);
    const int u1 = d.ic("U1", "74LS04", 200, 100);
    d.net(u1, 1, "A");
    d.net(u1, 2, "Y");
    d.directive(SchElementKind::SimStimulus, "A 0");
    return writeSheet(d, path);
}

bool writeLargeCircuit(const QString& path, int icCount) {
    // Two chains: 74LS00 four gates wide, each gate's inputs tied together, and
    // 74LS04 six inverters wide; every IC's outputs feed the next IC of its chain.
    const int nandChips = icCount * 3 / 4;
    const int inverterChips = icCount - nandChips;
    constexpr int kNandIn[4] = {1, 4, 9, 12}, kNandIn2[4] = {2, 5, 10, 13}, kNandOut[4] = {3, 6, 8, 11};
    constexpr int kInvIn[6] = {1, 3, 5, 9, 11, 13}, kInvOut[6] = {2, 4, 6, 8, 10, 12};
    constexpr int kColumns = 20, kCellX = 400, kCellY = 220;
    schgen::SheetDraft d(kColumns * kCellX + 200, ((icCount + kColumns - 1) / kColumns) * kCellY + 200);
    auto place = [&](int i, const char* type) {
        return d.ic("U" + std::to_string(i + 1), type, 100 + (i % kColumns) * kCellX, 100 + (i / kColumns) * kCellY);
    };
    auto name = [](const char* chain, int stage, int gate) {
        return std::string(chain) + std::to_string(stage) + "_" + std::to_string(gate);
    };
    for (int k = 0; k < nandChips; ++k) {
        const int u = place(k, "74LS00");
        for (int g = 0; g < 4; ++g) {
            d.net(u, kNandIn[g], name("A", k, g));
            d.net(u, kNandIn2[g], name("A", k, g));
            d.net(u, kNandOut[g], name("A", k + 1, g));
        }
    }
    for (int k = 0; k < inverterChips; ++k) {
        const int u = place(nandChips + k, "74LS04");
        for (int g = 0; g < 6; ++g) {
            d.net(u, kInvIn[g], name("B", k, g));
            // The last inverters' outputs stay open: the tables hold 910 nets.
            if (k + 1 < inverterChips) d.net(u, kInvOut[g], name("B", k + 1, g));
        }
    }
    d.directive(SchElementKind::SimStimulus, "A0_0 0");
    d.directive(SchElementKind::SimStimulus, "B0_0 0");
    return writeSheet(d, path);
}

}  // namespace circuittest
