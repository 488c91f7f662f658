#pragma once
// The source side of the main window: the editor, the listing pane and the
// build-message pane, the file commands, change tracking and the caption, the
// save question, the edit commands, the caret readout and the error-line mark.

#include "editions/edition_profile.h"
#include "workbench/workbench_state.h"

#include <QObject>
#include <QString>

namespace platform {
class RichTextBox;
}

namespace workbench {

class LineMarker;
class WorkbenchHost;

class SourceEditor : public QObject {
    Q_OBJECT
public:
    SourceEditor(WorkbenchState& state, const editions::EditionProfile& profile, WorkbenchHost& host,
                 platform::RichTextBox* editor, platform::RichTextBox* listing, platform::RichTextBox* messages);
    ~SourceEditor() override;

    platform::RichTextBox* editor() const { return editor_; }
    platform::RichTextBox* listing() const { return listing_; }
    platform::RichTextBox* messages() const { return messages_; }

    // File commands.
    void FileNew_Click();
    void FileOpen_Click();
    void FileSave_Click();
    void FileSaveAs_Click();
    // True when the editor's text has been written to its file.
    bool SaveSourceFile();
    // The chosen path, "" when cancelled.
    QString AskSaveFileName(const QString& initialName);
    bool WriteSourceFile(const QString& path);

    // The save question before a modified source is replaced or left: true to
    // go on (No, or Yes and saved), false to stop (Cancel, or the save failed).
    // Asks nothing while the source is unmodified.
    bool AskToSaveChanges();

    // Edit commands, acting on the control that has the focus (select all: the editor).
    void FileEditUndo_Click();
    void FileEditCut_Click();
    void FileEditCopy_Click();
    void FileEditPaush_Click();
    void FileEditDel_Click();
    void FileEditSelectAll_Click();

    // Writes the caret's line and column of `box` into status panel 2.
    void TextSetZhuanTaiDisp(platform::RichTextBox* box);
    // Marks line `line` (1-based) of `box` red and bold and selects it.
    void HighlightLine(platform::RichTextBox* box, long long line);
    // Marks the editor line that the message pane's tag names.
    void RichTextBox4_DblClick();

    // The editor's text with '\n' line ends, as it is written to the file.
    QString editorText() const;
    // The build's reload from the saved file: records no change, keeps the
    // selection and scroll position, removes the error mark.
    void reloadEditor(const QString& text);
    // Pane contents the build shows.
    void showMessage(const QString& text);
    void setMessageTag(int line);
    void showListing(const QString& text);

    // The caption for the editor layout: AppTitle - SourcePath [ *].
    QString editorCaption() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onEditorChanged();
    void sendKeyToFocus(int key, Qt::KeyboardModifiers modifiers);
    void resetPanes();
    LineMarker* markerOf(platform::RichTextBox* box) const;
    // Runs `change` with change tracking off; tracking is on again afterwards.
    template <typename F>
    void untracked(F change);

    WorkbenchState& state_;
    const editions::EditionProfile& profile_;
    WorkbenchHost& host_;
    platform::RichTextBox* editor_;
    platform::RichTextBox* listing_;
    platform::RichTextBox* messages_;
    LineMarker* editorMarker_;
    LineMarker* listingMarker_;
};

// The source files offered by the open and save dialogs.
inline const QString kSourceFilter =
    QStringLiteral("Assumber Source Codes (*.ASM)|*.ASM|Source Codes (*.SRC)|*.SRC");

}  // namespace workbench
