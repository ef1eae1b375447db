#include "application.h"

#include "designfonts.h"
#include "form.h"

#include <QAbstractEventDispatcher>
#include <QFontDatabase>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <utility>

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // The main form alone decides when the program ends (help and popup windows may stay open).
    setQuitOnLastWindowClosed(false);
    // The framework's default font, taken by the windows built without a stored layout (the
    // popups that host the page's panels, the help and support windows): the layouts were
    // drawn with it.
    setFont(LayoutFont());
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TApplication::Idle);
    m_fontDatabaseRead = std::async(std::launch::async, [ratio = devicePixelRatio()] {
        DesignFonts::Install(DesignFonts::WineDirectory(), ratio);
        QFontDatabase::families();
    });
}

QFont TApplication::LayoutFont()
{
    return QFont(DesignFonts::LayoutFamily(), 8);
}

bool TApplication::event(QEvent *event)
{
    // A platform theme that sets the application's font (qt6ct does, after start-up) gives way
    // to the layout font again, once the change has been handed to every window.
    if (event->type() == QEvent::ApplicationFontChange && font() != LayoutFont()) {
        QMetaObject::invokeMethod(this, [] {
            if (font() != LayoutFont())
                setFont(LayoutFont());
        }, Qt::QueuedConnection);
    }
    return QApplication::event(event);
}

void TApplication::AwaitFonts()
{
    if (m_fontDatabaseRead.valid())
        m_fontDatabaseRead.get();
}

TApplication *TApplication::Instance()
{
    return qobject_cast<TApplication *>(QCoreApplication::instance());
}

int TApplication::Run(QWidget *mainForm)
{
    m_mainForm = mainForm;
    m_firstPaintWaitOver = false;
    QTimer::singleShot(FirstPaintWaitMs, this, [this] { m_firstPaintWaitOver = true; });
    if (auto *form = qobject_cast<TForm *>(mainForm))
        form->ShowAsStored();
    else
        mainForm->show();
    return exec();
}

// The window system's expose event brings the first paint; the wait ends with it, when the
// form is not to be exposed (hidden, minimized) or when the time is over.
bool TApplication::MainFormAwaitsPaint()
{
    if (m_firstPaintWaitOver)
        return false;
    const QWindow *window = m_mainForm ? m_mainForm->windowHandle() : nullptr;
    if (window && window->isExposed()) {
        // The painted frame may still wait in the window system's queue (under a window manager
        // that syncs frames it is not flushed at once): it goes to the screen before idle work.
        sync();
        m_firstPaintWaitOver = true;
    } else if (!window || !m_mainForm->isVisible() || m_mainForm->isMinimized()) {
        m_firstPaintWaitOver = true;
    }
    return !m_firstPaintWaitOver;
}

void TApplication::Idle()
{
    if ((!m_onIdle && m_afterFirstPaint.empty()) || MainFormAwaitsPaint())
        return;
    for (const auto &handler : std::exchange(m_afterFirstPaint, {}))
        RunGuarded(handler);
    if (!m_onIdle)
        return;
    bool done = true;
    // Copy first: the handler may clear OnIdle while it runs.
    const TIdleEvent handler = m_onIdle;
    RunGuarded([&] { handler(this, done); });
    if (!done)
        QAbstractEventDispatcher::instance()->wakeUp();
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ShowException(QString::fromStdString(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown exception"));
    }
    return false;
}

void TApplication::ShowException(const QString &message)
{
    ++m_showingException;
    if (m_errorDisplay)
        m_errorDisplay(message);
    else
        QMessageBox::critical(activeWindow(), applicationDisplayName(), message);
    --m_showingException;
}

void RunGuarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        if (TApplication *app = TApplication::Instance())
            app->ShowException(QString::fromStdString(e.what()));
    } catch (...) {
        if (TApplication *app = TApplication::Instance())
            app->ShowException(QStringLiteral("Unknown exception"));
    }
}
