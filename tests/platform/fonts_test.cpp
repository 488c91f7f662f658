#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

// The faces the program's texts name resolve to installed faces of the same kind.
TEST(Fonts, NamedFacesResolveToInstalledOnes) {
    platform::installFontSubstitutions();
    struct Case { const char16_t* requested; const char* expectedPrefix; };
    const Case cases[] = {
        {u"宋体", "Noto Sans Mono CJK"}, {u"SimSun", "Noto Sans Mono CJK"}, {u"MS Sans Serif", "Liberation Sans"},
        {u"Arial", "Liberation Sans"}, {u"Times New Roman", "Liberation Serif"},
    };
    const QStringList installed = QFontDatabase::families();
    for (const Case& c : cases) {
        const QString expected = QString::fromLatin1(c.expectedPrefix);
        bool available = false;
        for (const QString& f : installed) available = available || f.startsWith(expected);
        if (!available) {
            ADD_FAILURE() << expected.toStdString() << " is not installed (scripts/ensure-deps.sh installs it)";
            continue;
        }
        const QFontInfo info(QFont(QString::fromUtf16(c.requested)));
        EXPECT_TRUE(info.family().startsWith(expected)) << QString::fromUtf16(c.requested).toStdString() << " -> "
                                                        << info.family().toStdString();
    }
    EXPECT_EQ(platform::paneFont().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(platform::paneFont().pointSizeF(), 12.0);
}

// Memory dumps and source columns line up in the panes only when every Latin
// letter of 宋体 is half as wide as a Chinese character.
TEST(Fonts, PaneFaceHasHalfWidthFixedPitchLatin) {
    platform::installFontSubstitutions();
    const QFontMetrics m(platform::paneFont(12));
    const int cjk = m.horizontalAdvance(QStringLiteral("内"));
    ASSERT_GT(cjk, 0);
    for (const char* text : {"i", "W", "0", " ", ":", "M"})
        EXPECT_EQ(2 * m.horizontalAdvance(QString::fromLatin1(text)), cjk) << text;
    EXPECT_EQ(m.horizontalAdvance(QStringLiteral("1000 0041 4142")), m.horizontalAdvance(QStringLiteral("FFFF WWWW iiii")));
}
