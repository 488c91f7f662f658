#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

// Qt's own dialogs speak Chinese once its translations are in; without them
// the program goes on in English.
TEST(QtTranslations, ChineseTextsLoadAndAMissingFileIsNoFailure) {
    const auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
    ASSERT_EQ(lookIn(), QStringLiteral("Look in:"));

    QTemporaryDir empty;
    EXPECT_EQ(platform::installQtChineseTexts(empty.path()), nullptr);
    EXPECT_EQ(lookIn(), QStringLiteral("Look in:"));

    QTranslator* installed = platform::installQtChineseTexts();
    ASSERT_NE(installed, nullptr) << "qtbase_zh_CN.qm is missing (scripts/ensure-deps.sh installs it)";
    EXPECT_EQ(lookIn(), QStringLiteral("查找范围："));
    QCoreApplication::removeTranslator(installed);
    delete installed;
}
