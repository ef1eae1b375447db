#include "boardpage.h"
#include "menutexts.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

using H = TBoardHighlight;

QStringList Names(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *action : actions)
        names << action->objectName();
    return names;
}

QMenu *Group(const BoardPage &page, int index)
{
    return page.form.MainMenu1->actions().at(index)->menu();
}

} // namespace

TEST(BoardHighlights, TheTenCirclesOfThePage)
{
    BoardPage page;
    struct Row
    {
        const char *name;
        QRect bounds;
        H::THighlightType type;
        const char *panel;
        QString title;
    };
    const Row rows[] = {
        {"BaseHighlight", {167, 162, 75, 35}, H::htSettings, "BasePanel", QStringLiteral("&Base Address")},
        {"IRQHighlight", {74, 117, 33, 105}, H::htSettings, "IRQPanel", QStringLiteral("&IRQ")},
        {"IRQHighlight9", {78, 62, 33, 32}, H::htSettings, "IRQPanel", QStringLiteral("&IRQ")},
        {"DIOHighlight", {133, 0, 177, 57}, H::htOptions, "DIOPanel", QStringLiteral("&Digital I/O Connector")},
        {"AIOHighlight", {176, 343, 136, 57}, H::htOptions, "AIOPanel", QStringLiteral("&Analog I/O Connector")},
        {"DACRangeHighlight", {88, 339, 61, 38}, H::htSettings, "DACRangePanel", QStringLiteral("DAC &Range Selection")},
        {"SeDiffHighlight", {285, 302, 40, 33}, H::htSettings, "SEDiffPanel", QStringLiteral("&Single Ended/Differential")},
        {"UniHighlight", {367, 222, 33, 76}, H::htSettings, "ADRangePanel", QStringLiteral("&A/D Range Selection")},
        {"CTRHighlight", {315, 0, 45, 57}, H::htOptions, "CTRPanel", QStringLiteral("&Counter Connector")},
        {"PowHighlight", {17, 93, 39, 32}, H::htSettings, "PowerPanel", QStringLiteral("±12V Power Source")},
    };
    ASSERT_EQ(page.circles.size(), 10);
    for (int i = 0; i < 10; ++i) {
        const H *circle = page.circles[i];
        EXPECT_EQ(circle->objectName(), QLatin1String(rows[i].name));
        EXPECT_EQ(circle->geometry(), rows[i].bounds) << rows[i].name;
        EXPECT_EQ(circle->HighlightType(), rows[i].type) << rows[i].name;
        EXPECT_EQ(circle->Title(), rows[i].title);
        ASSERT_NE(circle->RadioPanel(), nullptr);
        EXPECT_EQ(circle->RadioPanel()->objectName(), QLatin1String(rows[i].panel));
        EXPECT_FALSE(circle->RadioPanel()->isVisible());
        EXPECT_TRUE(circle->CreatePopup());
    }
    EXPECT_EQ(page.board->First(), page.Circle("BaseHighlight"));
    EXPECT_EQ(page.Circle("AIOHighlight")->maximumSize(), QSize(400, 400));

    EXPECT_EQ(Captions(page.form.MainMenu1->actions()), (QStringList{QStringLiteral("&File"), QStringLiteral("&Settings"),
                                                                     QStringLiteral("&Options"), QStringLiteral("&Help")}));
    EXPECT_EQ(Group(page, 1)->objectName(), QStringLiteral("Settings1"));
    EXPECT_EQ(Group(page, 2)->objectName(), QStringLiteral("Options1"));
    EXPECT_EQ(Captions(Group(page, 1)->actions()),
              (QStringList{QStringLiteral("&Base Address"), QStringLiteral("&IRQ"), QStringLiteral("DAC &Range Selection"),
                           QStringLiteral("&Single Ended/Differential"), QStringLiteral("&A/D Range Selection"),
                           QStringLiteral("±12V Power Source")}));
    EXPECT_EQ(Names(Group(page, 1)->actions()),
              (QStringList{QStringLiteral("BaseAddress1"), QStringLiteral("IRQ1"), QStringLiteral("DACRangeSelection1"),
                           QStringLiteral("SingleEndedDifferential1"), QStringLiteral("ADRangeSelection1"),
                           QStringLiteral("VPowerSource1")}));
    EXPECT_EQ(Captions(Group(page, 2)->actions()),
              (QStringList{QStringLiteral("&Digital I/O Connector"), QStringLiteral("&Analog I/O Connector"),
                           QStringLiteral("&Counter Connector")}));
    EXPECT_EQ(Names(Group(page, 2)->actions()), (QStringList{QStringLiteral("DigitalIOConnector1"),
                                                             QStringLiteral("AnalogIOConnector1"),
                                                             QStringLiteral("CounterConnector1")}));
}

TEST(BoardHighlights, HoveringOpensThePopupWhoseFocusResetsTheGroup)
{
    BoardPage page;
    H *uni = page.Circle("UniHighlight");
    page.form.ADRangeBox->setCurrentIndex(2);
    // The real mouse first: the synthetic move delivers the enter.
    QCursor::setPos(uni->mapToGlobal(uni->rect().center()));
    QTest::mouseMove(uni, uni->rect().center());
    page.hovered = uni;
    ASSERT_TRUE(uni->Lit());
    TPopupForm *popup = uni->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->windowTitle(), QStringLiteral("A/D Range Selection"));
    EXPECT_EQ(page.form.ADRangeBox->window(), popup);
    ASSERT_TRUE(QTest::qWaitFor([&] { return page.form.ADRangeBox->currentIndex() == 0; }))
        << "OnEnter ran when the popup took the focus";
    EXPECT_EQ(page.form.ADRangeBox->currentText(), QStringLiteral("±5V"));
    EXPECT_EQ(page.form.ADRangeJumperU0->JumperState(), TJumperControl::jsRight);
    EXPECT_EQ(page.form.ADRangeJumperA1->JumperState(), TJumperControl::jsRight);

    page.LeaveTo(page.Bare());
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(uni->Lit());
    EXPECT_FALSE(page.Entry("ADRangeSelection1")->isChecked());
}

TEST(BoardHighlights, IntoThePopupAndOutOfIt)
{
    BoardPage page;
    H *base = page.Circle("BaseHighlight");
    page.Enter(base);
    TPopupForm *popup = base->Popup();
    page.IntoPopup(popup);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(base->Pinned() && page.Entry("BaseAddress1")->isChecked());
    // Typing an address in the popup, then leaving it.
    page.form.BaseEdit->setText(QStringLiteral("3E0"));
    EXPECT_FALSE(page.form.BaseJumper9->Closed());
    page.OutOfPopup(page.Bare());
    EXPECT_FALSE(popup->isVisible() || base->Lit() || page.Entry("BaseAddress1")->isChecked());

    // Clicked, it stays after the mouse has gone in and out.
    page.Enter(base);
    QTest::mouseClick(base, Qt::LeftButton, {}, base->rect().center());
    page.IntoPopup(popup);
    page.OutOfPopup(page.Bare());
    EXPECT_TRUE(popup->isVisible() && base->Lit());
    QTest::mouseClick(BoardPage::Button(popup, "DoneButton"), Qt::LeftButton);
    EXPECT_FALSE(popup->isVisible() || base->Lit() || page.Entry("BaseAddress1")->isChecked());
    EXPECT_EQ(page.form.BaseEdit->text(), QStringLiteral("3E0")) << "the setting outlives the popup";
}

TEST(BoardHighlights, TheTwoIrqCirclesShareOneWindowAndOneEntry)
{
    BoardPage page;
    H *irq = page.Circle("IRQHighlight");
    H *irq9 = page.Circle("IRQHighlight9");
    page.Enter(irq9);
    EXPECT_TRUE(irq->Lit() && irq9->Lit());
    ASSERT_NE(irq9->Popup(), nullptr);
    EXPECT_EQ(irq->Popup(), nullptr);
    QTest::mouseClick(irq9, Qt::LeftButton, {}, irq9->rect().center());
    EXPECT_TRUE(page.Entry("IRQ1")->isChecked());
    EXPECT_EQ(page.form.findChildren<QAction *>(QStringLiteral("IRQ2")).size(), 0);
    page.form.IRQCombo->setCurrentIndex(7);
    emit page.form.IRQCombo->activated(7);
    EXPECT_TRUE(page.form.IRQJumper10->Closed());

    page.Entry("IRQ1")->trigger(); // checked: closes the partner's window
    EXPECT_FALSE(irq9->Popup()->isVisible() || irq->Lit() || irq9->Lit() || page.Entry("IRQ1")->isChecked());
    page.Enter(irq);
    EXPECT_TRUE(irq9->Popup()->isVisible()) << "the other circle opens the same window";
    EXPECT_EQ(irq->Popup(), nullptr);
    EXPECT_TRUE(page.form.IRQJumper10->Closed());
    EXPECT_EQ(page.form.findChildren<TPopupForm *>().size(), 1);
}

TEST(BoardHighlights, MenuEntriesAndButtonsWalkEachGroup)
{
    BoardPage page;
    QAction *base = page.Entry("BaseAddress1");
    base->trigger();
    H *baseCircle = page.Circle("BaseHighlight");
    ASSERT_TRUE(baseCircle->Popup() && baseCircle->Popup()->isVisible());
    EXPECT_TRUE(baseCircle->Pinned() && base->isChecked());

    const QList<QAction *> settings = Group(page, 1)->actions();
    const auto open = [&](const QList<QAction *> &entries) {
        QWidget *shown = nullptr;
        int index = -1;
        for (TPopupForm *popup : page.form.findChildren<TPopupForm *>()) {
            if (popup->isVisible()) {
                EXPECT_EQ(shown, nullptr);
                shown = popup;
            }
        }
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i]->isChecked()) {
                EXPECT_EQ(index, -1);
                index = i;
            }
        }
        return std::make_pair(shown, index);
    };
    for (const int expected : {1, 2, 3, 4, 5, 0}) {
        QTest::mouseClick(BoardPage::Button(open(settings).first, "NextButton"), Qt::LeftButton);
        EXPECT_EQ(open(settings).second, expected);
    }
    QTest::mouseClick(BoardPage::Button(open(settings).first, "PreviousButton"), Qt::LeftButton);
    EXPECT_EQ(open(settings).second, 5) << "from the first to the last";
    EXPECT_EQ(open(settings).first->windowTitle(), QStringLiteral("±12V Power Source"));
    page.Entry("VPowerSource1")->trigger();
    EXPECT_EQ(open(settings).first, nullptr);

    // The information groups walk among themselves; their popups show only the text.
    const QList<QAction *> options = Group(page, 2)->actions();
    options.last()->trigger();

    QTest::mouseClick(BoardPage::Button(open(options).first, "NextButton"), Qt::LeftButton);
    EXPECT_EQ(open(options).second, 0);
    EXPECT_EQ(open(options).first->windowTitle(), QStringLiteral("Digital I/O Connector"));
    EXPECT_EQ(open(options).first->findChild<QPlainTextEdit *>()->toPlainText(),
              QStringLiteral("This connector has the pins for:\nDigital In / Out"));
}

TEST(BoardHighlights, StartBeginsTheWalkAtTheBaseAddress)
{
    BoardPage page(true);
    THelpForm *help = page.form.SetSup->HelpForm();
    QTest::mouseClick(help->StartButton, Qt::LeftButton);
    EXPECT_FALSE(help->isVisible());
    H *base = page.Circle("BaseHighlight");
    TPopupForm *popup = base->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible() && base->Lit() && base->Pinned());
    EXPECT_TRUE(page.Entry("BaseAddress1")->isChecked());
    EXPECT_EQ(page.board->DesignLeft(), 223);
    EXPECT_EQ(page.board->DesignTop(), 130);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QSize outer = popup->frameGeometry().size();
    const QPoint place = QPoint(624, 24) + page.board->pos() - QPoint(223, 130);
    EXPECT_EQ(popup->frameGeometry().topLeft(),
              QPoint(qBound(0, place.x(), screen.width() - outer.width()), qBound(0, place.y(), screen.height() - outer.height())));
    EXPECT_EQ(outer, QSize(194, 129 + 58 + 51 + outer.height() - popup->height()));
    // A popup counts as active with its main window: wait for its own activation.
    ASSERT_TRUE(QTest::qWaitFor([&] { return base->PopupActive(); }));
    EXPECT_EQ(popup->focusWidget(), page.form.BasePanel);

    // Started again while open, the walk leaves it as it is.
    help->show();
    QTest::mouseClick(help->StartButton, Qt::LeftButton);
    EXPECT_TRUE(popup->isVisible() && base->Pinned() && page.Entry("BaseAddress1")->isChecked());
}
