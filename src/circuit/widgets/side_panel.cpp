#include "circuit/widgets/side_panel.h"

#include <QEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/console_grid.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/list_deck.h"
#include "circuit/widgets/name_columns.h"
#include "circuit/widgets/state_views.h"

namespace circuit::widgets {

namespace {

// The most cells to a row the console is widened to before the panel gives up
// a column: wider than that, the lists are better off with the room.
constexpr int kMostConsoleCells = 4;
// The probe rows the console leaves in view in two columns, and in the deck
// of one column; and the deck's captions.
constexpr int kProbeRowsBesideConsole = 10;
constexpr int kProbeRowsInDeck = 6;
constexpr int kDeckPages = 4;
// The part of the first column the probe list or the deck keeps whatever the console needs.
constexpr int kLeastTopShare = 25;

// What a tree's top-level rows need across to read whole, marked (bold):
// the widest text with the item's margins, the indentation of a tree with
// branches, the frame and a vertical scroll bar.
int topLevelRowsWidth(const QTreeWidget& tree) {
    QFont bold = tree.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(tree.topLevelItem(i)->text(0)));
    const int margin = tree.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &tree) + 1;
    return widest + 2 * margin + (tree.rootIsDecorated() ? tree.indentation() : 0) + 2 * tree.frameWidth() +
           tree.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &tree);
}

}  // namespace

SidePanel::SidePanel(Form7& window) : QObject(&window), window_(window), deck_(new ListDeck(window.Picture2())) {
    setObjectName(QStringLiteral("SidePanel"));
    deck_->setObjectName(QStringLiteral("ListDeck"));
    deck_->hide();
    probeCaption_ = window.coolBar2Column(1)->caption(1);
    QSplitter* columns = window.CoolBar2();
    columns->installEventFilter(this);
    window.coolBar2Column(1)->installEventFilter(this);
    connect(columns, &QSplitter::splitterMoved, this, [this](int, int) {
        if (arrangement_ == Arrangement::Columns) firstColumn_ = window_.CoolBar2()->sizes()[0];
    });
}

SidePanel* SidePanel::of(const Form7& window) {
    return window.findChild<SidePanel*>(QStringLiteral("SidePanel"), Qt::FindDirectChildrenOnly);
}

const ConsoleGrid* SidePanel::grid() const { return window_.Frame1()->findChild<const ConsoleGrid*>(); }

int SidePanel::consoleWidth(int cells) const {
    return grid()->widthFor(cells) + window_.coolBar2Column(1)->chrome(2, Qt::Horizontal);
}

int SidePanel::consoleBand(int width) const {
    const BandBar* first = window_.coolBar2Column(1);
    return grid()->heightForWidth(width - first->chrome(2, Qt::Horizontal)) + first->chrome(2, Qt::Vertical);
}

int SidePanel::probeListHeight(int rows) const {
    const QTreeWidget* probes = window_.ListView2();
    const int row = probes->topLevelItemCount() > 0 ? probes->sizeHintForRow(0) : 0;
    return probes->header()->sizeHint().height() + 2 * probes->frameWidth() +
           std::min(rows, probes->topLevelItemCount()) * row;
}

int SidePanel::consoleWidthLeaving(int height, int rest) const {
    const int handle = window_.coolBar2Column(1)->handleWidth();
    for (int cells = 1; cells < kMostConsoleCells; ++cells) {
        const int width = consoleWidth(cells);
        if (height - handle - consoleBand(width) >= rest) return width;
    }
    return consoleWidth(kMostConsoleCells);
}

SidePanelNeeds SidePanel::needs(int height) const {
    if (!grid()) return {};
    const BandBar* first = window_.coolBar2Column(1);
    const BandBar* second = window_.coolBar2Column(2);
    const int handle = window_.CoolBar2()->handleWidth();
    // Captioned bands all take the console band's caption and margins.
    const int captioned = first->chrome(2, Qt::Vertical);
    const int across = first->chrome(2, Qt::Horizontal);

    SidePanelNeeds n;
    n.firstColumn = consoleWidthLeaving(height, captioned + probeListHeight(kProbeRowsBesideConsole));
    if (const NameColumns* fit = NameColumns::of(*window_.ListView2()))
        n.firstColumn = std::max(n.firstColumn, fit->wholeWidth() + across);

    const int leastLists = kLeastList + second->chrome(1, Qt::Horizontal);
    int lists = topLevelRowsWidth(*window_.TreeView1());
    if (const NameColumns* fit = NameColumns::of(*window_.ListView1())) lists = std::max(lists, fit->wholeWidth());
    lists = std::max(leastLists, lists + second->chrome(1, Qt::Horizontal));
    n.columns = n.firstColumn + handle + lists;
    n.leastColumns = n.firstColumn + handle + leastLists;

    const int deckCaptions = kDeckPages * deck_->captionHeight();
    n.oneColumn = consoleWidthLeaving(height, across + deckCaptions + probeListHeight(kProbeRowsInDeck));
    if (const NameColumns* fit = NameColumns::of(*window_.ListView2()))
        n.oneColumn = std::max(n.oneColumn, fit->valuesWholeWidth() + across);
    return n;
}

void SidePanel::arrange(Arrangement arrangement) {
    if (arrangement == arrangement_) return;
    arrangement_ = arrangement;
    BandBar* first = window_.coolBar2Column(1);
    BandBar* second = window_.coolBar2Column(2);
    QTreeWidget* lists[] = {window_.TreeView1(), window_.TreeView2(), window_.ListView1()};
    if (arrangement == Arrangement::OneColumn) {
        first->setBandChild(1, deck_);
        first->setCaption(1, QString());
        deck_->addPage(window_.ListView2(), probeCaption_);
        for (int n = 1; n <= 3; ++n) {
            second->setBandChild(n, nullptr);
            deck_->addPage(lists[n - 1], second->caption(n));
        }
        deck_->show();
        second->hide();
        return;
    }
    deck_->takePages();
    deck_->hide();
    first->setBandChild(1, window_.ListView2());
    first->setCaption(1, probeCaption_);
    window_.ListView2()->show();
    for (int n = 1; n <= 3; ++n) {
        second->setBandChild(n, lists[n - 1]);
        lists[n - 1]->show();
    }
    second->show();
}

void SidePanel::fit() {
    QSplitter* columns = window_.CoolBar2();
    if (columns->count() != 2) return;
    const int width = columns->width();
    const SidePanelNeeds n = needs(columns->height());
    arrange(n.leastColumns == 0 || width >= n.leastColumns ? Arrangement::Columns : Arrangement::OneColumn);
    if (arrangement_ == Arrangement::OneColumn) {
        columns->setSizes({width, 0});
    } else {
        const int room = std::max(0, width - columns->handleWidth());
        int firstWidth = firstColumn_ > 0 ? firstColumn_ : n.firstColumn > 0 ? n.firstColumn : room / 2;
        // The lists keep their least beside a column the user widened.
        firstWidth = std::min(firstWidth, room - (kLeastList + window_.coolBar2Column(2)->chrome(1, Qt::Horizontal)));
        firstWidth = std::max(firstWidth, 0);
        columns->setSizes({firstWidth, room - firstWidth});
    }
    splitFirstColumn();
}

void SidePanel::splitFirstColumn() {
    BandBar* first = window_.coolBar2Column(1);
    if (first->bandCount() != 2 || !grid()) return;
    const int height = first->height();
    const int room = std::max(0, height - first->handleWidth());
    // The console whole; the probe list as tall as its rows need of what it
    // leaves, and the deck all of it; either keeps a quarter of the column.
    const int leftOver = std::max(room - consoleBand(first->width()), height * kLeastTopShare / 100);
    int top = leftOver;
    if (arrangement_ == Arrangement::Columns)
        top = std::min(leftOver, first->chrome(1, Qt::Vertical) + probeListHeight(window_.ListView2()->topLevelItemCount()));
    top = std::min(top, room);
    first->setSizes({top, room - top});
}

bool SidePanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == window_.CoolBar2()) fit();
        else if (watched == window_.coolBar2Column(1)) splitFirstColumn();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace circuit::widgets
