#include "diagram_plan.h"

#include "plan_text.h"

namespace labdata {
namespace {

// An arrow or a two-way line: x y pairs, two or more.
std::vector<int32_t> points(const std::vector<std::string>& w, int line) {
    if (w.size() < 5 || w.size() % 2 == 0) throw PlanError(line, "a line takes x y pairs, two or more");
    std::vector<int32_t> coords;
    for (std::size_t i = 1; i < w.size(); ++i) coords.push_back(decimalNumber(w[i], line));
    return coords;
}

void addStandsFor(DiagramItem& item, const std::vector<std::string>& w, int line) {
    if (item.kind != DiagramItem::Kind::Box && item.kind != DiagramItem::Kind::Bus)
        throw PlanError(line, "only a box or a bus stands for ICs or nets");
    if (w.size() < 2) throw PlanError(line, "nothing after " + w[0]);
    if (w[0] == "ics") {
        item.ics.insert(item.ics.end(), w.begin() + 1, w.end());
    } else if (w[0] == "nets") {
        for (std::size_t i = 1; i < w.size(); ++i)
            for (std::string& name : expandRange(w[i], line)) item.nets.push_back(std::move(name));
    } else {
        throw PlanError(line, "an indented line reads \"ics ...\" or \"nets ...\"");
    }
}

}  // namespace

std::vector<DiagramPlan> parseDiagramPlans(std::string_view text) {
    std::vector<DiagramPlan> plans;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        if (l.indented) {
            if (plans.empty() || plans.back().items.empty()) throw PlanError(l.number, "an indented line before any box");
            addStandsFor(plans.back().items.back(), w, l.number);
            continue;
        }
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
        item.line = l.number;
        if (key == "box") {
            item.kind = DiagramItem::Kind::Box;
            item.coords = {num(1), num(2), num(3), num(4)};
            item.lines = separated(restAfterWords(l.text, 5), '|');
        } else if (key == "arrow" || key == "twoway") {
            item.kind = key == "arrow" ? DiagramItem::Kind::Arrow : DiagramItem::Kind::TwoWay;
            item.coords = points(w, l.number);
        } else if (key == "bus") {
            item.kind = DiagramItem::Kind::Bus;
            item.coords = {num(1), num(2), num(3), num(4)};
            if (item.coords[0] != item.coords[2] && item.coords[1] != item.coords[3])
                throw PlanError(l.number, "a bus runs across or down");
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
