// The main window's two layouts (command line, editor), the help band and the
// band sizes of a freshly shown window.

#include "app/main_window.h"

#include "platform/prompter.h"
#include "platform/twips.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QSplitter>
#include <QStackedWidget>

namespace app {
namespace {

const char* const kCommandButtons[] = {"Memory", "Register", "VuzUnAsm", "VuzRun", "VuzStepIntoRun",
                                       "VuzStepIntoRunAs", "line3", "Send", "Recv", "ClearCommandLine", "line4"};
const char* const kEditorButtons[] = {"New", "Open", "Save", "line1", "VuzAsm", "Run", "StepIntoRun", "line2"};
const char* const kCommandMenus[] = {"Command", "Tool"};
const char* const kEditorMenus[] = {"File", "FileEdit", "FileDebug"};

}  // namespace

void MainWindow::ToolCommandLine_Click() {
    using platform::MsgButtons;
    using platform::MsgIcon;
    using platform::MsgResult;
    // 1
    if (source_.SourceModified) {
        const MsgResult r = platform::MsgBox(QStringLiteral("当前文件被修改，是否保存？"), MsgButtons::YesNoCancel,
                                             QStringLiteral(" 提示：是否保存？"), MsgIcon::Question, 2);
        if (r == MsgResult::Cancel) return;
        if (r == MsgResult::Yes) {
            const bool saved = hooks_.workbench.saveSourceFile && hooks_.workbench.saveSourceFile();
            if (!saved) return;
        }
    }
    // 2-3
    for (const char* m : kCommandMenus) setMenuEnabled(QString::fromLatin1(m), true);
    for (const char* b : kCommandButtons) buttons_.value(QString::fromLatin1(b))->setEnabled(true);
    // 4-5
    picture2_->setEnabled(true);
    right_->setCurrentWidget(picture2_);
    picture2_->show();
    rich_[0]->setEnabled(true);
    middle_->setCurrentWidget(rich_[0]);
    rich_[0]->show();
    // 6
    setCaptionForLayout(false);
    // 7
    rich_[2]->hide();
    rich_[2]->setEnabled(false);
    picture1_->hide();
    picture1_->setEnabled(false);
    // 8-9
    for (const char* m : kEditorMenus) setMenuEnabled(QString::fromLatin1(m), false);
    for (const char* b : kEditorButtons) buttons_.value(QString::fromLatin1(b))->setEnabled(false);
    // 10
    setStatusText(2, QString());
}

void MainWindow::EditAsmWindows_Click() {
    // 1-2
    for (const char* m : kEditorMenus) setMenuEnabled(QString::fromLatin1(m), true);
    for (const char* b : kEditorButtons) buttons_.value(QString::fromLatin1(b))->setEnabled(true);
    // 3-4
    rich_[2]->setEnabled(true);
    right_->setCurrentWidget(rich_[2]);
    rich_[2]->show();
    picture1_->setEnabled(true);
    middle_->setCurrentWidget(picture1_);
    picture1_->show();
    // 5: the first visit starts a new untitled source.
    if (source_.SourcePath.isEmpty() && hooks_.workbench.fileNew) hooks_.workbench.fileNew();
    // 6
    setCaptionForLayout(true);
    // 7
    picture2_->hide();
    picture2_->setEnabled(false);
    rich_[0]->hide();
    rich_[0]->setEnabled(false);
    // 8-9
    for (const char* m : kCommandMenus) setMenuEnabled(QString::fromLatin1(m), false);
    for (const char* b : kCommandButtons) buttons_.value(QString::fromLatin1(b))->setEnabled(false);
}

void MainWindow::setCaptionForLayout(bool editor) {
    if (!editor) {
        setWindowTitle(appTitle_);
        return;
    }
    QString caption = appTitle_ + QStringLiteral(" - ") + source_.SourcePath;
    if (source_.SourceModified) caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

void MainWindow::HelpDispOrUnDisp_Click() {
    QWidget* helpBand = band(QStringLiteral("Pic3"));
    if (!helpBand->isHidden()) {
        picture3_->hide();
        picture3_->setEnabled(false);
        helpBand->hide();
    } else {
        helpBand->show();
        picture3_->show();
        picture3_->setEnabled(true);
    }
}

void MainWindow::setInitialBandSizes() {
    const int tpp = platform::screenTwipsPerPixel();
    auto px = [tpp](long long twips) { return static_cast<int>(twips / tpp); };

    // CoolBar1: help 1/5, command line 3/5, lists the rest; while the help band
    // is closed, the lists take its share too. The lists get at least the
    // width that shows their values in full, as far as the command line keeps
    // half of what is left.
    const long long w = static_cast<long long>(coolBar1_->width()) * tpp;
    const int pic3 = px(w / 5);
    const int helpShare = band(QStringLiteral("Pic3"))->isHidden() ? 0 : pic3;
    const int room = coolBar1_->width() - helpShare;
    // A list in its band, and a few pixels the splitters may round away.
    const auto banded = [](const platform::ListView* list) {
        const QMargins m = list->parentWidget()->contentsMargins();
        return list->preferredWidth() + m.left() + m.right() + 4;
    };
    const int left = std::max(banded(list_[0]), banded(list_[1]));
    const int right = banded(list_[2]);
    const int lists = left + right + coolBar2_->handleWidth() + coolBar1_->handleWidth();
    const int pic2 = std::max({1, room - px((w / 5) * 3), std::min(lists, room / 2)});
    const int richTb1 = std::max(1, room - pic2);
    coolBar1_->setSizes({0, pic3, richTb1, pic2});

    // CoolBar2: the two columns by what their lists need.
    const int inner = std::max(2, pic2 - coolBar1_->handleWidth() - coolBar2_->handleWidth());
    const int leftWidth = std::max(1, static_cast<int>(static_cast<long long>(inner) * left / std::max(1, left + right)));
    coolBar2_->setSizes({leftWidth, std::max(1, inner - leftWidth)});

    // CoolBar2's first column: the register band takes half the height.
    const long long h = static_cast<long long>(coolBar2Left_->height()) * tpp;
    const int regs = std::max(1, px(h / 2));
    coolBar2Left_->setSizes({regs, std::max(1, coolBar2Left_->height() - regs)});

    // CoolBar4: the editor 70 %, the build messages the rest.
    const long long e = static_cast<long long>(coolBar4_->height()) * tpp;
    const int editor = std::max(1, px((e * 7) / 10));
    coolBar4_->setSizes({editor, std::max(1, coolBar4_->height() - editor)});
    // The lists' columns follow their texts and their font (ListView).
}

}  // namespace app
