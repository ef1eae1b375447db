#include "boardimage.h"
#include "infoforms.h"
#include "template.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

TEST(BoardPage, ThePictureStandsCentredOnTheMainWindow)
{
    const QString photograph = QStringLiteral(":/layout/board.jpg");
    if (!QFile::exists(photograph))
        GTEST_SKIP() << "no photograph in the layout yet";
    TMainForm form;
    auto *board = form.findChild<TBoardImage *>(QStringLiteral("BoardImage1"));
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(form.centralWidget()->children().value(0), board);
    EXPECT_EQ(board->Menu(), form.MainMenu1);
    EXPECT_EQ(board->PictureSource(), photograph); // decoded: a failure leaves it empty
    EXPECT_EQ(board->Picture()->Image().size(), QSize(600, 611));
    EXPECT_TRUE(board->Stretch());
    EXPECT_FALSE(board->AutoSize());
    EXPECT_EQ(board->DestRect(), QRect(0, 0, 400, 400));
    EXPECT_EQ(board->maximumSize(), QSize(400, 400));

    form.winId();
    SetOuterSize(&form, QSize(873, 737));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(board->geometry(), QRect(236, 168, 400, 400));
    EXPECT_EQ(board->DesignLeft(), 223);
    EXPECT_EQ(board->DesignTop(), 130);
}
