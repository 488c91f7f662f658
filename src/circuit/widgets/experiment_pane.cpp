#include "circuit/widgets/experiment_pane.h"

#include <QLayout>

#include <array>

#include "circuit/experiment_text.h"
#include "circuit/widgets/band_bar.h"
#include "circuit/widgets/circuit_parts.h"
#include "circuit/widgets/form7.h"
#include "circuit/widgets/pane_layout.h"
#include "platform/twips.h"
#include "platform/widgets/rich_text_box.h"
#include "view/widgets/user_control1.h"

namespace circuit::widgets {

namespace {

// Reads a text of the data folder into `box`; false when it cannot be shown.
bool loadText(platform::RichTextBox& box, const std::string& fileName) {
    const std::optional<QByteArray> bytes = circuit::readExperimentText(fileName);
    if (!bytes) return false;
    box.setRichText(QByteArrayView(*bytes));
    return true;
}

}  // namespace

int textBandLength(int barHeightPx, int textCount, int twipsPerPixel) {
    if (textCount < 1) return 0;
    return platform::twipsToPx(platform::pxToTwips(barHeightPx, twipsPerPixel) / textCount, twipsPerPixel);
}

ExperimentPane::ExperimentPane(Form7& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("ExperimentPane"));
    coolBar3_ = new BandBar(Qt::Vertical, window.Picture3());
    coolBar3_->setObjectName(QStringLiteral("CoolBar3"));
    window.Picture3()->layout()->addWidget(coolBar3_);
}

ExperimentPane* ExperimentPane::of(const Form7& window) {
    return window.findChild<ExperimentPane*>(QStringLiteral("ExperimentPane"), Qt::FindDirectChildrenOnly);
}

platform::RichTextBox* ExperimentPane::RichTextBox1(int t) const {
    return t >= 0 && t < static_cast<int>(texts_.size()) ? texts_[static_cast<std::size_t>(t)] : nullptr;
}

void ExperimentPane::removeTexts() {
    coolBar3_->removeBands();
    texts_.clear();
}

void ExperimentPane::leaveExperiment() {
    coolBar3_->setEnabled(false);
    removeTexts();
}

void ExperimentPane::showExperiment(int32_t labNumber) {
    const std::vector<schematic::LabEntry>& labs = window_.Setup().Labs;
    if (labNumber < 0 || labNumber >= static_cast<int32_t>(labs.size())) return;
    const schematic::LabEntry& lab = labs[static_cast<std::size_t>(labNumber)];
    BandBar* bar = window_.CoolBar1();
    const std::array<bool, 5> before = bandsShown(*bar);
    const int diagramBefore = heldDiagram();

    showTexts(lab);
    showDiagram(labNumber, !lab.DiagramFile.empty());

    // A band that came or went has changed every drawing's room: all of them
    // are fitted anew. Otherwise only a diagram that has just come in is.
    if (bandsShown(*bar) != before) {
        window_.AllDispSchFileForm();
    } else if (const int k = heldDiagram(); bar->isBandVisible(kDiagramBand) && k != diagramBefore) {
        if (view::UserControl1* v = window_.UserControl11(k)) v->AllDispSchFile();
    }
}

void ExperimentPane::showTexts(const schematic::LabEntry& lab) {
    coolBar3_->setUpdatesEnabled(false);
    removeTexts();
    coolBar3_->setEnabled(true);
    coolBar3_->setUpdatesEnabled(true);
    window_.CoolBar1()->setBandVisible(kTextsBand, true);

    const int count = lab.TextCount();
    const int length = textBandLength(coolBar3_->height(), count, platform::screenTwipsPerPixel());
    for (int t = 0; t < count; ++t) {
        const auto i = static_cast<std::size_t>(t);
        auto* box = new platform::RichTextBox;
        box->setObjectName(QStringLiteral("RichTextBox1_%1").arg(t));
        box->setReadOnly(true);
        const QString caption = i < lab.TextTitles.size() ? QString::fromStdString(lab.TextTitles[i]) : QString();
        const int band = coolBar3_->addBand(caption, box, length);
        // The texts share what the bar gains or loses alike.
        coolBar3_->setStretchFactor(band - 1, 1);
        texts_.push_back(box);
        if (!loadText(*box, lab.TextFiles[i])) {
            box->setText(QString::fromUtf16(kTextNotFound));
            coolBar3_->setBandVisible(band, false);
            if (count == 1) window_.CoolBar1()->setBandVisible(kTextsBand, false);
        }
    }
    // Every text the same length; a hidden one leaves its length to the others.
    if (count > 0) coolBar3_->setSizes(QList<int>(count, length));
}

int ExperimentPane::heldDiagram() const {
    QWidget* held = window_.CoolBar1()->bandChild(kDiagramBand);
    if (!held) return 0;
    for (int k = 2; k < static_cast<int>(window_.Setup().Labs.size()) + 2; ++k)
        if (window_.Picture1(k) == held) return k;
    return 0;
}

void ExperimentPane::showDiagram(int32_t labNumber, bool hasDiagram) {
    BandBar* bar = window_.CoolBar1();
    const int p = heldDiagram();
    const int k = labNumber + 2;
    auto hide = [this](int n) {
        if (view::UserControl1* v = window_.UserControl11(n)) v->hide();
        if (QWidget* box = window_.Picture1(n)) box->hide();
    };
    if (!hasDiagram) {
        if (p != 0) hide(p);
        bar->setBandVisible(kDiagramBand, false);
        return;
    }
    if (QWidget* box = window_.Picture1(k)) {
        bar->setBandChild(kDiagramBand, box);
        box->show();
        if (view::UserControl1* v = window_.UserControl11(k)) v->show();
    }
    if (p != 0 && p != k) hide(p);
    bar->setBandVisible(kDiagramBand, true);
    // The diagram's picture box has just joined the band: sized now, so that a fit sees its size.
    if (QLayout* layout = bar->band(kDiagramBand)->layout()) layout->activate();
}

void installExperimentParts(CircuitParts& parts) {
    parts.attachWindow = [](Form7& w) {
        new ExperimentPane(w);
        new PaneLayout(w);
        // Band 4 stays empty, and hidden, until an experiment with a diagram is chosen.
        w.CoolBar1()->setBandVisible(kDiagramBand, false);
    };
    parts.showExperiment = [](Form7& w, int32_t labNumber) {
        if (ExperimentPane* pane = ExperimentPane::of(w)) pane->showExperiment(labNumber);
    };
    parts.leaveExperiment = [](Form7& w) {
        if (ExperimentPane* pane = ExperimentPane::of(w)) pane->leaveExperiment();
    };
}

}  // namespace circuit::widgets
