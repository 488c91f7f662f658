#include "link/comm_errors.h"

#include "link/link_notifier.h"

namespace devlink {
namespace {

const QString kUnknown = QStringLiteral("接收应答命令未知错误！！");

QString portTail(int failureNumber) {
    switch (failureNumber) {
        case CommPortNotFound: return QStringLiteral(" 未发现（无效）或已被占用！！");
        case CommPortAlreadyOpen: return QStringLiteral(" 已被占用（已经打开）！！");
        case CommPortNotOpen: return QStringLiteral(" 没有打开！！");
        case CommSettingsFailed: return QStringLiteral(" 不能设置状态，没有打开！！");
        case CommOperationOnClosed: return QStringLiteral(" 打开时操作才有效，端口没有打开！！");
        case CommReadFailed: return QStringLiteral(" 读错误！！");
        default: return {};
    }
}

}  // namespace

QString CommErrorText(int errorNumber, int portNumber) {
    switch (errorNumber) {
        case 96: return QStringLiteral("接收复位应答命令奇偶检查错误！！");
        case 97: return QStringLiteral("接收复位应答命令初始化采样超时，重试失败！！");
        case 98: return QStringLiteral("接收复位应答命令初始化失败！！");
        default: break;
    }
    const QString tail = portTail(errorNumber);
    if (tail.isEmpty()) return kUnknown;
    return QStringLiteral("端口 ") + QString::number(portNumber) + tail;
}

QString CommFailureTail(int failureNumber) {
    // The search lines know no text for an operation on a closed port.
    if (failureNumber == CommOperationOnClosed) return QStringLiteral(" ") + kUnknown;
    const QString tail = portTail(failureNumber);
    return tail.isEmpty() ? QStringLiteral(" ") + kUnknown : tail;
}

void ReportCommError(int errorNumber, int portNumber) { linkNotifier().commError(errorNumber, portNumber); }

}  // namespace devlink
