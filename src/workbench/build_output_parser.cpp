#include "workbench/build_output_parser.h"

#include <algorithm>
#include "workbench/utf8_text.h"

namespace workbench {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr auto CI = Qt::CaseInsensitive;


// Blanks only: the line ends stay part of the message.
QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' ')) ++b;
    while (e > b && s[e - 1] == QLatin1Char(' ')) --e;
    return s.mid(b, e - b);
}

bool contains(const QString& hay, const QString& needle) { return hay.contains(needle, CI); }

// The line number of an error message whose file name starts at `at`: the number
// after the last ", line " that stands before the end of that line.
std::optional<long long> lineAfter(const QString& m, qsizetype at) {
    static const QString kLine = QStringLiteral(", line ");
    qsizetype e = m.indexOf(kCrLf, at + 1);
    if (e < 0) e = m.size();
    const qsizetype from = e - kLine.size();
    if (from < 0) return std::nullopt;
    const qsizetype k = m.lastIndexOf(kLine, from, CI);
    if (k < 0) return std::nullopt;
    return leadingNumber(QStringView(m).mid(k + kLine.size()));
}

int markableLine(long long n) { return (n > 0 && n < 65536) ? int(n) : 0; }

BuildVerdict bannerRules(const editions::AssemblerProfile& a, const BuildOutput& out) {
    const QString& o = out.text;
    const qsizetype banner = a.bannerText.empty() ? -1 : o.indexOf(fromView(a.bannerText), 0, CI);
    // Without the banner the line count starts at the beginning of the output.
    qsizetype c = banner < 0 ? -1 : banner;
    qsizetype ends[4];
    for (qsizetype& end : ends) {
        end = o.indexOf(kCrLf, c + 1);
        if (end < 0) return {BuildVerdict::Kind::RawOutput, o, 0, false};
        c = end;
    }
    QString m = trimBlanks(o.mid(ends[2] + 2));

    if (contains(m, fromView(a.codeFileText)) && contains(m, fromView(a.successText)))
        return {BuildVerdict::Kind::Success, successText(a, out.baseName), 0, false};

    if (contains(m, fromView(a.errorText)) && contains(m, QStringLiteral(" at"))) {
        const QString sourceName = out.t + QStringLiteral(".asm");
        const qsizetype s = m.indexOf(sourceName, 0, CI);
        const qsizetype x = out.i.isEmpty() ? -1 : m.indexOf(out.i, 0, CI);
        if (s >= 0) {
            m.replace(sourceName, QLatin1Char('"') + out.sourcePath + QLatin1Char('"'), CI);
            const auto n = lineAfter(m, s);
            return {BuildVerdict::Kind::SourceError, m, n ? markableLine(*n) : 0, false};
        }
        if (x >= 0) {
            m.replace(out.i, QLatin1Char('"') + out.extInstrFile + QLatin1Char('"'), CI);
            const auto n = lineAfter(m, x);
            if (!n) return {BuildVerdict::Kind::InsError, m, 0, false};
            const long long clamped = std::clamp<long long>(*n, -1, 65536);
            return {BuildVerdict::Kind::InsError, m, int(clamped), true};
        }
    }
    return {BuildVerdict::Kind::Other, m, 0, false};
}

BuildVerdict responseRules(const editions::AssemblerProfile& a, const BuildOutput& out) {
    const QString& o = out.text;
    const qsizetype p = out.t.isEmpty() ? -1 : o.indexOf(out.t, 0, CI);
    const qsizetype c1 = o.indexOf(kCrLf, p < 0 ? 0 : p + 1);
    const qsizetype c2 = c1 < 0 ? -1 : o.indexOf(kCrLf, c1 + 1);
    if (c1 < 0 || c2 < 0) return {BuildVerdict::Kind::RawOutput, o, 0, false};
    const QString m = trimBlanks(o.mid(c1 + 2));

    if (contains(m, fromView(a.successText))) return {BuildVerdict::Kind::Success, successText(a, out.baseName), 0, false};

    if (contains(m, fromView(a.errorText)) || (!a.warningText.empty() && contains(m, fromView(a.warningText)))) {
        int line = 0;
        // The line number stands in the message's first four characters.
        if (m.indexOf(kCrLf) + 1 > 4) line = markableLine(leadingNumber(QStringView(m).left(4)));
        return {BuildVerdict::Kind::SourceError, m, line, false};
    }
    return {BuildVerdict::Kind::Other, m, 0, false};
}

}  // namespace

QString successText(const editions::AssemblerProfile& a, const QString& baseName) {
    const QString codeLine =
        QStringLiteral("Code file \"") + baseName + QStringLiteral(".COD\" generated successfully.");
    if (a.responseFile) return fromView(a.successText) + QStringLiteral(".") + kCrLf + codeLine;
    return codeLine;
}

long long leadingNumber(QStringView text) {
    qsizetype k = 0;
    while (k < text.size() && (text[k] == QLatin1Char(' ') || text[k] == QLatin1Char('\t'))) ++k;
    bool negative = false;
    if (k < text.size() && (text[k] == QLatin1Char('-') || text[k] == QLatin1Char('+'))) {
        negative = text[k] == QLatin1Char('-');
        ++k;
    }
    long long value = 0;
    for (; k < text.size() && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9'); ++k) {
        // Anything this large is out of every line range; stop growing.
        if (value < 1000000000LL) value = value * 10 + (text[k].unicode() - '0');
    }
    return negative ? -value : value;
}

BuildVerdict parseBuildOutput(const editions::AssemblerProfile& assembler, const BuildOutput& out) {
    return assembler.responseFile ? responseRules(assembler, out) : bannerRules(assembler, out);
}

}  // namespace workbench
