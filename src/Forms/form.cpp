#include "form.h"

#include "application.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>

#include <algorithm>
#include <iterator>

TForm::TForm(QWidget *parent) : QMainWindow(parent) {}

void TForm::ShowAsStored()
{
    if (m_storedOuter.isEmpty())
        m_storedOuter = size();
    FitNormal();
    switch (m_windowState) {
    case wsMaximized:
        showMaximized();
        break;
    case wsMinimized:
        showMinimized();
        break;
    case wsNormal:
        show();
        break;
    }
}

QMargins FrameMargins(QWidget *window)
{
    window->winId();
    return window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
}

QRect TForm::NormalBounds() const
{
    const QRect area = screen()->availableGeometry();
    const QSize size = m_storedOuter.isEmpty() ? frameGeometry().size() : m_storedOuter;
    QRect outer(frameGeometry().topLeft(), size);
    if (m_position == poScreenCenter)
        outer.moveTopLeft(area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2));
    switch (m_align) {
    case alTop:
        return QRect(area.left(), area.top(), area.width(), size.height());
    case alBottom:
        return QRect(area.left(), area.top() + area.height() - size.height(), area.width(), size.height());
    case alLeft:
        return QRect(area.left(), area.top(), size.width(), area.height());
    case alRight:
        return QRect(area.left() + area.width() - size.width(), area.top(), size.width(), area.height());
    case alClient:
        return area;
    case alNone:
    case alCustom:
        break;
    }
    return outer;
}

void TForm::FitNormal()
{
    const QMargins frame = FrameMargins(this);
    setGeometry(NormalBounds().marginsRemoved(frame));
}

bool TForm::Aligned() const
{
    return m_align != alNone && m_align != alCustom;
}

bool TForm::ShownNormal() const
{
    return !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

void TForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Restored from maximized or minimized. The window system may place the window again after
    // the state change, and give it another frame without moving it: for a moment the fit is
    // checked again and again.
    if (event->type() == QEvent::WindowStateChange && Aligned() && ShownNormal()) {
        m_refitting.setRemainingTime(RefitMs);
        m_refitCheck.start(RefitCheckMs, this);
        QMetaObject::invokeMethod(this, &TForm::FitNormal, Qt::QueuedConnection);
    }
}

void TForm::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_refitCheck.timerId()) {
        QMainWindow::timerEvent(event);
        return;
    }
    if (m_refitting.hasExpired() || !ShownNormal()) {
        m_refitCheck.stop();
        return;
    }
    const QWindow *window = windowHandle();
    if (window && window->frameGeometry() != NormalBounds())
        FitNormal();
}

void TForm::ColorClientArea()
{
    QWidget *client = centralWidget();
    const QPalette own = palette();
    constexpr QPalette::ColorGroup groups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};
    if (!client || std::none_of(std::begin(groups), std::end(groups),
                                [&](QPalette::ColorGroup g) { return own.isBrushSet(g, QPalette::Window); }))
        return;
    QPalette clientPalette = client->palette();
    QPalette rest; // the application's, with the form's other stored roles
    for (const QPalette::ColorGroup group : groups) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = QPalette::ColorRole(role);
            if (!own.isBrushSet(group, r))
                continue;
            if (r == QPalette::Window)
                clientPalette.setBrush(group, r, own.brush(group, r));
            else
                rest.setBrush(group, r, own.brush(group, r));
        }
    }
    setPalette(rest);
    client->setPalette(clientPalette);
    client->setAutoFillBackground(true);
}

void TForm::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && TApplication::Instance() && TApplication::Instance()->MainForm() == this)
        QCoreApplication::quit();
}
