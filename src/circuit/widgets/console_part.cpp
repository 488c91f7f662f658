#include "circuit/widgets/console_part.h"

#include <QTreeWidget>

#include "circuit/conflict_report.h"
#include "circuit/environment.h"
#include "circuit/hot_element.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form13.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "circuit/widgets/operator_console.h"
#include "circuit/widgets/register_views.h"
#include "circuit/widgets/state_views.h"
#include "platform/widgets/window_placement.h"
#include "view/widgets/user_control1.h"

namespace circuit::widgets {

namespace {

void reportConflicts(Form7& form) {
    const QStringList lines = circuit::takeConflictLines(form.environment().simulator);
    if (lines.isEmpty()) return;
    Form13::of(form.frame()).appendConflictLines(lines);
}

void showConflictLog(MDIForm1& frame) {
    Form13& log = Form13::of(frame);
    platform::placeOverOnce(log, &frame);
    log.show();
    log.raise();
    log.activateWindow();
}

// Selects `item`, gives it the expansion `expanded` and scrolls it into view.
void selectNode(QTreeWidget* tree, QTreeWidgetItem* item, bool expanded) {
    tree->setCurrentItem(item);
    item->setExpanded(expanded);
    tree->scrollToItem(item);
}

}  // namespace

void UserControl11_HotElement(Form7& form, int view, int32_t value) {
    view::UserControl1* v = form.UserControl11(view);
    if (!v) return;
    const circuit::Environment& env = form.environment();
    v->setToolTipText(circuit::hotElementText(env.simulator, value, env.StopFlag == -1));
}

void UserControl11_HotElementClick(Form7& form, int, int32_t button, int32_t value) {
    if (button != 1) return;
    const circuit::HotElement e = circuit::decodeHotElement(value);
    if (e.kind == circuit::HotElement::Kind::Signal) {
        form.selectSignalRow(e.number - form.StartSignalNumber());
        return;
    }
    if (e.kind != circuit::HotElement::Kind::Ic) return;
    const int32_t k = e.number - form.StartIcNumber();
    QTreeWidgetItem* icNode = form.TreeView1()->icItem(k);
    if (!icNode) return;
    const bool expanded = !icNode->isExpanded();
    selectNode(form.TreeView1(), icNode, expanded);
    if (RegisterViews* views = RegisterViews::of(form))
        if (QTreeWidgetItem* node = views->nodeItem(k)) selectNode(form.TreeView2(), node, expanded);
}

void installConsoleParts(CircuitParts& parts) {
    parts.buildConsole = [](Form7& form) { new OperatorConsole(form); };
    parts.fillStateViews = [](Form7& form) { (new RegisterViews(form))->fill(); };
    parts.refreshStateViews = [](Form7& form) {
        if (RegisterViews* views = RegisterViews::of(form)) views->refresh();
    };
    parts.reportConflicts = reportConflicts;
    parts.hotElement = UserControl11_HotElement;
    parts.hotElementClick = UserControl11_HotElementClick;
    parts.showConflictLog = showConflictLog;
}

}  // namespace circuit::widgets
