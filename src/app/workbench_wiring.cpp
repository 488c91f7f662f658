// How the assembly workbench plugs into the program.

#include "app/workbench_wiring.h"

#include "app/main_window.h"
#include "app/program.h"
#include "workbench/workbench.h"
#include "workbench/workbench_host.h"

#include <QAction>
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
    void onEntry(const char* name, void (workbench::Workbench::*handler)()) {
        if (QAction* a = window_.menuEntry(QString::fromLatin1(name)))
            connect(a, &QAction::triggered, this, [this, handler] { (workbench_.get()->*handler)(); });
    }
    void onButton(const char* key, void (workbench::Workbench::*handler)()) {
        window_.setButtonHandler(QString::fromLatin1(key), [this, handler] { (workbench_.get()->*handler)(); });
    }

    void wireCommands() {
        using W = workbench::Workbench;
        onEntry("FileNew", &W::FileNew_Click);
        onEntry("FileOpen", &W::FileOpen_Click);
        onEntry("FileSave", &W::FileSave_Click);
        onEntry("FileSaveAs", &W::FileSaveAs_Click);
        onEntry("FileEditUndo", &W::FileEditUndo_Click);
        onEntry("FileEditCut", &W::FileEditCut_Click);
        onEntry("FileEditCopy", &W::FileEditCopy_Click);
        onEntry("FileEditPaush", &W::FileEditPaush_Click);
        onEntry("FileEditDel", &W::FileEditDel_Click);
        onEntry("FileEditFind", &W::FileEditFind_Click);
        onEntry("FileEditFindNext", &W::FileEditFindNext_Click);
        onEntry("FileEditSelectAll", &W::FileEditSelectAll_Click);
        onEntry("FileDebugComplet", &W::FileDebugComplet_Click);
        onButton("New", &W::FileNew_Click);
        onButton("Open", &W::FileOpen_Click);
        onButton("Save", &W::FileSave_Click);
        onButton("VuzAsm", &W::FileDebugComplet_Click);
        if (window_.profile().asmOptionsOffered) {
            onEntry("SetAsmSet", &W::SetAsmSet_Click);
            window_.setDropDownHandler(QStringLiteral("SetAsmSet"), [this] { workbench_->SetAsmSet_Click(); });
        }
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
}

workbench::Workbench* workbenchOf(MainWindow& window) {
    Attachment* a = attachmentOf(window);
    return a ? &a->workbench() : nullptr;
}

void wireWorkbench(Program& program) { wireWorkbenchHooks(program.hooks().workbench, program.workbenchState()); }

}  // namespace app
