#include "app/program_options.h"

#include <QCommandLineParser>

namespace app {
namespace {

struct Switch {
    const char* name;
    const char16_t* description;
    bool ProgramOptions::*field;
};

// One line per switch.
const Switch kSwitches[] = {
    {"sampler", u"显示8通道采样窗口及其菜单（采样、保存数据、恢复数据、实验项目）", &ProgramOptions::sampler},
    {"circuit", u"启动电路实验环境（只显示电路实验窗口）", &ProgramOptions::circuit},
};

const QString kSeeHelp = QStringLiteral("--help 列出可用的选项。\n");

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& versionText) {
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const Switch& s : kSwitches)
        parser.addOption(QCommandLineOption(QString::fromLatin1(s.name), QString::fromUtf16(s.description)));

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.err = parser.errorText() + QLatin1Char('\n') + kSeeHelp;
        result.exitStatus = 2;
        return result;
    }
    if (parser.isSet(help)) {
        result.out = parser.helpText();
        result.exitStatus = 0;
        return result;
    }
    if (parser.isSet(version)) {
        result.out = versionText + QLatin1Char('\n');
        result.exitStatus = 0;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.err = QStringLiteral("未知参数：") + parser.positionalArguments().join(QLatin1Char(' ')) +
                     QLatin1Char('\n') + kSeeHelp;
        result.exitStatus = 2;
        return result;
    }
    for (const Switch& s : kSwitches) result.options.*(s.field) = parser.isSet(QString::fromLatin1(s.name));
    return result;
}

bool asksOnlyForText(const QStringList& arguments) {
    static const QStringList kTextOptions = {QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-?"),
                                             QStringLiteral("--help-all"), QStringLiteral("-v"),
                                             QStringLiteral("--version")};
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (kTextOptions.contains(arguments[i])) return true;
    return false;
}

}  // namespace app
