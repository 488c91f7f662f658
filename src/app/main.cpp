// The program's entry: one source for the three editions, which differ only in
// the profile compiled in (CORVANE_EDITION).

#include "app/circuit_wiring.h"
#include "app/main_window.h"
#include "app/program.h"
#include "circuit/widgets/mdi_form1.h"
#include "editions/edition_profile.h"
#include "platform/fonts.h"
#include "platform/prompter.h"
#include "platform/qt_translations.h"
#include "platform/widgets/qt_prompter.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

QString versionText() {
    const std::string title = editions::currentProfile().appTitle();
    return QString::fromUtf8(title.data(), qsizetype(title.size()));
}

int answer(const app::CommandLine& commandLine) {
    std::fputs(commandLine.out.toLocal8Bit().constData(), stdout);
    std::fputs(commandLine.err.toLocal8Bit().constData(), stderr);
    return *commandLine.exitStatus;
}

}  // namespace

int main(int argc, char** argv) {
    editions::setCurrentProfile(editions::profileFor(editions::EditionId::CORVANE_EDITION));
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
        if (app::endsBeforeWindowSystem(arguments)) {
            QCoreApplication core(argc, argv);
            platform::installQtChineseTexts();
            return answer(app::parseCommandLine(app::withoutWindowSystemOptions(arguments), versionText()));
        }
    }

    QApplication application(argc, argv);
    // The program ends through its main window's quit flow, not when the splash
    // happens to be the last window to close.
    QApplication::setQuitOnLastWindowClosed(false);
    // Without Qt's Chinese texts its dialogs speak English; the program runs all the same.
    platform::installQtChineseTexts();
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const app::CommandLine commandLine = app::parseCommandLine(QApplication::arguments(), versionText());
    if (commandLine.exitStatus) return answer(commandLine);

    platform::installFontSubstitutions();
    platform::QtPrompter prompter;
    platform::setPrompter(&prompter);

    app::Program program(editions::currentProfile());
    program.options = commandLine.options;
    if (program.options.circuit) {
        // The circuit environment alone: closing its frame ends the program.
        const auto frame = app::startCircuitEnvironment(program);
        QObject::connect(frame.get(), &circuit::widgets::MDIForm1::unloaded, &application, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        return QApplication::exec();
    }
    program.Main();
    QObject::connect(&program.frmmain(), &app::MainWindow::unloaded, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
