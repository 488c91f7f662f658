#include "platform/fonts.h"

#include <QString>
#include <QStringList>

namespace platform {

void installFontSubstitutions() {
    // 宋体's Latin letters are half-width and fixed-pitch, and the panes rely on
    // that: memory dumps, register lines and source columns line up. The mono
    // Noto CJK face keeps that (fonts-noto-cjk); WenQuanYi's mono face and the
    // proportional faces are fallbacks only.
    const QStringList song{QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                           QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    const QStringList hei{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    const QStringList mono{QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};

    for (const char16_t* name : {u"宋体", u"SimSun", u"新宋体", u"NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf16(name), song);
    for (const char16_t* name : {u"黑体", u"SimHei", u"微软雅黑", u"Microsoft YaHei"})
        QFont::insertSubstitutions(QString::fromUtf16(name), hei);
    for (const char* name : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Tahoma", "Verdana"})
        QFont::insertSubstitutions(QString::fromLatin1(name), sans);
    for (const char* name : {"Times New Roman", "MS Serif"})
        QFont::insertSubstitutions(QString::fromLatin1(name), serif);
    for (const char* name : {"Courier New", "Courier"})
        QFont::insertSubstitutions(QString::fromLatin1(name), mono);
}

QFont paneFont(double pointSize) {
    QFont f(QString::fromUtf16(kPaneFontFamily));
    f.setPointSizeF(pointSize);
    return f;
}

}  // namespace platform
