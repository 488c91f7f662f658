#include "workbench/find_dialog.h"

#include "platform/prompter.h"
#include "platform/widgets/rich_text_box.h"
#include "workbench/find_search.h"
#include "workbench/source_editor.h"
#include "workbench/workbench_texts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace workbench {
namespace {

// Takes the whole text as the field gets the focus, so typing replaces it.
class SelectAllLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }
};

}  // namespace

FindDialog::FindDialog(FindState& find, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      find_(find) {
    setWindowTitle(QStringLiteral(" 查找"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* label = new QLabel(QStringLiteral("查找内容(&N):"));
    txtFind_ = new SelectAllLineEdit;
    txtFind_->setToolTip(QStringLiteral("要查找的内容"));
    label->setBuddy(txtFind_);

    cmdFind_ = new QPushButton(QStringLiteral("查找(&F)"));
    cmdFind_->setToolTip(QStringLiteral("开始搜索"));
    cmdFind_->setDefault(true);
    cmdFind_->setEnabled(false);
    cmdcancel_ = new QPushButton(QStringLiteral("取消"));
    cmdcancel_->setToolTip(QStringLiteral("返回"));
    cmdcancel_->setAutoDefault(false);

    chkCase_ = new QCheckBox(QStringLiteral("大小写匹配(&C)"));
    chkCase_->setToolTip(QStringLiteral("匹配大小写"));

    auto* frame = new QGroupBox(QStringLiteral("方向"));
    optUp_ = new QRadioButton(QStringLiteral("向上(&U)"));
    optUp_->setToolTip(QStringLiteral("向文档开始处进行搜索"));
    optDown_ = new QRadioButton(QStringLiteral("向下(&D)"));
    optDown_->setToolTip(QStringLiteral("向文档结尾处进行搜索"));
    auto* dirs = new QHBoxLayout(frame);
    dirs->addWidget(optUp_);
    dirs->addWidget(optDown_);
    (find_.FindDirection == 1 ? optDown_ : optUp_)->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(txtFind_, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(chkCase_);
    options->addWidget(frame);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addLayout(options);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFind_);
    buttons->addWidget(cmdcancel_);
    buttons->addStretch();
    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addLayout(buttons);

    connect(txtFind_, &QLineEdit::textChanged, this, [this](const QString& text) {
        find_.FindRestart = true;
        cmdFind_->setEnabled(!text.isEmpty());
    });
    connect(chkCase_, &QCheckBox::toggled, this, [this](bool on) { find_.FindMatchCase = on ? 1 : 0; });
    connect(optUp_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) find_.FindDirection = 0;
    });
    connect(optDown_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) find_.FindDirection = 1;
    });
    connect(cmdFind_, &QPushButton::clicked, this, [this] {
        find_.FindText = txtFind_->text();
        emit findRequested();
    });
    connect(cmdcancel_, &QPushButton::clicked, this, &FindDialog::reject);

    adjustSize();
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
}

void FindDialog::setFindText(const QString& text) {
    txtFind_->setText(text);
    // A text set equal to the present one raises no change, yet counts as one.
    find_.FindRestart = true;
    cmdFind_->setEnabled(!text.isEmpty());
}

void FindDialog::reject() {
    find_.FindText = txtFind_->text();
    find_.FindMatchCase = chkCase_->isChecked() ? 1 : 0;
    QDialog::reject();
}

FindController::FindController(FindState& find, SourceEditor& editor, QWidget* dialogParent)
    : find_(find), editor_(editor), parent_(dialogParent) {
    platform::RichTextBox* box = editor_.editor();
    const auto leaveHit = [this] {
        if (!placingHit_) clearHitMark();
    };
    connect(box, &QTextEdit::cursorPositionChanged, this, leaveHit);
    connect(box, &QTextEdit::textChanged, this, leaveHit);
}

FindController::~FindController() {
    if (dialog_) delete dialog_.data();
}

void FindController::FileEditFind_Click() {
    platform::RichTextBox* box = editor_.editor();
    const QString text = box->selLength() > 0 ? box->selText() : find_.FindText;
    if (!dialog_) {
        dialog_ = new FindDialog(find_, parent_);
        connect(dialog_, &FindDialog::findRequested, this, &FindController::FindNextInEditor);
        connect(dialog_, &QDialog::finished, this, &FindController::clearHitMark);
    }
    dialog_->setFindText(text);
    find_.FindRestart = true;
    if (find_.FindMatchCase != 0) dialog_->chkCase()->setChecked(true);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    if (!dialog_->txtFind()->text().isEmpty()) dialog_->cmdFind()->setFocus();
    else dialog_->txtFind()->setFocus();
    editor_.TextSetZhuanTaiDisp(box);
}

void FindController::FileEditFindNext_Click() {
    if (find_.FindText.isEmpty()) FileEditFind_Click();
    else FindNextInEditor();
}

void FindController::FindNextInEditor() {
    platform::RichTextBox* box = editor_.editor();
    const int caret = box->selStart();
    FindQuery query;
    query.pattern = find_.FindText;
    query.matchCase = find_.FindMatchCase != 0;
    query.down = find_.FindDirection == 1;
    query.skipCurrent = caret == find_.FindLastPos && !find_.FindRestart;
    const auto hit = findInText(editor_.editorText(), caret, query);
    if (hit) {
        placingHit_ = true;
        box->setSelStart(*hit);
        box->setSelLength(int(find_.FindText.size()));
        placingHit_ = false;
        markHit();
    } else {
        platform::MsgBox(QStringLiteral("找不到 \"") + find_.FindText + QStringLiteral("\"。"),
                         platform::MsgButtons::Ok, kInfoTitle, platform::MsgIcon::Information);
    }
    find_.FindLastPos = box->selStart();
    find_.FindRestart = false;
    editor_.TextSetZhuanTaiDisp(box);
}

void FindController::markHit() {
    // While the dialog has the focus the editor's own selection is not drawn
    // (so that a marked error line stays red and bold). The hit gets a light
    // background of its own, which leaves the colour and weight of its text alone.
    platform::RichTextBox* box = editor_.editor();
    QColor shade = box->palette().color(QPalette::Active, QPalette::Highlight);
    shade.setAlpha(80);
    QTextEdit::ExtraSelection hit;
    hit.cursor = box->textCursor();
    hit.format.setBackground(shade);
    box->setExtraSelections({hit});
}

void FindController::clearHitMark() {
    platform::RichTextBox* box = editor_.editor();
    if (!box->extraSelections().isEmpty()) box->setExtraSelections({});
}

}  // namespace workbench
