#pragma once
// `Form6`: the empty child window shown for the special-IC experiments that
// have no panel yet.

#include <QWidget>

namespace circuit::widgets {

class Form6 : public QWidget {
    Q_OBJECT
public:
    explicit Form6(QWidget* parent = nullptr);
};

}  // namespace circuit::widgets
