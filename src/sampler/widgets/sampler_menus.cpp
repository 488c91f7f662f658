#include "sampler/widgets/sampler_menus.h"

#include "sampler/widgets/sampling_display.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace sampler {
namespace {

QMenu* findOrAddMenu(QMenuBar* bar, const char* name, const QString& title, QAction* before) {
    for (QAction* a : bar->actions())
        if (a->menu() && a->menu()->objectName() == QLatin1String(name)) {
            a->setVisible(true);
            a->setEnabled(true);
            a->menu()->menuAction()->setVisible(true);
            return a->menu();
        }
    auto* menu = new QMenu(title, bar);
    menu->setObjectName(QLatin1String(name));
    bar->insertMenu(before, menu);
    return menu;
}

QAction* findOrAddEntry(QMenu* menu, const char* name, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String(name)) return a;
    QAction* a = text == QLatin1String("-") ? menu->addSeparator() : menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}

template <typename Slot>
void wire(QMenu* menu, const char* name, const QString& text, SamplingDisplay* display, Slot slot) {
    QAction* a = findOrAddEntry(menu, name, text);
    a->setVisible(true);
    a->setEnabled(true);
    QObject::connect(a, &QAction::triggered, display, slot, Qt::UniqueConnection);
}

void hiddenEntry(QMenu* menu, const char* name, const QString& text) {
    QAction* a = findOrAddEntry(menu, name, text);
    a->setVisible(false);
}

}  // namespace

void installSamplerMenus(QMenuBar* bar, SamplingDisplay* display) {
    // The sampling menus stand in front of the workbench's own menus.
    QAction* before = nullptr;
    for (QAction* a : bar->actions())
        if (a->menu() && a->menu()->objectName() != QLatin1String("Menu_Null_line0")) {
            before = a;
            break;
        }

    QMenu* save = findOrAddMenu(bar, "save", QStringLiteral("保存数据"), before);
    findOrAddEntry(save, "Menu_line", QStringLiteral("-"));
    wire(save, "save_picture", QStringLiteral("图形格式"), display, &SamplingDisplay::save_picture_Click);
    findOrAddEntry(save, "Menu_line1", QStringLiteral("-"));
    wire(save, "save_date", QStringLiteral("数据格式"), display, &SamplingDisplay::save_date_Click);
    hiddenEntry(save, "save_print", QStringLiteral("打印"));

    QMenu* load = findOrAddMenu(bar, "menu_load", QStringLiteral("恢复数据"), before);
    hiddenEntry(load, "load_picture", QStringLiteral("图形格式"));
    wire(load, "load_date", QStringLiteral("数据格式"), display, &SamplingDisplay::load_date_Click);

    QMenu* lab = findOrAddMenu(bar, "lab", QStringLiteral("实验项目"), before);
    wire(lab, "owns", QStringLiteral("自定义"), display, &SamplingDisplay::owns_Click);
    // Entries that have never had a command of their own.
    const std::pair<const char*, const char*> idle[] = {
        {"lab_Link_Nlink", "联机/脱机实验"}, {"lab_TtlIc", "TTL集成电路实验"}, {"lab_Memory", "半导体存储器部件实验"},
        {"lab_Ic", "专用集成电路实验"},      {"lab_Alu_Nlink", "ALU脱机实验"},   {"PSK", "PSK"},
        {"FSK", "FSK"},                      {"MUX", "MUX"},                     {"OPT", "OPT"},
        {"CDMA", "CDMA"},                    {"SWITCHES", "SWITCHES"},           {"TCM_S", "TCM-S"}};
    for (const auto& [name, text] : idle) findOrAddEntry(lab, name, QString::fromUtf8(text));
}

}  // namespace sampler
