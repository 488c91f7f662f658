#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "labdata/src/circuit_plan.h"
#include "labdata/src/circuit_sheet.h"
#include "labdata/src/plan_text.h"

namespace labdata {
namespace {

// The circuit drawing refuses a description it cannot draw truthfully, each
// time for its own reason, naming the description's line; each refusal has
// its row here, and a new one takes one more. A 74LS04 at (X, Y)
// has its box from X to X + 80 and Y to Y + 70; its inputs end 20 to the left
// of the box and its outputs 20 to the right, one every 10 from Y + 10 down;
// VCC ends at (X + 40, Y - 20) and GND at (X + 40, Y + 90). Two chips placed
// so that a pin end of one lies on a pin end of the other leave no wire to
// draw between them: the sheet would not build the circuit described.
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
        {"a frame's title across a bus stub",
         "sheet 800 400\nbus B B0..1 below\nframe 20 20 780 380 ABCDEFGHIJ\nic U1 74LS244 40 40\n  1Y1=B0\n",
         "line 4: U1 pin 18 (B0): no room for its bus stub"},
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
        {"a supply pin on another's supply pin", "sheet 800 400\nic U1 74LS04 100 200\n  14=P\nic U2 74LS04 100 90\n  7=P\n",
         "line 2: U1 pin 14 (P) is on no net of the drawing"},
        {"an output on an input", "sheet 800 400\nic U1 74LS04 100 100\n  1Y=N\nic U2 74LS04 220 100\n  1A=N\n",
         "line 4: N falls apart at U2 pin 1 (N)"},
        {"an input on an output, where the builder ties it high",
         "sheet 800 400\nic U3 74LS04 400 200\n  1A=VCC\nic U2 74LS04 220 100\n  1A=N\nic U1 74LS04 100 100\n  1Y=N\n",
         "line 4: N and VCC are joined at U2 pin 1 (N)"},
        {"an output on a supply pin, each with its label stub",
         "sheet 800 400\nic U2 74LS04 40 70\n  1Y=N\nic U1 74LS04 100 100\n  14=VCC\n",
         "line 2: N does not carry its name alone at U2 pin 2 (N)"},
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
