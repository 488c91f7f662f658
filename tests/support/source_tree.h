#pragma once
// Where the tests' fixtures are: the source tree the test was built from, or
// the tree $CORVANE_SOURCE_DIR names (for a tree moved since the build). A test
// binary therefore runs on its own, from any folder.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace testsupport {

inline std::string sourceTree() {
    if (const char* root = std::getenv("CORVANE_SOURCE_DIR"); root && *root) return root;
#ifdef CORVANE_TEST_SOURCE_DIR
    return CORVANE_TEST_SOURCE_DIR;
#else
    return ".";
#endif
}

// A missing fixture ends the test with a message naming it (GoogleTest reports
// the exception as the test's failure) instead of letting it run on empty data.
inline const std::string& requireFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        throw std::runtime_error("missing test fixture " + path +
                                 " (set CORVANE_SOURCE_DIR to the source tree if it has moved)");
    }
    return path;
}

// `relative` (e.g. "tests/schematic/fixtures/complete.sch") in the source tree;
// the file or folder must exist.
inline std::string sourceFile(const std::string& relative) { return requireFile(sourceTree() + "/" + relative); }

}  // namespace testsupport
