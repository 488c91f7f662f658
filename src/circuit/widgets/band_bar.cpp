#include "circuit/widgets/band_bar.h"

#include <QLabel>
#include <QVBoxLayout>

namespace circuit::widgets {

BandBar::BandBar(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
    setHandleWidth(4);
}

int BandBar::addBand(const QString& caption, QWidget* child, int length) {
    Band b;
    b.frame = new QWidget(this);
    b.layout = new QVBoxLayout(b.frame);
    b.layout->setContentsMargins(1, 1, 1, 1);
    b.layout->setSpacing(1);
    b.caption = new QLabel(caption, b.frame);
    // A narrow band cuts its caption short rather than refuse to be narrow.
    b.caption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    b.caption->setVisible(!caption.isEmpty());
    b.layout->addWidget(b.caption);
    if (child) {
        child->setParent(b.frame);
        b.layout->addWidget(child, 1);
    }
    b.child = child;
    addWidget(b.frame);
    bands_.push_back(b);
    const int number = bandCount();
    setBandLength(number, length);
    return number;
}

void BandBar::removeBands() {
    for (Band& b : bands_) delete b.frame;
    bands_.clear();
}

const BandBar::Band* BandBar::find(int number) const {
    if (number < 1 || number > bandCount()) return nullptr;
    return &bands_[static_cast<std::size_t>(number - 1)];
}

QWidget* BandBar::band(int number) const {
    const Band* b = find(number);
    return b ? b->frame : nullptr;
}

int BandBar::bandNumber(const QString& caption) const {
    for (int n = 1; n <= bandCount(); ++n)
        if (find(n)->caption->text() == caption) return n;
    return 0;
}

QString BandBar::caption(int number) const {
    const Band* b = find(number);
    return b ? b->caption->text() : QString();
}

void BandBar::setCaption(int number, const QString& caption) {
    if (const Band* b = find(number)) {
        b->caption->setText(caption);
        b->caption->setVisible(!caption.isEmpty());
    }
}

QWidget* BandBar::bandChild(int number) const {
    const Band* b = find(number);
    return b ? b->child : nullptr;
}

void BandBar::setBandChild(int number, QWidget* child) {
    if (!find(number)) return;
    Band& b = bands_[static_cast<std::size_t>(number - 1)];
    if (b.child == child) return;
    if (b.child) b.layout->removeWidget(b.child);
    b.child = child;
    if (child) {
        if (child->parentWidget() != b.frame) child->setParent(b.frame);
        b.layout->addWidget(child, 1);
    }
}

void BandBar::setBandVisible(int number, bool visible) {
    if (const Band* b = find(number)) b->frame->setVisible(visible);
}

bool BandBar::isBandVisible(int number) const {
    const Band* b = find(number);
    return b && !b->frame->isHidden();
}

void BandBar::setBandLength(int number, int length) {
    if (!find(number)) return;
    QList<int> s = sizes();
    if (number - 1 < s.size()) {
        s[number - 1] = length;
        setSizes(s);
    }
}

int BandBar::chrome(int number, Qt::Orientation orientation) const {
    const Band* b = find(number);
    if (!b) return 0;
    const QMargins m = b->layout->contentsMargins();
    if (orientation == Qt::Horizontal) return m.left() + m.right();
    const int caption = b->caption->isHidden() ? 0 : b->caption->sizeHint().height() + b->layout->spacing();
    return m.top() + m.bottom() + caption;
}

}  // namespace circuit::widgets
