#include "popupform.h"

#include "accessibility.h"
#include "anchors.h"
#include "application.h"
#include "boardhighlight.h"
#include "component.h"
#include "focusmark.h"
#include "form.h"
#include "events.h"
#include "infoforms.h"
#include "radiopanel.h"
#include "windowframe.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include <algorithm>
#include <optional>

using namespace Anchors;

TPopupForm::TPopupForm(TBoardHighlight *owner) : QWidget(owner), Highlight(owner)
{
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
}

bool TPopupForm::PointerPlaceKnown()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool TPopupForm::CursorInside() const
{
    if (!PointerPlaceKnown())
        return underMouse();
    const QPoint p = QCursor::pos() - frameGeometry().topLeft();
    return p.x() >= 0 && p.y() >= 0 && p.x() < frameGeometry().width() && p.y() < frameGeometry().height();
}

void TPopupForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        const bool active = isActiveWindow();
        RunGuarded([&] {
            Highlight->SetPopupActive(active, true);
            const TNotifyEvent &handler = active ? OnActivate : OnDeactivate;
            if (handler)
                handler(this);
        });
    }
    QWidget::changeEvent(event);
}

void TPopupForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Accessibility::PopupChanged(Highlight);
}

void TPopupForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    Accessibility::PopupChanged(Highlight);
}

void TPopupForm::leaveEvent(QEvent *event)
{
    if (CloseOnLeave && !CursorInside()) {
        close();
        return;
    }
    QWidget::leaveEvent(event);
}

void TPopupForm::closeEvent(QCloseEvent *event)
{
    RunGuarded([this] { Highlight->PopupClose(); });
    event->accept();
}

namespace {

QPushButton *AddButton(TPopupForm *popup, const QString &caption, const QString &name, int left,
                       TAnchors anchors)
{
    auto *button = new QPushButton(caption, popup);
    button->setObjectName(name);
    button->setGeometry(left, popup->height() - 44, 58, 25);
    SetAnchors(button, anchors);
    return button;
}

} // namespace

QPoint PopupPlace(QPoint place, const QSize &outer, const QRect &area, const QRect &done, const QRect &circle)
{
    const auto clamp = [&](QPoint p) {
        return QPoint(std::max(area.left(), std::min(p.x(), area.right() + 1 - outer.width())),
                      std::max(area.top(), std::min(p.y(), area.bottom() + 1 - outer.height())));
    };
    place = clamp(place);
    const QRect button = done.translated(place);
    if (!button.intersects(circle))
        return place;
    // The smallest step that clears the circle and keeps the frame in the area.
    const QPoint steps[] = {{circle.right() + 1 - button.left(), 0},
                            {circle.left() - 1 - button.right(), 0},
                            {0, circle.bottom() + 1 - button.top()},
                            {0, circle.top() - 1 - button.bottom()}};
    std::optional<QPoint> best;
    for (const QPoint &step : steps) {
        const QPoint moved = place + step;
        if (clamp(moved) == moved && (!best || step.manhattanLength() < (*best - place).manhattanLength()))
            best = moved;
    }
    return best.value_or(place);
}

void TBoardHighlight::ShowPopup()
{
    if (m_popup) {
        if (!m_popup->isVisible())
            m_pinned = false;
        m_popup->show();
        m_popup->raise();
        m_popup->activateWindow();
        return;
    }
    // The forms of the application, visible or hidden.
    for (const QWidget *form : QApplication::topLevelWidgets()) {
        // Drop-down menus and tool tips are windows, not forms.
        if (form->windowType() == Qt::Popup || form->windowType() == Qt::ToolTip)
            continue;
        if (form->windowTitle() == m_plainTitle && form->property("Tag").toInt() == int(m_highlightType))
            return;
    }

    auto *popup = new TPopupForm(this);
    m_popup = popup;
    m_pinned = false;

    int memoHeight = 58;
    QPoint panelPlace;
    const QMargins frame = FrameMargins(popup);
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    if (TRadioPanel *panel = m_radioPanel) {
        memoHeight = panel->MemoHeight();
        popup->OnActivate = panel->OnActivate();
        popup->OnDeactivate = panel->OnDeactivate();
        panelPlace = panel->pos();
        panel->move(0, 0);
        popup->resize(panel->width(), panel->height() + memoHeight + 51);
        panel->setParent(popup);
        panel->setVisible(true); // after the move: a widget given a new parent is hidden
        SetAnchors(panel, panel->FinalAnchors());
        panel->SetHosted(true);
    } else {
        popup->resize(QSize(194, 141) - frameSize);
    }
    popup->setWindowTitle(m_plainTitle);

    popup->resize((popup->size() + frameSize).expandedTo(QSize(194, 122)) - frameSize);
    popup->setMinimumSize(popup->size());
    popup->SetTag(int(m_highlightType));

    QWidget *parent = parentWidget();
    QPoint offset;
    if (auto *board = qobject_cast<TBoardImage *>(parent); board && Component::HasClassName(board, "TBoardImage"))
        offset = QPoint(board->DesignLeft(), board->DesignTop()) - panelPlace;
    if (!m_radioPanel)
        offset = QPoint(0, -((parent ? parent->height() : 0) + 38));
    QPoint place = (parent ? parent->pos() : QPoint()) - offset;

    popup->PopupStatus = new QStatusBar(popup);
    popup->PopupStatus->setObjectName(QStringLiteral("PopupStatus"));
    popup->PopupStatus->setSizeGripEnabled(false);
    popup->PopupStatus->setGeometry(0, popup->height() - 19, popup->width(), 19);
    SetAnchors(popup->PopupStatus, akLeft | akRight | akBottom);
    popup->PopupStatus->addWidget(new QLabel(popup->PopupStatus), 1);

    QPushButton *previous = AddButton(popup, QStringLiteral("Previous"), QStringLiteral("PreviousButton"), 6, akLeft | akBottom);
    QPushButton *next = AddButton(popup, QStringLiteral("Next"), QStringLiteral("NextButton"), (popup->width() - 58) / 2, akBottom);
    QPushButton *done = AddButton(popup, QStringLiteral("Done"), QStringLiteral("DoneButton"), popup->width() - 64, akRight | akBottom);
    connect(previous, &QPushButton::clicked, this, [this] { RunGuarded([this] { PreviousClick(); }); });
    connect(next, &QPushButton::clicked, this, [this] { RunGuarded([this] { NextClick(); }); });
    connect(done, &QPushButton::clicked, this, [this] { RunGuarded([this] { DoneClick(); }); });

    auto *memo = new QPlainTextEdit(popup);
    memo->setObjectName(QStringLiteral("StatusMemo"));
    memo->setAccessibleName(QStringLiteral("Explanation"));
    memo->setGeometry(6, done->y() - 6 - memoHeight, popup->width() - 12, memoHeight);
    memo->setReadOnly(true);
    FocusMark::MarkTextBox(memo);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetAnchors(memo, akLeft | akTop | akRight | akBottom);
    if (m_radioPanel)
        memo->setPlainText(m_radioPanel->Lines().join(QLatin1Char('\n')));

    // The place is the frame's. An X11 window manager frames a window only as it is shown: it
    // is asked for the frame it will draw; one that does not say stands in its main window's.
    QMargins placeFrame = frame;
    if (placeFrame.isNull())
        placeFrame = WindowFrame::Requested(popup->windowHandle());
    if (placeFrame.isNull() && window()->windowHandle())
        placeFrame = window()->windowHandle()->frameMargins();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect circle(mapToGlobal(QPoint()), size());
    place = PopupPlace(place, popup->size().grownBy(placeFrame), screen->availableGeometry(),
                       done->geometry().translated(placeFrame.left(), placeFrame.top()), circle);
    popup->move(place + QPoint(placeFrame.left() - frame.left(), placeFrame.top() - frame.top()));

    popup->show();
    popup->raise();
    popup->activateWindow();
    QWidget *focus = m_radioPanel ? static_cast<QWidget *>(m_radioPanel) : done;
    focus->setFocus(Qt::OtherFocusReason);
}

void TBoardHighlight::ClosePopup()
{
    if (m_popup)
        m_popup->close();
}

void TBoardHighlight::PopupClose()
{
    CheckMenuEntry(false);
    m_popup->CloseOnLeave = false;
    Unlight();
    for (TBoardHighlight *member : LinkGroup())
        member->Unlight();
}

// The keyboard comes back to the circle of the group it closed.
void TBoardHighlight::DoneClick()
{
    ClosePopup();
    if (isVisible() && isEnabled()) {
        window()->activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
}

void TBoardHighlight::PreviousClick()
{
    Step(-1);
}

void TBoardHighlight::NextClick()
{
    Step(1);
}

// Closes this popup and opens the one of the previous or next entry of the menu group,
// wrapping at both ends.
void TBoardHighlight::Step(int direction)
{
    if (!m_boardMenu)
        return;
    const QString caption = GroupCaption();
    for (QAction *item : m_boardMenu->actions()) {
        if (item->text() != caption || !item->menu())
            continue;
        const QList<QAction *> entries = item->menu()->actions();
        for (int j = 0; j < entries.size(); ++j) {
            if (entries.at(j)->text() != m_title)
                continue;
            const int count = entries.size();
            QAction *target = entries.at((j + direction + count) % count);
            ClosePopup();
            if (TBoardHighlight *circle = target->data().value<QPointer<TBoardHighlight>>())
                circle->MenuItemClick(this);
            else
                Events::FireBound(target, "OnClick", this);
            return;
        }
    }
}
