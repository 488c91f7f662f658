#include "workbench/source_file.h"
#include "build_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <gtest/gtest.h>

#include "support/file_size_limit.h"

using namespace workbench;

using wbtest::readBytes;
using wbtest::writeBytes;

TEST(SourceFile, Cp936SourceRoundTripsByteExact) {
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.asm");
    // "中文" and a comment "; 注释" in code page 936, CR LF line ends, no final line end.
    const QByteArray bytes("\xD6\xD0\xCE\xC4\r\nMOV A,B ; \xD7\xA2\xCA\xCD\r\n\r\nNOP");
    writeBytes(path, bytes);
    const auto text = readTextFile(path);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, QString::fromUtf16(u"中文\nMOV A,B ; 注释\n\nNOP"));
    ASSERT_TRUE(writeTextFile(path, *text).ok);
    EXPECT_EQ(readBytes(path), bytes);
}

TEST(SourceFile, LfAndCrLineEndsAreReadAndWrittenAsCrLf) {
    EXPECT_EQ(decodeFileText("a\nb\rc\r\nd"), "a\nb\nc\nd");
    EXPECT_EQ(encodeFileText("a\nb"), QByteArray("a\r\nb"));
}

TEST(SourceFile, CharactersOutsideCp936AreKeptNotDropped) {
    QTemporaryDir dir;
    const QString path = dir.filePath("emoji.asm");
    const QString text = QString::fromUtf16(u"; 😀 and 𠀀\nNOP");
    ASSERT_TRUE(writeTextFile(path, text).ok);
    const QByteArray bytes = readBytes(path);
    EXPECT_FALSE(bytes.contains('?'));
    EXPECT_EQ(readTextFile(path).value_or("<none>"), text);
}

TEST(SourceFile, AFailedWriteLeavesTheOldFileIntact) {
    QTemporaryDir dir;
    // A name at the file system's length limit leaves no room for the temporary
    // file beside it, so the write fails before the target is touched.
    const QString path = dir.filePath(QString(251, QLatin1Char('a')) + ".ASM");
    writeBytes(path, "old content\r\n");
    const WriteOutcome outcome = writeTextFile(path, "new content");
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(readBytes(path), QByteArray("old content\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SourceFile, UnreadablePathsGiveNothing) {
    QTemporaryDir dir;
    EXPECT_FALSE(readTextFile(dir.filePath("missing.asm")));
    EXPECT_FALSE(readTextFile(dir.path()));  // a folder is no source
    EXPECT_FALSE(writeTextFile(dir.filePath("no/such/folder/x.asm"), "x").ok);
}

// A disk that fills up during the save: the file size limit stands in for it.
// Whether the bytes were still held back or went out in part, the save fails
// with the system's reason, never "Unknown error", and the old file stays as
// it was.
TEST(SourceFile, AWriteCutShortFailsWithTheSystemsReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("prog.asm");
    writeBytes(path, "old content\r\n");
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const int size : {1300, 40000}) {  // held back in the buffer; written in part at once
        SCOPED_TRACE(size);
        WriteOutcome outcome;
        {
            testsupport::FileSizeLimit limit(1000);
            ASSERT_TRUE(limit.ok());
            outcome = writeTextFile(path, QString(size, QLatin1Char('x')));
        }
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error, tooLarge);
        EXPECT_EQ(readBytes(path), QByteArray("old content\r\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"prog.asm"});
    }
}
