#pragma once
// What a schematic read tells the user. The reader never shows a box itself:
// the program passes a notifier that shows the boxes (PrompterSchNotifier),
// tests pass one that records the calls.

#include <string>
#include <string_view>

namespace schematic {

// The file section whose layout did not match; each has its own message text.
enum class SchFormatError {
    Header,
    FontTable,
    LibraryHeader,
    ComponentHeader,
    PartGraphics,
    FutureSection,
    SheetRecords,
    Version2Records,  // also the final EndSheet
    Version2Library,
};

// The message text of a format error (UTF-8).
const char* formatErrorText(SchFormatError error);

// Any other failure that ends a read. The number is shown to the user with
// the description.
enum class SchFailure {
    None = 0,
    PastEndOfFile = 1,      // the file ended where a line or count was due
    NumberOutOfRange = 2,   // a value outside the 32-bit signed range
    MissingField = 3,       // a line ended where a field and its blank were due
    BadTextDelimiter = 4,   // a delimited text without its delimiters
    NegativeCount = 5,      // a section count below 0
    NoPartToComplete = 6,   // a Designator/PartType/PartDescription or Version 2.0 line with no Part
};

int failureNumber(SchFailure failure);
// The description shown after the number (UTF-8).
const char* failureDescription(SchFailure failure);

class SchReadNotifier {
public:
    virtual ~SchReadNotifier() = default;
    // The read ends: a section did not have the expected layout.
    virtual void formatError(SchFormatError error) = 0;
    // The read ends: some other failure.
    virtual void failure(SchFailure failure) = 0;
    // A record with a keyword the reader does not know; the read goes on.
    virtual void unknownRecord(std::string_view line) = 0;
    // At the end of a successful read, when unknown records were met.
    virtual void unknownRecordCount(int count) = 0;
};

// A notifier that tells nobody.
class SilentSchNotifier : public SchReadNotifier {
public:
    void formatError(SchFormatError) override {}
    void failure(SchFailure) override {}
    void unknownRecord(std::string_view) override {}
    void unknownRecordCount(int) override {}
};

}  // namespace schematic
