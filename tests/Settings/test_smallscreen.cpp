#include "boardpage.h"

#include <QScreen>

namespace {

// Run on the default offscreen screen and once more on a 640 x 480 one (SettingsSmallScreen).
TEST(SmallScreen, EveryPopupsFrameStaysInTheWorkAreaWithDoneOffItsCircle)
{
    BoardPage page;
    const QRect area = page.form.screen()->availableGeometry();
    for (TBoardHighlight *circle : std::as_const(page.circles)) {
        page.Enter(circle);
        // A linked circle opens its group's popup.
        TPopupForm *popup = nullptr;
        for (TPopupForm *shown : page.form.findChildren<TPopupForm *>())
            popup = shown->isVisible() ? shown : popup;
        ASSERT_NE(popup, nullptr) << circle->objectName().toStdString();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
        const QRect frame = popup->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << circle->objectName().toStdString() << " at " << frame.x() << ","
                                          << frame.y() << " " << frame.width() << "x" << frame.height();
        const QPushButton *done = BoardPage::Button(popup, "DoneButton");
        const QRect button(done->mapToGlobal(QPoint()), done->size());
        EXPECT_FALSE(button.intersects(QRect(circle->mapToGlobal(QPoint()), circle->size())))
            << circle->objectName().toStdString();
        page.LeaveTo(page.Bare());
        popup->close();
    }
}

} // namespace
