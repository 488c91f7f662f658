// Writes the circuit environment's fixture folder for trying the program by hand:
//   envdata DIR          DIR/data/ with the default circuit and its files,
//                        plus inverter.sch and large.sch (200 ICs)
// then: CORVANE_HOME=DIR Corvane16 --circuit
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "env_data.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: envdata DIR\n");
        return 2;
    }
    const QString home = args[1];
    const QDir data(QDir(home).filePath(QStringLiteral("data")));
    const bool ok = circuittest::writeBasicData(home) &&
                    circuittest::writeInverterCircuit(data.filePath(QStringLiteral("inverter.sch"))) &&
                    circuittest::writeLargeCircuit(data.filePath(QStringLiteral("large.sch")), 200);
    if (!ok) std::fprintf(stderr, "envdata: could not write %s\n", qPrintable(data.path()));
    return ok ? 0 : 1;
}
