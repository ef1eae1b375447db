#pragma once

#include "application.h"
#include "boardhighlight.h"
#include "boardimage.h"
#include "infoforms.h"
#include "popupform.h"
#include "template.h"

#include <QMenu>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// The main window as the program shows it, maximized, with every circle painted once, and
// the mouse moved as a user moves it: the cursor and the enter and leave notifications.
struct BoardPage
{
    // With help, the support component builds its windows at the first idle moment and the
    // help window opens by itself; without, it stays out of the way.
    explicit BoardPage(bool help = false)
    {
        if (!help)
            TApplication::Instance()->SetOnIdle({});
        TApplication::Instance()->SetMainForm(&form);
        QCursor::setPos(0, 0); // off the board: no circle is entered as the window appears
        form.ShowAsStored();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        board = form.findChild<TBoardImage *>(QStringLiteral("BoardImage1"));
        circles = board->findChildren<TBoardHighlight *>(Qt::FindDirectChildrenOnly);
        EXPECT_TRUE(QTest::qWaitFor([this] {
            return std::all_of(circles.begin(), circles.end(), [](const TBoardHighlight *c) { return c->Rendered(); });
        }));
        if (help) {
            // The idle moment comes only when the event loop waits for events.
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (form.SetSup->HelpForm() && form.SetSup->HelpForm()->isVisible())
                    loop.quit();
            });
            poll.start(10);
            QTimer::singleShot(5000, &loop, &QEventLoop::quit);
            loop.exec();
            EXPECT_TRUE(form.SetSup->HelpForm() && form.SetSup->HelpForm()->isVisible());
        }
    }
    ~BoardPage()
    {
        TApplication::Instance()->SetOnIdle({});
        TApplication::Instance()->SetMainForm(nullptr);
    }

    TBoardHighlight *Circle(const char *name) const
    {
        return board->findChild<TBoardHighlight *>(QLatin1String(name));
    }
    QAction *Entry(const char *name) const { return form.findChild<QAction *>(QLatin1String(name)); }

    // The mouse onto the middle of a circle, from wherever it was.
    void Enter(TBoardHighlight *circle)
    {
        const QPoint target = circle->mapToGlobal(circle->rect().center());
        OutOfPopup(target);
        LeaveTo(target);
        const QPoint local = circle->rect().center();
        QEnterEvent enter(local, circle->mapTo(circle->window(), local), QCursor::pos());
        QCoreApplication::sendEvent(circle, &enter);
        hovered = circle;
    }
    // The mouse off the circle it is on, to a point on the screen.
    void LeaveTo(QPoint screen)
    {
        QCursor::setPos(screen);
        if (TBoardHighlight *circle = hovered) {
            hovered = nullptr;
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(circle, &leave);
        }
    }
    // The mouse into a popup from the circle it is on; then out of it again.
    void IntoPopup(QWidget *popup)
    {
        LeaveTo(popup->frameGeometry().center());
        inside = popup;
    }
    void OutOfPopup(QPoint screen)
    {
        QCursor::setPos(screen);
        if (QWidget *popup = inside) {
            inside = nullptr;
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(popup, &leave);
        }
    }
    // A point of the board away from every circle.
    QPoint Bare() const { return board->mapToGlobal(QPoint(200, 120)); }

    static QPushButton *Button(QWidget *popup, const char *name)
    {
        return popup->findChild<QPushButton *>(QLatin1String(name));
    }

    TMainForm form;
    TBoardImage *board = nullptr;
    QList<TBoardHighlight *> circles;
    QPointer<TBoardHighlight> hovered;
    QPointer<QWidget> inside;
};
