// The sampling display's commands: zoom, clear, readout and crosshair, the
// picture and data files, and the exchange behind "采样".
#include "sampler/qt_print.h"
#include "sampler/sample_data_file.h"
#include "sampler/scripted_device.h"
#include "sampler/widgets/sampling_display.h"
#include "sampler/widgets/twips_canvas.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace sampler {
namespace {

const ExchangeLimits kFastDisplayLimits{200, 200, 500, 0.0};

struct DisplayFixture : ::testing::Test {
    SamplerState state;
    SamplingDisplay display{state};
    testsupport::ScriptedPrompter prompter;
    ScriptedDevice device;
    QTemporaryDir dir;

    void SetUp() override {
        display.setDevice(&device);
        display.setExchangeLimits(kFastDisplayLimits);
    }
    // One "采样" with the fake answering `data` after the transfer command.
    void sample(const QByteArray& data) {
        device.reply = [data](uint8_t b) { return b >= 0xA0 ? QByteArray(1, char(b)) + data : QByteArray(1, char(b)); };
        display.Command1_Click();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(DisplayFixture, SampleShowsThePlotAndEnablesZoomOut) {
    EXPECT_FALSE(display.xianshi()->isEnabled());
    sample(pattern(4096));
    EXPECT_EQ(device.sent, (std::vector<uint8_t>{0x30, 0xA3}));
    EXPECT_TRUE(display.xianshi()->isEnabled());
    EXPECT_TRUE(display.gundong()->isEnabled());
    EXPECT_TRUE(display.comp()->isEnabled());
    EXPECT_FALSE(display.expcom()->isEnabled());
    EXPECT_EQ(display.gundong()->maximum(), 4076);
    EXPECT_EQ(display.lastPicture().texts.size(), 10u);
    EXPECT_EQ(display.lastPicture().texts[9].text, ".36");
}

TEST_F(DisplayFixture, ZoomStopsAtItsLimitsAndReturnsToTheFirstSample) {
    sample(pattern(4096));
    display.gundong()->setValue(300);
    display.comp_Click();
    EXPECT_EQ(state.SamplesPerScreen, 40);
    EXPECT_EQ(display.gundong()->value(), 0);
    EXPECT_TRUE(display.expcom()->isEnabled());

    state.SamplesPerScreen = 800;
    display.comp_Click();
    EXPECT_EQ(state.SamplesPerScreen, 800);
    EXPECT_FALSE(display.comp()->isEnabled());

    state.SamplesPerScreen = 40;
    display.expcom_Click();
    EXPECT_EQ(state.SamplesPerScreen, 20);
    EXPECT_TRUE(display.comp()->isEnabled());
    EXPECT_TRUE(display.expcom()->isEnabled());
    display.expcom_Click();
    EXPECT_EQ(state.SamplesPerScreen, 20);
    EXPECT_FALSE(display.expcom()->isEnabled());
}

TEST_F(DisplayFixture, ShortCaptureZoomedOutNeverScrollsBelowZero) {
    state.SampleWidth = 2;
    state.SampleBytes = 128;
    state.TransferCommand = 0xAC;
    sample(pattern(128));
    for (int i = 0; i < 45; ++i) display.comp_Click();
    EXPECT_EQ(state.SamplesPerScreen, 800);
    EXPECT_EQ(display.gundong()->minimum(), 0);
    EXPECT_EQ(display.gundong()->maximum(), 0);
    EXPECT_EQ(display.lastPicture().texts.size(), 7u);
}

TEST_F(DisplayFixture, ClearDisablesTheDisplayAndKeepsTheSamples) {
    sample(pattern(4096));
    display.comp_Click();
    const auto samples = state.SampleData;
    device.input_ = "left over";
    display.Command2_Click();
    EXPECT_FALSE(display.xianshi()->isEnabled());
    EXPECT_FALSE(display.gundong()->isEnabled());
    EXPECT_FALSE(display.comp()->isEnabled());
    EXPECT_FALSE(display.expcom()->isEnabled());
    EXPECT_EQ(state.SamplesPerScreen, 20);
    EXPECT_TRUE(state.RawBytes.isEmpty());
    EXPECT_EQ(state.SampleData, samples);
    EXPECT_TRUE(device.input_.isEmpty());
    EXPECT_EQ(display.Combofre()->currentText(), "50MHz");

    display.save_date_Click();
    ASSERT_EQ(prompter.messages().size(), 2u);  // the reset box, then this one
    EXPECT_EQ(prompter.messages()[1].text, "没有可保存的数据！！");
    EXPECT_EQ(prompter.messages()[1].title, " 信息提示！");
}

TEST_F(DisplayFixture, ReadoutAndCrosshairThatErasesItself) {
    sample(pattern(4096));
    QStringList seen;
    QObject::connect(&display, &SamplingDisplay::readoutChanged, [&](const QString& t, const QString& s) { seen << t + "/" + s; });
    const QImage plain = display.xianshi()->image();
    display.xianshi_MouseMove(state.PlotLeft + 10, state.PlotTop + 400);
    EXPECT_EQ(seen.last(), "0.00微秒/1");
    EXPECT_NE(display.xianshi()->image(), plain);
    display.xianshi_MouseMove(state.PlotRight + 5, 10);  // outside: readout only
    EXPECT_EQ(seen.last(), "0.40微秒/20");
    display.xianshi_MouseMove(state.PlotLeft + 5 * columnWidth(state) + 1, state.PlotTop + 400);
    display.xianshi_MouseMove(state.PlotLeft + 10, state.PlotTop + 400);
    display.gundong()->setValue(1);  // a redraw forgets the crosshair
    display.gundong()->setValue(0);
    EXPECT_EQ(display.xianshi()->image(), plain);
}

TEST_F(DisplayFixture, DataFileRoundTripReproducesThePlot) {
    state.SampleWidth = 4;
    state.SampleBytes = 256;
    state.TransferCommand = 0xAD;
    sample(pattern(256));
    display.gundong()->setValue(200);
    const auto shownAt200 = display.lastPicture().lines;
    prompter.answerFile(path("capture.txt"));
    display.save_date_Click();
    const auto saved = prompter.asked().back().file;
    EXPECT_EQ(saved.title, "保存文件为");
    EXPECT_EQ(saved.filter, "Text (*.txt)|*.txt");
    EXPECT_EQ(saved.defaultExt, "txt");

    for (auto& row : state.SampleData) row.fill(0);
    state.SampleWidth = 8;
    state.SampleBytes = 4096;
    prompter.answerFile(path("capture.txt"));
    display.load_date_Click();
    EXPECT_EQ(prompter.asked().back().file.title, "打开文件");
    EXPECT_EQ(state.SampleWidth, 4);
    EXPECT_EQ(state.SampleBytes, 256);
    EXPECT_EQ(display.gundong()->value(), 0);
    display.gundong()->setValue(200);
    EXPECT_EQ(display.lastPicture().lines, shownAt200);
}

TEST_F(DisplayFixture, BadDataFilesChangeNothing) {
    sample(pattern(4096));
    display.gundong()->setValue(7);
    const auto samples = state.SampleData;
    const auto lines = display.lastPicture().lines;
    QByteArray good = writeSampleDataFile(state);
    const std::pair<const char*, QByteArray> files[] = {
        {"unquoted.txt", "zodud,2002.7\r\n8\r\n1\r\n4096\r\n"},
        {"truncated.txt", good.left(good.size() / 2)},
        {"width3.txt", QByteArray(good).replace("\r\n8\r\n", "\r\n3\r\n")},
    };
    for (const auto& [name, bytes] : files) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        prompter.answerFile(path(name));
        display.load_date_Click();
        EXPECT_EQ(prompter.messages().back().text, "文件格式不符！！") << name;
        EXPECT_EQ(state.SampleData, samples);
        EXPECT_EQ(state.SampleWidth, 8);
        EXPECT_EQ(display.gundong()->value(), 7);
        EXPECT_EQ(display.lastPicture().lines, lines);
    }

    prompter.answerFile(path("missing.txt"));
    display.load_date_Click();
    EXPECT_EQ(prompter.messages().back().text, QString("文件 \"%1\" 已被打开、被保护或已损坏，无法打开！！").arg(path("missing.txt")));
    prompter.answerFile(path("no/such/folder/out.txt"));
    display.save_date_Click();
    EXPECT_TRUE(prompter.messages().back().text.startsWith("文件 \""));
}

// A disk that fills up during the save (the file size limit stands in for
// it): the data file and the picture each get the system's reason, not the
// text for a file that cannot be opened, and no part of either is left.
TEST_F(DisplayFixture, AFailedWriteTellsTheSystemsReasonAndLeavesNoFile) {
    sample(pattern(4096));
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    const struct {
        const char* name;
        void (SamplingDisplay::*save)();
    } saves[] = {{"data.txt", &SamplingDisplay::save_date_Click}, {"plot.bmp", &SamplingDisplay::save_picture_Click}};
    for (const auto& c : saves) {
        SCOPED_TRACE(c.name);
        prompter.answerFile(path(c.name));
        {
            testsupport::FileSizeLimit limit(1000);
            ASSERT_TRUE(limit.ok());
            (display.*c.save)();
        }
        EXPECT_EQ(prompter.messages().back().text,
                  QString("文件 \"%1\" 写入失败：%2").arg(path(c.name), tooLarge));
        EXPECT_EQ(prompter.messages().back().title, QStringLiteral(" 信息提示！"));
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
}

TEST_F(DisplayFixture, PictureIsSavedAsABitmapOfTheCanvas) {
    sample(pattern(4096));
    prompter.answerFile(path("plot.bmp"));
    display.save_picture_Click();
    EXPECT_EQ(prompter.asked().back().file.filter, "Pictures (*.bmp)|*.bmp");
    QImage back(path("plot.bmp"), "BMP");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), display.xianshi()->image().size());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), display.xianshi()->image());
    prompter.answerFile(std::nullopt);
    display.save_picture_Click();  // cancel: nothing
}

}  // namespace
}  // namespace sampler
