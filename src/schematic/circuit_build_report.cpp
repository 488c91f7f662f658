#include "schematic/circuit_build_report.h"

namespace schematic {

std::string tablesFullText(const TableRoom& needed, const TableRoom& available) {
    // Numbers are never given back during a run, so only a restart makes room.
    return "仿真表容量不足，本电路未装入！\n"
           "本电路需要：芯片 " + std::to_string(needed.icNumbers) + " 个，信号 " + std::to_string(needed.signalNumbers) +
           " 个，扇出表 " + std::to_string(needed.fanoutRecords) + " 个；\n"
           "尚余：芯片 " + std::to_string(available.icNumbers) + " 个，信号 " + std::to_string(available.signalNumbers) +
           " 个，扇出表 " + std::to_string(available.fanoutRecords) + " 个。\n"
           "请重新启动程序后再装入此电路。";
}

}  // namespace schematic
