#pragma once
/// @file
/// The support component of a card page.

#include "component.h"
#include "events.h"
#include "infoforms.h"

#include <QLabel>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QVector>
#include <functional>

class QComboBox;
class QPushButton;

/// One calibration display of a page: a channel list, its run button and a control hidden once
/// a run starts. Each field reads the page's variable that holds the control, so the entry
/// reaches whatever control that variable holds when the entry is used; an empty field or a
/// variable holding no control is skipped.
struct TCalibDisplay
{
    TCalibDisplay() = default;
    /// Refers to the page's variables (raw pointers or QPointers, usually the page's fields);
    /// they must outlive the supporter.
    template <typename List, typename Button, typename Hidden>
    TCalibDisplay(List &channelList, Button &runButton, Hidden &hiddenControl)
        : ChannelList([&channelList]() -> QComboBox * { return channelList; }),
          RunButton([&runButton]() -> QPushButton * { return runButton; }),
          HiddenControl([&hiddenControl]() -> QWidget * { return hiddenControl; })
    {
    }

    std::function<QComboBox *()> ChannelList;  ///< The list the channels' lines go to.
    std::function<QPushButton *()> RunButton;  ///< Starts and stops the run.
    std::function<QWidget *()> HiddenControl;  ///< Hidden once a run starts.
};

/// A non-visual component a card page places on its main window. At the first idle moment it
/// adds the header line, the help and technical-support windows and, when the page answers
/// OnGetCardString, the installed-cards window with its File-menu entry; its 100 ms timer then
/// shows the help window once. Read from a layout, it installs ApplicationIdle itself when the
/// main window is first shown, unless the page has set an idle handler by then.
class TSetupSupporter : public QObject, public TEventBinding, public TLoadedNotification
{
    Q_OBJECT
    /// @name Properties a layout stores
    ///@{

    /// Read and written through the accessors of the same name.
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE SetCompanyName)
    Q_PROPERTY(QString CardNameA READ CardNameA WRITE SetCardNameA)
    Q_PROPERTY(QString CardNameB READ CardNameB WRITE SetCardNameB)
    Q_PROPERTY(bool UseCardNameB READ UseCardNameB WRITE SetUseCardNameB)
    Q_PROPERTY(QString CallHow READ CallHow WRITE SetCallHow)
    Q_PROPERTY(bool MultiPort READ MultiPort WRITE SetMultiPort)
    Q_PROPERTY(int Channels READ Channels WRITE SetChannels)
    Q_PROPERTY(bool ChangeButtons READ ChangeButtons WRITE SetChangeButtons)
    Q_PROPERTY(bool bSeries READ bSeries WRITE SetbSeries)
    ///@}
    /// Whether a calibration runs; see SetCalibrating().
    Q_PROPERTY(bool Calibrating READ Calibrating WRITE SetCalibrating STORED false)
public:
    /// An event handler taking the supporter as Sender.
    using TNotifyEvent = std::function<void(QObject *Sender)>;
    /// The line of installed card CardIndex (from 0) in the installed-cards window; an empty
    /// text leaves the card out.
    using TPCIEvent = std::function<QString(QObject *Sender, int CardIndex)>;
    /// The text of channel Channel; a handler that read a good value clears ItsAllBad.
    using TCalibEvent = std::function<QString(QObject *Sender, quint8 Channel, bool &ItsAllBad)>;

    /// The supporter of owner, the page's main window.
    explicit TSetupSupporter(QObject *owner);
    ~TSetupSupporter() override;

    /// @name Stored properties
    ///@{

    /// What the header, the help and the support text say: the company, the card's two names
    /// and which one the page shows, how to call; whether the card has several ports, the
    /// number of channels, whether a calibration run hands the run buttons over, the card series.
    QString CompanyName() const { return m_companyName; }
    void SetCompanyName(const QString &value) { m_companyName = value; }
    QString CardNameA() const { return m_cardNameA; }
    void SetCardNameA(const QString &value) { m_cardNameA = value; }
    QString CardNameB() const { return m_cardNameB; }
    void SetCardNameB(const QString &value) { m_cardNameB = value; }
    bool UseCardNameB() const { return m_useCardNameB; }
    void SetUseCardNameB(bool value) { m_useCardNameB = value; }
    QString CallHow() const { return m_callHow; }
    void SetCallHow(const QString &value) { m_callHow = value; }
    bool MultiPort() const { return m_multiPort; }
    void SetMultiPort(bool value) { m_multiPort = value; }
    int Channels() const { return m_channels; }
    void SetChannels(int value) { m_channels = quint8(value); }
    bool ChangeButtons() const { return m_changeButtons; }
    void SetChangeButtons(bool value) { m_changeButtons = value; }
    bool bSeries() const { return m_bSeries; }
    void SetbSeries(bool value) { m_bSeries = value; }
    ///@}

    /// @name Installed cards
    ///@{

    /// Asked for the installed cards' texts; with it the page gets the installed-cards window.
    const TPCIEvent &OnGetCardString() const { return m_onGetCardString; }
    void SetOnGetCardString(TPCIEvent handler) { m_onGetCardString = std::move(handler); }
    ///@}

    bool BindEvent(const QByteArray &event, const TMethod &handler) override;

    /// The application's idle event at start-up: removes itself, then builds the windows.
    void ApplicationIdle(QObject *Sender, bool &Done);
    /// Watches the main window for its first showing.
    void Loaded() override;
    /// Adds the header line and the windows to the main window, once; nothing in a form designer.
    void BuildWindows();
    /// Runs the 100 ms timer while the help window is pending or a calibration runs;
    /// EOutOfResources when refused.
    void UpdateTimer();

    /// @name Built windows
    ///@{

    /// What BuildWindows added; nullptr before, and for the installed-cards window without
    /// OnGetCardString. HelpPending: the timer is still to show the help window.
    QLabel *HeaderLabel() const { return m_headerLabel; }
    THelpForm *HelpForm() const { return m_helpForm; }
    TTechForm *TechForm() const { return m_techForm; }
    TPCIForm *PCIForm() const { return m_pciForm; }
    bool HelpPending() const { return m_helpPending; }
    ///@}

    /// Shows the installed-cards window (its File-menu entry).
    void DisplayPCIClick(QObject *Sender);
    /// Hides the window that holds the clicked Close button.
    void CloseButtonClick(QObject *Sender);

    /// The help text as rich text, composed from the properties.
    QByteArray HelpText(const QString &cardName) const;
    /// The technical-support text, composed from the properties.
    QString SupportText() const;

    /// Calibration run. While Calibrating, every timer tick runs one CalibrationPass: each
    /// channel's text is asked from OnGetCalibString and written as "Channel n<TAB>text" into
    /// item n of every registered channel list; a pass in which no handler cleared ItsAllBad
    /// offers Retry or Cancel.
    ///
    /// A page registers its displays once (typically in its OnCreate) and hands the run buttons
    /// their roles through the supporter, which then owns their click handler (it replaces an
    /// OnClick the layout bound):
    ///     SetSup->RegisterCalibDisplay({ChannelBox, RunButton, HintLabel});
    ///     SetSup->RunButtonsToStart();                    // caption "Start", OnStartButtonClick
    /// and its OnStartButtonClick handler begins a run:
    ///     SetSup->RunButtonsToStop();                     // caption "Stop", OnStopButtonClick
    ///     SetSup->SetCalibrating(true);
    /// A run ends by StopCalibration (which hands the buttons back when ChangeButtons is on) or
    /// by setting Calibrating to False (buttons untouched).
    bool Calibrating() const { return m_calibrating; }
    /// An equal value changes nothing; otherwise the timer is re-evaluated.
    void SetCalibrating(bool value);

    /// @name Calibration events
    ///@{

    /// Fired at the start of each pass; asked for each channel's text; the run buttons' handlers.
    const TNotifyEvent &OnBeginCalib() const { return m_onBeginCalib; }
    /// Re-evaluates the timer, so a running timer's next tick comes a full period later.
    void SetOnBeginCalib(TNotifyEvent handler);
    const TCalibEvent &OnGetCalibString() const { return m_onGetCalibString; }
    void SetOnGetCalibString(TCalibEvent handler) { m_onGetCalibString = std::move(handler); }
    const TNotifyEvent &OnStartButtonClick() const { return m_onStartButtonClick; }
    void SetOnStartButtonClick(TNotifyEvent handler) { m_onStartButtonClick = std::move(handler); }
    const TNotifyEvent &OnStopButtonClick() const { return m_onStopButtonClick; }
    void SetOnStopButtonClick(TNotifyEvent handler) { m_onStopButtonClick = std::move(handler); }
    ///@}

    /// @name Calibration displays
    ///@{

    /// The registered displays, and registering one.
    const QVector<TCalibDisplay> &CalibDisplays() const { return m_calibDisplays; }
    void RegisterCalibDisplay(TCalibDisplay display) { m_calibDisplays.append(std::move(display)); }
    ///@}
    /// Every entry's run button gets the caption "Start" and the OnStartButtonClick handler.
    void RunButtonsToStart();
    /// Every entry's run button gets the caption "Stop" and the OnStopButtonClick handler.
    void RunButtonsToStop();

    /// One pass of the run, as a timer tick makes it.
    void CalibrationPass();
    /// Replaces item Channel of every registered list; lists shorter than that are left as they are.
    void SetChannelLine(int Channel, const QString &S);
    /// Hands the run buttons back (with ChangeButtons) and ends the run.
    void StopCalibration();

protected:
    /// Starts the utility window's timer; returns 0 when the system refuses it.
    virtual int StartUtilityTimer(int interval);
    /// Installs ApplicationIdle when the main window is first shown (see Loaded).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class UtilityWindow;

    void TimerTick();
    bool BindCalibEvent(const QByteArray &event, const TMethod &handler);
    void SetRunButtons(const QString &caption, const TNotifyEvent &handler);
    /// Shows one of the run's message boxes: exclamation icon, on top, brought to the front.
    QMessageBox::StandardButton ShowCalibMessage(const QString &caption, const QString &text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton);
    QWidget *MainWindow() const;
    void BuildHelpForm(const QString &cardName);
    void BuildTechForm();
    bool BuildPCIForm(const QString &cardName);

    QString m_companyName;
    QString m_cardNameA;
    QString m_cardNameB;
    bool m_useCardNameB = false;
    QString m_callHow;
    bool m_multiPort = false;
    quint8 m_channels = 8;
    bool m_changeButtons = true;
    bool m_bSeries = true;

    TPCIEvent m_onGetCardString;
    TNotifyEvent m_onBeginCalib;
    TCalibEvent m_onGetCalibString;
    TNotifyEvent m_onStartButtonClick;
    TNotifyEvent m_onStopButtonClick;
    QVector<TCalibDisplay> m_calibDisplays;

    bool m_windowsBuilt = false;
    bool m_helpPending = false;
    bool m_calibrating = false;
    UtilityWindow *m_utilityWindow;
    int m_timerId = 0;

    QPointer<QLabel> m_headerLabel;
    QPointer<THelpForm> m_helpForm;
    QPointer<TTechForm> m_techForm;
    QPointer<TPCIForm> m_pciForm;
};
