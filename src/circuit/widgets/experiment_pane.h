#pragma once
// The chosen experiment in a circuit window: its texts, one captioned band
// each in the vertical bar CoolBar3 inside Picture3, and its block diagram in
// band 4 of CoolBar1. Choosing an experiment rebuilds the texts from the data
// folder; leaving the circuit removes them and disables the bar until the
// next choice. The diagrams' views stay; band 4 shows the chosen one.

#include <QObject>

#include <cstdint>
#include <vector>

namespace platform {
class RichTextBox;
}

namespace schematic {
struct LabEntry;
}

namespace circuit::widgets {

class BandBar;
class Form7;
struct CircuitParts;

// What a text box shows when its file is missing or cannot be read.
inline const char16_t* const kTextNotFound = u"！！文件未找到或文件打开出错！！";

// The length of each of `textCount` bands sharing a bar `barHeightPx` high:
// the bar's height in whole twips divided by the count, back in pixels.
// 0 when there are no texts.
int textBandLength(int barHeightPx, int textCount, int twipsPerPixel);

class ExperimentPane : public QObject {
    Q_OBJECT
public:
    // Puts CoolBar3 into the window's Picture3; the window owns the pane.
    explicit ExperimentPane(Form7& window);

    // The pane of a window its part attached to; nullptr for any other.
    static ExperimentPane* of(const Form7& window);

    BandBar* CoolBar3() const { return coolBar3_; }
    // The box of text t of the experiment shown; nullptr when there is none.
    platform::RichTextBox* RichTextBox1(int t) const;

    // Shows experiment `labNumber` of the window's circuit: its texts, then
    // its block diagram in band 4 (band 4 hidden when it has none).
    void showExperiment(int32_t labNumber);
    // The texts go and CoolBar3 stays disabled until the next showExperiment.
    void leaveExperiment();

private:
    void removeTexts();
    void showTexts(const schematic::LabEntry& lab);
    void showDiagram(int32_t labNumber, bool hasDiagram);
    // The number k of the picture box Picture1(k) band 4 holds; 0 for none.
    int heldDiagram() const;

    Form7& window_;
    BandBar* coolBar3_ = nullptr;
    std::vector<platform::RichTextBox*> texts_;
};

// The experiment pane and the window's layout for every circuit window.
void installExperimentParts(CircuitParts& parts);

}  // namespace circuit::widgets
