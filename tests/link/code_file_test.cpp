#include "link/codefile/code_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using codefile::CodeBlock;
using codefile::CodeFile;
using codefile::CodeSegment;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Three blocks, the middle one of count 0, two bytes per location.
const Bytes kThreeBlocks = {0x03, 0x00, 0x10, 0x03, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x20, 0x02, 0x00,
                            0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xB1, 0xB2, 0xB3, 0xB4};

std::string local(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TEST(CodeFile, ReadsBlocksWithTheirDataForEachLocationSize) {
    const CodeFile two = codefile::parseCodeFile(kThreeBlocks, 2);
    EXPECT_TRUE(two.complete);
    EXPECT_EQ(two.blockCount, 3);
    ASSERT_EQ(two.blocks.size(), 3u);
    EXPECT_EQ(two.blocks[0], (CodeBlock{{0x1000, 3}, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6}}));
    EXPECT_EQ(two.blocks[1], (CodeBlock{{0x3000, 0}, {}}));
    EXPECT_EQ(two.blocks[2], (CodeBlock{{0x2000, 2}, {0xB1, 0xB2, 0xB3, 0xB4}}));

    // The same bytes with one byte per location: five data bytes to spare, which is no matter.
    const CodeFile one = codefile::parseCodeFile(kThreeBlocks, 1);
    EXPECT_TRUE(one.complete);
    EXPECT_EQ(one.blocks[0].data, (Bytes{0xA1, 0xA2, 0xA3}));
    EXPECT_EQ(one.blocks[2].data, (Bytes{0xA4, 0xA5}));

    // Three bytes per location (a circuit's three chips) want 15 data bytes: 10 are there.
    const CodeFile three = codefile::parseCodeFile(kThreeBlocks, 3);
    EXPECT_FALSE(three.complete);
    EXPECT_EQ(three.blocks[0].data.size(), 9u);
    EXPECT_EQ(three.blocks[2].data, (Bytes{0xB4}));

    // A block at 12FF with 65535 locations is stored low byte first.
    EXPECT_EQ(codefile::headerBytes({0x12FF, 0xFFFF}), (std::array<std::uint8_t, 4>{0xFF, 0x12, 0xFF, 0xFF}));
    EXPECT_TRUE(codefile::parseCodeFile(Bytes{0x00}, 2).complete);  // no blocks at all
}

TEST(CodeFile, AFileShorterThanItsHeadersSayIsIncompleteAndKeepsWhatItHolds) {
    // Every cut of the three-block file, from nothing to one byte short.
    for (std::size_t length = 0; length < kThreeBlocks.size(); ++length) {
        const Bytes cut(kThreeBlocks.begin(), kThreeBlocks.begin() + static_cast<std::ptrdiff_t>(length));
        const CodeFile file = codefile::parseCodeFile(cut, 2);
        EXPECT_FALSE(file.complete) << length;
        EXPECT_EQ(file.blockCount, length == 0 ? 0 : 3) << length;
        EXPECT_EQ(file.blocks.size(), length < 5 ? 0u : std::min<std::size_t>((length - 1) / 4, 3)) << length;
        std::size_t held = 0;
        for (const CodeBlock& b : file.blocks) held += b.data.size();
        EXPECT_EQ(held, length > 13 ? length - 13 : 0) << length;
    }
    // A received block the cancel cut short: its header promises 32 words, 3 bytes came.
    const CodeFile partial = codefile::parseCodeFile(Bytes{0x01, 0x00, 0x10, 0x20, 0x00, 0x41, 0x42, 0x43}, 2);
    EXPECT_FALSE(partial.complete);
    ASSERT_EQ(partial.blocks.size(), 1u);
    EXPECT_EQ(partial.blocks[0].data, (Bytes{0x41, 0x42, 0x43}));
}

TEST(CodeFile, WritesWhatItReadsAndRefusesWhatCannotBeWritten) {
    const std::vector<CodeBlock> blocks = {{{0x1000, 3}, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6}},
                                           {{0x3000, 0}, {}},
                                           {{0x2000, 2}, {0xB1, 0xB2, 0xB3, 0xB4}}};
    EXPECT_EQ(codefile::encodeCodeFile(blocks), kThreeBlocks);
    const CodeSegment segments[] = {blocks[0].segment, blocks[1].segment, blocks[2].segment};
    EXPECT_EQ(codefile::fileSize(segments, 2), kThreeBlocks.size());
    EXPECT_FALSE(codefile::encodeCodeFile(std::vector<CodeBlock>(256)).has_value());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("程序.COD"));
    ASSERT_TRUE(codefile::writeCodeFile(local(path), blocks));
    EXPECT_EQ(codefile::readFileBytes(local(path)), kThreeBlocks);
    const auto back = codefile::readCodeFile(local(path), 2);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->complete);
    EXPECT_EQ(back->blocks, blocks);

    EXPECT_FALSE(codefile::readCodeFile(local(dir.filePath(QStringLiteral("missing.COD"))), 2).has_value());
    EXPECT_FALSE(codefile::writeCodeFile(local(dir.filePath(QStringLiteral("no/such/folder/x.COD"))), blocks));
    EXPECT_FALSE(codefile::writeCodeFile(local(dir.path()), blocks));  // a folder
}
