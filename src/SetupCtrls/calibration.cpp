#include "setupsupporter.h"

#include "application.h"
#include "exceptions.h"
#include "events.h"

#include <QComboBox>
#include <QPushButton>

namespace {

template <typename T>
T *Held(const std::function<T *()> &variable)
{
    return variable ? variable() : nullptr;
}

// The click handler the supporter gives a run button. One per button, owned by it: a new role
// replaces the handler of the old one, and the first replaces the one the layout bound.
class RunButtonRole : public QObject
{
public:
    static RunButtonRole *Of(QPushButton *button)
    {
        for (QObject *child : button->children()) {
            if (auto *role = dynamic_cast<RunButtonRole *>(child))
                return role;
        }
        Events::Unbind(button, "OnClick");
        return new RunButtonRole(button);
    }

    TSetupSupporter::TNotifyEvent Handler;

private:
    explicit RunButtonRole(QPushButton *button) : QObject(button)
    {
        connect(button, &QPushButton::clicked, this, [this, button] {
            // A copy: the handler may give the button another role, or delete it, while it runs.
            const TSetupSupporter::TNotifyEvent handler = Handler;
            if (handler)
                RunGuarded([&] { handler(button); });
        });
    }
};

} // namespace

bool TSetupSupporter::BindCalibEvent(const QByteArray &event, const TMethod &handler)
{
    if (event == "OnGetCalibString") {
        CheckHandler(handler, event, this, "QString", {"QObject*", "quint8", "bool&"});
        SetOnGetCalibString([handler](QObject *sender, quint8 channel, bool &itsAllBad) {
            return handler.Call<QString>(sender, channel, itsAllBad);
        });
        return true;
    }
    const auto notify = [&] {
        CheckHandler(handler, event, this, nullptr, {"QObject*"});
        return TNotifyEvent([handler](QObject *sender) { handler.Notify(sender); });
    };
    if (event == "OnBeginCalib")
        SetOnBeginCalib(notify());
    else if (event == "OnStartButtonClick")
        SetOnStartButtonClick(notify());
    else if (event == "OnStopButtonClick")
        SetOnStopButtonClick(notify());
    else
        return false;
    return true;
}

void TSetupSupporter::SetCalibrating(bool value)
{
    if (value == m_calibrating)
        return;
    m_calibrating = value;
    UpdateTimer();
}

void TSetupSupporter::SetOnBeginCalib(TNotifyEvent handler)
{
    m_onBeginCalib = std::move(handler);
    UpdateTimer();
}

void TSetupSupporter::SetRunButtons(const QString &caption, const TNotifyEvent &handler)
{
    for (int i = 0; i < m_calibDisplays.size(); ++i) {
        if (QPushButton *button = Held(m_calibDisplays.at(i).RunButton)) {
            RunButtonRole::Of(button)->Handler = handler;
            button->setText(caption);
        }
    }
}

void TSetupSupporter::RunButtonsToStart()
{
    SetRunButtons(QStringLiteral("Start"), m_onStartButtonClick);
}

void TSetupSupporter::RunButtonsToStop()
{
    SetRunButtons(QStringLiteral("Stop"), m_onStopButtonClick);
}

void TSetupSupporter::CalibrationPass()
{
    // Copies: a handler may assign the events anew while it runs.
    if (const TNotifyEvent beginCalib = m_onBeginCalib)
        beginCalib(this);

    const TCalibEvent getCalibString = m_onGetCalibString;
    if (!getCalibString) {
        SetCalibrating(false);
        QPointer<TSetupSupporter> self(this);
        ShowCalibMessage(QStringLiteral("OnGetCalibString Not Assigned"),
                         QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."),
                         QMessageBox::Ok, QMessageBox::Ok);
        if (self)
            StopCalibration();
        return;
    }

    for (int i = 0; i < m_calibDisplays.size(); ++i) {
        if (QWidget *control = Held(m_calibDisplays.at(i).HiddenControl))
            control->hide();
    }

    bool itsAllBad = true;
    for (int channel = 0; channel < m_channels; ++channel)
        SetChannelLine(channel, getCalibString(this, quint8(channel), itsAllBad));
    if (!itsAllBad)
        return;

    SetCalibrating(false);
    QPointer<TSetupSupporter> self(this);
    const QMessageBox::StandardButton answer = ShowCalibMessage(
        QStringLiteral("Total A/D failure"),
        QStringLiteral("Total A/D failure. The card may not be installed, or it may be installed at a different "
                       "base address."),
        QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel);
    if (!self)
        return;
    if (answer == QMessageBox::Retry)
        SetCalibrating(true);
    else
        StopCalibration();
}

void TSetupSupporter::SetChannelLine(int Channel, const QString &S)
{
    const QString line = QStringLiteral("Channel ") + QString::number(Channel) + QLatin1Char('\t') + S;
    for (int i = 0; i < m_calibDisplays.size(); ++i) {
        QComboBox *list = Held(m_calibDisplays.at(i).ChannelList);
        if (list && Channel >= 0 && Channel < list->count())
            list->setItemText(Channel, line);
    }
}

void TSetupSupporter::StopCalibration()
{
    if (m_changeButtons)
        RunButtonsToStart();
    SetCalibrating(false);
}

QMessageBox::StandardButton TSetupSupporter::ShowCalibMessage(const QString &caption, const QString &text,
                                                              QMessageBox::StandardButtons buttons,
                                                              QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Warning, caption, text, buttons, MainWindow());
    box.setDefaultButton(defaultButton);
    // Setting a message box's modality resets its window flags: the hint comes after.
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    return QMessageBox::StandardButton(box.exec());
}
