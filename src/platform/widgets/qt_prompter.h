#pragma once
// The Prompter the programs use: real Qt message boxes and dialogs.
//
// Boxes have no parent window, so they stay usable while the main window is
// disabled (a disabled window also disables the dialogs it parents); they are
// application-modal, brought to the front and kept above the main window.

#include "platform/prompter.h"

#include <memory>

class QFileDialog;
class QMessageBox;

namespace platform {

class QtPrompter : public Prompter {
public:
    MsgResult message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;

    // The folder the last file dialog ended in: the next dialog without an
    // initial folder starts there, without moving the process's own folder.
    QString lastDialogFolder() const { return lastFolder_; }

private:
    std::optional<QString> fileDialog(const FileRequest& request, bool save);
    QString lastFolder_;
};

// The box `message` shows: its texts, icon and buttons, its default and escape
// buttons, and wide enough for the window manager to show its whole title.
std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest& request);

// "描述|*.asm;*.src|全部|*.*" as a Qt name filter list, each pattern offered in
// both cases since Linux file names are case-sensitive. A description that
// names its patterns already ("Codes (*.COD)") shows them once, in both cases.
QStringList qtNameFilters(const QString& filter);

// The dialog `openFile` or `saveFile` shows, starting in `folder` unless the
// request names one. A full path typed into its file-name box is taken as
// typed, whatever the list of files shows selected.
std::unique_ptr<QFileDialog> makeFileDialog(const FileRequest& request, bool save, const QString& folder);

}  // namespace platform
