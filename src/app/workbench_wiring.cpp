// How the assembly workbench plugs into the program.

#include "app/workbench_wiring.h"

#include "app/main_window.h"
#include "app/program.h"
#include "workbench/workbench.h"
#include "workbench/workbench_host.h"

#include <QPointer>
#include <QToolBar>

#include <memory>

namespace app {
namespace {

// The menus the build switches off while it runs, with the quit entry.
const char* const kBusyMenus[] = {"File", "FileEdit", "FileDebug", "ChangeWindows", "resets", "Help"};

// Lives as a child of the main window and carries the workbench there.
class Attachment : public QObject, public workbench::WorkbenchHost {
public:
    Attachment(MainWindow& w, workbench::WorkbenchState& state)
        : QObject(&w),
          window_(w),
          workbench_(std::make_unique<workbench::Workbench>(state, w.profile(), *this, w.RichTextBox2(),
                                                            w.RichTextBox3(), w.RichTextBox4())) {
        setObjectName(QStringLiteral("workbench"));
        wireCommands();
    }

    workbench::Workbench& workbench() { return *workbench_; }

    void setCaption(const QString& caption) override { window_.setWindowTitle(caption); }
    QString caretPanelText() const override { return window_.statusText(2); }
    void setCaretPanelText(const QString& text) override { window_.setStatusText(2, text); }
    void setWindowEnabled(bool enabled) override { window_.setEnabled(enabled); }
    void setBuildBusy(bool busy) override {
        window_.Toolbar1()->setEnabled(!busy);
        if (QWidget* bands = window_.centralWidget()) bands->setEnabled(!busy);
        for (const char* m : kBusyMenus) window_.setMenuEnabled(QString::fromLatin1(m), !busy);
        window_.setEntryEnabled(QStringLiteral("Exit"), !busy);
    }
    QWidget* dialogParent() override { return &window_; }

private:
    void wireCommands() {
        using W = workbench::Workbench;
        const std::pair<const char*, void (W::*)()> commands[] = {
            {"FileNew", &W::FileNew_Click},
            {"FileOpen", &W::FileOpen_Click},
            {"FileSave", &W::FileSave_Click},
            {"FileSaveAs", &W::FileSaveAs_Click},
            {"FileEditUndo", &W::FileEditUndo_Click},
            {"FileEditCut", &W::FileEditCut_Click},
            {"FileEditCopy", &W::FileEditCopy_Click},
            {"FileEditPaush", &W::FileEditPaush_Click},
            {"FileEditDel", &W::FileEditDel_Click},
            {"FileEditFind", &W::FileEditFind_Click},
            {"FileEditFindNext", &W::FileEditFindNext_Click},
            {"FileEditSelectAll", &W::FileEditSelectAll_Click},
            {"FileDebugComplet", &W::FileDebugComplet_Click},
        };
        for (const auto& [entry, handler] : commands) setCommand(entry, handler);
        // frmmain.SetAsmSet_Click: the options dialog, only where the edition offers it.
        if (window_.profile().asmOptionsOffered) setCommand("SetAsmSet", &W::SetAsmSet_Click);
    }

    void setCommand(const char* entry, void (workbench::Workbench::*handler)()) {
        window_.setCommand(QString::fromLatin1(entry), [this, handler] { (workbench_.get()->*handler)(); });
    }

    MainWindow& window_;
    std::unique_ptr<workbench::Workbench> workbench_;
};

Attachment* attachmentOf(MainWindow& w) { return w.findChild<Attachment*>(QStringLiteral("workbench"), Qt::FindDirectChildrenOnly); }

}  // namespace

void wireWorkbenchHooks(WorkbenchHooks& hooks, workbench::WorkbenchState& state) {
    // The hooks reach the workbench of the window built last.
    auto current = std::make_shared<QPointer<Attachment>>();
    hooks.attach = [current, &state](MainWindow& w) { *current = new Attachment(w, state); };
    hooks.saveSourceFile = [current] { return *current && (*current)->workbench().SaveSourceFile(); };
    hooks.fileNew = [current] {
        if (*current) (*current)->workbench().FileNew_Click();
    };
    hooks.buildRunning = [current] { return *current && (*current)->workbench().buildRunning(); };
    hooks.stopBuild = [current] {
        if (*current) (*current)->workbench().stopBuild();
    };
}

workbench::Workbench* workbenchOf(MainWindow& window) {
    Attachment* a = attachmentOf(window);
    return a ? &a->workbench() : nullptr;
}

void wireWorkbench(Program& program) { wireWorkbenchHooks(program.hooks().workbench, program.workbenchState()); }

}  // namespace app
