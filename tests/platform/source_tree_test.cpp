#include "support/source_tree.h"

#include <QFileInfo>

#include <gtest/gtest.h>

// Test binaries find their fixtures without help; $CORVANE_SOURCE_DIR still
// points them at a moved tree; a missing fixture is a failure with its name.
TEST(SourceTree, FixturesAreFoundWithoutTheEnvironmentAndMissingOnesAreNamed) {
    const QByteArray saved = qgetenv("CORVANE_SOURCE_DIR");
    qunsetenv("CORVANE_SOURCE_DIR");
    const std::string own = testsupport::sourceFile("tests/support/source_tree.h");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(own)).isAbsolute()) << own;

    qputenv("CORVANE_SOURCE_DIR", "/nonexistent/tree");
    EXPECT_EQ(testsupport::sourceTree(), "/nonexistent/tree");
    try {
        testsupport::sourceFile("tests/schematic/fixtures/complete.sch");
        ADD_FAILURE() << "a missing fixture went unnoticed";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/tree/tests/schematic/fixtures/complete.sch"),
                  std::string::npos)
            << e.what();
    }
    if (saved.isEmpty()) qunsetenv("CORVANE_SOURCE_DIR");
    else qputenv("CORVANE_SOURCE_DIR", saved);
}
