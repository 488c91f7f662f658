#pragma once
// Readable GoogleTest failure output for the Qt types these tests compare.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << "bytes(" << b.toHex(' ').toStdString() << ')'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const auto& s : l) *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
