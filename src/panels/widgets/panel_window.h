#pragma once
// What every test panel window has: a row of two bands, the chip's fixed
// description on the left (RichTextBox1) and on the right Frame1, which keeps
// the chip drawing Frame2 centred in whatever room the window gives it.

#include <QWidget>

#include <map>
#include <string_view>

class QGroupBox;
class QLabel;
class QSplitter;
class QVBoxLayout;

namespace platform {
class RichTextBox;
}

namespace panels {

class ChipView;
class PinBox;

struct BandWidths {
    int descriptionTwips;
    int chipTwips;
    int minimumHeightTwips;  // of the chip band
};

class PanelWindow : public QWidget {
    Q_OBJECT
public:
    QSplitter* CoolBar1() const { return coolBar_; }
    platform::RichTextBox* RichTextBox1() const { return description_; }
    QWidget* Frame1() const { return frame1_; }
    QGroupBox* Frame2() const { return frame2_; }
    // Input box `index`, or nullptr where the panel has none.
    PinBox* Text1(int index) const;

protected:
    // The names come from the panel's table, in UTF-8.
    PanelWindow(std::string_view formName, std::string_view caption, std::string_view chipName,
                const BandWidths& widths, QWidget* parent);

    void setDescriptionHtml(const QString& html);
    // Frame2's contents, top to bottom.
    QVBoxLayout* chipLayout() const { return chipLayout_; }

    // An input box Text1(index), placed beside its pin; a character typed
    // in it goes to Text1_KeyPress.
    PinBox* addBox(ChipView* chip, int pin, int index, int maxLength = 1);
    virtual void Text1_KeyPress(int index, char32_t key) = 0;
    const std::map<int, PinBox*>& boxes() const { return boxes_; }
    // An output label, placed beside its pin.
    QLabel* addOutputLabel(ChipView* chip, int pin, int number);

private:
    QSplitter* coolBar_;
    platform::RichTextBox* description_;
    QWidget* frame1_;
    QGroupBox* frame2_;
    QVBoxLayout* chipLayout_;
    std::map<int, PinBox*> boxes_;
};

}  // namespace panels
