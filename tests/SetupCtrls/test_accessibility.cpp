#include "boardhighlight.h"
#include "focusmark.h"
#include "jumpers.h"
#include "popupform.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

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
         [three] { return QAccessible::queryAccessibleInterface(three)->text(QAccessible::Value); }, "on the left pair"},
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

// A list box is named by its accessible name, not by its entry, which is its value and its text;
// an entry selected in the closed list through assistive technology is a user's pick.
TEST(ComboBoxAccessibility, KeepsItsNameAndTakesAnEntrySelectedInItsList)
{
    QComboBox combo;
    combo.addItems({QStringLiteral("0-5V"), QStringLiteral("0-10V")});
    combo.setAccessibleName(QStringLiteral("Output range"));
    QSignalSpy picks(&combo, &QComboBox::activated);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&combo);
    ASSERT_TRUE(iface && iface->textInterface());
    EXPECT_EQ(iface->role(), QAccessible::ComboBox);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Output range"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("0-5V"));
    EXPECT_TRUE(iface->state().collapsed);

    QAccessibleInterface *list = iface->child(0);
    ASSERT_TRUE(list && list->tableInterface());
    QAccessibleInterface *second = list->tableInterface()->cellAt(1, 0);
    ASSERT_TRUE(second && second->tableCellInterface());
    ASSERT_TRUE(second->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    second->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(iface->textInterface()->text(0, iface->textInterface()->characterCount()), QStringLiteral("0-10V"));

    combo.setAccessibleName(QString());
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("0-10V"));
}

// Space on the focused jumper is a user's click, Space or Return on the focused circle a press:
// both draw a black and white focus mark along their edge while they have the focus, as a
// marked text box does inside its frame.
TEST(Keyboard, SpaceClicksTheFocusedJumperOrPressesTheFocusedCircle)
{
    QWidget page;
    page.resize(200, 120);
    auto *jumper = new TTwoJumper(&page);
    auto *circle = new TBoardHighlight(&page);
    circle->move(100, 0);
    auto *text = new QPlainTextEdit(&page);
    text->setGeometry(0, 70, 90, 40);
    text->setReadOnly(true);
    FocusMark::MarkTextBox(text);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    const auto marked = [](QWidget *control, QPoint outer, QPoint inner) {
        const QImage shot = control->grab().toImage();
        return shot.pixelColor(outer) == Qt::black && shot.pixelColor(inner) == Qt::white;
    };

    // The window's activation alone shows no mark.
    ASSERT_TRUE(jumper->hasFocus());
    EXPECT_FALSE(marked(jumper, {0, 0}, {1, 1}));
    QTest::keyClick(jumper, Qt::Key_Tab);
    ASSERT_TRUE(circle->hasFocus());
    EXPECT_TRUE(marked(circle, {32, 0}, {32, 1}));
    EXPECT_FALSE(marked(text->viewport(), {0, 0}, {1, 1}));
    QTest::keyClick(circle, Qt::Key_Tab);
    ASSERT_TRUE(text->hasFocus());
    EXPECT_TRUE(marked(text->viewport(), {0, 0}, {1, 1}));
    QTest::keyClick(text, Qt::Key_Backtab);
    QTest::keyClick(circle, Qt::Key_Backtab);
    EXPECT_TRUE(marked(jumper, {0, 0}, {1, 1}));
    EXPECT_FALSE(marked(circle, {32, 0}, {32, 1}));

    QSignalSpy clicks(jumper, &TJumperControl::OnClick);
    QTest::keyClick(jumper, Qt::Key_Space);
    EXPECT_TRUE(jumper->Closed());
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(jumper, Qt::Key_Tab);
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        QTest::keyClick(circle, key);
        ASSERT_TRUE(circle->Popup());
        EXPECT_TRUE(circle->Popup()->isVisible());
        EXPECT_TRUE(circle->Pinned());
        circle->Popup()->close();
        page.activateWindow();
        circle->setFocus(Qt::TabFocusReason);
    }
}
