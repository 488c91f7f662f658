#include "circuit/terminal_text.h"

#include "sim/simulator.h"

namespace circuit {

void TerminalText::put(int32_t code) {
    if (code >= 32 && code <= 126) {
        text_ += QChar(static_cast<char16_t>(code));
        return;
    }
    switch (code) {
        case 13: text_ += QLatin1Char('\n'); break;
        case 10:
        case 30: break;
        case 8: text_.chop(1); break;
        case 26: text_.clear(); break;
        default: text_ += QLatin1Char(' '); break;
    }
}

void TerminalText::keepLastLine() {
    const qsizetype lastBreak = text_.lastIndexOf(QLatin1Char('\n'));
    if (lastBreak >= 0) text_.remove(0, lastBreak + 1);
}

QString terminalCaption(const QString& windowCaption, int32_t ic, const QString& designator,
                        std::string_view typeName) {
    const qsizetype lab = windowCaption.indexOf(QStringLiteral("的实验"));
    const QString prefix = lab >= 0 ? windowCaption.left(lab) : windowCaption;
    // One pass, so a '%' in a caption or designator stays as it is.
    return QStringLiteral("%1 : Ic%2 : %3 : %4 输出")
        .arg(prefix, QString::number(ic), designator,
             QString::fromUtf8(typeName.data(), static_cast<qsizetype>(typeName.size())));
}

int32_t takePending8251Output(sim::Simulator& simulator, const std::function<void(uint8_t)>& each) {
    const int32_t ic = simulator.Pending8251Ic;
    if (ic <= -1 || !sim::Simulator::isIc(ic)) return -1;
    sim::IcRecord& usart = simulator.IcTable[static_cast<std::size_t>(ic)];
    const int32_t last = usart.TxLast;
    for (int32_t i = 0; i <= last && static_cast<std::size_t>(i) < usart.Memory.size(); ++i)
        each(static_cast<uint8_t>(usart.Memory[static_cast<std::size_t>(i)] & 0xFF));
    usart.TxLast = -1;
    simulator.Pending8251Ic = -1;
    return ic;
}

}  // namespace circuit
