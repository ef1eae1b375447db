#include "form.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

TEST(Form, ShownNormalTakesItsStoredOuterSizeCentredOrItsSideOfTheWorkArea)
{
    const QRect area = WorkArea();
    const struct
    {
        TForm::TAlign align;
        QRect outer;
    } cases[] = {
        {TForm::alNone, QRect(area.x() + (area.width() - 300) / 2, area.y() + (area.height() - 200) / 2, 300, 200)},
        {TForm::alTop, QRect(area.x(), area.y(), area.width(), 200)},
        {TForm::alBottom, QRect(area.x(), area.y() + area.height() - 200, area.width(), 200)},
        {TForm::alLeft, QRect(area.x(), area.y(), 300, area.height())},
        {TForm::alRight, QRect(area.x() + area.width() - 300, area.y(), 300, area.height())},
        {TForm::alClient, area},
    };
    for (const auto &c : cases) {
        TForm form;
        form.resize(300, 200);
        form.SetPosition(TForm::poScreenCenter);
        form.SetAlign(c.align);
        form.ShowAsStored();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_EQ(form.frameGeometry(), c.outer) << c.align;
        EXPECT_FALSE(form.isMaximized() || form.isMinimized());
    }
}

TEST(Form, OpensInItsStoredWindowState)
{
    TForm designed;
    designed.resize(300, 200);
    designed.ShowAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&designed));
    EXPECT_EQ(designed.frameGeometry().size(), QSize(300, 200));
    EXPECT_FALSE(designed.isMaximized() || designed.isMinimized());

    TForm minimized;
    minimized.SetWindowState(TForm::wsMinimized);
    minimized.ShowAsStored();
    EXPECT_TRUE(minimized.isMinimized());

    TForm maximized;
    maximized.SetWindowState(TForm::wsMaximized);
    maximized.ShowAsStored();
    EXPECT_TRUE(maximized.isMaximized());
}
