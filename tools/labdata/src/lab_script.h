#pragma once
// An experiment's procedure as a script of console actions and the values the
// student should see after them (scripts/*.txt). A test plays every script on
// the default circuit; the generator writes the same steps into the
// procedure text, so the text shows exactly what the test checks.
//
//   lab NAME                        the experiment (its Lab: name)
//   step DESCRIPTION                a step; its lines follow, indented
//     bus NAME VALUE                type VALUE into an input bus's box, Enter
//     switch NAME LEVEL             press an input switch so that it shows LEVEL
//     pulse N                       N clock pulses
//     edge                          one clock edge
//     reset                         press and release the reset button
//     load BUTTON FILE              a memory-data load from FILE, start as the file gives it
//     expect ROW VALUE [from DESIG[,DESIG...]]
//                                   a probe-list row shows VALUE; a row of bus
//                                   nets names the parts that drive them now,
//                                   and "x" stands for a digit whose nets no
//                                   part drives (read nothing into it)
//     expect DESIG.REG VALUE        an IC register holds VALUE (hexadecimal)
//     expect DESIG[ADDR] VALUE      a memory cell holds VALUE (both hexadecimal)
//     expect terminal DESIG TEXT    the IC's terminal window shows TEXT
//     expect conflicts N            N bus conflicts were recorded since power-on

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct ScriptLine {
    enum class Kind { Bus, Switch, Pulse, Edge, Reset, Load, ExpectRow, ExpectRegister, ExpectMemory, ExpectTerminal, ExpectConflicts };
    Kind kind = Kind::Edge;
    std::string name;      // bus, switch, button, row, designator
    std::string reg;       // register name
    std::string value;     // typed value, file, expected text
    std::vector<std::string> drivers;  // the parts a row's bus nets are read from
    int32_t number = 0;    // level, pulse count, address, conflict count
    int line = 0;          // in the script file

    bool isCheck() const { return kind >= Kind::ExpectRow; }
};

struct ScriptStep {
    std::string description;
    std::vector<ScriptLine> lines;
};

struct LabScript {
    std::string lab;
    std::vector<ScriptStep> steps;
};

// Throws PlanError for a line it cannot take.
LabScript parseLabScript(std::string_view text);

// The step as the procedure text shows it: what to do and what to see, in
// the order the script gives them, each as one line of text.
std::vector<std::string> describeStep(const ScriptStep& step);

}  // namespace labdata
