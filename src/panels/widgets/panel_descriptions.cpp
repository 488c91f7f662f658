#include "panels/widgets/panel_descriptions.h"

#include <QStringList>

#include <initializer_list>

namespace panels {
namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QString heading(const char* text) { return u("<p style='margin-top:6px'><b>%1</b></p>").arg(u(text)); }

QString paragraph(const char* text) { return u("<p>%1</p>").arg(u(text)); }

// A truth table: the first row is the header.
QString table(std::initializer_list<std::initializer_list<const char*>> rows) {
    QString html = u("<table border='1' cellspacing='0' cellpadding='3' style='border-collapse:collapse'>");
    bool header = true;
    for (const auto& row : rows) {
        html += u("<tr>");
        for (const char* cell : row) html += u(header ? "<th>%1</th>" : "<td align='center'>%1</td>").arg(u(cell));
        html += u("</tr>");
        header = false;
    }
    return html + u("</table>");
}

QString document(const QString& body) {
    return u("<html><body style=\"font-family:'宋体'; font-size:10.5pt\">") + body + u("</body></html>");
}

const char* const kInputHint =
    "白色输入框可手动输入电平值，输入0表示低电平，输入其它任意值将视为输入1，表示高电平。";
const char* const kOutputHint = "输出框将显示器件输出电平，不能被更改。";
const char* const kThreeStateOutputHint =
    "输出框将显示器件输出电平，0表示低电平，1表示高电平，Hz表示高阻，不能被更改。";

QString operation(const char* outputHint) {
    return heading("操作说明：") + paragraph(kInputHint) + paragraph(outputHint);
}

QString ls00() {
    return heading("器件说明：") +
           paragraph("74LS00为四2输入与非门，内含四个相互独立的与非门。输入端：1脚A1、2脚B1、4脚A2、5脚B2、"
                     "9脚A3、10脚B3、12脚A4、13脚B4；输出端：3脚Y1、6脚Y2、8脚Y3、11脚Y4；"
                     "14脚VCC接+5V电源，7脚GND接地。") +
           paragraph("逻辑关系：Y = NOT (A AND B)，真值表如下（0表示低电平，1表示高电平）：") +
           table({{"A", "B", "Y"}, {"0", "0", "1"}, {"0", "1", "1"}, {"1", "0", "1"}, {"1", "1", "0"}}) +
           operation(kOutputHint);
}

QString ls138() {
    return heading("器件说明：") +
           paragraph("74LS138为3线-8线译码器。输入端：1脚A、2脚B、3脚C为译码输入（C为高位），"
                     "6脚G1、4脚/G2A、5脚/G2B为使能输入；输出端：15脚/Y0、14脚/Y1、13脚/Y2、12脚/Y3、"
                     "11脚/Y4、10脚/Y5、9脚/Y6、7脚/Y7，低电平有效；16脚VCC接+5V电源，8脚GND接地。") +
           paragraph("真值表如下（0表示低电平，1表示高电平，X表示任意电平）：") +
           table({{"G1", "/G2A", "/G2B", "C B A", "/Y0～/Y7"},
                  {"X", "1", "X", "X X X", "全部为1"},
                  {"X", "X", "1", "X X X", "全部为1"},
                  {"0", "X", "X", "X X X", "全部为1"},
                  {"1", "0", "0", "0 0 0", "/Y0为0，其余为1"},
                  {"1", "0", "0", "0 0 1", "/Y1为0，其余为1"},
                  {"1", "0", "0", "0 1 0", "/Y2为0，其余为1"},
                  {"1", "0", "0", "0 1 1", "/Y3为0，其余为1"},
                  {"1", "0", "0", "1 0 0", "/Y4为0，其余为1"},
                  {"1", "0", "0", "1 0 1", "/Y5为0，其余为1"},
                  {"1", "0", "0", "1 1 0", "/Y6为0，其余为1"},
                  {"1", "0", "0", "1 1 1", "/Y7为0，其余为1"}}) +
           operation(kOutputHint);
}

QString ls244() {
    return heading("器件说明：") +
           paragraph("74LS244为八同相三态缓冲器，分为两组，每组四路。第一组：1脚/OC1为输出允许，"
                     "2、4、6、8脚1A0～1A3为输入，18、16、14、12脚1Y0～1Y3为输出；第二组：19脚/OC2为输出允许，"
                     "11、13、15、17脚2A0～2A3为输入，9、7、5、3脚2Y0～2Y3为输出；20脚VCC接+5V电源，10脚GND接地。") +
           paragraph("每组的真值表如下（0表示低电平，1表示高电平，X表示任意电平，Z表示高阻）：") +
           table({{"/OC", "A", "Y"}, {"0", "0", "0"}, {"0", "1", "1"}, {"1", "X", "Z"}}) +
           operation(kThreeStateOutputHint);
}

QString ls374() {
    return heading("器件说明：") +
           paragraph("74LS374为八D型触发器（时钟上升沿触发），输出为三态。3、4、7、8、13、14、17、18脚D0～D7为数据输入，"
                     "2、5、6、9、12、15、16、19脚Q0～Q7为输出，11脚CP为时钟输入，1脚/OC为输出允许（低电平有效）；"
                     "20脚VCC接+5V电源，10脚GND接地。") +
           paragraph("真值表如下（0表示低电平，1表示高电平，X表示任意电平，Z表示高阻，↑表示上升沿）：") +
           table({{"/OC", "CP", "D", "Q"},
                  {"0", "↑", "1", "1"},
                  {"0", "↑", "0", "0"},
                  {"0", "0或1", "X", "保持原值"},
                  {"1", "X", "X", "Z（内部寄存器仍随CP变化）"}}) +
           operation(kThreeStateOutputHint);
}

const char* const kMemoryInputHint =
    "输入框或输入状态下的输入/输出框可手动输入电平值，输入0表示低电平，输入其它任意值将视为输入1，表示高电平。";
const char* const kMemoryOutputHint =
    "输出框或输出状态下的输入/输出框将显示器件输出电平，0表示低电平，1表示高电平，Hz表示高阻，不能被更改。";
const char* const kListHint =
    "存储单元列表中，先单击选中某一单元，再单击其数据即可修改该单元的值，按回车键确认，按Esc键取消；"
    "输入的数值以B结尾表示二进制数，以H结尾表示十六进制数，否则为十进制数。";
const char* const kProgramHint =
    "只有未写过的单元才能编程写入；按“数据擦除”按钮可将整个芯片恢复为全1（0FFH），之后才能再次编程。";

QString ram6116() {
    return heading("器件说明：") +
           paragraph("6116为2K×8位静态随机存储器（RAM）。19、22、23、1～8脚A10～A0为地址输入，"
                     "17～13、11～9脚D7～D0为数据输入/输出，18脚/CS为片选，20脚/CE为输出允许，21脚/WE为写允许；"
                     "24脚VCC接+5V电源，12脚GND接地。") +
           paragraph("真值表如下（0表示低电平，1表示高电平，X表示任意电平，Z表示高阻）：") +
           table({{"/CS", "/CE", "/WE", "A10～0", "D7～0"},
                  {"1", "X", "X", "X", "Z"},
                  {"X", "1", "X", "X", "Z"},
                  {"0", "0", "1", "地址", "输出该单元内容"},
                  {"0", "0", "0", "地址", "数据输入该单元"}}) +
           heading("操作说明：") + paragraph(kMemoryInputHint) + paragraph(kMemoryOutputHint) + paragraph(kListHint);
}

QString rom2732() {
    return heading("器件说明：") +
           paragraph("2732为4K×8位只读存储器（EPROM）。21、19、22、23、1～8脚A11～A0为地址输入，"
                     "17～13、11～9脚D7～D0为数据输出，18脚/CE（PGM）为片选（编程），20脚/CS（Vpp）为输出允许"
                     "（编程电压）；24脚VCC接+5V电源，12脚GND接地。") +
           paragraph("真值表如下（0表示低电平，1表示高电平，X表示任意电平，Z表示高阻，Vpp表示高于5V的编程电压）：") +
           table({{"/CS (Vpp)", "/CE (PGM)", "A11～0", "D7～0"},
                  {"1", "X", "X", "Z"},
                  {"X", "1", "X", "Z"},
                  {"0", "0", "地址", "读出该单元内容"},
                  {"Vpp", "0", "地址", "数据编程写入该单元"}}) +
           heading("操作说明：") + paragraph(kProgramHint) + paragraph(kMemoryInputHint) + paragraph(kMemoryOutputHint) +
           paragraph(kListHint);
}

}  // namespace

QString memoryDescriptionHtml(MemoryChip chip) {
    return document(chip == MemoryChip::Ram6116 ? ram6116() : rom2732());
}

QString ttlDescriptionHtml(TtlChip chip) {
    switch (chip) {
    case TtlChip::Ls00: return document(ls00());
    case TtlChip::Ls138: return document(ls138());
    case TtlChip::Ls244: return document(ls244());
    case TtlChip::Ls374: return document(ls374());
    }
    return {};
}

}  // namespace panels
