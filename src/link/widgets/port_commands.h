#pragma once
// The main window's port commands that show dialogs ("关闭端口" is closeDevicePort).

#include "link/link_state.h"

class QWidget;

namespace devlink {

// "自动搜索端口" and start-up: the search dialog, from its first search until it is closed.
void runPortSearch(LinkState& link);

// "手动设置端口": the manual port dialog, modal.
void runManualPortDialog(LinkState& link, QWidget* parent = nullptr);

}  // namespace devlink
