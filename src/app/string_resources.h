#pragma once
// The main window's string resources 101 to 108. Each is stored twice: as an
// RTF document in code page 936 (宋体, its text in 12 pt and a closing 10-pt
// paragraph mark) and as plain text. Which form a pane gets follows the user's
// language, as the platform's string loader picks the table; a pane shows
// either form as its rich text.

#include <QByteArray>
#include <QString>

namespace app {

enum class ResourceForm { RichText, PlainText };

// The plain text of string `id`; empty for an unknown id.
QString resourcePlainText(int id);
// The RTF form of string `id`; empty for an unknown id.
QByteArray resourceRichText(int id);

// The form the user's language selects: plain text for Chinese, RTF otherwise.
ResourceForm resourceFormForLanguage();

// LoadResString: string `id` in `form`, as a text a pane takes as rich text.
QString LoadResString(int id, ResourceForm form = resourceFormForLanguage());

}  // namespace app
