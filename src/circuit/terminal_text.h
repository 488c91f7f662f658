#pragma once
// What an 8251's terminal window shows, without the window: the text the
// 8251's output has written, with the terminal's control codes, the caption
// the window takes when it is first used, and the hand-over of an 8251's
// transmit buffer to whoever passes its output on.

#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>

namespace sim {
class Simulator;
}

namespace circuit {

class TerminalText {
public:
    // One output code: 32..126 appends its character, 13 a line break, 8 takes
    // the last character back (a line break counts as one), 26 empties the
    // text, 10 and 30 do nothing, and any other code appends a blank.
    void put(int32_t code);
    // "清除内容": only what follows the last line break stays.
    void keepLastLine();
    void clear() { text_.clear(); }
    const QString& text() const { return text_; }

private:
    QString text_;
};

// The caption of 8251 `ic`'s terminal: the caption of the circuit window in
// use, cut before "的实验" when it has one, then " : Ic<ic> : <designator> :
// <type> 输出".
QString terminalCaption(const QString& windowCaption, int32_t ic, const QString& designator,
                        std::string_view typeName);

// Hands the transmit buffer of the 8251 in Pending8251Ic to `each`, byte by
// byte in order (its last index read once), then empties it: TxLast and
// Pending8251Ic become -1. Returns that 8251's number; -1, and nothing
// happens, when none is pending.
int32_t takePending8251Output(sim::Simulator& simulator, const std::function<void(uint8_t)>& each);

}  // namespace circuit
