#include "form.h"

#include "application.h"

#include <QCloseEvent>
#include <QScreen>

#include <algorithm>
#include <iterator>

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
