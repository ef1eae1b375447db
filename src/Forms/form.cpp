#include "form.h"

#include "application.h"

#include <QCloseEvent>
#include <QScreen>

TForm::TForm(QWidget *parent) : QMainWindow(parent) {}

void TForm::ShowAsStored()
{
    if (m_position == poScreenCenter) {
        const QRect screen = this->screen()->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
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

void TForm::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted() && TApplication::Instance() && TApplication::Instance()->MainForm() == this)
        QCoreApplication::quit();
}
