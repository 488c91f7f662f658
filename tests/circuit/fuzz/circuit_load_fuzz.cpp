// Loads arbitrary bytes as a circuit the way a circuit window loads one: the
// read, the build (element scan, nets, registration, the setup from the
// experiment directives), the power-on, the experiment menu's entries, the
// state views, the schematic's hot elements and their tooltips, the same
// sheet as the circuit's board drawing, and the sheet drawn on the recording
// canvas. Each input is read once and loaded twice into one simulator, so
// the second load takes the numbers after the first or is refused.
//
// A refused build leaves the simulator's numbers as they were; a built one
// takes consecutive numbers, and everything the setup, the menu, the views
// and the hot elements name lies inside the circuit's own ranges. Every net
// of a powered-on circuit holds 0 or 1, and the drawing's numbers are finite.
#include <QCoreApplication>
#include <QImage>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "circuit/environment.h"
#include "circuit/hot_element.h"
#include "circuit/lab_menu.h"
#include "circuit/loaded_circuit.h"
#include "circuit/probe_list.h"
#include "circuit/state_view_models.h"
#include "schematic/board_hot_spots.h"
#include "schematic/fixed_width_measurer.h"
#include "schematic/sch_hot_spots.h"
#include "schematic/sch_reader.h"
#include "sim/ic_type.h"
#include "support/program_folder.h"
#include "support/source_tree.h"
#include "support/scripted_prompter.h"
#include "view/draw_sheet.h"
#include "view/picture_source.h"
#include "view/recording_canvas.h"
#include "view/zoom_tables.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "circuit load: %s\n", what);
    std::abort();
}

// Every picture a sheet names is the same small one, so image elements draw.
class AnyPicture : public view::PictureSource {
public:
    AnyPicture() : image_(3, 2, QImage::Format_RGB32) { image_.fill(0x336699); }
    const QImage* picture(const QString&) override { return &image_; }

private:
    QImage image_;
};

struct Ranges {
    const circuit::LoadedCircuit& c;
    bool ic(int32_t n) const { return n >= c.StartIcNumber && n <= c.EndIcNumber; }
    bool net(int32_t n) const { return n >= c.StartSignalNumber && n <= c.EndSignalNumber; }
};

class NoWindow : public circuit::LabWindow {
public:
    void User_ChangeCurForm() override {}
    void User_GetUse(const QString&, int32_t) override {}
    void showChosen() override {}
};

void checkSetup(const circuit::LoadedCircuit& c, const sim::Simulator& s) {
    const Ranges in{c};
    const schematic::CircuitSetup& setup = c.Setup;
    if (setup.ClockNet != -1 && !in.net(setup.ClockNet)) fail("a clock outside the circuit");
    if (setup.ResetNet != -1 && !in.net(setup.ResetNet)) fail("a reset outside the circuit");
    for (const auto& e : setup.InSignals) {
        if (e.Nets.empty() || e.Nets.size() != e.Values.size()) fail("a switch without its net and level");
        for (std::size_t k = 0; k < e.Nets.size(); ++k)
            if (!in.net(e.Nets[k]) || (e.Values[k] != 0 && e.Values[k] != 1)) fail("a switch outside the circuit");
    }
    for (const auto& e : setup.InBuses) {
        if (e.Nets.empty()) fail("an input bus without nets");
        for (const int32_t n : e.Nets)
            if (!in.net(n)) fail("an input bus outside the circuit");
    }
    for (const auto& e : setup.OutBuses) {
        if (e.Nets.empty() || e.Nets.size() != e.Separators.size()) fail("a probe row without its nets");
        for (const int32_t n : e.Nets)
            if (!in.net(n)) fail("a probe row outside the circuit");
    }
    for (const auto& e : setup.IcOuts) {
        if (e.Ics.empty() || e.Ics.size() != e.RegNames.size() || e.Ics.size() != e.CommaFlags.size())
            fail("an IC row without its ICs");
        for (const int32_t ic : e.Ics)
            if (!in.ic(ic)) fail("an IC row outside the circuit");
    }
    for (const auto* mems : {&setup.LoadMems, &setup.SaveMems}) {
        for (const auto& e : *mems) {
            if (e.Chips.empty() || e.Chips.size() != e.ChipFlags.size()) fail("a memory group without its chips");
            for (const int32_t ic : e.Chips)
                if (!in.ic(ic)) fail("a memory group outside the circuit");
        }
    }
    for (const auto& lab : setup.Labs)
        if (lab.TextTitles.size() != lab.TextFiles.size()) fail("an experiment's titles and texts apart");
    for (const int32_t ic : c.usart8251Ics) {
        if (!in.ic(ic) || s.IcTable[static_cast<std::size_t>(ic)].Type != static_cast<int32_t>(sim::IcType::Usart8251))
            fail("a terminal for something that is no 8251 of the circuit");
    }
}

void checkHotElements(const schematic::HotElementLists& lists, const circuit::LoadedCircuit& c,
                      const sim::Simulator& s) {
    const Ranges in{c};
    for (const schematic::HotElementBox& box : lists.Boxes) {
        const circuit::HotElement e = circuit::decodeHotElement(box.Id);
        const bool inside = e.kind == circuit::HotElement::Kind::Ic       ? in.ic(e.number)
                            : e.kind == circuit::HotElement::Kind::Signal ? in.net(e.number)
                                                                          : false;
        if (!inside) fail("a hot element outside the circuit");
        if (schematic::isRectangleId(box.Id) && (box.X1 > box.X2 || box.Y1 > box.Y2)) fail("a box turned inside out");
        if (circuit::hotElementText(s, box.Id, true).isEmpty() || circuit::hotElementText(s, box.Id, false).isEmpty())
            fail("a hot element without a tooltip");
    }
}

void checkDrawing(const schematic::SchSheet& sheet) {
    const view::SheetExtent extent = view::sheetExtent(sheet);
    if (extent.width < 10 || extent.width > 6500 || extent.height < 10 || extent.height > 6500)
        fail("a drawing outside its size limits");
    AnyPicture pictures;
    for (const int level : {view::kMinZoomLevel, view::kMaxViewZoomLevel}) {
        view::RecordingCanvas canvas;
        view::DrawSchSheet(sheet, canvas, {level, 0, 0, &pictures});
        for (const view::RecordedCall& call : canvas.calls())
            for (const double v : call.values)
                if (!std::isfinite(v)) fail("a drawing call with a number that is not finite");
    }
}

// One circuit window's load of `read`, a sheet as the reader left it;
// false when the circuit was not built.
bool loadOnce(circuit::Environment& env, circuit::LabWindow& window, const schematic::SchSheet& read, bool draw) {
    sim::Simulator& s = env.simulator;
    const int32_t lastIc = s.LastIcNumber, lastSignal = s.LastSignalNumber, lastFanout = s.LastFanoutNumber;
    env.schematic.currentSheet = read;
    const std::optional<circuit::LoadedCircuit> loaded = circuit::buildCurrentSheet(env);
    if (!loaded) {
        if (s.LastIcNumber != lastIc || s.LastSignalNumber != lastSignal || s.LastFanoutNumber != lastFanout)
            fail("a refused circuit took numbers");
        if (!env.schematic.currentSheet.empty()) fail("a refused circuit left its sheet");
        return false;
    }
    const circuit::LoadedCircuit& c = *loaded;
    if (c.StartIcNumber != lastIc + 1 || c.StartSignalNumber != lastSignal + 1 ||
        c.StartFanoutNumber != lastFanout + 1 || c.EndIcNumber != s.LastIcNumber ||
        c.EndSignalNumber != s.LastSignalNumber || c.EndFanoutNumber != s.LastFanoutNumber ||
        c.signalCount() < 3 || c.icCount() < 0)
        fail("a circuit that took other numbers than the next ones");
    checkSetup(c, s);

    schematic::schtest::FixedWidthMeasurer measurer;
    schematic::HotElementLists lists;
    schematic::SchSheet sheet;
    schematic::BuildSchHotSpots(c.StartIcNumber, c.StartSignalNumber, c.EndIcNumber, c.EndSignalNumber, measurer,
                                lists, sheet, env.schematic);
    if (!env.schematic.currentSheet.empty()) fail("the sheet was not handed over");

    circuit::powerOn(env, c);
    for (int32_t n = c.StartSignalNumber; n <= c.EndSignalNumber; ++n) {
        const int32_t v = s.NetTable[static_cast<std::size_t>(n)].Value;
        if (v != 0 && v != 1) fail("a net that holds neither 0 nor 1");
    }

    std::vector<std::string> names;
    for (const auto& lab : c.Setup.Labs) names.push_back(lab.Name);
    const int32_t itemsBefore = env.labMenu.enabled() ? env.labMenu.itemCount() : 0;
    env.labMenu.registerCircuit(&window, names);
    if (env.labMenu.itemCount() != itemsBefore + std::max<int32_t>(1, c.Setup.LabCount()))
        fail("the experiment menu took another number of items");
    for (int32_t i = itemsBefore; i < env.labMenu.itemCount(); ++i)
        if (!env.labMenu.choose(i)) fail("an experiment item that cannot be chosen");

    circuit::StateViewModels models(s);
    models.fill(c);
    models.refresh(c);
    if (models.signalList.rowCount() > c.signalCount()) fail("more signal rows than signals");
    circuit::ProbeList probes(s);
    probes.fill(c.Setup);
    probes.refresh();
    if (probes.rowCount() != c.Setup.OutBusCount() + c.Setup.IcOutCount()) fail("probe rows other than the setup's");

    checkHotElements(lists, c, s);
    if (draw) checkDrawing(sheet);

    // The same sheet as the circuit's board drawing: its ICs all match.
    env.schematic.currentSheet = read;
    schematic::HotElementLists boardLists;
    schematic::SchSheet board;
    schematic::BuildBoardHotSpots(c.StartIcNumber, c.StartSignalNumber, c.EndIcNumber, c.EndSignalNumber, measurer,
                                  boardLists, board, env.schematic);
    checkHotElements(boardLists, c, s);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // The project's lab folder is the program's: the lab sheets among the
    // seeds find their memory images, other names find nothing.
    static testsupport::ProgramHome home(QString::fromStdString(testsupport::sourceTree()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testsupport::ScriptedPrompter prompter;
    auto env = std::make_unique<circuit::Environment>();
    NoWindow window;
    schematic::SchSheet read;
    schematic::SilentSchNotifier notifier;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (schematic::ReadSchBytes(read, bytes, notifier) != 1) return 0;
    // The second load is the same sheet again: it is not drawn twice.
    if (loadOnce(*env, window, read, true)) loadOnce(*env, window, read, false);
    return 0;
}
