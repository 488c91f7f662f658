#include "workbench/build_output_parser.h"

#include <gtest/gtest.h>

using namespace workbench;
using Kind = BuildVerdict::Kind;

namespace {
const QString kBanner = QStringLiteral("VAZ-2000 Assembler 2.52\r\n(c) stand-in\r\n\r\n");

BuildOutput out(const QString& text, const QString& i = {}) {
    return BuildOutput{text, "AB12CD34", i, "/home/u/my src/prog.asm", "/home/u/ext.ins", "prog"};
}

struct ParseCase {
    const char* name;
    QString text;
    Kind kind;
    QString message;  // empty: not checked
    int line;
    bool showIns = false;
    QString i = {};
};
}  // namespace

TEST(BuildOutputParser, BannerRules) {
    const auto& a = editions::profileCorvane16().assembler;
    const ParseCase cases[] = {
        {"success", kBanner + "Code file AB12CD34.COD generated successfully.\r\n", Kind::Success,
         "Code file \"prog.COD\" generated successfully.", 0},
        {"success is found in any case", kBanner + "CODE FILE X.COD GENERATED SUCCESSFULLY.\r\n", Kind::Success, "", 0},
        {"no banner: the message starts at line 4",
         "l1\r\nl2\r\nl3\r\nError in AB12CD34.ASM at 5, line 7: x\r\n", Kind::SourceError,
         "Error in \"/home/u/my src/prog.asm\" at 5, line 7: x\r\n", 7},
        {"upper-case echo of the work name is replaced",
         kBanner + "Error in ab12cd34.Asm at 1, line 3: bad\r\nsee AB12CD34.ASM\r\n", Kind::SourceError,
         "Error in \"/home/u/my src/prog.asm\" at 1, line 3: bad\r\nsee \"/home/u/my src/prog.asm\"\r\n", 3},
        {"leading blanks of the message are trimmed, line ends kept",
         kBanner + "   Error in AB12CD34.ASM at 1, line  12: x\r\n  ", Kind::SourceError,
         "Error in \"/home/u/my src/prog.asm\" at 1, line  12: x\r\n", 12},
        {"line 0 is not marked", kBanner + "Error in AB12CD34.ASM at 1, line 0: x\r\n", Kind::SourceError, "", 0},
        {"line 65536 is not marked", kBanner + "Error in AB12CD34.ASM at 1, line 65536: x\r\n", Kind::SourceError, "",
         0},
        {"line 65535 is marked", kBanner + "Error in AB12CD34.ASM at 1, line 65535: x\r\n", Kind::SourceError, "",
         65535},
        {"no \", line \" marks nothing", kBanner + "Error in AB12CD34.ASM at 1: x\r\n", Kind::SourceError, "", 0},
        {"the last \", line \" before the line end counts",
         kBanner + "Error in AB12CD34.ASM at 1, line 4, line 9: x\r\nnext, line 20\r\n", Kind::SourceError, "", 9},
        {"an error naming neither file is shown as it is", kBanner + "Error in macro at 3, line 2\r\n", Kind::Other,
         "Error in macro at 3, line 2\r\n", 0},
        {"an error in the extension file",
         kBanner + "Error in IJ90KL12.INS at 1, line 2: bad\r\n", Kind::InsError,
         "Error in \"/home/u/ext.ins\" at 1, line 2: bad\r\n", 2, true, "IJ90KL12.INS"},
        {"an extension-file error without a line number", kBanner + "Error in IJ90KL12.INS at 1\r\n", Kind::InsError,
         "", 0, false, "IJ90KL12.INS"},
        {"anything else is shown", kBanner + "Warning: nothing to do\r\n", Kind::Other, "Warning: nothing to do\r\n", 0},
        {"only three line ends after the banner", "VAZ-2000 Assembler 2.52\r\na\r\nb\r\nCode file", Kind::RawOutput,
         "VAZ-2000 Assembler 2.52\r\na\r\nb\r\nCode file", 0},
        {"empty output", "", Kind::RawOutput, "", 0},
        {"bare LF line ends are not line ends", "a\nb\nc\nd\n", Kind::RawOutput, "a\nb\nc\nd\n", 0},
    };
    for (const auto& c : cases) {
        const BuildVerdict v = parseBuildOutput(a, out(c.text, c.i));
        EXPECT_EQ(int(v.kind), int(c.kind)) << c.name;
        if (!c.message.isEmpty() || c.kind == Kind::RawOutput) {
            EXPECT_EQ(v.message, c.message) << c.name;
        }
        EXPECT_EQ(v.line, c.line) << c.name;
        EXPECT_EQ(v.showIns, c.showIns) << c.name;
    }
}

TEST(BuildOutputParser, ResponseFileRules) {
    const auto& a = editions::profileCorvane().assembler;
    const QString head = QStringLiteral("ZOVO\r\nSource file name [.ASM]: AB12CD34\r\n");
    const ParseCase cases[] = {
        {"success shows two lines", head + "Assembly finished, No errors found\r\n\r\n", Kind::Success,
         "Assembly finished, No errors found.\r\nCode file \"prog.COD\" generated successfully.", 0},
        {"error with its line in the first four characters", head + "   7 Error in Pass 1: x\r\n\r\n",
         Kind::SourceError, "7 Error in Pass 1: x\r\n\r\n", 7},
        {"warnings are marked too", head + "  12 Warning in pass 2: y\r\n", Kind::SourceError, "", 12},
        {"temporary names stay in the message", head + "   3 Error in Pass 1: AB12CD34.ASM\r\n", Kind::SourceError,
         "3 Error in Pass 1: AB12CD34.ASM\r\n", 3},
        {"a message without a line end of its own is raw output", head + "   3 Error in Pass 1", Kind::RawOutput,
         head + "   3 Error in Pass 1", 0},
        {"a short first line marks nothing", head + "12\r\nError in Pass 1\r\n", Kind::SourceError, "", 0},
        {"other text is shown", head + "Out of memory\r\n", Kind::Other, "Out of memory\r\n", 0},
        {"no second line end after the echo", "Source: AB12CD34\r\nAssembly finished", Kind::RawOutput,
         "Source: AB12CD34\r\nAssembly finished", 0},
    };
    for (const auto& c : cases) {
        const BuildVerdict v = parseBuildOutput(a, out(c.text));
        EXPECT_EQ(int(v.kind), int(c.kind)) << c.name;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(v.message, c.message) << c.name;
        }
        EXPECT_EQ(v.line, c.line) << c.name;
    }
}

TEST(BuildOutputParser, LeadingNumber) {
    EXPECT_EQ(leadingNumber(u"  42: x"), 42);
    EXPECT_EQ(leadingNumber(u"x"), 0);
    EXPECT_EQ(leadingNumber(u"-3"), -3);
    EXPECT_GE(leadingNumber(u"99999999999999999999"), 65536);
}
