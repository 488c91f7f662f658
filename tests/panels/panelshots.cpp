// panelshots: opens every IC test panel the way the experiment frame shows it
// (a frameless, maximised child of an MDI area), works a few of its boxes and
// saves a picture of each.
//
//   panelshots <out-folder> [--size WxH]

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "panels/test_circuit.h"
#include "panels/widgets/pin_box.h"
#include "panels/widgets/test_panels.h"
#include "platform/fonts.h"

namespace {

struct Shot {
    panels::TestPanel panel;
    const char* file;
    std::initializer_list<std::pair<int, char>> keys;  // box index, key
};

// Box -1 is Combo1.
void type(QWidget* panel, int box, char key) {
    QWidget* target = box < 0 ? panel->findChild<QWidget*>(QStringLiteral("Combo1"))
                              : panel->findChild<panels::PinBox*>(QStringLiteral("Text1_%1").arg(box));
    if (target) QTest::keyClick(target, key);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::installFontSubstitutions();
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: panelshots <out-folder> [--size WxH]\n");
        return 2;
    }
    const QDir out(args[1]);
    QSize size(1200, 640);
    if (args.size() >= 4 && args[2] == QLatin1String("--size")) {
        const QStringList wh = args[3].split(QLatin1Char('x'));
        if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
    }
    QDir().mkpath(out.path());

    panels::PanelCircuit circuit;
    QMdiArea area;
    area.resize(size);
    area.show();

    const Shot shots[] = {
        {panels::TestPanel::Ttl74LS00, "form4_74ls00.png", {{4, '0'}, {1, '0'}}},
        {panels::TestPanel::Ttl74LS138, "form8_74ls138.png", {{3, '0'}, {4, '0'}, {0, '0'}, {2, '0'}}},
        {panels::TestPanel::Ttl74LS244, "form9_74ls244.png", {{5, '0'}, {7, '0'}}},
        {panels::TestPanel::Ttl74LS374, "form10_74ls374.png", {{6, '0'}, {9, '0'}, {4, '0'}, {4, '1'}, {5, '0'}}},
        // Write 0 to cell 0 and 2 to cell 1, then read cell 1 back.
        {panels::TestPanel::Ram6116, "form5_ram6116.png",
         {{5, '0'}, {2, '0'}, {3, '0'}, {18, '1'}, {20, '1'}, {2, '1'}}},
        // Program cells 0 and 1 (the second with the boxes' byte), then read cell 1.
        {panels::TestPanel::Rom2732, "form11_rom2732.png",
         {{-1, 'v'}, {4, '0'}, {5, '1'}, {19, '1'}, {17, '1'}, {-1, '0'}}},
    };
    int failures = 0;
    for (const Shot& s : shots) {
        QWidget* panel = panels::createTestPanel(s.panel, circuit.simulator());
        QMdiSubWindow* child = area.addSubWindow(panel, Qt::FramelessWindowHint);
        child->showMaximized();
        for (auto [box, key] : s.keys) type(panel, box, key);
        QApplication::processEvents();
        if (!area.grab().save(out.filePath(QString::fromLatin1(s.file)))) ++failures;
        child->hide();
    }
    return failures == 0 ? 0 : 1;
}
