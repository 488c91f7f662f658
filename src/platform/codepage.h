#pragma once
// Text on disk and on the wire is code page 936; inside the program it is Unicode.
// These are the only places where the two meet.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

// Decodes code page 936 bytes (read as GB18030, a superset, so nothing is ever dropped).
QString fromCp936(QByteArrayView bytes);

// Encodes to GB18030. Characters outside the two-byte range of code page 936
// are kept losslessly as GB18030 four-byte sequences; `allTwoByte` (when given)
// tells the caller whether the result is plain code page 936.
QByteArray toCp936(QStringView text, bool* allTwoByte = nullptr);

// True when every character of `text` has a code page 936 encoding of one or two bytes.
bool fitsCp936(QStringView text);

// True when `bytes` read as text: they decode without a fault and hold no
// control codes but the line and page breaks, tabs and a trailing end-of-file
// mark (1A hexadecimal) that text files have. NUL bytes and the like mark a
// binary file.
bool isReadableText(QByteArrayView bytes);

}  // namespace platform
