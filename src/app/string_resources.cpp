#include "app/string_resources.h"

#include "platform/codepage.h"

#include <QLocale>

namespace app {
namespace {

// The banner's first word is set in a sans-serif face of its own.
const char16_t kBannerWord[] = u"Vuz ";
const char16_t kBannerRest[] = u"设 备 命 令 行 窗 口 ...";

QString plainOf(int id) {
    switch (id) {
        case 101: return QString::fromUtf16(kBannerWord) + QString::fromUtf16(kBannerRest) + QStringLiteral("\n\n>");
        case 102: return QStringLiteral("汇编列表输出及用户自定义扩展指令文件显示窗口...");
        case 103: return QStringLiteral("编译信息显示窗口...");
        case 104: return QStringLiteral("汇编源程序编辑、显示窗口...");
        case 105: return QStringLiteral("汇编列表输出显示窗口...");
        case 106: return QStringLiteral("编译中，请稍候。。。");
        case 107: return QStringLiteral("编译出错，请重试...");
        case 108: return QStringLiteral("测试！！");
        default: return {};
    }
}

// Text as RTF: ASCII as is (with the RTF specials escaped), everything else as
// \'hh escapes of its code page 936 bytes, line ends as \par.
QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\n') { out += "\\par\r\n"; continue; }
        if (u == '\\' || u == '{' || u == '}') { out += '\\'; out += static_cast<char>(u); continue; }
        if (u >= 0x20 && u < 0x80) { out += static_cast<char>(u); continue; }
        for (const char b : platform::toCp936(QString(ch))) {
            out += QByteArray("\\'") + QByteArray::number(static_cast<unsigned char>(b), 16).rightJustified(2, '0');
        }
    }
    return out;
}

const QByteArray kHeader =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss\\fcharset0 MS Sans Serif;}}\r\n"
    "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs24 ";

QByteArray richOf(int id) {
    const QString plain = plainOf(id);
    if (plain.isEmpty()) return {};
    QByteArray body;
    if (id == 101) {
        body = "\\f1 " + escaped(QString::fromUtf16(kBannerWord)) + "\\f0 " +
               escaped(plain.mid(static_cast<qsizetype>(std::char_traits<char16_t>::length(kBannerWord))));
    } else {
        body = escaped(plain);
    }
    return kHeader + body + "\\fs20\\par\r\n}\r\n";
}

}  // namespace

QString resourcePlainText(int id) { return plainOf(id); }

QByteArray resourceRichText(int id) { return richOf(id); }

ResourceForm resourceFormForLanguage() {
    return QLocale().language() == QLocale::Chinese ? ResourceForm::PlainText : ResourceForm::RichText;
}

QString LoadResString(int id, ResourceForm form) {
    if (form == ResourceForm::PlainText) return plainOf(id);
    return QString::fromLatin1(richOf(id));
}

}  // namespace app
