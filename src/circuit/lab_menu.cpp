#include "circuit/lab_menu.h"

namespace circuit {

QString LabMenu::caption() const {
    if (!enabled()) return QStringLiteral("电路实验");
    return QStringLiteral("电路实验（共 %1个电路、%2个实验）").arg(CircuitCount).arg(itemCount());
}

void LabMenu::addEntry(LabWindow* window, int32_t labNumber, const QString& text) {
    if (!enabled()) {
        LabMenuTable.front() = LabMenuEntry{labNumber, window, text};
        return;
    }
    LabMenuTable.push_back(LabMenuEntry{labNumber, window, text});
}

LabRegistration LabMenu::registerCircuit(LabWindow* window, const std::vector<std::string>& labNames) {
    CircuitCount += 1;
    const int32_t n = CircuitCount;
    LabRegistration r;
    r.circuitNumber = n;
    if (labNames.empty()) {
        r.withoutLabs = true;
        r.windowCaption = QStringLiteral("电路%1").arg(n);
        addEntry(window, 0, QStringLiteral("电路 %1").arg(n));
        return r;
    }
    for (std::size_t i = 0; i < labNames.size(); ++i) {
        addEntry(window, static_cast<int32_t>(i),
                 QStringLiteral("电路 %1 的实验 %2 : %3").arg(n).arg(i + 1).arg(QString::fromStdString(labNames[i])));
    }
    return r;
}

bool LabMenu::choose(int32_t index) {
    if (index < 0 || CircuitCount <= 0 || index >= itemCount()) return false;
    const LabMenuEntry& chosen = LabMenuTable[static_cast<std::size_t>(index)];
    if (chosen.Circuit == nullptr) return false;
    if (CurrentLabItem >= 0 && CurrentLabItem < itemCount()) {
        if (LabWindow* left = LabMenuTable[static_cast<std::size_t>(CurrentLabItem)].Circuit) left->User_ChangeCurForm();
    }
    CurrentLabItem = index;
    // The entry is read again: the table does not change meanwhile, but a copy
    // keeps the caption safe whatever the windows do.
    const LabMenuEntry entry = LabMenuTable[static_cast<std::size_t>(index)];
    entry.Circuit->showChosen();
    entry.Circuit->User_GetUse(entry.text, entry.LabNumber);
    checkedItem = index;
    return true;
}

}  // namespace circuit
