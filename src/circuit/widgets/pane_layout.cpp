#include "circuit/widgets/pane_layout.h"

#include <QEvent>
#include <QSplitter>

#include <algorithm>

#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/form7.h"
#include "platform/twips.h"

namespace circuit::widgets {

using platform::screenPx;

int textsBandWidth() { return screenPx(2445); }
// The side panel's columns need room for the lists' columns.
int sidePanelBandWidth() { return 3 * screenPx(2700); }

std::array<bool, 5> bandsShown(const BandBar& bar) {
    std::array<bool, 5> shown{};
    for (int n = 1; n <= 5; ++n) shown[static_cast<std::size_t>(n - 1)] = bar.isBandVisible(n);
    return shown;
}

QList<int> shareBandWidths(int room, const std::array<bool, 5>& visible, int texts, int sidePanel) {
    QList<int> widths(5, 0);
    int rest = room;
    if (visible[0]) rest -= widths[0] = texts;
    if (visible[4]) rest -= widths[4] = sidePanel;
    rest = std::max(rest, 0);
    int weights = 0, last = -1;
    for (int d = 0; d < 3; ++d) {
        if (!visible[static_cast<std::size_t>(d + 1)]) continue;
        weights += kDrawingWeights[static_cast<std::size_t>(d)];
        last = d + 1;
    }
    if (last < 0) return widths;
    int given = 0;
    for (int d = 0; d < 3; ++d) {
        if (!visible[static_cast<std::size_t>(d + 1)]) continue;
        given += widths[d + 1] = rest * kDrawingWeights[static_cast<std::size_t>(d)] / weights;
    }
    widths[last] += rest - given;
    return widths;
}

PaneLayout::PaneLayout(Form7& window)
    : QObject(&window), window_(window), textsWidth_(textsBandWidth()), sidePanelWidth_(sidePanelBandWidth()) {
    setObjectName(QStringLiteral("PaneLayout"));
    BandBar* bar = window.CoolBar1();
    // What the bar gains or loses between sharings (a handle that comes or
    // goes) changes the drawings only, after their shares.
    bar->setStretchFactor(kTextsBand - 1, 0);
    bar->setStretchFactor(kSidePanelBand - 1, 0);
    for (int d = 0; d < 3; ++d) bar->setStretchFactor(d + 1, kDrawingWeights[static_cast<std::size_t>(d)]);
    window.installEventFilter(this);
    for (int n = 1; n <= bar->bandCount(); ++n) bar->band(n)->installEventFilter(this);
    bar->installEventFilter(this);
    window.CoolBar2()->installEventFilter(this);
    // What the user gives the texts or the side panel is kept.
    connect(bar, &QSplitter::splitterMoved, this, [this, bar] {
        if (bar->isBandVisible(kTextsBand)) textsWidth_ = bar->band(kTextsBand)->width();
        if (bar->isBandVisible(kSidePanelBand)) sidePanelWidth_ = bar->band(kSidePanelBand)->width();
    });
}

void PaneLayout::shareBands() {
    BandBar* bar = window_.CoolBar1();
    // The handles of bands that have just come or gone, before the room is measured.
    bar->refresh();
    const std::array<bool, 5> visible = bandsShown(*bar);
    const int shown = static_cast<int>(std::count(visible.begin(), visible.end(), true));
    const int room = bar->width() - bar->handleWidth() * std::max(0, shown - 1);
    bar->setSizes(shareBandWidths(room, visible, textsWidth_, sidePanelWidth_));
}

void PaneLayout::equalColumns() {
    QSplitter* columns = window_.CoolBar2();
    const int n = columns->count();
    if (n < 1) return;
    const int width = std::max(0, (columns->width() - columns->handleWidth() * (n - 1)) / n);
    columns->setSizes(QList<int>(n, width));
}

bool PaneLayout::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        // The first show of a loaded window: the bands get their widths, and
        // the drawings, fitted while loading to views of no real size, are
        // fitted anew.
        if (watched == &window_ && !laidOut_ && window_.circuit().signalCount() > 0) {
            laidOut_ = true;
            shareBands();
            window_.AllDispSchFileForm();
        }
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (laidOut_ && watched != &window_ && watched != window_.CoolBar2() && watched != window_.CoolBar1())
            shareBands();
        break;
    case QEvent::Resize:
        if (watched == window_.CoolBar2()) equalColumns();
        if (watched == window_.CoolBar1() && laidOut_) shareBands();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace circuit::widgets
