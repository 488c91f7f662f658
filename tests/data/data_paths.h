#pragma once
// Where the lab's data folder and its generator's descriptions are.

#include <cstdlib>
#include <string>

namespace labtest {

inline std::string sourceRoot() {
    const char* root = std::getenv("CORVANE_SOURCE_DIR");
    return root ? root : ".";
}
inline std::string dataDir() { return sourceRoot() + "/data"; }
inline std::string defaultCircuit() { return dataDir() + "/联机运行线路+存储器扩展线路 ascii.Sch"; }
inline std::string descriptionDir() { return sourceRoot() + "/tools/labdata"; }

}  // namespace labtest
