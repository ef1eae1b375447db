#include "accessibility.h"
#include "boardpage.h"
#include "optiongroupspage.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

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
        said.value = static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
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
        "Base Address" + setting, "IRQ" + setting, "IRQ" + setting, "Digital I/O Connector" + information,
        "Analog I/O Connector" + information, "DAC Range Selection" + setting,
        "Single Ended/Differential" + setting, "A/D Range Selection" + setting, "Counter Connector" + information,
        QStringLiteral("\u00b112V Power Source") + setting};
    QStringList circles;
    for (QAccessibleInterface *button : FindAll(page.root, QAccessible::Button)) {
        if (button->state().expandable) {
            circles << button->text(QAccessible::Name) + QStringLiteral(": ") + button->text(QAccessible::Description);
            EXPECT_TRUE(button->state().checkable);
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
    EXPECT_TRUE(Announced(QStringLiteral("Base Address"), QAccessible::StateChanged));

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
    EXPECT_TRUE(Announced(QStringLiteral("Base Address"), QAccessible::StateChanged));
}

TEST(Accessibility, JumpersAreNamedByTheLabelBesideThemElseByTheirComponentName)
{
    ReaderPage page;
    const struct
    {
        const char *popup;
        QAccessible::Role role;
        QStringList names;
    } cases[] = {
        {"IRQ", QAccessible::CheckBox,
         {"IRQJumper3", "IRQ4", "IRQ5", "IRQ6", "IRQ7", "IRQ15", "IRQ14", "IRQ12", "IRQ11", "IRQ10", "IRQ9"}},
        {"DAC Range Selection", QAccessible::CheckBox, {"DA5", "DA5", "DB5", "DB5"}},
        // The labels at a three-pin jumper's ends name its positions.
        {"Single Ended/Differential", QAccessible::Button, {"SeDiff1", "SeDiff2", "Previous", "Next", "Done"}},
        {"\u00b112V Power Source", QAccessible::Button, {"JP25", "PowerJumperTop", "Previous", "Next", "Done"}},
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
        for (const char *name : {"ADRangeJumperU0", "ADRangeJumperU1", "ADRangeJumperA0", "ADRangeJumperA1"})
            values << Find(popup, QAccessible::Button, QLatin1String(name))->text(QAccessible::Value);
        return values;
    };
    EXPECT_EQ(positions(), QStringList({"right", "right", "right", "right"}));

    announcements.clear();
    Act(Find(popup, QAccessible::Button, QStringLiteral("ADRangeJumperU0")), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(positions(), QStringList({"left", "left", "right", "right"}));
    EXPECT_EQ(list->text(QAccessible::Value), QStringLiteral("0-10V"));
    QStringList said;
    for (const Announcement &a : announcements) {
        if (a.type == QAccessible::ValueChanged && a.name.startsWith(QLatin1String("ADRangeJumper")))
            said << a.name + QLatin1Char(' ') + a.value;
    }
    EXPECT_EQ(said, QStringList({"ADRangeJumperU0 left", "ADRangeJumperU1 left"}));
}
