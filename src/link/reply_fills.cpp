#include "link/reply_fills.h"

#include <algorithm>
#include <optional>

namespace devlink {
namespace {

using editions::ReplyLayout;

constexpr QByteArrayView kLineBreak("\r\n", 2);
constexpr int kMemoryLines16 = 15;
constexpr int kWordsPerLine = 8;
constexpr int kMemoryLines8 = 8;
constexpr int kBytesPerLine = 16;
constexpr qsizetype kMemoryLineLength8 = 53;
constexpr int kDisplayLength = 16;
constexpr int kUnasmLines = 15;

struct Line {
    qsizetype start;  // first character
    qsizetype end;    // the carriage return of its ending pair
};

// The line after the first CR LF at or after `from`, if a second CR LF ends it.
std::optional<Line> findLine(QByteArrayView reply, qsizetype from) {
    const qsizetype open = reply.indexOf(kLineBreak, from);
    if (open < 0) return std::nullopt;
    const qsizetype start = open + kLineBreak.size();
    const qsizetype end = reply.indexOf(kLineBreak, start);
    if (end < 0) return std::nullopt;
    return Line{start, end};
}

// One byte, one character.
QString text(QByteArrayView bytes) { return QString::fromLatin1(bytes.data(), bytes.size()); }

// `count` characters from `offset`, never beyond the end.
QByteArrayView part(QByteArrayView s, qsizetype offset, qsizetype count) {
    if (offset >= s.size()) return {};
    return s.sliced(offset, std::min(count, s.size() - offset));
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

unsigned hexValue(QByteArrayView digits) {
    unsigned v = 0;
    for (char c : digits) v = v * 16 + static_cast<unsigned>(hexDigit(c));
    return v;
}

QString hex4(unsigned v) { return QStringLiteral("%1").arg(v & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper(); }

// The last blank of the first run of blanks at or after `from`; -1 when the line has none.
qsizetype lastBlankOfRun(QByteArrayView line, qsizetype from) {
    qsizetype i = line.indexOf(' ', from);
    if (i < 0) return -1;
    while (i + 1 < line.size() && line[i + 1] == ' ') ++i;
    return i;
}

QString trimBlanks(const QString& s) {
    qsizetype first = 0, last = s.size();
    while (first < last && s.at(first) == QLatin1Char(' ')) ++first;
    while (last > first && s.at(last - 1) == QLatin1Char(' ')) --last;
    return s.mid(first, last - first);
}

// Full-width forms to their narrow ASCII forms.
QString narrow(QString s) {
    for (QChar& c : s) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) c = QChar(c.unicode() - 0xFF01 + 0x21);
        else if (c.unicode() == 0x3000) c = QLatin1Char(' ');
    }
    return s;
}

void memoryLine16(QByteArrayView line, int k, std::vector<MemoryRow>& rows) {
    unsigned a = hexValue(part(line, 0, 4));
    qsizetype current = 0;
    std::vector<MemoryRow> found;
    for (int w = 0; w < kWordsPerLine; ++w) {
        const qsizetype blank = lastBlankOfRun(line, current + 1);
        if (blank < 0) break;
        found.push_back({k * kWordsPerLine + w + 1, hex4(a), text(part(line, blank + 1, 4)), {}});
        a = (a + 1) & 0xFFFF;
        current = blank;
    }
    // The display text follows the next run of blanks. When it starts with
    // blanks itself, that run swallows them; the text then still is the line's
    // last 16 characters, and nothing past the line's end is read.
    const qsizetype blank = lastBlankOfRun(line, current + 1);
    const qsizetype start = blank < 0 ? line.size() : blank + 1;
    const QByteArrayView display =
        line.size() - start >= kDisplayLength ? line.sliced(start, kDisplayLength) : part(line, std::max<qsizetype>(0, line.size() - kDisplayLength), kDisplayLength);
    for (std::size_t w = 0; w < found.size(); ++w) {
        found[w].display = text(part(display, 2 * static_cast<qsizetype>(w), 2));
        rows.push_back(found[w]);
    }
}

void memoryLine8(QByteArrayView line, int k, std::vector<MemoryRow>& rows) {
    unsigned a = hexValue(part(line, 0, 4));
    for (int m = 0; m < kBytesPerLine; ++m) {
        const qsizetype offset = 5 + 3 * m;
        if (offset >= line.size()) break;
        const QByteArrayView digits = part(line, offset, 2);
        const unsigned v = hexValue(digits);
        const QString shown = v > 31 && v < 127 ? QString(QChar(v)) : QStringLiteral(".");
        rows.push_back({k * kBytesPerLine + m + 1, hex4(a), text(digits), shown});
        a = (a + 1) & 0xFFFF;
    }
}

}  // namespace

std::vector<MemoryRow> parseMemoryReply(QByteArrayView reply, ReplyLayout layout) {
    std::vector<MemoryRow> rows;
    const bool eight = layout == ReplyLayout::Eight;
    qsizetype from = 0;
    for (int k = 0; k < (eight ? kMemoryLines8 : kMemoryLines16); ++k) {
        const auto line = findLine(reply, from);
        if (!line) break;
        const QByteArrayView l = reply.sliced(line->start, line->end - line->start);
        if (eight) memoryLine8(l, k, rows);
        else memoryLine16(l, k, rows);
        // The next line begins after this line's own ending pair, also when the
        // line is shorter than its layout.
        from = eight ? std::min(line->start + kMemoryLineLength8, line->end) : line->end;
    }
    return rows;
}

QStringList parseRegisterReply(QByteArrayView reply, ReplyLayout layout) {
    const bool eight = layout == ReplyLayout::Eight;
    const int plainRows = eight ? 12 : 16;
    const qsizetype width = eight ? 2 : 4;
    QStringList values;
    qsizetype from = 0;
    for (int r = 0; r <= plainRows; ++r) {
        const qsizetype equals = reply.indexOf('=', from);
        if (equals < 0) break;
        from = equals + 1;
        if (r < plainRows || eight) {
            values << text(part(reply, equals + 1, width));
        } else {
            const QString flags = text(part(reply, equals + 1, 8));
            values << flags.left(4) + QLatin1Char('\'') + flags.mid(4);
        }
    }
    return values;
}

std::vector<UnasmRow> parseUnasmReply(QByteArrayView reply, ReplyLayout layout) {
    const bool eight = layout == ReplyLayout::Eight;
    std::vector<UnasmRow> rows;
    qsizetype from = 0;
    for (int k = 0; k < kUnasmLines; ++k) {
        const auto line = findLine(reply, from);
        if (!line) break;
        const QByteArrayView l = reply.sliced(line->start, line->end - line->start);
        UnasmRow row;
        row.address = narrow(text(part(l, 0, 4)));
        row.codes = eight ? narrow(trimBlanks(text(part(l, 5, 9)))) : narrow(text(part(l, 6, 9)));
        row.instruction = narrow(trimBlanks(text(part(l, eight ? 16 : 17, l.size()))));
        rows.push_back(row);
        from = line->start;
    }
    return rows;
}

void fillMemoryList(QByteArrayView reply, ReplyLayout layout, ReplyLists& lists) {
    for (const MemoryRow& row : parseMemoryReply(reply, layout)) lists.setMemoryRow(row);
}

void fillRegisterList(QByteArrayView reply, ReplyLayout layout, ReplyLists& lists) {
    const QStringList values = parseRegisterReply(reply, layout);
    for (int r = 1; r <= values.size(); ++r) {
        const QString& v = values[r - 1];
        const bool changed = lists.registerValue(r) != v;
        if (changed) lists.setRegisterValue(r, v);
        lists.markRegister(r, changed);
    }
}

void fillUnasmList(QByteArrayView reply, ReplyLayout layout, ReplyLists& lists) {
    int last = 0;
    for (const UnasmRow& row : parseUnasmReply(reply, layout)) last = lists.appendUnasmRow(row);
    const int empty = lists.appendUnasmRow({});
    // A reply without lines leaves the selection as it was.
    if (last > 0) lists.selectUnasmRow(last);
    lists.scrollToUnasmRow(empty);
}

}  // namespace devlink
