#pragma once
// The bus-conflict report: the conflict events the kernel recorded since the
// last report, as lines for the conflict log. An event names the net and
// every IC that drove it, the owner first:
//   0 : 信号(25, D0), 多个器件(1, 4, U5, 74LS244) (0, 7, U8, 74LS245)
// Events are numbered from 0 after each reset of the conflict counters.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace sim {
class Simulator;
}

namespace circuit {

// The line an empty log starts with.
QString conflictLogHeader();

struct ConflictDriver {
    int32_t level = 0;
    int32_t ic = 0;
    QString designator;
    QString typeName;
};

// One event's line, without its line break.
QString conflictLine(int32_t number, int32_t net, const QString& netName, const std::vector<ConflictDriver>& drivers);

// The lines of the events recorded since the last report, and the counters
// moved on so that the next report starts after them; nothing when there is
// nothing new. Never reads past the last word the kernel wrote.
QStringList takeConflictLines(sim::Simulator& simulator);

// What the log gets appended: the header line first when the log is empty,
// then each line with its line break.
QString conflictLogAddition(bool logEmpty, const QStringList& lines);

}  // namespace circuit
