#pragma once
// Reading the generator's description files: lines without comments, words,
// numbers. A mistake in a description stops the generator with the file's
// line number, so nothing half-made is written.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace labdata {

struct PlanLine {
    int number = 0;        // from 1
    bool indented = false;  // a continuation of the line before
    std::string text;       // without the comment and the blanks at both ends
};

// The lines that hold something; "#" starts a comment.
std::vector<PlanLine> planLines(std::string_view text);

// Blank-separated words.
std::vector<std::string> words(std::string_view text);

// The text after the first `count` words (blanks at its start dropped).
std::string restAfterWords(std::string_view text, int count);

class PlanError : public std::runtime_error {
public:
    PlanError(int line, const std::string& what);
};

// A whole decimal or hexadecimal number; the line is for the message.
int32_t decimalNumber(std::string_view word, int line);
int32_t hexNumber(std::string_view word, int line);

// The pieces of a text between its `separator`s ("A|B" is "A" and "B"),
// empty ones included; a text without one is one piece.
std::vector<std::string> separated(std::string_view text, char separator);

// "PREFIXa..b" as the names PREFIXa .. PREFIXb; any other text as itself.
std::vector<std::string> expandRange(std::string_view text, int line);

}  // namespace labdata
