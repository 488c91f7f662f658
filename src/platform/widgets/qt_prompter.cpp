#include "platform/widgets/qt_prompter.h"

#include "platform/widgets/dialog_owner.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct ButtonChoice {
    QMessageBox::StandardButton button;
    MsgResult result;
};

std::vector<ButtonChoice> buttonsOf(MsgButtons b) {
    using SB = QMessageBox::StandardButton;
    switch (b) {
        case MsgButtons::Ok: return {{SB::Ok, MsgResult::Ok}};
        case MsgButtons::OkCancel: return {{SB::Ok, MsgResult::Ok}, {SB::Cancel, MsgResult::Cancel}};
        case MsgButtons::YesNo: return {{SB::Yes, MsgResult::Yes}, {SB::No, MsgResult::No}};
        case MsgButtons::YesNoCancel:
            return {{SB::Yes, MsgResult::Yes}, {SB::No, MsgResult::No}, {SB::Cancel, MsgResult::Cancel}};
        case MsgButtons::RetryCancel: return {{SB::Retry, MsgResult::Retry}, {SB::Cancel, MsgResult::Cancel}};
        case MsgButtons::AbortRetryIgnore:
            return {{SB::Abort, MsgResult::Abort}, {SB::Retry, MsgResult::Retry}, {SB::Ignore, MsgResult::Ignore}};
    }
    return {{SB::Ok, MsgResult::Ok}};
}

QMessageBox::Icon iconOf(MsgIcon i) {
    switch (i) {
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Warning: return QMessageBox::Warning;
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Texts for the standard buttons, as the Chinese system shows them.
QString captionOf(MsgResult r) {
    switch (r) {
        case MsgResult::Ok: return QStringLiteral("确定");
        case MsgResult::Cancel: return QStringLiteral("取消");
        case MsgResult::Yes: return QStringLiteral("是(&Y)");
        case MsgResult::No: return QStringLiteral("否(&N)");
        case MsgResult::Retry: return QStringLiteral("重试(&R)");
        case MsgResult::Abort: return QStringLiteral("中止(&A)");
        case MsgResult::Ignore: return QStringLiteral("忽略(&I)");
    }
    return {};
}

// Which answer a box's button stands for.
constexpr const char* kResultProperty = "msgResult";

// The width a box needs so that the window manager can show its whole title:
// the title in a bold, somewhat larger face, with room for the window's icon
// and its buttons.
int titleRoom(const QString& title, const QFont& font) {
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPointSizeF(font.pointSizeF() * 1.25);
    return QFontMetrics(titleFont).horizontalAdvance(title) + 160;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const MessageRequest& r) {
    auto box = std::make_unique<QMessageBox>(iconOf(r.icon), r.title, r.text, QMessageBox::NoButton, nullptr);
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const auto choices = buttonsOf(r.buttons);
    std::vector<QPushButton*> added;
    for (const auto& s : choices) {
        QPushButton* b = box->addButton(s.button);
        b->setText(captionOf(s.result));
        b->setProperty(kResultProperty, static_cast<int>(s.result));
        added.push_back(b);
    }
    const int def = (r.defaultButton >= 0 && r.defaultButton < static_cast<int>(added.size())) ? r.defaultButton : 0;
    box->setDefaultButton(added[size_t(def)]);
    // Closing the box with its close button or Escape answers Cancel where the
    // box has one, else its only or last button.
    for (size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].result == MsgResult::Cancel) box->setEscapeButton(added[i]);
    }
    if (choices.size() == 1) box->setEscapeButton(added[0]);
    // The box sizes itself to its text and buttons only; a spacer across its
    // grid keeps it as wide as its title needs.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(titleRoom(r.title, box->font()), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

MsgResult QtPrompter::message(const MessageRequest& r) {
    const std::unique_ptr<QMessageBox> box = makeMessageBox(r);
    keepAboveDialogOwner(box.get());
    box->show();
    box->raise();
    box->activateWindow();
    box->exec();
    if (const QAbstractButton* clicked = box->clickedButton()) {
        const QVariant result = clicked->property(kResultProperty);
        if (result.isValid()) return static_cast<MsgResult>(result.toInt());
    }
    return buttonsOf(r.buttons).back().result;
}

std::optional<QString> QtPrompter::input(const InputRequest& r) {
    QInputDialog dialog(nullptr);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(r.title);
    dialog.setLabelText(r.prompt);
    dialog.setTextValue(r.defaultText);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    keepAboveDialogOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

QStringList qtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (t.isEmpty()) continue;
            for (const QString& v : {t, t.toUpper(), t.toLower()}) {
                if (!patterns.contains(v)) patterns.push_back(v);
            }
        }
        // The patterns a description names already go: the whole list follows it.
        QString description = parts[i].trimmed();
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0) description = description.left(open).trimmed();
        }
        out.push_back(QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' '))));
    }
    return out;
}

namespace {

class FileDialog : public QFileDialog {
public:
    FileDialog(const QString& title) : QFileDialog(nullptr, title) {}

    void accept() override {
        // The dialog takes a file selected in its list before the typed name,
        // and a selection can outlive the typing (a folder clicked meanwhile):
        // Enter would then open that folder and empty the box. A full path
        // typed into the box is what the user means.
        if (const QLineEdit* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            const QString typed = QDir::fromNativeSeparators(box->text().trimmed());
            if (QDir::isAbsolutePath(typed) && !QFileInfo(typed).isDir()) selectFile(typed);
        }
        QFileDialog::accept();
    }
};

}  // namespace

std::unique_ptr<QFileDialog> makeFileDialog(const FileRequest& r, bool save, const QString& folder) {
    auto dialog = std::make_unique<FileDialog>(r.title);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setOption(QFileDialog::DontResolveSymlinks, true);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtNameFilters(r.filter);
    if (!filters.isEmpty()) {
        dialog->setNameFilters(filters);
        const int index = std::clamp(r.filterIndex, 1, static_cast<int>(filters.size())) - 1;
        dialog->selectNameFilter(filters[index]);
    }
    if (!r.defaultExt.isEmpty()) dialog->setDefaultSuffix(r.defaultExt);
    const QString dir = r.initialDir.isEmpty() ? folder : r.initialDir;
    if (!dir.isEmpty()) dialog->setDirectory(dir);
    if (!r.fileName.isEmpty()) dialog->selectFile(r.fileName);
    return dialog;
}

std::optional<QString> QtPrompter::fileDialog(const FileRequest& r, bool save) {
    const std::unique_ptr<QFileDialog> dialog = makeFileDialog(r, save, lastFolder_);
    keepAboveDialogOwner(dialog.get());
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(chosen.first()).absolutePath();
    return chosen.first();
}

std::optional<QString> QtPrompter::openFile(const FileRequest& r) { return fileDialog(r, false); }
std::optional<QString> QtPrompter::saveFile(const FileRequest& r) { return fileDialog(r, true); }

std::optional<FontChoice> QtPrompter::chooseFont(const FontChoice& initial) {
    QFont f(initial.family);
    if (initial.pointSize > 0) f.setPointSizeF(initial.pointSize);
    f.setBold(initial.bold);
    f.setItalic(initial.italic);
    f.setUnderline(initial.underline);
    f.setStrikeOut(initial.strikeOut);
    QFontDialog dialog(f);
    dialog.setOption(QFontDialog::ScalableFonts);
    keepAboveDialogOwner(&dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    return FontChoice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic(), chosen.underline(),
                      chosen.strikeOut()};
}

}  // namespace platform
