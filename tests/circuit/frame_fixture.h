#pragma once
// The frame started on the basic fixture folder, and what tests read from
// and do to its trees and lists.

#include <QAction>
#include <QDir>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "env_data.h"
#include "env_fixture.h"
#include "support/scripted_prompter.h"

namespace circuittest {

using circuit::widgets::Form7;
using circuit::widgets::MDIForm1;

// The frame started on the basic fixture folder, shown.
struct BasicFrame {
    explicit BasicFrame(const std::function<void(QDir)>& change = {}, circuit::widgets::FrameHooks hooks = {}) {
        EXPECT_TRUE(writeBasicData(folder.path()));
        EXPECT_TRUE(writeInverterCircuit(data().filePath(QStringLiteral("inverter.sch"))));
        if (change) change(data());
        frame = std::make_unique<MDIForm1>(std::move(hooks));
        frame->MDIForm_UseLoad();
        frame->resize(1400, 900);
        frame->show();
    }
    QDir data() const { return QDir(QDir(folder.path()).filePath(QStringLiteral("data"))); }
    Form7& window(std::size_t i) const { return *frame->circuitWindows().at(i); }
    QStringList labTexts() const {
        QStringList t;
        for (QAction* a : frame->lab_AutoAddlab()) t << a->text();
        return t;
    }
    std::vector<int> checked() const {
        std::vector<int> c;
        for (int i = 0; i < frame->lab_AutoAddlab().size(); ++i)
            if (frame->lab_AutoAddlab()[i]->isChecked()) c.push_back(i);
        return c;
    }

    testsupport::ScriptedPrompter prompter;
    ProgramFolder folder;
    std::unique_ptr<MDIForm1> frame;
};

inline QStringList topTexts(const QTreeWidget* tree) {
    QStringList t;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) t << tree->topLevelItem(i)->text(0);
    return t;
}

inline QStringList childTexts(const QTreeWidgetItem* item) {
    QStringList t;
    for (int i = 0; i < item->childCount(); ++i) t << item->child(i)->text(0);
    return t;
}

inline void press(QTreeWidget* tree, QTreeWidgetItem* item, Qt::MouseButton button) {
    tree->scrollToItem(item);
    QTest::mousePress(tree->viewport(), button, {}, tree->visualItemRect(item).center());
    QTest::mouseRelease(tree->viewport(), button, {}, tree->visualItemRect(item).center());
}

}  // namespace circuittest
