#pragma once
// How the answer of an address box becomes the address of a monitor command.

#include "editions/edition_profile.h"

#include <QString>

#include <optional>

namespace devlink {

// The value the user meant, or nullopt for a command without an address
// (Cancel, an empty answer, or a single character). A last character "H"/"h"
// reads the first 4 characters before it as hexadecimal, "B"/"b" the first 16
// as binary (any digit 1-9 counting as 1); anything else reads the first 5
// characters as decimal. Characters that are no digit count as 0.
std::optional<long long> addressValue(const QString& answer);

// The text that follows the command letter: "" without an address, else the
// value in the edition's address format ("1000", or " 1000" in Corvane8).
QString addressParameter(const editions::EditionProfile& profile, const QString& answer);

}  // namespace devlink
