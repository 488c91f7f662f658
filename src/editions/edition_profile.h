#pragma once
// The values that differ between the three programs. Everything else is shared code.

#include <array>
#include <string>
#include <string_view>

namespace editions {

enum class EditionId { Corvane16, Corvane, Corvane8 };

// Layout family of the D, R and U replies.
enum class ReplyLayout { Sixteen, Eight };

struct ExpectedReplies {
    int memory;      // D
    int registers;   // R
    int unassemble;  // U
    int runStep;     // G, T, P
};

struct AssemblerProfile {
    std::string_view program;     // in the folder "bin" beside the program
    std::string_view modeSwitch;  // "" when none
    bool responseFile;            // the base edition feeds a response file on standard input
    bool optionsPassed;           // -g, -e, -i are passed as chosen
    // Texts the build recognises in the assembler's output.
    std::string_view bannerText;       // 16/8: "VAZ-2000 Assembler 2.52"
    std::string_view codeFileText;     // 16/8: "Code file "
    std::string_view successText;      // 16/8: " generated successfully."; base: "Assembly finished, No errors found"
    std::string_view errorText;        // 16/8: "Error in "; base: "Error in Pass "
    std::string_view lineText;         // 16/8: ", line "; base: ""
    std::string_view warningText;      // base: "Warning in pass "; 16/8: ""
};

struct EditionProfile {
    EditionId id;
    std::string_view titleWord;  // EditionTitleWord
    std::string_view helpFileStem;
    std::string_view sendDataCmd;  // starts the device's code receive routine
    std::string_view recvDataCmd;  // starts the device's code send routine
    const std::string_view* registerRows;
    int registerRowCount;
    int memoryRowCount;
    bool asmOptionsOffered;
    bool shortAddress;  // Corvane8: a blank and exactly four hex digits
    ExpectedReplies expected;
    ReplyLayout replyLayout;
    int bytesPerLocation;
    AssemblerProfile assembler;
    int listingPlaceholderId;

    // EditionTitleWord + " 计算机组成原理实验软件 1.0.5版" (UTF-8).
    std::string appTitle() const;
    // The address parameter of a monitor command for value v (D, U, G, T, P).
    std::string addressParam(long long v) const;
};

// The shared part of the title, after the edition word and a blank.
inline constexpr std::string_view kTitleTail = "计算机组成原理实验软件 1.0.5版";

const EditionProfile& profileCorvane16();
const EditionProfile& profileCorvane();
const EditionProfile& profileCorvane8();
const EditionProfile& profileFor(EditionId id);

// The profile compiled into this program (set once by main()).
const EditionProfile& currentProfile();
void setCurrentProfile(const EditionProfile& profile);

}  // namespace editions
