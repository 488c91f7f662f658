#include "circuit_plan.h"

#include <algorithm>
#include <cctype>

#include "plan_text.h"
#include "schgen/ic_pin_names.h"
#include "sim/ic_type.h"
#include "sim/pin_table.h"

namespace labdata {
namespace {

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Package pin numbers of a pin name or range ("D0..7", "/OE", "13").
std::vector<int32_t> pinsOf(const IcPlan& ic, std::string_view text, int line) {
    const int32_t type = sim::icTypeFromName(ic.type);
    const std::vector<std::string> names = schgen::icPinNames(type);
    std::vector<int32_t> pins;
    for (const std::string& name : expandRange(text, line)) {
        if (allDigits(name)) {
            const int32_t pin = decimalNumber(name, line);
            if (pin < 1 || pin >= static_cast<int32_t>(names.size()))
                throw PlanError(line, ic.designator + " has no pin " + name);
            pins.push_back(pin);
            continue;
        }
        int32_t found = 0;
        for (std::size_t p = 1; p < names.size(); ++p) {
            if (names[p] != name) continue;
            if (found != 0) throw PlanError(line, ic.designator + ": pin name " + name + " is not unique, use its number");
            found = static_cast<int32_t>(p);
        }
        if (found == 0) throw PlanError(line, ic.designator + " (" + ic.type + ") has no pin " + name);
        pins.push_back(found);
    }
    return pins;
}

void addConnections(IcPlan& ic, const std::string& word, int line) {
    const std::size_t eq = word.rfind('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == word.size())
        throw PlanError(line, "a connection reads PIN=NET: " + word);
    const std::vector<int32_t> pins = pinsOf(ic, std::string_view(word).substr(0, eq), line);
    std::vector<std::string> nets = expandRange(std::string_view(word).substr(eq + 1), line);
    if (nets.size() == 1) nets.resize(pins.size(), nets[0]);
    if (nets.size() != pins.size()) throw PlanError(line, "pins and nets differ in number: " + word);
    for (std::size_t k = 0; k < pins.size(); ++k) {
        for (const PinConnection& c : ic.connections)
            if (c.pin == pins[k]) throw PlanError(line, ic.designator + " pin " + std::to_string(pins[k]) + " is connected twice");
        ic.connections.push_back({pins[k], nets[k]});
    }
}

}  // namespace

CircuitPlan parseCircuitPlan(std::string_view text) {
    CircuitPlan plan;
    for (const PlanLine& l : planLines(text)) {
        const std::vector<std::string> w = words(l.text);
        if (l.indented) {
            if (plan.ics.empty()) throw PlanError(l.number, "connections before any ic");
            for (const std::string& c : w) addConnections(plan.ics.back(), c, l.number);
            continue;
        }
        const std::string& key = w[0];
        auto need = [&](std::size_t n) {
            if (w.size() < n) throw PlanError(l.number, "too few words for " + key);
        };
        auto num = [&](std::size_t i) { return decimalNumber(w[i], l.number); };
        if (key == "sheet") {
            need(3);
            plan.width = num(1);
            plan.height = num(2);
        } else if (key == "frame") {
            need(6);
            plan.frames.push_back({num(1), num(2), num(3), num(4), restAfterWords(l.text, 5)});
        } else if (key == "note") {
            need(4);
            plan.notes.push_back({num(1), num(2), restAfterWords(l.text, 3)});
        } else if (key == "ic") {
            need(5);
            IcPlan ic;
            ic.designator = w[1];
            ic.type = w[2];
            ic.line = l.number;
            if (sim::icTypeFromName(ic.type) < 0) throw PlanError(l.number, "no IC type is named " + ic.type);
            ic.x = num(3);
            ic.y = num(4);
            int skip = 5;
            if (w.size() > 5 && w[5].rfind("image=", 0) == 0) {
                ic.image = w[5].substr(6);
                skip = 6;
            }
            ic.caption = restAfterWords(l.text, skip);
            for (const IcPlan& other : plan.ics)
                if (other.designator == ic.designator) throw PlanError(l.number, "designator used twice: " + ic.designator);
            plan.ics.push_back(std::move(ic));
        } else if (key == "bus") {
            need(3);
            BusPlan bus{w[1], expandRange(w[2], l.number)};
            for (std::size_t k = 3; k < w.size(); ++k) {
                if (w[k] == "left") bus.trunk = BusPlan::Trunk::Left;
                else if (w[k] == "right") bus.trunk = BusPlan::Trunk::Right;
                else if (w[k] == "below") bus.below = true;
                else throw PlanError(l.number, "a bus takes left, right or below: " + w[k]);
            }
            plan.buses.push_back(std::move(bus));
        } else if (key == "title") {
            need(2);
            plan.title = restAfterWords(l.text, 1);
        } else if (key == "drawing") {
            need(2);
            plan.drawingNumber = w[1];
        } else if (key == "stimulus") {
            plan.stimuli.push_back(restAfterWords(l.text, 1));
        } else if (key == "probe") {
            plan.probes.push_back(restAfterWords(l.text, 1));
        } else if (key == "vector") {
            plan.vectors.push_back(restAfterWords(l.text, 1));
        } else {
            throw PlanError(l.number, "unknown line: " + key);
        }
    }
    if (plan.width <= 0 || plan.height <= 0) throw PlanError(0, "the circuit needs a sheet line");
    return plan;
}

}  // namespace labdata
