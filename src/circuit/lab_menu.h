#pragma once
// The experiment menu's table: one entry per menu item, each naming a circuit
// window and the experiment of that circuit the item stands for. Circuit
// windows register their experiments when they load; the frame's menu mirrors
// the items' texts and the one checked item.

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace circuit {

// What choosing an experiment asks of a circuit window.
class LabWindow {
public:
    virtual ~LabWindow() = default;
    // The circuit is being left: its run stops and its experiment texts go.
    virtual void User_ChangeCurForm() = 0;
    // Show experiment `labNumber` of the circuit under the caption `formCaption`.
    virtual void User_GetUse(const QString& formCaption, int32_t labNumber) = 0;
    // Brought to the front, maximised and enabled.
    virtual void showChosen() = 0;
};

struct LabMenuEntry {
    int32_t LabNumber = 0;           // experiment index within its circuit; 0 for a circuit without experiments
    LabWindow* Circuit = nullptr;    // none in the start entry until the first registration
    QString text;                    // the menu item's caption
};

// What a circuit window does after registering: a circuit without experiments
// hides its text band and takes the caption "电路N"; otherwise its caption is
// left to the experiment chosen later.
struct LabRegistration {
    int32_t circuitNumber = 0;
    bool withoutLabs = false;
    QString windowCaption;  // empty: leave the caption
};

class LabMenu {
public:
    // Entry k belongs to menu item k; entry 0 is the design item until the
    // first registration fills it.
    std::vector<LabMenuEntry> LabMenuTable{LabMenuEntry{}};
    int32_t CurrentLabItem = 0;
    int32_t CircuitCount = 0;
    int32_t checkedItem = -1;  // -1 until the first choice

    // The menu is usable once a circuit has registered.
    bool enabled() const { return LabMenuTable.front().Circuit != nullptr; }
    int32_t itemCount() const { return static_cast<int32_t>(LabMenuTable.size()); }
    // "电路实验", and after registrations "电路实验（共 N个电路、M个实验）".
    QString caption() const;

    // Registers a loaded circuit with the names of its experiments (none for a
    // circuit without experiments): one entry per experiment, or one for the
    // circuit itself.
    LabRegistration registerCircuit(LabWindow* window, const std::vector<std::string>& labNames);

    // Switches to item `index`: the circuit being left is told first (also
    // when it is the chosen one), then the chosen one is shown with its
    // experiment. False, with nothing changed, for an item without an entry.
    bool choose(int32_t index);

private:
    void addEntry(LabWindow* window, int32_t labNumber, const QString& text);
};

}  // namespace circuit
