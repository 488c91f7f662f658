#pragma once
// Plays an experiment script on a console and collects every expected value
// that was not met, each with its script line.

#include <string>
#include <vector>

#include "lab_console.h"
#include "labdata/src/lab_script.h"

namespace labtest {

// The failures, "line N: what was expected, what was there"; empty when the
// whole script went as written. A switch that already stands at the level a
// step asks for is a failure too: the text would tell the student to press it.
// Unless a step says otherwise, no bus conflict may be recorded. A probe row
// read off a bus passes only while the parts the step names drive it.
std::vector<std::string> playScript(const labdata::LabScript& script, LabConsole& console, const std::string& dataDir);

}  // namespace labtest
