#include "lab_script.h"

#include "plan_text.h"

namespace labdata {
namespace {

using Kind = ScriptLine::Kind;

ScriptLine parseExpect(const std::vector<std::string>& w, const std::string& text, int line) {
    ScriptLine s;
    s.line = line;
    if (w.size() >= 3 && w[1] == "terminal") {
        s.kind = Kind::ExpectTerminal;
        s.name = w[2];
        s.value = restAfterWords(text, 3);
        return s;
    }
    if (w.size() == 3 && w[1] == "conflicts") {
        s.kind = Kind::ExpectConflicts;
        s.number = decimalNumber(w[2], line);
        return s;
    }
    const bool from = w.size() == 5 && w[3] == "from";
    if (w.size() != 3 && !from) throw PlanError(line, "expect needs a target and a value");
    s.value = w[2];
    const std::string& target = w[1];
    if (const std::size_t open = target.find('['); open != std::string::npos && target.back() == ']') {
        s.kind = Kind::ExpectMemory;
        s.name = target.substr(0, open);
        s.number = hexNumber(std::string_view(target).substr(open + 1, target.size() - open - 2), line);
    } else if (const std::size_t dot = target.find('.'); dot != std::string::npos) {
        s.kind = Kind::ExpectRegister;
        s.name = target.substr(0, dot);
        s.reg = target.substr(dot + 1);
    } else {
        s.kind = Kind::ExpectRow;
        s.name = target;
        if (from) s.drivers = separated(w[4], ',');
    }
    if (from && s.kind != Kind::ExpectRow) throw PlanError(line, "only a probe row is read from parts");
    return s;
}

ScriptLine parseAction(const std::vector<std::string>& w, const std::string& text, int line) {
    ScriptLine s;
    s.line = line;
    const std::string& key = w[0];
    auto need = [&](std::size_t n) {
        if (w.size() != n) throw PlanError(line, key + " takes " + std::to_string(n - 1) + " words");
    };
    if (key == "bus") {
        need(3);
        s.kind = Kind::Bus;
        s.name = w[1];
        s.value = w[2];
    } else if (key == "switch") {
        need(3);
        s.kind = Kind::Switch;
        s.name = w[1];
        s.number = decimalNumber(w[2], line);
        if (s.number != 0 && s.number != 1) throw PlanError(line, "a switch level is 0 or 1");
    } else if (key == "pulse") {
        need(2);
        s.kind = Kind::Pulse;
        s.number = decimalNumber(w[1], line);
    } else if (key == "edge") {
        need(1);
        s.kind = Kind::Edge;
    } else if (key == "reset") {
        need(1);
        s.kind = Kind::Reset;
    } else if (key == "load") {
        need(3);
        s.kind = Kind::Load;
        s.name = w[1];
        s.value = w[2];
    } else if (key == "expect") {
        return parseExpect(w, text, line);
    } else {
        throw PlanError(line, "unknown script line: " + key);
    }
    return s;
}

std::string actionText(const ScriptLine& s) {
    switch (s.kind) {
    case Kind::Bus: return "在“" + s.name + "”框中键入" + s.value + "后回车";
    case Kind::Switch: return "按" + s.name + "按钮，使" + s.name + "=" + std::to_string(s.number);
    case Kind::Pulse: return "脉冲数框填" + std::to_string(s.number) + "，按“CLK 脉冲”";
    case Kind::Edge: return "按“CLK 跳变”";
    case Kind::Reset: return "按一下“RST 复位”";
    case Kind::Load: return "按“" + s.name + "”，打开程序data文件夹中的数据文件" + s.value + "，起始地址取默认值";
    default: break;
    }
    return {};
}

std::string checkText(const ScriptLine& s) {
    switch (s.kind) {
    case Kind::ExpectRow: {
        std::string text = "“" + s.name + "”为" + s.value;
        if (s.value.find('x') != std::string::npos) text += "（x位没有器件驱动，不看）";
        for (std::size_t i = 0; i < s.drivers.size(); ++i) text += (i == 0 ? "，由" : "、") + s.drivers[i];
        return s.drivers.empty() ? text : text + "驱动总线";
    }
    case Kind::ExpectRegister: return "器件数据中" + s.name + "的Reg_" + s.reg + "为" + s.value;
    case Kind::ExpectMemory: {
        static const char* digits = "0123456789ABCDEF";
        std::string address;
        for (int32_t a = s.number; address.empty() || a > 0; a /= 16) address.insert(address.begin(), digits[a % 16]);
        return s.name + "的" + address + "H单元为" + s.value;
    }
    case Kind::ExpectTerminal: return s.name + "的终端窗口显示“" + s.value + "”";
    case Kind::ExpectConflicts:
        return s.number == 0 ? std::string("冲突记录窗口中没有冲突") : "冲突记录窗口中共有" + std::to_string(s.number) + "条冲突";
    default: break;
    }
    return {};
}

}  // namespace

LabScript parseLabScript(std::string_view text) {
    LabScript script;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        if (!l.indented && w[0] == "lab") {
            script.lab = restAfterWords(l.text, 1);
        } else if (!l.indented && w[0] == "step") {
            script.steps.push_back({restAfterWords(l.text, 1), {}});
        } else if (l.indented && !script.steps.empty()) {
            script.steps.back().lines.push_back(parseAction(w, l.text, l.number));
        } else {
            throw PlanError(l.number, "expected lab, step or an indented action");
        }
    }
    if (script.lab.empty()) throw PlanError(0, "the script names no lab");
    return script;
}

std::vector<std::string> describeStep(const ScriptStep& step) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < step.lines.size()) {
        const bool check = step.lines[i].isCheck();
        std::string text = check ? "应看到：" : "操作：";
        for (bool first = true; i < step.lines.size() && step.lines[i].isCheck() == check; ++i, first = false) {
            if (!first) text += "；";
            text += check ? checkText(step.lines[i]) : actionText(step.lines[i]);
        }
        out.push_back(text + "。");
    }
    return out;
}

}  // namespace labdata
