#pragma once

#include "formloader.h"
#include "infoforms.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <functional>

// A non-visual component a card page places on its main window. At the first idle moment it
// adds the header line, the help and technical-support windows and, when the page answers
// OnGetCardString, the installed-cards window with its File-menu entry; its 100 ms timer then
// shows the help window once.
class TSetupSupporter : public QObject, public TEventBinding
{
    Q_OBJECT
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE SetCompanyName)
    Q_PROPERTY(QString CardNameA READ CardNameA WRITE SetCardNameA)
    Q_PROPERTY(QString CardNameB READ CardNameB WRITE SetCardNameB)
    Q_PROPERTY(bool UseCardNameB READ UseCardNameB WRITE SetUseCardNameB)
    Q_PROPERTY(QString CallHow READ CallHow WRITE SetCallHow)
    Q_PROPERTY(bool MultiPort READ MultiPort WRITE SetMultiPort)
    Q_PROPERTY(int Channels READ Channels WRITE SetChannels)
    Q_PROPERTY(bool ChangeButtons READ ChangeButtons WRITE SetChangeButtons)
    Q_PROPERTY(bool bSeries READ bSeries WRITE SetbSeries)
public:
    using TNotifyEvent = std::function<void(QObject *Sender)>;
    using TPCIEvent = std::function<QString(QObject *Sender, int CardIndex)>;
    using TCalibEvent = std::function<QString(QObject *Sender, quint8 Channel, bool &ItsAllBad)>;

    explicit TSetupSupporter(QObject *owner);
    ~TSetupSupporter() override;

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

    const TPCIEvent &OnGetCardString() const { return m_onGetCardString; }
    void SetOnGetCardString(TPCIEvent handler) { m_onGetCardString = std::move(handler); }

    bool BindEvent(const QByteArray &event, const TMethod &handler) override;

    // The application's idle event at start-up: removes itself, then builds the windows.
    void ApplicationIdle(QObject *Sender, bool &Done);
    void BuildWindows();
    // Runs the 100 ms timer while the help window is pending; EOutOfResources when refused.
    void UpdateTimer();

    QLabel *HeaderLabel() const { return m_headerLabel; }
    THelpForm *HelpForm() const { return m_helpForm; }
    TTechForm *TechForm() const { return m_techForm; }
    TPCIForm *PCIForm() const { return m_pciForm; }
    bool HelpPending() const { return m_helpPending; }

    void DisplayPCIClick(QObject *Sender);
    // Hides the window that holds the clicked Close button.
    void CloseButtonClick(QObject *Sender);

    // The help text as rich text, composed from the properties.
    QByteArray HelpText(const QString &cardName) const;
    QString SupportText() const;

protected:
    // Starts the utility window's timer; returns 0 when the system refuses it.
    virtual int StartUtilityTimer(int interval);

private:
    class UtilityWindow;

    void TimerTick();
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

    bool m_helpPending = false;
    bool m_calibrating = false;
    UtilityWindow *m_utilityWindow;
    int m_timerId = 0;

    QPointer<QLabel> m_headerLabel;
    QPointer<THelpForm> m_helpForm;
    QPointer<TTechForm> m_techForm;
    QPointer<TPCIForm> m_pciForm;
};
