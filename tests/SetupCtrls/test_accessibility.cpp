#include "accessibility.h"
#include "boardhighlight.h"
#include "focusmark.h"
#include "jumpers.h"
#include "popupform.h"
#include "radiopanel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QLabel>
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
    EXPECT_EQ(combo.findChild<QAbstractItemView *>(), nullptr) << "the list is built when first shown or asked for";
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

// Its entry is text that can be read but neither selected nor edited; its one action opens and
// closes the list, unless it is disabled.
TEST(ComboBoxAccessibility, ItsTextIsReadOnlyAndItsActionOpensTheList)
{
    QComboBox combo;
    combo.addItems({QStringLiteral("0-5V"), QStringLiteral("0-10V")});
    combo.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&combo));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&combo);
    QAccessibleTextInterface *text = iface->textInterface();
    text->setSelection(0, 0, 2);
    text->addSelection(1, 3);
    text->setCursorPosition(2);
    int start = -1;
    int end = -1;
    EXPECT_EQ(text->attributes(1, &start, &end), QString());
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 0));
    text->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 0));
    EXPECT_EQ(text->selectionCount(), 0);
    EXPECT_EQ(text->cursorPosition(), 0);
    EXPECT_EQ(text->offsetAtPoint(QPoint(1, 1)), -1);
    EXPECT_EQ(text->text(2, 4), QStringLiteral("5V"));
    EXPECT_EQ(iface->indexOfChild(iface->child(0)), 0);

    QAccessibleActionInterface *actions = iface->actionInterface();
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(QTest::qWaitFor([iface] { return iface->state().expanded; }));
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(QTest::qWaitFor([iface] { return iface->state().collapsed; }));
    combo.setEnabled(false);
    EXPECT_TRUE(actions->actionNames().isEmpty());
    actions->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_FALSE(combo.view()->isVisible());
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
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(circle, key);
        ASSERT_TRUE(circle->Popup());
        EXPECT_TRUE(circle->Popup()->isVisible());
        EXPECT_TRUE(circle->Pinned());
        circle->Popup()->close();
        page.activateWindow();
        circle->setFocus(Qt::TabFocusReason);
    }
    // A held key and any other key press nothing.
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(circle, &held);
    QTest::keyClick(circle, Qt::Key_A);
    EXPECT_FALSE(circle->Popup()->isVisible());
}

// A reader sets a three-pin jumper's value by clicks, as a user would: as many as it takes, none
// while disabled, and no more than a round when the value is one the jumper refuses.
TEST(JumperAccessibility, AThreePinJumpersValueIsReachedByClicks)
{
    QWidget page;
    auto *three = new TThreeJumper(&page);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(three);
    QAccessibleValueInterface *value = iface->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("open"));
    EXPECT_EQ(value->maximumValue(), int(TJumperControl::jsRight));
    EXPECT_EQ(value->minimumStepSize(), 1);
    using S = TJumperControl::TJumperState;
    const struct
    {
        bool allowOpen, enabled;
        S target, after;
        int clicks;
        S minimum;
    } cases[] = {
        {true, true, S::jsRight, S::jsRight, 2, S::jsOpen},
        {true, true, S::jsOpen, S::jsOpen, 1, S::jsOpen},
        {true, false, S::jsLeft, S::jsOpen, 0, S::jsOpen},
        {false, true, S::jsOpen, S::jsRight, 3, S::jsLeft}, // refused: left, right, left, right
    };
    for (const auto &c : cases) {
        three->SetAllowOpen(c.allowOpen);
        three->setEnabled(c.enabled);
        QSignalSpy clicks(three, &TJumperControl::OnClick);
        value->setCurrentValue(int(c.target));
        EXPECT_EQ(three->JumperState(), c.after) << c.target;
        EXPECT_EQ(clicks.count(), c.clicks) << c.target;
        EXPECT_EQ(value->minimumValue(), int(c.minimum));
    }
}

// Jumpers that one label names are numbered in reading order; names and descriptions the page
// sets win over what the controls would say; a calibration circle says its kind of help.
TEST(Accessibility, JumpersOfOneLabelAreNumberedAndThePagesOwnTextsAreKept)
{
    QWidget page;
    auto *label = new QLabel(QStringLiteral("JP1"), &page);
    label->setGeometry(0, 0, 20, 100);
    QList<TTwoJumper *> column;
    for (const int y : {60, 0, 30}) {
        column << new TTwoJumper(&page);
        column.last()->move(22, y);
    }
    EXPECT_EQ(Accessibility::JumperName(column[1]), QStringLiteral("JP1, 1"));
    EXPECT_EQ(Accessibility::JumperName(column[2]), QStringLiteral("JP1, 2"));
    EXPECT_EQ(Accessibility::JumperName(column[0]), QStringLiteral("JP1, 3"));

    auto *circle = new TBoardHighlight(&page);
    circle->SetHighlightType(TBoardHighlight::htCalibration);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(circle)->text(QAccessible::Description),
              QStringLiteral("Calibration: controlling the hardware device"));
    for (QWidget *control : {static_cast<QWidget *>(circle), static_cast<QWidget *>(new TRadioPanel(&page)),
                             static_cast<QWidget *>(column[0]), static_cast<QWidget *>(new TThreeJumper(&page))}) {
        control->setAccessibleName(QStringLiteral("Own name"));
        control->setAccessibleDescription(QStringLiteral("Own description"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
        EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Own name")) << control->metaObject()->className();
        EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Own description"))
            << control->metaObject()->className();
    }
}

namespace {

struct News
{
    QString name;
    QAccessible::Role role;
    bool childOfApplication;
    int children;
};
QList<News> news;

void RecordNews(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface)
        news << News{iface->text(QAccessible::Name), iface->role(),
                     iface->parent() == QAccessible::queryAccessibleInterface(qApp) && iface->parent()->indexOfChild(iface) == -1,
                     iface->childCount() + (iface->child(0) ? 1 : 0)};
}

} // namespace

// What the focused jumper's click moves is a notification: its own position first, then the
// others; the last eight stay for a reader that is behind.
TEST(Accessibility, WhatAFocusedJumperMovesIsToldAndTheLastEightStay)
{
    QWidget page;
    auto *three = new TThreeJumper(&page);
    auto *two = new TTwoJumper(&page);
    two->setObjectName(QStringLiteral("Link2"));
    two->move(0, 40);
    QObject::connect(three, &TJumperControl::OnClick, two, [two] { two->SetClosed(!two->Closed()); });
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    three->setFocus();
    news.clear();
    Accessibility::SetAnnouncer(RecordNews);
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(three, Qt::Key_Space);
        QCoreApplication::processEvents();
    }
    Accessibility::SetAnnouncer(nullptr);
    ASSERT_EQ(news.size(), 10);
    EXPECT_EQ(news[0].name, QStringLiteral("on the left pair; Link2: fitted"));
    EXPECT_EQ(news[1].name, QStringLiteral("on the right pair; Link2: not fitted"));
    EXPECT_EQ(news[0].role, QAccessible::Notification);
    EXPECT_TRUE(news[0].childOfApplication);
    EXPECT_EQ(news[0].children, 0);
    EXPECT_EQ(qApp->findChildren<QObject *>(QStringLiteral("AccessibleNews"), Qt::FindDirectChildrenOnly).size(), 8);
}
