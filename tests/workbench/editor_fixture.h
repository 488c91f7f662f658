#pragma once
// A stand-in main window: the three panes of the editor layout in a window, and
// a host that records caption, status panel 2 and the enabled states.

#include "editions/edition_profile.h"
#include "platform/widgets/rich_text_box.h"
#include "support/scripted_prompter.h"
#include "workbench/workbench.h"
#include "workbench/workbench_host.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>

namespace wbtest {

class FakeHost : public workbench::WorkbenchHost {
public:
    QWidget window;
    QString caption;
    QString panel2;
    bool enabled = true;
    QStringList busy;
    std::function<void(bool)> onBusy;

    void setCaption(const QString& c) override { caption = c; }
    QString caretPanelText() const override { return panel2; }
    void setCaretPanelText(const QString& t) override { panel2 = t; }
    void setWindowEnabled(bool e) override { enabled = e; }
    void setBuildBusy(bool b) override {
        busy << (b ? "on" : "off");
        if (onBusy) onBusy(b);
    }
    QWidget* dialogParent() override { return &window; }
};

struct EditorRig {
    explicit EditorRig(const editions::EditionProfile& p = editions::profileCorvane16()) : profile(p) {
        auto* layout = new QVBoxLayout(&host.window);
        editor = new platform::RichTextBox;
        messages = new platform::RichTextBox;
        listing = new platform::RichTextBox;
        layout->addWidget(editor);
        layout->addWidget(messages);
        layout->addWidget(listing);
        host.window.resize(500, 400);
        wb = std::make_unique<workbench::Workbench>(state, profile, host, editor, listing, messages);
        state.TrackChanges = true;
    }
    void show() {
        host.window.show();
        QApplication::setActiveWindow(&host.window);
        editor->setFocus();
    }
    QString title() const { return QString::fromStdString(profile.appTitle()); }
    QStringList boxes() const {
        QStringList out;
        for (const auto& m : prompter.messages()) out << m.text;
        return out;
    }

    const editions::EditionProfile& profile;
    testsupport::ScriptedPrompter prompter;
    workbench::WorkbenchState state;
    FakeHost host;
    platform::RichTextBox* editor;
    platform::RichTextBox* messages;
    platform::RichTextBox* listing;
    std::unique_ptr<workbench::Workbench> wb;
};

}  // namespace wbtest
