#pragma once
// A circuit of one 8251: U1 8251 with D7..D0 on the input bus D, CS̅ on the
// switch CS (1) and C/D̅ on the switch CD (1); the clock CLK (idle 1,
// continuous run offered) makes a write cycle while it is low when the switch
// WE is 1 (WR̅ = NAND(not CLK, WE)) and a read cycle while it is high when the
// switch RE is 1 (RD̅ = NAND(CLK, RE)), through U2 74LS04 and U3 74LS00. Reads
// and writes are kept apart, since a read drives the data lines.

#include <QString>

#include <string>

#include "schematic/sch_model.h"
#include "schgen/sch_writer.h"
#include "schgen/sheet_draft.h"

namespace circuittest {

inline schematic::SchSheet usartSheet() {
    constexpr int kUsartD[8] = {27, 28, 1, 2, 5, 6, 7, 8};  // D0..D7
    schgen::SheetDraft d(1200, 700);
    const int u1 = d.ic("U1", "8251", 300, 150);
    for (int i = 0; i < 8; ++i) d.net(u1, kUsartD[i], "D" + std::to_string(i));
    d.net(u1, 11, "CS");
    d.net(u1, 12, "CD");
    d.net(u1, 10, "WR");
    d.net(u1, 13, "RD");
    const int u2 = d.ic("U2", "74LS04", 800, 100);
    d.net(u2, 1, "CLK");
    d.net(u2, 2, "CLKN");
    const int u3 = d.ic("U3", "74LS00", 800, 400);
    d.net(u3, 1, "CLKN");
    d.net(u3, 2, "WE");
    d.net(u3, 3, "WR");
    d.net(u3, 4, "CLK");
    d.net(u3, 5, "RE");
    d.net(u3, 6, "RD");
    for (const char* s : {"CLK(S/C):CLK 1", "CS 1", "CD 1", "WE 1", "RE 0", "D7..0 3"})
        d.directive(schematic::SchElementKind::SimStimulus, s);
    return d.sheet();
}

inline bool writeUsartCircuit(const QString& path) { return schgen::writeSchFile(usartSheet(), path.toStdString()); }

}  // namespace circuittest
