#include "diagram_plan.h"

#include "plan_text.h"

namespace labdata {

std::vector<DiagramPlan> parseDiagramPlans(std::string_view text) {
    std::vector<DiagramPlan> plans;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        const std::string& key = w[0];
        auto num = [&](std::size_t i) {
            if (i >= w.size()) throw PlanError(l.number, "too few numbers for " + key);
            return decimalNumber(w[i], l.number);
        };
        if (key == "diagram") {
            plans.push_back({w.at(1), num(2), num(3), restAfterWords(l.text, 4), {}});
            continue;
        }
        if (plans.empty()) throw PlanError(l.number, key + " before any diagram line");
        DiagramItem item;
        if (key == "box") {
            item.kind = DiagramItem::Kind::Box;
            item.coords = {num(1), num(2), num(3), num(4)};
            std::string rest = restAfterWords(l.text, 5);
            for (std::size_t bar; (bar = rest.find('|')) != std::string::npos; rest.erase(0, bar + 1))
                item.lines.push_back(rest.substr(0, bar));
            item.lines.push_back(rest);
        } else if (key == "arrow") {
            item.kind = DiagramItem::Kind::Arrow;
            if (w.size() < 5 || w.size() % 2 == 0) throw PlanError(l.number, "an arrow takes x y pairs, two or more");
            for (std::size_t i = 1; i < w.size(); ++i) item.coords.push_back(num(i));
        } else if (key == "bus") {
            item.kind = DiagramItem::Kind::Bus;
            item.coords = {num(1), num(2), num(3), num(4)};
            item.lines = {restAfterWords(l.text, 5)};
        } else if (key == "text") {
            item.kind = DiagramItem::Kind::Text;
            item.coords = {num(1), num(2)};
            item.lines = {restAfterWords(l.text, 3)};
        } else {
            throw PlanError(l.number, "unknown line: " + key);
        }
        plans.back().items.push_back(std::move(item));
    }
    return plans;
}

}  // namespace labdata
