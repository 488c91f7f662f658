#pragma once
// Text widths from Qt's font metrics at a fixed 96 dots per inch, so that the
// hot-element boxes do not depend on the screen the program runs on. Faces
// that are not installed resolve through the program's font substitutions.

#include <memory>

#include "schematic/text_measurer.h"

namespace schematic {

class QtTextMeasurer : public TextMeasurer {
public:
    QtTextMeasurer();
    ~QtTextMeasurer() override;

    void setFont(const SchFont& font) override;
    float widthPx(std::string_view text) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace schematic
