#include "workbench/workbench_texts.h"

#include "platform/prompter.h"

namespace workbench {

void showFileMessage(const QString& text) {
    platform::MsgBox(text, platform::MsgButtons::Ok, kInfoTitle, platform::MsgIcon::Information);
}

}  // namespace workbench
