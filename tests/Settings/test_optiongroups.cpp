#include "exceptions.h"
#include "optiongroupspage.h"

#include <QHash>
#include <QRadioButton>

#include <algorithm>

using namespace UserActions;
using J = TJumperControl;

namespace {

// The base jumpers A5 to A9, closed "X" or open "-".
QString BaseJumpers(const TMainForm &f)
{
    QString states;
    for (const TTwoJumper *jumper : {f.BaseJumper5, f.BaseJumper6, f.BaseJumper7, f.BaseJumper8, f.BaseJumper9})
        states += jumper->Closed() ? QLatin1Char('X') : QLatin1Char('-');
    return states;
}

// The names of the closed IRQ jumpers.
QStringList ClosedIRQJumpers(const TMainForm &f)
{
    QStringList names;
    for (const TTwoJumper *jumper : f.IRQJumpers) {
        if (jumper->Closed())
            names << jumper->objectName();
    }
    return names;
}

// The pairs U and A as the pins show them: "L" jsLeft, "R" jsRight, "O" jsOpen.
QString ADJumpers(const TMainForm &f)
{
    const auto letter = [](const TThreeJumper *jumper) {
        return QLatin1Char("OLR"[jumper->JumperState()]);
    };
    return QString() + letter(f.ADRangeJumperU0) + letter(f.ADRangeJumperU1) + ' ' + letter(f.ADRangeJumperA0) +
           letter(f.ADRangeJumperA1);
}

// What the edit box shows as its background: the commonest colour inside its frame.
QColor Shown(QLineEdit *edit)
{
    const QImage image = edit->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x)
            ++counts[image.pixel(x, y)];
    }
    const auto commonest = std::max_element(counts.cbegin(), counts.cend());
    return commonest == counts.cend() ? QColor() : QColor(commonest.key());
}

QColor WindowColour()
{
    return ColorToQColor(clWindow, nullptr);
}

QColor PanelColour(const TRadioPanel *panel)
{
    return ColorToQColor(panel->Color(), panel);
}

class OptionGroups : public ::testing::Test
{
protected:
    TRadioPanel *Panel(const char *name) const { return f.findChild<TRadioPanel *>(QLatin1String(name)); }

    OptionGroupsPage page;
    TMainForm &f = *page.form;
    TRadioPanel *const IRQPanel = Panel("IRQPanel");
    TRadioPanel *const DACRangePanel = Panel("DACRangePanel");
    TRadioPanel *const SEDiffPanel = Panel("SEDiffPanel");
    TRadioPanel *const ADRangePanel = Panel("ADRangePanel");
    TRadioPanel *const PowerPanel = Panel("PowerPanel");
};

TEST_F(OptionGroups, StartUpStateComesFromTheLayout)
{
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("300"));
    EXPECT_EQ(BaseJumpers(f), QStringLiteral("XXX--"));
    EXPECT_TRUE(f.BaseLabelFeedback->text().isEmpty());
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper5")});
    EXPECT_TRUE(f.DARangeJumperA5->Closed());
    EXPECT_FALSE(f.DARangeJumperAA->Closed());
    EXPECT_TRUE(f.DARangeJumperB5->Closed());
    EXPECT_FALSE(f.DARangeJumperBA->Closed());
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsLeft);
    EXPECT_EQ(f.SeDiff2->JumperState(), J::jsLeft);
    EXPECT_EQ(ADJumpers(f), QStringLiteral("RR RR"));
    EXPECT_EQ(f.PowerJumperTop->JumperState(), J::jsRight);
    EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsRight);
    EXPECT_TRUE(f.PowRadio104->isChecked());
    EXPECT_FALSE(f.PowRadioP3->isChecked());

    // The table runs from IRQ 3 up; IRQ 13 does not exist, so entry 9 is IRQ 14.
    const QStringList order{"IRQJumper3",  "IRQJumper4",  "IRQJumper5",  "IRQJumper6",
                            "IRQJumper7",  "IRQJumper9",  "IRQJumper10", "IRQJumper11",
                            "IRQJumper12", "IRQJumper14", "IRQJumper15"};
    for (int k = 0; k < int(f.IRQJumpers.size()); ++k) {
        ASSERT_NE(f.IRQJumpers[k], nullptr);
        EXPECT_EQ(f.IRQJumpers[k]->objectName(), order[k]);
        EXPECT_EQ(f.IRQJumpers[k]->Tag(), k + 1);
    }
    EXPECT_EQ(f.IRQJumpers[9], f.IRQJumper14);
    EXPECT_EQ(f.IRQJumpers[10], f.IRQJumper15);

    // The main window shows no panel, and starting it enters none: the lists stay empty.
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    const QList<TRadioPanel *> panels = f.findChildren<TRadioPanel *>();
    EXPECT_EQ(panels.size(), 9);
    for (const TRadioPanel *panel : panels)
        EXPECT_FALSE(panel->isVisible()) << panel->objectName().toStdString();
    for (const QComboBox *list : {f.IRQCombo, f.DACRangeBoxA, f.DACRangeBoxB, f.SEDiffBox, f.ADRangeBox}) {
        EXPECT_EQ(list->currentIndex(), -1) << list->objectName().toStdString();
        EXPECT_TRUE(list->currentText().isEmpty());
        EXPECT_FALSE(list->isEditable()) << "pick-only";
    }
}

TEST_F(OptionGroups, InformationPanelsHoldOnlyTheirExplanation)
{
    for (const char *name : {"DIOPanel", "AIOPanel", "CTRPanel"}) {
        const auto *panel = f.findChild<TRadioPanel *>(QLatin1String(name));
        ASSERT_NE(panel, nullptr) << name;
        EXPECT_TRUE(panel->findChildren<QWidget *>().isEmpty()) << name;
        EXPECT_EQ(panel->height(), 9);
        EXPECT_EQ(panel->Lines().first(), QStringLiteral("This connector has the pins for:"));
    }
}

// ---- Base address ----

struct ReadableAddress
{
    const char *text;
    const char *feedback;
    const char *jumpers;
};

TEST_F(OptionGroups, ReadableBaseAddressesSetJumpersAndFeedback)
{
    const ReadableAddress cases[] = {
        {"300", "", "XXX--"},           {"301", "300", "XXX--"},     {"1000", "0", "XXXXX"},
        {"3e0", "", "-----"},           {"03E0", "", "-----"},       {"0", "", "XXXXX"},
        {"000", "", "XXXXX"},           {"FFFFFFFF", "3E0", "-----"}, {"ffffffff", "3E0", "-----"},
        {"3e1", "3E0", "-----"},        {"20", "", "-XXXX"},         {"1F", "0", "XXXXX"},
        {"0000000300", "", "XXX--"},    {"00000000FFFFFFFF", "3E0", "-----"}, {"12345678", "260", "--XX-"},
    };
    ASSERT_TRUE(page.Host({f.BasePanel}));
    for (const ReadableAddress &c : cases) {
        SCOPED_TRACE(c.text);
        Type(f.BaseEdit, QLatin1String(c.text));
        EXPECT_EQ(f.BaseEdit->text(), QLatin1String(c.text));
        EXPECT_EQ(f.BaseLabelFeedback->text(), QLatin1String(c.feedback));
        EXPECT_EQ(BaseJumpers(f), QLatin1String(c.jumpers));
        EXPECT_EQ(Shown(f.BaseEdit), WindowColour());
    }
}

struct UnreadableAddress
{
    const char *name;
    QString start;
    Qt::Key move;
    QString typed;
    QString result;
    const char *feedback; // of start
    const char *jumpers;  // of start
};

// Each unreadable form arises from a readable one, and only the box's colour changes.
TEST_F(OptionGroups, UnreadableBaseAddressesOnlyColourTheBox)
{
    const UnreadableAddress cases[] = {
        {"leading blank", "301", Qt::Key_Home, " ", " 301", "300", "XXX--"},
        {"trailing blank", "301", Qt::Key_End, " ", "301 ", "300", "XXX--"},
        {"dollar prefix", "301", Qt::Key_Home, "$", "$301", "300", "XXX--"},
        {"0x prefix", "301", Qt::Key_Home, "0x", "0x301", "300", "XXX--"},
        {"minus sign", "301", Qt::Key_Home, "-", "-301", "300", "XXX--"},
        {"letter beyond F", "301", Qt::Key_End, "G", "301G", "300", "XXX--"},
        {"small letter beyond f", "301", Qt::Key_End, "g", "301g", "300", "XXX--"},
        {"digit of another script", "301", Qt::Key_End, QStringLiteral("\uFF13"), QStringLiteral("301\uFF13"), "300",
         "XXX--"},
        {"nine significant digits", "10000000", Qt::Key_End, "0", "100000000", "0", "XXXXX"},
        {"nine digits whose low eight differ", "30112345", Qt::Key_End, "6", "301123456", "340", "X-X--"},
    };
    ASSERT_TRUE(page.Host({f.BasePanel}));
    const QColor panelColour = PanelColour(f.BasePanel);
    ASSERT_NE(panelColour, WindowColour());
    EXPECT_EQ(f.BasePanel->Color(), clBtnFace);
    for (const UnreadableAddress &c : cases) {
        SCOPED_TRACE(c.name);
        Type(f.BaseEdit, c.start);
        ASSERT_EQ(f.BaseLabelFeedback->text(), QLatin1String(c.feedback));
        ASSERT_EQ(Shown(f.BaseEdit), WindowColour());
        QTest::keyClick(f.BaseEdit, c.move);
        TypeKeys(f.BaseEdit, c.typed);
        EXPECT_EQ(f.BaseEdit->text(), c.result);
        EXPECT_EQ(Shown(f.BaseEdit), panelColour);
        EXPECT_EQ(f.BaseLabelFeedback->text(), QLatin1String(c.feedback));
        EXPECT_EQ(BaseJumpers(f), QLatin1String(c.jumpers));
    }
}

TEST_F(OptionGroups, ReadableEntryOrJumperClickRestoresTheWindowColour)
{
    ASSERT_TRUE(page.Host({f.BasePanel}));
    Type(f.BaseEdit, QStringLiteral("3G"));
    EXPECT_EQ(Shown(f.BaseEdit), PanelColour(f.BasePanel));
    QTest::keyClick(f.BaseEdit, Qt::Key_Backspace);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("3"));
    EXPECT_EQ(Shown(f.BaseEdit), WindowColour());

    Type(f.BaseEdit, QStringLiteral("$301"));
    EXPECT_EQ(Shown(f.BaseEdit), PanelColour(f.BasePanel));
    Click(f.BaseJumper5); // was closed for "3"
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("20"));
    EXPECT_EQ(Shown(f.BaseEdit), WindowColour());
    EXPECT_TRUE(f.BaseLabelFeedback->text().isEmpty());
}

TEST_F(OptionGroups, EmptyingTheBoxEntersZero)
{
    ASSERT_TRUE(page.Host({f.BasePanel}));
    for (const QString &before : {QStringLiteral("301"), QStringLiteral("$3")}) {
        SCOPED_TRACE(before.toStdString());
        Type(f.BaseEdit, before);
        Type(f.BaseEdit, QString());
        EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("0"));
        EXPECT_EQ(BaseJumpers(f), QStringLiteral("XXXXX"));
        EXPECT_TRUE(f.BaseLabelFeedback->text().isEmpty());
        EXPECT_EQ(Shown(f.BaseEdit), WindowColour());
    }

    // Erasing one character at a time ends the same way.
    Type(f.BaseEdit, QStringLiteral("3E1"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(f.BaseEdit, Qt::Key_Backspace);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("0"));
    EXPECT_EQ(BaseJumpers(f), QStringLiteral("XXXXX"));
}

TEST_F(OptionGroups, BaseJumperClicksWriteTheAddress)
{
    ASSERT_TRUE(page.Host({f.BasePanel}));
    Click(f.BaseJumper8);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("200"));
    EXPECT_EQ(BaseJumpers(f), QStringLiteral("XXXX-"));

    for (TTwoJumper *jumper : {f.BaseJumper5, f.BaseJumper6, f.BaseJumper7, f.BaseJumper8})
        Click(jumper);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("3E0"));
    EXPECT_EQ(BaseJumpers(f), QStringLiteral("-----"));

    for (TTwoJumper *jumper : {f.BaseJumper9, f.BaseJumper8, f.BaseJumper7, f.BaseJumper6, f.BaseJumper5})
        Click(jumper);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("0"));
    EXPECT_EQ(BaseJumpers(f), QStringLiteral("XXXXX"));

    // A click clears the feedback of an address the jumpers could not show.
    Type(f.BaseEdit, QStringLiteral("301"));
    ASSERT_EQ(f.BaseLabelFeedback->text(), QStringLiteral("300"));
    Click(f.BaseJumper9);
    EXPECT_EQ(f.BaseEdit->text(), QStringLiteral("100"));
    EXPECT_TRUE(f.BaseLabelFeedback->text().isEmpty());
    EXPECT_EQ(Shown(f.BaseEdit), WindowColour());
}

// ---- IRQ ----

TEST_F(OptionGroups, IRQJumperClicksSelectTheirLine)
{
    ASSERT_TRUE(page.Host({IRQPanel}));
    page.Enter(IRQPanel);
    EXPECT_EQ(page.Entries(IRQPanel), 1);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 5"));
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper5")});

    Click(f.IRQJumper5);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQs Disabled"));
    EXPECT_TRUE(ClosedIRQJumpers(f).isEmpty());
    Click(f.IRQJumper10);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 10"));
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper10")});

    // Every jumper closes alone and names its line.
    for (TTwoJumper *jumper : f.IRQJumpers) {
        SCOPED_TRACE(jumper->objectName().toStdString());
        if (jumper->Closed())
            Click(jumper);
        Click(jumper);
        EXPECT_EQ(ClosedIRQJumpers(f), QStringList{jumper->objectName()});
        EXPECT_EQ(QStringLiteral("IRQJumper") + f.IRQCombo->currentText().mid(4), jumper->objectName());
    }
}

TEST_F(OptionGroups, IRQListEntriesCloseOnlyTheirJumper)
{
    ASSERT_TRUE(page.Host({IRQPanel}));
    page.Enter(IRQPanel);
    ChooseWithKeys(f.IRQCombo, 0);
    ASSERT_EQ(f.IRQCombo->currentIndex(), 0);
    EXPECT_TRUE(ClosedIRQJumpers(f).isEmpty());
    for (int index = 1; index < f.IRQCombo->count(); ++index) {
        SCOPED_TRACE(f.IRQCombo->itemText(index).toStdString());
        ChooseWithKeys(f.IRQCombo, index);
        ASSERT_EQ(f.IRQCombo->currentIndex(), index);
        EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper") + f.IRQCombo->itemText(index).mid(4)});
    }

    ChooseWithMouse(f.IRQCombo, 7);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 10"));
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper10")});
    ChooseInOpenList(f.IRQCombo, 11);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 15"));
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper15")});
    EXPECT_EQ(page.Entries(IRQPanel), 1) << "the open list took the focus out of the window, not the panel";
}

TEST_F(OptionGroups, IRQReentryChangesOnlyTheList)
{
    ASSERT_TRUE(page.Host({IRQPanel}));
    page.Enter(IRQPanel);
    ChooseWithMouse(f.IRQCombo, 7);
    ASSERT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper10")});

    page.Leave();
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 10"));
    f.IRQCombo->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(page.Entries(IRQPanel), 2);
    EXPECT_EQ(f.IRQCombo->currentText(), QStringLiteral("IRQ 5"));
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper10")});
}

// ---- DAC ranges ----

TEST_F(OptionGroups, DACJumperClicksAlwaysCloseTheClickedOne)
{
    ASSERT_TRUE(page.Host({DACRangePanel}));
    page.Enter(DACRangePanel);
    EXPECT_EQ(f.DACRangeBoxA->currentText(), QStringLiteral("DAC A: 0-10V"));
    EXPECT_EQ(f.DACRangeBoxB->currentText(), QStringLiteral("DAC B: 0-10V"));

    Click(f.DARangeJumperA5); // closed: the click opens it, the rule closes it again
    EXPECT_TRUE(f.DARangeJumperA5->Closed());
    EXPECT_FALSE(f.DARangeJumperAA->Closed());
    EXPECT_EQ(f.DACRangeBoxA->currentText(), QStringLiteral("DAC A: 0-10V"));

    Click(f.DARangeJumperAA);
    EXPECT_FALSE(f.DARangeJumperA5->Closed());
    EXPECT_TRUE(f.DARangeJumperAA->Closed());
    EXPECT_EQ(f.DACRangeBoxA->currentText(), QStringLiteral("DAC A: 0-5V"));
    Click(f.DARangeJumperAA);
    EXPECT_TRUE(f.DARangeJumperAA->Closed());

    Click(f.DARangeJumperBA);
    EXPECT_EQ(f.DACRangeBoxB->currentText(), QStringLiteral("DAC B: 0-5V"));
    EXPECT_FALSE(f.DARangeJumperB5->Closed());
    EXPECT_TRUE(f.DARangeJumperBA->Closed());
    Click(f.DARangeJumperB5);
    EXPECT_EQ(f.DACRangeBoxB->currentText(), QStringLiteral("DAC B: 0-10V"));
    EXPECT_TRUE(f.DARangeJumperB5->Closed());
    EXPECT_FALSE(f.DARangeJumperBA->Closed());
    EXPECT_TRUE(f.DARangeJumperAA->Closed()) << "channel A kept its range";
}

TEST_F(OptionGroups, DACListsSetTheirChannelAndReentryOnlyTheLists)
{
    ASSERT_TRUE(page.Host({DACRangePanel}));
    page.Enter(DACRangePanel);
    ChooseWithKeys(f.DACRangeBoxB, 1);
    EXPECT_FALSE(f.DARangeJumperB5->Closed());
    EXPECT_TRUE(f.DARangeJumperBA->Closed());
    EXPECT_TRUE(f.DARangeJumperA5->Closed());
    ChooseWithMouse(f.DACRangeBoxA, 1);
    EXPECT_FALSE(f.DARangeJumperA5->Closed());
    EXPECT_TRUE(f.DARangeJumperAA->Closed());
    ChooseWithKeys(f.DACRangeBoxA, 0);
    EXPECT_TRUE(f.DARangeJumperA5->Closed());
    EXPECT_FALSE(f.DARangeJumperAA->Closed());

    // Tab from one list to the other stays inside the panel; coming back resets both lists.
    QTest::keyClick(f.DACRangeBoxA, Qt::Key_Tab);
    EXPECT_TRUE(f.DACRangeBoxB->hasFocus());
    EXPECT_EQ(page.Entries(DACRangePanel), 1);
    page.Leave();
    page.Enter(DACRangePanel);
    EXPECT_EQ(page.Entries(DACRangePanel), 2);
    EXPECT_EQ(f.DACRangeBoxB->currentIndex(), 0);
    EXPECT_TRUE(f.DARangeJumperBA->Closed()) << "the jumpers keep their state";
}

// ---- Input mode ----

TEST_F(OptionGroups, InputModeJumpersMoveTogether)
{
    ASSERT_TRUE(page.Host({SEDiffPanel}));
    page.Enter(SEDiffPanel);
    EXPECT_EQ(f.SEDiffBox->currentText(), QStringLiteral("8 Channel Differential mode"));

    Click(f.SeDiff2);
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsRight);
    EXPECT_EQ(f.SeDiff2->JumperState(), J::jsRight);
    EXPECT_EQ(f.SEDiffBox->currentText(), QStringLiteral("16 Channel Single Ended mode"));
    Click(f.SeDiff1); // never open: jsRight goes to jsLeft
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsLeft);
    EXPECT_EQ(f.SeDiff2->JumperState(), J::jsLeft);
    EXPECT_EQ(f.SEDiffBox->currentIndex(), 0);

    ChooseWithMouse(f.SEDiffBox, 1);
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsRight);
    EXPECT_EQ(f.SeDiff2->JumperState(), J::jsRight);

    page.Leave();
    f.SEDiffBox->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.SEDiffBox->currentIndex(), 0);
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsRight) << "re-entry leaves the jumpers";
    ChooseWithKeys(f.SEDiffBox, 1);
    ChooseWithKeys(f.SEDiffBox, 0);
    EXPECT_EQ(f.SeDiff2->JumperState(), J::jsLeft);
}

// ---- A/D range ----

TEST_F(OptionGroups, ADRangeListSetsBothPairs)
{
    ASSERT_TRUE(page.Host({ADRangePanel}));
    page.Enter(ADRangePanel);
    EXPECT_EQ(f.ADRangeBox->currentText(), QStringLiteral("±5V"));
    EXPECT_EQ(ADJumpers(f), QStringLiteral("RR RR"));
    const char *expected[] = {"RR RR", "RR LL", "LL RR", "LL LL"};
    for (int index : {1, 2, 3, 2, 1, 0}) {
        ChooseWithKeys(f.ADRangeBox, index);
        EXPECT_EQ(ADJumpers(f), QLatin1String(expected[index])) << index;
    }
    ChooseWithMouse(f.ADRangeBox, 3);
    EXPECT_EQ(f.ADRangeBox->currentText(), QStringLiteral("0-10V(Low Res)"));
    EXPECT_EQ(ADJumpers(f), QStringLiteral("LL LL")) << "only the list reaches both pairs on jsLeft";
}

struct ADClicks
{
    const char *name;
    int fromEntry;
    TThreeJumper *TMainForm::*jumper;
    const char *jumpers;
    int entry;
};

TEST_F(OptionGroups, ADRangeJumperClicksCoupleThePairAndAvoidTheForbiddenOne)
{
    const ADClicks cases[] = {
        {"U0 from ±10V", 1, &TMainForm::ADRangeJumperU0, "LL RR", 2},
        {"U1 from ±10V", 1, &TMainForm::ADRangeJumperU1, "LL RR", 2},
        {"A1 from Low Res", 3, &TMainForm::ADRangeJumperA1, "LL RR", 2},
        {"U0 from Low Res", 3, &TMainForm::ADRangeJumperU0, "RR LL", 1},
        {"A0 from 0-10V", 2, &TMainForm::ADRangeJumperA0, "RR LL", 1},
        {"A1 from ±5V", 0, &TMainForm::ADRangeJumperA1, "RR LL", 1},
        {"U1 from ±5V", 0, &TMainForm::ADRangeJumperU1, "LL RR", 2},
        {"U0 from 0-10V", 2, &TMainForm::ADRangeJumperU0, "RR RR", 0},
        {"A0 from ±10V", 1, &TMainForm::ADRangeJumperA0, "RR RR", 0},
    };
    ASSERT_TRUE(page.Host({ADRangePanel}));
    page.Enter(ADRangePanel);
    for (const ADClicks &c : cases) {
        SCOPED_TRACE(c.name);
        ChooseWithKeys(f.ADRangeBox, c.fromEntry);
        Click(f.*c.jumper);
        EXPECT_EQ(ADJumpers(f), QLatin1String(c.jumpers));
        EXPECT_EQ(f.ADRangeBox->currentIndex(), c.entry);
    }
}

TEST_F(OptionGroups, ADRangeReentryResetsTheGroup)
{
    ASSERT_TRUE(page.Host({ADRangePanel}));
    page.Enter(ADRangePanel);
    ChooseWithMouse(f.ADRangeBox, 3);
    ASSERT_EQ(ADJumpers(f), QStringLiteral("LL LL"));
    EXPECT_EQ(page.Entries(ADRangePanel), 1);
    page.Leave();
    page.Enter(ADRangePanel);
    EXPECT_EQ(page.Entries(ADRangePanel), 2);
    EXPECT_EQ(f.ADRangeBox->currentText(), QStringLiteral("±5V"));
    EXPECT_EQ(ADJumpers(f), QStringLiteral("RR RR"));
}

// ---- Power ----

TEST_F(OptionGroups, PowerJumpersAndRadioButtonsAgree)
{
    ASSERT_TRUE(page.Host({PowerPanel}));
    for (TThreeJumper *jumper : {f.PowerJumperTop, f.PowerJumperBot}) {
        SCOPED_TRACE(jumper->objectName().toStdString());
        Click(jumper);
        EXPECT_EQ(f.PowerJumperTop->JumperState(), J::jsLeft);
        EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsLeft);
        EXPECT_TRUE(f.PowRadioP3->isChecked());
        EXPECT_FALSE(f.PowRadio104->isChecked());
        Click(jumper);
        EXPECT_EQ(f.PowerJumperTop->JumperState(), J::jsRight);
        EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsRight);
        EXPECT_TRUE(f.PowRadio104->isChecked());
    }

    ClickRadio(f.PowRadioP3);
    EXPECT_TRUE(f.PowRadioP3->isChecked());
    EXPECT_EQ(f.PowerJumperTop->JumperState(), J::jsLeft);
    EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsLeft);
    ClickRadio(f.PowRadioP3);
    EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsLeft);
    QTest::keyClick(f.PowRadioP3, Qt::Key_Up); // the arrow keys move the check inside the group
    EXPECT_TRUE(f.PowRadio104->isChecked());
    EXPECT_EQ(f.PowerJumperTop->JumperState(), J::jsRight);
    EXPECT_EQ(f.PowerJumperBot->JumperState(), J::jsRight);
}

TEST_F(OptionGroups, JumperHandlersRefuseASenderOfAnotherClass)
{
    EXPECT_THROW(f.IRQJumperClick(f.SeDiff1), EInvalidCast);
    EXPECT_THROW(f.DARangeJumperAClick(f.SeDiff1), EInvalidCast);
    EXPECT_THROW(f.DARangeJumperBClick(f.BaseEdit), EInvalidCast);
    EXPECT_THROW(f.SeDiffClick(f.IRQJumper5), EInvalidCast);
    EXPECT_THROW(f.PowerJumperClick(f.IRQJumper5), EInvalidCast);
    EXPECT_EQ(ClosedIRQJumpers(f), QStringList{QStringLiteral("IRQJumper5")});
    EXPECT_EQ(f.SeDiff1->JumperState(), J::jsLeft);
    EXPECT_TRUE(f.PowRadio104->isChecked());
}

// ---- Focus entering a panel ----

TEST_F(OptionGroups, PanelIsEnteredOnlyWhenTheFocusComesFromOutside)
{
    ASSERT_TRUE(page.Host({DACRangePanel, SEDiffPanel}));
    EXPECT_EQ(page.Entries(DACRangePanel), 0) << "showing the window enters no panel";
    page.Enter(DACRangePanel);
    EXPECT_EQ(page.Entries(DACRangePanel), 1);
    f.DACRangeBoxA->setFocus(Qt::TabFocusReason);
    f.DACRangeBoxB->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(page.Entries(DACRangePanel), 1);

    // From one panel to the other and back.
    f.SEDiffBox->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(page.Entries(SEDiffPanel), 1);
    f.DACRangeBoxA->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(page.Entries(DACRangePanel), 2);

    // Another window takes the activation and gives it back: the focus never left the panel.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    page.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page.window));
    EXPECT_TRUE(f.DACRangeBoxA->hasFocus());
    EXPECT_EQ(page.Entries(DACRangePanel), 2);

    page.Leave();
    EXPECT_EQ(page.Entries(DACRangePanel), 2);
    Click(f.DARangeJumperAA); // a jumper takes no focus
    EXPECT_EQ(page.Entries(DACRangePanel), 2);
    EXPECT_TRUE(page.outside->hasFocus());
}

} // namespace
