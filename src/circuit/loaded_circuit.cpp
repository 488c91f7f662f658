#include "circuit/loaded_circuit.h"

#include <QFile>

#include "circuit/circuit_messages.h"
#include "circuit/environment.h"
#include "platform/program_folder.h"
#include "schematic/build_circuit.h"
#include "schematic/prompter_sch_notifier.h"
#include "schematic/sch_reader.h"
#include "sim/simulator.h"

namespace circuit {

std::optional<QString> dataFile(const QString& name) {
    if (!platform::staysInFolder(name)) return std::nullopt;
    const QString folder = platform::programFile(QStringLiteral("data"));
    QString path = platform::resolveCaseInsensitive(folder, name);
    if (!platform::liesInFolder(path, folder)) return std::nullopt;
    return path;
}

bool readDataSheet(Environment& env, const std::string& name) {
    const std::optional<QString> path = dataFile(QString::fromStdString(name));
    return !name.empty() && path && schematic::ReadSchFile(env.schematic.currentSheet, *path) == 1;
}

std::optional<LoadedCircuit> readAndBuildCircuit(Environment& env, const QString& path) {
    if (schematic::ReadSchFile(env.schematic.currentSheet, path) != 1) return std::nullopt;
    return buildCurrentSheet(env);
}

std::optional<LoadedCircuit> buildCurrentSheet(Environment& env) {
    sim::Simulator& s = env.simulator;
    LoadedCircuit c;
    c.StartIcNumber = s.LastIcNumber + 1;
    c.StartSignalNumber = s.LastSignalNumber + 1;
    c.StartFanoutNumber = s.LastFanoutNumber + 1;
    const schematic::CircuitBuildResult result = schematic::BuildCircuit(s, env.schematic, c.Setup);
    if (!result.built) {
        schematic::ReportCircuitBuildFailure(result);
        return std::nullopt;
    }
    c.EndIcNumber = s.LastIcNumber;
    c.EndSignalNumber = s.LastSignalNumber;
    c.EndFanoutNumber = s.LastFanoutNumber;
    c.SettleFirstFanout = s.LastFanoutNumber + c.StartIcNumber - c.EndIcNumber;
    c.SettleLastFanout = s.LastFanoutNumber;
    c.usart8251Ics = result.usart8251Ics();
    return c;
}

void SettleFanoutRange(sim::Simulator& simulator, int32_t first, int32_t last) {
    for (int32_t k = first; k <= last; ++k) {
        simulator.replaceQueue(k);
        simulator.ToggleNetAndSettle(0, sim::kSpareNet);
    }
}

bool LoadMemoryData(sim::Simulator& simulator, const std::vector<schematic::MemImageEntry>& entries) {
    for (const schematic::MemImageEntry& entry : entries) {
        if (!sim::Simulator::isIc(entry.icNumber)) continue;
        const qint64 size = sim::memoryCells(simulator.IcTable[static_cast<std::size_t>(entry.icNumber)].Type);
        if (size == 0) continue;

        const QString name = QString::fromStdString(entry.fileName);
        const std::optional<QString> path = dataFile(name);
        if (!path) {
            showFileError(QFileDevice::OpenError, QStringLiteral("文件名 \"%1\" 不在数据文件夹中，不能打开").arg(name));
            return false;
        }
        QFile file(*path);
        if (!file.open(QIODevice::ReadOnly)) {
            showFileError(static_cast<int>(file.error()), file.errorString());
            return false;
        }
        const QByteArray bytes = file.read(size);
        if (file.error() != QFileDevice::NoError) {
            showFileError(static_cast<int>(file.error()), file.errorString());
            return false;
        }
        for (qsizetype a = 0; a < bytes.size(); ++a) {
            simulator.WriteIcMemory(static_cast<int32_t>(a), static_cast<uint8_t>(bytes[a]), entry.icNumber);
        }
    }
    return true;
}

void powerOn(Environment& env, const LoadedCircuit& c) {
    sim::Simulator& s = env.simulator;
    const int32_t resetNet = c.Setup.ResetNet;
    const bool hasReset = resetNet != -1 && sim::Simulator::isNet(resetNet);
    // The reset levels are written straight into the table: the settles below
    // evaluate every IC anyway, so no event is queued for them.
    if (hasReset) s.NetTable[static_cast<std::size_t>(resetNet)].Value = c.Setup.ResetLevel ^ 1;
    SettleFanoutRange(s, c.SettleFirstFanout, c.SettleLastFanout);
    LoadMemoryData(s, env.schematic.circuitBuild.memImageEntries);
    if (hasReset) s.NetTable[static_cast<std::size_t>(resetNet)].Value = c.Setup.ResetLevel;
    SettleFanoutRange(s, c.SettleFirstFanout, c.SettleLastFanout);
    if (sim::Simulator::isNet(c.ncNet())) s.NetTable[static_cast<std::size_t>(c.ncNet())].Value = 0;
    s.resetConflictCounters();
    env.takeSettleReport();
}

}  // namespace circuit
