#pragma once
// Where the lab's data folder and its generator's descriptions are.

#include "support/source_tree.h"

#include <string>

namespace labtest {

inline std::string sourceRoot() { return testsupport::sourceTree(); }
inline std::string dataDir() { return testsupport::sourceFile("data"); }
inline std::string defaultCircuit() { return testsupport::sourceFile("data/联机运行线路+存储器扩展线路 ascii.Sch"); }
inline std::string descriptionDir() { return testsupport::sourceFile("tools/labdata"); }

}  // namespace labtest
