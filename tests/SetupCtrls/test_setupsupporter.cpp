#include "application.h"
#include "exceptions.h"
#include "form.h"
#include "formloader.h"
#include "infoforms.h"
#include "llportlink.h"
#include "setupsupporter.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

// Counts timer starts and can refuse them, as a system out of timers would.
class TCountingSupporter : public TSetupSupporter
{
public:
    using TSetupSupporter::TSetupSupporter;
    int starts = 0;
    bool refuse = false;

protected:
    int StartUtilityTimer(int interval) override
    {
        ++starts;
        return refuse ? 0 : TSetupSupporter::StartUtilityTimer(interval);
    }
};

// A main window like the board page's: a client area, a File menu and a supporter.
struct BoardLikePage
{
    TForm form;
    TCountingSupporter *supporter;

    BoardLikePage()
    {
        form.setCentralWidget(new QWidget(&form));
        form.menuBar()->addMenu(QStringLiteral("&File"));
        form.resize(600, 400);
        supporter = new TCountingSupporter(&form);
        supporter->SetCompanyName(QStringLiteral("ORVEL"));
        supporter->SetCardNameA(QStringLiteral("PX-3208A"));
        supporter->SetCardNameB(QStringLiteral("PX-3208B"));
        supporter->SetCallHow(QStringLiteral("between 9 am and 4 pm local time at 555-0100"));
    }
};

// Runs the event loop, letting the application go idle between messages.
void RunEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString Header(const TSetupSupporter &s)
{
    return s.HeaderLabel() ? s.HeaderLabel()->text() : QString();
}

TEST(SetupSupporter, BoardPageValuesBuildHeaderHelpAndSupportOnly)
{
    BoardLikePage page;
    page.supporter->BuildWindows();

    EXPECT_EQ(Header(*page.supporter), QStringLiteral("PX-3208A Series Settings Program"));
    EXPECT_EQ(page.supporter->HeaderLabel()->objectName(), QStringLiteral("HeaderLabel"));
    EXPECT_EQ(page.supporter->HeaderLabel()->parentWidget(), page.form.centralWidget());
    EXPECT_EQ(page.supporter->HeaderLabel()->width(), page.form.centralWidget()->width());
    EXPECT_EQ(page.supporter->PCIForm(), nullptr);
    EXPECT_EQ(page.form.findChild<QAction *>(QStringLiteral("DisplayPCI")), nullptr);
    EXPECT_FALSE(PortLinkAvailable) << "the driver library is not touched";

    const QByteArray help = page.supporter->HelpText(QStringLiteral("PX-3208A"));
    EXPECT_TRUE(help.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
                                "Verdana;}}{\\colortbl\\red64\\green64\\blue64;\\red255\\green255\\blue64;\\red64\\green64"
                                "\\blue255;\\red255\\green64\\blue64;}\\viewkind4\\uc1\\pard\\f0\\fs32\\cf0\r\n"
                                "{\\b ORVEL PX-3208A Series Settings Program}\\par\\par\\fs24\r\n"));
    EXPECT_TRUE(help.endsWith("at the same time as you desire.\\par\\par\r\n}"));
    EXPECT_FALSE(help.contains("Note:"));
    EXPECT_FALSE(help.contains("To see a list"));
    EXPECT_TRUE(page.supporter->HelpForm()->HelpRich->toPlainText().contains(
        QStringLiteral("ORVEL PX-3208A Series Settings Program")));

    const QString support = page.supporter->TechForm()->TechMemo->toPlainText();
    EXPECT_TRUE(support.startsWith(QStringLiteral("There are several ways to get technical support.")));
    EXPECT_TRUE(support.contains(QStringLiteral("assistance, and ORVEL stands ready to provide that help. You can call us "
                                                "between 9 am and 4 pm local time at 555-0100 for any of your product "
                                                "questions.\n\nIn order to provide")));
    EXPECT_TRUE(support.endsWith(QStringLiteral("have the ORVEL product manual and software CD at hand.")));
}

TEST(SetupSupporter, NamesFollowTheProperties)
{
    BoardLikePage page;
    page.supporter->SetbSeries(false);
    page.supporter->SetUseCardNameB(true);
    page.supporter->SetCompanyName(QString());
    page.supporter->BuildWindows();
    EXPECT_EQ(Header(*page.supporter), QStringLiteral("PX-3208B Settings Program"));
    const QByteArray help = page.supporter->HelpText(QStringLiteral("PX-3208B"));
    EXPECT_TRUE(help.contains("\r\n{\\b  PX-3208B Settings Program}")) << "empty company: the title starts with a space";

    page.supporter->SetMultiPort(true);
    page.supporter->SetOnGetCardString([](QObject *, int) { return QString(); });
    const QByteArray both = page.supporter->HelpText(QStringLiteral("PX-3208B"));
    const int note = both.indexOf("{\\fs32\\b Note:} Make sure to set the jumpers for each option group \\emdash  the");
    const int list = both.indexOf("To see a list of PX-3208B cards installed, click \"Display PX-3208B Cards Installed\" "
                                  "under the File menu.\\par\\par\r\n}");
    EXPECT_GT(note, 0);
    EXPECT_GT(list, note);
    EXPECT_TRUE(both.endsWith("\\par\\par\r\n}"));

    // Names holding RTF's own characters are escaped, so the text keeps its structure.
    page.supporter->SetCompanyName(QStringLiteral("A\\B{C}"));
    EXPECT_TRUE(page.supporter->HelpText(QStringLiteral("X}")).contains("{\\b A\\\\B\\{C\\} X\\} Settings Program}"));
}

TEST(SetupSupporter, WindowsAreSizedFittedAndAnchored)
{
    BoardLikePage page;
    page.supporter->BuildWindows();

    THelpForm *help = page.supporter->HelpForm();
    EXPECT_EQ(help->objectName(), QStringLiteral("HelpForm"));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Instructions for Settings utility"));
    EXPECT_TRUE(help->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(help->size(), QSize(305, 138)) << "offscreen screen 800 x 800: no scaling";
    EXPECT_EQ(help->HelpRich->geometry(), QRect(0, 24, 305, 73));
    EXPECT_EQ(help->StartButton->geometry(), QRect(66, 105, 173, 25));
    EXPECT_EQ(help->HelpLabel->text(), QStringLiteral("How to use this program"));
    EXPECT_EQ(help->HelpLabel->width(), 305);
    EXPECT_TRUE(help->HelpRich->isReadOnly());

    help->show();
    help->resize(405, 238);
    EXPECT_EQ(help->HelpRich->geometry(), QRect(0, 24, 405, 173)) << "the text follows all four edges";
    EXPECT_EQ(help->StartButton->geometry(), QRect(116, 205, 173, 25)) << "bottom-anchored and kept centred";

    TTechForm *tech = page.supporter->TechForm();
    EXPECT_EQ(tech->windowTitle(), QStringLiteral("Technical Support"));
    EXPECT_EQ(tech->size(), QSize(305, 122));
    EXPECT_EQ(tech->TechMemo->geometry(), QRect(0, 0, 305, 89));
    EXPECT_EQ(tech->CloseButton->geometry(), QRect(116, 97, 73, 25));
    EXPECT_EQ(tech->TechMemo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST(SetupSupporter, ScalesTheHelpWindowToTheScreen)
{
    const QSize fitted(305, 138);
    EXPECT_EQ(ScaleToScreen(fitted, QSize(1024, 768)), QSize(390, 177));
    EXPECT_EQ(ScaleToScreen(fitted, QSize(1280, 1024)), QSize(488, 221));
    EXPECT_EQ(ScaleToScreen(fitted, QSize(1920, 1080)), QSize(732, 331));
    EXPECT_EQ(ScaleToScreen(fitted, QSize(640, 480)), fitted) << "never below the fitted size";
    EXPECT_EQ(ScaleToScreen(fitted, QSize(800, 600)), fitted);
    EXPECT_EQ(ScaleToScreen(QSize(5, 3), QSize(1200, 675)), QSize(8, 4)) << "halves go to the even neighbour";
}

TEST(SetupSupporter, IdleHandlerBuildsOnceAndTheFirstTickShowsHelpOnce)
{
    BoardLikePage page;
    TApplication *app = TApplication::Instance();
    int builds = 0;
    app->SetOnIdle([&](QObject *sender, bool &done) {
        ++builds;
        page.supporter->ApplicationIdle(sender, done);
    });
    page.form.show();
    RunEventLoop(30);
    RunEventLoop(30);
    EXPECT_EQ(builds, 1);
    EXPECT_FALSE(app->OnIdleAssigned());
    ASSERT_NE(page.supporter->HelpForm(), nullptr);
    EXPECT_EQ(page.form.findChildren<THelpForm *>().size(), 1);

    QTRY_VERIFY_WITH_TIMEOUT(page.supporter->HelpForm()->isVisible(), 2000);
    EXPECT_FALSE(page.supporter->HelpPending());
    const int starts = page.supporter->starts;
    page.supporter->HelpForm()->hide();
    QTest::qWait(300);
    EXPECT_FALSE(page.supporter->HelpForm()->isVisible()) << "the help window opens by itself only once";
    EXPECT_EQ(page.supporter->starts, starts) << "the timer stays off";
}

TEST(SetupSupporter, RefusedTimerIsNotEnoughTimers)
{
    BoardLikePage page;
    page.supporter->refuse = true;
    try {
        page.supporter->BuildWindows();
        FAIL() << "no error";
    } catch (const EOutOfResources &e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
    EXPECT_NE(page.supporter->HelpForm(), nullptr) << "what was built remains";
}

TEST(SetupSupporter, ButtonsHideTheirOwnWindow)
{
    BoardLikePage page;
    page.supporter->BuildWindows();
    TTechForm *tech = page.supporter->TechForm();
    THelpForm *help = page.supporter->HelpForm();
    tech->show();
    help->show();
    QTest::mouseClick(tech->CloseButton, Qt::LeftButton);
    EXPECT_FALSE(tech->isVisible());
    EXPECT_TRUE(help->isVisible());
    tech->show();
    EXPECT_TRUE(tech->TechMemo->toPlainText().contains(QStringLiteral("ORVEL"))) << "shown again, same contents";

    // Esc presses Start: the help window hides; with no board picture nothing else happens.
    TApplication::Instance()->SetMainForm(&page.form);
    help->activateWindow();
    QVERIFY2(QTest::qWaitForWindowActive(help), "help window active");
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
    TApplication::Instance()->SetMainForm(nullptr);
}

// A page that answers OnGetCardString, bound by handler name in its stored layout.
class TCardsPage : public TForm
{
    Q_OBJECT
    Q_PROPERTY(TSetupSupporter *SetSup MEMBER SetSup)
public:
    TSetupSupporter *SetSup = nullptr;
    QList<int> asked;

public slots:
    void PageCreate(QObject *) {}
    QString GetCardString(QObject *Sender, int CardIndex)
    {
        EXPECT_EQ(Sender, SetSup);
        asked << CardIndex;
        return CardIndex == 0 ? QStringLiteral("PX-3208A at 300h") : QString();
    }
};

TEST(InstalledCards, ListsTheCardsWithADescription)
{
    qputenv("PORTLINK_CARD_COUNT", "2");
    TCardsPage page;
    TFormLoader(&page).Load(QStringLiteral(":/pages/cards.ui"));
    page.SetSup->BuildWindows();

    EXPECT_TRUE(PortLinkAvailable);
    EXPECT_EQ(page.asked, (QList<int>{0, 1}));
    TPCIForm *pci = page.SetSup->PCIForm();
    ASSERT_NE(pci, nullptr);
    EXPECT_EQ(pci->PCIMemo->toPlainText(), QStringLiteral("PX-3208A at 300h"));
    EXPECT_EQ(Header(*page.SetSup), QStringLiteral("PX-3208A Series Settings Program"));
    EXPECT_EQ(pci->windowTitle(), QStringLiteral("PX-3208A Cards installed"));
    EXPECT_TRUE(pci->isVisible()) << "shown at start-up";
    EXPECT_EQ(pci->size(), QSize(305, 122));
    EXPECT_EQ(pci->PCIMemo->geometry(), QRect(0, 0, 305, 89));
    EXPECT_EQ(pci->CloseButton->geometry(), QRect(115, 97, 73, 25)) << "centred in the new 320-pixel window, then fitted";

    QMenu *file = page.menuBar()->actions().at(0)->menu();
    QAction *entry = file->actions().at(0);
    EXPECT_EQ(entry->objectName(), QStringLiteral("DisplayPCI"));
    EXPECT_EQ(entry->text(), QStringLiteral("Display PX-3208A Cards Installed"));
    EXPECT_EQ(file->actions().at(1)->objectName(), QStringLiteral("Exit2"));
    pci->hide();
    entry->trigger();
    EXPECT_TRUE(pci->isVisible());
    EXPECT_TRUE(page.SetSup->HelpText(QStringLiteral("PX-3208A")).contains("To see a list of PX-3208A cards installed"));

    qputenv("PORTLINK_CARD_COUNT", "0");
    TCardsPage none;
    TFormLoader(&none).Load(QStringLiteral(":/pages/cards.ui"));
    none.SetSup->BuildWindows();
    EXPECT_TRUE(none.asked.isEmpty());
    EXPECT_EQ(none.SetSup->PCIForm()->PCIMemo->toPlainText(), QStringLiteral("No Card Found"));
    EXPECT_EQ(Header(*none.SetSup), QStringLiteral("No PX-3208A Series Card Found"));
    TCardsPage single;
    TFormLoader(&single).Load(QStringLiteral(":/pages/cards.ui"));
    single.SetSup->SetbSeries(false);
    single.SetSup->BuildWindows();
    EXPECT_EQ(Header(*single.SetSup), QStringLiteral("No PX-3208A Found"));
    qunsetenv("PORTLINK_CARD_COUNT");
}

TEST(InstalledCards, AFailingDescriptionKeepsTheCardsListedBeforeIt)
{
    qputenv("PORTLINK_CARD_COUNT", "2");
    BoardLikePage page;
    page.supporter->SetOnGetCardString([](QObject *, int CardIndex) -> QString {
        if (CardIndex == 1)
            throw EReadError(QStringLiteral("card 1 unreadable"));
        return QStringLiteral("card 0");
    });
    EXPECT_THROW(page.supporter->BuildWindows(), EReadError);
    ASSERT_NE(page.supporter->PCIForm(), nullptr);
    EXPECT_EQ(page.supporter->PCIForm()->PCIMemo->toPlainText(), QStringLiteral("card 0"));
    qunsetenv("PORTLINK_CARD_COUNT");
}

TEST(InstalledCards, AFileItemStoredWithoutEntriesGetsTheEntry)
{
    qputenv("PORTLINK_CARD_COUNT", "1");
    TForm form;
    form.setCentralWidget(new QWidget(&form));
    form.menuBar()->addAction(QStringLiteral("&File"));
    auto *supporter = new TSetupSupporter(&form);
    supporter->SetOnGetCardString([](QObject *, int) { return QStringLiteral("card 0"); });
    supporter->BuildWindows();
    ASSERT_EQ(form.menuBar()->actions().size(), 1);
    QMenu *file = form.menuBar()->actions().at(0)->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->actions().at(0)->objectName(), QStringLiteral("DisplayPCI"));
    qunsetenv("PORTLINK_CARD_COUNT");
}

TEST(InstalledCardsNoDriver, WithoutTheDriverLibraryNoCardIsFound)
{
    TCardsPage page;
    TFormLoader(&page).Load(QStringLiteral(":/pages/cards.ui"));
    page.SetSup->BuildWindows();
    EXPECT_FALSE(PortLinkAvailable);
    EXPECT_TRUE(page.asked.isEmpty());
    EXPECT_EQ(page.SetSup->PCIForm()->PCIMemo->toPlainText(), QStringLiteral("No Card Found"));
    EXPECT_EQ(Header(*page.SetSup), QStringLiteral("No PX-3208A Series Card Found"));
}

// Runs the event loop, which reaches its idle moments as it waits.
void RunEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

// Read from a layout, the supporter needs no idle hook from its page; one the page sets first wins.
TEST(SupporterStart, BuildsItsWindowsAtTheFirstIdleMomentOnceThePageIsShown)
{
    TApplication *app = TApplication::Instance();
    TCardsPage page;
    TFormLoader(&page).Load(QStringLiteral(":/pages/cards.ui"));
    EXPECT_FALSE(app->OnIdleAssigned()) << "nothing happens before the page is shown";
    page.show();
    RunEventLoop();
    ASSERT_NE(page.SetSup->HeaderLabel(), nullptr);
    EXPECT_FALSE(app->OnIdleAssigned()) << "the handler removed itself";
    page.hide();
    page.show();
    EXPECT_FALSE(app->OnIdleAssigned()) << "built once";

    TCardsPage hooked;
    TFormLoader(&hooked).Load(QStringLiteral(":/pages/cards.ui"));
    int ownIdles = 0;
    app->SetOnIdle([&](QObject *, bool &) {
        ++ownIdles;
        app->SetOnIdle({});
    });
    hooked.show();
    RunEventLoop();
    EXPECT_EQ(ownIdles, 1);
    EXPECT_EQ(hooked.SetSup->HeaderLabel(), nullptr);
}

} // namespace

#include "test_setupsupporter.moc"
