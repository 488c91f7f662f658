#include "workbench/workbench.h"

#include "workbench/asm_set_dialog.h"
#include "workbench/find_dialog.h"
#include "workbench/source_editor.h"
#include "workbench/workbench_host.h"

#include <QApplication>
#include <QCursor>

namespace workbench {

// The build's view of the main window.
class Workbench::Surface : public BuildSurface {
public:
    Surface(SourceEditor& editor, WorkbenchHost& host) : editor_(editor), host_(host) {}

    bool saveSourceFile() override { return editor_.SaveSourceFile(); }
    void setBusy(bool busy) override {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            host_.setBuildBusy(true);
        } else {
            host_.setBuildBusy(false);
            QApplication::restoreOverrideCursor();
        }
    }
    void showMessage(const QString& text) override { editor_.showMessage(text); }
    void setMessageTag(int line) override { editor_.setMessageTag(line); }
    void showListing(const QString& text) override { editor_.showListing(text); }
    void reloadEditor(const QString& text) override { editor_.reloadEditor(text); }
    void markTaggedEditorLine() override { editor_.RichTextBox4_DblClick(); }
    void markListingLine(int line) override { editor_.HighlightLine(editor_.listing(), line); }

private:
    SourceEditor& editor_;
    WorkbenchHost& host_;
};

Workbench::Workbench(WorkbenchState& state, const editions::EditionProfile& profile, WorkbenchHost& host,
                     platform::RichTextBox* editor, platform::RichTextBox* listing, platform::RichTextBox* messages)
    : state_(state),
      profile_(profile),
      host_(host),
      editor_(std::make_unique<SourceEditor>(state, profile, host, editor, listing, messages)),
      find_(std::make_unique<FindController>(state.find, *editor_, host.dialogParent())),
      surface_(std::make_unique<Surface>(*editor_, host)),
      runner_(std::make_unique<BuildRunner>(state, profile, *surface_)) {}

Workbench::~Workbench() = default;

void Workbench::FileNew_Click() { editor_->FileNew_Click(); }
void Workbench::FileOpen_Click() { editor_->FileOpen_Click(); }
void Workbench::FileSave_Click() { editor_->FileSave_Click(); }
void Workbench::FileSaveAs_Click() { editor_->FileSaveAs_Click(); }
bool Workbench::SaveSourceFile() { return editor_->SaveSourceFile(); }
bool Workbench::AskToSaveChanges() { return editor_->AskToSaveChanges(); }

void Workbench::FileEditUndo_Click() { editor_->FileEditUndo_Click(); }
void Workbench::FileEditCut_Click() { editor_->FileEditCut_Click(); }
void Workbench::FileEditCopy_Click() { editor_->FileEditCopy_Click(); }
void Workbench::FileEditPaush_Click() { editor_->FileEditPaush_Click(); }
void Workbench::FileEditDel_Click() { editor_->FileEditDel_Click(); }
void Workbench::FileEditSelectAll_Click() { editor_->FileEditSelectAll_Click(); }
void Workbench::FileEditFind_Click() { find_->FileEditFind_Click(); }
void Workbench::FileEditFindNext_Click() { find_->FileEditFindNext_Click(); }

void Workbench::FileDebugComplet_Click() { runner_->run(); }
bool Workbench::buildRunning() const { return runner_->running(); }
void Workbench::stopBuild() { runner_->stop(); }

void Workbench::SetAsmSet_Click() {
    if (!profile_.asmOptionsOffered || buildRunning()) return;
    showAsmSetDialog(state_, host_.dialogParent());
}

void Workbench::HighlightLine(platform::RichTextBox* box, long long line) { editor_->HighlightLine(box, line); }

QString Workbench::editorCaption() const { return editor_->editorCaption(); }

}  // namespace workbench
