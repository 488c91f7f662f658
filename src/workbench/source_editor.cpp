#include "workbench/source_editor.h"

#include "platform/prompter.h"
#include "platform/widgets/rich_text_box.h"
#include "workbench/build_output_parser.h"
#include "workbench/line_marker.h"
#include "workbench/source_file.h"
#include "workbench/workbench_host.h"
#include "workbench/workbench_texts.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace workbench {
namespace {

// Open-file-name flags of the two dialogs: path and file must exist, no
// read-only box or file, links not followed; the save dialog also asks before
// overwriting or creating a file.
constexpr int kOpenFlags = 1087492;
constexpr int kSaveFlags = 1091590;

// A selection is shown only while its box has the focus, so a marked line
// stays visibly red and bold after the focus has moved on.
void hideInactiveSelection(platform::RichTextBox* box) {
    QPalette p = box->palette();
    p.setBrush(QPalette::Inactive, QPalette::Highlight, QBrush(Qt::NoBrush));
    p.setBrush(QPalette::Inactive, QPalette::HighlightedText, QBrush(Qt::NoBrush));
    box->setPalette(p);
}

QString rawText(const QTextDocument* doc) {
    QString t = doc->toRawText();
    t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    t.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return t;
}

}  // namespace

SourceEditor::SourceEditor(WorkbenchState& state, const editions::EditionProfile& profile, WorkbenchHost& host,
                           platform::RichTextBox* editor, platform::RichTextBox* listing,
                           platform::RichTextBox* messages)
    : state_(state),
      profile_(profile),
      host_(host),
      editor_(editor),
      listing_(listing),
      messages_(messages),
      editorMarker_(new LineMarker(editor->document())),
      listingMarker_(new LineMarker(listing->document())) {
    hideInactiveSelection(editor_);
    hideInactiveSelection(listing_);
    editor_->setTabChangesFocus(false);
    editor_->installEventFilter(this);
    editor_->viewport()->installEventFilter(this);
    listing_->installEventFilter(this);
    listing_->viewport()->installEventFilter(this);
    messages_->viewport()->installEventFilter(this);
    connect(editor_, &QTextEdit::textChanged, this, &SourceEditor::onEditorChanged);
}

SourceEditor::~SourceEditor() = default;

template <typename F>
void SourceEditor::untracked(F change) {
    state_.TrackChanges = false;
    change();
    state_.TrackChanges = true;
}

QString SourceEditor::editorCaption() const {
    return QString::fromStdString(profile_.appTitle()) + QStringLiteral(" - ") + state_.SourcePath +
           (state_.SourceModified ? QStringLiteral(" *") : QString());
}

QString SourceEditor::editorText() const { return rawText(editor_->document()); }

void SourceEditor::onEditorChanged() {
    if (!state_.TrackChanges || state_.SourceModified) return;
    state_.SourceModified = true;
    host_.setCaption(editorCaption());
}

bool SourceEditor::AskToSaveChanges() {
    if (!state_.SourceModified) return true;
    const auto answer = platform::MsgBox(kSaveQuestion, platform::MsgButtons::YesNoCancel, kSaveQuestionTitle,
                                         platform::MsgIcon::Question, 2);
    if (answer == platform::MsgResult::Cancel) return false;
    if (answer == platform::MsgResult::Yes) return SaveSourceFile();
    return true;
}

void SourceEditor::resetPanes() {
    listingMarker_->clear();
    listing_->setText(listingPlaceholder(profile_.listingPlaceholderId));
    messages_->setText(kMessagePlaceholder103);
    messages_->setTag(QStringLiteral("0"));
}

void SourceEditor::FileNew_Click() {
    if (!AskToSaveChanges()) return;
    editorMarker_->clear();
    editor_->setText(QString());
    resetPanes();
    state_.SourceModified = false;
    state_.SourceHasName = false;
    state_.SourcePath = kUntitledSource;
    host_.setCaption(editorCaption());
    TextSetZhuanTaiDisp(editor_);
}

void SourceEditor::FileOpen_Click() {
    if (!AskToSaveChanges()) return;
    platform::FileRequest request;
    request.title = QStringLiteral("打开文件");
    request.filter = kSourceFilter;
    request.defaultExt = QStringLiteral("ASM");
    request.flags = kOpenFlags;
    const auto chosen = platform::prompter().openFile(request);
    if (!chosen || chosen->isEmpty()) return;

    const auto text = readTextFile(*chosen);
    if (!text) {
        showFileMessage(unreadableFileText(*chosen));
        return;
    }
    host_.setWindowEnabled(false);
    editorMarker_->clear();
    editor_->setText(*text);
    editor_->moveCursor(QTextCursor::Start);
    resetPanes();
    state_.SourceModified = false;
    state_.SourceHasName = true;
    state_.SourcePath = *chosen;
    host_.setCaption(editorCaption());
    host_.setWindowEnabled(true);
    TextSetZhuanTaiDisp(editor_);
}

void SourceEditor::FileSave_Click() { SaveSourceFile(); }

bool SourceEditor::SaveSourceFile() {
    const QString name = state_.SourceHasName ? state_.SourcePath : AskSaveFileName(state_.SourcePath);
    if (name.isEmpty()) return false;
    return WriteSourceFile(name);
}

void SourceEditor::FileSaveAs_Click() {
    const QString name = AskSaveFileName(state_.SourcePath);
    if (!name.isEmpty()) WriteSourceFile(name);
}

QString SourceEditor::AskSaveFileName(const QString& initialName) {
    platform::FileRequest request;
    request.title = QStringLiteral("保存文件为");
    request.filter = kSourceFilter;
    request.fileName = initialName;
    request.defaultExt = QStringLiteral("ASM");
    request.flags = kSaveFlags;
    return platform::prompter().saveFile(request).value_or(QString());
}

bool SourceEditor::WriteSourceFile(const QString& path) {
    host_.setWindowEnabled(false);
    const WriteOutcome outcome = writeTextFile(path, editorText());
    host_.setWindowEnabled(true);
    if (!outcome.ok) {
        platform::MsgBox(outcome.error, platform::MsgButtons::Ok, kWriteFailureTitle, platform::MsgIcon::Warning);
        return false;
    }
    state_.SourceModified = false;
    state_.SourceHasName = true;
    state_.SourcePath = path;
    host_.setCaption(editorCaption());
    return true;
}

void SourceEditor::sendKeyToFocus(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target) return;
    // Sent straight to the control, so it never passes the menu's shortcuts
    // and is acted on exactly once.
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

void SourceEditor::FileEditUndo_Click() { sendKeyToFocus(Qt::Key_Z, Qt::ControlModifier); }
void SourceEditor::FileEditCut_Click() { sendKeyToFocus(Qt::Key_X, Qt::ControlModifier); }
void SourceEditor::FileEditCopy_Click() { sendKeyToFocus(Qt::Key_C, Qt::ControlModifier); }
void SourceEditor::FileEditPaush_Click() { sendKeyToFocus(Qt::Key_V, Qt::ControlModifier); }
void SourceEditor::FileEditDel_Click() { sendKeyToFocus(Qt::Key_Delete, Qt::NoModifier); }

void SourceEditor::FileEditSelectAll_Click() {
    editor_->setSelStart(0);
    editor_->setSelLength(editor_->textLength());
}

void SourceEditor::TextSetZhuanTaiDisp(platform::RichTextBox* box) {
    const QTextCursor c = box->textCursor();
    const int s = c.selectionStart();
    const QTextBlock block = box->document()->findBlock(s);
    const int line = block.isValid() ? block.blockNumber() + 1 : 1;
    const int column = block.isValid() ? s - block.position() + 1 : s + 1;
    const QString text = QStringLiteral("行：%1； 列：%2").arg(line).arg(column);
    if (host_.caretPanelText() != text) host_.setCaretPanelText(text);
}

LineMarker* SourceEditor::markerOf(platform::RichTextBox* box) const {
    if (box == editor_) return editorMarker_;
    if (box == listing_) return listingMarker_;
    return nullptr;
}

void SourceEditor::HighlightLine(platform::RichTextBox* box, long long line) {
    if (line < 1 || line > 65535) return;
    LineMarker* marker = markerOf(box);
    if (!marker) return;
    untracked([&] {
        const QTextBlock block = box->document()->findBlockByNumber(int(line - 1));
        // Past the last line, or on the empty line after a final line break,
        // there is nothing to mark. The last line is marked even without a
        // line break of its own.
        if (!block.isValid()) return;
        if (!block.next().isValid() && block.length() <= 1) return;
        QTextCursor c(box->document());
        c.setPosition(block.position());
        c.setPosition(std::min(block.position() + block.length(), box->textLength()), QTextCursor::KeepAnchor);
        box->setTextCursor(c);
        marker->mark(block);
    });
}

void SourceEditor::RichTextBox4_DblClick() { HighlightLine(editor_, leadingNumber(messages_->tag())); }

void SourceEditor::reloadEditor(const QString& text) {
    untracked([&] {
        const int start = editor_->selStart();
        const int length = editor_->selLength();
        const int scroll = editor_->verticalScrollBar()->value();
        editorMarker_->clear();
        editor_->setText(text);
        editor_->setSelStart(start);
        editor_->setSelLength(length);
        if (scroll != 0) editor_->verticalScrollBar()->setValue(scroll);
    });
}

void SourceEditor::showMessage(const QString& text) { messages_->setText(text); }

void SourceEditor::setMessageTag(int line) { messages_->setTag(QString::number(line)); }

void SourceEditor::showListing(const QString& text) {
    listingMarker_->clear();
    listing_->setText(text);
}

bool SourceEditor::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == editor_ && type == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
            editor_->textCursor().insertText(QStringLiteral("\t"));
            editor_->ensureCursorVisible();
            return true;
        }
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ShiftModifier) {
            // Shift+Tab is not the editor's: it moves the focus back, as Backtab does.
            QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
            QApplication::sendEvent(editor_, &backtab);
            return true;
        }
    }
    const bool caretEvent = type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease;
    if (caretEvent && (watched == editor_ || watched == editor_->viewport())) TextSetZhuanTaiDisp(editor_);
    if (caretEvent && (watched == listing_ || watched == listing_->viewport())) TextSetZhuanTaiDisp(listing_);
    if (type == QEvent::MouseButtonDblClick && watched == messages_->viewport()) RichTextBox4_DblClick();
    return QObject::eventFilter(watched, event);
}

}  // namespace workbench
