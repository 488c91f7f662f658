#pragma once
// A circuit window's side panel (Picture2 with CoolBar2), arranged for the
// screen it is on. Every step of a procedure types into the console and
// reads the probe list; the IC tree, the register tree and the signal list
// are looked things up in.
//
// Two columns where the panel is wide enough: the probe list "总线信号" over
// the console "操控台", the console with as few cells to a row as shows all
// its controls while the probe list keeps ten rows, and the column as wide as
// the probe list's names and values need; beside it "器件列表(B)",
// "器件Mem/Reg数据(H)" and "线路列表(B)" one over the other, at least
// kLeastList pixels wide each.
//
// One column where it is not: the console whole at the foot, and above it
// a deck of the four lists under their captions, one open at a time (the
// probe list first), its captions a click away.
//
// The arrangement follows the panel's width whenever it changes; a first
// column the user sized by dragging keeps its width.

#include <QObject>
#include <QString>

#include "circuit/widgets/pane_layout.h"

class QTreeWidget;

namespace circuit::widgets {

class BandBar;
class ConsoleGrid;
class Form7;
class ListDeck;

// The least width of a reference list: an IC row or a signal row can be read.
inline constexpr int kLeastList = 120;

class SidePanel : public QObject {
    Q_OBJECT
public:
    enum class Arrangement { Columns, OneColumn };

    // Arranges the window's side panel from now on; the window owns it.
    explicit SidePanel(Form7& window);
    static SidePanel* of(const Form7& window);

    // What the panel asks for across when it is `height` pixels high.
    SidePanelNeeds needs(int height) const;
    Arrangement arrangement() const { return arrangement_; }
    // The deck of lists of the one-column arrangement.
    ListDeck* deck() const { return deck_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void arrange(Arrangement arrangement);
    void splitFirstColumn();
    const ConsoleGrid* grid() const;
    // The console's band at `cells` cells to a row: its width, and its
    // height at a given width.
    int consoleWidth(int cells) const;
    int consoleBand(int width) const;
    // The probe list's header, frame and `rows` rows.
    int probeListHeight(int rows) const;
    // The narrowest console band that leaves `rest` pixels of a column `height` high.
    int consoleWidthLeaving(int height, int rest) const;

    Form7& window_;
    ListDeck* deck_;
    QString probeCaption_;
    Arrangement arrangement_ = Arrangement::Columns;
    // The width the user gave the first of two columns; 0 while the panel's own rule holds.
    int firstColumn_ = 0;
};

}  // namespace circuit::widgets
