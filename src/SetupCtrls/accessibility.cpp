#include "accessibility.h"

#include "application.h"
#include "boardhighlight.h"
#include "jumpers.h"
#include "popupform.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

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

// A circle: a button named by its plain title that opens and pins the group's popup.
class HighlightAccessible : public QAccessibleWidget
{
public:
    explicit HighlightAccessible(TBoardHighlight *circle) : QAccessibleWidget(circle, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Circle()->accessibleName().isEmpty())
            return Circle()->PlainTitle();
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

    // The mouse onto the circle, a click and the mouse off it again.
    void doAction(const QString &name) override
    {
        if (name != pressAction() || !Circle()->isEnabled())
            return;
        TBoardHighlight *circle = Circle();
        RunGuarded([circle] {
            const QPointer<TBoardHighlight> alive(circle);
            circle->MouseEnter(0);
            if (alive)
                circle->Click();
            if (alive)
                circle->MouseLeave(0);
        });
    }

private:
    TBoardHighlight *Circle() const { return static_cast<TBoardHighlight *>(widget()); }

    // As the help window explains the colours.
    QString KindOfHelp() const
    {
        switch (Circle()->HighlightType()) {
        case TBoardHighlight::htOptions:
            return QStringLiteral("Information: standard and optional features");
        case TBoardHighlight::htSettings:
            return QStringLiteral("Setting: configuring jumpers and switches");
        case TBoardHighlight::htCalibration:
            return QStringLiteral("Calibration: controlling the hardware device");
        }
        return QString();
    }
};

// The text of the label that stands beside the jumper: a label across one of its sides, at most
// 8 pixels off, that covers the jumper's middle. The labels at the ends of a three-pin jumper
// name its positions, not the jumper, so only its long sides count.
QString BesideLabel(const TJumperControl *jumper, bool longSidesOnly)
{
    const int maxGap = 8;
    const QRect place = jumper->geometry();
    const QPoint middle = place.center();
    const bool horizontal = place.width() >= place.height();
    int nearest = maxGap + 1;
    QString text;
    const auto consider = [&](int gap, const QString &caption) {
        gap = std::max(gap, 0);
        if (gap < nearest) {
            nearest = gap;
            text = caption;
        }
    };
    const QObjectList siblings = jumper->parent() ? jumper->parent()->children() : QObjectList();
    for (const QObject *sibling : siblings) {
        const auto *label = qobject_cast<const QLabel *>(sibling);
        if (!label || label->text().isEmpty())
            continue;
        const QRect other = label->geometry();
        if (!(longSidesOnly && horizontal) && other.top() <= middle.y() && middle.y() <= other.bottom())
            consider(std::max(other.left() - place.right(), place.left() - other.right()) - 1, label->text());
        if (!(longSidesOnly && !horizontal) && other.left() <= middle.x() && middle.x() <= other.right())
            consider(std::max(other.top() - place.bottom(), place.top() - other.bottom()) - 1, label->text());
    }
    return text;
}

// A jumper drawing, named by the label beside it or else by its component name; a user's click
// is its one action.
class JumperAccessible : public QAccessibleWidget
{
public:
    JumperAccessible(TJumperControl *jumper, QAccessible::Role role, bool longSidesOnly, QString action)
        : QAccessibleWidget(jumper, role), m_longSidesOnly(longSidesOnly), m_action(std::move(action))
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString label = BesideLabel(Jumper(), m_longSidesOnly);
        if (t == QAccessible::Name && Jumper()->accessibleName().isEmpty())
            return label.isEmpty() ? Jumper()->objectName() : label;
        // One label may stand beside two jumpers: the component name tells them apart.
        if (t == QAccessible::Description && Jumper()->accessibleDescription().isEmpty())
            return label.isEmpty() ? QString() : Jumper()->objectName();
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
    bool m_longSidesOnly;
    QString m_action;
};

class TwoJumperAccessible : public JumperAccessible
{
public:
    explicit TwoJumperAccessible(TTwoJumper *jumper)
        : JumperAccessible(jumper, QAccessible::CheckBox, false, toggleAction())
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = static_cast<TTwoJumper *>(Jumper())->Closed();
        return state;
    }
};

QString PositionText(TJumperControl::TJumperState state)
{
    switch (state) {
    case TJumperControl::jsOpen:
        return QStringLiteral("open");
    case TJumperControl::jsLeft:
        return QStringLiteral("left");
    case TJumperControl::jsRight:
        return QStringLiteral("right");
    }
    return QString();
}

class ThreeJumperAccessible : public JumperAccessible
{
public:
    explicit ThreeJumperAccessible(TThreeJumper *jumper)
        : JumperAccessible(jumper, QAccessible::Button, true, pressAction())
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return PositionText(static_cast<TThreeJumper *>(Jumper())->JumperState());
        return JumperAccessible::text(t);
    }
};

QAccessibleInterface *Interface(const QString &className, QObject *object)
{
    // A plain widget window would be a nameless client area to a reader.
    if (className == QLatin1String("TPopupForm"))
        return new QAccessibleWidget(static_cast<TPopupForm *>(object), QAccessible::Window);
    if (className == QLatin1String("TBoardHighlight"))
        return new HighlightAccessible(static_cast<TBoardHighlight *>(object));
    if (className == QLatin1String("TTwoJumper"))
        return new TwoJumperAccessible(static_cast<TTwoJumper *>(object));
    if (className == QLatin1String("TThreeJumper"))
        return new ThreeJumperAccessible(static_cast<TThreeJumper *>(object));
    return nullptr;
}

Accessibility::TAnnouncer announcer = QAccessible::updateAccessibility;

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

void CheckedChanged(QObject *control)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    announcer(&event);
}

void ValueChanged(TThreeJumper *jumper)
{
    QAccessibleValueChangeEvent event(jumper, PositionText(jumper->JumperState()));
    announcer(&event);
}

void PopupChanged(TBoardHighlight *circle)
{
    QAccessible::State changed;
    changed.checked = true;
    changed.expanded = true;
    for (TBoardHighlight *member : Members(circle)) {
        QAccessibleStateChangeEvent event(member, changed);
        announcer(&event);
    }
}

} // namespace Accessibility
