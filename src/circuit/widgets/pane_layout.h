#pragma once
// How a circuit window's bars fill it when the window, a band or a pane
// changes size. CoolBar1's bands stand in one row across the window: the texts
// (band 1) and the side panel (band 5) keep their width, and the drawings
// (bands 2 to 4) share what is left, the schematic twice as much as the board
// drawing and the block diagram, so that the schematic, where the work is
// done, still shows whole at a small zoom. A band that is hidden gives its
// room to the drawings. The widths are shared out again whenever the window
// changes size or a band comes or goes; what the user gives the texts or the
// side panel by dragging is kept. The side panel's three columns are equally
// wide. The views fill their picture boxes and keep their zoom and position.

#include <QList>
#include <QObject>

#include <array>

namespace circuit::widgets {

class BandBar;
class Form7;

// CoolBar1's bands.
inline constexpr int kTextsBand = 1;
inline constexpr int kDiagramBand = 4;
inline constexpr int kSidePanelBand = 5;

// The width band 1 starts with, and band 5's: room for the side panel's
// three columns of lists.
int textsBandWidth();
int sidePanelBandWidth();

// The drawings' shares: board drawing, schematic, block diagram.
inline constexpr std::array<int, 3> kDrawingWeights = {1, 2, 1};

// Which of CoolBar1's five bands `bar` shows.
std::array<bool, 5> bandsShown(const BandBar& bar);

// The widths of CoolBar1's five bands in `room` pixels (the bar's width less
// its handles): 0 for a hidden band, `texts` and `sidePanel` for bands 1 and 5,
// the rest shared by the visible drawings after their weights (the last
// drawing takes what the division leaves). Drawings get nothing when bands 1
// and 5 take all the room.
QList<int> shareBandWidths(int room, const std::array<bool, 5>& visible, int texts, int sidePanel);

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
    void equalColumns();

    Form7& window_;
    // The width band 1 and band 5 had when last shown.
    int textsWidth_ = 0;
    int sidePanelWidth_ = 0;
    // Once the window has shown its loaded circuit, band changes share anew.
    bool laidOut_ = false;
};

}  // namespace circuit::widgets
