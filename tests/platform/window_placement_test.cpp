#include "platform/widgets/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

// A new window appears centred over its owner, cascaded on request, on the
// owner's screen, and only its first placement counts.
TEST(WindowPlacement, OverTheOwnerOnceAndOnItsScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner;
    owner.setGeometry(screen.left() + 100, screen.top() + 80, 400, 300);
    owner.show();
    const struct {
        const char* name;
        QSize size;
        int cascade;
        QPoint expected;  // relative to the screen's corner
    } cases[] = {
        {"centred", {200, 100}, 0, {200, 180}},
        {"second of a cascade", {200, 100}, 1, {200, 180}},  // plus one step, checked below
        {"wider than the room left of it", {2000, 100}, 0, {0, 180}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        window.resize(c.size);
        platform::placeOverOnce(window, &owner, c.cascade);
        const QPoint at = window.pos() - screen.topLeft();
        if (c.cascade == 0) {
            EXPECT_EQ(at, c.expected);
        } else {
            EXPECT_GT(at.x(), c.expected.x());
            EXPECT_EQ(at.x() - c.expected.x(), at.y() - c.expected.y());
        }
        const QPoint placed = window.pos();
        window.move(placed + QPoint(5, 5));  // the user moves it
        platform::placeOverOnce(window, &owner);
        EXPECT_EQ(window.pos(), placed + QPoint(5, 5));
    }
    QWidget nowhere;
    nowhere.move(7, 9);
    platform::placeOverOnce(nowhere, nullptr);
    EXPECT_EQ(nowhere.pos(), QPoint(7, 9));
}
