#pragma once
// The assembly workbench as the main window hosts it: one object that owns the
// editor controller, find and the build, and offers the handlers the menus,
// toolbar, layouts and quit flow call.

#include "editions/edition_profile.h"
#include "workbench/build_runner.h"
#include "workbench/workbench_state.h"

#include <QObject>

#include <memory>

namespace platform {
class RichTextBox;
}

namespace workbench {

class FindController;
class SourceEditor;
class WorkbenchHost;

class Workbench : public QObject {
    Q_OBJECT
public:
    Workbench(WorkbenchState& state, const editions::EditionProfile& profile, WorkbenchHost& host,
              platform::RichTextBox* editor, platform::RichTextBox* listing, platform::RichTextBox* messages);
    ~Workbench() override;

    SourceEditor& editor() { return *editor_; }
    FindController& find() { return *find_; }
    BuildRunner& builder() { return *runner_; }

    // 汇编源文件(&F)
    void FileNew_Click();
    void FileOpen_Click();
    void FileSave_Click();
    void FileSaveAs_Click();
    bool SaveSourceFile();
    // The save question of the layout switch and the quit flow: true to go on.
    bool AskToSaveChanges();

    // 汇编源文件编辑
    void FileEditUndo_Click();
    void FileEditCut_Click();
    void FileEditCopy_Click();
    void FileEditPaush_Click();
    void FileEditDel_Click();
    void FileEditSelectAll_Click();
    void FileEditFind_Click();
    void FileEditFindNext_Click();

    // 汇编源文件调试: 编译 (F9, toolbar VuzAsm). Does nothing while a build runs.
    void FileDebugComplet_Click();
    // True while a build runs: quitting and switching layouts wait for its end.
    bool buildRunning() const;
    // The program is quitting: a running build ends its wait at once, ends the
    // assembler and cleans up.
    void stopBuild();

    // 汇编条件设置: only in the editions that offer assembler options.
    void SetAsmSet_Click();

    void HighlightLine(platform::RichTextBox* box, long long line);
    // The caption of the editor layout: AppTitle - SourcePath [ *].
    QString editorCaption() const;

private:
    class Surface;

    WorkbenchState& state_;
    const editions::EditionProfile& profile_;
    WorkbenchHost& host_;
    std::unique_ptr<SourceEditor> editor_;
    std::unique_ptr<FindController> find_;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<BuildRunner> runner_;
};

}  // namespace workbench
