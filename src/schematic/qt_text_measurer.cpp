#include "schematic/qt_text_measurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

namespace schematic {
namespace {

// 96 dots per inch in dots per metre.
constexpr int kDotsPerMetre96 = 3780;

}  // namespace

struct QtTextMeasurer::Impl {
    // Metrics follow the paint device's resolution; a small image fixes it.
    QImage device{1, 1, QImage::Format_RGB32};
    QFont font;

    Impl() {
        device.setDotsPerMeterX(kDotsPerMetre96);
        device.setDotsPerMeterY(kDotsPerMetre96);
    }
};

QtTextMeasurer::QtTextMeasurer() : impl_(std::make_unique<Impl>()) {}
QtTextMeasurer::~QtTextMeasurer() = default;

void QtTextMeasurer::setFont(const SchFont& font) {
    QFont f(QString::fromStdString(font.faceName));
    if (font.size > 0) f.setPointSizeF(font.size);
    f.setUnderline(font.underline != 0);
    f.setItalic(font.italic != 0);
    f.setBold(font.bold != 0);
    f.setStrikeOut(font.strikeOut != 0);
    impl_->font = f;
}

float QtTextMeasurer::widthPx(std::string_view text) {
    const QFontMetricsF metrics(impl_->font, &impl_->device);
    return static_cast<float>(
        metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

}  // namespace schematic
