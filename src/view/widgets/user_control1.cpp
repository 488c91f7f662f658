#include "view/widgets/user_control1.h"

#include <algorithm>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSignalBlocker>
#include <QToolTip>

#include "schematic/sch_hot_spots.h"
#include "schematic/schematic_state.h"
#include "view/button_band.h"
#include "view/find_hot_element.h"
#include "view/viewport_picture.h"
#include "view/zoom_tables.h"

namespace view {
namespace {

// Layout in pixels (the design's twips over 15).
constexpr int kScrollThickness = 17;
constexpr int kDesignWidth = 392;   // 5880 twips
constexpr int kDesignHeight = 363;  // 5445 twips

int64_t screenTwips(const QScreen* screen, bool width) {
    if (!screen) return 0;
    const QSize size = screen->size();
    return static_cast<int64_t>(width ? size.width() : size.height()) * kTwipsPerPixel;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    return b;
}

// The least width that shows each of a button's captions whole.
int captionWidth(const QPushButton* b, std::initializer_list<const char*> captions) {
    QStyleOptionButton option;
    option.initFrom(b);
    int text = 0;
    for (const char* c : captions) text = std::max(text, b->fontMetrics().horizontalAdvance(QString::fromUtf8(c)));
    return text + 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, b) +
           2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, b);
}

int32_t buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

}  // namespace

// The viewport: shows the view's picture and passes the mouse on to the
// control, in the control's coordinates.
class SheetViewport : public QWidget {
public:
    explicit SheetViewport(UserControl1* owner) : QWidget(owner), owner_(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setContextMenuPolicy(Qt::NoContextMenu);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        owner_->paintPicture();
        QPainter p(this);
        p.drawImage(0, 0, owner_->picture_);
    }

private:
    UserControl1* owner_;
};

UserControl1::UserControl1(QWidget* parent, schematic::SchematicState* state)
    : QWidget(parent),
      state_(state ? state : &schematic::schematicState()),
      geometry_(screenTwips(screen(), true), screenTwips(screen(), false)) {
    Label1 = new QLabel(QStringLiteral("名称"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setPointSizeF(8.25);
    titleFont.setBold(true);
    Label1->setFont(titleFont);

    Command3 = makeButton(this, "Command3", QStringLiteral("全部"), QStringLiteral("显示全部电路(快捷键为Ctrl+PageDown)"));
    Command1 = makeButton(this, "Command1", QStringLiteral("放大"), QStringLiteral("放大电路(快捷键为PageUp)"));
    Command2 = makeButton(this, "Command2", QStringLiteral("缩小"), QStringLiteral("缩小电路(快捷键为PageDown)"));
    Command4 = makeButton(this, "Command4", QStringLiteral("重画"), QStringLiteral("重画电路(快捷键为End)"));
    connect(Command1, &QPushButton::clicked, this, [this] { zoomIn(); });
    connect(Command2, &QPushButton::clicked, this, [this] { zoomOut(); });
    connect(Command3, &QPushButton::clicked, this, [this] { fitAll(); });
    connect(Command4, &QPushButton::clicked, this, [this] { redraw(); });

    viewport_ = new SheetViewport(this);
    viewport_->setObjectName(QStringLiteral("xianshi"));
    viewport_->installEventFilter(this);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        // A scroll moves the drawing when the bar's value settles, not while
        // its thumb is dragged.
        bar->setTracking(false);
        bar->setRange(kScrollMin, kScrollMin);
        bar->setSingleStep(10);
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) { onHScroll(v); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int v) { onVScroll(v); });

    // The control sees the command keys whichever of its parts has the focus.
    for (QWidget* w : std::initializer_list<QWidget*>{Command1, Command2, Command3, Command4, HScroll1, VScroll1})
        w->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    resize(kDesignWidth, kDesignHeight);
    layoutControls();
}

UserControl1::~UserControl1() = default;

// --- loaders and properties ---

void UserControl1::GetSchFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                              int32_t EndSignalNumber) {
    schematic::BuildSchHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, measurer_, hotLists_,
                                sheet_, *state_);
    holdsSheet_ = true;
    fitAll();
}

void UserControl1::GetVrSchFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                                int32_t EndSignalNumber) {
    schematic::BuildBoardHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, measurer_, hotLists_,
                                  sheet_, *state_);
    holdsSheet_ = true;
    fitAll();
}

void UserControl1::GetFlowDiagramFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                                      int32_t EndSignalNumber) {
    schematic::BuildDiagramHotSpots(StartIcNumber, StartSignalNumber, EndIcNumber, EndSignalNumber, diagramData_,
                                    hotLists_, sheet_, *state_);
    holdsSheet_ = true;
    fitAll();
}

void UserControl1::setContent(schematic::SchSheet sheet, schematic::HotElementLists lists) {
    sheet_ = std::move(sheet);
    hotLists_ = std::move(lists);
    holdsSheet_ = true;
    fitAll();
}

void UserControl1::SetDispName(const QString& strDispName) {
    Label1->setText(strDispName);
    // Another title may need another place for the buttons.
    laidOutSize_ = QSize();
    layoutControls();
}

void UserControl1::AllDispSchFile() { fitAll(); }

void UserControl1::SetBackColor(uint32_t dwBackColor) {
    viewBackColor_ = dwBackColor;
    invalidatePicture();
}

void UserControl1::setToolTipText(const QString& text) {
    setToolTip(text);
    viewport_->setToolTip(text);
    if (!QToolTip::isVisible() || !underMouse()) return;
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), text, this);
}

// --- commands ---

void UserControl1::zoomIn() {
    layoutControls();
    if (geometry_.zoomLevel() >= kMaxViewZoomLevel) {
        Command1->setEnabled(false);
    } else {
        Command1->setEnabled(false);
        Command1->setText(QStringLiteral("放大中"));
        Command1->repaint();
        geometry_.stepZoom(+1);
        redraw();
        geometry_.endZoomStep();
        setScrollRanges();
        Command1->setText(QStringLiteral("放大"));
        Command1->setEnabled(geometry_.zoomLevel() < kMaxViewZoomLevel);
    }
    Command2->setEnabled(true);
}

void UserControl1::zoomOut() {
    layoutControls();
    if (geometry_.zoomLevel() <= kMinZoomLevel) {
        Command2->setEnabled(false);
    } else {
        Command2->setEnabled(false);
        Command2->setText(QStringLiteral("缩小中"));
        Command2->repaint();
        geometry_.stepZoom(-1);
        redraw();
        geometry_.endZoomStep();
        setScrollRanges();
        Command2->setText(QStringLiteral("缩小"));
        Command2->setEnabled(geometry_.zoomLevel() > kMinZoomLevel);
    }
    Command1->setEnabled(true);
}

void UserControl1::fitAll() {
    layoutControls();
    Command3->setEnabled(false);
    fitAllRequest_ = true;
    redraw();
    fitAllRequest_ = false;
    placeFitted();
    Command3->setEnabled(true);
}

void UserControl1::placeFitted() {
    const int level = geometry_.zoomLevel();
    Command1->setEnabled(level != kMaxViewZoomLevel);
    Command2->setEnabled(level != kMinZoomLevel);
    geometry_.placeForFitAll();
    setScrollRanges();
    invalidatePicture();
}

void UserControl1::redraw() {
    layoutControls();
    Command4->setEnabled(false);
    Command4->setText(QStringLiteral("重画中"));
    Command4->repaint();
    setCursor(Qt::WaitCursor);
    drawSchSheet();
    Command4->setEnabled(true);
    Command4->setText(QStringLiteral("重画"));
    unsetCursor();
}

void UserControl1::drawSchSheet() {
    // Without a sheet there is nothing to lay out: not even an empty sheet's
    // area, which would show as a small black box.
    if (!holdsSheet_) return;
    geometry_.layoutDrawing(sheet_, fitAllRequest_);
    drawn_ = true;
    // The canvas took the drawing's size.
    setScrollRanges();
    invalidatePicture();
}

bool UserControl1::handleKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers shift =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (shift != Qt::NoModifier) return false;
        zoomIn();
        return true;
    case Qt::Key_PageDown:
        if (shift == Qt::NoModifier) {
            zoomOut();
            return true;
        }
        if (shift == Qt::ControlModifier) {
            fitAll();
            return true;
        }
        return false;
    case Qt::Key_End:
        if (shift != Qt::NoModifier) return false;
        redraw();
        return true;
    default:
        return false;
    }
}

void UserControl1::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) QWidget::keyPressEvent(event);
}

// --- scrolling ---

void UserControl1::applyHScroll(const ScrollSetting& s) {
    const QSignalBlocker quiet(HScroll1);
    HScroll1->setRange(kScrollMin, s.max);
    HScroll1->setValue(s.value);
}

void UserControl1::applyVScroll(const ScrollSetting& s) {
    const QSignalBlocker quiet(VScroll1);
    VScroll1->setRange(kScrollMin, s.max);
    VScroll1->setValue(s.value);
}

void UserControl1::setScrollRanges() {
    applyHScroll(geometry_.setHScrollRange());
    applyVScroll(geometry_.setVScrollRange());
}

void UserControl1::onHScroll(int value) {
    if (const auto s = geometry_.hScrollChanged(value)) {
        applyHScroll(*s);
        viewport_->update();
    }
}

void UserControl1::onVScroll(int value) {
    if (const auto s = geometry_.vScrollChanged(value)) {
        applyVScroll(*s);
        viewport_->update();
    }
}

void UserControl1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void UserControl1::layoutControls() {
    // A hidden control gets its resize event only when shown; the commands
    // lay it out for its size at once.
    if (size() == laidOutSize_) return;
    laidOutSize_ = size();
    const int w = width();
    const int h = height();
    const int buttonWidth = std::max({captionWidth(Command3, {"全部"}), captionWidth(Command1, {"放大", "放大中"}),
                                      captionWidth(Command2, {"缩小", "缩小中"}), captionWidth(Command4, {"重画", "重画中"})});
    const int titleWidth = Label1->fontMetrics().horizontalAdvance(Label1->text()) + 4;
    // No narrower than a button, so that each stays whole on a row of its own.
    setMinimumWidth(std::max({buttonWidth, titleWidth, kScrollThickness + 1}));
    const ButtonBand band = layoutButtonBand(w, titleWidth, buttonWidth);
    const auto place = [](QWidget* widget, const BandRect& r) { widget->setGeometry(r.x, r.y, r.width, r.height); };
    place(Label1, band.title);
    place(Command3, band.buttons[0]);
    place(Command1, band.buttons[1]);
    place(Command2, band.buttons[2]);
    place(Command4, band.buttons[3]);
    if (w <= kScrollThickness || h <= band.height + kScrollThickness) return;
    const int vw = w - kScrollThickness;
    const int vh = h - band.height - kScrollThickness;
    viewport_->setGeometry(0, band.height, vw, vh);
    HScroll1->setGeometry(0, h - kScrollThickness, vw, kScrollThickness);
    HScroll1->setPageStep(std::max(1, vw));
    VScroll1->setGeometry(vw, band.height, kScrollThickness, vh);
    VScroll1->setPageStep(std::max(1, vh));
    const double oldWidth = geometry_.viewportWidth();
    const double oldHeight = geometry_.viewportHeight();
    geometry_.setViewportSize(static_cast<double>(vw) * kTwipsPerPixel, static_cast<double>(vh) * kTwipsPerPixel);
    // A drawing shown whole stays whole, and as large as the new size
    // allows, when a splitter, the window or a band next to it changes the
    // room; one the user zoomed or moved stays where it was put.
    if (holdsSheet_ && geometry_.atFitAll() &&
        (geometry_.viewportWidth() != oldWidth || geometry_.viewportHeight() != oldHeight)) {
        geometry_.layoutDrawing(sheet_, true);
        placeFitted();
        return;
    }
    setScrollRanges();
    invalidatePicture();
}

// --- mouse ---

QPointF UserControl1::viewportTwips(QPointF controlPos) const {
    const QPointF p = controlPos - QPointF(viewport_->pos());
    return {p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel};
}

int32_t UserControl1::hotElementAt(QPointF controlPos) const {
    const QPointF v = viewportTwips(controlPos);
    const auto at = geometry_.sheetPointAt(v.x(), v.y());
    if (!at) return schematic::kNoHotElement;
    return FindHotElement(at->x, at->y, hotLists_, geometry_.hitTolerance());
}

void UserControl1::mousePressEvent(QMouseEvent* event) {
    lastButton_ = buttonCode(event->button());
    if (event->button() != Qt::RightButton || drawBusy_) return;
    const QPointF v = viewportTwips(event->position());
    if (!geometry_.panMayStartAt(v.y())) return;
    panning_ = true;
    setCursor(Qt::SizeAllCursor);
    viewport_->setCursor(Qt::SizeAllCursor);
    geometry_.beginPan(v.x(), v.y());
}

void UserControl1::mouseDoubleClickEvent(QMouseEvent*) { doubleClickPress_ = true; }

void UserControl1::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::RightButton) && panning_) {
        const QPointF v = viewportTwips(event->position());
        const ViewGeometry::PanStep step = geometry_.panTo(v.x(), v.y());
        if (step.horizontal) applyHScroll(geometry_.setHScrollRange());
        if (step.vertical) applyVScroll(geometry_.setVScrollRange());
        if (step.horizontal || step.vertical) viewport_->update();
    }
    hotUnderPointer_ = hotElementAt(event->position());
    emit HotElement(hotUnderPointer_);
}

void UserControl1::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && panning_) {
        panning_ = false;
        unsetCursor();
        viewport_->setCursor(Qt::CrossCursor);
    }
    if (doubleClickPress_) {
        doubleClickPress_ = false;
        return;
    }
    if (rect().contains(event->position().toPoint())) emit HotElementClick(lastButton_, hotUnderPointer_);
}

bool UserControl1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched != viewport_)
        return handleKey(static_cast<QKeyEvent*>(event));
    if (watched != viewport_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        // The viewport's mouse is the control's, in the control's coordinates.
        auto* m = static_cast<QMouseEvent*>(event);
        const QPointF pos = viewport_->mapTo(this, m->position());
        QMouseEvent mapped(m->type(), pos, m->scenePosition(), m->globalPosition(), m->button(), m->buttons(),
                           m->modifiers(), m->pointingDevice());
        switch (event->type()) {
        case QEvent::MouseButtonPress: mousePressEvent(&mapped); break;
        case QEvent::MouseButtonDblClick: mouseDoubleClickEvent(&mapped); break;
        case QEvent::MouseButtonRelease: mouseReleaseEvent(&mapped); break;
        default: mouseMoveEvent(&mapped); break;
        }
        return true;
    }
    default:
        return false;
    }
}

// --- the picture ---

void UserControl1::invalidatePicture() {
    pictureStale_ = true;
    viewport_->update();
}

void UserControl1::paintPicture() {
    const QSize size = viewport_->size();
    if (picture_.size() != size) {
        picture_ = QImage(size, QImage::Format_RGB32);
        pictureStale_ = true;
    }
    if (size.isEmpty()) return;
    const QRect canvas = canvasPixelRect(geometry_);
    if (!pictureStale_ && canvas == pictureCanvas_) return;
    ViewportContent content;
    content.sheet = &sheet_;
    content.hotLists = &hotLists_;
    content.pictures = &pictures_;
    content.background = viewBackColor_;
    content.drawn = drawn_;
    std::vector<QRect> areas{picture_.rect()};
    // A canvas that only moved (a scroll or a pan step) keeps what is
    // already painted; only the strips it uncovers are painted anew.
    if (!pictureStale_ && canvas.size() == pictureCanvas_.size())
        areas = scrollViewport(picture_, canvas.topLeft() - pictureCanvas_.topLeft());
    drawBusy_ = true;
    for (const QRect& area : areas) paintViewport(picture_, geometry_, content, area);
    drawBusy_ = false;
    pictureStale_ = false;
    pictureCanvas_ = canvas;
}

QImage UserControl1::viewportPicture() {
    layoutControls();
    paintPicture();
    return picture_;
}

}  // namespace view
