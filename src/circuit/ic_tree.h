#pragma once
// What the IC tree shows: one node per IC of a circuit ("003 : U4 : 74LS244")
// with one child per signal pin ("In 0: 17: A0: 1"), inputs first, then
// outputs, then bidirectional pins, and which nodes are marked. A pin is
// marked, and shows its net's new level, exactly while its net's row in the
// signal list is marked; an IC while any of its pins is. The tree widget
// mirrors it.
//
// Each IC keeps its own pins in fill order; only the ICs are ever sorted, so a
// refresh never depends on the order the tree shows its nodes in.

#include <QString>

#include <cstdint>
#include <vector>

namespace sim {
class Simulator;
}

namespace circuit {

// The IC label "NNN : designator : type", the number with at least three digits.
QString icLabel(int32_t number, const QString& designator, const QString& typeName);
// The label of IC `ic` as the tables hold it.
QString icLabel(const sim::Simulator& simulator, int32_t ic);

// One step of the right-click rotation: "003 : U4 : 74LS244" becomes
// "U4 : 74LS244 : 003": the text after the first blank and its " : " (at most
// 100 characters), " : ", then the text before that blank. A text without a
// blank stays as it is.
QString rotateLabel(const QString& text);

class IcTree {
public:
    struct Pin {
        int32_t net = 0;
        QString text;
        bool marked = false;
    };
    struct Ic {
        int32_t number = 0;
        QString text;
        bool marked = false;
        std::vector<Pin> pins;
    };

    explicit IcTree(sim::Simulator& simulator) : simulator_(simulator) {}

    // One node per IC firstIc..lastIc with its pins, as the tables hold them now.
    void fill(int32_t firstIc, int32_t lastIc);

    int32_t icCount() const { return static_cast<int32_t>(ics_.size()); }
    const Ic& ic(int32_t k) const { return ics_[static_cast<std::size_t>(k)]; }

    // Marks and rewrites the pins from the simulator's SignalChangedFlags (the
    // signal list refreshes first). Returns the ICs whose node or pins changed.
    const std::vector<int32_t>& refresh();

    // The right-click rotation of every IC's text; afterwards the ICs sort on
    // their new first field.
    void rotate();
    // True once the ICs show in the order of their texts (from the end of the load).
    bool sorted = false;
    // The ICs in the order the tree shows them.
    std::vector<int32_t> shownOrder() const;

    static QString icKey(int32_t k) { return QStringLiteral("IcLabel%1").arg(k); }

private:
    sim::Simulator& simulator_;
    std::vector<Ic> ics_;
    std::vector<int32_t> changed_;
};

}  // namespace circuit
