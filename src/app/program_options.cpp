#include "app/program_options.h"

namespace app {

ProgramOptions parseProgramOptions(const QStringList& arguments) {
    ProgramOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--sampler")) options.sampler = true;
        if (arguments[i] == QLatin1String("--circuit")) options.circuit = true;
    }
    return options;
}

}  // namespace app
