#include "schematic/lab_directives.h"

#include <optional>

#include "schematic/sch_numbers.h"
#include "schematic/utf8_text.h"
#include "schematic/text_scan.h"

namespace schematic {
namespace {

constexpr std::size_t kValueChars = 200;


std::optional<int32_t> valueAt(std::string_view text) {
    return roundToInt32(textNumberValue(leftChars(text, kValueChars)));
}

// "name value" into a name and a value that keeps only its lowest bit; a text
// without a blank names the signal and leaves the value alone.
SchFailure applyNameAndLevel(std::string_view rest, std::string& name, int32_t& value) {
    rest = leftChars(rest, kValueChars);
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        name = std::string(rest);
        return SchFailure::None;
    }
    const std::optional<int32_t> level = valueAt(rest.substr(blank));
    if (!level) return SchFailure::NumberOutOfRange;
    value = *level & 1;
    name = std::string(rest.substr(0, blank));
    return SchFailure::None;
}

void applyProbe(LabDirectives& d, std::string_view t) {
    constexpr std::string_view ic = "IC:";
    if (t.starts_with(ic)) {
        d.icProbes.push_back(SplitParenText(t.substr(ic.size())));
    } else {
        d.probes.push_back(SplitParenText(t));
    }
}

void applyLab(LabDirectives& d, std::string_view t) {
    // Positions below count from 1, as the head rule is stated that way: the
    // head ends at the first blank after "Lab:" that is not inside the head's
    // first parentheses.
    auto findFrom = [&](char c, std::size_t from) -> std::size_t {
        const std::size_t at = t.find(c, from - 1);
        return at == std::string_view::npos ? 0 : at + 1;
    };
    const std::size_t open = findFrom('(', 5);
    const std::size_t close = findFrom(')', 5);
    std::size_t blank = 4;
    do {
        blank = findFrom(' ', blank + 1);
    } while (open < blank && blank < close);
    if (blank == 0) return;
    d.labs.push_back(LabHeadList{std::string(t.substr(4, blank - 5)), std::string(t.substr(blank))});
}

void applyVector(LabDirectives& d, std::string_view t) {
    constexpr std::string_view load = "LoadMemData:";
    constexpr std::string_view save = "SaveMemData:";
    constexpr std::string_view lab = "Lab:";
    constexpr std::string_view board = "VrPcb:";
    if (t.starts_with(load)) {
        d.loadMems.push_back(SplitParenText(t.substr(load.size())));
    } else if (t.starts_with(save)) {
        d.saveMems.push_back(SplitParenText(t.substr(save.size())));
    } else if (t.starts_with(lab)) {
        applyLab(d, t);
    } else if (t.starts_with(board)) {
        if (t.size() > board.size()) d.vrPcbFile = std::string(t.substr(board.size()));
    }
}

SchFailure applyStimulus(LabDirectives& d, std::string_view t) {
    constexpr std::string_view clock = "CLK(S/C):";
    constexpr std::string_view stepClock = "CLK(NS/C):";
    constexpr std::string_view reset = "RESET:";
    if (t.starts_with(clock) || t.starts_with(stepClock)) {
        const bool continuous = t.starts_with(clock);
        std::string name = d.clkName;
        int32_t value = d.clkValue;
        const SchFailure f = applyNameAndLevel(t.substr(continuous ? clock.size() : stepClock.size()), name, value);
        if (f != SchFailure::None) return f;
        d.clkMode = continuous ? 1 : 0;
        d.clkName = std::move(name);
        d.clkValue = value;
        return SchFailure::None;
    }
    if (t.starts_with(reset)) {
        std::string name = d.resetName;
        int32_t value = d.resetValue;
        const SchFailure f = applyNameAndLevel(t.substr(reset.size()), name, value);
        if (f != SchFailure::None) return f;
        d.resetName = std::move(name);
        d.resetValue = value;
        return SchFailure::None;
    }
    const std::size_t blank = t.find(' ');
    if (blank == std::string_view::npos) {
        d.stimuli.push_back(Stimulus{std::string(t), 0});
        return SchFailure::None;
    }
    const std::optional<int32_t> value = valueAt(t.substr(blank));
    if (!value) return SchFailure::NumberOutOfRange;
    d.stimuli.push_back(Stimulus{std::string(t.substr(0, blank)), *value});
    return SchFailure::None;
}

}  // namespace

TitledList SplitParenText(std::string_view s) {
    if (!s.empty() && s.front() == '(') {
        // Match the leading "(" by counting; positions count from 1.
        int opened = 1;
        int closed = 0;
        std::size_t lastOpen = 1;
        std::size_t lastClose = 0;
        while (opened != closed) {
            const std::size_t at = s.find(')', lastClose);
            if (at == std::string_view::npos) break;
            const std::size_t close = at + 1;
            ++closed;
            for (std::size_t p = lastOpen + 1; p < close; ++p) {
                if (s[p - 1] == '(') {
                    ++opened;
                    lastOpen = p;
                }
            }
            lastClose = close;
        }
        if (opened == closed && lastClose > 2) {
            return TitledList{std::string(trimBlanks(s.substr(1, lastClose - 2))),
                              std::string(trimBlanks(s.substr(lastClose)))};
        }
    }
    std::string packed;
    for (char c : s) {
        if (c != ' ') packed += c;
    }
    return TitledList{std::move(packed), std::string(s)};
}

SchFailure applyDirective(LabDirectives& directives, SchElementKind kind, std::string_view text) {
    const std::string_view t = trimBlanks(text);
    if (t.empty()) return SchFailure::None;
    switch (kind) {
        case SchElementKind::SimProbe: applyProbe(directives, t); break;
        case SchElementKind::SimVector: applyVector(directives, t); break;
        case SchElementKind::SimStimulus: return applyStimulus(directives, t);
        default: break;
    }
    return SchFailure::None;
}

}  // namespace schematic
