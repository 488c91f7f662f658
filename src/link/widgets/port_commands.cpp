#include "link/widgets/port_commands.h"

#include "link/widgets/auto_scan_com_port.h"
#include "link/widgets/dlg_set_comm.h"

namespace devlink {

void runPortSearch(LinkState& link) {
    AutoScanComPort dialog(link);
    dialog.search().run();
}

void runManualPortDialog(LinkState& link, QWidget* parent) {
    dlgSetComm dialog(link, parent);
    dialog.exec();
}

}  // namespace devlink
