#include "circuit/widgets/state_views.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QSet>
#include <QStyledItemDelegate>

#include "circuit/ic_tree.h"
#include "circuit/signal_list.h"
#include "circuit/text_order.h"
#include "circuit/widgets/name_columns.h"

namespace circuit::widgets {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIcRole = Qt::UserRole + 1;
constexpr int kPinRole = Qt::UserRole + 2;

QFont weightFont(bool bold) {
    QFont f;
    f.setBold(bold);
    return f;
}

int32_t intData(const QTreeWidgetItem* item, int role) {
    if (!item) return -1;
    const QVariant v = item->data(0, role);
    return v.isValid() ? v.toInt() : -1;
}

}  // namespace

void setMarked(QTreeWidgetItem* item, bool marked) {
    static const QFont bold = weightFont(true);
    static const QFont plain = weightFont(false);
    static const QBrush red(QColor(255, 0, 0));
    static const QBrush black(QColor(0, 0, 0));
    const int columns = std::max(1, item->columnCount());
    for (int c = 0; c < columns; ++c) {
        item->setFont(c, marked ? bold : plain);
        item->setForeground(c, marked ? red : black);
    }
}

bool isMarked(const QTreeWidgetItem* item) { return item && item->font(0).bold(); }

namespace {

class DisabledLookDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        // The item's colour stands for every colour group; a disabled view
        // takes its own palette's instead.
        if (!(option->state & QStyle::State_Enabled) && option->widget)
            option->palette.setBrush(QPalette::Text, option->widget->palette().brush(QPalette::Disabled, QPalette::Text));
    }
};

}  // namespace

void keepDisabledLook(QAbstractItemView* view) { view->setItemDelegate(new DisabledLookDelegate(view)); }

QString StateRowItem::toolTip() const {
    const auto nameAndValue = [](const QString& name, const QString& value) {
        return value.isEmpty() ? name : name + QStringLiteral(": ") + value;
    };
    switch (type()) {
    case ProbeRow: return nameAndValue(text(0), text(1));
    case SignalRow: return nameAndValue(text(1), text(2));
    case RegisterRow: return parent() ? parent()->text(0) + QStringLiteral("  ") + text(0) : text(0);
    default: return {};
    }
}

QVariant StateRowItem::data(int column, int role) const {
    if (role == Qt::ToolTipRole) return toolTip();
    return QTreeWidgetItem::data(column, role);
}

// ---- StateTree ----

StateTree::StateTree(QWidget* parent) : QTreeWidget(parent) { keepDisabledLook(this); }

void StateTree::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button());
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    // A right press only rotates; it leaves the selection where it was.
    if (event->button() != Qt::RightButton) QTreeWidget::mousePressEvent(event);
    if (item) emit nodePressed(item);
}

void reorderTopLevel(QTreeWidget* tree, const std::vector<QTreeWidgetItem*>& items, const std::vector<int32_t>& order) {
    QTreeWidgetItem* current = tree->currentItem();
    std::vector<bool> expanded;
    expanded.reserve(items.size());
    for (QTreeWidgetItem* item : items) expanded.push_back(item->isExpanded());
    const QList<QTreeWidgetItem*> taken = tree->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> ordered;
    ordered.reserve(static_cast<qsizetype>(order.size()));
    for (int32_t i : order) ordered.append(items[static_cast<std::size_t>(i)]);
    // Anything the caller did not list goes after the ordered items.
    if (taken.size() != ordered.size()) {
        const QSet<QTreeWidgetItem*> listed(ordered.cbegin(), ordered.cend());
        for (QTreeWidgetItem* item : taken)
            if (!listed.contains(item)) ordered.append(item);
    }
    tree->addTopLevelItems(ordered);
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->setExpanded(expanded[i]);
    if (current) tree->setCurrentItem(current);
}

void rotateTopLevelTexts(QTreeWidget* tree) {
    std::vector<QTreeWidgetItem*> items;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tree->topLevelItem(i);
        item->setText(0, circuit::rotateLabel(item->text(0)));
        items.push_back(item);
    }
    const auto order =
        circuit::textOrder(static_cast<int32_t>(items.size()), [&](int32_t i) { return items[static_cast<std::size_t>(i)]->text(0); });
    reorderTopLevel(tree, items, order);
}

// ---- SignalListView ----

SignalListView::SignalListView(QWidget* parent) : QTreeWidget(parent) {
    keepDisabledLook(this);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("NO."), QStringLiteral("名称"), QStringLiteral("值")});
    header()->setSectionsClickable(true);
    new NameColumns(*this, 1);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int logical) { emit columnClicked(logical + 1); });
}

void SignalListView::fill(const circuit::SignalList& model) {
    clear();
    rows_.clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(model.rowCount());
    for (int32_t k = 0; k < model.rowCount(); ++k) {
        auto* item = new StateRowItem(StateRowItem::SignalRow, {model.text(k, 0), model.text(k, 1), model.text(k, 2)});
        item->setData(0, kKeyRole, circuit::SignalList::rowKey(k));
        rows_.push_back(item);
        items.append(item);
    }
    addTopLevelItems(items);
    if (NameColumns* columns = NameColumns::of(*this)) columns->fit();
}

void SignalListView::mirror(const circuit::SignalList& model, const std::vector<int32_t>& rows) {
    for (int32_t k : rows) {
        QTreeWidgetItem* item = rowItem(k);
        if (!item) continue;
        item->setText(2, model.text(k, 2));
        setMarked(item, model.marked(k));
    }
}

void SignalListView::showOrder(const circuit::SignalList& model) {
    reorderTopLevel(this, rows_, model.sortedRows());
}

QTreeWidgetItem* SignalListView::rowItem(int32_t k) const {
    return k >= 0 && k < static_cast<int32_t>(rows_.size()) ? rows_[static_cast<std::size_t>(k)] : nullptr;
}

QString SignalListView::keyOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kKeyRole).toString() : QString();
}

void SignalListView::selectRow(int32_t k) {
    QTreeWidgetItem* item = rowItem(k);
    if (!item) return;
    setCurrentItem(item);
    scrollToItem(item);
}

// ---- IcTreeView ----

IcTreeView::IcTreeView(QWidget* parent) : StateTree(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(false);
    setUniformRowHeights(true);
}

void IcTreeView::fill(const circuit::IcTree& model) {
    clear();
    ics_.clear();
    pins_.clear();
    QList<QTreeWidgetItem*> top;
    for (int32_t k = 0; k < model.icCount(); ++k) {
        const circuit::IcTree::Ic& ic = model.ic(k);
        auto* item = new QTreeWidgetItem({ic.text});
        item->setData(0, kKeyRole, circuit::IcTree::icKey(k));
        item->setData(0, kIcRole, k);
        item->setData(0, kPinRole, -1);
        std::vector<QTreeWidgetItem*> pins;
        for (std::size_t j = 0; j < ic.pins.size(); ++j) {
            auto* pin = new QTreeWidgetItem(item, {ic.pins[j].text});
            pin->setData(0, kIcRole, k);
            pin->setData(0, kPinRole, static_cast<int>(j));
            pins.push_back(pin);
        }
        ics_.push_back(item);
        pins_.push_back(std::move(pins));
        top.append(item);
    }
    addTopLevelItems(top);
}

void IcTreeView::mirror(const circuit::IcTree& model, const std::vector<int32_t>& ics) {
    for (int32_t k : ics) {
        if (k < 0 || k >= static_cast<int32_t>(ics_.size())) continue;
        const circuit::IcTree::Ic& ic = model.ic(k);
        const auto& pins = pins_[static_cast<std::size_t>(k)];
        for (std::size_t j = 0; j < pins.size() && j < ic.pins.size(); ++j) {
            pins[j]->setText(0, ic.pins[j].text);
            setMarked(pins[j], ic.pins[j].marked);
        }
        setMarked(ics_[static_cast<std::size_t>(k)], ic.marked);
    }
}

void IcTreeView::mirrorLabels(const circuit::IcTree& model) {
    for (std::size_t k = 0; k < ics_.size(); ++k) ics_[k]->setText(0, model.ic(static_cast<int32_t>(k)).text);
    showOrder(model);
}

void IcTreeView::showOrder(const circuit::IcTree& model) { reorderTopLevel(this, ics_, model.shownOrder()); }

QTreeWidgetItem* IcTreeView::icItem(int32_t k) const {
    return k >= 0 && k < static_cast<int32_t>(ics_.size()) ? ics_[static_cast<std::size_t>(k)] : nullptr;
}

QTreeWidgetItem* IcTreeView::pinItem(int32_t k, int32_t j) const {
    if (k < 0 || k >= static_cast<int32_t>(pins_.size())) return nullptr;
    const auto& pins = pins_[static_cast<std::size_t>(k)];
    return j >= 0 && j < static_cast<int32_t>(pins.size()) ? pins[static_cast<std::size_t>(j)] : nullptr;
}

int32_t IcTreeView::icOf(const QTreeWidgetItem* item) { return intData(item, kIcRole); }
int32_t IcTreeView::pinOf(const QTreeWidgetItem* item) { return intData(item, kPinRole); }

}  // namespace circuit::widgets
