#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <future>

// The application object: owns the idle event, runs the main form and reports
// exceptions that escape event handlers through one standard error display.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    using TIdleEvent = std::function<void(QObject *Sender, bool &Done)>;
    using TErrorDisplay = std::function<void(const QString &message)>;

    TApplication(int &argc, char **argv);

    static TApplication *Instance();

    // Called each time the message queue has become empty; Done preset to true. A paint still
    // on its way counts as a message: while the main form that Run showed waits for its window
    // to be exposed, idle time waits too (for at most FirstPaintWaitMs).
    void SetOnIdle(TIdleEvent handler) { m_onIdle = std::move(handler); }
    bool OnIdleAssigned() const { return bool(m_onIdle); }

    QWidget *MainForm() const { return m_mainForm; }
    void SetMainForm(QWidget *form) { m_mainForm = form; }
    static constexpr int FirstPaintWaitMs = 1000;
    // Shows the main form as its stored window state asks and runs the event loop
    // until the main form closes.
    int Run(QWidget *mainForm);

    bool notify(QObject *receiver, QEvent *event) override;

    // The framework's default font, the one the layouts were drawn with.
    static QFont LayoutFont();

    // The standard error display: a critical message box unless a display is set.
    void ShowException(const QString &message);
    void SetErrorDisplay(TErrorDisplay display) { m_errorDisplay = std::move(display); }
    bool ShowingException() const { return m_showingException > 0; }

    // Waits until the layout's fonts are registered; call before the first window is built.
    void AwaitFonts();

protected:
    bool event(QEvent *event) override;

private:
    void Idle();
    bool MainFormAwaitsPaint();

    // Registers the layout's fonts and reads the font database on a worker thread while the
    // main form's layout is prepared (the database is thread-safe); a member, so it is joined
    // before the application goes.
    std::future<void> m_fontDatabaseRead;
    TIdleEvent m_onIdle;
    TErrorDisplay m_errorDisplay;
    QPointer<QWidget> m_mainForm;
    int m_showingException = 0;
    bool m_firstPaintWaitOver = true;
};

// Runs an event handler, reporting any exception through the application's error display.
void RunGuarded(const std::function<void()> &handler);
