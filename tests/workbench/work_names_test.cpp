#include "workbench/work_names.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace workbench;

namespace {
void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("user data");
}
NameSource scripted(QStringList names) {
    return [names, k = 0]() mutable { return k < names.size() ? names[k++] : QStringLiteral("ZZZZZZZZ"); };
}
}  // namespace

TEST(WorkNames, RandomNamesAreValidAndDistinct) {
    QTemporaryDir dir;
    const auto names = pickWorkNames(dir.path(), ".EXE", true);
    ASSERT_TRUE(names);
    const QRegularExpression dos("^[A-Z0-9]{8}$");
    EXPECT_TRUE(dos.match(names->t).hasMatch()) << names->t.toStdString();
    EXPECT_TRUE(names->e.endsWith(".EXE"));
    EXPECT_TRUE(names->i.endsWith(".INS"));
    EXPECT_NE(names->t, names->e.left(8));
    EXPECT_NE(names->t, names->i.left(8));
    EXPECT_NE(names->e.left(8), names->i.left(8));
}

TEST(WorkNames, NeverPicksANameAUserFileHasInAnyCase) {
    QTemporaryDir dir;
    touch(dir.filePath("aaaaaaaa.lst"));  // would be T.LST
    touch(dir.filePath("BBBBBBBB.Cod"));  // would be T.COD
    touch(dir.filePath("CCCCCCCC.exe"));  // would be E
    touch(dir.filePath("DDDDDDDD.INS"));  // would be I
    const auto names = pickWorkNames(dir.path(), ".EXE", true,
                                     scripted({"AAAAAAAA", "BBBBBBBB", "TTTTTTTT", "TTTTTTTT", "CCCCCCCC",
                                               "EEEEEEEE", "DDDDDDDD", "IIIIIIII"}));
    ASSERT_TRUE(names);
    EXPECT_EQ(names->t, "TTTTTTTT");
    EXPECT_EQ(names->e, "EEEEEEEE.EXE");
    EXPECT_EQ(names->i, "IIIIIIII.INS");
    EXPECT_FALSE(names->workFiles().contains("EEEEEEEE.EXE"));  // never created, never deleted
}

TEST(WorkNames, GivesUpWhenEveryCandidateCollides) {
    QTemporaryDir dir;
    touch(dir.filePath("AAAAAAAA.ASM"));
    EXPECT_FALSE(pickWorkNames(dir.path(), ".COM", false, [] { return QStringLiteral("AAAAAAAA"); }));
}
