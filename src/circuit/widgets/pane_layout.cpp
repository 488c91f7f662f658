#include "circuit/widgets/pane_layout.h"

#include <QEvent>
#include <QSplitter>

#include <algorithm>

#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/side_panel.h"
#include "platform/twips.h"

namespace circuit::widgets {

namespace {

// The part of the room beside the drawings' shares the texts may take.
constexpr int kTextsShare = 45;

int percentOf(int length, int percent) { return length * percent / 100; }

}  // namespace

// A heading of ten characters at 15 points, bold, beside the text box's scroll bar.
int textsHeadingWidth() { return platform::screenPx(3480); }

int schematicLeast(int windowWidth) { return (windowWidth + 2) / 3; }

std::array<bool, 5> bandsShown(const BandBar& bar) {
    std::array<bool, 5> shown{};
    for (int n = 1; n <= 5; ++n) shown[static_cast<std::size_t>(n - 1)] = bar.isBandVisible(n);
    return shown;
}

SideWidths startWidths(int barWidth, int handles, int headings, const SidePanelNeeds& side) {
    const int room = std::max(0, barWidth - handles);
    // A third and two sevenths of the width, and a few pixels more, so that
    // sharing them 3 : 7 : 3 in whole pixels still gives each its part.
    const int shares = (13 * barWidth + 20) / 21 + 6;
    const int beside = std::max(0, room - shares);
    const int texts = std::min(headings, percentOf(beside, kTextsShare));
    if (beside - texts >= side.columns) return {texts, beside - texts};
    // The board drawing and the block diagram give room, as far as they can.
    const int spare = std::max(0, room - schematicLeast(barWidth) - 2 * kLeastDrawing);
    if (spare - headings >= side.leastColumns) return {headings, std::min(side.columns, spare - headings)};
    const int sidePanel = std::min(side.oneColumn, spare);
    return {std::min(headings, spare - sidePanel), sidePanel};
}

QList<int> shareBandWidths(int room, const std::array<bool, 5>& visible, int texts, int sidePanel,
                           int schematicLeast) {
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

    // The schematic's third, as far as the other drawings keep their least.
    const int others = (visible[1] ? 1 : 0) + (visible[3] ? 1 : 0);
    if (!visible[2] || others == 0 || widths[2] >= schematicLeast) return widths;
    widths[2] = std::max(widths[2], std::min(schematicLeast, rest - others * kLeastDrawing));
    const int left = rest - widths[2];
    if (visible[1]) widths[1] = left / others;
    if (visible[3]) widths[3] = left - (visible[1] ? widths[1] : 0);
    return widths;
}

PaneLayout::PaneLayout(Form7& window) : QObject(&window), window_(window), sidePanel_(new SidePanel(window)) {
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
    // What the user gives the texts or the side panel is kept, and the
    // drawings share what is left after their rule, not only the band
    // beside the handle; a band the drag left alone keeps following the window.
    connect(bar, &QSplitter::splitterMoved, this, [this, bar] {
        const QList<int> sizes = bar->sizes();
        bool kept = false;
        if (bar->isBandVisible(kTextsBand) && sizes[kTextsBand - 1] != shared_.texts) {
            textsWidth_ = sizes[kTextsBand - 1];
            kept = true;
        }
        if (bar->isBandVisible(kSidePanelBand) && sizes[kSidePanelBand - 1] != shared_.sidePanel) {
            sidePanelWidth_ = sizes[kSidePanelBand - 1];
            kept = true;
        }
        if (kept) shareBands();
    });
}

PaneLayout* PaneLayout::of(const Form7& window) {
    return window.findChild<PaneLayout*>(QStringLiteral("PaneLayout"), Qt::FindDirectChildrenOnly);
}

SideWidths PaneLayout::startWidths() const {
    const BandBar* bar = window_.CoolBar1();
    // The side panel is as tall as its band inside the band's margins.
    const int height = bar->height() - bar->chrome(kSidePanelBand, Qt::Vertical);
    // The start widths count on all five bands, so that the side panel keeps
    // its width when the texts and the diagram come with an experiment.
    SidePanelNeeds side = sidePanel_->needs(height);
    const int chrome = bar->chrome(kSidePanelBand, Qt::Horizontal);
    for (int* width : {&side.firstColumn, &side.columns, &side.leastColumns, &side.oneColumn})
        if (*width > 0) *width += chrome;
    return circuit::widgets::startWidths(bar->width(), bar->handleWidth() * 4, textsHeadingWidth(), side);
}

void PaneLayout::shareBands() {
    BandBar* bar = window_.CoolBar1();
    // The handles of bands that have just come or gone, before the room is measured.
    bar->refresh();
    const std::array<bool, 5> visible = bandsShown(*bar);
    const int shown = static_cast<int>(std::count(visible.begin(), visible.end(), true));
    const int handles = bar->handleWidth() * std::max(0, shown - 1);
    const SideWidths start = startWidths();
    shared_ = {textsWidth_ > 0 ? textsWidth_ : start.texts, sidePanelWidth_ > 0 ? sidePanelWidth_ : start.sidePanel};
    bar->setSizes(shareBandWidths(bar->width() - handles, visible, shared_.texts, shared_.sidePanel,
                                  schematicLeast(bar->width())));
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
        if (laidOut_ && watched != &window_ && watched != window_.CoolBar1()) shareBands();
        break;
    case QEvent::Resize:
        if (watched == window_.CoolBar1() && laidOut_) shareBands();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace circuit::widgets
