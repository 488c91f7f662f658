#include "app/program_options.h"

#include <QCommandLineParser>

#include <algorithm>

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

QStringList withoutWindowSystemOptions(const QStringList& arguments) {
    // Qt's own options and those of its X11 platform; each may also be written with "--".
    static const QStringList kWithValue = {
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"),   QStringLiteral("qwindowgeometry"),    QStringLiteral("geometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("icon"),            QStringLiteral("qwindowtitle"),
        QStringLiteral("title"),    QStringLiteral("session"),            QStringLiteral("style"),
        QStringLiteral("stylesheet"), QStringLiteral("qmljsdebugger"),    QStringLiteral("display"),
        QStringLiteral("name"),     QStringLiteral("visual")};
    static const QStringList kFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                       QStringLiteral("testability"), QStringLiteral("sync"),
                                       QStringLiteral("nograb"), QStringLiteral("dograb")};
    static const QStringList kJoined = {QStringLiteral("style="), QStringLiteral("stylesheet="),
                                        QStringLiteral("qmljsdebugger="), QStringLiteral("dialogs="),
                                        QStringLiteral("fontengine=")};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (i == 0 || !a.startsWith(QLatin1Char('-'))) {
            kept << a;
            continue;
        }
        const QString name = a.mid(a.startsWith(QStringLiteral("--")) ? 2 : 1);
        if (kWithValue.contains(name) && i + 1 < arguments.size()) {
            ++i;
            continue;
        }
        if (kFlags.contains(name)) continue;
        if (std::any_of(kJoined.begin(), kJoined.end(), [&](const QString& j) { return name.startsWith(j); })) continue;
        kept << a;
    }
    return kept;
}

bool endsBeforeWindowSystem(const QStringList& arguments) {
    return parseCommandLine(withoutWindowSystemOptions(arguments), QString()).exitStatus.has_value();
}

}  // namespace app
