#include "link/prompter_link_notifier.h"

#include "link/comm_errors.h"
#include "platform/prompter.h"

namespace devlink {
namespace {

constexpr int kSaveFlags = 1091590;
constexpr int kOpenFlags = 1087492;

platform::FileRequest codeFileRequest(const QString& title, int flags) {
    platform::FileRequest request;
    request.title = title;
    request.filter = QStringLiteral("Codes (*.COD)|*.COD");
    request.defaultExt = QStringLiteral("COD");
    request.flags = flags;
    return request;
}

}  // namespace

void PrompterLinkNotifier::commError(int errorNumber, int portNumber) {
    platform::MsgBox(CommErrorText(errorNumber, portNumber), platform::MsgButtons::Ok, kCommErrorTitle,
                     platform::MsgIcon::None);
}

std::optional<QString> PrompterLinkNotifier::askAddress(const QString& prompt, const QString& title,
                                                        const QString& defaultText) {
    return platform::InputBox(prompt, title, defaultText);
}

std::optional<QString> PrompterLinkNotifier::chooseReceiveFile() {
    return platform::prompter().saveFile(codeFileRequest(QStringLiteral("保存文件为"), kSaveFlags));
}

std::optional<QString> PrompterLinkNotifier::chooseSendFile() {
    return platform::prompter().openFile(codeFileRequest(QStringLiteral("打开文件"), kOpenFlags));
}

void PrompterLinkNotifier::codeFileError() {
    platform::MsgBox(QStringLiteral("文件已被打开、被保护或已损坏，无法打开！！"), platform::MsgButtons::Ok,
                     QStringLiteral(" 信息提示！"), platform::MsgIcon::Information);
}

}  // namespace devlink
