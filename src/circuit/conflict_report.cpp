#include "circuit/conflict_report.h"

#include "circuit/table_names.h"
#include "sim/simulator.h"

namespace circuit {

QString conflictLogHeader() {
    return QStringLiteral("在一个信号（流水号，名称）中出现多个器件同时输出（输出信号值，器件流水号，名称，型号）的冲突错误 ！");
}

QString conflictLine(int32_t number, int32_t net, const QString& netName, const std::vector<ConflictDriver>& drivers) {
    QString line = QStringLiteral("%1 : 信号(%2, %3), 多个器件").arg(number).arg(net).arg(netName);
    for (std::size_t d = 0; d < drivers.size(); ++d) {
        const ConflictDriver& driver = drivers[d];
        if (d > 0) line += QLatin1Char(' ');
        line += QStringLiteral("(%1, %2, %3, %4)").arg(driver.level).arg(driver.ic).arg(driver.designator, driver.typeName);
    }
    return line;
}

QStringList takeConflictLines(sim::Simulator& s) {
    QStringList lines;
    if (s.ConflictShownCount == s.ConflictEventCount) return lines;
    const int32_t lastWord = std::min<int32_t>(s.ConflictWriteIndex, static_cast<int32_t>(s.ConflictRecords.size()) - 1);
    int32_t i = s.ConflictShownIndex + 1;
    for (int32_t shown = s.ConflictShownCount; shown < s.ConflictEventCount; ++shown) {
        if (i < 1 || i > lastWord) break;
        const int32_t header = s.ConflictRecords[static_cast<std::size_t>(i)];
        const int32_t net = header / 65536;
        const int32_t further = header & 0x7FFF;
        if (i + 1 + further > lastWord) break;
        std::vector<ConflictDriver> drivers;
        for (int32_t w = i + 1; w <= i + 1 + further; ++w) {
            const int32_t word = s.ConflictRecords[static_cast<std::size_t>(w)];
            ConflictDriver d;
            d.ic = word / 65536;
            d.level = word & 0x7FFF;
            if (sim::Simulator::isIc(d.ic)) {
                d.designator = icDesignator(s, d.ic);
                d.typeName = icTypeText(s.IcTable[static_cast<std::size_t>(d.ic)].Type);
            }
            drivers.push_back(std::move(d));
        }
        lines << conflictLine(shown, net, netName(s, net), drivers);
        i += further + 2;
    }
    s.ConflictShownCount = s.ConflictEventCount;
    s.ConflictShownIndex = s.ConflictWriteIndex;
    return lines;
}

QString conflictLogAddition(bool logEmpty, const QStringList& lines) {
    QString text;
    if (logEmpty) text = conflictLogHeader() + QLatin1Char('\n');
    for (const QString& line : lines) text += line + QLatin1Char('\n');
    return text;
}

}  // namespace circuit
