#pragma once
// What the device link asks of the user and tells them: the error box of a
// port or reply failure, a monitor command's address box, the code
// transfers' file dialogs and their file error. The link never shows a box
// itself; the program installs a notifier that shows them through the
// prompter (link/prompter_link_notifier.h), and so do the tests.

#include <QString>

#include <optional>

namespace devlink {

class LinkNotifier {
public:
    virtual ~LinkNotifier() = default;
    // A port or reply failure, shown as CommErrorText(errorNumber, portNumber).
    virtual void commError(int errorNumber, int portNumber) = 0;
    // A monitor command's address box: the text typed, nullopt when cancelled.
    virtual std::optional<QString> askAddress(const QString& prompt, const QString& title,
                                              const QString& defaultText) = 0;
    // The code file a receive writes and the one a send reads: the chosen
    // path, nullopt (or an empty path) when cancelled.
    virtual std::optional<QString> chooseReceiveFile() = 0;
    virtual std::optional<QString> chooseSendFile() = 0;
    // The chosen code file cannot be written, read, or holds less than its headers say.
    virtual void codeFileError() = 0;
};

// The notifier in use. Without an installed one a call is a programming
// error and fails loudly, as the prompter does.
LinkNotifier& linkNotifier();
// Installs `notifier` (not owned) and returns the previous one.
LinkNotifier* setLinkNotifier(LinkNotifier* notifier);

}  // namespace devlink
