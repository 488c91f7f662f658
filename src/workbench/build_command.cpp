#include "workbench/build_command.h"
#include "workbench/utf8_text.h"

namespace workbench {
namespace {
}  // namespace

QString assemblerExtension(const editions::AssemblerProfile& assembler) {
    const QString program = fromView(assembler.program);
    const qsizetype dot = program.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : program.mid(dot).toUpper();
}

BuildCommand makeBuildCommand(const editions::AssemblerProfile& assembler, const WorkNames& names,
                              const AssemblerOptions& options) {
    BuildCommand cmd;
    const QString crlf = QStringLiteral("\r\n");
    QStringList tokens{names.e};
    QString line;
    if (assembler.responseFile) {
        tokens << names.t + QStringLiteral(".asm");
        line = tokens.join(QLatin1Char(' ')) + QStringLiteral(" < ") + names.t + QStringLiteral(".TXT > ") +
               names.t + QStringLiteral(".tmp");
        cmd.responseFile = (names.t + crlf + crlf).toLatin1();
        cmd.stdinFile = (names.t + QStringLiteral(".TXT")).toUpper();
    } else {
        const QString mode = fromView(assembler.modeSwitch).trimmed();
        if (!mode.isEmpty()) tokens << mode;
        if (assembler.optionsPassed) {
            if (!options.generateLoadInfo) tokens << QStringLiteral("-g");
            if (options.useDefaultExtSet) tokens << QStringLiteral("-e");
            if (!names.i.isEmpty()) tokens << QStringLiteral("-i") + names.i;
        }
        tokens << names.t + QStringLiteral(".asm") << QStringLiteral("*") << QStringLiteral("*");
        line = tokens.join(QLatin1Char(' ')) + QStringLiteral(" > ") + names.t + QStringLiteral(".tmp");
    }
    cmd.batchLine = line.toUpper();
    cmd.batchFile = (cmd.batchLine + crlf + crlf).toLatin1();
    for (qsizetype k = 1; k < tokens.size(); ++k) cmd.arguments << tokens[k].toUpper();
    cmd.stdoutFile = (names.t + QStringLiteral(".tmp")).toUpper();
    return cmd;
}

}  // namespace workbench
