#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QString fromCp936(QByteArrayView bytes) {
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

bool isReadableText(QByteArrayView bytes) {
    QByteArrayView body = bytes;
    while (body.endsWith('\x1a')) body.chop(1);
    for (const char c : body) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || u == 0x7f) return false;
    }
    // Stateless: a sequence cut off at the end is a fault, not a start kept for more.
    QStringDecoder decoder("GB18030", QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString decoded = decoder.decode(body);
    return !decoder.hasError();
}

bool fitsCp936(QStringView text) {
    QStringEncoder encoder("GB18030");
    QStringDecoder decoder("GB18030");
    // Walk character by character: a four-byte GB18030 sequence means the
    // character has no code page 936 encoding.
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QByteArray enc = encoder.encode(text.sliced(i, len));
        if (enc.size() > 2) return false;
        i += len;
    }
    return true;
}

QByteArray toCp936(QStringView text, bool* allTwoByte) {
    QStringEncoder encoder("GB18030");
    QByteArray out = encoder.encode(text);
    if (allTwoByte) *allTwoByte = fitsCp936(text);
    return out;
}

}  // namespace platform
