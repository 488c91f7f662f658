#include "platform/rtf_reader.h"

#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <utility>

namespace platform {

QString RtfParagraph::text() const {
    QString t;
    for (const auto& r : runs) t += r.text;
    return t;
}

QString RtfContent::plainText() const {
    QString t;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) t += QLatin1Char('\n');
        t += paragraphs[i].text();
    }
    return t;
}

bool isRtf(QByteArrayView data) { return data.startsWith("{\\rtf"); }

namespace {

// Windows character set numbers of \fcharset, as code pages.
int codePageOfCharset(int charset, int documentCodePage) {
    switch (charset) {
        case 0: case 1: return documentCodePage;
        case 2: return 0;  // symbol fonts: bytes are glyph numbers
        case 128: return 932;
        case 129: return 949;
        case 134: return 936;
        case 136: return 950;
        case 161: return 1253;
        case 162: return 1254;
        case 177: return 1255;
        case 178: return 1256;
        case 186: return 1257;
        case 204: return 1251;
        case 222: return 874;
        case 238: return 1250;
        default: return documentCodePage;
    }
}

const char* decoderName(int codePage) {
    switch (codePage) {
        case 936: return "GB18030";  // a superset of 936: nothing is dropped
        case 932: return "Shift_JIS";
        case 949: return "EUC-KR";
        case 950: return "Big5";
        case 874: return "windows-874";
        case 1250: return "windows-1250";
        case 1251: return "windows-1251";
        case 1252: return "windows-1252";
        case 1253: return "windows-1253";
        case 1254: return "windows-1254";
        case 1255: return "windows-1255";
        case 1256: return "windows-1256";
        case 1257: return "windows-1257";
        default: return nullptr;
    }
}

QString decodeBytes(const QByteArray& bytes, int codePage) {
    if (bytes.isEmpty()) return {};
    if (const char* name = decoderName(codePage)) {
        QStringDecoder decoder(name);
        if (decoder.isValid()) return decoder.decode(bytes);
    }
    return QString::fromLatin1(bytes);
}

enum class Destination { Text, FontTable, ColourTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;
    int fontSizeHalfPoints = 24;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    int foreground = 0, background = 0;
    RtfAlignment alignment = RtfAlignment::Left;
    int unicodeSkip = 1;  // \ucN
};

struct FontEntry {
    QString name;
    int charset = -1;
};

class Parser {
public:
    explicit Parser(QByteArrayView data) : data_(data) {}

    RtfContent run() {
        content_.paragraphs.emplace_back();
        while (pos_ < data_.size()) {
            const char c = data_[pos_];
            if (c == '{') {
                flushText();
                stack_.push_back(state_);
                ++pos_;
                pendingSkip_ = 0;
            } else if (c == '}') {
                flushText();
                ++pos_;
                if (stack_.empty()) break;  // an unmatched brace ends the document
                closeGroup();
                if (stack_.empty()) break;  // the document's closing brace
            } else if (c == '\\') {
                ++pos_;
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (pendingSkip_ > 0) { --pendingSkip_; continue; }
                textByte(c);
            }
        }
        flushText();
        if (closings_.empty()) {
            content_.paragraphs.back().alignment = state_.alignment;
            content_.paragraphs.back().markFormat = currentFormat();
        }
        // The final \par is the last paragraph's mark: no empty paragraph follows it.
        materializeParagraphs(true);
        return std::move(content_);
    }

private:
    int documentCodePage() const { return ansiCodePage_; }

    int codePageOfFont(int font) const {
        auto it = fonts_.find(font);
        const int charset = it == fonts_.end() ? -1 : it->second.charset;
        return codePageOfCharset(charset, documentCodePage());
    }

    void closeGroup() {
        if (state_.destination == Destination::FontTable && fontNameOpen_) finishFontEntry();
        state_ = stack_.back();
        stack_.pop_back();
        pendingSkip_ = 0;
    }

    void textByte(char c) {
        switch (state_.destination) {
            case Destination::Skip:
                return;
            case Destination::FontTable:
                if (c == ';') finishFontEntry();
                else { fontNameBytes_.append(c); fontNameOpen_ = true; }
                return;
            case Destination::ColourTable:
                if (c == ';') finishColour();
                return;
            case Destination::Text:
                textBytes_.append(c);
                return;
        }
    }

    void textChars(const QString& s) {
        if (state_.destination != Destination::Text) return;
        flushText();
        append(s);
    }

    void flushText() {
        if (textBytes_.isEmpty()) return;
        const QString s = decodeBytes(textBytes_, codePageOfFont(state_.font));
        textBytes_.clear();
        append(s);
    }

    RtfRunFormat currentFormat() const {
        RtfRunFormat f;
        auto it = fonts_.find(state_.font);
        if (it != fonts_.end()) f.fontFamily = it->second.name;
        f.pointSize = state_.fontSizeHalfPoints / 2.0;
        f.bold = state_.bold;
        f.italic = state_.italic;
        f.underline = state_.underline;
        f.strikeOut = state_.strikeOut;
        auto colour = [this](int i) -> std::optional<RtfColour> {
            if (i <= 0 || i >= static_cast<int>(colours_.size())) return std::nullopt;
            return colours_[i];
        };
        f.foreground = colour(state_.foreground);
        f.background = colour(state_.background);
        return f;
    }

    // A \par closes the paragraph with the properties in force at that point; the
    // next paragraph is opened only when something follows it.
    void closeParagraph() { closings_.push_back({state_.alignment, currentFormat()}); }

    void materializeParagraphs(bool atEnd) {
        for (size_t i = 0; i < closings_.size(); ++i) {
            auto& para = content_.paragraphs.back();
            para.alignment = closings_[i].first;
            para.markFormat = closings_[i].second;
            if (!atEnd || i + 1 < closings_.size()) content_.paragraphs.emplace_back();
        }
        closings_.clear();
    }

    void append(const QString& s) {
        if (s.isEmpty()) return;
        materializeParagraphs(false);
        auto& para = content_.paragraphs.back();
        para.alignment = state_.alignment;
        const RtfRunFormat f = currentFormat();
        if (!para.runs.empty() && para.runs.back().format == f) para.runs.back().text += s;
        else para.runs.push_back(RtfRun{s, f});
    }

    void finishFontEntry() {
        FontEntry e;
        e.charset = fontCharset_;
        QString name = decodeBytes(fontNameBytes_, codePageOfCharset(fontCharset_, documentCodePage())).trimmed();
        e.name = name;
        if (fontIndex_ >= 0) fonts_[fontIndex_] = e;
        fontNameBytes_.clear();
        fontNameOpen_ = false;
        fontCharset_ = -1;
    }

    void finishColour() {
        colours_.push_back(colourSet_ ? std::optional<RtfColour>(RtfColour{red_, green_, blue_}) : std::nullopt);
        red_ = green_ = blue_ = 0;
        colourSet_ = false;
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void controlWord() {
        if (pos_ >= data_.size()) return;
        const char c = data_[pos_];
        if (!isLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < data_.size() && isLetter(data_[pos_]) && pos_ - start < 32) ++pos_;
        const QByteArray word = data_.sliced(start, pos_ - start).toByteArray();
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ < data_.size() && data_[pos_] == '-') { negative = true; ++pos_; }
        int digits = 0;
        while (pos_ < data_.size() && isDigit(data_[pos_])) {
            if (digits < 10) param = param * 10 + (data_[pos_] - '0');
            ++digits;
            ++pos_;
            hasParam = true;
        }
        if (negative) param = -param;
        if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
        if (pendingSkip_ > 0 && word != "bin") { --pendingSkip_; return; }
        flushText();
        applyWord(word, hasParam, static_cast<int>(std::clamp(param, -2147483647LL, 2147483647LL)));
    }

    void controlSymbol(char c) {
        switch (c) {
            case '\'': {
                const int hi = pos_ < data_.size() ? hexValue(data_[pos_]) : -1;
                const int lo = pos_ + 1 < data_.size() ? hexValue(data_[pos_ + 1]) : -1;
                if (hi < 0) return;
                if (lo < 0) { ++pos_; return; }  // a damaged escape shows nothing
                pos_ += 2;
                if (pendingSkip_ > 0) { --pendingSkip_; return; }
                textByte(static_cast<char>(hi * 16 + lo));
                return;
            }
            case '*':
                // An optional destination: nothing under it is text we show.
                flushText();
                state_.destination = Destination::Skip;
                return;
            case '{': case '}': case '\\':
                if (pendingSkip_ > 0) { --pendingSkip_; return; }
                textByte(c);
                return;
            case '~':
                textChars(QString(QChar(0x00A0)));
                return;
            case '_':
                textChars(QString(QChar(0x2011)));
                return;
            case '\r': case '\n':
                // "\" followed by a line end is a paragraph mark.
                flushText();
                if (state_.destination == Destination::Text) closeParagraph();
                return;
            case '\t':
                textChars(QStringLiteral("\t"));
                return;
            default:
                return;  // \- (optional hyphen), \| and others show nothing
        }
    }

    void applyWord(const QByteArray& w, bool hasParam, int p) {
        const bool on = !hasParam || p != 0;
        // Destinations.
        static const char* const skipped[] = {
            "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf",
            "footer", "footerl", "footerr", "footerf", "footnote", "fldinst", "xe", "tc",
            "themedata", "colorschememapping", "latentstyles", "datastore", "listtable",
            "listoverridetable", "rsidtbl", "generator", "mmathPr", "filetbl", "revtbl",
            "pgdsctbl", "shppict", "nonshppict", "author", "operator", "title", "subject",
            "keywords", "comment", "doccomm", "bkmkstart", "bkmkend", "template", "private"};
        for (const char* s : skipped) {
            if (w == s) { state_.destination = Destination::Skip; return; }
        }
        if (w == "bin") {
            // Raw binary data follows: skip it without looking at it.
            const qsizetype n = hasParam && p > 0 ? p : 0;
            pos_ = std::min<qsizetype>(data_.size(), pos_ + n);
            return;
        }
        if (state_.destination == Destination::Skip) return;
        if (w == "fonttbl") { state_.destination = Destination::FontTable; return; }
        if (w == "colortbl") { state_.destination = Destination::ColourTable; colours_.clear(); return; }

        if (state_.destination == Destination::FontTable) {
            if (w == "f") {
                if (fontNameOpen_) finishFontEntry();
                fontIndex_ = p;
            } else if (w == "fcharset") {
                fontCharset_ = p;
            }
            return;
        }
        if (state_.destination == Destination::ColourTable) {
            if (w == "red") { red_ = std::clamp(p, 0, 255); colourSet_ = true; }
            else if (w == "green") { green_ = std::clamp(p, 0, 255); colourSet_ = true; }
            else if (w == "blue") { blue_ = std::clamp(p, 0, 255); colourSet_ = true; }
            return;
        }

        if (w == "ansicpg") { if (hasParam && p > 0) ansiCodePage_ = p; return; }
        if (w == "deff") { defaultFont_ = p; state_.font = p; return; }
        if (w == "par") { closeParagraph(); return; }
        if (w == "line") { textChars(QString(QChar(0x2028))); return; }
        if (w == "tab") { textChars(QStringLiteral("\t")); return; }
        if (w == "u") {
            textChars(QString(QChar(static_cast<char16_t>(p < 0 ? p + 65536 : p))));
            pendingSkip_ = state_.unicodeSkip;
            return;
        }
        if (w == "uc") { state_.unicodeSkip = std::max(0, p); return; }
        if (w == "plain") {
            state_.font = defaultFont_;
            state_.fontSizeHalfPoints = 24;
            state_.bold = state_.italic = state_.underline = state_.strikeOut = false;
            state_.foreground = state_.background = 0;
            return;
        }
        if (w == "pard") { state_.alignment = RtfAlignment::Left; return; }
        if (w == "b") { state_.bold = on; return; }
        if (w == "i") { state_.italic = on; return; }
        if (w == "ul") { state_.underline = on; return; }
        if (w == "ulnone") { state_.underline = false; return; }
        if (w == "strike") { state_.strikeOut = on; return; }
        if (w == "fs") { if (hasParam && p > 0 && p <= 3276) state_.fontSizeHalfPoints = p; return; }
        if (w == "f") { state_.font = p; return; }
        if (w == "cf") { state_.foreground = p; return; }
        if (w == "cb" || w == "highlight") { state_.background = p; return; }
        if (w == "ql") { state_.alignment = RtfAlignment::Left; return; }
        if (w == "qc") { state_.alignment = RtfAlignment::Centre; return; }
        if (w == "qr") { state_.alignment = RtfAlignment::Right; return; }
        if (w == "qj") { state_.alignment = RtfAlignment::Justify; return; }
        if (w == "emdash") { textChars(QString(QChar(0x2014))); return; }
        if (w == "endash") { textChars(QString(QChar(0x2013))); return; }
        if (w == "bullet") { textChars(QString(QChar(0x2022))); return; }
        if (w == "lquote") { textChars(QString(QChar(0x2018))); return; }
        if (w == "rquote") { textChars(QString(QChar(0x2019))); return; }
        if (w == "ldblquote") { textChars(QString(QChar(0x201C))); return; }
        if (w == "rdblquote") { textChars(QString(QChar(0x201D))); return; }
        // Everything else (page set-up, language, spacing, ...) does not change what is shown.
    }

    QByteArrayView data_;
    qsizetype pos_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    RtfContent content_;
    QByteArray textBytes_;
    std::vector<std::pair<RtfAlignment, RtfRunFormat>> closings_;
    int pendingSkip_ = 0;
    int ansiCodePage_ = 1252;
    int defaultFont_ = -1;

    std::map<int, FontEntry> fonts_;
    int fontIndex_ = -1;
    int fontCharset_ = -1;
    QByteArray fontNameBytes_;
    bool fontNameOpen_ = false;

    std::vector<std::optional<RtfColour>> colours_;  // none for the "auto" entry
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourSet_ = false;
};

}  // namespace

std::optional<RtfContent> parseRtf(QByteArrayView data) {
    if (!isRtf(data)) return std::nullopt;
    return Parser(data).run();
}

}  // namespace platform
