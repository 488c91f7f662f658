// The sampling data file: exact layout, round trips and the checks on reading.
#include "sampler/sample_data_file.h"

#include "sampler/qt_print.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <limits>

namespace sampler {
namespace {

SamplerState captured(int width, int sampleBytes, float divisor) {
    SamplerState s;
    s.SampleWidth = width;
    s.SampleBytes = sampleBytes;
    s.RateDivisor = divisor;
    for (int i = 0; i < kSampleSlots; ++i)
        for (int k = 0; k < kChannels; ++k) s.SampleData[i][k] = ((i * 7 + k * 3) % 5) < 2;
    return s;
}

TEST(SampleDataFile, DefaultCaptureLayoutIsExact) {
    const auto s = captured(8, 4096, 1);
    const QByteArray file = writeSampleDataFile(s);
    EXPECT_TRUE(file.startsWith("\"zodud,2002.7\"\r\n8\r\n1\r\n4096\r\n"));
    EXPECT_EQ(file.count("\r\n"), 4102);
    EXPECT_EQ(file.count('\n'), 4102);
    const auto lines = file.split('\n');
    EXPECT_EQ(lines[4], QByteArray("1,0,1,0,0,1,0,1\r"));  // sample index 0
}

TEST(SampleDataFile, RoundTripKeepsEveryCapturedSample) {
    struct Case {
        int width, bytes;
        float divisor;
        int lines;
    } cases[] = {{8, 4096, 1, 4098},
                 {4, 256, 5000, 514},
                 {2, 1024, 0.5f, 4100},
                 {2, 128, 100, 516},
                 // Divisors whose float needs more than seven digits, or has fewer bits.
                 {8, 16, 1.0000001f, 18},
                 {8, 16, std::numeric_limits<float>::max(), 18},
                 {8, 16, std::numeric_limits<float>::denorm_min(), 18}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width * 10000 + c.bytes);
        const auto s = captured(c.width, c.bytes, c.divisor);
        const QByteArray file = writeSampleDataFile(s);
        EXPECT_EQ(file.count('\n'), 4 + c.lines);
        const auto parsed = parseSampleDataFile(file);
        ASSERT_EQ(parsed.error, SampleFileError::None);
        SamplerState back;
        for (auto& row : back.SampleData) row.fill(9);
        commitSampleFile(back, parsed.content);
        EXPECT_EQ(back.SampleWidth, c.width);
        EXPECT_EQ(back.SampleBytes, c.bytes);
        EXPECT_EQ(back.RateDivisor, c.divisor);
        // Every captured sample (after the echo bits) comes back; beyond, the old values stay.
        const int end = (c.bytes + 1) * 8 / c.width;
        for (int i = 0; i < end; ++i) ASSERT_EQ(back.SampleData[i], s.SampleData[i]) << i;
        EXPECT_EQ(back.SampleData[c.lines][0], 9);
    }
}

TEST(SampleDataFile, ReadsOlderAndLooserFiles) {
    // A 2-bit file that holds only SampleBytes + 2 lines, LF line ends, blanks, ".5"-style numbers.
    QByteArray file = "\"zodud,2002.7\"\n 2 \n.5\n1\n";
    for (int i = 0; i < 3; ++i) file += "1, 0,1,0,0,0,0,0\n";
    const auto parsed = parseSampleDataFile(file);
    ASSERT_EQ(parsed.error, SampleFileError::None);
    EXPECT_EQ(parsed.content.rateDivisor, 0.5f);
    EXPECT_EQ(parsed.content.rows.size(), 3u);
    // Items may also run across lines, as a sequential reader takes them.
    const auto wrapped = parseSampleDataFile("\"zodud,2002.7\",8,1,1\r\n" + QByteArray("1,1,1,1\r\n0,0,0,0\r\n").repeated(3));
    EXPECT_EQ(wrapped.error, SampleFileError::None);
}

TEST(SampleDataFile, RejectsWrongMarksAndMalformedContent) {
    const QByteArray good = writeSampleDataFile(captured(8, 16, 1));
    QByteArray truncated = good;
    truncated.chop(40);
    QByteArray nonNumeric = good;
    nonNumeric.replace(good.indexOf("\r\n1,") + 2, 1, "x");
    struct Case {
        const char* name;
        QByteArray file;
        SampleFileError error;
    } cases[] = {
        {"unquoted mark", "zodud,2002.7\r\n8\r\n1\r\n16\r\n", SampleFileError::WrongMark},
        {"other mark", "\"zodud,2002.8\"\r\n8\r\n1\r\n16\r\n", SampleFileError::WrongMark},
        {"empty", "", SampleFileError::WrongMark},
        {"width 3", "\"zodud,2002.7\"\r\n3\r\n1\r\n16\r\n", SampleFileError::Malformed},
        {"width 0", "\"zodud,2002.7\"\r\n0\r\n1\r\n16\r\n", SampleFileError::Malformed},
        {"huge count", "\"zodud,2002.7\"\r\n8\r\n1\r\n100000\r\n", SampleFileError::Malformed},
        {"count 0", "\"zodud,2002.7\"\r\n8\r\n1\r\n0\r\n", SampleFileError::Malformed},
        {"fractional count", "\"zodud,2002.7\"\r\n8\r\n1\r\n1.5\r\n", SampleFileError::Malformed},
        {"divisor 0", "\"zodud,2002.7\"\r\n8\r\n0\r\n16\r\n", SampleFileError::Malformed},
        {"divisor nan", "\"zodud,2002.7\"\r\n8\r\nnan\r\n16\r\n", SampleFileError::Malformed},
        // Above 0 as written, 0 as the float it is kept in.
        {"divisor 1e-46", "\"zodud,2002.7\"\r\n8\r\n1e-46\r\n1\r\n" + QByteArray("1,0,0,0,0,0,0,0\r\n").repeated(3),
         SampleFileError::Malformed},
        {"divisor beyond a float", "\"zodud,2002.7\"\r\n8\r\n3.5e38\r\n1\r\n" + QByteArray("1,0,0,0,0,0,0,0\r\n").repeated(3),
         SampleFileError::Malformed},
        {"negative divisor", "\"zodud,2002.7\"\r\n8\r\n-1\r\n1\r\n" + QByteArray("1,0,0,0,0,0,0,0\r\n").repeated(3),
         SampleFileError::Malformed},
        {"header only", "\"zodud,2002.7\"\r\n8\r\n1\r\n16\r\n", SampleFileError::Malformed},
        {"truncated", truncated, SampleFileError::Malformed},
        {"non-numeric", nonNumeric, SampleFileError::Malformed},
        {"overflowing value", "\"zodud,2002.7\"\r\n8\r\n1\r\n1\r\n" + QByteArray("99999,0,0,0,0,0,0,0\r\n").repeated(3),
         SampleFileError::Malformed},
    };
    for (const auto& c : cases) EXPECT_EQ(parseSampleDataFile(c.file).error, c.error) << c.name;
}

}  // namespace
}  // namespace sampler
