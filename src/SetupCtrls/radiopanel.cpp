#include "radiopanel.h"

#include "application.h"
#include "component.h"
#include "jumpers.h"

#include <QApplication>
#include <QPainter>
#include <QPen>

TRadioPanel::TRadioPanel(QWidget *parent) : QWidget(parent)
{
    resize(194, 100);
    setVisible(false);
    connect(qApp, &QApplication::focusChanged, this, &TRadioPanel::FocusChanged);
}

// Destroying the children moves the focus: by then this is no longer a radio panel.
TRadioPanel::~TRadioPanel()
{
    disconnect(qApp, &QApplication::focusChanged, this, &TRadioPanel::FocusChanged);
}

bool TRadioPanel::Visible() const
{
    return Component::IsDesigning(this) ? m_designVisible : !isHidden();
}

void TRadioPanel::SetVisible(bool value)
{
    if (Component::IsDesigning(this))
        m_designVisible = value;
    else
        setVisible(value);
}

bool TRadioPanel::Holds(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

// OnEnter: the focus moved into the panel from another control of the same window. A window
// keeps its focused control while inactive, so coming back to the window enters nothing.
void TRadioPanel::FocusChanged(QWidget *, QWidget *now)
{
    if (!now || now->window() != window())
        return;
    const bool wasInside = Holds(m_lastFocus);
    m_lastFocus = now;
    if (Holds(now) && !wasInside)
        emit OnEnter(this);
}

void TRadioPanel::SetFinalAnchors(Anchors::TAnchors value)
{
    if (m_hosted)
        Anchors::SetAnchors(this, value);
    m_finalAnchors = value;
}

void TRadioPanel::SetBevelOuter(TBevelCut value)
{
    if (m_bevelOuter == value)
        return;
    m_bevelOuter = value;
    update();
}

TColor TRadioPanel::Color() const
{
    const QWidget *parent = parentWidget();
    if (!m_parentColor || !parent)
        return m_color;
    const QVariant color = parent->property("Color");
    if (color.metaType() == QMetaType::fromType<TColor>())
        return color.value<TColor>();
    return ColorFromQColor(parent->palette().color(QPalette::Active, parent->backgroundRole()));
}

void TRadioPanel::SetColor(TColor value)
{
    if (Color() == value)
        return;
    m_color = value;
    m_parentColor = false;
    update();
}

void TRadioPanel::SetParentColor(bool value)
{
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    update();
}

bool TRadioPanel::BindEvent(const QByteArray &event, const TMethod &handler)
{
    if (event != "OnActivate" && event != "OnDeactivate" && event != "OnRadioChange")
        return false;
    CheckHandler(handler, event, this, nullptr, {"QObject*"});
    const auto notify = [handler](QObject *Sender) { handler.Notify(Sender); };
    if (event == "OnActivate")
        m_onActivate = notify;
    else if (event == "OnDeactivate")
        m_onDeactivate = notify;
    else // OnRadioChange, whose Sender is the selected jumper, not the panel
        connect(this, &TRadioPanel::OnRadioChange, this,
                [notify](QObject *Sender) { RunGuarded([&] { notify(Sender); }); });
    return true;
}

void TRadioPanel::SelectJumper(TTwoJumper *Jumper)
{
    bool changed = false;
    for (QObject *child : children()) {
        if (!Component::HasClassName(child, "TTwoJumper"))
            continue;
        auto *jumper = static_cast<TTwoJumper *>(child);
        const bool target = jumper == Jumper;
        if (jumper->Closed() != target)
            changed = true;
        jumper->SetClosed(target);
    }
    if (changed)
        emit OnRadioChange(Jumper);
}

void TRadioPanel::paintEvent(QPaintEvent *)
{
    if (!m_designHidden && Component::IsDesigning(this)) {
        m_designHidden = true;
        m_designVisible = false;
    }
    QPainter canvas(this);
    QRect area = rect();
    if (m_bevelOuter != bvNone) {
        const QPalette &colors = palette();
        const QColor light = colors.color(QPalette::Active, QPalette::Light);
        const QColor dark = colors.color(QPalette::Active, QPalette::Dark);
        const QColor &topLeft = m_bevelOuter == bvLowered ? dark : light;
        const QColor &bottomRight = m_bevelOuter == bvLowered ? light : dark;
        canvas.fillRect(area.left(), area.top(), area.width(), 1, topLeft);
        canvas.fillRect(area.left(), area.top(), 1, area.height(), topLeft);
        canvas.fillRect(area.left(), area.bottom(), area.width(), 1, bottomRight);
        canvas.fillRect(area.right(), area.top(), 1, area.height(), bottomRight);
        area.adjust(1, 1, -1, -1);
    }
    canvas.fillRect(area, ColorToQColor(Color(), this));
    if (m_bevelOuter == bvNone && Component::IsDesigning(this)) {
        // Without a bevel the panel would not show on a design surface.
        canvas.setPen(QPen(palette().color(QPalette::Dark), 1, Qt::DashLine));
        canvas.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
