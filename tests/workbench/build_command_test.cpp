#include "workbench/build_command.h"

#include <gtest/gtest.h>

using namespace workbench;

namespace {
const WorkNames kNames{"AB12CD34", "EF56GH78.EXE", ""};
const WorkNames kNamesIns{"AB12CD34", "EF56GH78.EXE", "IJ90KL12.INS"};
}  // namespace

TEST(BuildCommand, BatchLinesOfTheBannerEditions) {
    struct Case {
        const editions::EditionProfile& profile;
        WorkNames names;
        AssemblerOptions options;
        const char* line;
        QStringList args;
    };
    const Case cases[] = {
        {editions::profileCorvane16(), kNames, {true, true},
         "EF56GH78.EXE -TH -E AB12CD34.ASM * * > AB12CD34.TMP", {"-TH", "-E", "AB12CD34.ASM", "*", "*"}},
        {editions::profileCorvane16(), kNamesIns, {false, true},
         "EF56GH78.EXE -TH -G -E -IIJ90KL12.INS AB12CD34.ASM * * > AB12CD34.TMP",
         {"-TH", "-G", "-E", "-IIJ90KL12.INS", "AB12CD34.ASM", "*", "*"}},
        {editions::profileCorvane16(), kNames, {false, false},
         "EF56GH78.EXE -TH -G AB12CD34.ASM * * > AB12CD34.TMP", {"-TH", "-G", "AB12CD34.ASM", "*", "*"}},
        {editions::profileCorvane8(), kNames, {true, true},
         "EF56GH78.EXE -T8 -E AB12CD34.ASM * * > AB12CD34.TMP", {"-T8", "-E", "AB12CD34.ASM", "*", "*"}},
    };
    for (const auto& c : cases) {
        const BuildCommand cmd = makeBuildCommand(c.profile.assembler, c.names, c.options);
        EXPECT_EQ(cmd.batchLine, QString::fromLatin1(c.line));
        EXPECT_EQ(cmd.batchFile, QByteArray(c.line) + "\r\n\r\n");
        EXPECT_EQ(cmd.arguments, c.args) << c.line;
        EXPECT_TRUE(cmd.responseFile.isEmpty());
        EXPECT_TRUE(cmd.stdinFile.isEmpty());
        EXPECT_EQ(cmd.stdoutFile, "AB12CD34.TMP");
    }
}

TEST(BuildCommand, BaseEditionFeedsAResponseFileAndNoOptions) {
    // The base edition's response file holds T as generated, not upper-cased.
    const WorkNames names{"ab12CD34", "QR12ST34.COM", ""};
    const BuildCommand cmd = makeBuildCommand(editions::profileCorvane().assembler, names, {false, true});
    EXPECT_EQ(cmd.batchLine, "QR12ST34.COM AB12CD34.ASM < AB12CD34.TXT > AB12CD34.TMP");
    EXPECT_EQ(cmd.batchFile, QByteArray("QR12ST34.COM AB12CD34.ASM < AB12CD34.TXT > AB12CD34.TMP\r\n\r\n"));
    EXPECT_EQ(cmd.responseFile, QByteArray("ab12CD34\r\n\r\n"));
    EXPECT_EQ(cmd.arguments, QStringList{"AB12CD34.ASM"});
    EXPECT_EQ(cmd.stdinFile, "AB12CD34.TXT");
    EXPECT_EQ(assemblerExtension(editions::profileCorvane().assembler), ".COM");
    EXPECT_EQ(assemblerExtension(editions::profileCorvane16().assembler), ".EXE");
}
