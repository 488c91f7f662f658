#pragma once
// What the build needs of the window around it: the editor's saving, the busy
// state and the three panes. The widgets side implements it on the main window.

#include <QString>

namespace workbench {

class BuildSurface {
public:
    virtual ~BuildSurface() = default;

    // SaveSourceFile: true when the editor's text has been written to its file.
    virtual bool saveSourceFile() = 0;
    // Hourglass; toolbar, panes and the seven menus (their shortcuts included)
    // disabled while busy.
    virtual void setBusy(bool busy) = 0;
    // The message pane's text (plain; CR LF or LF line ends) and its tag.
    virtual void showMessage(const QString& text) = 0;
    virtual void setMessageTag(int line) = 0;
    virtual void showListing(const QString& text) = 0;
    // Reloads the editor from the saved file without recording a change,
    // keeping selection and scroll position; removes any error mark.
    virtual void reloadEditor(const QString& text) = 0;
    // Marks the line the message pane's tag names (its double click).
    virtual void markTaggedEditorLine() = 0;
    // HighlightLine on the listing pane.
    virtual void markListingLine(int line) = 0;
};

}  // namespace workbench
