#include "infoforms.h"

#include "application.h"
#include "focusmark.h"
#include "form.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QWindow>
#include <cmath>

namespace {

// A top-level window owned by the main window, kept on top, hidden on close.
void MakeOwnedWindow(QWidget *window, const QString &name, const QString &caption)
{
    window->setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->resize(320, 240);
}

// The first direct child of the main window's client area that is a board picture or derives from one.
QObject *FindBoardImage(QWidget *mainForm)
{
    auto *mainWindow = qobject_cast<QMainWindow *>(mainForm);
    QWidget *client = mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget() : mainForm;
    for (QObject *child : client->children()) {
        for (const QMetaObject *m = child->metaObject(); m; m = m->superClass()) {
            if (qstrcmp(m->className(), "TBoardImage") == 0)
                return child;
        }
    }
    return nullptr;
}

} // namespace

THelpForm::THelpForm(QWidget *owner) : QWidget(owner)
{
    MakeOwnedWindow(this, QStringLiteral("HelpForm"), QStringLiteral("Instructions for Settings utility"));
    HelpLabel = new QLabel(QStringLiteral("How to use this program"), this);
    HelpLabel->setObjectName(QStringLiteral("HelpLabel"));
    HelpRich = new QTextEdit(this);
    HelpRich->setObjectName(QStringLiteral("HelpRich"));
    FocusMark::MarkTextBox(HelpRich);
    HelpRich->setAccessibleName(QStringLiteral("Help text"));
    StartButton = new QPushButton(QStringLiteral("Start"), this);
    StartButton->setObjectName(QStringLiteral("StartButton"));
    connect(StartButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { StartButtonClick(); }); });
}

void THelpForm::StartButtonClick()
{
    hide();
    TApplication *app = TApplication::Instance();
    QWidget *mainForm = app ? app->MainForm() : nullptr;
    if (!mainForm)
        return;
    if (QObject *board = FindBoardImage(mainForm)) {
        QEvent walk{QEvent::Type(WM_STARTWALK)};
        QCoreApplication::sendEvent(board, &walk);
    }
}

void THelpForm::showEvent(QShowEvent *event)
{
    if (QWidget *owner = parentWidget()) {
        const QRect main = owner->window()->frameGeometry();
        const QRect own = frameGeometry();
        move(qMax(0, main.left() + (main.width() - own.width()) / 2),
             qMax(0, main.top() + (main.height() - own.height()) / 2));
    }
    StartButton->setFocus();
    QWidget::showEvent(event);
}

TTechForm::TTechForm(QWidget *owner) : QWidget(owner)
{
    MakeOwnedWindow(this, QStringLiteral("TechForm"), QStringLiteral("Technical Support"));
    TechMemo = new QPlainTextEdit(this);
    TechMemo->setObjectName(QStringLiteral("TechMemo"));
    FocusMark::MarkTextBox(TechMemo);
    TechMemo->setAccessibleName(QStringLiteral("Technical support"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
}

TPCIForm::TPCIForm(QWidget *owner) : QWidget(owner)
{
    MakeOwnedWindow(this, QStringLiteral("PCIForm"), QString());
    PCIMemo = new QPlainTextEdit(this);
    PCIMemo->setObjectName(QStringLiteral("PCIMemo"));
    FocusMark::MarkTextBox(PCIMemo);
    PCIMemo->setAccessibleName(QStringLiteral("Installed cards"));
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
}

QSize ScaleToScreen(const QSize &client, const QSize &screen)
{
    double f = std::min(screen.height() / 450.0, screen.width() / 800.0);
    if (f < 1.0)
        f = 1.0;
    // nearbyint rounds halves to even in the default rounding mode.
    return QSize(int(std::nearbyint(client.width() * f)), int(std::nearbyint(client.height() * f)));
}

void SetOuterSize(QWidget *window, const QSize &outer)
{
    const QMargins frame = FrameMargins(window);
    window->resize(outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
}

void BindKeyToButton(QPushButton *button, int key)
{
    auto *shortcut = new QShortcut(QKeySequence(key), button->window(), nullptr, nullptr, Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
}
