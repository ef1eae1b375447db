#include "boardpage.h"

#include <QComboBox>
#include <QRadioButton>
#include <random>

namespace {

using H = TBoardHighlight;

// The link groups of the page and the entry each has.
struct Group
{
    QList<H *> circles;
    QAction *entry = nullptr;

    TPopupForm *Popup() const
    {
        for (H *circle : circles) {
            if (circle->Popup())
                return circle->Popup();
        }
        return nullptr;
    }
};

class RandomUser
{
public:
    RandomUser(BoardPage &page, quint32 seed) : m_page(page), m_random(seed)
    {
        for (H *circle : page.circles) {
            auto same = std::find_if(m_groups.begin(), m_groups.end(), [circle](const Group &g) {
                return g.circles.first()->Title() == circle->Title() &&
                       g.circles.first()->HighlightType() == circle->HighlightType();
            });
            if (same == m_groups.end()) {
                m_groups.append(Group{{circle}, nullptr});
                for (QAction *action : page.form.findChildren<QAction *>()) {
                    if (action->text() == circle->Title() && action->isCheckable())
                        m_groups.last().entry = action;
                }
            } else {
                same->circles << circle;
            }
        }
    }

    int Groups() const { return m_groups.size(); }

    // One action of a user, described.
    QString Act()
    {
        switch (Pick(10)) {
        case 0:
        case 1: {
            H *circle = m_page.circles.at(Pick(m_page.circles.size()));
            m_page.Enter(circle);
            return QStringLiteral("enter ") + circle->objectName();
        }
        case 2: {
            if (!m_page.hovered)
                return QStringLiteral("leave nothing");
            QList<TPopupForm *> shown = Shown();
            if (!shown.isEmpty() && Pick(2)) {
                TPopupForm *popup = shown.at(Pick(shown.size()));
                m_page.IntoPopup(popup);
                return QStringLiteral("leave into ") + popup->windowTitle();
            }
            m_page.LeaveTo(Away());
            return QStringLiteral("leave");
        }
        case 3:
            if (!m_page.inside)
                return QStringLiteral("out of no popup");
            m_page.OutOfPopup(Pick(2) ? Away() : m_page.inside->frameGeometry().center());
            return QStringLiteral("out of popup");
        case 4:
            if (!m_page.hovered)
                return QStringLiteral("click nothing");
            QTest::mouseClick(m_page.hovered, Qt::LeftButton, {}, m_page.hovered->rect().center());
            return QStringLiteral("click ") + m_page.hovered->objectName();
        case 5: {
            QAction *entry = m_groups.at(Pick(m_groups.size())).entry;
            entry->trigger();
            return QStringLiteral("menu ") + entry->objectName();
        }
        case 6: {
            QList<TPopupForm *> shown = Shown();
            if (shown.isEmpty())
                return QStringLiteral("no button");
            TPopupForm *popup = shown.at(Pick(shown.size()));
            static const char *const buttons[] = {"PreviousButton", "NextButton", "DoneButton"};
            const char *name = buttons[Pick(3)];
            BoardPage::Button(popup, name)->click();
            return QStringLiteral("%1 of %2").arg(QLatin1String(name), popup->windowTitle());
        }
        case 7: {
            QList<TPopupForm *> shown = Shown();
            if (shown.isEmpty() || !Pick(2)) {
                m_page.form.SetSup->HelpForm()->StartButton->click();
                return QStringLiteral("start");
            }
            TPopupForm *popup = shown.at(Pick(shown.size()));
            popup->close();
            return QStringLiteral("close box of ") + popup->windowTitle();
        }
        default:
            return Setting();
        }
    }

    // What the circles, popups and entries must agree on; empty when they do.
    QString Broken() const
    {
        for (const Group &group : m_groups) {
            int popups = 0;
            for (const H *circle : group.circles)
                popups += circle->Popup() != nullptr;
            if (popups > 1)
                return QStringLiteral("two popups for ") + group.entry->text();
            TPopupForm *popup = group.Popup();
            const bool shown = popup && popup->isVisible();
            for (const H *circle : group.circles) {
                if (shown && !circle->Lit())
                    return circle->objectName() + QStringLiteral(" dark under its open popup");
            }
            if (group.entry->isChecked() != (shown && popup->Highlight->Pinned()))
                return group.entry->objectName() + QStringLiteral(" checked but the popup not open and pinned, or the reverse");
        }
        const TMainForm &f = m_page.form;
        const std::pair<TThreeJumper *, TThreeJumper *> pairs[] = {{f.SeDiff1, f.SeDiff2},
                                                                     {f.ADRangeJumperU0, f.ADRangeJumperU1},
                                                                     {f.ADRangeJumperA0, f.ADRangeJumperA1},
                                                                     {f.PowerJumperTop, f.PowerJumperBot}};
        for (const auto &[first, second] : pairs) {
            if (first->JumperState() != second->JumperState())
                return first->objectName() + QStringLiteral(" and its partner differ");
        }
        if ((f.PowerJumperTop->JumperState() == TJumperControl::jsRight) != f.PowRadio104->isChecked())
            return QStringLiteral("power jumpers against the radio buttons");
        if (std::count_if(f.IRQJumpers.begin(), f.IRQJumpers.end(), [](const TTwoJumper *j) { return j->Closed(); }) > 1)
            return QStringLiteral("two IRQ jumpers closed");
        return QString();
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    QList<TPopupForm *> Shown() const
    {
        QList<TPopupForm *> shown;
        for (TPopupForm *popup : m_page.form.findChildren<TPopupForm *>()) {
            if (popup->isVisible())
                shown << popup;
        }
        return shown;
    }

    // Off the circles: the bare board, or the right or bottom edge of a popup.
    QPoint Away()
    {
        const QList<TPopupForm *> shown = Shown();
        if (shown.isEmpty() || !Pick(2))
            return m_page.Bare();
        const QRect frame = shown.at(Pick(shown.size()))->frameGeometry();
        return Pick(2) ? QPoint(frame.left() + frame.width(), frame.center().y())
                       : QPoint(frame.center().x(), frame.top() + frame.height());
    }

    // A jumper clicked or a list entry picked in an open popup.
    QString Setting()
    {
        const QList<TPopupForm *> shown = Shown();
        if (shown.isEmpty())
            return QStringLiteral("no setting");
        TPopupForm *popup = shown.at(Pick(shown.size()));
        const QList<TJumperControl *> jumpers = popup->findChildren<TJumperControl *>();
        const QList<QComboBox *> lists = popup->findChildren<QComboBox *>();
        const QList<QRadioButton *> radios = popup->findChildren<QRadioButton *>();
        const int choice = Pick(3);
        if (choice == 0 && !jumpers.isEmpty()) {
            TJumperControl *jumper = jumpers.at(Pick(jumpers.size()));
            QTest::mouseClick(jumper, Qt::LeftButton, {}, QPoint(jumper->width() / 4 + Pick(jumper->width() / 2), jumper->height() / 2));
            return QStringLiteral("jumper ") + jumper->objectName();
        }
        if (choice == 1 && !lists.isEmpty()) {
            QComboBox *list = lists.at(Pick(lists.size()));
            const int index = Pick(list->count());
            list->setCurrentIndex(index);
            emit list->activated(index);
            return QStringLiteral("list ") + list->objectName();
        }
        if (!radios.isEmpty()) {
            QRadioButton *radio = radios.at(Pick(radios.size()));
            radio->click();
            return QStringLiteral("radio ") + radio->objectName();
        }
        return QStringLiteral("nothing to set");
    }

    BoardPage &m_page;
    std::mt19937 m_random;
    QList<Group> m_groups;
};

} // namespace

TEST(BoardHighlightsRandom, TenThousandUserActionsKeepCirclesPopupsAndEntriesInStep)
{
    const quint32 seed = qEnvironmentVariableIsSet("HIGHLIGHT_SEED") ? qEnvironmentVariableIntValue("HIGHLIGHT_SEED")
                                                                      : std::random_device()();
    const int steps = qMax(10000, qEnvironmentVariableIntValue("HIGHLIGHT_STEPS"));
    BoardPage page(true);
    RandomUser user(page, seed);
    ASSERT_EQ(user.Groups(), 9);
    QStringList recent;
    for (int step = 0; step < steps; ++step) {
        recent << user.Act();
        if (recent.size() > 12)
            recent.removeFirst();
        QCoreApplication::processEvents();
        const QString broken = user.Broken();
        ASSERT_TRUE(broken.isEmpty()) << "seed " << seed << " (HIGHLIGHT_SEED), step " << step << ": "
                                      << broken.toStdString() << "\nlast actions: " << recent.join(", ").toStdString();
    }
}
