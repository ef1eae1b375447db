#include "radiopanel.h"

#include "application.h"
#include "component.h"
#include "focusmark.h"
#include "jumpers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPen>
#include <QResizeEvent>

TRadioPanel::TRadioPanel(QWidget *parent) : TCustomPanel(parent)
{
    resize(194, 100);
    setVisible(false);
    // The popup gives the panel the focus; Tab comes back to it.
    setFocusPolicy(Qt::TabFocus);
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

// OnEnter and OnExit: the focus moved into the panel from another control of the same window,
// or out of it to another. A window keeps its focused control while inactive, so leaving the
// window or coming back to it enters and exits nothing.
void TRadioPanel::FocusChanged(QWidget *, QWidget *now)
{
    if (!now || now->window() != window())
        return;
    const bool wasInside = Holds(m_lastFocus);
    m_lastFocus = now;
    if (Holds(now) && !wasInside)
        emit OnEnter(this);
    else if (!Holds(now) && wasInside)
        emit OnExit(this);
}

void TRadioPanel::SetFinalAnchors(Anchors::TAnchors value)
{
    if (m_hosted)
        Anchors::SetAnchors(this, value);
    m_finalAnchors = value;
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
    if (event == "OnActivate" || event == "OnDeactivate" || event == "OnRadioChange")
        CheckHandler(handler, event, this, nullptr, {"QObject*"});
    const auto notify = [handler](QObject *Sender) { handler.Notify(Sender); };
    if (event == "OnActivate")
        m_onActivate = notify;
    else if (event == "OnDeactivate")
        m_onDeactivate = notify;
    else if (event == "OnCanResize") {
        CheckHandler(handler, event, this, nullptr, {"QObject*", "int&", "int&", "bool&"});
        m_onCanResize = [handler](QObject *Sender, int &NewWidth, int &NewHeight, bool &Resize) {
            handler.Notify(Sender, NewWidth, NewHeight, Resize);
        };
    } else if (event == "OnConstrainedResize") {
        CheckHandler(handler, event, this, nullptr, {"QObject*", "int&", "int&", "int&", "int&"});
        m_onConstrainedResize = [handler](QObject *Sender, int &MinWidth, int &MinHeight, int &MaxWidth, int &MaxHeight) {
            handler.Notify(Sender, MinWidth, MinHeight, MaxWidth, MaxHeight);
        };
    } else if (event == "OnRadioChange")
        // The handler's Sender is the selected jumper, not the panel.
        connect(this, &TRadioPanel::OnRadioChange, this,
                [notify](QObject *Sender) { RunGuarded([&] { notify(Sender); }); });
    else
        return false;
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

QSize TRadioPanel::Adjusted(QSize wanted, const QSize &old)
{
    if (m_onCanResize) {
        int width = wanted.width();
        int height = wanted.height();
        bool resize = true;
        m_onCanResize(this, width, height, resize);
        if (!resize)
            return old;
        wanted = QSize(width, height);
    }
    int minWidth = minimumWidth();
    int minHeight = minimumHeight();
    int maxWidth = maximumWidth() < QWIDGETSIZE_MAX ? maximumWidth() : 0;
    int maxHeight = maximumHeight() < QWIDGETSIZE_MAX ? maximumHeight() : 0;
    if (m_onConstrainedResize)
        m_onConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
    const auto limit = [](int value, int min, int max) {
        if (max > 0 && value > max)
            value = max;
        return std::max(value, min);
    };
    return QSize(limit(wanted.width(), minWidth, maxWidth), limit(wanted.height(), minHeight, maxHeight));
}

void TRadioPanel::resizeEvent(QResizeEvent *event)
{
    TCustomPanel::resizeEvent(event);
    if (m_adjusting)
        return;
    const QSize old = event->oldSize().isValid() ? event->oldSize() : event->size();
    const QSize adjusted = Adjusted(event->size(), old);
    if (adjusted != size()) {
        m_adjusting = true;
        resize(adjusted);
        m_adjusting = false;
    }
    if (size() != old || !event->oldSize().isValid())
        emit OnResize(this);
}

void TRadioPanel::paintEvent(QPaintEvent *)
{
    if (!m_designHidden && Component::IsDesigning(this)) {
        m_designHidden = true;
        m_designVisible = false;
    }
    QPainter canvas(this);
    const QColor fill = ColorToQColor(Color(), this);
    QRect area = rect();
    // width rings of one pixel, top and left in one colour, bottom and right in the other.
    const auto frame = [&](const QColor &topLeft, const QColor &bottomRight, int width) {
        for (int i = 0; i < width && !area.isEmpty(); ++i) {
            canvas.fillRect(area.left(), area.top(), area.width(), 1, topLeft);
            canvas.fillRect(area.left(), area.top(), 1, area.height(), topLeft);
            canvas.fillRect(area.left(), area.bottom(), area.width(), 1, bottomRight);
            canvas.fillRect(area.right(), area.top(), 1, area.height(), bottomRight);
            area.adjust(1, 1, -1, -1);
        }
    };
    const auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        const QPalette &colors = palette();
        const QColor light = colors.color(QPalette::Active, QPalette::Light);
        const QColor dark = colors.color(QPalette::Active, QPalette::Dark);
        frame(cut == bvLowered ? dark : light, cut == bvLowered ? light : dark, m_bevelWidth);
    };
    if (m_borderStyle == bsSingle)
        frame(Qt::black, Qt::black, 1);
    bevel(m_bevelOuter);
    frame(fill, fill, m_borderWidth);
    bevel(m_bevelInner);
    canvas.fillRect(area, fill);
    if (m_bevelOuter == bvNone && m_bevelInner == bvNone && m_borderStyle == bsNone && Component::IsDesigning(this)) {
        // Without a bevel or border the panel would not show on a design surface.
        canvas.setPen(QPen(palette().color(QPalette::Dark), 1, Qt::DashLine));
        canvas.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus() && m_focusShown())
        FocusMark::DrawFrame(canvas, rect());
}

void TRadioPanel::focusInEvent(QFocusEvent *event)
{
    m_focusShown.FocusIn(event->reason());
    QWidget::focusInEvent(event);
    update();
}

void TRadioPanel::focusOutEvent(QFocusEvent *event)
{
    m_focusShown.FocusOut(event->reason());
    QWidget::focusOutEvent(event);
    update();
}
