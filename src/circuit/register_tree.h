#pragma once
// What the register tree shows: a node per IC with internal storage ("003 :
// U4 : 6116", as in the IC tree), under it the IC's registers ("Reg_Q: 41")
// or its memory in rows of eight cells ("10H:  0 0 0 0 0 0 0 0"), and which
// rows and nodes are marked. A mark lasts exactly one refresh: a row is marked
// when the refresh rewrote its text, its IC's node when any of its rows was.
//
// The fill writes register values and cells without leading zeros; the
// refresh writes cells in two digits, so the first refresh after the fill
// rewrites every memory row holding a cell below 16.

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

namespace sim {
class Simulator;
struct IcRecord;
}

namespace circuit {

class RegisterTree {
public:
    // Where a row's value lives in the IC's record.
    enum class Field : int32_t {
        Command, Status, RxData, TxData,   // 8251
        Memory,                            // 2732, 6116: eight cells from `index`
        Register, QReg, ALatch, BLatch,    // Am2901; Register `index`
        Stack, MicroPC, StackPointer, Counter,  // Am2910; Stack `index`
        Wait,                              // GAL20V8_2, shown in decimal
        Q,                                 // 74LS273, 74LS374, 74LS377
    };
    struct Row {
        Field field = Field::Q;
        int32_t index = 0;
        QString text;
        bool marked = false;
    };
    struct Node {
        int32_t k = 0;        // the IC's number relative to the circuit's first
        int32_t number = 0;   // its global number
        QString text;
        bool marked = false;
        std::vector<Row> rows;
    };

    explicit RegisterTree(sim::Simulator& simulator) : simulator_(simulator) {}

    // A node per IC firstIc..lastIc whose type has storage, as the tables hold it now.
    void fill(int32_t firstIc, int32_t lastIc);

    int32_t nodeCount() const { return static_cast<int32_t>(nodes_.size()); }
    const Node& node(int32_t i) const { return nodes_[static_cast<std::size_t>(i)]; }
    // The node of relative IC k; -1 when the IC has none.
    int32_t nodeOf(int32_t k) const;

    // Rewrites every row from the tables and moves the marks on. Returns the
    // (node, row) pairs whose text or mark changed; a row of -1 stands for
    // the node itself.
    const std::vector<std::pair<int32_t, int32_t>>& refresh();

    // Whether the IC's type has rows in the register tree.
    static bool hasStorage(int32_t type);
    static QString nodeKey(int32_t k) { return QStringLiteral("IcLabel%1").arg(k); }

private:
    int32_t value(const sim::IcRecord& ic, const Row& row, int32_t cell = 0) const;
    QString refreshedText(const sim::IcRecord& ic, const Row& row) const;

    sim::Simulator& simulator_;
    std::vector<Node> nodes_;
    std::vector<int32_t> nodeOfIc_;
    std::vector<std::pair<int32_t, int32_t>> changed_;
};

}  // namespace circuit
