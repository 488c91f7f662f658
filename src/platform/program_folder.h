#pragma once
// "The program's folder": where help/, data/ and bin/ are looked for.
// It is the executable's folder, or $CORVANE_HOME when that is set.

#include <QString>

namespace platform {

QString programFolder();

// Resolves `relative` (parts separated by '/' or '\', as the program's own texts
// write them) under `base`, matching every part without regard to case.
// When a part has no match the rest is appended as given, so the caller gets a
// path it can report as missing.
QString resolveCaseInsensitive(const QString& base, const QString& relative);

// resolveCaseInsensitive(programFolder(), relative).
QString programFile(const QString& relative);

// True when `name` (parts separated by '/' or '\') stays inside the folder it
// is resolved under: it is not absolute (no leading separator, no drive
// letter) and none of its parts is "..". Names that files hand the program
// must be such names, or a file could make it read anything on the machine.
bool staysInFolder(const QString& name);

// True when `path`, with every symbolic link on it followed, lies inside
// `folder` (or is it), with the folder's own links followed too: a folder
// reached through a link keeps its files, and a link in it that leads
// elsewhere does not make that file one of them. A missing file is judged by
// where its path leads as far as it exists, so it stays a missing file of the
// folder unless a link on its way leads out; a dangling link by where it
// points. False for a loop of links.
bool liesInFolder(const QString& path, const QString& folder);

}  // namespace platform
