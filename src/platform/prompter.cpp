#include "platform/prompter.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Prompter* g_prompter = nullptr;
}

Prompter& prompter() {
    if (!g_prompter) {
        std::fputs("platform::prompter(): no prompter installed\n", stderr);
        std::abort();
    }
    return *g_prompter;
}

Prompter* setPrompter(Prompter* p) {
    Prompter* previous = g_prompter;
    g_prompter = p;
    return previous;
}

MsgResult MsgBox(const QString& text, MsgButtons buttons, const QString& title, MsgIcon icon,
                 int defaultButton) {
    return prompter().message(MessageRequest{text, title, buttons, icon, defaultButton});
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    return prompter().input(InputRequest{prompt, title, defaultText});
}

bool AskQuitNow() {
    return MsgBox(QStringLiteral("立即退出？"), MsgButtons::YesNo, QStringLiteral(" 提示：立即退出？"), MsgIcon::Question,
                  1) == MsgResult::Yes;
}

}  // namespace platform
