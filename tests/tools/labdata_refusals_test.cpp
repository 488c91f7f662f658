#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "labdata/src/circuit_plan.h"
#include "labdata/src/circuit_sheet.h"
#include "labdata/src/plan_text.h"

namespace labdata {
namespace {

// The circuit drawing refuses a description it cannot draw truthfully, each
// time for its own reason, naming the description's line; each refusal a
// description can reach has its row here, and a new one takes one more. A
// 74LS04 at (X, Y) has its box from X to X + 80 and Y to Y + 70; its inputs
// end 20 to the left of the box and its outputs 20 to the right, one every 10
// from Y + 10 down; VCC ends at (X + 40, Y - 20) and GND at (X + 40, Y + 90),
// each with a labelled stub that turns right, GND's a step below the pin end.
// A chip's caption stands on the line 50 below its box.
//
// Two checks have no row, as no description reaches them: that a net falls
// apart and that two nets are joined. Every pin is drawn on a wire from its
// end that carries the label of the pin's own net, and the builder makes one
// net of all labels of one name, so no name falls apart. Two names meet only
// where their drawn wires meet, and the net there carries both labels: its
// first pin is refused as not carrying its name alone before a second name
// on it is looked at. The checks stay for a drawing that labels less.
TEST(CircuitDrawing, RefusesWhatItCannotDrawEachForItsOwnReason) {
    const struct {
        const char* what;
        std::string description;
        std::string refusal;  // the whole message
    } cases[] = {
        {"a bus on a supply pin", "sheet 800 400\nbus B B0..1\nic U1 74LS04 100 100\n  14=B0\n",
         "line 3: U1 pin 14 (B0): a bus pin must point left or right"},
        {"a bus line that would rise off the sheet", "sheet 800 400\nbus B B0..1\nic U1 74LS244 100 40\n  1Y1=B0\n",
         "line 3: U1 pin 18 (B0): no room for its bus line"},
        {"another chip's caption across a bus stub",
         "sheet 800 400\nbus B B0..1 below\nic U1 74LS244 100 150\n  1Y1=B0\nic U2 74LS04 240 40 INVERTERS\n",
         "line 3: U1 pin 18 (B0): no room for its bus stub"},
        {"bus lines ending on the sheet's top edge",
         "sheet 800 400\nbus B B0..1\nic U1 74LS04 100 60\n  1Y=B0\nic U2 74LS04 400 60\n  1Y=B1\n",
         "line 3: no way for the lines of bus B"},
        {"an input on the sheet's left edge", "sheet 400 200\nic U1 74LS04 30 40\n  1A=IN\n",
         "line 2: U1 pin 1 (IN): no room for its label stub"},
        {"a wire that would leave the sheet", "sheet 400 200\nic U2 74LS04 30 40\n  1A=N\nic U1 74LS04 200 40\n  1Y=N\n",
         "line 2: no way for the wires of N from U2 pin 1 (N)"},
        {"a probed net between pins that meet",
         "sheet 800 400\nic U1 74LS04 100 100\n  1Y=N\nic U2 74LS04 220 100\n  1A=N\nprobe (N)N\n",
         "line 2: no room for the label of N near U1 pin 2 (N)"},
        // Every pin is drawn on a wire from its end, and the builder ties an
        // input or output nothing reaches: only a sheet it does not build
        // leaves a pin on no net.
        {"a stimulus value the circuit builder cannot read, so that it builds no net",
         "sheet 400 200\nic U1 74LS04 100 60\n  1A=IN\nstimulus IN 99999999999\n",
         "line 2: U1 pin 1 (IN) is on no net of the drawing"},
        {"an output tied to its chip's supply pin, which carries its supply's label",
         "sheet 800 400\nic U1 74LS04 100 100\n  1Y=N 14=N\n",
         "line 2: N does not carry its name alone at U1 pin 2 (N)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            circuitSheet(parseCircuitPlan(c.description));
            ADD_FAILURE() << "drawn, not refused";
        } catch (const PlanError& e) {
            EXPECT_EQ(e.what(), c.refusal);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "refused by something other than the drawing's checks: " << e.what();
        }
    }
}

}  // namespace
}  // namespace labdata
