#include "jumpers.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>

#include <gtest/gtest.h>
#include <functional>

// A jumper's one action is a user's click: the state changes and OnClick fires; a disabled
// jumper, which takes no clicks, offers none.
TEST(JumperAccessibility, TheActionClicksAsAUserDoesUnlessDisabled)
{
    QWidget page;
    auto *two = new TTwoJumper(&page);
    two->setObjectName(QStringLiteral("Link1"));
    auto *three = new TThreeJumper(&page);
    three->setObjectName(QStringLiteral("Link2"));
    three->move(0, 40);
    const struct
    {
        TJumperControl *jumper;
        QString action;
        QAccessible::Role role;
        std::function<QString()> state;
        QString after;
    } cases[] = {
        {two, QAccessibleActionInterface::toggleAction(), QAccessible::CheckBox,
         [two] { return two->Closed() ? QStringLiteral("closed") : QStringLiteral("open"); }, "closed"},
        {three, QAccessibleActionInterface::pressAction(), QAccessible::Button,
         [three] { return QAccessible::queryAccessibleInterface(three)->text(QAccessible::Value); }, "left"},
    };
    for (const auto &c : cases) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c.jumper);
        ASSERT_TRUE(iface && iface->actionInterface());
        EXPECT_EQ(iface->role(), c.role);
        EXPECT_EQ(iface->text(QAccessible::Name), c.jumper->objectName()); // no label beside it
        QSignalSpy clicks(c.jumper, &TJumperControl::OnClick);
        c.jumper->setEnabled(false);
        EXPECT_TRUE(iface->actionInterface()->actionNames().isEmpty());
        iface->actionInterface()->doAction(c.action);
        EXPECT_EQ(clicks.count(), 0);
        c.jumper->setEnabled(true);
        EXPECT_EQ(iface->actionInterface()->actionNames(), QStringList{c.action});
        iface->actionInterface()->doAction(c.action);
        EXPECT_EQ(clicks.count(), 1);
        EXPECT_EQ(c.state(), c.after);
    }
}
