#pragma once

#include <QMainWindow>

// A page's main window: a main window whose stored window state and position say how
// it is first shown. Closing the application's main form ends the program.
class TForm : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(TWindowState WindowState READ WindowState WRITE SetWindowState)
    Q_PROPERTY(TPosition Position READ Position WRITE SetPosition)
public:
    enum TWindowState { wsNormal, wsMinimized, wsMaximized };
    Q_ENUM(TWindowState)
    enum TPosition { poDesigned, poDefault, poScreenCenter };
    Q_ENUM(TPosition)

    explicit TForm(QWidget *parent = nullptr);

    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState value) { m_windowState = value; }
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition value) { m_position = value; }

    void ShowAsStored();
    // The stored Color is the client area's: the central widget takes the form's window
    // colour and paints it, the menu bar keeps the application's (a dark theme's light text
    // stays on its dark bar). Called once the layout is read.
    void ColorClientArea();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    TWindowState m_windowState = wsNormal;
    TPosition m_position = poDesigned;
};
