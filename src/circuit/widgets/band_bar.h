#pragma once
// A bar of bands side by side (or one above the other), each band a frame with
// an optional caption over one child. The user drags the bands' edges; code
// shows, hides and sizes bands and swaps what a band holds. Bands are numbered
// from 1 in the order they were added.

#include <QSplitter>
#include <QString>

#include <vector>

class QLabel;
class QVBoxLayout;

namespace circuit::widgets {

class BandBar : public QSplitter {
    Q_OBJECT
public:
    explicit BandBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Appends a band holding `child` (none: an empty band) under `caption`
    // (none when empty), `length` pixels long along the bar. Returns its number.
    int addBand(const QString& caption, QWidget* child, int length);
    // Removes every band; the bands' children go with them.
    void removeBands();

    int bandCount() const { return static_cast<int>(bands_.size()); }
    // The band's frame; nullptr for a number that is not a band's.
    QWidget* band(int number) const;
    // The number of the first band with this caption, 0 when none has it.
    int bandNumber(const QString& caption) const;

    QString caption(int number) const;
    void setCaption(int number, const QString& caption);

    QWidget* bandChild(int number) const;
    // The band lays out `child` from now on. The previous child leaves the
    // band's layout but keeps its parent and its visibility.
    void setBandChild(int number, QWidget* child);

    void setBandVisible(int number, bool visible);
    bool isBandVisible(int number) const;
    // The band's length along the bar, in pixels.
    void setBandLength(int number, int length);
    // What a band takes beyond its child's size, along `orientation`: its
    // margins and, down a band, its caption.
    int chrome(int number, Qt::Orientation orientation) const;

private:
    struct Band {
        QWidget* frame = nullptr;
        QLabel* caption = nullptr;
        QVBoxLayout* layout = nullptr;
        QWidget* child = nullptr;
    };
    const Band* find(int number) const;

    std::vector<Band> bands_;
};

}  // namespace circuit::widgets
