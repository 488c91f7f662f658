#pragma once
// Reading the monitor's D, R and U replies into the memory, register and
// unassembly lists. The parsers are pure; ReplyLists is what the lists offer.
//
// A reply starts with the echo of the command's carriage return and holds the
// monitor's lines, each ended by CR LF; a line is the text between one CR LF
// and the next. Each byte is one character.

#include "editions/edition_profile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

namespace devlink {

struct MemoryRow {
    int row = 0;  // 1-based position in the memory list
    QString address;
    QString value;
    QString display;

    bool operator==(const MemoryRow&) const = default;
};

struct UnasmRow {
    QString address;
    QString codes;
    QString instruction;

    bool operator==(const UnasmRow&) const = default;
};

// The rows a D reply fills: up to 15 lines of 8 words (16-bit) or 8 lines of 16
// bytes (8-bit). Rows the reply does not reach are missing.
std::vector<MemoryRow> parseMemoryReply(QByteArrayView reply, editions::ReplyLayout layout);

// The values after successive "=", one per register row, the last row (F or
// STATE) included; fewer when the reply holds fewer. F is shown as "abcd'efgh".
QStringList parseRegisterReply(QByteArrayView reply, editions::ReplyLayout layout);

// Up to 15 lines of a U reply.
std::vector<UnasmRow> parseUnasmReply(QByteArrayView reply, editions::ReplyLayout layout);

// The three lists of the main window; rows are 1-based positions.
class ReplyLists {
public:
    virtual ~ReplyLists() = default;
    virtual void setMemoryRow(const MemoryRow& row) = 0;
    virtual QString registerValue(int row) const = 0;
    virtual void setRegisterValue(int row, const QString& value) = 0;
    // Changed: the name and value bold in red 240,0,0; otherwise plain black.
    virtual void markRegister(int row, bool changed) = 0;
    // Appends a row and answers its position.
    virtual int appendUnasmRow(const UnasmRow& row) = 0;
    virtual void selectUnasmRow(int row) = 0;
    virtual void scrollToUnasmRow(int row) = 0;
};

void fillMemoryList(QByteArrayView reply, editions::ReplyLayout layout, ReplyLists& lists);
// Every register whose value differs from what its row shows is set and marked;
// the others lose their mark.
void fillRegisterList(QByteArrayView reply, editions::ReplyLayout layout, ReplyLists& lists);
// Appends the reply's lines and one empty row; selects the last filled row and
// brings the empty row into view.
void fillUnasmList(QByteArrayView reply, editions::ReplyLayout layout, ReplyLists& lists);

}  // namespace devlink
