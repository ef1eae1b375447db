#include "accessibility.h"

#include "application.h"
#include "boardhighlight.h"
#include "component.h"
#include "jumpers.h"
#include "popupform.h"

#include <QAbstractItemView>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>

#include <cmath>

namespace {

Accessibility::TAnnouncer announcer = QAccessible::updateAccessibility;

// The members of the circle's link group, or the circle alone when it has none.
QList<TBoardHighlight *> Members(TBoardHighlight *circle)
{
    QList<TBoardHighlight *> members = circle->LinkGroup();
    if (members.isEmpty())
        members << circle;
    return members;
}

bool PopupShown(const TBoardHighlight *circle)
{
    return circle->Popup() && circle->Popup()->isVisible();
}

// A circle: a button named by its plain title that opens and pins the group's popup. The
// members of a link group count themselves, left to right, so that a reader tells them apart.
class HighlightAccessible : public QAccessibleWidget
{
public:
    explicit HighlightAccessible(TBoardHighlight *circle) : QAccessibleWidget(circle, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Circle()->accessibleName().isEmpty())
            return Circle()->PlainTitle() + Count();
        if (t == QAccessible::Description && Circle()->accessibleDescription().isEmpty())
            return KindOfHelp();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.expandable = true;
        for (const TBoardHighlight *member : Members(Circle())) {
            state.expanded |= PopupShown(member);
            state.checked |= PopupShown(member) && member->Pinned();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return Circle()->isEnabled() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && Circle()->isEnabled())
            Circle()->Press();
    }

private:
    TBoardHighlight *Circle() const { return static_cast<TBoardHighlight *>(widget()); }

    QString Count() const
    {
        QList<TBoardHighlight *> members = Members(Circle());
        if (members.size() < 2)
            return QString();
        std::stable_sort(members.begin(), members.end(), [](const QWidget *a, const QWidget *b) {
            return std::make_pair(a->x(), a->y()) < std::make_pair(b->x(), b->y());
        });
        return QStringLiteral(" (%1 of %2)").arg(members.indexOf(Circle()) + 1).arg(members.size());
    }

    // As the help window explains the colours.
    QString KindOfHelp() const
    {
        switch (Circle()->HighlightType()) {
        case TBoardHighlight::htOptions:
            return QStringLiteral("Information: standard and optional features");
        case TBoardHighlight::htSettings:
            return QStringLiteral("Setting: configuring jumpers and switches");
        case TBoardHighlight::htCalibration:
            break;
        }
        return QStringLiteral("Calibration: controlling the hardware device");
    }
};

bool IsThreePin(const TJumperControl *jumper)
{
    return qobject_cast<const TThreeJumper *>(jumper) != nullptr;
}

bool IsVertical(const TJumperControl *jumper)
{
    return jumper->Orientation() == TJumperControl::otLeft || jumper->Orientation() == TJumperControl::otRight;
}

QList<const QLabel *> Labels(const QWidget *jumper)
{
    QList<const QLabel *> labels;
    const QObjectList siblings = jumper->parent() ? jumper->parent()->children() : QObjectList();
    for (const QObject *sibling : siblings) {
        const auto *label = qobject_cast<const QLabel *>(sibling);
        if (label && !label->text().isEmpty())
            labels << label;
    }
    return labels;
}

QList<const TJumperControl *> Jumpers(const QObject *parent)
{
    QList<const TJumperControl *> jumpers;
    for (const QObject *child : parent ? parent->children() : QObjectList()) {
        if (const auto *jumper = qobject_cast<const TJumperControl *>(child))
            jumpers << jumper;
    }
    return jumpers;
}

// The text of the label across one side of the place, at most 8 pixels off, that covers the
// place's middle; only the sides the flags allow count.
QString LabelBeside(const QWidget *jumper, const QRect &place, bool leftAndRight, bool aboveAndBelow)
{
    const int maxGap = 8;
    const QPoint middle = place.center();
    int nearest = maxGap + 1;
    QString text;
    for (const QLabel *label : Labels(jumper)) {
        const QRect other = label->geometry();
        int gap = maxGap + 1;
        if (leftAndRight && other.top() <= middle.y() && middle.y() <= other.bottom())
            gap = std::max(other.left() - place.right(), place.left() - other.right()) - 1;
        else if (aboveAndBelow && other.left() <= middle.x() && middle.x() <= other.right())
            gap = std::max(other.top() - place.bottom(), place.top() - other.bottom()) - 1;
        gap = std::max(gap, 0);
        if (gap < nearest) {
            nearest = gap;
            text = label->text();
        }
    }
    return text;
}

// The label beside the jumper. The labels at the ends of a three-pin jumper name its
// positions, not the jumper, so only its long sides count.
QString OwnLabel(const TJumperControl *jumper)
{
    if (!IsThreePin(jumper))
        return LabelBeside(jumper, jumper->geometry(), true, true);
    const bool vertical = IsVertical(jumper);
    return LabelBeside(jumper, jumper->geometry(), vertical, !vertical);
}

// The label at the end of the row or column of equal jumpers the jumper stands in, touching
// each other: the label names them all.
QString RowLabel(const TJumperControl *jumper)
{
    const int maxGap = 8;
    const QList<const TJumperControl *> jumpers = Jumpers(jumper->parent());
    for (const bool column : {true, false}) {
        QRect row = jumper->geometry();
        for (bool grown = true; grown;) {
            grown = false;
            for (const TJumperControl *other : jumpers) {
                const QRect place = other->geometry();
                if (other == jumper || IsThreePin(other) != IsThreePin(jumper) || place.size() != jumper->size() ||
                    row.contains(place))
                    continue;
                const bool aligned = column ? place.left() == row.left() : place.top() == row.top();
                const int gap = column ? std::max(place.top() - row.bottom(), row.top() - place.bottom()) - 1
                                       : std::max(place.left() - row.right(), row.left() - place.right()) - 1;
                if (aligned && gap <= maxGap) {
                    row |= place;
                    grown = true;
                }
            }
        }
        if (row != jumper->geometry()) {
            const QString label = LabelBeside(jumper, row, !column, column);
            if (!label.isEmpty())
                return label;
        }
    }
    return QString();
}

// The labels nearest the two ends of a three-pin jumper as it is shown (left and right, or
// top and bottom), when they differ: they name the pair the shunt covers.
std::pair<QString, QString> EndLabels(const TJumperControl *jumper)
{
    if (!IsThreePin(jumper))
        return {};
    const QRect place = jumper->geometry();
    const bool vertical = IsVertical(jumper);
    const QPoint ends[] = {
        vertical ? QPoint(place.center().x(), place.top() + place.height() / 4)
                 : QPoint(place.left() + place.width() / 4, place.center().y()),
        vertical ? QPoint(place.center().x(), place.top() + place.height() * 3 / 4)
                 : QPoint(place.left() + place.width() * 3 / 4, place.center().y()),
    };
    const double maxDistance = 40;
    QString found[2];
    const QString own = OwnLabel(jumper);
    for (int i = 0; i < 2; ++i) {
        double nearest = maxDistance;
        for (const QLabel *label : Labels(jumper)) {
            const QRect r = label->geometry();
            const int dx = std::max({r.left() - ends[i].x(), ends[i].x() - r.right(), 0});
            const int dy = std::max({r.top() - ends[i].y(), ends[i].y() - r.bottom(), 0});
            const double distance = std::hypot(dx, dy);
            if (distance <= nearest && label->text() != own) {
                nearest = distance;
                found[i] = label->text();
            }
        }
    }
    if (found[0].isEmpty() || found[1].isEmpty() || found[0] == found[1])
        return {};
    return {found[0], found[1]};
}

// The name before it is told apart from the panel's other jumpers.
QString PlainName(const TJumperControl *jumper)
{
    if (!jumper->accessibleName().isEmpty())
        return jumper->accessibleName();
    QString name = OwnLabel(jumper);
    if (name.isEmpty())
        name = RowLabel(jumper);
    if (name.isEmpty()) {
        const auto [first, second] = EndLabels(jumper);
        if (!first.isEmpty())
            name = first + QLatin1Char('/') + second;
    }
    return name.isEmpty() ? jumper->objectName() : name;
}

// Which pair the shunt of the three-pin jumper covers as shown: 0 the left or top one, 1 the
// right or bottom one, -1 none.
int CoveredEnd(const TThreeJumper *jumper)
{
    if (jumper->JumperState() == TJumperControl::jsOpen)
        return -1;
    const bool left = jumper->JumperState() == TJumperControl::jsLeft;
    // otDown and otLeft turn the drawing's left end to the right or to the bottom.
    const bool turned = jumper->Orientation() == TJumperControl::otDown || jumper->Orientation() == TJumperControl::otLeft;
    return left != turned ? 0 : 1;
}

QString Position(const TThreeJumper *jumper)
{
    const int end = CoveredEnd(jumper);
    if (end < 0)
        return QStringLiteral("open");
    const auto [first, second] = EndLabels(jumper);
    if (!first.isEmpty())
        return QStringLiteral("on ") + (end == 0 ? first : second);
    static const char *const sides[2][2] = {{"on the left pair", "on the right pair"}, {"on the top pair", "on the bottom pair"}};
    return QLatin1String(sides[IsVertical(jumper)][end]);
}

// A jumper drawing, named by the labels around it; a user's click is its one action.
class JumperAccessible : public QAccessibleWidget
{
public:
    JumperAccessible(TJumperControl *jumper, QAccessible::Role role, QString action)
        : QAccessibleWidget(jumper, role), m_action(std::move(action))
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Accessibility::JumperName(Jumper());
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return Jumper()->isEnabled() ? QStringList{m_action} : QStringList();
    }

    void doAction(const QString &name) override
    {
        if (name != m_action || !Jumper()->isEnabled())
            return;
        TJumperControl *jumper = Jumper();
        RunGuarded([jumper] { jumper->Click(); });
    }

protected:
    TJumperControl *Jumper() const { return static_cast<TJumperControl *>(widget()); }

private:
    QString m_action;
};

class TwoJumperAccessible : public JumperAccessible
{
public:
    explicit TwoJumperAccessible(TTwoJumper *jumper) : JumperAccessible(jumper, QAccessible::CheckBox, toggleAction()) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = static_cast<TTwoJumper *>(Jumper())->Closed();
        return state;
    }
};

// Its value is the state's ordinal; the position in words is its value text and its description.
class ThreeJumperAccessible : public JumperAccessible, public QAccessibleValueInterface
{
public:
    explicit ThreeJumperAccessible(TThreeJumper *jumper) : JumperAccessible(jumper, QAccessible::Button, pressAction()) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return JumperAccessible::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Description && Jumper()->accessibleDescription().isEmpty()))
            return Position(Three());
        return JumperAccessible::text(t);
    }

    QVariant currentValue() const override { return int(Three()->JumperState()); }
    // The position is reached by clicks, as a user would set it: the page's rules run.
    void setCurrentValue(const QVariant &value) override
    {
        TThreeJumper *jumper = Three();
        const QPointer<TThreeJumper> alive(jumper);
        RunGuarded([&] {
            for (int clicks = 0; clicks < 3 && alive && jumper->isEnabled() && int(jumper->JumperState()) != value.toInt(); ++clicks)
                jumper->Click();
        });
    }
    QVariant maximumValue() const override { return int(TJumperControl::jsRight); }
    QVariant minimumValue() const override { return int(Three()->AllowOpen() ? TJumperControl::jsOpen : TJumperControl::jsLeft); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TThreeJumper *Three() const { return static_cast<TThreeJumper *>(Jumper()); }
};

// A panel in its popup: named by the popup's title, it describes the group and where each of
// its jumpers must be. The popup gives it the focus, so a reader speaks that first.
class RadioPanelAccessible : public QAccessibleWidget
{
public:
    explicit RadioPanelAccessible(QWidget *panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    QString text(QAccessible::Text t) const override
    {
        auto *panel = static_cast<TRadioPanel *>(widget());
        if (t == QAccessible::Name && panel->accessibleName().isEmpty())
            return panel->Hosted() ? panel->window()->windowTitle() : QString();
        if (t == QAccessible::Description && panel->accessibleDescription().isEmpty()) {
            QStringList parts = panel->Lines();
            const QString placements = Accessibility::Placements(panel);
            if (!placements.isEmpty())
                parts << QStringLiteral("Jumpers: ") + placements + QLatin1Char('.');
            return parts.join(QLatin1Char(' ')).simplified();
        }
        return QAccessibleWidget::text(t);
    }
};

void EntryChanged(QComboBox *combo);

// A list box keeps the name it is given (Qt's own takes the current entry on Unix) and shows
// its entry as read-only text, where a reader looks for a list box's value. An entry selected
// in the closed list through assistive technology is taken as a user's pick.
class ComboBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ComboBoxAccessible(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo] { EntryChanged(combo); });
    }

    // The list is built when it is first shown or asked for: until then nothing can select in it.
    static void WatchListPicks(QComboBox *combo)
    {
        QObject::connect(combo->view()->selectionModel(), &QItemSelectionModel::selectionChanged, combo,
                         [combo](const QItemSelection &selected) {
                             if (combo->view()->isVisible() || selected.indexes().isEmpty())
                                 return;
                             const int row = selected.indexes().constFirst().row();
                             if (row == combo->currentIndex())
                                 return;
                             combo->setCurrentIndex(row);
                             emit combo->activated(row);
                         });
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && Combo()->accessibleName().isEmpty()))
            return Combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = Combo()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == Combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return Combo()->isEnabled() ? QStringList{showMenuAction()} : QStringList();
    }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction() || !Combo()->isEnabled())
            return;
        if (Combo()->view()->isVisible())
            Combo()->hidePopup();
        else
            Combo()->showPopup();
    }

    // The entry as text that cannot be selected or edited.
    QString text(int startOffset, int endOffset) const override
    {
        return Combo()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(Combo()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        return QString();
    }

private:
    QComboBox *Combo() const { return static_cast<QComboBox *>(widget()); }
};

// The news of the moment: nothing on the screen, a notification to a screen reader, which
// speaks one when it shows. Qt's bridge sends no text with a changed name or description. Each
// piece of news is an object of its own: a reader drops an older event of the same object and
// reads the name when it gets to the event.
const char *const newsName = "AccessibleNews";

class NewsAccessible : public QAccessibleObject
{
public:
    explicit NewsAccessible(QObject *object) : QAccessibleObject(object) {}

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(qApp); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? object()->property("News").toString() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};

void Tell(const QString &text)
{
    // The last few stay for a reader that is behind.
    static QList<QPointer<QObject>> recent;
    auto *item = new QObject(qApp);
    item->setObjectName(QLatin1String(newsName));
    item->setProperty("News", text);
    recent << item;
    while (recent.size() > 8)
        delete recent.takeFirst();
    QAccessibleEvent event(item, QAccessible::ObjectShow);
    announcer(&event);
}

// The list box whose drop-down list the object is.
QComboBox *ListOwner(QObject *object)
{
    auto *view = qobject_cast<QAbstractItemView *>(object);
    QObject *container = view ? view->parent() : nullptr;
    auto *combo = qobject_cast<QComboBox *>(container ? container->parent() : nullptr);
    return combo && combo->view() == view ? combo : nullptr;
}

QAccessibleInterface *Interface(const QString &className, QObject *object)
{
    // Qt builds the list's own interface; an entry selected through it is a pick.
    if (className == QLatin1String(object->metaObject()->className())) {
        if (QComboBox *combo = ListOwner(object))
            ComboBoxAccessible::WatchListPicks(combo);
    }
    if (className == QLatin1String("QObject") && object->parent() == qApp && object->objectName() == QLatin1String(newsName))
        return new NewsAccessible(object);
    // A plain widget window would be a nameless client area to a reader.
    if (className == QLatin1String("TPopupForm"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("THelpForm") || className == QLatin1String("TTechForm") ||
        className == QLatin1String("TPCIForm"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    if (className == QLatin1String("QComboBox"))
        return new ComboBoxAccessible(static_cast<QComboBox *>(object));
    if (className == QLatin1String("TRadioPanel"))
        return new RadioPanelAccessible(static_cast<QWidget *>(object));
    if (className == QLatin1String("TBoardHighlight"))
        return new HighlightAccessible(static_cast<TBoardHighlight *>(object));
    if (className == QLatin1String("TTwoJumper"))
        return new TwoJumperAccessible(static_cast<TTwoJumper *>(object));
    if (className == QLatin1String("TThreeJumper"))
        return new ThreeJumperAccessible(static_cast<TThreeJumper *>(object));
    return nullptr;
}

// What changed while the current event was handled, told once it is done.
QList<QPointer<TBoardHighlight>> changedCircles;
QList<QPointer<TJumperControl>> movedJumpers;
QPointer<QComboBox> changedList;
bool reportPending = false;

// The state a circle last told: expanded 1, checked 2.
const char *const toldState = "AccessibleToldState";

int CircleState(const TBoardHighlight *circle)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(const_cast<TBoardHighlight *>(circle));
    return iface ? int(iface->state().expanded) | int(iface->state().checked) << 1 : 0;
}

void ReportCircles()
{
    const QList<QPointer<TBoardHighlight>> circles = std::exchange(changedCircles, {});
    for (TBoardHighlight *circle : circles) {
        if (!circle)
            continue;
        const int now = CircleState(circle);
        const int before = circle->property(toldState).toInt();
        if (now == before)
            continue;
        circle->setProperty(toldState, now);
        QAccessible::State changed;
        changed.expanded = (now ^ before) & 1;
        changed.checked = ((now ^ before) & 2) != 0;
        QAccessibleStateChangeEvent event(circle, changed);
        announcer(&event);
    }
}

// The jumpers the focused control moved, with where they are now. A panel that has the focus
// describes all its jumpers already.
void ReportJumpers()
{
    const QList<QPointer<TJumperControl>> jumpers = std::exchange(movedJumpers, {});
    const QPointer<QComboBox> list = std::exchange(changedList, nullptr);
    QWidget *focus = QApplication::focusWidget();
    if (!focus || Component::HasClassName(focus, "TRadioPanel"))
        return;
    QStringList said;
    if (auto *three = qobject_cast<TThreeJumper *>(focus); three && jumpers.contains(three))
        said << Position(three);
    if (list && list == focus)
        said << list->currentText();
    for (const TJumperControl *jumper : jumpers) {
        if (jumper && jumper != focus && jumper->window() == focus->window() && jumper->isVisible())
            said << Accessibility::JumperName(jumper) + QStringLiteral(": ") + Accessibility::JumperPlacement(jumper);
    }
    if (!said.isEmpty())
        Tell(said.join(QStringLiteral("; ")));
}

void Report()
{
    reportPending = false;
    ReportCircles();
    ReportJumpers();
}

void ReportLater()
{
    if (reportPending)
        return;
    reportPending = true;
    QMetaObject::invokeMethod(qApp, &Report, Qt::QueuedConnection);
}

// The focused list box's new entry is told with what the jumpers did.
void EntryChanged(QComboBox *combo)
{
    changedList = combo;
    ReportLater();
}

} // namespace

namespace Accessibility {

void SetAnnouncer(TAnnouncer value)
{
    announcer = value ? value : QAccessible::updateAccessibility;
}

void Install()
{
    QAccessible::removeFactory(Interface);
    QAccessible::installFactory(Interface);
}

void CheckedChanged(TJumperControl *jumper)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(jumper, changed);
    announcer(&event);
    if (!movedJumpers.contains(jumper))
        movedJumpers << jumper;
    ReportLater();
}

void ValueChanged(TThreeJumper *jumper)
{
    QAccessibleValueChangeEvent event(jumper, int(jumper->JumperState()));
    announcer(&event);
    if (!movedJumpers.contains(jumper))
        movedJumpers << jumper;
    ReportLater();
}

void PopupChanged(TBoardHighlight *circle)
{
    for (TBoardHighlight *member : Members(circle)) {
        if (!changedCircles.contains(member))
            changedCircles << member;
    }
    ReportLater();
}

QString JumperName(const TJumperControl *jumper)
{
    const QString name = PlainName(jumper);
    if (!jumper->accessibleName().isEmpty())
        return name;
    QList<const TJumperControl *> alike;
    for (const TJumperControl *other : Jumpers(jumper->parent())) {
        if (other->accessibleName().isEmpty() && PlainName(other) == name)
            alike << other;
    }
    if (alike.size() < 2)
        return name;
    if (alike.size() == 2) {
        const QPoint a = alike[0]->geometry().center();
        const QPoint b = alike[1]->geometry().center();
        const QPoint mine = jumper->geometry().center();
        const QPoint other = (alike[0] == jumper ? b : a);
        const bool sideBySide = std::abs(a.x() - b.x()) >= std::abs(a.y() - b.y());
        const bool first = sideBySide ? mine.x() < other.x() : mine.y() < other.y();
        static const char *const places[2][2] = {{"bottom", "top"}, {"right", "left"}};
        return name + QStringLiteral(", ") + QLatin1String(places[sideBySide][first]);
    }
    std::stable_sort(alike.begin(), alike.end(), [](const QWidget *a, const QWidget *b) {
        return std::make_pair(a->y(), a->x()) < std::make_pair(b->y(), b->x());
    });
    return name + QStringLiteral(", ") + QString::number(alike.indexOf(jumper) + 1);
}

QString JumperPlacement(const TJumperControl *jumper)
{
    if (const auto *three = qobject_cast<const TThreeJumper *>(jumper))
        return Position(three);
    return static_cast<const TTwoJumper *>(jumper)->Closed() ? QStringLiteral("fitted") : QStringLiteral("not fitted");
}

QString Placements(const QWidget *panel)
{
    // In tab order: the focus chain holds every widget once.
    QStringList placements;
    const QWidget *widget = panel;
    do {
        widget = widget->nextInFocusChain();
        if (const auto *jumper = qobject_cast<const TJumperControl *>(widget); jumper && jumper->parent() == panel)
            placements << JumperName(jumper) + QStringLiteral(": ") + JumperPlacement(jumper);
    } while (widget != panel);
    return placements.join(QStringLiteral("; "));
}

} // namespace Accessibility
