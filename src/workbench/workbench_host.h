#pragma once
// What the workbench needs of the main window that hosts its panes.

#include <QString>

class QWidget;

namespace workbench {

class WorkbenchHost {
public:
    virtual ~WorkbenchHost() = default;

    virtual void setCaption(const QString& caption) = 0;
    // Status-bar panel 2 (the caret's line and column).
    virtual QString caretPanelText() const = 0;
    virtual void setCaretPanelText(const QString& text) = 0;
    // The whole window's input, off while a file is read or written.
    virtual void setWindowEnabled(bool enabled) = 0;
    // The build's busy state: toolbar, band area and the menus 汇编源文件(&F),
    // 汇编源文件编辑, 汇编源文件调试, 切换窗口, 设置, 退出 and 帮助 off (their
    // actions and shortcuts included) while busy, on again afterwards.
    virtual void setBuildBusy(bool busy) = 0;
    // Parent for the workbench's dialogs.
    virtual QWidget* dialogParent() = 0;
};

}  // namespace workbench
