#pragma once
// The schematic view control: a band with a title and four buttons (fit all,
// zoom in, zoom out, redraw), a viewport showing the drawing, and two scroll
// bars. It zooms in nine steps, keeps the viewport's centre across a zoom,
// scrolls, pans with the right mouse button, and reports the hot element
// (signal wire or label, IC body) under the pointer on every mouse move.
//
// A view gets its drawing from one of the three loaders, each of which lets
// a hot-spot builder fill its list and hand the sheet just read over, then
// shows the whole drawing. From then on the view owns sheet and list. A view
// that shows the whole drawing, as a fit-all left it, fits it again whenever
// its size changes; once zoomed, scrolled or panned it keeps its zoom and
// place.
//
// Only the viewport is ever painted (the geometry keeps the drawing's place),
// so a view's memory does not grow with the zoom.

#include <cstdint>

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include "schematic/board_hot_spots.h"
#include "schematic/hot_elements.h"
#include "schematic/qt_text_measurer.h"
#include "schematic/sch_model.h"
#include "view/picture_source.h"
#include "view/sch_canvas.h"
#include "view/view_geometry.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace schematic {
struct SchematicState;
}

namespace view {

class SheetViewport;

class UserControl1 : public QWidget {
    Q_OBJECT

public:
    // The view takes its drawings from `state` (the program's schematic
    // state when not given).
    explicit UserControl1(QWidget* parent = nullptr, schematic::SchematicState* state = nullptr);
    ~UserControl1() override;

    // Stored with the control; they change nothing on the screen.
    struct StoredProperties {
        int32_t BackColor = 0;
        int32_t ForeColor = 0;
        bool Enabled = false;
        QFont Font;
        int BackStyle = 0;
        int BorderStyle = 0;
    };
    StoredProperties& properties() { return properties_; }
    const StoredProperties& properties() const { return properties_; }
    void Refresh() {}

    // --- loaders: build the hot elements of the sheet just read, take the
    // sheet over, show all of it. The numbers are the circuit's first and
    // last global IC and signal numbers.
    void GetSchFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber, int32_t EndSignalNumber);
    void GetVrSchFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber, int32_t EndSignalNumber);
    void GetFlowDiagramFile(int32_t StartIcNumber, int32_t StartSignalNumber, int32_t EndIcNumber,
                            int32_t EndSignalNumber);
    // A drawing and its hot elements from elsewhere (tools, tests); shown whole.
    void setContent(schematic::SchSheet sheet, schematic::HotElementLists lists);

    // The title over the view.
    void SetDispName(const QString& strDispName);
    // Shows the whole drawing, as the fit-all button does.
    void AllDispSchFile();
    // The background around the drawing (a colour 0x00BBGGRR).
    void SetBackColor(uint32_t dwBackColor);
    // The tool tip shown over the view; the host changes it as the pointer
    // moves, and a tip already showing follows.
    void setToolTipText(const QString& text);

    const schematic::SchSheet& Sheet() const { return sheet_; }
    const schematic::HotElementLists& HotLists() const { return hotLists_; }
    const ViewGeometry& geometry() const { return geometry_; }
    int ZoomLevel() const { return geometry_.zoomLevel(); }
    int32_t HotUnderPointer() const { return hotUnderPointer_; }
    int32_t LastButton() const { return lastButton_; }
    uint32_t ViewBackColor() const { return viewBackColor_; }

    // What the viewport shows now (painted afresh when the view has changed).
    QImage viewportPicture();

signals:
    // On every mouse move: the hot element under the pointer, -1 for none.
    void HotElement(int32_t Value);
    // On every click: the button (1 left, 2 right, 4 middle) and the hot
    // element under the pointer.
    void HotElementClick(int32_t Button, int32_t Value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class SheetViewport;

    // The buttons' commands.
    void zoomIn();
    void zoomOut();
    void fitAll();
    // The fitted drawing's place, the zoom buttons for its level.
    void placeFitted();
    void redraw();
    // The sheet's geometry for the current zoom (a fit-all chooses the zoom);
    // the viewport repaints from it.
    void drawSchSheet();
    void layoutControls();
    bool handleKey(const QKeyEvent* event);

    void applyHScroll(const ScrollSetting& s);
    void applyVScroll(const ScrollSetting& s);
    void setScrollRanges();
    void onHScroll(int value);
    void onVScroll(int value);

    // Viewport twips of a point of the control.
    QPointF viewportTwips(QPointF controlPos) const;
    int32_t hotElementAt(QPointF controlPos) const;
    // The picture no longer shows the view: paint all of it anew.
    void invalidatePicture();
    void paintPicture();

    schematic::SchematicState* state_;
    schematic::QtTextMeasurer measurer_;
    DataFolderPictures pictures_;
    StoredProperties properties_;

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;  // zoom in
    QPushButton* Command2 = nullptr;  // zoom out
    QPushButton* Command3 = nullptr;  // fit all
    QPushButton* Command4 = nullptr;  // redraw
    SheetViewport* viewport_ = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;

    ViewGeometry geometry_;
    schematic::SchSheet sheet_;
    schematic::HotElementLists hotLists_;
    // Kept for the block-diagram loader; nothing reads it.
    schematic::DiagramModel diagramData_;
    int32_t hotUnderPointer_ = schematic::kNoHotElement;
    int32_t lastButton_ = 0;
    uint32_t viewBackColor_ = 0xFFFFFF;
    bool fitAllRequest_ = false;
    bool drawBusy_ = false;
    bool drawn_ = false;
    // A sheet was handed in (a view whose file did not read never gets one).
    bool holdsSheet_ = false;
    // The right button holds the drawing (the size pointer shows).
    bool panning_ = false;
    // The second press of a double click: no press and no click of its own.
    bool doubleClickPress_ = false;

    QSize laidOutSize_;
    // What the viewport shows, and where the canvas stood when it was painted.
    QImage picture_;
    QRect pictureCanvas_;
    // Painted for another zoom, sheet, size or colour: all of it anew.
    bool pictureStale_ = true;
};

}  // namespace view
