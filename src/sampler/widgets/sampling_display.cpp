#include "sampler/widgets/sampling_display.h"

#include "platform/prompter.h"
#include "platform/twips.h"
#include "platform/whole_file.h"
#include "sampler/sample_data_file.h"
#include "sampler/sample_rate_table.h"
#include "sampler/time_axis.h"
#include "sampler/widgets/form2.h"
#include "sampler/widgets/twips_canvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace sampler {
namespace {

// Placement in twips. The canvas is 9600 x 5400 twips; everything else stands
// around it.
constexpr int kMargin = 120;
constexpr int kChannelFrameWidth = 1080;
constexpr int kCanvasX = kMargin + kChannelFrameWidth + kMargin;
constexpr int kCanvasY = kMargin;
constexpr int kCanvasWidth = 9600;
constexpr int kCanvasHeight = 5400;
constexpr int kScrollHeight = 255;
constexpr int kSideX = kCanvasX + kCanvasWidth + kMargin;
constexpr int kSideWidth = 1800;
constexpr int kButtonWidth = 1560;
constexpr int kButtonHeight = 375;
constexpr int kRowHeight = 300;

// A data file is a few dozen kilobytes; anything far larger is not one.
constexpr qint64 kLargestDataFile = 4 * 1024 * 1024;

const QString kInfoTitle = QStringLiteral(" 信息提示！");

}  // namespace

SamplingDisplay::SamplingDisplay(SamplerState& state, QWidget* parent) : QWidget(parent), state_(state) {
    const int tpp = platform::screenTwipsPerPixel();
    auto px = [tpp](int twips) { return platform::twipsToPx(twips, tpp); };
    auto place = [&](QWidget* w, int x, int y, int width, int height) { w->setGeometry(px(x), px(y), px(width), px(height)); };

    auto* channels = new QGroupBox(QStringLiteral("通道信息"), this);
    place(channels, kMargin, kCanvasY - 60, kChannelFrameWidth, kCanvasHeight + 60);

    xianshi_ = new TwipsCanvas(tpp, this);
    xianshi_->setObjectName(QStringLiteral("xianshi"));
    place(xianshi_, kCanvasX, kCanvasY, kCanvasWidth, kCanvasHeight);
    setPlotLimits(state_, xianshi_->innerWidthTwips(), xianshi_->innerHeightTwips());
    connect(xianshi_, &TwipsCanvas::mouseMovedTwips, this, &SamplingDisplay::xianshi_MouseMove);

    gundong_ = new QScrollBar(Qt::Horizontal, this);
    gundong_->setObjectName(QStringLiteral("gundong"));
    place(gundong_, kCanvasX, kCanvasY + kCanvasHeight, kCanvasWidth, kScrollHeight);
    gundong_->setRange(0, 4096);
    gundong_->setValue(1);
    connect(gundong_, &QScrollBar::valueChanged, this, [this] { gundong_Change(); });

    // One label slot per band of an 8-channel plot, level with its band.
    const double slot = double(state_.PlotBottom - state_.PlotTop) / kChannels;
    for (int i = 0; i < kChannels; ++i) {
        auto* label = new QLabel(channelLabelsFor(8).texts[static_cast<size_t>(i)], this);
        label->setObjectName(QStringLiteral("Label9_%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        const int centre = kCanvasY + state_.PlotTop + static_cast<int>((i + 0.5) * slot);
        place(label, kMargin + 60, centre - kRowHeight / 2, kChannelFrameWidth - 120, kRowHeight);
        label9_[static_cast<size_t>(i)] = label;
    }

    auto* operations = new QGroupBox(QStringLiteral("实验操作"), this);
    operations->setObjectName(QStringLiteral("Frame_operations"));
    place(operations, kSideX, kCanvasY - 60, kSideWidth, 300 + 4 * (kButtonHeight + kMargin));
    auto button = [&](const QString& text, const char* name, int row) {
        auto* b = new QPushButton(text, operations);
        b->setObjectName(QLatin1String(name));
        place(b, (kSideWidth - kButtonWidth) / 2, 300 + row * (kButtonHeight + kMargin), kButtonWidth, kButtonHeight);
        return b;
    };
    comp_ = button(QStringLiteral("《 压缩(C)"), "comp", 0);
    expcom_ = button(QStringLiteral("扩展(E) 》"), "expcom", 1);
    command2_ = button(QStringLiteral("清空"), "Command2", 2);
    command1_ = button(QStringLiteral("采样"), "Command1", 3);
    check1_ = new QCheckBox(QStringLiteral("采样时复位"), operations);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setChecked(true);
    check1_->hide();
    connect(comp_, &QPushButton::clicked, this, &SamplingDisplay::comp_Click);
    connect(expcom_, &QPushButton::clicked, this, &SamplingDisplay::expcom_Click);
    connect(command2_, &QPushButton::clicked, this, &SamplingDisplay::Command2_Click);
    connect(command1_, &QPushButton::clicked, this, &SamplingDisplay::Command1_Click);

    const int infoY = kCanvasY - 60 + operations->height() * tpp + kMargin;
    auto* info = new QGroupBox(QStringLiteral("实验信息"), this);
    info->setObjectName(QStringLiteral("Frame_info"));
    place(info, kSideX, infoY, kSideWidth, 300 + 5 * (kRowHeight + 60) + 60);
    combofre_ = new QComboBox(info);
    combofre_->setObjectName(QStringLiteral("Combofre"));
    combofre_->setEditable(true);
    combofre_->addItems(sampleRateTexts());
    combofre_->setCurrentText(QStringLiteral("50MHz"));
    place(combofre_, (kSideWidth - kButtonWidth) / 2, 300, kButtonWidth, kRowHeight);
    std::array<QLabel**, 4> strip{&label3_, &label4_, &label7_, &label8_};
    const char* names[] = {"Label3", "Label4", "Label7", "Label8"};
    for (int i = 0; i < 4; ++i) {
        *strip[static_cast<size_t>(i)] = new QLabel(info);
        (*strip[static_cast<size_t>(i)])->setObjectName(QLatin1String(names[i]));
        place(*strip[static_cast<size_t>(i)], (kSideWidth - kButtonWidth) / 2, 300 + (i + 1) * (kRowHeight + 60), kButtonWidth,
              kRowHeight);
    }

    const int height = std::max(kCanvasY + kCanvasHeight + kScrollHeight, infoY + info->height() * tpp) + kMargin;
    setFixedSize(px(kSideX + kSideWidth + kMargin), px(height));

    // Empty until samples are shown.
    xianshi_->setEnabled(false);
    gundong_->setEnabled(false);
    comp_->setEnabled(false);
    expcom_->setEnabled(false);
}

void SamplingDisplay::ShowSampleData() {
    xianshi_->show();
    xianshi_->setEnabled(true);
    gundong_->show();
    gundong_->setEnabled(true);
    state_.TimeAxis = buildTimeAxis(state_.SampleBytes + 1, state_.SampleWidth, state_.RateDivisor);
    {
        const QSignalBlocker block(gundong_);
        gundong_->setMinimum(0);
        gundong_->setMaximum(scrollMaximum(state_));
        gundong_->setPageStep(100);
        gundong_->setSingleStep(1);
        gundong_->setValue(0);
    }
    gundong_Change();
}

void SamplingDisplay::gundong_Change() { redraw(gundong_->value()); }

void SamplingDisplay::redraw(int scroll) {
    xianshi_->clear();
    crossX_ = crossY_ = -10;
    picture_ = renderPlot(state_, scroll, xianshi_->twipsPerPixel());
    xianshi_->drawPicture(picture_, [this](int c) { return samplerColour(state_, c); });
}

void SamplingDisplay::SetChannelLabels(int channelCount) {
    const auto labels = channelLabelsFor(channelCount);
    for (int i = 0; i < kChannels; ++i) {
        auto* label = label9_[static_cast<size_t>(i)];
        label->setVisible(labels.visible[static_cast<size_t>(i)]);
        if (labels.visible[static_cast<size_t>(i)]) label->setText(labels.texts[static_cast<size_t>(i)]);
    }
}

void SamplingDisplay::setInfoStrip(const InfoStrip& strip) {
    label3_->setText(strip.experiment);
    label4_->setText(strip.rate);
    label7_->setText(strip.length);
    label8_->setText(strip.width);
}

void SamplingDisplay::Command1_Click() {
    struct NoDevice : SamplerDevice {
        bool portReady() const override { return false; }
        bool isOpen() const override { return false; }
        int open() override { return 0; }
        int baudRate() const override { return 0; }
        void sendCommByte(uint8_t) override {}
        void reportCommError(int) override {}
        qint64 bytesToWrite() override { return 0; }
        bool waitForBytesWritten(int) override { return false; }
        qint64 bytesAvailable() override { return 0; }
        bool waitForReadyRead(int) override { return false; }
        QByteArray readAll() override { return {}; }
        void holdLinkDispatch(bool) override {}
    } none;
    SamplerDevice& device = device_ ? *device_ : none;
    if (runSamplingExchange(state_, device, combofre_->currentText(), limits_) == ExchangeOutcome::Received) {
        comp_->setEnabled(true);
        ShowSampleData();
    }
}

void SamplingDisplay::comp_Click() {
    if (state_.SamplesPerScreen >= 800) {
        comp_->setEnabled(false);
        return;
    }
    state_.SamplesPerScreen += 20;
    expcom_->setEnabled(true);
    ShowSampleData();
}

void SamplingDisplay::expcom_Click() {
    if (state_.SamplesPerScreen < 40) {
        expcom_->setEnabled(false);
        return;
    }
    state_.SamplesPerScreen -= 20;
    comp_->setEnabled(true);
    ShowSampleData();
}

void SamplingDisplay::Command2_Click() {
    if (device_ && device_->isOpen()) {
        do device_->readAll();
        while (device_->bytesAvailable() > 0);
    }
    state_.RawBytes.clear();
    xianshi_->clear();
    picture_ = {};
    gundong_->setEnabled(false);
    xianshi_->setEnabled(false);
    comp_->setEnabled(false);
    expcom_->setEnabled(false);
    state_.SamplesPerScreen = 20;
}

std::vector<PlotLine> SamplingDisplay::crosshair(double x, double y) const {
    const double right = state_.PlotLeft + state_.SamplesPerScreen * columnWidth(state_);
    const double bottom = state_.PlotTop + state_.SampleWidth * 2 * halfBandHeight(state_);
    return {{double(state_.PlotLeft), y, right, y, 9}, {x, double(state_.PlotTop), x, bottom, 9}};
}

void SamplingDisplay::xianshi_MouseMove(double x, double y) {
    readout_ = readoutAt(state_, x);
    emit readoutChanged(readout_.time, readout_.sample);
    if (x >= state_.PlotLeft && x <= state_.PlotRight && y >= state_.PlotTop && y <= state_.PlotBottom) {
        const uint32_t rgb = samplerColour(state_, 9);
        // Drawing the old crosshair again erases it.
        xianshi_->xorLines(crosshair(crossX_, crossY_), rgb);
        xianshi_->xorLines(crosshair(x, y), rgb);
        crossX_ = x;
        crossY_ = y;
    }
}

bool SamplingDisplay::isShowingSamples() const { return !xianshi_->isHidden() && xianshi_->isEnabled(); }

void SamplingDisplay::reportUnopenable(const QString& path) {
    platform::MsgBox(QStringLiteral("文件 \"%1\" 已被打开、被保护或已损坏，无法打开！！").arg(QDir::toNativeSeparators(path)),
                     platform::MsgButtons::Ok, kInfoTitle, platform::MsgIcon::Information);
}

void SamplingDisplay::saveFile(const QString& path, const QByteArray& bytes) {
    const platform::WholeFileWrite written = platform::writeWholeFile(path, bytes);
    if (written.ok) return;
    if (!written.opened) return reportUnopenable(path);
    platform::MsgBox(QStringLiteral("文件 \"%1\" 写入失败：%2").arg(QDir::toNativeSeparators(path), written.error),
                     platform::MsgButtons::Ok, kInfoTitle, platform::MsgIcon::Information);
}

void SamplingDisplay::save_picture_Click() {
    platform::FileRequest request;
    request.title = QStringLiteral("保存文件为");
    request.filter = QStringLiteral("Pictures (*.bmp)|*.bmp");
    request.defaultExt = QStringLiteral("bmp");
    request.flags = 1091590;
    const auto path = platform::prompter().saveFile(request);
    if (!path || path->isEmpty()) return;
    saveFile(*path, xianshi_->bitmap());
}

void SamplingDisplay::save_date_Click() {
    if (!isShowingSamples()) {
        platform::MsgBox(QStringLiteral("没有可保存的数据！！"), platform::MsgButtons::Ok, kInfoTitle,
                         platform::MsgIcon::Information);
        return;
    }
    platform::FileRequest request;
    request.title = QStringLiteral("保存文件为");
    request.filter = QStringLiteral("Text (*.txt)|*.txt");
    request.defaultExt = QStringLiteral("txt");
    request.flags = 1091590;
    const auto path = platform::prompter().saveFile(request);
    if (!path || path->isEmpty()) return;
    saveFile(*path, writeSampleDataFile(state_));
}

void SamplingDisplay::load_date_Click() {
    platform::FileRequest request;
    request.title = QStringLiteral("打开文件");
    request.filter = QStringLiteral("Text (*.txt)|*.txt");
    request.defaultExt = QStringLiteral("txt");
    request.flags = 1091590;
    const auto path = platform::prompter().openFile(request);
    if (!path || path->isEmpty()) return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportUnopenable(*path);
        return;
    }
    const QByteArray bytes = file.size() > kLargestDataFile ? QByteArray() : file.readAll();
    // Nothing of the file is taken before all of it has been checked.
    const auto parsed = parseSampleDataFile(bytes);
    if (parsed.error != SampleFileError::None) {
        platform::MsgBox(QStringLiteral("文件格式不符！！"), platform::MsgButtons::Ok, kInfoTitle,
                         platform::MsgIcon::Information);
        return;
    }
    commitSampleFile(state_, parsed.content);
    comp_->setEnabled(true);
    ShowSampleData();
}

void SamplingDisplay::owns_Click() { Form2::instance()->showCustomSampling(this); }

}  // namespace sampler
