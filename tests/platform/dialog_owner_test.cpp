#include "platform/widgets/dialog_owner.h"

#include <QDialog>
#include <QMainWindow>
#include <QWindow>

#include <gtest/gtest.h>

// A dialog without a parent (usable while the owner is disabled) is still tied
// to the owner for the window manager, also once shown and after the owner has gone.
TEST(DialogOwner, DialogsStayTransientsOfTheRegisteredOwner) {
    QDialog orphan;
    platform::keepAboveDialogOwner(&orphan);  // no owner yet: nothing happens
    EXPECT_EQ(orphan.windowHandle(), nullptr);
    {
        QMainWindow owner;
        platform::setDialogOwner(&owner);
        QDialog dialog;
        platform::keepAboveDialogOwner(&dialog);
        owner.setEnabled(false);
        dialog.show();
        ASSERT_NE(dialog.windowHandle(), nullptr);
        EXPECT_EQ(dialog.windowHandle()->transientParent(), owner.windowHandle());
        EXPECT_TRUE(dialog.isEnabled());
        EXPECT_EQ(platform::dialogOwner(), &owner);
    }
    EXPECT_EQ(platform::dialogOwner(), nullptr);
}
