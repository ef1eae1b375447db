#include "relay8page.h"

#include <formloader.h>

TRelay8Page::TRelay8Page(QWidget *parent) : TForm(parent)
{
    // The layout is compiled in as a resource.
    TFormLoader(this).Load(QStringLiteral(":/relay8/relay8.ui"));
}

TTwoJumper *TRelay8Page::BaseJumper(int bit) const
{
    TTwoJumper *const jumpers[] = {BaseJumper5, BaseJumper6, BaseJumper7, BaseJumper8, BaseJumper9};
    return jumpers[bit - 5];
}

// A closed jumper is an address bit of 0.
int TRelay8Page::BaseAddress() const
{
    int address = 0;
    for (int bit = 5; bit <= 9; ++bit) {
        if (!BaseJumper(bit)->Closed())
            address |= 1 << bit;
    }
    return address;
}

void TRelay8Page::Exit1Click(QObject *)
{
    close();
}

void TRelay8Page::BaseEditChange(QObject *)
{
    bool ok = false;
    const int address = BaseEdit->text().toInt(&ok, 16);
    if (!ok || address < 0 || address > 0x3E0 || address % 0x20 != 0)
        return; // not an address the card can take: the jumpers stay as they are
    for (int bit = 5; bit <= 9; ++bit)
        BaseJumper(bit)->SetClosed(!(address & (1 << bit)));
}

void TRelay8Page::BaseJumperClick(QObject *)
{
    BaseEdit->setText(QString::number(BaseAddress(), 16).toUpper());
}

void TRelay8Page::IRQJumperClick(QObject *)
{
    const bool irq5 = IRQJumper->JumperState() == TJumperControl::jsLeft;
    (irq5 ? IRQRadio5 : IRQRadio7)->setChecked(true);
}

void TRelay8Page::IRQRadioClick(QObject *Sender)
{
    IRQJumper->SetJumperState(Sender == IRQRadio5 ? TJumperControl::jsLeft : TJumperControl::jsRight);
}
