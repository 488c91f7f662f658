#pragma once
// The display font size command's arithmetic: which chosen sizes change the
// panes, and how the command-line pane's right margin follows a change.

namespace app {

// The sizes the command takes: 12 (小四) to 30 (一号).
inline constexpr double kSmallestDisplayFontSize = 12;
inline constexpr double kLargestDisplayFontSize = 30;

// True when `chosen` changes the panes: a size from 12 to 30 other than `current`.
bool displayFontSizeApplies(double chosen, int current);

// The command-line pane's right margin after a change from size `from` to
// `to`: it grows by to / from + 0.2 on every change, also when the size
// shrinks, so that the wider text never wraps early. Kept within int range.
int grownRightMargin(int margin, double to, int from);

}  // namespace app
