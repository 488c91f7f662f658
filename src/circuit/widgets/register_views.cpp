#include "circuit/widgets/register_views.h"

#include <QTreeWidget>

#include "circuit/environment.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/name_columns.h"
#include "circuit/widgets/state_views.h"

namespace circuit::widgets {

RegisterViews::RegisterViews(Form7& form)
    : QObject(&form), form_(form), tree_(form.environment().simulator), probes_(form.environment().simulator) {
    setObjectName(QStringLiteral("RegisterViews"));
}

RegisterViews* RegisterViews::of(const Form7& form) {
    return form.findChild<RegisterViews*>(QStringLiteral("RegisterViews"), Qt::FindDirectChildrenOnly);
}

void RegisterViews::fill() {
    tree_.fill(form_.StartIcNumber(), form_.EndIcNumber());
    QTreeWidget* tree = form_.TreeView2();
    tree->clear();
    nodes_.clear();
    rows_.clear();
    tree->setUniformRowHeights(true);
    QList<QTreeWidgetItem*> top;
    for (int32_t i = 0; i < tree_.nodeCount(); ++i) {
        const circuit::RegisterTree::Node& node = tree_.node(i);
        auto* item = new StateRowItem(StateRowItem::RegisterRow, {node.text});
        item->setData(0, Qt::UserRole, circuit::RegisterTree::nodeKey(node.k));
        std::vector<QTreeWidgetItem*> rows;
        rows.reserve(node.rows.size());
        for (const circuit::RegisterTree::Row& row : node.rows)
            rows.push_back(new StateRowItem(StateRowItem::RegisterRow, item, {row.text}));
        nodes_.push_back(item);
        rows_.push_back(std::move(rows));
        top.append(item);
    }
    tree->addTopLevelItems(top);

    probes_.fill(form_.Setup());
    QTreeWidget* list = form_.ListView2();
    list->clear();
    probeRows_.clear();
    const QStringList columns = probes_.columns();
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    QList<QTreeWidgetItem*> items;
    for (int32_t i = 0; i < probes_.rowCount(); ++i) {
        auto* item = new StateRowItem(StateRowItem::ProbeRow, {probes_.row(i).title, QString()});
        item->setData(0, Qt::UserRole, probes_.row(i).key);
        probeRows_.push_back(item);
        items.append(item);
    }
    list->addTopLevelItems(items);
    (new NameColumns(*list, 0))->fit();
}

void RegisterViews::refresh() {
    for (int32_t i : probes_.refresh()) {
        QTreeWidgetItem* item = probeRows_[static_cast<std::size_t>(i)];
        const circuit::ProbeList::Row& row = probes_.row(i);
        item->setText(1, row.value);
        setMarked(item, row.marked);
    }
    for (const auto& [i, r] : tree_.refresh()) {
        const circuit::RegisterTree::Node& node = tree_.node(i);
        if (r < 0) {
            setMarked(nodes_[static_cast<std::size_t>(i)], node.marked);
            continue;
        }
        QTreeWidgetItem* item = rows_[static_cast<std::size_t>(i)][static_cast<std::size_t>(r)];
        const circuit::RegisterTree::Row& row = node.rows[static_cast<std::size_t>(r)];
        if (item->text(0) != row.text) item->setText(0, row.text);
        setMarked(item, row.marked);
    }
}

QTreeWidgetItem* RegisterViews::nodeItem(int32_t k) const {
    const int32_t i = tree_.nodeOf(k);
    return i >= 0 ? nodes_[static_cast<std::size_t>(i)] : nullptr;
}

QTreeWidgetItem* RegisterViews::probeItem(int32_t row) const {
    return row >= 0 && row < static_cast<int32_t>(probeRows_.size()) ? probeRows_[static_cast<std::size_t>(row)] : nullptr;
}

}  // namespace circuit::widgets
