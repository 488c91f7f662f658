#include "circuit/widgets/list_deck.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace circuit::widgets {

ListDeck::ListDeck(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(1);
}

void ListDeck::addPage(QWidget* page, const QString& caption) {
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const int index = count();
    connect(button, &QToolButton::clicked, this, [this, index] { setCurrent(index); });
    page->setParent(this);
    layout_->addWidget(button);
    layout_->addWidget(page, 1);
    pages_.push_back({button, page});
    if (current_ < 0) setCurrent(index);
    else page->hide();
}

void ListDeck::takePages() {
    for (const Page& p : pages_) {
        layout_->removeWidget(p.widget);
        p.widget->hide();
        delete p.caption;
    }
    pages_.clear();
    current_ = -1;
}

void ListDeck::setCurrent(int index) {
    if (index < 0 || index >= count()) return;
    current_ = index;
    for (int i = 0; i < count(); ++i) {
        const Page& p = pages_[static_cast<std::size_t>(i)];
        p.caption->setChecked(i == index);
        p.widget->setVisible(i == index);
    }
}

QWidget* ListDeck::page(int index) const {
    return index >= 0 && index < count() ? pages_[static_cast<std::size_t>(index)].widget : nullptr;
}

QToolButton* ListDeck::captionButton(int index) const {
    return index >= 0 && index < count() ? pages_[static_cast<std::size_t>(index)].caption : nullptr;
}

int ListDeck::captionHeight() const {
    if (!pages_.empty()) return pages_.front().caption->sizeHint().height() + layout_->spacing();
    // Measured on a caption of the deck's font before the deck has any.
    QToolButton sample;
    sample.setFont(font());
    sample.setText(QStringLiteral("器件列表(B)"));
    sample.setToolButtonStyle(Qt::ToolButtonTextOnly);
    return sample.sizeHint().height() + layout_->spacing();
}

}  // namespace circuit::widgets
