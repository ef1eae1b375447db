#include "application.h"
#include "exceptions.h"
#include "form.h"
#include "formloader.h"
#include "infoforms.h"
#include "setupsupporter.h"

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Counts the timer starts and can refuse them.
class TCountingSupporter : public TSetupSupporter
{
public:
    using TSetupSupporter::TSetupSupporter;

    int Starts = 0;
    int LastTimer = 0;
    bool Refuse = false;

protected:
    int StartUtilityTimer(int interval) override
    {
        ++Starts;
        LastTimer = Refuse ? 0 : TSetupSupporter::StartUtilityTimer(interval);
        return LastTimer;
    }
};

bool TimerActive(int id)
{
    return id && QAbstractEventDispatcher::instance()->remainingTime(id) >= 0;
}

struct BoxSeen
{
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::Icon icon;
    bool onTop;
    bool appModal;
    bool active;
    bool calibrating;
};

// Answers every message box that opens while it lives, with the scripted answers first and
// Cancel (or OK) after them, so no test can block on a box.
class BoxWatcher
{
public:
    explicit BoxWatcher(std::function<bool()> calibrating) : m_calibrating(std::move(calibrating))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Check(); });
        m_timer.start(5);
    }

    QList<QMessageBox::StandardButton> Answers;
    QVector<BoxSeen> Seen;

private:
    void Check()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        // Activation reaches the window through the platform's event queue.
        if (QApplication::activeWindow() != box && ++m_waits < 50)
            return;
        m_waits = 0;
        Seen.append({box->windowTitle(), box->text(), box->standardButtons(),
                     box->standardButton(box->defaultButton()), box->icon(),
                     bool(box->windowFlags() & Qt::WindowStaysOnTopHint),
                     box->windowModality() == Qt::ApplicationModal, QApplication::activeWindow() == box,
                     m_calibrating()});
        QMessageBox::StandardButton answer = Answers.isEmpty() ? QMessageBox::Cancel : Answers.takeFirst();
        if (!box->button(answer))
            answer = QMessageBox::Ok;
        box->button(answer)->click();
    }

    std::function<bool()> m_calibrating;
    QTimer m_timer;
    int m_waits = 0;
};

class CalibrationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Supporter = new TCountingSupporter(&Page);
        List = new QComboBox(&Page);
        for (int i = 0; i < 8; ++i)
            List->addItem(QStringLiteral("item %1").arg(i), i * 10);
        Button = new QPushButton(QStringLiteral("Calibrate"), &Page);
        Hidden = new QLabel(QStringLiteral("hint"), &Page);
        Supporter->SetOnStartButtonClick([this](QObject *sender) { Log << "start"; EXPECT_EQ(sender, Button); });
        Supporter->SetOnStopButtonClick([this](QObject *) { Log << "stop"; });
        TApplication::Instance()->SetErrorDisplay([this](const QString &message) { Errors << message; });
    }
    void TearDown() override { TApplication::Instance()->SetErrorDisplay({}); }

    void Register() { Supporter->RegisterCalibDisplay({List, Button, Hidden}); }
    // A handler that answers every channel and clears ItsAllBad unless told not to.
    void AnswerChannels(bool works)
    {
        Supporter->SetOnGetCalibString([this, works](QObject *sender, quint8 channel, bool &itsAllBad) {
            EXPECT_EQ(sender, Supporter);
            Asked << channel;
            FlagSeen << itsAllBad;
            if (works)
                itsAllBad = false;
            return QStringLiteral("%1.234 V").arg(channel);
        });
    }

    TForm Page;
    TCountingSupporter *Supporter = nullptr;
    QComboBox *List = nullptr;
    QPushButton *Button = nullptr;
    QLabel *Hidden = nullptr;
    QStringList Log;
    QStringList Errors;
    QList<int> Asked;
    QList<bool> FlagSeen;
    BoxWatcher Boxes{[this] { return Supporter->Calibrating(); }};
};

// The run's message box as the user must see it.
void ExpectBox(const BoxSeen &box, const QString &caption, QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton defaultButton)
{
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.buttons, buttons);
    EXPECT_EQ(box.defaultButton, defaultButton);
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(box.onTop && box.appModal && box.active);
    EXPECT_FALSE(box.calibrating) << "the timer runs while the box is open";
}

TEST_F(CalibrationTest, PassAsksEveryChannelInOrderAndReplacesItsItem)
{
    Register();
    AnswerChannels(true);
    ASSERT_FALSE(Hidden->isHidden());

    Supporter->CalibrationPass();

    EXPECT_EQ(Asked, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // One shared flag, set only at the start of the pass.
    EXPECT_EQ(FlagSeen, (QList<bool>{true, false, false, false, false, false, false, false}));
    ASSERT_EQ(List->count(), 8);
    EXPECT_EQ(List->itemText(3), QStringLiteral("Channel 3\t3.234 V"));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(List->itemText(i), QStringLiteral("Channel %1\t%1.234 V").arg(i));
        EXPECT_EQ(List->itemData(i).toInt(), i * 10);
    }
    EXPECT_TRUE(Hidden->isHidden());
    EXPECT_TRUE(Boxes.Seen.isEmpty());
    EXPECT_EQ(Button->text(), QStringLiteral("Calibrate"));

    FlagSeen.clear();
    Supporter->CalibrationPass();
    EXPECT_TRUE(FlagSeen.value(0));
}

TEST_F(CalibrationTest, EntriesReachWhatTheirVariablesHoldAndSkipNullsAndShortLists)
{
    QComboBox *shortList = new QComboBox(&Page);
    shortList->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QPointer<QPushButton> gone = new QPushButton(&Page);
    QComboBox *noList = nullptr;
    QWidget *noControl = nullptr;
    Supporter->RegisterCalibDisplay({noList, gone, noControl});
    Supporter->RegisterCalibDisplay(TCalibDisplay());
    Supporter->RegisterCalibDisplay({shortList, Button, Hidden});
    delete gone.data();
    AnswerChannels(true);

    Supporter->CalibrationPass();
    Supporter->SetChannelLine(12, QStringLiteral("beyond every list"));
    EXPECT_EQ(shortList->count(), 3);
    EXPECT_EQ(shortList->itemText(2), QStringLiteral("Channel 2\t2.234 V"));

    QComboBox *replacement = new QComboBox(&Page);
    replacement->addItems(QStringList(8, QString()));
    shortList = replacement;
    Supporter->SetChannelLine(5, QStringLiteral("x"));
    EXPECT_EQ(replacement->itemText(5), QStringLiteral("Channel 5\tx"));

    Supporter->RunButtonsToStop();
    EXPECT_EQ(Button->text(), QStringLiteral("Stop"));
    Supporter->StopCalibration();
    EXPECT_EQ(Button->text(), QStringLiteral("Start"));
}

TEST_F(CalibrationTest, RunButtonRolesReplaceEachOther)
{
    Register();
    Supporter->RunButtonsToStart();
    Supporter->RunButtonsToStop();
    Supporter->RunButtonsToStart();
    Supporter->RunButtonsToStop();
    Button->click();
    EXPECT_EQ(Log, QStringList{"stop"});

    // A handler that gives its own button the other role takes effect from the next click.
    Supporter->SetOnStartButtonClick([this](QObject *sender) {
        Log << "start";
        EXPECT_EQ(sender, Button);
        Supporter->RunButtonsToStop();
    });
    Supporter->StopCalibration();
    Log.clear();
    Button->click();
    Button->click();
    EXPECT_EQ(Log, (QStringList{"start", "stop"}));

    Supporter->SetOnStartButtonClick({});
    Supporter->RunButtonsToStart();
    Log.clear();
    Button->click();
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(CalibrationTest, AllBadPassOffersRetryThenCancel)
{
    Register();
    AnswerChannels(false);
    Supporter->SetCalibrating(true);
    Supporter->RunButtonsToStop();
    const int starts = Supporter->Starts;
    Boxes.Answers = {QMessageBox::Retry, QMessageBox::Cancel};

    Supporter->CalibrationPass();
    ASSERT_EQ(Boxes.Seen.size(), 1);
    ExpectBox(Boxes.Seen.first(), QStringLiteral("Total A/D failure"), QMessageBox::Retry | QMessageBox::Cancel,
              QMessageBox::Cancel);
    EXPECT_EQ(Boxes.Seen.first().text, QStringLiteral("Total A/D failure. The card may not be installed, or it may "
                                                      "be installed at a different base address."));
    EXPECT_TRUE(Supporter->Calibrating());
    EXPECT_EQ(Supporter->Starts, starts + 1);
    EXPECT_TRUE(TimerActive(Supporter->LastTimer));
    EXPECT_EQ(Button->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(Hidden->isHidden());

    Supporter->CalibrationPass();
    ASSERT_EQ(Boxes.Seen.size(), 2);
    EXPECT_FALSE(Supporter->Calibrating());
    EXPECT_FALSE(TimerActive(Supporter->LastTimer));
    EXPECT_EQ(Button->text(), QStringLiteral("Start"));
    Button->click();
    EXPECT_EQ(Log, QStringList{"start"});
}

TEST_F(CalibrationTest, EndingWithoutChangeButtonsLeavesTheButtons)
{
    Register();
    AnswerChannels(false);
    Supporter->SetChangeButtons(false);
    Supporter->SetCalibrating(true);
    Supporter->RunButtonsToStop();

    Supporter->CalibrationPass();
    ASSERT_EQ(Boxes.Seen.size(), 1);
    EXPECT_FALSE(Supporter->Calibrating());
    EXPECT_EQ(Button->text(), QStringLiteral("Stop"));
    Button->click();
    EXPECT_EQ(Log, QStringList{"stop"});
}

TEST_F(CalibrationTest, NoChannelsOrNoEntriesStillEndInTheFailureBox)
{
    Register();
    AnswerChannels(true);
    Supporter->SetChannels(0);
    Supporter->CalibrationPass();
    EXPECT_TRUE(Asked.isEmpty());
    EXPECT_EQ(List->itemText(0), QStringLiteral("item 0"));

    TCountingSupporter bare(&Page);
    bare.SetOnGetCalibString([&](QObject *, quint8 channel, bool &) {
        Asked << channel;
        return QString();
    });
    bare.CalibrationPass();
    EXPECT_EQ(Asked.size(), 8);

    ASSERT_EQ(Boxes.Seen.size(), 2);
    EXPECT_EQ(Boxes.Seen.at(0).caption, QStringLiteral("Total A/D failure"));
    EXPECT_EQ(Boxes.Seen.at(1).caption, QStringLiteral("Total A/D failure"));
}

TEST_F(CalibrationTest, MissingHandlerBeginsThenReportsThenStops)
{
    Register();
    Supporter->SetOnBeginCalib([this](QObject *sender) {
        EXPECT_EQ(sender, Supporter);
        Log << QStringLiteral("begin, %1 boxes").arg(Boxes.Seen.size());
    });
    Supporter->SetCalibrating(true);
    Supporter->RunButtonsToStop();

    Supporter->CalibrationPass();

    EXPECT_EQ(Log, QStringList{"begin, 0 boxes"});
    ASSERT_EQ(Boxes.Seen.size(), 1);
    ExpectBox(Boxes.Seen.first(), QStringLiteral("OnGetCalibString Not Assigned"), QMessageBox::Ok, QMessageBox::Ok);
    EXPECT_EQ(Boxes.Seen.first().text, QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."));
    EXPECT_FALSE(Supporter->Calibrating());
    EXPECT_EQ(Button->text(), QStringLiteral("Start"));
    EXPECT_FALSE(Hidden->isHidden());
}

TEST_F(CalibrationTest, CalibratingSetterAndOnBeginCalibReevaluateTheTimer)
{
    Supporter->SetOnBeginCalib([](QObject *) {});
    Supporter->SetCalibrating(false);
    EXPECT_EQ(Supporter->Starts, 0);

    ASSERT_TRUE(Supporter->setProperty("Calibrating", true));
    EXPECT_EQ(Supporter->Starts, 1);
    Supporter->SetCalibrating(true);
    EXPECT_EQ(Supporter->Starts, 1);
    Supporter->SetOnBeginCalib([](QObject *) {});
    EXPECT_EQ(Supporter->Starts, 2);
    EXPECT_TRUE(TimerActive(Supporter->LastTimer));

    // Ending the run from outside stops the ticking but leaves the buttons.
    Register();
    Supporter->RunButtonsToStop();
    Supporter->setProperty("Calibrating", false);
    EXPECT_FALSE(TimerActive(Supporter->LastTimer));
    EXPECT_EQ(Button->text(), QStringLiteral("Stop"));

    Supporter->Refuse = true;
    try {
        Supporter->SetCalibrating(true);
        ADD_FAILURE() << "no error raised";
    } catch (const EOutOfResources &e) {
        EXPECT_STREQ(e.what(), "Not enough timers available");
    }
}

TEST_F(CalibrationTest, RunPassesEveryTickUntilEnded)
{
    int passes = 0;
    Supporter->SetOnBeginCalib([&](QObject *) { ++passes; });
    AnswerChannels(true);
    Register();

    Supporter->SetCalibrating(true);
    EXPECT_EQ(passes, 0);
    QTRY_VERIFY(passes >= 1);
    const int first = passes;
    QTRY_VERIFY(passes > first);
    EXPECT_EQ(List->itemText(7), QStringLiteral("Channel 7\t7.234 V"));

    Supporter->SetCalibrating(false);
    const int ended = passes;
    QTest::qWait(300);
    EXPECT_EQ(passes, ended);
    EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(CalibrationTest, FailedTickIsReportedAndNoPassRunsWhileItsDisplayIsOpen)
{
    int passes = 0;
    int passesDuringDisplay = -1;
    Supporter->SetOnBeginCalib([&](QObject *) {
        if (++passes == 1) {
            // A timer restarted inside the tick can tick again while the tick's error is shown.
            Supporter->SetCalibrating(false);
            Supporter->SetCalibrating(true);
            throw EComponentError(QStringLiteral("channel read failed"));
        }
    });
    AnswerChannels(true);
    TApplication::Instance()->SetErrorDisplay([&](const QString &message) {
        Errors << message;
        const int before = passes;
        QTest::qWait(350);
        passesDuringDisplay = passes - before;
    });

    Supporter->SetCalibrating(true);
    QTRY_VERIFY(passes >= 3);
    EXPECT_EQ(Errors, QStringList{"channel read failed"});
    EXPECT_EQ(passesDuringDisplay, 0);
    EXPECT_TRUE(Supporter->Calibrating());
    Supporter->SetCalibrating(false);
}

// Notes when a window is first shown, and when the event loop has turned once after that.
class ShowWatcher : public QObject
{
public:
    explicit ShowWatcher(QWidget *window) { window->installEventFilter(this); }
    bool Shown = false;
    bool LoopTurned = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !Shown) {
            Shown = true;
            QTimer::singleShot(0, this, [this] { LoopTurned = true; });
        }
        return false;
    }
};

TEST_F(CalibrationTest, HelpTickComesBeforeTheFirstPass)
{
    AnswerChannels(true);
    Supporter->BuildWindows();
    ShowWatcher help(Supporter->HelpForm());
    QList<bool> laterTick;
    Supporter->SetOnBeginCalib([&](QObject *) { laterTick << help.LoopTurned; });
    Supporter->SetCalibrating(true);

    QTRY_VERIFY(!laterTick.isEmpty());
    EXPECT_TRUE(laterTick.first()) << "a pass ran in the tick that showed the help window";
    EXPECT_FALSE(Supporter->HelpPending());
    Supporter->SetCalibrating(false);
}

TEST_F(CalibrationTest, BoardPageTimerStaysOffAfterTheHelpWindow)
{
    // As on the board page: no calibration events, no entries, never started.
    TCountingSupporter board(&Page);
    board.SetCompanyName(QStringLiteral("ORVEL"));
    board.SetCardNameA(QStringLiteral("PX-3208A"));
    board.BuildWindows();
    EXPECT_EQ(board.Starts, 1);

    QTRY_VERIFY(board.HelpForm()->isVisible());
    EXPECT_FALSE(TimerActive(board.LastTimer));
    QTest::qWait(300);
    EXPECT_EQ(board.Starts, 1);
    EXPECT_TRUE(Boxes.Seen.isEmpty());
    EXPECT_TRUE(Errors.isEmpty());
}

} // namespace

// A card page that calibrates: its layout binds the supporter's events to these handlers.
class TCalibrationPage : public TForm
{
    Q_OBJECT
    Q_PROPERTY(QComboBox *ChannelBox MEMBER ChannelBox)
    Q_PROPERTY(QPushButton *RunButton MEMBER RunButton)
    Q_PROPERTY(QLabel *HintLabel MEMBER HintLabel)
    Q_PROPERTY(TSetupSupporter *SetSup MEMBER SetSup)
public:
    explicit TCalibrationPage(const QByteArray &layout) { TFormLoader(this).Load(layout); }

    QComboBox *ChannelBox = nullptr;
    QPushButton *RunButton = nullptr;
    QLabel *HintLabel = nullptr;
    TSetupSupporter *SetSup = nullptr;

    bool CardPresent = true;
    int Passes = 0;
    int LayoutClicks = 0;

public slots:
    void PageCreate(QObject *)
    {
        SetSup->RegisterCalibDisplay({ChannelBox, RunButton, HintLabel});
        SetSup->RunButtonsToStart();
    }
    void SetSupBeginCalib(QObject *) { ++Passes; }
    QString SetSupGetCalibString(QObject *, quint8 Channel, bool &ItsAllBad)
    {
        if (!CardPresent)
            return QStringLiteral("no reading");
        ItsAllBad = false;
        return QString::number(0.5 * Channel, 'f', 3) + QStringLiteral(" V");
    }
    void RunButtonStart(QObject *)
    {
        SetSup->RunButtonsToStop();
        SetSup->SetCalibrating(true);
    }
    void RunButtonStop(QObject *) { SetSup->StopCalibration(); }
    QString ChannelAsInt(QObject *, int, bool &) { return {}; }
    void RunButtonClick(QObject *) { ++LayoutClicks; }
};

namespace {

QByteArray PageLayout()
{
    QFile file(QStringLiteral(":/pages/calibration.ui"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(CalibrationPage, RunsFromItsButtonsEndToEnd)
{
    TApplication::Instance()->SetErrorDisplay([](const QString &message) { ADD_FAILURE() << message.toStdString(); });
    TCalibrationPage page(PageLayout());
    BoxWatcher boxes([&] { return page.SetSup->Calibrating(); });
    ASSERT_EQ(page.SetSup->CalibDisplays().size(), 1);
    EXPECT_EQ(page.RunButton->text(), QStringLiteral("Start"));

    page.RunButton->click();
    EXPECT_EQ(page.RunButton->text(), QStringLiteral("Stop"));
    EXPECT_TRUE(page.SetSup->Calibrating());
    QTRY_VERIFY(page.Passes >= 2);
    EXPECT_TRUE(page.HintLabel->isHidden());
    EXPECT_EQ(page.ChannelBox->itemText(7), QStringLiteral("Channel 7\t3.500 V"));
    EXPECT_EQ(page.ChannelBox->count(), 8);
    EXPECT_TRUE(boxes.Seen.isEmpty());

    page.RunButton->click();
    EXPECT_EQ(page.RunButton->text(), QStringLiteral("Start"));
    EXPECT_FALSE(page.SetSup->Calibrating());

    // Without the card every pass is all bad: Retry goes on, Cancel ends the run.
    page.CardPresent = false;
    boxes.Answers = {QMessageBox::Retry, QMessageBox::Cancel};
    page.RunButton->click();
    QTRY_COMPARE(boxes.Seen.size(), 2);
    QTRY_VERIFY(!page.SetSup->Calibrating());
    EXPECT_EQ(boxes.Seen.at(1).caption, QStringLiteral("Total A/D failure"));
    EXPECT_EQ(page.RunButton->text(), QStringLiteral("Start"));
    TApplication::Instance()->SetErrorDisplay({});
}

TEST(CalibrationPage, TheStartRoleReplacesTheClickHandlerTheLayoutBound)
{
    QByteArray layout = PageLayout();
    layout.replace(R"(<widget class="QPushButton" name="RunButton">)",
                   R"(<widget class="QPushButton" name="RunButton"><property name="OnClick" stdset="0"><string>RunButtonClick</string></property>)");
    TCalibrationPage page(layout);
    page.RunButton->click();
    EXPECT_EQ(page.LayoutClicks, 0);
    EXPECT_TRUE(page.SetSup->Calibrating());
    page.SetSup->SetCalibrating(false);
}

TEST(CalibrationPage, HandlerOfAnotherShapeIsRefused)
{
    QByteArray layout = PageLayout();
    layout.replace("<string>SetSupGetCalibString</string>", "<string>ChannelAsInt</string>");
    try {
        TCalibrationPage page(layout);
        ADD_FAILURE() << "layout accepted";
    } catch (const EReadError &e) {
        EXPECT_NE(std::string(e.what()).find("does not fit OnGetCalibString"), std::string::npos) << e.what();
    }
}

} // namespace

#include "calibrationtests.moc"
