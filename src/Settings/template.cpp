#include "template.h"

#include "application.h"
#include "exceptions.h"
#include "formloader.h"
#include "infoforms.h"

namespace {

void ShowWindow(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

// A sender of the class a handler is bound for, or the invalid-typecast error.
template <typename T>
T *As(QObject *sender)
{
    if (auto *typed = qobject_cast<T *>(sender))
        return typed;
    throw EInvalidCast();
}

QString Hex(quint32 value)
{
    return QString::number(value, 16).toUpper();
}

// The edit's background: the window colour, or with ParentColor its panel's colour.
void SetEditBackground(QLineEdit *edit, bool parentColor)
{
    QPalette palette = edit->palette();
    QColor colour = QApplication::palette().color(QPalette::Base);
    if (auto *panel = qobject_cast<TRadioPanel *>(edit->parentWidget()); parentColor && panel)
        colour = ColorToQColor(panel->Color(), panel);
    palette.setColor(QPalette::Base, colour);
    edit->setPalette(palette);
}

// Both jumpers of a pair in one state, the first first.
void SetPair(TThreeJumper *first, TThreeJumper *second, TJumperControl::TJumperState state)
{
    first->SetJumperState(state);
    second->SetJumperState(state);
}

TJumperControl::TJumperState LeftIf(bool left)
{
    return left ? TJumperControl::jsLeft : TJumperControl::jsRight;
}

} // namespace

std::optional<quint32> ReadHexAddress(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    quint32 value = 0;
    int significant = 0;
    for (const QChar c : text) {
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                          : (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ? c.unicode() - 'a' + 10
                          : (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ? c.unicode() - 'A' + 10
                                                                              : -1;
        if (digit < 0)
            return std::nullopt;
        if (significant > 0 || digit > 0)
            ++significant;
        if (significant > 8)
            return std::nullopt;
        value = (value << 4) | quint32(digit);
    }
    return value;
}

QString StripLeadingZeros(const QString &text)
{
    int first = 0;
    while (first < text.size() - 1 && text.at(first) == QLatin1Char('0'))
        ++first;
    return text.mid(first);
}

TMainForm::TMainForm(QWidget *parent) : TForm(parent)
{
    TFormLoader(this).Load(QStringLiteral(":/layout/MainForm.ui"));
}

TMainForm::TMainForm(const QByteArray &layout, QWidget *parent) : TForm(parent)
{
    TFormLoader(this).Load(layout);
}

void TMainForm::FormCreate(QObject *)
{
    IRQJumpers = {IRQJumper3,  IRQJumper4,  IRQJumper5,  IRQJumper6,  IRQJumper7, IRQJumper9,
                  IRQJumper10, IRQJumper11, IRQJumper12, IRQJumper14, IRQJumper15};

    if (TApplication *app = TApplication::Instance()) {
        QPointer<TSetupSupporter> supporter = SetSup;
        app->SetOnIdle([supporter](QObject *sender, bool &done) {
            if (supporter)
                supporter->ApplicationIdle(sender, done);
        });
    }
}

void TMainForm::Exit2Click(QObject *)
{
    close();
}

void TMainForm::Howtousethisprogram1Click(QObject *)
{
    ShowWindow(SetSup ? SetSup->HelpForm() : nullptr);
}

void TMainForm::TechnicalSupport1Click(QObject *)
{
    ShowWindow(SetSup ? SetSup->TechForm() : nullptr);
}

void TMainForm::BaseEditChange(QObject *)
{
    // Setting the text raises this handler again, which does the whole work for "0".
    if (BaseEdit->text().isEmpty())
        BaseEdit->setText(QStringLiteral("0"));
    const QString text = BaseEdit->text();
    const std::optional<quint32> value = ReadHexAddress(text);
    if (!value) {
        SetEditBackground(BaseEdit, true);
        return;
    }
    const quint32 settable = *value & 0x3E0;
    const QString entered = StripLeadingZeros(text.trimmed()).toUpper();
    BaseLabelFeedback->setText(entered != Hex(settable) ? Hex(settable) : QString());
    const std::array<TTwoJumper *, 5> jumpers = {BaseJumper5, BaseJumper6, BaseJumper7, BaseJumper8, BaseJumper9};
    for (int bit = 5; bit <= 9; ++bit)
        jumpers[bit - 5]->SetClosed((settable & (1u << bit)) == 0);
    SetEditBackground(BaseEdit, false);
}

void TMainForm::BaseJumperClick(QObject *)
{
    const std::array<TTwoJumper *, 5> jumpers = {BaseJumper5, BaseJumper6, BaseJumper7, BaseJumper8, BaseJumper9};
    quint32 address = 0;
    for (int bit = 5; bit <= 9; ++bit) {
        if (!jumpers[bit - 5]->Closed())
            address += 1u << bit;
    }
    BaseEdit->setText(Hex(address));
}

void TMainForm::IRQPanelEnter(QObject *)
{
    IRQCombo->setCurrentIndex(3);
}

void TMainForm::IRQComboChange(QObject *)
{
    for (int k = 0; k < int(IRQJumpers.size()); ++k)
        IRQJumpers[k]->SetClosed(IRQCombo->currentIndex() - 1 == k);
}

void TMainForm::IRQJumperClick(QObject *Sender)
{
    TTwoJumper *jumper = As<TTwoJumper>(Sender);
    IRQCombo->setCurrentIndex(jumper->Closed() ? jumper->Tag() : 0);
    IRQComboChange(Sender);
}

void TMainForm::DACRangePanelEnter(QObject *)
{
    DACRangeBoxA->setCurrentIndex(0);
    DACRangeBoxB->setCurrentIndex(0);
}

void TMainForm::DARangeJumperAClick(QObject *Sender)
{
    DACRangeBoxA->setCurrentIndex(As<TTwoJumper>(Sender)->Tag());
    DACRangeBoxAChange(Sender);
}

void TMainForm::DARangeJumperBClick(QObject *Sender)
{
    DACRangeBoxB->setCurrentIndex(As<TTwoJumper>(Sender)->Tag());
    DACRangeBoxBChange(Sender);
}

void TMainForm::DACRangeBoxAChange(QObject *)
{
    DARangeJumperA5->SetClosed(DACRangeBoxA->currentIndex() == 0);
    DARangeJumperAA->SetClosed(DACRangeBoxA->currentIndex() != 0);
}

void TMainForm::DACRangeBoxBChange(QObject *)
{
    DARangeJumperB5->SetClosed(DACRangeBoxB->currentIndex() == 0);
    DARangeJumperBA->SetClosed(DACRangeBoxB->currentIndex() != 0);
}

void TMainForm::SEDiffPanelEnter(QObject *)
{
    SEDiffBox->setCurrentIndex(0);
}

void TMainForm::SeDiffClick(QObject *Sender)
{
    SEDiffBox->setCurrentIndex(As<TThreeJumper>(Sender)->JumperState() == TJumperControl::jsRight ? 1 : 0);
    SEDiffBoxChange(Sender);
}

void TMainForm::SEDiffBoxChange(QObject *)
{
    SetPair(SeDiff1, SeDiff2, LeftIf(SEDiffBox->currentIndex() == 0));
}

void TMainForm::ADRangePanelEnter(QObject *Sender)
{
    ADRangeBox->setCurrentIndex(0);
    ADRangeBoxChange(Sender);
}

void TMainForm::ADRangeBoxChange(QObject *)
{
    int index = ADRangeBox->currentIndex();
    if (index == -1) {
        ADRangeBox->setCurrentIndex(0);
        index = 0;
    }
    SetPair(ADRangeJumperU0, ADRangeJumperU1, LeftIf(index & 2));
    SetPair(ADRangeJumperA0, ADRangeJumperA1, LeftIf(index & 1));
}

// The clicked jumper's partner takes its state; both pairs on jsLeft is forbidden, so the other
// pair goes to jsRight; then the list shows the jumpers' two-bit code.
void TMainForm::ADRangeJumperClicked(TThreeJumper *clicked, TThreeJumper *partner, TThreeJumper *other,
                                     TThreeJumper *otherPartner)
{
    partner->SetJumperState(clicked->JumperState());
    const bool uLeft = ADRangeJumperU0->JumperState() == TJumperControl::jsLeft;
    const bool aLeft = ADRangeJumperA0->JumperState() == TJumperControl::jsLeft;
    if (uLeft && aLeft)
        SetPair(other, otherPartner, TJumperControl::jsRight);
    ADRangeBox->setCurrentIndex((ADRangeJumperA0->JumperState() == TJumperControl::jsLeft ? 1 : 0) +
                                (ADRangeJumperU0->JumperState() == TJumperControl::jsLeft ? 2 : 0));
}

void TMainForm::ADRangeJumperU0Click(QObject *)
{
    ADRangeJumperClicked(ADRangeJumperU0, ADRangeJumperU1, ADRangeJumperA0, ADRangeJumperA1);
}

void TMainForm::ADRangeJumperU1Click(QObject *)
{
    ADRangeJumperClicked(ADRangeJumperU1, ADRangeJumperU0, ADRangeJumperA0, ADRangeJumperA1);
}

void TMainForm::ADRangeJumperA0Click(QObject *)
{
    ADRangeJumperClicked(ADRangeJumperA0, ADRangeJumperA1, ADRangeJumperU0, ADRangeJumperU1);
}

void TMainForm::ADRangeJumperA1Click(QObject *)
{
    ADRangeJumperClicked(ADRangeJumperA1, ADRangeJumperA0, ADRangeJumperU0, ADRangeJumperU1);
}

void TMainForm::PowRadioClick(QObject *)
{
    PowerJumperTop->SetJumperState(PowRadio104->isChecked() ? TJumperControl::jsRight : TJumperControl::jsLeft);
    PowerJumperBot->SetJumperState(PowerJumperTop->JumperState());
}

void TMainForm::PowerJumperClick(QObject *Sender)
{
    // Checking a radio button that was not checked runs PowRadioClick first.
    if (As<TThreeJumper>(Sender)->JumperState() == TJumperControl::jsLeft) {
        PowRadioP3->setChecked(true);
        SetPair(PowerJumperTop, PowerJumperBot, TJumperControl::jsLeft);
    } else {
        PowRadio104->setChecked(true);
        SetPair(PowerJumperTop, PowerJumperBot, TJumperControl::jsRight);
    }
}
