#include "circuit/widgets/pane_layout.h"

#include <QEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/console_grid.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/name_columns.h"
#include "circuit/widgets/state_views.h"
#include "platform/twips.h"

namespace circuit::widgets {

namespace {

// The part of a room the texts, the probe list and the console's column may take.
constexpr int kTextsShare = 45;
constexpr int kProbeListShare = 40;
constexpr int kConsoleShare = 60;
constexpr int kProbeColumnShare = 75;
// The most cells to a row the console's column is widened to: a wider side
// panel is the lists' to read.
constexpr int kMostConsoleCells = 2;

int percentOf(int length, int percent) { return length * percent / 100; }

}  // namespace

// A heading of ten characters at 15 points, bold, beside the text box's scroll bar.
int textsHeadingWidth() { return platform::screenPx(3480); }

std::array<bool, 5> bandsShown(const BandBar& bar) {
    std::array<bool, 5> shown{};
    for (int n = 1; n <= 5; ++n) shown[static_cast<std::size_t>(n - 1)] = bar.isBandVisible(n);
    return shown;
}

SideWidths startWidths(int barWidth, int handles, int headings) {
    // A third and two sevenths of the width, and a few pixels more, so that
    // sharing them 3 : 7 : 3 in whole pixels still gives each its part.
    const int drawings = (13 * barWidth + 20) / 21 + 6;
    const int room = std::max(0, barWidth - handles - drawings);
    const int texts = std::min(headings, percentOf(room, kTextsShare));
    return {texts, room - texts};
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

int consoleColumnWidth(int room, int height, const std::function<int(int)>& widthFor,
                       const std::function<int(int)>& heightAt, int scrollBar) {
    for (int n = 1; n <= kMostConsoleCells; ++n) {
        const int width = widthFor(n);
        if (n > 1 && width > percentOf(room, kConsoleShare)) break;
        if (heightAt(width) <= height) return width;
    }
    return widthFor(1) + scrollBar;
}

PaneLayout::PaneLayout(Form7& window) : QObject(&window), window_(window) {
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
    window.coolBar2Column(1)->installEventFilter(this);
    // A column the user sized keeps its width when the panel changes size.
    connect(window.CoolBar2(), &QSplitter::splitterMoved, this, [this](int, int index) {
        const QList<int> sizes = window_.CoolBar2()->sizes();
        if (index == 1) consoleColumn_ = sizes[0];
        if (index == 2) signalsColumn_ = sizes[2];
    });
    // What the user gives the texts or the side panel is kept, and the
    // drawings share what is left after their weights, not only the band
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

void PaneLayout::shareBands() {
    BandBar* bar = window_.CoolBar1();
    // The handles of bands that have just come or gone, before the room is measured.
    bar->refresh();
    const std::array<bool, 5> visible = bandsShown(*bar);
    const int shown = static_cast<int>(std::count(visible.begin(), visible.end(), true));
    const int handles = bar->handleWidth() * std::max(0, shown - 1);
    // The start widths count on all five bands, so that the side panel keeps
    // its width when the texts and the diagram come with an experiment.
    const SideWidths start = startWidths(bar->width(), bar->handleWidth() * 4, textsHeadingWidth());
    shared_ = {textsWidth_ > 0 ? textsWidth_ : start.texts, sidePanelWidth_ > 0 ? sidePanelWidth_ : start.sidePanel};
    bar->setSizes(shareBandWidths(bar->width() - handles, visible, shared_.texts, shared_.sidePanel));
}

std::pair<int, int> PaneLayout::firstColumnSplit(int height) const {
    // The probe list as tall as its header and rows need, the console the rest.
    const BandBar* first = window_.coolBar2Column(1);
    const QTreeWidget* probes = window_.ListView2();
    const int rows = probes->topLevelItemCount();
    const int listHeight = probes->header()->sizeHint().height() + 2 * probes->frameWidth() +
                           (rows > 0 ? rows * probes->sizeHintForRow(0) : 0);
    const int probeBand = std::min(first->chrome(1, Qt::Vertical) + listHeight, percentOf(height, kProbeListShare));
    return {probeBand, std::max(0, height - first->handleWidth() - probeBand)};
}

void PaneLayout::fitSidePanel() {
    QSplitter* columns = window_.CoolBar2();
    BandBar* first = window_.coolBar2Column(1);
    if (columns->count() != 3 || !first || first->bandCount() != 2) return;

    // The first column is as tall as the panel; it splits when it gets its new size.
    const int consoleBand = firstColumnSplit(columns->height()).second;
    const int room = std::max(0, columns->width() - 2 * columns->handleWidth());
    int firstWidth = room / 3;
    if (consoleColumn_ > 0) {
        firstWidth = consoleColumn_;
    } else if (const auto* grid = window_.Frame1()->findChild<const ConsoleGrid*>()) {
        const int inset = first->chrome(2, Qt::Horizontal);
        firstWidth = consoleColumnWidth(
            room, consoleBand - first->chrome(2, Qt::Vertical), [&](int n) { return grid->widthFor(n) + inset; },
            [&](int width) { return grid->heightForWidth(width - inset); },
            columns->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, columns));
        // Every step of a procedure reads the probe list: it shows its names
        // and values whole as far as that leaves the other columns 25 %; the
        // trees and the signal list are browsed, and widened by dragging.
        if (const NameColumns* fit = NameColumns::of(*window_.ListView2()))
            firstWidth = std::max(firstWidth, std::min(fit->wholeWidth() + first->chrome(1, Qt::Horizontal),
                                                       percentOf(room, kProbeColumnShare)));
    }
    // The signal list no wider than its columns need; the trees, whose
    // memory rows are long, take what it leaves.
    const int rest = std::max(0, room - firstWidth);
    int signalsWidth = rest - rest / 2;
    if (signalsColumn_ > 0)
        signalsWidth = signalsColumn_;
    else if (const NameColumns* fit = NameColumns::of(*window_.ListView1()))
        signalsWidth = std::min(signalsWidth, fit->wholeWidth() + window_.coolBar2Column(3)->chrome(1, Qt::Horizontal));
    columns->setSizes({firstWidth, rest - signalsWidth, signalsWidth});
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
        if (watched == window_.CoolBar2()) fitSidePanel();
        if (watched == window_.coolBar2Column(1) &&
            static_cast<QResizeEvent*>(event)->size().height() != static_cast<QResizeEvent*>(event)->oldSize().height()) {
            const auto [probes, console] = firstColumnSplit(window_.coolBar2Column(1)->height());
            window_.coolBar2Column(1)->setSizes({probes, console});
        }
        if (watched == window_.CoolBar1() && laidOut_) shareBands();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace circuit::widgets
