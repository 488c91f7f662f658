#pragma once
// The monitor commands of the menu "Vuz设备命令": what each asks and shows.

#include "editions/edition_profile.h"
#include "link/link_state.h"

#include <QString>

namespace devlink {

struct MonitorCommand {
    char letter;
    DeviceLinkMode mode;
    QString promptFirstLine;  // empty: the command takes no address (R)
    QString boxTitle;
    QString caption;  // of the progress dialog
    QString label1;   // its title line
    QString label2;   // its description line
};

// D, R, U, G, T or P.
const MonitorCommand& monitorCommand(char letter);

// The address box's prompt: the command's first line and the two lines that explain the box.
QString addressPrompt(const MonitorCommand& command);
inline const QString kDefaultAddressAnswer = QStringLiteral("0H");

// The command's expected reply size in the edition: the progress bar's maximum,
// and for D, R and U the size a reply must exceed 70% of.
int expectedReplyBytes(const editions::EditionProfile& profile, char letter);

}  // namespace devlink
