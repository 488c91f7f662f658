#pragma once
// The workbench's own texts, shared by the editor, the build and the options dialog.

#include <QString>

namespace workbench {

// Pane placeholders (string resources of the main window).
inline const QString kListingPlaceholder102 = QStringLiteral("汇编列表输出及用户自定义扩展指令文件显示窗口...");
inline const QString kMessagePlaceholder103 = QStringLiteral("编译信息显示窗口...");
inline const QString kEditorPlaceholder104 = QStringLiteral("汇编源程序编辑、显示窗口...");
inline const QString kListingPlaceholder105 = QStringLiteral("汇编列表输出显示窗口...");
inline const QString kBuildingText106 = QStringLiteral("编译中，请稍候。。。");
inline const QString kBuildFailedText107 = QStringLiteral("编译出错，请重试...");

// The listing pane's placeholder for an edition's ListingPlaceholderId.
inline QString listingPlaceholder(int id) {
    return id == 105 ? kListingPlaceholder105 : kListingPlaceholder102;
}

inline const QString kInfoTitle = QStringLiteral(" 信息提示！");
inline const QString kSaveQuestion = QStringLiteral("当前文件被修改，是否保存？");
inline const QString kSaveQuestionTitle = QStringLiteral(" 提示：是否保存？");
// The write-failure box carries the product's name and version in every edition.
inline const QString kWriteFailureTitle = QStringLiteral("Corvane V1.0.5");

inline QString missingFileText(const QString& path) {
    return QStringLiteral("文件 \"") + path + QStringLiteral("\" 不存在！！");
}
inline QString unreadableFileText(const QString& path) {
    return QStringLiteral("文件 \"") + path + QStringLiteral("\" 已被打开、被保护或已损坏，无法打开！！");
}

// Shows one of the two file messages above: title " 信息提示！", information icon, OK.
void showFileMessage(const QString& text);

}  // namespace workbench
