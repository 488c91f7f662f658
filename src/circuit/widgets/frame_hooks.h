#pragma once
// What the program hands the experiment frame: the About box, the main
// window's part in quitting, and the IC test panels. An empty member means
// "nothing to do" (a program started with --circuit has no main window).

#include <QString>

#include <functional>

class QWidget;

namespace circuit::widgets {

// The test panels of the frame's menus, in menu order.
enum class TestPanelItem : int { Ls00 = 0, Ls138 = 1, Ls244 = 2, Ls374 = 3, Ram6116 = 4, Rom2732 = 5 };
inline constexpr int kTestPanelCount = 6;

struct FrameHooks {
    // The program's edition word, which leads the frame's caption.
    QString editionWord;
    // "关于...": the About box, modal over `parent`.
    std::function<void(QWidget* parent)> showAbout;
    // After "是" to "立即退出？": the main window's save question when its
    // source is modified; false (cancelled, or not saved) keeps everything running.
    std::function<bool()> mainWindowMayQuit;
    // Closes the main window and its device port without asking again.
    std::function<void()> unloadMainWindow;
    // Makes test panel `panel` (a TestPanelItem) with its own simulator. The
    // frame shows what it returns as a borderless maximised child, made once;
    // nullptr shows nothing.
    std::function<QWidget*(int panel, QWidget* parent)> createTestPanel;
};

}  // namespace circuit::widgets
