#include "link/terminal_buffer.h"

#include <algorithm>
#include <utility>

namespace devlink {

TerminalBuffer::TerminalBuffer(QString text, qsizetype promptStart) : text_(std::move(text)) {
    promptStart_ = promptStart < 0 ? text_.size() : clamp(promptStart);
}

qsizetype TerminalBuffer::clamp(qsizetype position) const { return std::clamp<qsizetype>(position, 0, text_.size()); }

qsizetype TerminalBuffer::lineStart(qsizetype position) const {
    for (qsizetype i = clamp(position) - 1; i >= 0; --i) {
        if (text_.at(i) == QLatin1Char('\r') || text_.at(i) == QLatin1Char('\n')) return i + 1;
    }
    return 0;
}

void TerminalBuffer::replaceAll(QString text) {
    text_ = std::move(text);
    promptStart_ = clamp(promptStart_);
    replaced_ = true;
}

void TerminalBuffer::render(QByteArrayView bytes) {
    QString pending;
    qsizetype insertion = clamp(promptStart_);
    auto flush = [&] {
        if (pending.isEmpty()) return;
        insertion = clamp(promptStart_);
        text_.insert(insertion, pending);
        insertion += pending.size();
        pending.clear();
    };
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 32 && b <= 127) {
            pending += QChar(b);
        } else if (b >= 128) {
            pending += QLatin1Char(' ');
        } else if (b == 13) {
            flush();
            insertion = lineStart(insertion);
            promptStart_ = insertion;
        } else if (b == 10) {
            flush();
            text_ += QStringLiteral("\r\n");
            insertion = text_.size();
            promptStart_ = insertion;
        } else if (b == 8) {
            if (!pending.isEmpty()) {
                pending.chop(1);
            } else {
                // Nothing before the prompt: nothing to delete.
                promptStart_ = clamp(promptStart_);
                if (promptStart_ > 0) {
                    --promptStart_;
                    text_.remove(promptStart_, 1);
                }
                insertion = promptStart_;
            }
        } else if (b == 26) {
            pending.clear();
            replaceAll({});
            insertion = 0;
        } else if (b == 30) {
            // ignored
        } else {
            pending += QLatin1Char(' ');
        }
    }
    promptStart_ = clamp(promptStart_);
    text_.insert(promptStart_, pending);
    promptStart_ += pending.size();
}

void TerminalBuffer::trim() {
    if (text_.size() <= kTrimAbove) return;
    const qsizetype removed = text_.size() - kTrimTo;
    promptStart_ = std::max<qsizetype>(0, promptStart_ - removed);
    replaceAll(text_.right(kTrimTo));
}

void TerminalBuffer::clearToLastLine() {
    // p: the 1-based position of the last CR LF's carriage return, 0 when none.
    const qsizetype p = text_.lastIndexOf(QStringLiteral("\r\n")) + 1;
    promptStart_ = std::max<qsizetype>(0, promptStart_ - p);
    replaceAll(text_.mid(p));
}

bool TerminalBuffer::takeReplaced() { return std::exchange(replaced_, false); }

QString TerminalBuffer::documentText(const QString& text) {
    QString doc = text;
    doc.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    doc.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return doc;
}

qsizetype TerminalBuffer::documentPosition(const QString& text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < position; ++i) {
        if (text.at(i) == QLatin1Char('\n') && text.at(i - 1) == QLatin1Char('\r')) ++pairs;
    }
    return position - pairs;
}

QString TerminalBuffer::fromDocumentText(const QString& document) {
    QString text = document;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

qsizetype TerminalBuffer::fromDocumentPosition(const QString& document, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, document.size());
    return position + document.left(position).count(QLatin1Char('\n'));
}

}  // namespace devlink
