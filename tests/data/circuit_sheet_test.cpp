#include <gtest/gtest.h>

#include "labdata/src/circuit_plan.h"
#include "labdata/src/lab_sheets.h"
#include "labdata/src/plan_text.h"

namespace labtest {
namespace {

// Two inverters side by side: U1's 2Y stub reaches right to x = 270, U2's
// 2A stub (a short name) reaches left 70 units from U2's box, both on one row.
// Placed too close, the builder would join the two nets; the generator refuses.
TEST(CircuitSheet, RefusesIcsPlacedSoThatTwoNetsWouldJoin) {
    struct Case {
        int x;              // where U2 stands
        const char* u2Pins;
        const char* error;  // empty: the sheet is made
    } cases[] = {
        {340, "2A=MEM", "line 4: U2 pin 3 (MEM) and U1 pin 4 (UROM_N) would join at (270, 100): place U2 further from U1"},
        {300, "2A=MEM", "line 4: U2 pin 3 (MEM) and U1 pin 4 (UROM_N) would join at (270, 100): place U2 further from U1"},
        {290, "1A=MEM", "line 4: U2 pin 3 and U1 pin 4 (UROM_N) would join at (270, 100): place U2 further from U1"},
        {350, "2A=MEM", ""},
        {340, "2A=UROM_N", ""},
    };
    for (const Case& c : cases) {
        const std::string text = "sheet 800 300\n"
                                 "ic U1 74LS14 100 80\n"
                                 "  2Y=UROM_N\n"
                                 "ic U2 74LS04 " + std::to_string(c.x) + " 80\n"
                                 "  " + c.u2Pins + "\n";
        const labdata::CircuitPlan plan = labdata::parseCircuitPlan(text);
        try {
            labdata::circuitSheet(plan);
            EXPECT_STREQ(c.error, "") << c.x << " " << c.u2Pins;
        } catch (const labdata::PlanError& e) {
            EXPECT_EQ(e.what(), std::string(c.error)) << c.x << " " << c.u2Pins;
        }
    }
}

}  // namespace
}  // namespace labtest
