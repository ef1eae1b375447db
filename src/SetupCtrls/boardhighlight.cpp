#include "boardhighlight.h"

#include "accessibility.h"
#include "application.h"
#include "component.h"
#include "focusmark.h"
#include "popupform.h"
#include "radiopanel.h"
#include "tint.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QTimer>

namespace {

bool IsIdentStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           c == QLatin1Char('_');
}

bool IsIdentChar(QChar c)
{
    return IsIdentStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool IsIdent(const QString &text)
{
    if (text.isEmpty() || !IsIdentStart(text.at(0)))
        return false;
    return std::all_of(text.begin(), text.end(), IsIdentChar);
}

QImage Captured(QWidget *circle, qreal pixelRatio)
{
    QImage image(circle->size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(circle->palette().color(QPalette::Window));
    // What lies beneath the circle: its parent drawn without its children.
    if (QWidget *parent = circle->parentWidget())
        parent->render(&image, QPoint(), QRegion(circle->geometry()), QWidget::DrawWindowBackground);
    return image;
}

// The image the circle's area shows tinted; each tint detaches from the shared capture.
QImage Tinted(const QImage &beneath, float strength, TColor color, bool ring)
{
    QImage image = beneath;
    TintEllipse(image, image.width() - 1, image.height() - 1, strength, color, ring);
    return image;
}

} // namespace

QString StripAmpersands(const QString &Text)
{
    QString text = Text;
    text.remove(QLatin1Char('&'));
    return text;
}

QString MakeIdent(const QString &Text)
{
    if (Text.isEmpty() || IsIdent(Text))
        return Text;
    QString text = Text;
    int first = 0;
    while (first < text.size() && !IsIdentStart(text.at(first)))
        ++first;
    text.remove(0, first);
    QString ident = text.left(1);
    for (int i = 1; i < text.size(); ++i) {
        if (IsIdentChar(text.at(i)))
            ident += text.at(i);
    }
    return ident;
}

TBoardHighlight::TBoardHighlight(QWidget *parent) : QWidget(parent)
{
    resize(65, 65);
    ApplyTint();
    // Tab only: a click keeps the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

TBoardHighlight::~TBoardHighlight() = default;

void TBoardHighlight::SetHighlightType(THighlightType value)
{
    if (m_highlightType == value)
        return;
    m_highlightType = value;
    ApplyTint();
    update();
}

void TBoardHighlight::ApplyTint()
{
    switch (m_highlightType) {
    case htOptions:
        m_tintColor = 0xFF0000;
        m_normalStrength = 0.25f;
        m_litStrength = 0.5f;
        break;
    case htSettings:
        m_tintColor = 0x00FFFF;
        m_normalStrength = 0.5f;
        m_litStrength = 0.75f;
        break;
    case htCalibration:
        m_tintColor = 0x0000FF;
        m_normalStrength = 0.5f;
        m_litStrength = 0.75f;
        break;
    }
    m_activeLitStrength = 1.0f;
}

void TBoardHighlight::SetTitle(const QString &value)
{
    if (m_title == value)
        return;
    m_title = value;
    m_plainTitle = StripAmpersands(value);
    m_titleIdent = MakeIdent(value);
}

bool TBoardHighlight::IsLinkedWith(const QObject *other) const
{
    auto *circle = qobject_cast<const TBoardHighlight *>(other);
    return circle && Component::HasClassName(circle, "TBoardHighlight") && circle->m_title == m_title &&
           circle->m_highlightType == m_highlightType;
}

QList<TBoardHighlight *> TBoardHighlight::LinkGroup() const
{
    QList<TBoardHighlight *> group;
    QWidget *parent = parentWidget();
    if (!Component::HasClassName(parent, "TBoardImage"))
        return group;
    for (QObject *child : parent->children()) {
        if (IsLinkedWith(child))
            group << static_cast<TBoardHighlight *>(child);
    }
    return group;
}

// The normal image now, for the first paint; the lit ones when the mouse first lights the circle.
void TBoardHighlight::RenderImages()
{
    m_beneath = Captured(this, devicePixelRatioF());
    m_renderedTint = m_tintColor;
    m_renderedLitStrength = m_litStrength;
    m_normalImage = Tinted(m_beneath, m_normalStrength, m_tintColor, false);
    m_litImage = QImage();
    m_activeLitImage = QImage();
}

const QImage &TBoardHighlight::LitImage() const
{
    if (m_litImage.isNull() && !m_beneath.isNull())
        m_litImage = Tinted(m_beneath, m_renderedLitStrength, m_renderedTint, false);
    return m_litImage;
}

const QImage &TBoardHighlight::ActiveLitImage() const
{
    if (m_activeLitImage.isNull() && !m_beneath.isNull())
        m_activeLitImage = Tinted(m_beneath, m_activeLitStrength, m_renderedTint, true);
    return m_activeLitImage;
}

void TBoardHighlight::paintEvent(QPaintEvent *)
{
    if (Component::IsDesigning(this)) {
        RenderImages();
    } else if (!m_rendered) {
        RenderImages();
        auto *board = qobject_cast<TBoardImage *>(parentWidget());
        if (board && Component::HasClassName(board, "TBoardImage")) {
            m_boardMenu = board->Menu();
            BuildMenuEntries();
        } else {
            m_boardMenu = nullptr;
        }
        m_rendered = true;
    }
    const QImage &image = m_popupActive && m_lit    ? ActiveLitImage()
                          : m_popupActive || m_lit ? LitImage()
                                                   : m_normalImage;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), image);
    if (hasFocus() && m_focusShown() && !Component::IsDesigning(this))
        FocusMark::DrawRing(painter, rect());
}

// A form designer edits the circle: the mouse lights it and opens its popup only at run time.
void TBoardHighlight::enterEvent(QEnterEvent *)
{
    if (!Component::IsDesigning(this))
        MouseEnter(0);
}

void TBoardHighlight::leaveEvent(QEvent *)
{
    if (!Component::IsDesigning(this))
        MouseLeave(0);
}

void TBoardHighlight::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void TBoardHighlight::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Click();
}

void TBoardHighlight::keyPressEvent(QKeyEvent *event)
{
    if (!event->isAutoRepeat() && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                                   event->key() == Qt::Key_Enter)) {
        RunGuarded([this] { Press(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TBoardHighlight::focusInEvent(QFocusEvent *event)
{
    m_focusShown.FocusIn(event->reason());
    QWidget::focusInEvent(event);
    update();
}

void TBoardHighlight::focusOutEvent(QFocusEvent *event)
{
    m_focusShown.FocusOut(event->reason());
    QWidget::focusOutEvent(event);
    update();
}

bool TBoardHighlight::focusNextPrevChild(bool next)
{
    QWidget *parent = parentWidget();
    if (!m_boardMenu || !parent)
        return QWidget::focusNextPrevChild(next);
    // The circles in focus-chain order (which raising them leaves alone), then by menu entry.
    QList<TBoardHighlight *> circles;
    for (QWidget *widget = parent->nextInFocusChain(); widget != parent; widget = widget->nextInFocusChain()) {
        auto *circle = qobject_cast<TBoardHighlight *>(widget);
        if (circle && circle->parentWidget() == parent && circle->isVisible() && circle->isEnabled() &&
            !circles.contains(circle))
            circles << circle;
    }
    QList<QAction *> entries;
    for (QAction *item : m_boardMenu->actions()) {
        if (item->menu())
            entries << item->menu()->actions();
    }
    const auto rank = [&entries](const TBoardHighlight *circle) {
        const QAction *entry = circle->FindMenuEntry();
        return entry ? entries.indexOf(entry) : int(entries.size());
    };
    std::stable_sort(circles.begin(), circles.end(),
                     [&rank](const TBoardHighlight *a, const TBoardHighlight *b) { return rank(a) < rank(b); });
    const qsizetype here = circles.indexOf(this);
    if (here < 0)
        return QWidget::focusNextPrevChild(next);
    const qsizetype count = circles.size();
    circles.at((here + (next ? 1 : -1) + count) % count)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void TBoardHighlight::Press()
{
    const QPointer<TBoardHighlight> alive(this);
    MouseEnter(0);
    if (alive)
        Click();
    if (alive)
        MouseLeave(0);
}
void TBoardHighlight::mouseDoubleClickEvent(QMouseEvent *) {}

void TBoardHighlight::MouseEnter(int forwarded)
{
    if (m_lit)
        return;
    m_lit = true;
    update();
    if (m_createPopup)
        ShowPopup();
    if (forwarded == 1)
        return;
    for (TBoardHighlight *member : LinkGroup())
        member->MouseEnter(1);
}

void TBoardHighlight::MouseLeave(int forwarded)
{
    if (!m_lit)
        return;
    if (m_popup && !m_pinned) {
        if (m_popup->CursorInside()) {
            m_popup->CloseOnLeave = true;
            Pin();
        } else if (TPopupForm::PointerPlaceKnown()) {
            ClosePopup();
        } else {
            QTimer::singleShot(150, this, &TBoardHighlight::SettleLeave);
        }
    }
    if (forwarded == 1)
        return;
    for (TBoardHighlight *member : LinkGroup())
        member->MouseLeave(1);
}

void TBoardHighlight::SettleLeave()
{
    if (!m_popup || m_pinned || !m_popup->isVisible() || underMouse())
        return;
    if (m_popup->underMouse()) {
        m_popup->CloseOnLeave = true;
        Pin();
    } else {
        ClosePopup();
    }
}

void TBoardHighlight::Click()
{
    emit OnClick(this);
    Pin();
}

bool TBoardHighlight::PopupShown() const
{
    return m_popup && m_popup->isVisible();
}

// A closed popup stays closed: a click on a circle whose popup was closed from the keyboard,
// the mouse still on it, would otherwise check the entry of a window that is not there.
void TBoardHighlight::Pin()
{
    if (PopupShown()) {
        m_pinned = true;
        CheckMenuEntry(true);
    }
    for (TBoardHighlight *member : LinkGroup()) {
        if (!member->PopupShown())
            continue;
        member->m_pinned = true;
        member->CheckMenuEntry(true);
        // The window gives the focus back to its focused control: focusing the window itself
        // would take it from the panel, whose OnEnter would then run again.
        member->m_popup->activateWindow();
    }
    Accessibility::PopupChanged(this);
}

void TBoardHighlight::SetPopupActive(bool Value, bool Propagate)
{
    m_popupActive = Value;
    raise();
    update();
    QWidget *parent = parentWidget();
    if (!Propagate || !Component::HasClassName(parent, "TBoardImage"))
        return;
    // Each member moved to the front goes to the end of the list: visit every child once.
    int i = 0;
    int n = parent->children().size();
    while (i < n) {
        QObject *child = parent->children().at(i);
        if (child != this && IsLinkedWith(child)) {
            static_cast<TBoardHighlight *>(child)->SetPopupActive(Value, false);
            --n;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::Unlight()
{
    m_lit = false;
    update();
}
