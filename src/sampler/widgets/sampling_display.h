#pragma once
// The 8-channel sampling display: the plot canvas with its scroll bar, the
// channel labels, the operation buttons, the rate box and the info strip, and
// the commands of its menus.

#include "sampler/custom_sampling.h"
#include "sampler/plot_renderer.h"
#include "sampler/sampler_device.h"
#include "sampler/sampler_state.h"
#include "sampler/sampling_exchange.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace sampler {

class TwipsCanvas;

class SamplingDisplay : public QWidget {
    Q_OBJECT
public:
    explicit SamplingDisplay(SamplerState& state, QWidget* parent = nullptr);

    SamplerState& state() { return state_; }
    // The device link behind "采样" and "清空"; without one (nullptr) they
    // behave as with no port ready and a closed port.
    void setDevice(SamplerDevice* device) { device_ = device; }
    void setExchangeLimits(const ExchangeLimits& limits) { limits_ = limits; }

    // Shows the samples from the first one: time axis, scroll range, redraw.
    void ShowSampleData();
    void SetChannelLabels(int channelCount);
    void setInfoStrip(const InfoStrip& strip);

    // Command handlers.
    void Command1_Click();   // "采样"
    void comp_Click();       // "《 压缩(C)"
    void expcom_Click();     // "扩展(E) 》"
    void Command2_Click();   // "清空"
    void gundong_Change();
    void xianshi_MouseMove(double x, double y);
    void save_picture_Click();
    void save_date_Click();
    void load_date_Click();
    void owns_Click();       // "自定义"

    // The controls, for the host window and for tests.
    TwipsCanvas* xianshi() const { return xianshi_; }
    QScrollBar* gundong() const { return gundong_; }
    QPushButton* comp() const { return comp_; }
    QPushButton* expcom() const { return expcom_; }
    QPushButton* sampleButton() const { return command1_; }
    QPushButton* clearButton() const { return command2_; }
    QComboBox* Combofre() const { return combofre_; }
    QLabel* channelLabel(int i) const { return label9_[static_cast<size_t>(i)]; }
    std::array<QLabel*, 4> infoStrip() const { return {label3_, label4_, label7_, label8_}; }
    const PlotPicture& lastPicture() const { return picture_; }
    const Readout& readout() const { return readout_; }

signals:
    // Status-bar panels 3 and 4: time and sample number under the pointer.
    void readoutChanged(const QString& time, const QString& sample);

private:
    void redraw(int scroll);
    bool isShowingSamples() const;
    std::vector<PlotLine> crosshair(double x, double y) const;
    void reportUnopenable(const QString& path);
    // Writes a whole data or picture file; a file that cannot be made is
    // reported as one that cannot be opened, a write that fails later with the
    // system's reason. Either way no part of the file is left.
    void saveFile(const QString& path, const QByteArray& bytes);

    SamplerState& state_;
    SamplerDevice* device_ = nullptr;
    ExchangeLimits limits_;

    TwipsCanvas* xianshi_;
    QScrollBar* gundong_;
    std::array<QLabel*, kChannels> label9_{};
    QPushButton* comp_;
    QPushButton* expcom_;
    QPushButton* command2_;
    QPushButton* command1_;
    QCheckBox* check1_;
    QComboBox* combofre_;
    QLabel* label3_;
    QLabel* label4_;
    QLabel* label7_;
    QLabel* label8_;

    PlotPicture picture_;
    Readout readout_;
    double crossX_ = -10, crossY_ = -10;
};

}  // namespace sampler
