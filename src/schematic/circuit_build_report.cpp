#include "schematic/circuit_build_report.h"

namespace schematic {
namespace {

std::string roomText(const TableRoom& room) {
    return "芯片 " + std::to_string(room.icNumbers) + " 个，信号 " + std::to_string(room.signalNumbers) +
           " 个，扇出表 " + std::to_string(room.fanoutRecords) + " 个";
}

}  // namespace

std::string tablesFullText(const TableRoom& needed, const TableRoom& available, const TableRoom& whole) {
    if (!whole.holds(needed)) {
        return "本电路超出仿真表的总容量，无法装入！\n"
               "本电路需要：" + roomText(needed) + "；\n"
               "仿真表共可容纳：" + roomText(whole) + "。";
    }
    // Numbers are never given back during a run, so only a restart makes room.
    return "仿真表容量不足，本电路未装入！\n"
           "本电路需要：" + roomText(needed) + "；\n"
           "尚余：" + roomText(available) + "。\n"
           "请重新启动程序后再装入此电路。";
}

}  // namespace schematic
