#include "jumpers.h"

#include "accessibility.h"
#include "application.h"
#include "component.h"
#include "focusmark.h"
#include "radiopanel.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {

// Rounds to the nearest integer, halves to even.
int Round(double value)
{
    return int(std::nearbyint(value));
}

bool IsVertical(TJumperControl::TOrientationType orientation)
{
    return orientation == TJumperControl::otLeft || orientation == TJumperControl::otRight;
}

// The canvas takes rectangles (left, top, right, bottom) without their right and bottom edge.
// Outlined, the one-pixel pen runs half a pixel inside so that the shape covers exactly these
// pixels; without a pen the fill covers them.
QRectF Shape(const QPainter &canvas, int left, int top, int right, int bottom)
{
    if (canvas.pen().style() == Qt::NoPen)
        return QRectF(left, top, right - left, bottom - top);
    return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

void Rectangle(QPainter &canvas, int left, int top, int right, int bottom)
{
    canvas.drawRect(Shape(canvas, left, top, right, bottom));
}

// Corners are quarters of an ellipse cornerWidth x cornerHeight.
void RoundRect(QPainter &canvas, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const qreal inset = canvas.pen().style() == Qt::NoPen ? 0 : 0.5;
    canvas.drawRoundedRect(Shape(canvas, left, top, right, bottom), std::max(0.0, cornerWidth / 2.0 - inset),
                           std::max(0.0, cornerHeight / 2.0 - inset));
}

void Ellipse(QPainter &canvas, int left, int top, int right, int bottom)
{
    canvas.drawEllipse(Shape(canvas, left, top, right, bottom));
}

QPen SolidPen(const QColor &color)
{
    QPen pen(color, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(false);
    return pen;
}

} // namespace

TJumperControl::TJumperControl(QWidget *parent, int width, int height) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab only: a click keeps the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    resize(width, height);
}

void TJumperControl::SetOrientation(TOrientationType value)
{
    if (m_orientation == value)
        return;
    // A change back to the pair of the size before the next paint cancels the pending exchange.
    if (IsVertical(m_orientation) != IsVertical(value))
        m_swapPending = !m_swapPending;
    m_orientation = value;
    update();
}

QColor TJumperControl::Outline(TColor fill) const
{
    return m_borderStyle == bsSingle ? Qt::black : Color(fill);
}

QColor TJumperControl::Background() const
{
    QWidget *parent = parentWidget();
    if (Component::HasClassName(parent, "TRadioPanel"))
        return ColorToQColor(static_cast<TRadioPanel *>(parent)->Color(), parent);
    return Color(clBtnFace);
}

void TJumperControl::paintEvent(QPaintEvent *)
{
    const bool vertical = IsVertical(m_orientation);
    const int w = vertical ? height() : width();
    const int h = vertical ? width() : height();
    const qreal ratio = devicePixelRatioF();
    const QSize device(int(std::ceil(w * ratio)), int(std::ceil(h * ratio)));
    if (m_drawBitmap.size() != device)
        m_drawBitmap = QImage(device, QImage::Format_RGB32);
    m_drawBitmap.setDevicePixelRatio(ratio);
    {
        QPainter canvas(&m_drawBitmap);
        const QColor background = Background();
        canvas.setPen(SolidPen(background));
        canvas.setBrush(background);
        Rectangle(canvas, 0, 0, w, h);
        Draw(canvas, w, h);
    }
    Turn();
    if (m_swapPending) {
        m_swapPending = false;
        // Resizing inside a paint is not allowed: the exchange follows right after it.
        if (m_painted)
            QMetaObject::invokeMethod(this, [this] { resize(height(), width()); }, Qt::QueuedConnection);
    }
    QPainter screen(this);
    screen.drawImage(QPointF(0, 0), m_viewBitmap);
    if (hasFocus() && m_focusShown())
        FocusMark::DrawFrame(screen, rect());
    m_painted = true;
}

// Pixel (x, y) of the w x h drawing goes to ViewBitmap at: otUp (x, y); otDown
// (w-1-x, h-1-y); otLeft (y, w-1-x); otRight (h-1-y, x).
void TJumperControl::Turn()
{
    const int w = m_drawBitmap.width();
    const int h = m_drawBitmap.height();
    const QSize size = IsVertical(m_orientation) ? QSize(h, w) : QSize(w, h);
    if (m_viewBitmap.size() != size)
        m_viewBitmap = QImage(size, QImage::Format_RGB32);
    m_viewBitmap.setDevicePixelRatio(m_drawBitmap.devicePixelRatio());
    uchar *view = m_viewBitmap.bits();
    const qsizetype stride = m_viewBitmap.bytesPerLine();
    for (int y = 0; y < h; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(m_drawBitmap.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            int tx = x;
            int ty = y;
            switch (m_orientation) {
            case otUp:
                break;
            case otDown:
                tx = w - 1 - x;
                ty = h - 1 - y;
                break;
            case otLeft:
                tx = y;
                ty = w - 1 - x;
                break;
            case otRight:
                tx = h - 1 - y;
                ty = x;
                break;
            }
            reinterpret_cast<QRgb *>(view + ty * stride)[tx] = row[x];
        }
    }
}

void TJumperControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void TJumperControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    if (event->button() != Qt::LeftButton)
        return;
    const bool pressed = m_pressed;
    m_pressed = false;
    if (pressed && rect().contains(at))
        Click();
}

// The second press of a double click is no new click: the click it completes has been counted.
void TJumperControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TJumperControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit OnMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TJumperControl::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&TJumperControl::OnMouseMove))
        setMouseTracking(true);
}

void TJumperControl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        RunGuarded([this] { Click(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TJumperControl::focusInEvent(QFocusEvent *event)
{
    m_focusShown.FocusIn(event->reason());
    QWidget::focusInEvent(event);
    update();
}

void TJumperControl::focusOutEvent(QFocusEvent *event)
{
    m_focusShown.FocusOut(event->reason());
    QWidget::focusOutEvent(event);
    update();
}

TTwoJumper::TTwoJumper(QWidget *parent) : TJumperControl(parent, 34, 18) {}

void TTwoJumper::SetClosed(bool value)
{
    if (Change(m_closed, value))
        Accessibility::CheckedChanged(this);
}

void TTwoJumper::Draw(QPainter &canvas, int w, int h)
{
    if (m_closed) {
        canvas.setBrush(Color(JumperColor()));
        canvas.setPen(SolidPen(Outline(JumperColor())));
        Rectangle(canvas, 0, 0, w, h);
    } else {
        canvas.setBrush(Color(BaseColor()));
        canvas.setPen(SolidPen(Outline(BaseColor())));
        RoundRect(canvas, 1, 1, w - 1, h - 1, h / 2, h / 2);
    }
    const int r = Round(w / 3.5);
    const int x1 = r + 1;
    const int d = std::min(r / 3, Round(h / 4.0));
    const int cy = h / 2;
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Color(PinColor()));
    Ellipse(canvas, x1 - d, cy - d, x1 + d, cy + d);
    Ellipse(canvas, w - x1 - d, cy - d, w - x1 + d, cy + d);
}

void TTwoJumper::Click()
{
    const QPointer<TTwoJumper> self(this);
    SetClosed(!m_closed);
    QWidget *parent = parentWidget();
    if (Component::HasClassName(parent, "TRadioPanel")) {
        auto *panel = static_cast<TRadioPanel *>(parent);
        if (panel->RadioEnabled())
            panel->SelectJumper(this);
    }
    if (self)
        emit OnClick(this);
}

TThreeJumper::TThreeJumper(QWidget *parent) : TJumperControl(parent, 43, 18) {}

void TThreeJumper::SetJumperState(TJumperState value)
{
    if (value == jsOpen && !m_allowOpen)
        return;
    if (Change(m_jumperState, value))
        Accessibility::ValueChanged(this);
}

void TThreeJumper::SetAllowOpen(bool value)
{
    if (m_allowOpen == value)
        return;
    m_allowOpen = value;
    if (!m_allowOpen && m_jumperState == jsOpen)
        SetJumperState(jsLeft);
    update();
}

void TThreeJumper::Draw(QPainter &canvas, int w, int h)
{
    const int r = Round((w - 2) / 4.5);
    const int x1 = r + 1;
    const int d = std::min(r / 3, Round((h - 2) / 4.0));
    const int cy = h / 2;
    const int xm = w / 2;
    const int g = xm - x1 + 2;
    const int half = g / 2;

    canvas.setBrush(Color(BaseColor()));
    canvas.setPen(SolidPen(Outline(BaseColor())));
    RoundRect(canvas, 1, 1, w - 1, h - 1, h / 2, h / 2);

    canvas.setBrush(Color(JumperColor()));
    canvas.setPen(SolidPen(Qt::black));
    if (m_jumperState == jsLeft)
        Rectangle(canvas, 0, 0, xm + half, h);
    else if (m_jumperState == jsRight)
        Rectangle(canvas, xm - half, 0, w, h);

    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Color(PinColor()));
    for (const int cx : {x1, xm, w - x1})
        Ellipse(canvas, cx - d, cy - d, cx + d, cy + d);
}

void TThreeJumper::Click()
{
    switch (m_jumperState) {
    case jsOpen:
        SetJumperState(jsLeft);
        break;
    case jsLeft:
        SetJumperState(jsRight);
        break;
    case jsRight:
        SetJumperState(m_allowOpen ? jsOpen : jsLeft);
        break;
    }
    emit OnClick(this);
}
