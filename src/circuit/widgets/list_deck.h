#pragma once
// A column of pages under their captions, one page open at a time: each
// caption is a button across the column, and a click on it opens its page
// below it and closes the one that was open. The pages stay the caller's:
// taking them back leaves them to be placed elsewhere.

#include <QString>
#include <QWidget>

#include <vector>

class QToolButton;
class QVBoxLayout;

namespace circuit::widgets {

class ListDeck : public QWidget {
    Q_OBJECT
public:
    explicit ListDeck(QWidget* parent = nullptr);

    // Appends `page` under `caption`; the first page added is open.
    void addPage(QWidget* page, const QString& caption);
    // Takes every page out of the deck (hidden, parented to the deck) and
    // drops their captions.
    void takePages();

    int count() const { return static_cast<int>(pages_.size()); }
    int current() const { return current_; }
    void setCurrent(int index);
    QWidget* page(int index) const;
    QToolButton* captionButton(int index) const;
    // What one caption takes down the column.
    int captionHeight() const;

private:
    struct Page {
        QToolButton* caption;
        QWidget* widget;
    };
    QVBoxLayout* layout_;
    std::vector<Page> pages_;
    int current_ = -1;
};

}  // namespace circuit::widgets
