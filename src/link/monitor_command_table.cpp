#include "link/monitor_command_table.h"

#include <array>

namespace devlink {
namespace {

const std::array<MonitorCommand, 6>& table() {
    static const std::array<MonitorCommand, 6> rows{{
        {'D', LinkModeMemory, QStringLiteral("请输入内存察看的起始地址(0-FFFFH)："), QStringLiteral("请确认内存察看起始地址！！"),
         QStringLiteral(" 内存数据接收中，请稍侯。。。"), QStringLiteral("内存察看命令"),
         QStringLiteral("从 VAZ 设备接收内存数据显示到内存察看窗口")},
        {'R', LinkModeRegister, QString(), QString(), QStringLiteral(" 寄存器数据接收中，请稍侯。。。"),
         QStringLiteral("寄存器察看命令"), QStringLiteral("从 VAZ 设备接收寄存器数据显示到寄存器察看窗口")},
        {'U', LinkModeUnasm, QStringLiteral("请输入反编译的起始地址(0-FFFFH)："), QStringLiteral("请确认反编译起始地址！！"),
         QStringLiteral(" 反编译数据接收中，请稍侯。。。"), QStringLiteral("反编译察看命令"),
         QStringLiteral("从 VAZ 设备接收反编译数据显示到反编译察看窗口")},
        {'G', LinkModeRun, QStringLiteral("请输入连续运行的起始地址(0-FFFFH)："), QStringLiteral("请确认连续运行的起始地址！！"),
         QStringLiteral(" 连续运行命令发送中，请稍侯。。。"), QStringLiteral("连续运行命令"),
         QStringLiteral("向 VAZ 设备发送连续运行命令")},
        {'T', LinkModeStepInto, QStringLiteral("请输入单步进入运行的起始地址(0-FFFFH)："),
         QStringLiteral("请确认单步进入运行的起始地址！！"), QStringLiteral(" 单步进入运行命令发送中，请稍侯。。。"),
         QStringLiteral("单步进入运行命令"), QStringLiteral("向 VAZ 设备发送单步进入运行命令")},
        {'P', LinkModeStepOver, QStringLiteral("请输入单步运行的起始地址(0-FFFFH)："),
         QStringLiteral("请确认单步运行的起始地址！！"), QStringLiteral(" 单步不进入运行命令发送中，请稍侯。。。"),
         QStringLiteral("单步不进入运行命令"), QStringLiteral("向 VAZ 设备发送单步不进入运行命令")},
    }};
    return rows;
}

}  // namespace

const MonitorCommand& monitorCommand(char letter) {
    for (const auto& row : table())
        if (row.letter == letter) return row;
    return table()[1];  // only the six letters are ever asked for
}

QString addressPrompt(const MonitorCommand& command) {
    return command.promptFirstLine + QStringLiteral("\r\n") +
           QStringLiteral("    选择“确定”按钮表示使用下面的输入值作为命令的参数，选择“取消”按钮表示使用不带参数的命令。") +
           QStringLiteral("\r\n") +
           QStringLiteral("    （输入数据末尾为字符'B'，表示数据为二进制；为字符'H'，表示数据为十六进制；否则表示数据为十进制。）");
}

int expectedReplyBytes(const editions::EditionProfile& profile, char letter) {
    switch (letter) {
        case 'D': return profile.expected.memory;
        case 'R': return profile.expected.registers;
        case 'U': return profile.expected.unassemble;
        default: return profile.expected.runStep;
    }
}

}  // namespace devlink
