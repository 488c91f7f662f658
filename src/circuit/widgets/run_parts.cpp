#include "circuit/widgets/run_parts.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "circuit/environment.h"
#include "circuit/memory_data.h"
#include "circuit/terminal_text.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form12.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/mdi_form1.h"
#include "platform/widgets/window_placement.h"
#include "sim/ic_type.h"

namespace circuit::widgets {

RunWindows::RunWindows(MDIForm1& frame) : QObject(&frame), frame_(frame), session_(frame.environment()) {
    setObjectName(QStringLiteral("RunWindows"));
    session_.run().paused = [] { return QApplication::activeModalWidget() != nullptr; };
    session_.ensureTerminal = [this](int32_t ic) { terminal(ic); };
    session_.openEnvironmentPort();
}

// The frame's environment is gone by now: nothing here may reach it.
RunWindows::~RunWindows() = default;

RunWindows* RunWindows::of(MDIForm1& frame) {
    return frame.findChild<RunWindows*>(QStringLiteral("RunWindows"), Qt::FindDirectChildrenOnly);
}

Form12* RunWindows::terminalIfMade(int32_t ic) const {
    const auto it = IcDispForms.find(ic);
    return it == IcDispForms.end() ? nullptr : it->second.data();
}

QString RunWindows::captionPrefixFor(int32_t ic) const {
    if (QMdiSubWindow* active = frame_.mdiArea()->currentSubWindow()) return active->windowTitle();
    // With no window in use the terminal takes the caption of its own circuit's.
    for (const Form7* w : frame_.circuitWindows())
        if (ic >= w->StartIcNumber() && ic <= w->EndIcNumber()) return w->caption();
    return {};
}

Form12* RunWindows::terminal(int32_t ic) {
    if (Form12* made = terminalIfMade(ic)) return made;
    sim::Simulator& s = frame_.environment().simulator;
    if (!sim::Simulator::isIc(ic) || s.IcTable[static_cast<std::size_t>(ic)].Type != static_cast<int32_t>(sim::IcType::Usart8251))
        return nullptr;
    auto* t = new Form12(frame_.environment(), ic, &frame_);
    IcDispForms[ic] = t;
    const std::string& designator = s.IcDesignators[static_cast<std::size_t>(ic)];
    const QString caption = circuit::terminalCaption(captionPrefixFor(ic), ic, QString::fromStdString(designator),
                                                     sim::icTypeName(s.IcTable[static_cast<std::size_t>(ic)].Type));
    t->setWindowTitle(caption);
    frame_.AddIcOutWindow(t, caption);
    // Each terminal a little below and right of the one made before it.
    platform::placeOverOnce(*t, &frame_, static_cast<int>(IcDispForms.size()) - 1);
    t->show();
    t->raise();
    return t;
}

void RunWindows::Flush8251Output() {
    sim::Simulator& s = frame_.environment().simulator;
    if (s.Pending8251Ic <= -1) return;
    Form12* t = terminal(s.Pending8251Ic);
    if (!t) return;
    t->raise();
    circuit::takePending8251Output(s, [t](uint8_t code) { t->put(code); });
    t->showText();
}

void installRunParts(CircuitParts& parts) {
    parts.attachFrame = [](MDIForm1& frame) { new RunWindows(frame); };
    parts.startContinuousRun = [](Form7& w) {
        if (RunWindows* r = RunWindows::of(w.frame())) r->session().start();
    };
    parts.flush8251Output = [](Form7& w) {
        if (RunWindows* r = RunWindows::of(w.frame())) r->Flush8251Output();
    };
    parts.loadMemoryData = [](Form7& w, int index) {
        circuit::loadMemoryDataCommand(w.environment(), w.Setup(), index);
        // During a run the views catch up with the run's own refreshes.
        if (!w.continuousMode()) w.RefreshAll();
    };
    parts.saveMemoryData = [](Form7& w, int index) {
        circuit::saveMemoryDataCommand(w.environment(), w.Setup(), index);
    };
    parts.closeEnvironmentPort = [](MDIForm1& frame) {
        if (RunWindows* r = RunWindows::of(frame)) r->session().port().close();
    };
}

}  // namespace circuit::widgets
