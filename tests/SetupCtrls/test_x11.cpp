// Run on an X display with a window manager (ctest's SetupCtrlsTests.X11); skipped elsewhere.
#include "boardhighlight.h"
#include "form.h"
#include "popupform.h"
#include "windowframe.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class X11 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display with a window manager";
    }
};

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST_F(X11, TheWindowManagerTellsTheFrameBeforeTheWindowIsShown)
{
    QWidget window;
    EXPECT_TRUE(WindowFrame::Requested(window.windowHandle()).isNull()) << "no native window yet";
    window.resize(200, 100);
    window.winId();
    const QMargins requested = WindowFrame::Requested(window.windowHandle());
    EXPECT_GT(requested.top(), requested.bottom()) << "a title bar";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.windowHandle()->frameMargins().isNull(); }));
    EXPECT_EQ(window.windowHandle()->frameMargins(), requested);
}

TEST_F(X11, APopupInTheCornerKeepsItsWholeFrameInTheWorkArea)
{
    // Its main window not shown: no frame to stand in for the popup's. Placed 38 pixels below
    // its parent, the popup overshoots the work area's right and bottom edges.
    QWidget form;
    auto *board = new QWidget(&form);
    board->setGeometry(WorkArea().right() - 50, WorkArea().bottom() - 200, 100, 100);
    auto *circle = new TBoardHighlight(board);
    circle->MouseEnter(0);
    TPopupForm *popup = circle->Popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !popup->windowHandle()->frameMargins().isNull(); }));
    QTest::qWait(50);
    EXPECT_EQ(popup->frameGeometry().bottomRight(), WorkArea().bottomRight());
}

TEST_F(X11, ARestoredFormFollowsTheWindowManagersMovesUntilItFillsTheWorkArea)
{
    TForm form;
    form.resize(300, 200);
    form.SetAlign(TForm::alClient);
    form.SetWindowState(TForm::wsMaximized);
    form.ShowAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // Maximized by the window manager, not only in Qt's own state.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.isMaximized() && form.width() == WorkArea().width(); }));
    form.showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameGeometry() == WorkArea(); }))
        << form.frameGeometry().x() << "," << form.frameGeometry().y() << " " << form.frameGeometry().width() << "x"
        << form.frameGeometry().height();
    // The window manager may still change the frame (a restored window gets its border back):
    // the form ends fitted all the same.
    QTest::qWait(200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.frameGeometry() == WorkArea(); })) << "and ends there";
}
