#include "board_plan.h"

#include "plan_text.h"

namespace labdata {

BoardPlan parseBoardPlan(std::string_view text) {
    BoardPlan plan;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        if (l.indented) {
            if (plan.blocks.empty()) throw PlanError(l.number, "chips before any block");
            plan.blocks.back().rows.push_back(w);
            continue;
        }
        const std::string& key = w[0];
        if (key == "board") {
            if (w.size() < 3) throw PlanError(l.number, "board WIDTH TITLE");
            plan.width = decimalNumber(w[1], l.number);
            plan.titles = separated(restAfterWords(l.text, 2), '|');
        } else if (key == "block") {
            plan.blocks.push_back({restAfterWords(l.text, 1), {}});
        } else if (key == "note") {
            plan.notes.push_back(restAfterWords(l.text, 1));
        } else {
            throw PlanError(l.number, "unknown line: " + key);
        }
    }
    if (plan.width <= 0) throw PlanError(1, "no board line");
    return plan;
}

}  // namespace labdata
