// frmmain.SetDisplayFontSize_Click: the font dialog sets the text size of the
// panes and lists. It opens only while the device link is idle and holds the
// command-line pump off while it is open.

#include "app/display_font_size.h"

#include "app/main_window.h"
#include "link/device_port.h"
#include "link/link_state.h"
#include "platform/prompter.h"
#include "platform/widgets/list_view.h"
#include "platform/widgets/rich_text_box.h"

#include <QFontInfo>
#include <QTimer>

#include <cmath>
#include <limits>

namespace app {

bool displayFontSizeApplies(double chosen, int current) {
    return chosen >= kSmallestDisplayFontSize && chosen <= kLargestDisplayFontSize && chosen != current;
}

int grownRightMargin(int margin, double to, int from) {
    if (from <= 0) return margin;
    const double grown = std::round((to / from + 0.2) * margin);
    constexpr double kMost = std::numeric_limits<int>::max();
    return grown >= kMost ? std::numeric_limits<int>::max() : static_cast<int>(grown);
}

namespace {

// The receive notification from one waiting byte is on: no pump is polling.
bool receiveNotificationOn(const devlink::LinkState& link) {
    return !link.port || link.port->receiveNotification();
}

}  // namespace

void MainWindow::SetDisplayFontSize_Click() {
    devlink::LinkState& link = devlink::linkState();
    // 1: only while no receive handler and no pump is at work.
    if (receiveNotificationOn(link) && link.CommBusy == 0 && !timer1_->isActive()) {
        // 2: the dialog starts from the command-line pane's font.
        link.CommBusy = 1;
        const QFont current = rich_[0]->boxFont();
        const int s0 = static_cast<int>(std::lround(current.pointSizeF()));
        // The face the pane really shows, so the dialog opens on it.
        const platform::FontChoice initial{QFontInfo(current).family(), current.pointSizeF(), current.bold(),
                                           current.italic(), current.underline(), current.strikeOut()};
        const std::optional<platform::FontChoice> chosen = platform::prompter().chooseFont(initial);
        // 3: Cancel changes nothing; of the choice only the size counts.
        if (chosen && displayFontSizeApplies(chosen->pointSize, s0) && receiveNotificationOn(link) &&
            !timer1_->isActive()) {
            const double s = chosen->pointSize;
            source_.TrackChanges = false;  // the editor's new size is no edit of the source
            rich_[0]->setBoxFontSize(s);
            if (hooks_.link.caretToPrompt) hooks_.link.caretToPrompt();
            rich_[0]->setRightMargin(grownRightMargin(rich_[0]->rightMargin(), s, s0));
            for (int i = 1; i <= 3; ++i) rich_[i]->setBoxFontSize(s);
            for (platform::ListView* l : list_) l->setFontSize(s - 2);
            source_.TrackChanges = true;
        }
        // 4
        link.CommBusy = 0;
    }
    // 5: what arrived meanwhile is shown.
    if (hooks_.link.runTerminalPump) hooks_.link.runTerminalPump();
}

}  // namespace app
