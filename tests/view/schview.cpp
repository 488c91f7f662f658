// schview: shows a schematic file in the view control, the way a circuit
// window loads its schematic (read, build the circuit, hand it to the view),
// and saves a picture of the whole control.
//
//   schview <sheet.sch> --grab <out.png> [--size WxH] [--zoom N] [--scroll DX,DY]
//
// --zoom N presses zoom in (N > 0) or zoom out (N < 0) N times after the
// fit-all; --scroll moves the scroll bars by DX, DY pixels. A sheet that does
// not build into a circuit is shown without hot elements.

#include <cstdio>

#include <QApplication>
#include <QFileInfo>
#include <QScrollBar>
#include <QStringList>
#include <QTest>

#include "platform/fonts.h"
#include "schematic/build_circuit.h"
#include "schematic/sch_reader.h"
#include "schematic/schematic_state.h"
#include "sim/simulator.h"
#include "view/widgets/user_control1.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: schview <sheet.sch> --grab <out.png> [--size WxH] [--zoom N] [--scroll DX,DY]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::installFontSubstitutions();
    const QStringList args = app.arguments();
    if (args.size() < 2) return usage();
    QString out;
    QSize size(900, 650);
    int zoom = 0;
    QPoint scroll;
    for (qsizetype i = 2; i + 1 < args.size(); i += 2) {
        const QString& a = args[i];
        const QString& v = args[i + 1];
        if (a == QLatin1String("--grab")) {
            out = v;
        } else if (a == QLatin1String("--size")) {
            const QStringList wh = v.split(QLatin1Char('x'));
            if (wh.size() != 2) return usage();
            size = QSize(wh[0].toInt(), wh[1].toInt());
        } else if (a == QLatin1String("--zoom")) {
            zoom = v.toInt();
        } else if (a == QLatin1String("--scroll")) {
            const QStringList xy = v.split(QLatin1Char(','));
            if (xy.size() != 2) return usage();
            scroll = QPoint(xy[0].toInt(), xy[1].toInt());
        } else {
            return usage();
        }
    }
    if (out.isEmpty()) return usage();

    auto simulator = std::make_unique<sim::Simulator>();
    schematic::SchematicState state;
    schematic::SilentSchNotifier quiet;
    if (schematic::ReadSchFile(state.currentSheet, args[1], quiet) != 1) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    schematic::CircuitSetup setup;
    const int32_t firstIc = simulator->LastIcNumber + 1;
    const int32_t firstSignal = simulator->LastSignalNumber + 1;
    if (!schematic::BuildCircuit(*simulator, state, setup).built) {
        std::fprintf(stderr, "no circuit: shown without hot elements\n");
        state.currentSheet = schematic::SchSheet{};
        schematic::ReadSchFile(state.currentSheet, args[1], quiet);
    }

    view::UserControl1 control(nullptr, &state);
    control.resize(size);
    control.show();
    if (!QTest::qWaitForWindowExposed(&control)) return 1;
    control.SetDispName(QFileInfo(args[1]).completeBaseName());
    control.GetSchFile(firstIc, firstSignal, simulator->LastIcNumber, simulator->LastSignalNumber);
    for (int i = 0; i < zoom; ++i) QTest::keyClick(&control, Qt::Key_PageUp);
    for (int i = 0; i > zoom; --i) QTest::keyClick(&control, Qt::Key_PageDown);
    auto* h = control.findChild<QScrollBar*>(QStringLiteral("HScroll1"));
    auto* v = control.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    h->setValue(h->value() + scroll.x());
    v->setValue(v->value() + scroll.y());
    std::printf("level %d, %d hot elements\n", control.ZoomLevel(), control.HotLists().BoxCount());
    if (!control.grab().save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
