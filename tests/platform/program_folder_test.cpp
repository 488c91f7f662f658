#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

TEST(ProgramFolder, HonoursCorvaneHomeAndIgnoresCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("Help");
    QFile f(dir.filePath(QStringLiteral("Help/Corvane16监控命令.rtf")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    qputenv("CORVANE_HOME", dir.path().toUtf8());
    EXPECT_EQ(programFolder(), dir.path());
    EXPECT_EQ(programFile(QStringLiteral("\\help\\CORVANE16监控命令.RTF")), f.fileName());
    // A missing part keeps the rest as given, so the caller can name it.
    EXPECT_EQ(programFile(QStringLiteral("\\data\\x.sch")), dir.filePath("data/x.sch"));
    qunsetenv("CORVANE_HOME");
}

TEST(ProgramFolder, NamesThatLeaveTheirFolderAreTold) {
    const struct {
        const char* name;
        bool stays;
    } cases[] = {
        {"lab1.rtf", true},        {"sub/lab1.rtf", true},         {"sub\\lab1.rtf", true},
        {"..lab.rtf", true},       {"lab..rtf", true},             {"./lab1.rtf", true},
        {"../lab1.rtf", false},    {"..\\lab1.rtf", false},        {"sub/../../etc/os-release", false},
        {"sub\\..", false},        {"/etc/os-release", false},     {"\\etc\\os-release", false},
        {"C:\\lab1.rtf", false},   {"c:lab1.rtf", false},
    };
    for (const auto& c : cases) EXPECT_EQ(staysInFolder(QString::fromUtf8(c.name)), c.stays) << c.name;
}
