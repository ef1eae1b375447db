#pragma once

#include <form.h>
#include <jumpers.h>
#include <setupsupporter.h>

#include <QLineEdit>
#include <QRadioButton>

// The page of an 8-relay output card: the base address set with five jumpers (A5 to A9) and
// typed as hex, the IRQ chosen with one three-pin jumper.
class TRelay8Page : public TForm
{
    Q_OBJECT
    // Fields: the loader sets each to the component of the same name and class.
    Q_PROPERTY(TSetupSupporter *SetSup MEMBER SetSup)
    Q_PROPERTY(QLineEdit *BaseEdit MEMBER BaseEdit)
    Q_PROPERTY(TTwoJumper *BaseJumper5 MEMBER BaseJumper5)
    Q_PROPERTY(TTwoJumper *BaseJumper6 MEMBER BaseJumper6)
    Q_PROPERTY(TTwoJumper *BaseJumper7 MEMBER BaseJumper7)
    Q_PROPERTY(TTwoJumper *BaseJumper8 MEMBER BaseJumper8)
    Q_PROPERTY(TTwoJumper *BaseJumper9 MEMBER BaseJumper9)
    Q_PROPERTY(TThreeJumper *IRQJumper MEMBER IRQJumper)
    Q_PROPERTY(QRadioButton *IRQRadio5 MEMBER IRQRadio5)
    Q_PROPERTY(QRadioButton *IRQRadio7 MEMBER IRQRadio7)
public:
    explicit TRelay8Page(QWidget *parent = nullptr);

    TSetupSupporter *SetSup = nullptr;
    QLineEdit *BaseEdit = nullptr;
    TTwoJumper *BaseJumper5 = nullptr;
    TTwoJumper *BaseJumper6 = nullptr;
    TTwoJumper *BaseJumper7 = nullptr;
    TTwoJumper *BaseJumper8 = nullptr;
    TTwoJumper *BaseJumper9 = nullptr;
    TThreeJumper *IRQJumper = nullptr;
    QRadioButton *IRQRadio5 = nullptr;
    QRadioButton *IRQRadio7 = nullptr;

    // The base address the jumpers are set to.
    int BaseAddress() const;

public slots:
    // Handlers: the layout names them in its events; each takes the component as Sender.
    void Exit1Click(QObject *Sender);
    void BaseEditChange(QObject *Sender);
    void BaseJumperClick(QObject *Sender);
    void IRQJumperClick(QObject *Sender);
    void IRQRadioClick(QObject *Sender);

private:
    TTwoJumper *BaseJumper(int bit) const;
};
