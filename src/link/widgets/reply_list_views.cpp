#include "link/widgets/reply_list_views.h"

#include "platform/widgets/list_view.h"

#include <QColor>
#include <QFont>

namespace devlink {

ReplyListViews::ReplyListViews(platform::ListView& registers, platform::ListView& unassembly,
                               platform::ListView& memory)
    : registers_(registers), unassembly_(unassembly), memory_(memory) {}

void ReplyListViews::setMemoryRow(const MemoryRow& row) {
    QTreeWidgetItem* item = memory_.topLevelItem(row.row - 1);
    if (!item) return;
    item->setText(1, row.value);
    item->setText(0, row.address);
    item->setText(2, row.display);
}

QString ReplyListViews::registerValue(int row) const {
    const QTreeWidgetItem* item = registers_.topLevelItem(row - 1);
    return item ? item->text(1) : QString();
}

void ReplyListViews::setRegisterValue(int row, const QString& value) {
    if (QTreeWidgetItem* item = registers_.topLevelItem(row - 1)) item->setText(1, value);
}

void ReplyListViews::markRegister(int row, bool changed) {
    QTreeWidgetItem* item = registers_.topLevelItem(row - 1);
    if (!item) return;
    const QColor colour = changed ? QColor(240, 0, 0) : QColor(0, 0, 0);
    for (int column = 0; column < 2; ++column) {
        QFont f = registers_.font();
        f.setBold(changed);
        item->setFont(column, f);
        item->setForeground(column, colour);
    }
}

int ReplyListViews::appendUnasmRow(const UnasmRow& row) {
    const int position = unassembly_.rowCount() + 1;
    QTreeWidgetItem* item = unassembly_.addRow(QStringLiteral("UnAsm%1").arg(position), row.address);
    if (!item) return position;
    item->setText(1, row.codes);
    item->setText(2, row.instruction);
    return position;
}

void ReplyListViews::selectUnasmRow(int row) {
    if (QTreeWidgetItem* item = unassembly_.topLevelItem(row - 1)) unassembly_.setCurrentItem(item);
}

void ReplyListViews::scrollToUnasmRow(int row) {
    if (QTreeWidgetItem* item = unassembly_.topLevelItem(row - 1)) unassembly_.scrollToItem(item);
}

}  // namespace devlink
