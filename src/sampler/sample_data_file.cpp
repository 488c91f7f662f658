#include "sampler/sample_data_file.h"

#include <QString>

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace sampler {
namespace {

QByteArray numberText(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15) return QByteArray::number(static_cast<qint64>(v));
    return QByteArray::number(v, 'g', 7);
}

// The shortest text that reads back as the same float: seven digits are not
// always enough for that.
QByteArray floatText(float v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15f) return numberText(v);
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return QByteArray(text, end - text);
}

// Items as a sequential text reader takes them: commas and line ends both
// separate items, blanks around an item are dropped, and a quoted item may hold
// commas. Blank lines carry no items.
class ItemReader {
public:
    explicit ItemReader(QByteArrayView bytes) : s_(bytes) {}

    // nullopt at the end of the file.
    std::optional<QByteArray> next() {
        skipBlankLines();
        if (pos_ >= s_.size()) return std::nullopt;
        skipBlanks();
        QByteArray item;
        if (pos_ < s_.size() && s_[pos_] == '"') {
            ++pos_;
            while (pos_ < s_.size() && s_[pos_] != '"' && !isLineEnd(s_[pos_])) item += s_[pos_++];
            if (pos_ < s_.size() && s_[pos_] == '"') ++pos_;
            // Anything between the closing quote and the separator is ignored.
            while (pos_ < s_.size() && s_[pos_] != ',' && !isLineEnd(s_[pos_])) ++pos_;
        } else {
            while (pos_ < s_.size() && s_[pos_] != ',' && !isLineEnd(s_[pos_])) item += s_[pos_++];
            item = item.trimmed();
        }
        if (pos_ < s_.size() && s_[pos_] == ',') ++pos_;
        else skipOneLineEnd();
        return item;
    }

private:
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    void skipBlanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }
    void skipOneLineEnd() {
        if (pos_ < s_.size() && s_[pos_] == '\r') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
    }
    void skipBlankLines() {
        for (;;) {
            qsizetype p = pos_;
            while (p < s_.size() && (s_[p] == ' ' || s_[p] == '\t')) ++p;
            if (p < s_.size() && isLineEnd(s_[p])) {
                pos_ = p;
                skipOneLineEnd();
            } else if (p >= s_.size()) {
                pos_ = p;
                return;
            } else {
                return;
            }
        }
    }

    QByteArrayView s_;
    qsizetype pos_ = 0;
};

std::optional<double> number(const std::optional<QByteArray>& item) {
    if (!item || item->isEmpty()) return std::nullopt;
    for (char c : *item)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    bool ok = false;
    const double v = QString::fromLatin1(*item).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// The rate divisor as the float it is kept in: a value that is 0 or does not
// fit as a float is no divisor, however the text writes it.
std::optional<float> divisorNumber(const std::optional<QByteArray>& item) {
    if (!number(item)) return std::nullopt;
    const char* begin = item->constData();
    const char* end = begin + item->size();
    if (*begin == '+') ++begin;
    float v = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || ptr != end || !(v > 0) || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

int sampleLineCount(int sampleBytes, int width) {
    const int classic = sampleBytes + 2;
    if (width != 2 && width != 4 && width != 8) return classic;
    return std::max(classic, (sampleBytes + 1) * (8 / width));
}

QByteArray writeSampleDataFile(const SamplerState& state) {
    QByteArray out;
    out += '"';
    out += kSampleFileMark;
    out += "\"\r\n";
    out += numberText(state.SampleWidth) + "\r\n";
    out += floatText(state.RateDivisor) + "\r\n";
    out += numberText(state.SampleBytes) + "\r\n";
    const int lines = std::min<int>(sampleLineCount(state.SampleBytes, state.SampleWidth),
                                    static_cast<int>(state.SampleData.size()));
    for (int i = 0; i < lines; ++i) {
        const auto& row = state.SampleData[static_cast<size_t>(i)];
        for (int k = 0; k < kChannels; ++k) {
            if (k) out += ',';
            out += QByteArray::number(row[k]);
        }
        out += "\r\n";
    }
    return out;
}

SampleFileParse parseSampleDataFile(QByteArrayView bytes) {
    SampleFileParse result;
    ItemReader reader(bytes);
    const auto mark = reader.next();
    if (!mark || *mark != QByteArray(kSampleFileMark)) {
        result.error = SampleFileError::WrongMark;
        return result;
    }
    result.error = SampleFileError::Malformed;

    const auto width = number(reader.next());
    const auto divisor = divisorNumber(reader.next());
    const auto count = number(reader.next());
    if (!width || !divisor || !count) return result;
    if (*width != 2 && *width != 4 && *width != 8) return result;
    if (*count != std::floor(*count) || *count < 1 || *count * 8 / *width > kMaxSamples) return result;

    auto& c = result.content;
    c.width = static_cast<int>(*width);
    c.rateDivisor = *divisor;
    c.sampleBytes = static_cast<int>(*count);

    const int required = c.sampleBytes + 2;
    const int full = sampleLineCount(c.sampleBytes, c.width);
    for (int line = 0; line < full; ++line) {
        SampleRow row{};
        for (int k = 0; k < kChannels; ++k) {
            const auto item = reader.next();
            if (!item && k == 0 && line >= required) {
                result.error = SampleFileError::None;
                return result;  // an older file that ends after the lines it must hold
            }
            const auto v = number(item);
            if (!v) return result;
            const double r = std::round(*v);
            if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max()) return result;
            row[k] = static_cast<int16_t>(r);
        }
        c.rows.push_back(row);
    }
    result.error = SampleFileError::None;
    return result;
}

void commitSampleFile(SamplerState& state, const SampleFileContent& content) {
    state.SampleWidth = content.width;
    state.RateDivisor = content.rateDivisor;
    state.SampleBytes = content.sampleBytes;
    const size_t n = std::min(content.rows.size(), state.SampleData.size());
    for (size_t i = 0; i < n; ++i) state.SampleData[i] = content.rows[i];
}

}  // namespace sampler
