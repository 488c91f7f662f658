#pragma once
// Puts parsed rich text into a QTextDocument: one block per paragraph, one
// character format per run.

#include "platform/rtf_reader.h"

#include <QTextCharFormat>

class QTextDocument;

namespace platform {

QTextCharFormat toCharFormat(const RtfRunFormat& format);

// Replaces the content of `doc` with `content`.
void fillTextDocument(const RtfContent& content, QTextDocument& doc);

// Parses `data` into `doc`; false (and `doc` untouched) when `data` is not RTF.
bool loadRtf(QByteArrayView data, QTextDocument& doc);

}  // namespace platform
