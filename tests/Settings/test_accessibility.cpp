#include "accessibility.h"
#include "boardpage.h"
#include "optiongroupspage.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <vector>

// The page as a screen reader sees it: everything below goes through the accessibility tree,
// from the main window and from the application's windows, and through the events the controls
// announce (taken where they leave the library: offscreen, Qt has no reader to hand them to).
namespace {

struct Announcement
{
    QString name;
    QAccessible::Event type;
    QAccessible::State changed;
    QString value;
};

std::vector<Announcement> announcements;

void Record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    Announcement said{iface ? iface->text(QAccessible::Name) : QString(), event->type(), {}, {}};
    if (event->type() == QAccessible::StateChanged)
        said.changed = static_cast<QAccessibleStateChangeEvent *>(event)->changedStates();
    if (event->type() == QAccessible::ValueChanged)
        said.value = iface->text(QAccessible::Value);
    announcements.push_back(said);
}

// Depth first, the interface itself first.
void Walk(QAccessibleInterface *iface, const std::function<void(QAccessibleInterface *)> &visit)
{
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), visit);
}

std::vector<QAccessibleInterface *> FindAll(QAccessibleInterface *root, QAccessible::Role role)
{
    std::vector<QAccessibleInterface *> found;
    Walk(root, [&](QAccessibleInterface *iface) {
        if (iface->role() == role)
            found.push_back(iface);
    });
    return found;
}

QAccessibleInterface *Find(QAccessibleInterface *root, QAccessible::Role role, const QString &name)
{
    for (QAccessibleInterface *iface : FindAll(root, role)) {
        if (iface->text(QAccessible::Name) == name)
            return iface;
    }
    return nullptr;
}

QStringList Names(const std::vector<QAccessibleInterface *> &interfaces)
{
    QStringList names;
    for (QAccessibleInterface *iface : interfaces)
        names << iface->text(QAccessible::Name);
    return names;
}

// The visible window of that title among the application's windows.
QAccessibleInterface *Window(const QString &title)
{
    QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
    for (int i = 0; i < application->childCount(); ++i) {
        QAccessibleInterface *window = application->child(i);
        if (window->role() == QAccessible::Window && window->text(QAccessible::Name) == title &&
            !window->state().invisible)
            return window;
    }
    return nullptr;
}

void Act(QAccessibleInterface *iface, const QString &action)
{
    ASSERT_TRUE(iface->actionInterface());
    ASSERT_TRUE(iface->actionInterface()->actionNames().contains(action)) << action.toStdString();
    iface->actionInterface()->doAction(action);
}

// What the controls tell once the event they changed in has been handled.
void Settle()
{
    QCoreApplication::processEvents();
}

bool Announced(const QString &name, QAccessible::Event type)
{
    return std::any_of(announcements.begin(), announcements.end(),
                       [&](const Announcement &said) { return said.name == name && said.type == type; });
}

// The board page with a screen reader listening.
struct ReaderPage : BoardPage
{
    ReaderPage()
    {
        Accessibility::SetAnnouncer(Record);
        root = QAccessible::queryAccessibleInterface(&form);
    }
    ~ReaderPage()
    {
        Accessibility::SetAnnouncer(nullptr);
        announcements.clear();
    }

    // Presses the circle of that name and answers its popup window.
    QAccessibleInterface *Open(const QString &title)
    {
        QAccessibleInterface *circle = Find(root, QAccessible::Button, title);
        if (!circle) // a member of a link group
            circle = Find(root, QAccessible::Button, title + QStringLiteral(" (1 of 2)"));
        EXPECT_TRUE(circle) << title.toStdString();
        if (!circle)
            return nullptr;
        Act(circle, QAccessibleActionInterface::pressAction());
        return Window(title);
    }

    QAccessibleInterface *root = nullptr;
};

} // namespace

TEST(Accessibility, EachCircleIsAButtonNamedByItsTitleThatSaysItsKindOfHelp)
{
    ReaderPage page;
    const QString setting = QStringLiteral(": Setting: configuring jumpers and switches");
    const QString information = QStringLiteral(": Information: standard and optional features");
    const QStringList expected = {
        "Base Address" + setting, "IRQ (1 of 2)" + setting, "IRQ (2 of 2)" + setting, "Digital I/O Connector" + information,
        "Analog I/O Connector" + information, "DAC Range Selection" + setting,
        "Single Ended/Differential" + setting, "A/D Range Selection" + setting, "Counter Connector" + information,
        QStringLiteral("\u00b112V Power Source") + setting};
    QStringList circles;
    for (QAccessibleInterface *button : FindAll(page.root, QAccessible::Button)) {
        if (button->state().expandable) {
            circles << button->text(QAccessible::Name) + QStringLiteral(": ") + button->text(QAccessible::Description);
            EXPECT_TRUE(button->state().checkable);
            EXPECT_TRUE(button->state().focusable);
            EXPECT_FALSE(button->state().checked);
        }
    }
    EXPECT_EQ(circles, expected);
}

TEST(Accessibility, PressingACircleOpensAndPinsItsPopupAndTogglingAJumperRunsTheRules)
{
    ReaderPage page;
    QAccessibleInterface *popup = page.Open(QStringLiteral("Base Address"));
    ASSERT_TRUE(popup);
    QAccessibleInterface *circle = Find(page.root, QAccessible::Button, QStringLiteral("Base Address"));
    EXPECT_TRUE(circle->state().checked);
    EXPECT_TRUE(circle->state().expanded);
    Settle();
    // Once, with the net change: the popup shown and pinned.
    const auto told = [] {
        std::vector<QAccessible::State> states;
        for (const Announcement &a : announcements) {
            if (a.name == QLatin1String("Base Address") && a.type == QAccessible::StateChanged)
                states.push_back(a.changed);
        }
        return states;
    };
    ASSERT_EQ(told().size(), 1u);
    EXPECT_TRUE(told().front().expanded && told().front().checked);

    QAccessibleInterface *memo = Find(popup, QAccessible::EditableText, QStringLiteral("Explanation"));
    ASSERT_TRUE(memo);
    EXPECT_TRUE(memo->text(QAccessible::Value).startsWith(QStringLiteral("Enter the base address")));
    QAccessibleInterface *edit = Find(popup, QAccessible::EditableText, QStringLiteral("Base address in hex"));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(QAccessible::Value), QStringLiteral("300"));

    const std::vector<QAccessibleInterface *> jumpers = FindAll(popup, QAccessible::CheckBox);
    QString closed;
    for (QAccessibleInterface *jumper : jumpers)
        closed += jumper->state().checked ? QLatin1Char('X') : QLatin1Char('-');
    EXPECT_EQ(Names(jumpers), QStringList({"A5", "A6", "A7", "A8", "A9"}));
    EXPECT_EQ(closed, QStringLiteral("XXX--"));

    QAccessibleInterface *a8 = Find(popup, QAccessible::CheckBox, QStringLiteral("A8"));
    Act(a8, QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(a8->state().checked);
    EXPECT_TRUE(Announced(QStringLiteral("A8"), QAccessible::StateChanged));
    EXPECT_EQ(edit->text(QAccessible::Value), QStringLiteral("200"));

    announcements.clear();
    Act(Find(popup, QAccessible::Button, QStringLiteral("Done")), QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([circle] { return !circle->state().expanded; })); // the press is animated
    EXPECT_FALSE(circle->state().checked);
    Settle();
    ASSERT_EQ(told().size(), 1u);
    EXPECT_TRUE(told().front().expanded && told().front().checked);
}

TEST(Accessibility, JumpersAreNamedByTheLabelsAroundThemAndToldApartByTheirPlace)
{
    ReaderPage page;
    const struct
    {
        const char *popup;
        QAccessible::Role role;
        QStringList names;
    } cases[] = {
        {"IRQ", QAccessible::CheckBox,
         {"IRQ3", "IRQ4", "IRQ5", "IRQ6", "IRQ7", "IRQ15", "IRQ14", "IRQ12", "IRQ11", "IRQ10", "IRQ9"}},
        // One label for two jumpers: their place tells them apart.
        {"DAC Range Selection", QAccessible::CheckBox, {"DA5, right", "DA5, left", "DB5, right", "DB5, left"}},
        // The labels at a three-pin jumper's ends name its positions.
        {"Single Ended/Differential", QAccessible::Button,
         {"8 CH BAL/16 CH SE, top", "8 CH BAL/16 CH SE, bottom", "Previous", "Next", "Done"}},
        // The label under a column of two names both.
        {"\u00b112V Power Source", QAccessible::Button, {"JP25, bottom", "JP25, top", "Previous", "Next", "Done"}},
    };
    for (const auto &c : cases) {
        QAccessibleInterface *popup = page.Open(QString::fromUtf8(c.popup));
        ASSERT_TRUE(popup) << c.popup;
        EXPECT_EQ(Names(FindAll(popup, c.role)), c.names) << c.popup;
        Act(Find(popup, QAccessible::Button, QStringLiteral("Done")), QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Window(QString::fromUtf8(c.popup)); }));
    }
}

TEST(Accessibility, AThreePinJumperReadsItsPositionAndTheRulesAnnounceWhatTheyMove)
{
    ReaderPage page;
    QAccessibleInterface *popup = page.Open(QStringLiteral("A/D Range Selection"));
    ASSERT_TRUE(popup);
    // Qt names a list on Linux by its selection; the description says what it selects.
    const std::vector<QAccessibleInterface *> lists = FindAll(popup, QAccessible::ComboBox);
    ASSERT_EQ(lists.size(), 1u);
    QAccessibleInterface *list = lists.front();
    EXPECT_EQ(list->text(QAccessible::Description), QStringLiteral("Selects the A/D input range"));
    // The panel's entry handler selects the first range once the popup has the focus.
    EXPECT_TRUE(QTest::qWaitFor([list] { return list->text(QAccessible::Value) == QStringLiteral("\u00b15V"); }));
    const auto positions = [popup] {
        QStringList values;
        for (const char *name : {"BIP/UNIP, left", "BIP/UNIP, right", "GNH/GNL, left", "GNH/GNL, right"}) {
            QAccessibleInterface *jumper = Find(popup, QAccessible::Button, QLatin1String(name));
            EXPECT_TRUE(jumper && jumper->valueInterface()) << name;
            if (!jumper || !jumper->valueInterface())
                return QStringList();
            values << jumper->text(QAccessible::Value) + QLatin1Char('/') +
                          jumper->valueInterface()->currentValue().toString();
        }
        return values;
    };
    // Turned a quarter counter-clockwise, the right pair is the upper one, beside BIP and GNH.
    EXPECT_EQ(positions(), QStringList({"on BIP/2", "on BIP/2", "on GNH/2", "on GNH/2"}));

    announcements.clear();
    Act(Find(popup, QAccessible::Button, QStringLiteral("BIP/UNIP, left")), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(positions(), QStringList({"on UNIP/1", "on UNIP/1", "on GNH/2", "on GNH/2"}));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("0-10V"));
    QStringList said;
    for (const Announcement &a : announcements) {
        if (a.type == QAccessible::ValueChanged)
            said << a.name + QStringLiteral(": ") + a.value;
    }
    EXPECT_EQ(said, QStringList({"BIP/UNIP, left: on UNIP", "BIP/UNIP, right: on UNIP"}));
}

// A keyboard user: Tab through the circles in menu order, Space opens the group with the focus
// on its named panel, which says where every jumper must be; what the setting moves is told
// on the control that has the focus; Space on a jumper clicks it; Done returns to the circle.
TEST(Accessibility, TheKeyboardReachesEveryCircleAndJumperAndTheReaderHearsWhatMoves)
{
    ReaderPage page;
    QWidget *first = page.Circle("BaseHighlight");
    first->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name);
    }
    QStringList menu;
    for (QAction *group : page.form.MainMenu1->actions()) {
        for (QAction *entry : group->menu() ? group->menu()->actions() : QList<QAction *>()) {
            if (entry->data().isValid())
                menu << entry->text().remove(QLatin1Char('&'));
        }
    }
    menu.insert(menu.indexOf(QStringLiteral("IRQ")) + 1, QStringLiteral("IRQ"));
    menu << menu.takeFirst();
    for (QString &name : order)
        name.remove(QRegularExpression(QStringLiteral(" \\(. of 2\\)")));
    EXPECT_EQ(order, menu);

    ASSERT_EQ(QApplication::focusWidget(), first);
    QTest::keyClick(first, Qt::Key_Space);
    QWidget *panel = page.form.findChild<QWidget *>(QStringLiteral("BasePanel"));
    ASSERT_TRUE(QTest::qWaitFor([panel] { return panel->hasFocus(); }));
    QAccessibleInterface *group = QAccessible::queryAccessibleInterface(panel);
    EXPECT_EQ(group->text(QAccessible::Name), QStringLiteral("Base Address"));
    EXPECT_TRUE(group->text(QAccessible::Description).startsWith(QStringLiteral("Enter the base address")));
    EXPECT_TRUE(group->text(QAccessible::Description)
                    .endsWith(QStringLiteral("Jumpers: A5: fitted; A6: fitted; A7: fitted; A8: not fitted; A9: not fitted.")));

    QStringList tabs;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabs << QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name);
    }
    EXPECT_EQ(tabs, QStringList({"A5", "A6", "A7", "A8", "A9", "Base address in hex"}));

    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_TRUE(edit);
    announcements.clear();
    edit->setText(QStringLiteral("3A0"));
    Settle();
    EXPECT_TRUE(Announced(QStringLiteral("A5: not fitted; A7: not fitted"), QAccessible::ObjectShow));
    QAccessibleInterface *news = QAccessible::queryAccessibleInterface(qApp->findChild<QObject *>(QStringLiteral("AccessibleNews")));
    ASSERT_TRUE(news); // a notification, which a reader speaks as it shows
    EXPECT_EQ(news->role(), QAccessible::Notification);

    QTest::keyClick(edit, Qt::Key_Backtab);
    QWidget *a9 = QApplication::focusWidget();
    QTest::keyClick(a9, Qt::Key_Space);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(a9)->state().checked);
    EXPECT_EQ(edit->text(), QStringLiteral("1A0")); // the page's handler ran

    QWidget *done = page.Circle("BaseHighlight")->Popup()->findChild<QWidget *>(QStringLiteral("DoneButton"));
    done->setFocus(Qt::TabFocusReason);
    QTest::keyClick(done, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([first] { return first->hasFocus(); }));
}

// The list box is named by what it selects; its new entry is told with what the jumpers did.
TEST(Accessibility, AListBoxKeepsItsNameAndItsNewEntryIsTold)
{
    ReaderPage page;
    ASSERT_TRUE(page.Open(QStringLiteral("A/D Range Selection")));
    auto *box = page.form.findChild<QComboBox *>(QStringLiteral("ADRangeBox"));
    box->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }));
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(box);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("A/D input range"));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("\u00b15V"));
    announcements.clear();
    QTest::keyClick(box, Qt::Key_Down);
    Settle();
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("A/D input range"));
    EXPECT_TRUE(Announced(QStringLiteral("\u00b110V; GNH/GNL, left: on GNL; GNH/GNL, right: on GNL"), QAccessible::ObjectShow));
}

TEST(Accessibility, TheHelpAndSupportWindowsAreDialogsWithNamedText)
{
    ReaderPage page;
    page.form.SetSup->BuildWindows();
    for (QWidget *window : {static_cast<QWidget *>(page.form.SetSup->HelpForm()), static_cast<QWidget *>(page.form.SetSup->TechForm())}) {
        QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(window);
        EXPECT_EQ(dialog->role(), QAccessible::Dialog) << window->objectName().toStdString();
        EXPECT_FALSE(FindAll(dialog, QAccessible::EditableText).empty());
        for (QAccessibleInterface *text : FindAll(dialog, QAccessible::EditableText))
            EXPECT_FALSE(text->text(QAccessible::Name).isEmpty()) << window->objectName().toStdString();
    }
}
