#include "schematic/prompter_sch_notifier.h"

#include "platform/prompter.h"
#include "schematic/circuit_build_report.h"

namespace schematic {
namespace {

const QString kUnknownRecordTitle = QStringLiteral("信息提示：其它元素出现！！");

QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

void PrompterSchNotifier::formatError(SchFormatError error) {
    platform::MsgBox(QString::fromUtf8(formatErrorText(error)), platform::MsgButtons::Ok,
                     QStringLiteral(" 信息提示！"), platform::MsgIcon::Information);
}

void PrompterSchNotifier::failure(SchFailure failure) {
    const QString number = QString::number(failureNumber(failure));
    platform::MsgBox(number + QStringLiteral(": ") + QString::fromUtf8(failureDescription(failure)),
                     platform::MsgButtons::Ok, QStringLiteral("信息提示! ") + number, platform::MsgIcon::Information);
}

void PrompterSchNotifier::unknownRecord(std::string_view line) {
    platform::MsgBox(fromUtf8(line), platform::MsgButtons::Ok, kUnknownRecordTitle, platform::MsgIcon::None);
}

void PrompterSchNotifier::unknownRecordCount(int count) {
    platform::MsgBox(QStringLiteral("共 ") + QString::number(count) + QStringLiteral(" 个"), platform::MsgButtons::Ok,
                     kUnknownRecordTitle, platform::MsgIcon::None);
}

int ReadSchFile(SchSheet& sheet, const QString& path) {
    PrompterSchNotifier notifier;
    return ReadSchFile(sheet, path, notifier);
}

void ReportCircuitBuildFailure(const CircuitBuildResult& result) {
    if (result.built) return;
    if (result.failure != SchFailure::None) {
        PrompterSchNotifier().failure(result.failure);
        return;
    }
    const RegistrationResult& room = result.registration;
    platform::MsgBox(QString::fromStdString(tablesFullText(room.needed, room.available, room.whole)),
                     platform::MsgButtons::Ok, QStringLiteral(" 信息提示！"), platform::MsgIcon::Information);
}

}  // namespace schematic
