#include "component.h"
#include "highlightpage.h"
#include "menutexts.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

namespace {

using H = TBoardHighlight;

QStringList EntryNames(const QMenu *group)
{
    QStringList names;
    for (const QAction *action : group->actions())
        names << action->objectName();
    return names;
}

QMenu *Group(const QMainWindow &form, const QString &caption)
{
    for (QAction *item : form.menuBar()->actions()) {
        if (item->text() == caption)
            return item->menu();
    }
    return nullptr;
}

// What a message box showed, and the button it was answered with.
struct Shown
{
    QString caption, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next modal message box by the button captioned answer.
void Answer(const QString &answer, Shown &shown)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer, &shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        shown.caption = box->windowTitle();
        shown.text = box->text();
        shown.icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            shown.buttons << button->text();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == answer)
                button->click();
        }
    });
    poll->start(5);
}

// A main window whose board picture holds circles of the given types and titles.
struct MenuForm
{
    explicit MenuForm(const QStringList &topLevel)
    {
        form.setCentralWidget(client);
        for (const QString &caption : topLevel)
            form.menuBar()->addMenu(caption);
        board->SetMenu(form.menuBar());
    }
    H *Add(H::THighlightType type, const QString &title)
    {
        auto *circle = new H(board);
        circle->SetHighlightType(type);
        circle->SetTitle(title);
        circle->setGeometry(board->findChildren<H *>().size() * 20, 0, 20, 20);
        return circle;
    }
    void Show()
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitFor([this] {
            const QList<H *> circles = board->findChildren<H *>();
            return std::all_of(circles.begin(), circles.end(), [](const H *c) { return c->Rendered(); });
        }));
    }
    QMainWindow form;
    QWidget *client = new QWidget;
    TBoardImage *board = new TBoardImage(client);
};

// A page whose menu holds a "&Settings" group with an entry of its own, and an "&Options"
// item stored without entries.
class TOwnEntryPage : public TForm
{
    Q_OBJECT
public:
    TOwnEntryPage()
    {
        TFormLoader(this).Load(QByteArrayLiteral(R"(<ui version="4.0"><widget class="TOwnEntryPage" name="Page">
 <property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property>
 <widget class="QWidget" name="Client">
  <widget class="TBoardImage" name="Board">
   <property name="geometry"><rect><x>0</x><y>0</y><width>100</width><height>100</height></rect></property>
   <property name="Menu" stdset="0"><string>MainMenu1</string></property>
   <property name="AutoSize" stdset="0"><bool>false</bool></property>
   <widget class="TBoardHighlight" name="SettingHighlight">
    <property name="geometry"><rect><x>0</x><y>0</y><width>20</width><height>20</height></rect></property>
    <property name="Title"><string>&amp;A</string></property>
   </widget>
   <widget class="TBoardHighlight" name="OptionHighlight">
    <property name="geometry"><rect><x>30</x><y>0</y><width>20</width><height>20</height></rect></property>
    <property name="HighlightType"><enum>TBoardHighlight::htOptions</enum></property>
    <property name="Title"><string>&amp;B</string></property>
   </widget>
  </widget>
 </widget>
 <action name="OwnEntry">
  <property name="text"><string>&amp;Own</string></property>
  <property name="OnClick" stdset="0"><string>OwnClick</string></property>
 </action>
 <action name="Options9"><property name="text"><string>&amp;Options</string></property></action>
 <widget class="QMenuBar" name="MainMenu1">
  <widget class="QMenu" name="Settings9"><property name="title"><string>&amp;Settings</string></property>
   <addaction name="OwnEntry"/>
  </widget>
  <addaction name="Settings9"/>
  <addaction name="Options9"/>
 </widget>
</widget></ui>)"));
        winId();
    }
    void Show()
    {
        show();
        const QList<H *> circles = findChildren<H *>();
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return std::all_of(circles.begin(), circles.end(), [](const H *c) { return c->Rendered(); });
        }));
    }
    QObjectList clickedBy;

public slots:
    void OwnClick(QObject *Sender) { clickedBy << Sender; }
};

} // namespace

TEST(HighlightMenu, ATopLevelItemStoredWithoutEntriesIsReused)
{
    TOwnEntryPage page;
    page.Show();
    EXPECT_EQ(Captions(page.menuBar()->actions()), (QStringList{QStringLiteral("&Settings"), QStringLiteral("&Options")}));
    QMenu *options = Group(page, QStringLiteral("&Options"));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Captions(options->actions()), QStringList{QStringLiteral("&B")});
    EXPECT_EQ(Captions(Group(page, QStringLiteral("&Settings"))->actions()),
              (QStringList{QStringLiteral("&Own"), QStringLiteral("&A")}));
}

TEST(HighlightMenu, NextReachesAnEntryOfThePagesOwnWithTheCircleAsSender)
{
    TOwnEntryPage page;
    page.Show();
    H *setting = page.findChild<H *>(QStringLiteral("SettingHighlight"));
    setting->MouseEnter(0);
    setting->Click();
    setting->NextClick();
    EXPECT_EQ(page.clickedBy, QObjectList{setting});
    EXPECT_FALSE(setting->Popup()->isVisible());
}

TEST(HighlightMenu, EntriesFollowTheCirclesInGroupsBeforeHelp)
{
    THighlightPage page;
    page.Show();
    EXPECT_EQ(page.Alpha->BoardMenu(), page.menuBar());
    EXPECT_EQ(Captions(page.menuBar()->actions()), (QStringList{QStringLiteral("&File"), QStringLiteral("&Settings"),
                                                                QStringLiteral("&Options"), QStringLiteral("&Help")}));
    QMenu *settings = Group(page, QStringLiteral("&Settings"));
    QMenu *options = Group(page, QStringLiteral("&Options"));
    EXPECT_EQ(settings->objectName(), QStringLiteral("Settings1"));
    EXPECT_EQ(options->objectName(), QStringLiteral("Options1"));
    EXPECT_EQ(Captions(settings->actions()),
              (QStringList{QStringLiteral("&Alpha"), QStringLiteral("&Beta"), QStringLiteral("&Delta")}));
    EXPECT_EQ(EntryNames(settings), (QStringList{QStringLiteral("Alpha1"), QStringLiteral("Beta1"), QStringLiteral("Delta1")}));
    // "&Beta" of the other type has its own entry; "Gam&ma" too, named with the next free number.
    EXPECT_EQ(Captions(options->actions()),
              (QStringList{QStringLiteral("&Beta"), QStringLiteral("&Gamma"), QStringLiteral("Gam&ma")}));
    EXPECT_EQ(EntryNames(options), (QStringList{QStringLiteral("Beta2"), QStringLiteral("Gamma1"), QStringLiteral("Gamma2")}));
    for (const QAction *entry : settings->actions() + options->actions()) {
        EXPECT_EQ(entry->parent(), &page);
        EXPECT_FALSE(entry->isChecked());
    }

    page.Alpha->CheckMenuEntry(true);
    EXPECT_TRUE(settings->actions().at(0)->isChecked());
    page.Alpha->CheckMenuEntry(false);
    EXPECT_FALSE(settings->actions().at(0)->isChecked());
}

TEST(HighlightMenu, GroupsKeepTheirOrderWhateverOrderTheTypesComeIn)
{
    MenuForm withHelp({QStringLiteral("&File"), QStringLiteral("&Help")});
    withHelp.Add(H::htOptions, QStringLiteral("&O"));
    withHelp.Add(H::htCalibration, QStringLiteral("&C"));
    withHelp.Add(H::htSettings, QStringLiteral("&S"));
    withHelp.Show();
    EXPECT_EQ(Captions(withHelp.form.menuBar()->actions()),
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Settings"), QStringLiteral("&Calibration"),
                           QStringLiteral("&Options"), QStringLiteral("&Help")}));

    MenuForm withoutHelp({});
    withoutHelp.Add(H::htOptions, QStringLiteral("&O"));
    withoutHelp.Add(H::htSettings, QStringLiteral("&S"));
    withoutHelp.Show();
    EXPECT_EQ(Captions(withoutHelp.form.menuBar()->actions()),
              (QStringList{QStringLiteral("&Settings"), QStringLiteral("&Options")}));
}

TEST(HighlightMenu, NamesSkipTakenOnesAndAGroupFoundByCaptionIsReused)
{
    MenuForm page({QStringLiteral("&Help")});
    QMenu *extras = page.form.menuBar()->addMenu(QStringLiteral("&Options"));
    extras->setObjectName(QStringLiteral("Extras"));
    QObject taken(&page.form);
    taken.setObjectName(QStringLiteral("Settings1"));
    QObject takenEntry(&page.form);
    takenEntry.setObjectName(QStringLiteral("Alpha1"));
    page.Add(H::htSettings, QStringLiteral("&Alpha"));
    page.Add(H::htSettings, QString());
    page.Add(H::htSettings, QStringLiteral("±12"));
    page.Add(H::htOptions, QStringLiteral("&Alpha"));
    page.Show();
    QMenu *settings = Group(page.form, QStringLiteral("&Settings"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->objectName(), QStringLiteral("Settings2"));
    EXPECT_EQ(Captions(settings->actions()), (QStringList{QStringLiteral("&Alpha"), QStringLiteral("±12")}))
        << "an empty title has no entry";
    EXPECT_EQ(EntryNames(settings), (QStringList{QStringLiteral("Alpha2"), QStringLiteral("Entry1")}));
    EXPECT_EQ(Captions(page.form.menuBar()->actions()),
              (QStringList{QStringLiteral("&Settings"), QStringLiteral("&Help"), QStringLiteral("&Options")}));
    EXPECT_EQ(EntryNames(extras), QStringList{QStringLiteral("Alpha3")});
}

TEST(HighlightMenu, AnEntryOpensThePinnedPopupAndClosesItWhenChecked)
{
    THighlightPage page;
    page.Show();
    QAction *beta = page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Beta"));
    // The entry belongs to BetaHighlight, the window to its partner that was hovered first.
    page.Beta2->MouseEnter(0);
    QCursor::setPos(0, 0);
    page.Beta2->MouseLeave(0);
    ASSERT_NE(page.Beta2->Popup(), nullptr);
    EXPECT_FALSE(page.Beta2->Popup()->isVisible());

    beta->trigger();
    EXPECT_TRUE(page.Beta2->Popup()->isVisible() && page.Beta2->Pinned());
    EXPECT_TRUE(beta->isChecked());
    EXPECT_TRUE(page.Beta->Lit() && page.Beta2->Lit());
    beta->trigger();
    EXPECT_FALSE(page.Beta2->Popup()->isVisible());
    EXPECT_FALSE(beta->isChecked() || page.Beta->Lit() || page.Beta2->Lit());

    // Over a circle whose popup is open but not pinned, the entry pins it.
    QAction *alpha = page.Entry(QStringLiteral("&Settings"), QStringLiteral("&Alpha"));
    page.Alpha->MouseEnter(0);
    alpha->trigger();
    EXPECT_TRUE(page.Alpha->Pinned() && alpha->isChecked() && page.Alpha->Popup()->isVisible());
}

TEST(HighlightMenu, APanelBelongsToOneLinkGroup)
{
    THighlightPage page;
    auto *betaPanel = page.findChild<TRadioPanel *>(QStringLiteral("BetaPanel"));
    auto *spare = new TRadioPanel(&page);
    spare->setObjectName(QStringLiteral("SparePanel"));
    auto *second = new TRadioPanel(&page);
    EXPECT_EQ(page.Beta2->RadioPanel(), betaPanel) << "linked while the page was read";

    // At run time a conflict is refused without a word.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a dialog at run time";
            box->close();
        }
    });
    guard.start(5);
    page.Alpha->SetRadioPanel(betaPanel);
    page.Option->SetRadioPanel(betaPanel);
    EXPECT_EQ(page.Alpha->RadioPanel(), page.AlphaPanel);
    EXPECT_EQ(page.Option->RadioPanel(), nullptr);
    page.Beta2->SetRadioPanel(nullptr);
    EXPECT_EQ(page.Beta2->RadioPanel(), nullptr);
    page.Beta2->SetRadioPanel(betaPanel);
    EXPECT_EQ(page.Beta2->RadioPanel(), betaPanel);
    page.Beta->SetRadioPanel(spare);
    EXPECT_EQ(page.Beta2->RadioPanel(), betaPanel) << "no synchronising outside design mode";
    page.Beta->SetRadioPanel(betaPanel);
    H loose;
    loose.SetRadioPanel(betaPanel);
    EXPECT_EQ(loose.RadioPanel(), betaPanel);
    Component::SetDesigning(&page, true);
    Component::SetLoading(&page, true);
    page.Beta->SetRadioPanel(spare);
    EXPECT_EQ(page.Beta2->RadioPanel(), betaPanel) << "no question while loading";
    Component::SetLoading(&page, false);
    page.Beta->SetRadioPanel(betaPanel);
    guard.stop();

    // A circle designed directly on a form: the form carries no design flag of its own.
    {
        QWidget designed;
        auto *first = new H(&designed);
        first->setObjectName(QStringLiteral("First"));
        auto *second = new H(&designed);
        second->setObjectName(QStringLiteral("Second"));
        second->SetTitle(QStringLiteral("Other"));
        Component::SetDesigning(first, true);
        Component::SetDesigning(second, true);
        first->SetRadioPanel(spare);
        Shown told;
        Answer(QStringLiteral("OK"), told);
        second->SetRadioPanel(spare);
        EXPECT_EQ(second->RadioPanel(), nullptr);
        EXPECT_EQ(told.text, QStringLiteral("SparePanel has already been assigned to First."));
    }

    // In design mode the designer is told, and asked to bring the partner along.
    Shown refused;
    Answer(QStringLiteral("OK"), refused);
    page.Alpha->SetRadioPanel(betaPanel);
    EXPECT_EQ(page.Alpha->RadioPanel(), page.AlphaPanel);
    EXPECT_EQ(refused.caption, QStringLiteral("Error"));
    EXPECT_EQ(refused.text, QStringLiteral("BetaPanel has already been assigned to BetaHighlight."));
    EXPECT_EQ(refused.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(refused.icon, QMessageBox::Critical);

    for (const QString &answer : {QStringLiteral("&No"), QStringLiteral("&Yes")}) {
        Shown asked;
        Answer(answer, asked);
        page.Beta->SetRadioPanel(answer == QStringLiteral("&No") ? spare : second);
        EXPECT_EQ(asked.caption, QStringLiteral("Confirm"));
        EXPECT_EQ(asked.text, QStringLiteral("BetaHighlight's RadioPanel property changed. Synchronize linked "
                                             "component BetaHighlight2?"));
        EXPECT_EQ(asked.buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
        EXPECT_EQ(asked.icon, QMessageBox::Question);
        EXPECT_EQ(page.Beta2->RadioPanel(), answer == QStringLiteral("&No") ? betaPanel : second);
    }
    EXPECT_EQ(page.Beta->RadioPanel(), second);
    Component::SetDesigning(&page, false);
}

#include "test_highlightmenu.moc"
