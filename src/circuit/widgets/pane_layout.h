#pragma once
// How a circuit window's bars fill it when the window, a band or a pane
// changes size.
//
// CoolBar1's bands stand in one row across the window. The drawings (bands
// 2 to 4) get at least their shares of the window's width, the schematic,
// where the work is done, a third and the board drawing and the block
// diagram a seventh each; they share their room 3 : 7 : 3. The texts (band
// 1) and the side panel (band 5) share what is left: the texts as much as
// their headings need, up to 45 % of it, the side panel the rest. A band that
// is hidden gives its room to the drawings. The widths are shared out again
// whenever the window changes size or a band comes or goes; what the user
// gives the texts or the side panel by dragging is kept, and the drawings
// share what is left as ever.
//
// In the side panel, the first column holds the probe list over the
// console: the probe list as tall as its rows need (up to 40 % of the
// column), the console the rest, and the column as wide as the console needs
// to show all its controls without scrolling in one or two cells to a row,
// as far as that leaves the other two columns 40 % of the panel, else one
// cell to a row with its scroll bar, and wider where the probe list needs it
// to show its rows whole, as far as that leaves the others 25 %; the other two share the rest equally,
// the signal list up to what its columns need whole. The columns are fitted
// again whenever the panel changes size; a column the user sized by dragging
// keeps its width, and the trees' column takes the change. The views fill
// their picture boxes and keep their zoom and position.

#include <QList>
#include <QObject>

#include <array>
#include <functional>
#include <utility>

namespace circuit::widgets {

class BandBar;
class Form7;

// CoolBar1's bands.
inline constexpr int kTextsBand = 1;
inline constexpr int kDiagramBand = 4;
inline constexpr int kSidePanelBand = 5;

// The drawings' shares: board drawing, schematic, block diagram.
inline constexpr std::array<int, 3> kDrawingWeights = {3, 7, 3};

// What the experiment texts' headings need across.
int textsHeadingWidth();

// Which of CoolBar1's five bands `bar` shows.
std::array<bool, 5> bandsShown(const BandBar& bar);

// The widths the texts and the side panel start with in a bar `barWidth`
// pixels wide whose shown bands are parted by `handles` pixels of handles:
// what the drawings' least shares leave, the texts up to `headings` of it.
struct SideWidths {
    int texts = 0;
    int sidePanel = 0;
    friend bool operator==(const SideWidths&, const SideWidths&) = default;
};
SideWidths startWidths(int barWidth, int handles, int headings);

// The widths of CoolBar1's five bands in `room` pixels (the bar's width less
// its handles): 0 for a hidden band, `texts` and `sidePanel` for bands 1 and 5,
// the rest shared by the visible drawings after their weights (the last
// drawing takes what the division leaves). Drawings get nothing when bands 1
// and 5 take all the room.
QList<int> shareBandWidths(int room, const std::array<bool, 5>& visible, int texts, int sidePanel);

// The console's column in a side panel with `room` pixels for its three
// columns: the least of 1 or 2 cells to a row at which the console, `height`
// pixels high, shows all its controls (`widthFor`(n) the console's width for
// n cells to a row, `heightAt`(w) its height at width w), as long as that
// leaves the other columns 40 % of the room; else one cell to a row and
// `scrollBar` pixels for the scroll bar it then needs.
int consoleColumnWidth(int room, int height, const std::function<int(int)>& widthFor,
                       const std::function<int(int)>& heightAt, int scrollBar);

class PaneLayout : public QObject {
    Q_OBJECT
public:
    // Follows the window's bands and panes from now on; the window owns it.
    explicit PaneLayout(Form7& window);

    // CoolBar1's bands shared out afresh.
    void shareBands();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitSidePanel();
    // The heights of the probe list's band and the console's in a first column `height` high.
    std::pair<int, int> firstColumnSplit(int height) const;

    Form7& window_;
    // The width band 1 and band 5 had when the user last dragged them; 0
    // while the start widths hold.
    int textsWidth_ = 0;
    int sidePanelWidth_ = 0;
    // What the last sharing gave them.
    SideWidths shared_;
    // The widths the user gave the side panel's first and last columns; 0
    // while the panel's own rule holds.
    int consoleColumn_ = 0;
    int signalsColumn_ = 0;
    // Once the window has shown its loaded circuit, band changes share anew.
    bool laidOut_ = false;
};

}  // namespace circuit::widgets
