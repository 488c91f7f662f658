#include "editions/edition_profile.h"

#include <gtest/gtest.h>

using namespace editions;

TEST(EditionProfile, ValuesPerEdition) {
    struct Row {
        const EditionProfile& p;
        const char* title;
        const char* send;
        const char* recv;
        int regs, mem, d, r, u, bpl, placeholder;
        bool asmOptions;
    };
    const Row rows[] = {
        {profileCorvane16(), "Corvane16 计算机组成原理实验软件 1.0.5版", "G078B", "G0769", 17, 120, 1120, 210, 570, 2, 102, true},
        {profileCorvane(), "Corvane 计算机组成原理实验软件 1.0.5版", "G033E", "G0322", 17, 120, 1120, 198, 480, 2, 105, false},
        {profileCorvane8(), "Corvane8 计算机组成原理实验软件 1.0.5版", "G 1F00", "G 1F57", 13, 128, 440, 120, 432, 1, 102, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        EXPECT_EQ(row.p.appTitle(), row.title);
        EXPECT_EQ(row.p.sendDataCmd, row.send);
        EXPECT_EQ(row.p.recvDataCmd, row.recv);
        EXPECT_EQ(row.p.registerRowCount, row.regs);
        EXPECT_EQ(row.p.memoryRowCount, row.mem);
        EXPECT_EQ(row.p.expected.memory, row.d);
        EXPECT_EQ(row.p.expected.registers, row.r);
        EXPECT_EQ(row.p.expected.unassemble, row.u);
        EXPECT_EQ(row.p.expected.runStep, 6);
        EXPECT_EQ(row.p.bytesPerLocation, row.bpl);
        EXPECT_EQ(row.p.listingPlaceholderId, row.placeholder);
        EXPECT_EQ(row.p.asmOptionsOffered, row.asmOptions);
    }
    EXPECT_EQ(profileCorvane16().registerRows[4], "SP(R4)");
    EXPECT_EQ(profileCorvane16().registerRows[16], "F");
    EXPECT_EQ(profileCorvane8().registerRows[12], "STATE");
    EXPECT_EQ(profileCorvane().assembler.program, "ZOVO.COM");
    EXPECT_TRUE(profileCorvane().assembler.responseFile);
    EXPECT_EQ(profileCorvane8().assembler.modeSwitch, " -t8");
}

TEST(EditionProfile, AddressParameter) {
    struct Case { long long v; const char* wide; const char* narrow; };
    const Case cases[] = {{0, "0", " 0000"}, {0x1000, "1000", " 1000"}, {99999, "1869F", " 869F"}, {0xABC, "ABC", " 0ABC"}};
    for (const auto& c : cases) {
        EXPECT_EQ(profileCorvane16().addressParam(c.v), c.wide);
        EXPECT_EQ(profileCorvane().addressParam(c.v), c.wide);
        EXPECT_EQ(profileCorvane8().addressParam(c.v), c.narrow);
    }
}
