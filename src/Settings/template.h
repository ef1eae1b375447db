#pragma once

#include "form.h"
#include "setupsupporter.h"

#include <QAction>
#include <QMenuBar>
#include <array>

// The card's main window: the board page read from its stored layout, the menu commands
// and the handlers that keep each option group's setting and jumpers in step.
class TMainForm : public TForm
{
    Q_OBJECT
    Q_PROPERTY(QMenuBar *MainMenu1 MEMBER MainMenu1)
    Q_PROPERTY(QAction *Exit2 MEMBER Exit2)
    Q_PROPERTY(QAction *Howtousethisprogram1 MEMBER Howtousethisprogram1)
    Q_PROPERTY(QAction *TechnicalSupport1 MEMBER TechnicalSupport1)
    Q_PROPERTY(TSetupSupporter *SetSup MEMBER SetSup)
public:
    explicit TMainForm(QWidget *parent = nullptr);

    QMenuBar *MainMenu1 = nullptr;
    QAction *Exit2 = nullptr;
    QAction *Howtousethisprogram1 = nullptr;
    QAction *TechnicalSupport1 = nullptr;
    TSetupSupporter *SetSup = nullptr;

    // The IRQ jumpers in the order of the IRQ list's entries 1 to 11.
    std::array<QObject *, 11> IRQJumpers{};

public slots:
    void FormCreate(QObject *Sender);
    void Exit2Click(QObject *Sender);
    void Howtousethisprogram1Click(QObject *Sender);
    void TechnicalSupport1Click(QObject *Sender);
};
