#pragma once
/// @file
/// A page's main window.

#include <QBasicTimer>
#include <QDeadlineTimer>
#include <QMainWindow>

/// A page's main window: a main window whose stored window state, position and alignment say
/// how it is first shown. Its stored size is its outer size, frame and caption included; Align
/// fits the window to its side of the desktop work area whenever it is shown normal (not
/// maximized or minimized). Closing the application's main form ends the program.
class TForm : public QMainWindow
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    ///@}
public:
    /// How the window is first shown.
    enum TWindowState { wsNormal, wsMinimized, wsMaximized };
    Q_ENUM(TWindowState)
    /// Where the window is first shown: as stored, where the window manager puts it, centred.
    enum TPosition { poDesigned, poDefault, poScreenCenter };
    Q_ENUM(TPosition)
    /// The side of the desktop work area the window fits itself to; alNone keeps its place.
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
    Q_ENUM(TAlign)

    /// A window with no parent is a top-level window.
    explicit TForm(QWidget *parent = nullptr);

    /// @name Stored state
    ///@{

    /// The properties a layout stores; they take effect when the window is shown.
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState value) { m_windowState = value; }
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition value) { m_position = value; }
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign value) { m_align = value; }
    ///@}

    /// Shows the window as WindowState, Position and Align ask.
    void ShowAsStored();
    /// The stored Color is the client area's: the central widget takes the form's window
    /// colour and paints it, the menu bar keeps the application's (a dark theme's light text
    /// stays on its dark bar). Called once the layout is read.
    void ColorClientArea();

protected:
    /// @name Qt event handlers
    ///@{

    /// Reimplemented from Qt.
    void timerEvent(QTimerEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    ///@}

private:
    /// The outer bounds of the normal state, and giving the window them.
    QRect NormalBounds() const;
    void FitNormal();
    bool Aligned() const;
    bool ShownNormal() const;

    TWindowState m_windowState = wsNormal;
    TPosition m_position = poDesigned;
    TAlign m_align = alNone;
    QSize m_storedOuter; // taken from the stored size when first shown
    static constexpr int RefitMs = 2000;
    static constexpr int RefitCheckMs = 25;
    QDeadlineTimer m_refitting; // until then a restored window is kept fitted
    QBasicTimer m_refitCheck;
};

/// The window frame's margins as the windowing system reports them; none while it reports none.
QMargins FrameMargins(QWidget *window);
