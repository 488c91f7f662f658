#include "circuit/circuit_messages.h"

#include "circuit/table_names.h"
#include "link/comm_errors.h"
#include "platform/prompter.h"

namespace circuit {

QString oscillationText(const sim::Simulator& simulator, const sim::SettleReport& report) {
    const int32_t net = report.oscillationNet;
    return QStringLiteral("电路没有稳定：信号 %1（%2）翻转后，计算超过 %3 遍仍未结束，已中止（共 %4 次）。\n"
                          "电路中可能有振荡，所显示的电平不一定正确。")
        .arg(net)
        .arg(netName(simulator, net))
        .arg(simulator.passLimit)
        .arg(report.oscillationToggles);
}

void showOscillation(const sim::Simulator& simulator, const sim::SettleReport& report) {
    platform::MsgBox(oscillationText(simulator, report), platform::MsgButtons::Ok, QStringLiteral(" 信息提示！"),
                     platform::MsgIcon::Warning);
}

QString droppedOutputText(int64_t count, int port) {
    return QStringLiteral("端口 %1 发送缓冲区已满，本次连续运行有 %2 个字节未能发出！！").arg(port).arg(count);
}

void showDroppedOutput(int64_t count, int port) {
    platform::MsgBox(droppedOutputText(count, port), platform::MsgButtons::Ok, devlink::kCommErrorTitle,
                     platform::MsgIcon::None);
}

QString droppedInputText(int64_t count, int port) {
    return QStringLiteral("端口 %1 接收缓冲区已满，有 %2 个字节未能接收！！").arg(port).arg(count);
}

void showDroppedInput(int64_t count, int port) {
    platform::MsgBox(droppedInputText(count, port), platform::MsgButtons::Ok, devlink::kCommErrorTitle,
                     platform::MsgIcon::None);
}

void showFileError(int number, const QString& description) {
    platform::MsgBox(QStringLiteral("%1: %2").arg(number).arg(description), platform::MsgButtons::Ok,
                     QStringLiteral("信息提示! %1").arg(number), platform::MsgIcon::Information);
}

}  // namespace circuit
