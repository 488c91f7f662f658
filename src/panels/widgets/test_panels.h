#pragma once
// What the experiment frame needs to open the IC test panels: one call per
// panel kind. The frame creates each panel once, on first use, inside its own
// frameless, maximised child window, and stops a continuous run before it
// shows one. Every panel works on the simulator it is given, which must hold
// the test circuit (PanelCircuit builds one); all panels share that simulator.

#include <QWidget>

namespace sim {
class Simulator;
}

namespace panels {

enum class TestPanel { Ttl74LS00, Ttl74LS138, Ttl74LS244, Ttl74LS374, Ram6116, Rom2732 };

// The panel's window (Form4, Form8, Form9, Form10, Form5, Form11), loaded: its chip has settled
// once. Its window title is the panel's caption.
QWidget* createTestPanel(TestPanel which, sim::Simulator& panelSimulator, QWidget* parent = nullptr);

}  // namespace panels
