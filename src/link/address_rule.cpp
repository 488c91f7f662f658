#include "link/address_rule.h"

#include <algorithm>

namespace devlink {

std::optional<long long> addressValue(const QString& answer) {
    const QString s = answer.trimmed();
    if (s.size() < 2) return std::nullopt;
    const qsizetype last = s.size() - 1;
    const QChar suffix = s.at(last).toUpper();
    long long v = 0;
    if (suffix == QLatin1Char('H')) {
        for (qsizetype i = 0; i < std::min<qsizetype>(last, 4); ++i) {
            // Lower-case digits count like their capitals, as the suffix does.
            const int d = QStringView(s).mid(i, 1).toInt(nullptr, 16);
            v = v * 16 + d;
        }
    } else if (suffix == QLatin1Char('B')) {
        for (qsizetype i = 0; i < std::min<qsizetype>(last, 16); ++i) {
            const QChar c = s.at(i);
            v = v * 2 + (c >= QLatin1Char('1') && c <= QLatin1Char('9') ? 1 : 0);
        }
    } else {
        for (qsizetype i = 0; i < std::min<qsizetype>(last + 1, 5); ++i) {
            const QChar c = s.at(i);
            v = v * 10 + (c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0);
        }
    }
    return v;
}

QString addressParameter(const editions::EditionProfile& profile, const QString& answer) {
    const auto v = addressValue(answer);
    return v ? QString::fromStdString(profile.addressParam(*v)) : QString();
}

}  // namespace devlink
