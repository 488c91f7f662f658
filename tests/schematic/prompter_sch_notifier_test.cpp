#include "schematic/prompter_sch_notifier.h"

#include "schematic/sch_fixture.h"
#include "schematic/sch_reader.h"
#include "support/scripted_prompter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace schematic {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

struct Box { QString text, title; MsgButtons buttons; MsgIcon icon; };

void expectBoxes(const testsupport::ScriptedPrompter& prompter, const std::vector<Box>& expected) {
    const auto asked = prompter.messages();
    ASSERT_EQ(asked.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(asked[i].text, expected[i].text) << i;
        EXPECT_EQ(asked[i].title, expected[i].title) << i;
        EXPECT_EQ(asked[i].buttons, expected[i].buttons) << i;
        EXPECT_EQ(asked[i].icon, expected[i].icon) << i;
    }
}

TEST(PrompterSchNotifier, ShowsEachReportInItsBox) {
    testsupport::ScriptedPrompter prompter;
    PrompterSchNotifier notifier;
    notifier.formatError(SchFormatError::Version2Library);
    notifier.failure(SchFailure::MissingField);
    notifier.unknownRecord("Foo  1 '时钟'");
    notifier.unknownRecordCount(2);
    const QString unknownTitle = QStringLiteral("信息提示：其它元素出现！！");
    expectBoxes(prompter, {
        {QStringLiteral("原理图文件2.0版本器件库区段格式不符！！"), QStringLiteral(" 信息提示！"), MsgButtons::Ok,
         MsgIcon::Information},
        {QStringLiteral("3: 记录字段不全"), QStringLiteral("信息提示! 3"), MsgButtons::Ok, MsgIcon::Information},
        {QStringLiteral("Foo  1 '时钟'"), unknownTitle, MsgButtons::Ok, MsgIcon::None},
        {QStringLiteral("共 2 个"), unknownTitle, MsgButtons::Ok, MsgIcon::None},
    });
}

TEST(PrompterSchNotifier, ReadSchFileWithoutANotifierUsesTheBoxes) {
    testsupport::ScriptedPrompter prompter;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("broken.sch");
    std::string bytes = fixture::bytes();
    bytes.replace(bytes.find("[Font_Table]"), 12, "[Fonts]");
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;

    SchSheet sheet;
    EXPECT_EQ(ReadSchFile(sheet, path), 0);
    expectBoxes(prompter, {{QStringLiteral("原理图文件字体区段格式不符！！"), QStringLiteral(" 信息提示！"),
                            MsgButtons::Ok, MsgIcon::Information}});
    EXPECT_EQ(ReadSchFile(sheet, dir.filePath("missing.sch")), 0);
    EXPECT_EQ(prompter.messages().size(), 1u);
}

}  // namespace
}  // namespace schematic
