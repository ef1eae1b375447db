#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

// The support component's windows, built in code: each only names its children.

// "How to use this program"; centred over its owner's window each time it is shown.
class THelpForm : public QWidget
{
    Q_OBJECT
public:
    explicit THelpForm(QWidget *owner);

    QTextEdit *HelpRich;
    QLabel *HelpLabel;
    QPushButton *StartButton;

public slots:
    void StartButtonClick();

protected:
    void showEvent(QShowEvent *event) override;
};

class TTechForm : public QWidget
{
    Q_OBJECT
public:
    explicit TTechForm(QWidget *owner);

    QPlainTextEdit *TechMemo;
    QPushButton *CloseButton;
};

class TPCIForm : public QWidget
{
    Q_OBJECT
public:
    explicit TPCIForm(QWidget *owner);

    QPlainTextEdit *PCIMemo;
    QPushButton *CloseButton;
};

// Delivered synchronously to the board picture to start the guided walk.
constexpr int WM_STARTWALK = 0x4A2;

// Client size of a window scaled to the screen: by the smaller of height / 450 and
// width / 800, never below 1, each side rounded to nearest with halves to even.
QSize ScaleToScreen(const QSize &client, const QSize &screen);

// Gives a window the outer size, frame included.
void SetOuterSize(QWidget *window, const QSize &outer);

// Makes a key press the given button, whichever child has the focus.
void BindKeyToButton(QPushButton *button, int key);
