#pragma once

#include "boardhighlight.h"
#include "boardimage.h"
#include "form.h"
#include "jumpers.h"
#include "radiopanel.h"
#include "setupsupporter.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <array>
#include <optional>

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

    Q_PROPERTY(TRadioPanel *BasePanel MEMBER BasePanel)
    Q_PROPERTY(QLineEdit *BaseEdit MEMBER BaseEdit)
    Q_PROPERTY(QLabel *BaseLabelFeedback MEMBER BaseLabelFeedback)
    Q_PROPERTY(TTwoJumper *BaseJumper5 MEMBER BaseJumper5)
    Q_PROPERTY(TTwoJumper *BaseJumper6 MEMBER BaseJumper6)
    Q_PROPERTY(TTwoJumper *BaseJumper7 MEMBER BaseJumper7)
    Q_PROPERTY(TTwoJumper *BaseJumper8 MEMBER BaseJumper8)
    Q_PROPERTY(TTwoJumper *BaseJumper9 MEMBER BaseJumper9)

    Q_PROPERTY(QComboBox *IRQCombo MEMBER IRQCombo)
    Q_PROPERTY(TTwoJumper *IRQJumper3 MEMBER IRQJumper3)
    Q_PROPERTY(TTwoJumper *IRQJumper4 MEMBER IRQJumper4)
    Q_PROPERTY(TTwoJumper *IRQJumper5 MEMBER IRQJumper5)
    Q_PROPERTY(TTwoJumper *IRQJumper6 MEMBER IRQJumper6)
    Q_PROPERTY(TTwoJumper *IRQJumper7 MEMBER IRQJumper7)
    Q_PROPERTY(TTwoJumper *IRQJumper9 MEMBER IRQJumper9)
    Q_PROPERTY(TTwoJumper *IRQJumper10 MEMBER IRQJumper10)
    Q_PROPERTY(TTwoJumper *IRQJumper11 MEMBER IRQJumper11)
    Q_PROPERTY(TTwoJumper *IRQJumper12 MEMBER IRQJumper12)
    Q_PROPERTY(TTwoJumper *IRQJumper14 MEMBER IRQJumper14)
    Q_PROPERTY(TTwoJumper *IRQJumper15 MEMBER IRQJumper15)

    Q_PROPERTY(QComboBox *DACRangeBoxA MEMBER DACRangeBoxA)
    Q_PROPERTY(QComboBox *DACRangeBoxB MEMBER DACRangeBoxB)
    Q_PROPERTY(TTwoJumper *DARangeJumperA5 MEMBER DARangeJumperA5)
    Q_PROPERTY(TTwoJumper *DARangeJumperAA MEMBER DARangeJumperAA)
    Q_PROPERTY(TTwoJumper *DARangeJumperB5 MEMBER DARangeJumperB5)
    Q_PROPERTY(TTwoJumper *DARangeJumperBA MEMBER DARangeJumperBA)

    Q_PROPERTY(QComboBox *SEDiffBox MEMBER SEDiffBox)
    Q_PROPERTY(TThreeJumper *SeDiff1 MEMBER SeDiff1)
    Q_PROPERTY(TThreeJumper *SeDiff2 MEMBER SeDiff2)

    Q_PROPERTY(QComboBox *ADRangeBox MEMBER ADRangeBox)
    Q_PROPERTY(TThreeJumper *ADRangeJumperU0 MEMBER ADRangeJumperU0)
    Q_PROPERTY(TThreeJumper *ADRangeJumperU1 MEMBER ADRangeJumperU1)
    Q_PROPERTY(TThreeJumper *ADRangeJumperA0 MEMBER ADRangeJumperA0)
    Q_PROPERTY(TThreeJumper *ADRangeJumperA1 MEMBER ADRangeJumperA1)

    Q_PROPERTY(QRadioButton *PowRadio104 MEMBER PowRadio104)
    Q_PROPERTY(QRadioButton *PowRadioP3 MEMBER PowRadioP3)
    Q_PROPERTY(TThreeJumper *PowerJumperTop MEMBER PowerJumperTop)
    Q_PROPERTY(TThreeJumper *PowerJumperBot MEMBER PowerJumperBot)

    Q_PROPERTY(QMenu *File1 MEMBER File1)
    Q_PROPERTY(QMenu *Help1 MEMBER Help1)
    Q_PROPERTY(TBoardImage *BoardImage1 MEMBER BoardImage1)
    Q_PROPERTY(TBoardHighlight *BaseHighlight MEMBER BaseHighlight)
    Q_PROPERTY(TBoardHighlight *IRQHighlight MEMBER IRQHighlight)
    Q_PROPERTY(TBoardHighlight *IRQHighlight9 MEMBER IRQHighlight9)
    Q_PROPERTY(TBoardHighlight *DIOHighlight MEMBER DIOHighlight)
    Q_PROPERTY(TBoardHighlight *AIOHighlight MEMBER AIOHighlight)
    Q_PROPERTY(TBoardHighlight *DACRangeHighlight MEMBER DACRangeHighlight)
    Q_PROPERTY(TBoardHighlight *SeDiffHighlight MEMBER SeDiffHighlight)
    Q_PROPERTY(TBoardHighlight *UniHighlight MEMBER UniHighlight)
    Q_PROPERTY(TBoardHighlight *CTRHighlight MEMBER CTRHighlight)
    Q_PROPERTY(TBoardHighlight *PowHighlight MEMBER PowHighlight)
    Q_PROPERTY(TRadioPanel *DIOPanel MEMBER DIOPanel)
    Q_PROPERTY(TRadioPanel *AIOPanel MEMBER AIOPanel)
    Q_PROPERTY(TRadioPanel *DACRangePanel MEMBER DACRangePanel)
    Q_PROPERTY(TRadioPanel *SEDiffPanel MEMBER SEDiffPanel)
    Q_PROPERTY(TRadioPanel *ADRangePanel MEMBER ADRangePanel)
    Q_PROPERTY(TRadioPanel *IRQPanel MEMBER IRQPanel)
    Q_PROPERTY(TRadioPanel *CTRPanel MEMBER CTRPanel)
    Q_PROPERTY(TRadioPanel *PowerPanel MEMBER PowerPanel)
    Q_PROPERTY(QLabel *BaseLabel5 MEMBER BaseLabel5)
    Q_PROPERTY(QLabel *BaseLabel6 MEMBER BaseLabel6)
    Q_PROPERTY(QLabel *BaseLabel7 MEMBER BaseLabel7)
    Q_PROPERTY(QLabel *BaseLabel8 MEMBER BaseLabel8)
    Q_PROPERTY(QLabel *BaseLabel9 MEMBER BaseLabel9)
    Q_PROPERTY(QLabel *Label2 MEMBER Label2)
    Q_PROPERTY(QLabel *Label1 MEMBER Label1)
    Q_PROPERTY(QLabel *Label15 MEMBER Label15)
    Q_PROPERTY(QLabel *Label16 MEMBER Label16)
    Q_PROPERTY(QLabel *Label22 MEMBER Label22)
    Q_PROPERTY(QLabel *Label23 MEMBER Label23)
    Q_PROPERTY(QLabel *Label5 MEMBER Label5)
    Q_PROPERTY(QLabel *Label6 MEMBER Label6)
    Q_PROPERTY(QLabel *IRQLabel4 MEMBER IRQLabel4)
    Q_PROPERTY(QLabel *IRQLabel5 MEMBER IRQLabel5)
    Q_PROPERTY(QLabel *IRQLabel6 MEMBER IRQLabel6)
    Q_PROPERTY(QLabel *IRQLabel7 MEMBER IRQLabel7)
    Q_PROPERTY(QLabel *IRQLabel15 MEMBER IRQLabel15)
    Q_PROPERTY(QLabel *IRQLabel14 MEMBER IRQLabel14)
    Q_PROPERTY(QLabel *IRQLabel12 MEMBER IRQLabel12)
    Q_PROPERTY(QLabel *IRQLabel11 MEMBER IRQLabel11)
    Q_PROPERTY(QLabel *IRQLabel10 MEMBER IRQLabel10)
    Q_PROPERTY(QLabel *IRQLabel9 MEMBER IRQLabel9)
    Q_PROPERTY(QLabel *Label3 MEMBER Label3)
public:
    explicit TMainForm(QWidget *parent = nullptr);
    // The page read from another stored layout; an unreadable one raises EReadError.
    explicit TMainForm(const QByteArray &layout, QWidget *parent = nullptr);

    QMenuBar *MainMenu1 = nullptr;
    QAction *Exit2 = nullptr;
    QAction *Howtousethisprogram1 = nullptr;
    QAction *TechnicalSupport1 = nullptr;
    TSetupSupporter *SetSup = nullptr;

    TRadioPanel *BasePanel = nullptr;
    QLineEdit *BaseEdit = nullptr;
    QLabel *BaseLabelFeedback = nullptr;
    TTwoJumper *BaseJumper5 = nullptr;
    TTwoJumper *BaseJumper6 = nullptr;
    TTwoJumper *BaseJumper7 = nullptr;
    TTwoJumper *BaseJumper8 = nullptr;
    TTwoJumper *BaseJumper9 = nullptr;

    QComboBox *IRQCombo = nullptr;
    TTwoJumper *IRQJumper3 = nullptr;
    TTwoJumper *IRQJumper4 = nullptr;
    TTwoJumper *IRQJumper5 = nullptr;
    TTwoJumper *IRQJumper6 = nullptr;
    TTwoJumper *IRQJumper7 = nullptr;
    TTwoJumper *IRQJumper9 = nullptr;
    TTwoJumper *IRQJumper10 = nullptr;
    TTwoJumper *IRQJumper11 = nullptr;
    TTwoJumper *IRQJumper12 = nullptr;
    TTwoJumper *IRQJumper14 = nullptr;
    TTwoJumper *IRQJumper15 = nullptr;

    QComboBox *DACRangeBoxA = nullptr;
    QComboBox *DACRangeBoxB = nullptr;
    TTwoJumper *DARangeJumperA5 = nullptr;
    TTwoJumper *DARangeJumperAA = nullptr;
    TTwoJumper *DARangeJumperB5 = nullptr;
    TTwoJumper *DARangeJumperBA = nullptr;

    QComboBox *SEDiffBox = nullptr;
    TThreeJumper *SeDiff1 = nullptr;
    TThreeJumper *SeDiff2 = nullptr;

    QComboBox *ADRangeBox = nullptr;
    TThreeJumper *ADRangeJumperU0 = nullptr;
    TThreeJumper *ADRangeJumperU1 = nullptr;
    TThreeJumper *ADRangeJumperA0 = nullptr;
    TThreeJumper *ADRangeJumperA1 = nullptr;

    QRadioButton *PowRadio104 = nullptr;
    QRadioButton *PowRadioP3 = nullptr;
    TThreeJumper *PowerJumperTop = nullptr;
    TThreeJumper *PowerJumperBot = nullptr;

    QMenu *File1 = nullptr;
    QMenu *Help1 = nullptr;

    TBoardImage *BoardImage1 = nullptr;
    TBoardHighlight *BaseHighlight = nullptr;
    TBoardHighlight *IRQHighlight = nullptr;
    TBoardHighlight *IRQHighlight9 = nullptr;
    TBoardHighlight *DIOHighlight = nullptr;
    TBoardHighlight *AIOHighlight = nullptr;
    TBoardHighlight *DACRangeHighlight = nullptr;
    TBoardHighlight *SeDiffHighlight = nullptr;
    TBoardHighlight *UniHighlight = nullptr;
    TBoardHighlight *CTRHighlight = nullptr;
    TBoardHighlight *PowHighlight = nullptr;

    TRadioPanel *DIOPanel = nullptr;
    TRadioPanel *AIOPanel = nullptr;
    TRadioPanel *DACRangePanel = nullptr;
    TRadioPanel *SEDiffPanel = nullptr;
    TRadioPanel *ADRangePanel = nullptr;
    TRadioPanel *IRQPanel = nullptr;
    TRadioPanel *CTRPanel = nullptr;
    TRadioPanel *PowerPanel = nullptr;

    QLabel *BaseLabel5 = nullptr;
    QLabel *BaseLabel6 = nullptr;
    QLabel *BaseLabel7 = nullptr;
    QLabel *BaseLabel8 = nullptr;
    QLabel *BaseLabel9 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label22 = nullptr;
    QLabel *Label23 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *IRQLabel4 = nullptr;
    QLabel *IRQLabel5 = nullptr;
    QLabel *IRQLabel6 = nullptr;
    QLabel *IRQLabel7 = nullptr;
    QLabel *IRQLabel15 = nullptr;
    QLabel *IRQLabel14 = nullptr;
    QLabel *IRQLabel12 = nullptr;
    QLabel *IRQLabel11 = nullptr;
    QLabel *IRQLabel10 = nullptr;
    QLabel *IRQLabel9 = nullptr;
    QLabel *Label3 = nullptr;

    // The IRQ jumpers; entry k belongs to IRQCombo entry k + 1 and to the jumper with Tag k + 1.
    std::array<TTwoJumper *, 11> IRQJumpers{};

public slots:
    void FormCreate(QObject *Sender);
    void Exit2Click(QObject *Sender);
    void Howtousethisprogram1Click(QObject *Sender);
    void TechnicalSupport1Click(QObject *Sender);

    void BaseEditChange(QObject *Sender);
    void BaseJumperClick(QObject *Sender);
    void IRQPanelEnter(QObject *Sender);
    void IRQComboChange(QObject *Sender);
    void IRQJumperClick(QObject *Sender);
    void DACRangePanelEnter(QObject *Sender);
    void DARangeJumperAClick(QObject *Sender);
    void DARangeJumperBClick(QObject *Sender);
    void DACRangeBoxAChange(QObject *Sender);
    void DACRangeBoxBChange(QObject *Sender);
    void SEDiffPanelEnter(QObject *Sender);
    void SeDiffClick(QObject *Sender);
    void SEDiffBoxChange(QObject *Sender);
    void ADRangePanelEnter(QObject *Sender);
    void ADRangeBoxChange(QObject *Sender);
    void ADRangeJumperU0Click(QObject *Sender);
    void ADRangeJumperU1Click(QObject *Sender);
    void ADRangeJumperA0Click(QObject *Sender);
    void ADRangeJumperA1Click(QObject *Sender);
    void PowRadioClick(QObject *Sender);
    void PowerJumperClick(QObject *Sender);

private:
    void ADRangeJumperClicked(TThreeJumper *clicked, TThreeJumper *partner, TThreeJumper *other,
                              TThreeJumper *otherPartner);
};

// One to eight significant hexadecimal digits in either case, leading zeros free; no prefix,
// sign, blank or other character. Empty when the text cannot be read.
std::optional<quint32> ReadHexAddress(const QString &text);
// Removes leading "0" characters, keeping the last digit of a text of zeros only.
QString StripLeadingZeros(const QString &text);
