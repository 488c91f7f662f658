#pragma once
// How a circuit window's bars fill it when the window, a band or a pane
// changes size.
//
// CoolBar1's bands stand in one row across the window. The schematic, where
// the work is done, always keeps a third of the window's width; the board
// drawing and the block diagram share the drawings' room with it 3 : 7 : 3
// while the window is wide enough, and give the side panel room down to
// kLeastDrawing pixels when it is not. The texts get what their headings
// need; the side panel (band 5) gets what it needs to show the probe list
// and the console beside the reference lists (SidePanel), or, on a screen
// too narrow for that, the console over a deck of the lists. A band that is
// hidden gives its room to the drawings. The widths are shared out again
// whenever the window changes size or a band comes or goes; what the user
// gives the texts or the side panel by dragging is kept, and the drawings
// share what is left as ever.

#include <QList>
#include <QObject>

#include <array>

namespace circuit::widgets {

class BandBar;
class Form7;
class SidePanel;

// CoolBar1's bands.
inline constexpr int kTextsBand = 1;
inline constexpr int kDiagramBand = 4;
inline constexpr int kSidePanelBand = 5;

// The drawings' shares: board drawing, schematic, block diagram.
inline constexpr std::array<int, 3> kDrawingWeights = {3, 7, 3};
// The board drawing and the block diagram are never narrowed below this to
// make room for the side panel; a narrower band cannot show its buttons.
inline constexpr int kLeastDrawing = 120;

// What the experiment texts' headings need across.
int textsHeadingWidth();

// Which of CoolBar1's five bands `bar` shows.
std::array<bool, 5> bandsShown(const BandBar& bar);

// The widths the side panel asks for (see SidePanel): its first column when
// it has two, the two columns with the lists' column as wide as its rows need
// or at its least, and its one column. All 0 before the window's load.
struct SidePanelNeeds {
    int firstColumn = 0;
    int columns = 0;
    int leastColumns = 0;
    int oneColumn = 0;
};

// The widths the texts and the side panel start with in a bar `barWidth`
// pixels wide whose bands are parted by `handles` pixels of handles. With
// the drawings at their shares, the texts get their headings and the side
// panel the rest, when that gives it its two columns; else the board drawing
// and the block diagram give room, down to their least, for the two columns
// as wide as they need; else the side panel takes one column and the texts
// what is left, up to their headings.
struct SideWidths {
    int texts = 0;
    int sidePanel = 0;
    friend bool operator==(const SideWidths&, const SideWidths&) = default;
};
SideWidths startWidths(int barWidth, int handles, int headings, const SidePanelNeeds& side);

// The widths of CoolBar1's five bands in `room` pixels (the bar's width less
// its handles): 0 for a hidden band, `texts` and `sidePanel` for bands 1 and 5,
// the rest shared by the visible drawings after their weights, except that
// the schematic gets at least `schematicLeast` as far as that leaves the
// other drawings kLeastDrawing each; they then share what it leaves equally.
// Drawings get nothing when bands 1 and 5 take all the room.
QList<int> shareBandWidths(int room, const std::array<bool, 5>& visible, int texts, int sidePanel,
                           int schematicLeast);

// The least width of the schematic in a window `windowWidth` pixels wide: a third.
int schematicLeast(int windowWidth);

class PaneLayout : public QObject {
    Q_OBJECT
public:
    // Follows the window's bands and panes from now on; the window owns it.
    explicit PaneLayout(Form7& window);
    static PaneLayout* of(const Form7& window);

    // CoolBar1's bands shared out afresh.
    void shareBands();
    // The texts' and the side panel's widths before the user drags them.
    SideWidths startWidths() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Form7& window_;
    SidePanel* sidePanel_;
    // The width band 1 and band 5 had when the user last dragged them; 0
    // while the start widths hold.
    int textsWidth_ = 0;
    int sidePanelWidth_ = 0;
    // What the last sharing gave them.
    SideWidths shared_;
    // Once the window has shown its loaded circuit, band changes share anew.
    bool laidOut_ = false;
};

}  // namespace circuit::widgets
