#pragma once
// Every message box, input box and common dialog goes through a Prompter, so
// that handlers can be driven by tests without a modal box blocking them.
// The program installs the Qt implementation (platform/qt_prompter.h);
// tests install a scripted one (tests/support/scripted_prompter.h).

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0;  // 0-based index into the buttons, as the box lists them
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

// A common open/save dialog. `filter` uses the "描述|*.ext|描述|*.a;*.b" form.
struct FileRequest {
    QString title;
    QString filter;
    int filterIndex = 1;       // 1-based, as the common dialog counts
    QString initialDir;
    QString fileName;          // preset file name
    QString defaultExt;
    int flags = 0;             // the open-file-name flags the caller passes (kept for fidelity)
};

struct FontChoice {
    QString family;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgResult message(const MessageRequest& request) = 0;
    // nullopt when the user cancels (an input box gives "" then).
    virtual std::optional<QString> input(const InputRequest& request) = 0;
    // nullopt on Cancel; otherwise the chosen path.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;
};

// The prompter in use. Without an installed one a call is a programming error
// in a test and fails loudly.
Prompter& prompter();
// Installs `p` (not owned) and returns the previous one.
Prompter* setPrompter(Prompter* p);

// Convenience wrappers for the common box shapes.
MsgResult MsgBox(const QString& text, MsgButtons buttons, const QString& title,
                 MsgIcon icon = MsgIcon::None, int defaultButton = 0);
std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                const QString& defaultText = {});
// The quit question both the main window and the experiment frame ask
// ("立即退出？", Yes and No, No the default): true for Yes.
bool AskQuitNow();

}  // namespace platform
