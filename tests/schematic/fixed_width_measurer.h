#pragma once
// A text measurer for tests: every character is 10 pixels wide, whatever the
// font; the fonts it was given are recorded.

#include <string>
#include <vector>

#include "schematic/text_measurer.h"
#include "schematic/utf8_text.h"

namespace schematic::schtest {

class FixedWidthMeasurer : public TextMeasurer {
public:
    explicit FixedWidthMeasurer(float perChar = 10) : perChar_(perChar) {}

    void setFont(const SchFont& font) override { fonts.push_back(font); }
    float widthPx(std::string_view text) override { return perChar_ * static_cast<float>(charCount(text)); }

    std::vector<SchFont> fonts;

private:
    float perChar_;
};

}  // namespace schematic::schtest
