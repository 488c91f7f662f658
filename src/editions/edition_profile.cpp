#include "editions/edition_profile.h"

#include <cstdio>

namespace editions {
namespace {

constexpr std::string_view kRows16[] = {"R0",  "R1",  "R2",  "R3",  "SP(R4)", "PC(R5)",
                                        "IP(R6)", "R7", "R8", "R9", "R10",    "R11",
                                        "R12", "R13", "R14", "R15", "F"};
constexpr std::string_view kRows8[] = {"R0", "R1", "R2", "R3", "R4",  "R5",  "R6",
                                       "R7", "R8", "R9", "R10", "R11", "STATE"};

constexpr AssemblerProfile kVareAssembler(std::string_view mode) {
    return AssemblerProfile{"VARE.EXE", mode, false, true,
                            "VAZ-2000 Assembler 2.52", "Code file ", " generated successfully.",
                            "Error in ", ", line ", ""};
}

const EditionProfile k16{EditionId::Corvane16, "Corvane16", "Corvane16", "G078B", "G0769",
                         kRows16, 17, 120, true, false, {1120, 210, 570, 6}, ReplyLayout::Sixteen, 2,
                         kVareAssembler(" -th"), 102};

const EditionProfile kBase{EditionId::Corvane, "Corvane", "Corvane", "G033E", "G0322",
                           kRows16, 17, 120, false, false, {1120, 198, 480, 6}, ReplyLayout::Sixteen, 2,
                           AssemblerProfile{"ZOVO.COM", "", true, false, "", "",
                                            "Assembly finished, No errors found", "Error in Pass ", "",
                                            "Warning in pass "},
                           105};

const EditionProfile k8{EditionId::Corvane8, "Corvane8", "Corvane8", "G 1F00", "G 1F57",
                        kRows8, 13, 128, true, true, {440, 120, 432, 6}, ReplyLayout::Eight, 1,
                        kVareAssembler(" -t8"), 102};

const EditionProfile* g_current = &k16;

}  // namespace

std::string EditionProfile::appTitle() const {
    std::string t(titleWord);
    t += ' ';
    t += kTitleTail;
    return t;
}

std::string EditionProfile::addressParam(long long v) const {
    char buf[32];
    if (shortAddress) {
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v | 0x100000LL));
        std::string s(buf);
        return " " + s.substr(s.size() - 4);
    }
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(v));
    return buf;
}

const EditionProfile& profileCorvane16() { return k16; }
const EditionProfile& profileCorvane() { return kBase; }
const EditionProfile& profileCorvane8() { return k8; }

const EditionProfile& profileFor(EditionId id) {
    switch (id) {
        case EditionId::Corvane16: return k16;
        case EditionId::Corvane: return kBase;
        case EditionId::Corvane8: return k8;
    }
    return k16;
}

const EditionProfile& currentProfile() { return *g_current; }
void setCurrentProfile(const EditionProfile& profile) { g_current = &profile; }

}  // namespace editions
