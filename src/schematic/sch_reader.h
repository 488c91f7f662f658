#pragma once
// Reads a Protel ASCII schematic ("Protel for Windows - Schematic Capture Ascii
// File Version 1.2 - 2.0") section by section into a SchSheet: header, font
// table, library of components with the graphics of their parts, Future
// section, sheet parameters and records, Version 2.0 section.
//
// Every read starts from an empty sheet and leaves it empty when it fails, so
// nothing of an earlier or a broken file can leak into the next circuit.
// Result 1: the file was read through the end of its Version 2.0 section.
// Result 0: the file is missing or cannot be opened (nothing is reported), or
// the read ended with a format error or another failure (reported first).

#include "schematic/sch_model.h"
#include "schematic/sch_read_notifier.h"

#include <string_view>

class QString;

namespace schematic {

// Reads the file at `path`, reporting through `notifier`. The overload that
// shows the messages in boxes is in prompter_sch_notifier.h.
int ReadSchFile(SchSheet& sheet, const QString& path, SchReadNotifier& notifier);

// Reads a file's content: code page 936 bytes.
int ReadSchBytes(SchSheet& sheet, std::string_view cp936Bytes, SchReadNotifier& notifier);
// Reads a file's content already decoded to UTF-8.
int ReadSchText(SchSheet& sheet, std::string_view utf8Text, SchReadNotifier& notifier);

}  // namespace schematic
