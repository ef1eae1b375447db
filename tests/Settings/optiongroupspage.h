#pragma once

#include "application.h"
#include "colors.h"
#include "template.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>
#include <ostream>
#include <memory>
#include <utility>
#include <vector>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name().toStdString();
}

// The real main window with some of its option-group panels taken into a window of their
// own, as their popups take them, beside an edit box outside every panel to move the focus to.
class OptionGroupsPage
{
public:
    OptionGroupsPage()
    {
        // No help window coming up over the page in the middle of a test.
        TApplication::Instance()->SetOnIdle({});
        TApplication::Instance()->SetErrorDisplay([this](const QString &message) { errors << message; });
        QCursor::setPos(0, 0); // off the board: no circle is entered as the window appears
        form = std::make_unique<TMainForm>();
        outside = new QLineEdit(&window);
        outside->setObjectName(QStringLiteral("Outside"));
    }
    ~OptionGroupsPage()
    {
        TApplication::Instance()->SetErrorDisplay({});
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    }

    // Moves the panels out of the main window side by side, shows them and waits until their
    // window is active. The popup that hosts a panel gives it the focus next: see Enter.
    bool Host(const std::vector<TRadioPanel *> &panels)
    {
        int x = 0, y = 0, rowHeight = 0;
        for (TRadioPanel *panel : panels) {
            if (x + panel->width() > 640) {
                x = 0;
                y += rowHeight + 8;
                rowHeight = 0;
            }
            panel->setParent(&window);
            panel->move(x, y);
            panel->setVisible(true);
            x += panel->width() + 8;
            rowHeight = std::max(rowHeight, panel->height());
            spies.emplace_back(panel, std::make_unique<QSignalSpy>(panel, &TRadioPanel::OnEnter));
        }
        outside->setGeometry(660, 0, 100, 21);
        window.resize(780, y + rowHeight);
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // The focus comes into the panel as its popup gives it.
    static void Enter(TRadioPanel *panel) { panel->setFocus(); }
    void Leave() { outside->setFocus(Qt::TabFocusReason); }

    // How often the panel's OnEnter has fired since it was hosted.
    int Entries(TRadioPanel *panel) const
    {
        for (const auto &[hosted, spy] : spies) {
            if (hosted == panel)
                return int(spy->count());
        }
        return -1;
    }

    std::unique_ptr<TMainForm> form;
    QWidget window;
    QLineEdit *outside;
    QStringList errors;

private:
    std::vector<std::pair<TRadioPanel *, std::unique_ptr<QSignalSpy>>> spies;
};

namespace UserActions {

inline void Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// On the radio button's indicator, which is always inside its click area.
inline void ClickRadio(QWidget *radio)
{
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// Types the characters one key at a time, also those without a key of their own.
inline void TypeKeys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Clicks into the edit box, selects all and types text; an empty text erases the selection.
inline void Type(QLineEdit *edit, const QString &text)
{
    Click(edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        TypeKeys(edit, text);
}

// Tabs to the closed list and walks to the entry with the arrow keys: every step is a choice.
// Returns the number of steps.
inline int ChooseWithKeys(QComboBox *list, int index)
{
    list->setFocus(Qt::TabFocusReason);
    int steps = 0;
    for (; steps < list->count() + 1 && list->currentIndex() != index; ++steps)
        QTest::keyClick(list, list->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    return steps;
}

// Opens the list with a click and clicks the entry. The open list ignores a release within
// the double-click time after it opened.
inline void ChooseWithMouse(QComboBox *list, int index)
{
    Click(list);
    QAbstractItemView *view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    const QRect item = view->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_TRUE(QTest::qWaitFor([view] { return !view->window()->isVisible(); }));
}

// Opens the list from the keyboard, moves in it and confirms with Return.
inline void ChooseInOpenList(QComboBox *list, int index)
{
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView *view = list->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    for (int steps = 0; steps < list->count() + 1 && view->currentIndex().row() != index; ++steps)
        QTest::keyClick(view, view->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([view] { return !view->window()->isVisible(); }));
}

} // namespace UserActions
