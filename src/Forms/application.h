#pragma once
/// @file
/// The application object.

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <future>
#include <vector>

/// The application object: owns the idle event, runs the main form and reports
/// exceptions that escape event handlers through one standard error display.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    /// The idle handler: Done false asks to be called again before the queue next empties.
    using TIdleEvent = std::function<void(QObject *Sender, bool &Done)>;
    /// Shows the message of an exception that escaped a handler.
    using TErrorDisplay = std::function<void(const QString &message)>;

    /// Takes the command line as QApplication does.
    TApplication(int &argc, char **argv);

    /// The application object; nullptr when there is none or it is not a TApplication.
    static TApplication *Instance();

    /// Called each time the message queue has become empty; Done preset to true. A paint still
    /// on its way counts as a message: while the main form that Run showed waits for its window
    /// to be exposed, idle time waits too (for at most FirstPaintWaitMs).
    void SetOnIdle(TIdleEvent handler) { m_onIdle = std::move(handler); }
    /// Whether an idle handler is set.
    bool OnIdleAssigned() const { return bool(m_onIdle); }
    /// Runs the handler once, at the first idle time after the main form's first paint (before
    /// the idle handler): for start-up work that would hold back the window's first showing.
    void AfterFirstPaint(std::function<void()> handler) { m_afterFirstPaint.push_back(std::move(handler)); }

    /// @name Main form
    ///@{

    /// The window whose closing ends the program; set by Run.
    QWidget *MainForm() const { return m_mainForm; }
    void SetMainForm(QWidget *form) { m_mainForm = form; }
    ///@}
    /// The longest idle time waits for the main form's first paint, in milliseconds.
    static constexpr int FirstPaintWaitMs = 1000;
    /// Shows the main form as its stored window state asks and runs the event loop
    /// until the main form closes.
    int Run(QWidget *mainForm);

    /// Delivers the event; an exception a handler throws is shown by ShowException.
    bool notify(QObject *receiver, QEvent *event) override;

    /// The framework's default font, the one the layouts were drawn with.
    static QFont LayoutFont();

    /// The standard error display: a critical message box unless a display is set.
    void ShowException(const QString &message);
    /// Replaces the message box of ShowException, e.g. in tests.
    void SetErrorDisplay(TErrorDisplay display) { m_errorDisplay = std::move(display); }
    /// Whether an exception's message is being shown.
    bool ShowingException() const { return m_showingException > 0; }

    /// Waits until the layout's fonts are registered; call before the first window is built.
    void AwaitFonts();

protected:
    /// Restores the layout font after a platform theme changed the application's font.
    bool event(QEvent *event) override;

private:
    void Idle();
    bool MainFormAwaitsPaint();

    /// Registers the layout's fonts and reads the font database on a worker thread while the
    /// main form's layout is prepared (the database is thread-safe); a member, so it is joined
    /// before the application goes.
    std::future<void> m_fontDatabaseRead;
    TIdleEvent m_onIdle;
    std::vector<std::function<void()>> m_afterFirstPaint;
    TErrorDisplay m_errorDisplay;
    QPointer<QWidget> m_mainForm;
    int m_showingException = 0;
    bool m_firstPaintWaitOver = true;
};

/// Runs an event handler, reporting any exception through the application's error display.
void RunGuarded(const std::function<void()> &handler);
