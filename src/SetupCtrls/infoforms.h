#pragma once
/// @file
/// The support component's windows and the helpers that size them.

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

/// "How to use this program", one of the support component's windows, built in code; centred over its owner's window each time it is shown.
class THelpForm : public QWidget
{
    Q_OBJECT
public:
    /// The window of owner's page.
    explicit THelpForm(QWidget *owner);

    /// @name Children
    ///@{

    /// The help text, the line below it and the button that starts the guided walk.
    QTextEdit *HelpRich;
    QLabel *HelpLabel;
    QPushButton *StartButton;
    ///@}

public slots:
    /// Hides the window and starts the walk on the main form's board picture.
    void StartButtonClick();

protected:
    /// Centres the window over its owner's.
    void showEvent(QShowEvent *event) override;
};

/// The technical-support window.
class TTechForm : public QWidget
{
    Q_OBJECT
public:
    /// The window of owner's page.
    explicit TTechForm(QWidget *owner);

    QPlainTextEdit *TechMemo; ///< The support text.
    QPushButton *CloseButton; ///< Hides the window.
};

/// The installed-cards window.
class TPCIForm : public QWidget
{
    Q_OBJECT
public:
    /// The window of owner's page.
    explicit TPCIForm(QWidget *owner);

    QPlainTextEdit *PCIMemo;  ///< One line per installed card.
    QPushButton *CloseButton; ///< Hides the window.
};

/// Delivered synchronously to the board picture to start the guided walk.
constexpr int WM_STARTWALK = 0x4A2;

/// Client size of a window scaled to the screen: by the smaller of height / 450 and
/// width / 800, never below 1, each side rounded to nearest with halves to even.
QSize ScaleToScreen(const QSize &client, const QSize &screen);

/// Gives a window the outer size, frame included.
void SetOuterSize(QWidget *window, const QSize &outer);

/// Makes a key press the given button, whichever child has the focus.
void BindKeyToButton(QPushButton *button, int key);
