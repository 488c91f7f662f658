#include "circuit/widgets/form6.h"

namespace circuit::widgets {

Form6::Form6(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("专用集成电路实验"));
}

}  // namespace circuit::widgets
