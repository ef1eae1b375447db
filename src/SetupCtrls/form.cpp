#include "form.h"

#include "application.h"
#include "infoforms.h"

#include <QCloseEvent>
#include <QScreen>

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

void TForm::FitNormal()
{
    const QMargins frame = FrameMargins(this);
    const QRect area = screen()->availableGeometry();
    const QSize size = m_storedOuter.isEmpty() ? frameGeometry().size() : m_storedOuter;
    QRect outer(frameGeometry().topLeft(), size);
    if (m_position == poScreenCenter)
        outer.moveTopLeft(area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2));
    switch (m_align) {
    case alTop:
        outer = QRect(area.left(), area.top(), area.width(), size.height());
        break;
    case alBottom:
        outer = QRect(area.left(), area.top() + area.height() - size.height(), area.width(), size.height());
        break;
    case alLeft:
        outer = QRect(area.left(), area.top(), size.width(), area.height());
        break;
    case alRight:
        outer = QRect(area.left() + area.width() - size.width(), area.top(), size.width(), area.height());
        break;
    case alClient:
        outer = area;
        break;
    case alNone:
    case alCustom:
        break;
    }
    setGeometry(outer.marginsRemoved(frame));
}

void TForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Restored from maximized or minimized: once the window system has placed the window.
    if (event->type() == QEvent::WindowStateChange && m_align != alNone && m_align != alCustom &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        QMetaObject::invokeMethod(this, &TForm::FitNormal, Qt::QueuedConnection);
}

void TForm::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && TApplication::Instance() && TApplication::Instance()->MainForm() == this)
        QCoreApplication::quit();
}
