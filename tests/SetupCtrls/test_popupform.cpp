#include "anchors.h"
#include "highlightpage.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

namespace {

using H = TBoardHighlight;

QStringList ChildNames(const QWidget *popup)
{
    QStringList names;
    for (const QObject *child : popup->children()) {
        if (child->isWidgetType())
            names << child->objectName();
    }
    return names;
}

QRect Geometry(const QWidget *popup, const char *name)
{
    return popup->findChild<QWidget *>(QLatin1String(name))->geometry();
}

QPushButton *Button(const QWidget *popup, const char *name)
{
    return popup->findChild<QPushButton *>(QLatin1String(name));
}

void Leave(QWidget *widget, QPoint cursor)
{
    QCursor::setPos(cursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

QWidget *FocusIn(const QWidget *window)
{
    QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == window ? focus : nullptr;
}

} // namespace

TEST(PopupForm, HostsThePanelAtItsLaidOutPlaceMovedWithTheBoard)
{
    THighlightPage page;
    page.Show();
    page.AlphaBox->addItems({QStringLiteral("one"), QStringLiteral("two")});
    page.Board->move(130, 100); // 30, 20 from where the layout put it
    page.Alpha->MouseEnter(0);
    TPopupForm *popup = page.Alpha->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->parent(), page.Alpha);
    EXPECT_EQ(popup->Highlight, page.Alpha);
    EXPECT_EQ(popup->windowTitle(), QStringLiteral("Alpha"));
    EXPECT_EQ(popup->Tag(), int(H::htSettings));
    EXPECT_TRUE(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(popup->windowType(), Qt::Tool);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(page.Alpha->Pinned());

    // 185 x 100 and the memo: the width grows to the 194 outer minimum.
    const QMargins frame = popup->windowHandle()->frameMargins();
    EXPECT_EQ(popup->frameGeometry(), QRect(430, 40, 194, 209 + frame.top() + frame.bottom()));
    const int width = 194 - frame.left() - frame.right();
    EXPECT_EQ(popup->size(), QSize(width, 209));
    EXPECT_EQ(popup->minimumSize(), popup->size());
    EXPECT_EQ(ChildNames(popup), (QStringList{QStringLiteral("AlphaPanel"), QStringLiteral("PopupStatus"),
                                              QStringLiteral("PreviousButton"), QStringLiteral("NextButton"),
                                              QStringLiteral("DoneButton"), QStringLiteral("StatusMemo")}));
    EXPECT_EQ(page.AlphaPanel->geometry(), QRect(0, 0, 185, 100));
    EXPECT_TRUE(page.AlphaPanel->isVisible() && page.AlphaPanel->Hosted());
    EXPECT_EQ(Geometry(popup, "PopupStatus"), QRect(0, 190, width, 19));
    EXPECT_EQ(Geometry(popup, "PreviousButton"), QRect(6, 165, 58, 25));
    EXPECT_EQ(Geometry(popup, "NextButton"), QRect((width - 58) / 2, 165, 58, 25));
    EXPECT_EQ(Geometry(popup, "DoneButton"), QRect(width - 64, 165, 58, 25));
    EXPECT_EQ(Geometry(popup, "StatusMemo"), QRect(6, 101, width - 12, 58));
    EXPECT_EQ(Anchors::AnchorsOf(Button(popup, "PreviousButton")), Anchors::akLeft | Anchors::akBottom);
    EXPECT_EQ(Anchors::AnchorsOf(Button(popup, "NextButton")), Anchors::TAnchors(Anchors::akBottom));
    EXPECT_EQ(Anchors::AnchorsOf(Button(popup, "DoneButton")), Anchors::akRight | Anchors::akBottom);
    EXPECT_EQ(Anchors::AnchorsOf(popup->PopupStatus), Anchors::akLeft | Anchors::akRight | Anchors::akBottom);
    auto *memo = popup->findChild<QPlainTextEdit *>(QStringLiteral("StatusMemo"));
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("First line.\nSecond line."));
    EXPECT_EQ(popup->PopupStatus->objectName(), QStringLiteral("PopupStatus"));

    // The panel takes the focus, which enters it once.
    ASSERT_TRUE(QTest::qWaitFor([&] { return FocusIn(popup) == page.AlphaPanel; }));
    EXPECT_EQ(page.AlphaEnters, 1);
    page.AlphaBox->setFocus();
    EXPECT_EQ(page.AlphaEnters, 1);
    popup->close();
    page.Alpha->MouseEnter(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.Alpha->PopupActive(); }));
    EXPECT_EQ(page.AlphaEnters, 1) << "the popup kept its focused control";
    EXPECT_EQ(page.findChildren<TPopupForm *>().size(), 1);
}

TEST(PopupForm, ASmallPanelGetsTheMinimumSizeAndACentredNext)
{
    THighlightPage page;
    page.Show();
    page.Gamma->MouseEnter(0);
    TPopupForm *popup = page.Gamma->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Tag(), int(H::htOptions));
    const QMargins frame = popup->windowHandle()->frameMargins();
    const int width = 194 - frame.left() - frame.right();
    EXPECT_EQ(popup->frameGeometry().size(), QSize(194, 129 + frame.top() + frame.bottom()));
    EXPECT_EQ(Geometry(popup, "NextButton"), QRect((width - 58) / 2, 85, 58, 25));
    EXPECT_EQ(Geometry(popup, "DoneButton"), QRect(width - 64, 85, 58, 25));
    EXPECT_EQ(Geometry(popup, "SmallPanel"), QRect(0, 0, width, 20)) << "anchored right, it follows the width";

    // Lower than the minimum: a panel 5 pixels high gives an outer height of 118, raised to 122.
    QWidget parent;
    auto *circle = new H(&parent);
    auto *panel = new TRadioPanel(&parent);
    panel->resize(300, 5);
    circle->SetRadioPanel(panel);
    circle->MouseEnter(0);
    EXPECT_EQ(circle->Popup()->frameGeometry().size(), QSize(300 + frame.left() + frame.right(), 122));
    EXPECT_EQ(circle->Popup()->minimumSize(), circle->Popup()->size());
}

TEST(PopupForm, WithoutPanelItStandsBelowThePictureWithDoneFocused)
{
    THighlightPage page;
    page.Show();
    page.Delta->MouseEnter(0);
    TPopupForm *popup = page.Delta->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->frameGeometry(), QRect(100, 80 + 200 + 38, 194, 141));
    const QSize client = popup->size();
    EXPECT_EQ(Geometry(popup, "StatusMemo"), QRect(6, client.height() - 44 - 6 - 58, client.width() - 12, 58));
    EXPECT_TRUE(popup->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
    EXPECT_EQ(ChildNames(popup).first(), QStringLiteral("PopupStatus"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return FocusIn(popup) == Button(popup, "DoneButton"); }));
}

TEST(PopupForm, StaysOnTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    struct Case
    {
        QPoint board;
        QPoint expected;
    };
    // Without a panel the popup stands 38 pixels below its 100-pixel parent.
    for (const Case &c : {Case{{-50, 10}, {0, 148}}, Case{{screen.width() - 100, 10}, {screen.width() - 194, 148}},
                          Case{{10, -300}, {10, 0}}, Case{{10, screen.height() - 150}, {10, screen.height() - 141}}}) {
        QWidget form;
        auto *board = new QWidget(&form);
        board->setGeometry(QRect(c.board, QSize(100, 100)));
        auto *circle = new H(board);
        circle->MouseEnter(0);
        ASSERT_NE(circle->Popup(), nullptr);
        EXPECT_EQ(circle->Popup()->frameGeometry().topLeft(), c.expected) << c.board.x() << "," << c.board.y();
    }
}

TEST(PopupForm, PlaceKeepsTheFrameInTheWorkAreaAndDoneOffTheCircle)
{
    // A 200 x 150 frame in a work area below a 30-pixel panel; Done at (130, 100) in the frame.
    const QRect area(0, 30, 640, 450);
    const QRect done(130, 100, 58, 25);
    struct Case
    {
        QPoint place;
        QRect circle;
        QPoint expected;
    };
    for (const Case &c : {Case{{100, 100}, {0, 0, 10, 10}, {100, 100}},
                          Case{{-20, 10}, {0, 0, 10, 10}, {0, 30}},
                          Case{{500, 400}, {0, 0, 10, 10}, {440, 330}},
                          // Done over the circle: the shortest way off it, here to the right
                          Case{{100, 100}, {210, 190, 40, 40}, {120, 100}},
                          // at the right edge already, so down
                          Case{{440, 100}, {560, 190, 40, 40}, {440, 130}},
                          // nowhere to go in the area: left where it is
                          Case{{0, 30}, {0, 30, 640, 450}, {0, 30}}}) {
        EXPECT_EQ(PopupPlace(c.place, QSize(200, 150), area, done, c.circle), c.expected)
            << c.place.x() << "," << c.place.y();
    }
}

TEST(PopupForm, ClosingHidesItUnlightsTheGroupAndShowingItAgainUnpins)
{
    THighlightPage page;
    page.Show();
    QAction *entry = page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Beta"));
    page.Beta2->MouseEnter(0);
    page.Beta2->Click();
    TPopupForm *popup = page.Beta2->Popup();
    EXPECT_TRUE(entry->isChecked());
    QTest::mouseClick(Button(popup, "DoneButton"), Qt::LeftButton);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(page.Beta->Lit() || page.Beta2->Lit());
    EXPECT_FALSE(entry->isChecked());
    EXPECT_TRUE(page.Beta2->Pinned()) << "until it is shown again";
    EXPECT_EQ(page.findChild<TPopupForm *>(), popup) << "hidden, not destroyed";

    page.Beta->MouseEnter(0);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_FALSE(page.Beta2->Pinned());
    EXPECT_FALSE(entry->isChecked());

    // The close box closes the same way.
    page.Beta->Click();
    popup->close();
    EXPECT_FALSE(popup->isVisible() || entry->isChecked() || page.Beta->Lit());
}

TEST(PopupForm, AClickOnACircleWhosePopupClosedPinsNothing)
{
    THighlightPage page;
    page.Show();
    QAction *entry = page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Alpha"));
    page.Alpha->MouseEnter(0);
    page.Alpha->Click();
    Button(page.Alpha->Popup(), "DoneButton")->click(); // from the keyboard: the mouse is still on the circle
    page.Alpha->Click();
    EXPECT_FALSE(page.Alpha->Popup()->isVisible());
    EXPECT_FALSE(entry->isChecked()) << "no check mark for a popup that is not shown";
}

TEST(PopupForm, PinningKeepsTheFocusedControl)
{
    THighlightPage page;
    page.Show();
    page.Alpha->MouseEnter(0);
    TPopupForm *popup = page.Alpha->Popup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return FocusIn(popup) == page.AlphaPanel; }));
    page.AlphaBox->setFocus();
    page.activateWindow(); // the user goes back to the board to click the circle
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    page.Alpha->Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.Alpha->PopupActive(); }));
    EXPECT_EQ(FocusIn(popup), page.AlphaBox);
    page.AlphaBox->setFocus();
    EXPECT_EQ(page.AlphaEnters, 1) << "pinning does not make the panel entered again";
}

TEST(PopupForm, LeavingIntoThePopupPinsItAndLeavingThatClosesIt)
{
    THighlightPage page;
    page.Show();
    page.Alpha->MouseEnter(0);
    TPopupForm *popup = page.Alpha->Popup();
    const QRect frame = popup->frameGeometry();
    Leave(page.Alpha, frame.topLeft());
    EXPECT_TRUE(page.Alpha->Pinned() && popup->CloseOnLeave);
    EXPECT_TRUE(page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Alpha"))->isChecked());
    Leave(popup, frame.center()); // onto one of its own controls
    EXPECT_TRUE(popup->isVisible());
    Leave(popup, QPoint(frame.left() + frame.width(), frame.center().y()));
    EXPECT_FALSE(popup->isVisible()) << "the right edge lies outside";
    EXPECT_FALSE(popup->CloseOnLeave || page.Alpha->Lit());

    // Onto the bottom edge from the circle: outside too.
    page.Alpha->MouseEnter(0);
    Leave(page.Alpha, QPoint(frame.center().x(), frame.top() + frame.height()));
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(page.Alpha->Pinned());

    // Pinned by a click, the popup stays when the mouse leaves it.
    page.Alpha->MouseEnter(0);
    page.Alpha->Click();
    Leave(page.Alpha, QPoint(0, 0));
    Leave(popup, QPoint(0, 0));
    EXPECT_TRUE(popup->isVisible());
}

TEST(PopupForm, OneWindowPerCaptionAndTag)
{
    THighlightPage page;
    page.Show();
    // "&Beta" of another type has a window of its own.
    page.Beta->MouseEnter(0);
    page.Option->MouseEnter(0);
    ASSERT_TRUE(page.Beta->Popup() && page.Option->Popup());
    EXPECT_EQ(page.Option->Popup()->windowTitle(), page.Beta->Popup()->windowTitle());

    // "Gam&ma" finds the window of "&Gamma", hidden or not: it lights but shows nothing.
    page.Gamma->MouseEnter(0);
    page.Gamma->Popup()->close();
    page.GammaTwin->MouseEnter(0);
    EXPECT_TRUE(page.GammaTwin->Lit());
    EXPECT_EQ(page.GammaTwin->Popup(), nullptr);
    EXPECT_FALSE(page.Gamma->Lit() || page.Gamma->Popup()->isVisible());

    // So does any other window of the same caption and Tag.
    QWidget other;
    other.setWindowTitle(QStringLiteral("Delta"));
    other.setProperty("Tag", int(H::htSettings));
    page.Delta->MouseEnter(0);
    EXPECT_EQ(page.Delta->Popup(), nullptr);
}

TEST(PopupForm, DropDownMenusAreNoWindowOfAnUntitledCircle)
{
    THighlightPage page;
    page.Show();
    auto *untitled = new H(page.Board);
    untitled->setGeometry(150, 150, 20, 20);
    ASSERT_TRUE(page.menuBar()->actions().at(0)->menu()->windowTitle().isEmpty());
    untitled->MouseEnter(0);
    ASSERT_NE(untitled->Popup(), nullptr);
    EXPECT_TRUE(untitled->Popup()->isVisible());
}

TEST(PopupForm, PreviousAndNextWalkTheMenuGroupAndWrap)
{
    THighlightPage page;
    page.Show();
    const QStringList order = {QStringLiteral("&Alpha"), QStringLiteral("&Beta"), QStringLiteral("&Delta")};
    H *circles[] = {page.Alpha, page.Beta, page.Delta};
    QString broken;
    for (int i = 0; i < 3; ++i) {
        // When an entry gets its check mark, every other group is already closed.
        QObject::connect(page.Entry(QStringLiteral("&Settings"), order[i]), &QAction::toggled, [&, i](bool on) {
            for (int j = 0; j < 3; ++j) {
                if (on && j != i && (circles[j]->Lit() || page.Entry(QStringLiteral("&Settings"), order[j])->isChecked()))
                    broken = order[j];
            }
        });
    }
    const auto shown = [&]() -> int {
        int open = -1;
        for (int i = 0; i < 3; ++i) {
            if (circles[i]->Popup() && circles[i]->Popup()->isVisible()) {
                EXPECT_EQ(open, -1) << "one popup at a time";
                EXPECT_TRUE(circles[i]->Pinned());
                EXPECT_TRUE(page.Entry(QStringLiteral("&Settings"), order[i])->isChecked());
                open = i;
            }
        }
        return open;
    };
    QEvent walk(QEvent::Type(0x4A2));
    QCoreApplication::sendEvent(page.Board, &walk);
    EXPECT_EQ(shown(), 0) << "the walk starts at First";
    for (const int expected : {1, 2, 0}) {
        QTest::mouseClick(Button(circles[shown()]->Popup(), "NextButton"), Qt::LeftButton);
        EXPECT_EQ(shown(), expected);
    }
    for (const int expected : {2, 1, 0}) {
        QTest::mouseClick(Button(circles[shown()]->Popup(), "PreviousButton"), Qt::LeftButton);
        EXPECT_EQ(shown(), expected);
    }
    EXPECT_TRUE(broken.isEmpty()) << broken.toStdString();

    // Off a board picture there are no entries to walk: the buttons do nothing.
    QWidget parent;
    auto *loose = new H(&parent);
    loose->MouseEnter(0);
    QTest::mouseClick(Button(loose->Popup(), "NextButton"), Qt::LeftButton);
    EXPECT_TRUE(loose->Popup()->isVisible());
}

TEST(PopupForm, NextPastAnEntryWhoseCircleIsGoneOnlyCloses)
{
    THighlightPage page;
    page.Show();
    delete page.Beta; // the "&Beta" entry stays, without its handler
    page.Alpha->MouseEnter(0);
    page.Alpha->Click();
    Button(page.Alpha->Popup(), "NextButton")->click();
    EXPECT_FALSE(page.Alpha->Popup()->isVisible());
    EXPECT_FALSE(page.Alpha->Lit());
    EXPECT_EQ(page.Beta2->Popup(), nullptr);
}
