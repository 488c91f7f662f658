#pragma once
// The circuit-experiment environment as the program starts it (--circuit).

#include <memory>

namespace circuit::widgets {
class MDIForm1;
}

namespace app {

class Program;

// The experiment frame with the program's About box, its part in quitting and
// the test panels, its default circuit loaded, shown maximised.
std::unique_ptr<circuit::widgets::MDIForm1> startCircuitEnvironment(Program& program);

}  // namespace app
