#pragma once
// Error numbers of the device port and the sampling replies, and the one
// message box that reports them.

#include <QString>

namespace devlink {

// Failure numbers of the serial-port layer.
enum CommFailure : int {
    CommOk = 0,
    CommPortNotFound = 8002,      // missing, busy or not permitted
    CommPortAlreadyOpen = 8005,
    CommPortNotOpen = 8012,
    CommSettingsFailed = 8015,
    CommOperationOnClosed = 8018,
    CommReadFailed = 8020,
    // Anything the table has no text for (a failed write, a vanished device).
    CommOtherFailure = 8099,
};

// The text for an error number; only the 80xx texts carry the port number.
QString CommErrorText(int errorNumber, int portNumber);

// The tail that follows "端口 <n>" for a port-layer failure: the table's tail
// for the 80xx numbers it knows, " 接收应答命令未知错误！！" for any other.
QString CommFailureTail(int failureNumber);

inline const QString kCommErrorTitle = QStringLiteral(" 错误提示！");

// Reports the failure through the link notifier: the program shows one modal
// box titled " 错误提示！" with OK only and no icon. Changes nothing else.
void ReportCommError(int errorNumber, int portNumber);

}  // namespace devlink
