#include "setupsupporter.h"

#include "anchors.h"
#include "application.h"
#include "component.h"
#include "exceptions.h"
#include "infoforms.h"
#include "llportlink.h"
#include "menuitems.h"
#include "rtfreader.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimerEvent>

using namespace Anchors;

// The hidden window that owns the timer and receives its ticks.
class TSetupSupporter::UtilityWindow : public QObject
{
public:
    explicit UtilityWindow(TSetupSupporter *supporter) : m_supporter(supporter) {}

protected:
    void timerEvent(QTimerEvent *) override
    {
        RunGuarded([this] { m_supporter->TimerTick(); });
    }

private:
    TSetupSupporter *m_supporter;
};

TSetupSupporter::TSetupSupporter(QObject *owner) : QObject(owner), m_utilityWindow(new UtilityWindow(this)) {}

TSetupSupporter::~TSetupSupporter()
{
    m_calibrating = false;
    if (m_timerId)
        m_utilityWindow->killTimer(m_timerId);
    delete m_utilityWindow;
}

bool TSetupSupporter::BindEvent(const QByteArray &event, const TMethod &handler)
{
    if (event == "OnGetCardString") {
        CheckHandler(handler, event, this, "QString", {"QObject*", "int"});
        SetOnGetCardString([handler](QObject *sender, int cardIndex) {
            return handler.Call<QString>(sender, cardIndex);
        });
        return true;
    }
    return BindCalibEvent(event, handler);
}

void TSetupSupporter::ApplicationIdle(QObject *Sender, bool &Done)
{
    Q_UNUSED(Done);
    if (auto *app = qobject_cast<TApplication *>(Sender))
        app->SetOnIdle({});
    BuildWindows();
}

void TSetupSupporter::Loaded()
{
    if (QWidget *mainWindow = MainWindow(); mainWindow && !Component::IsDesigning(this))
        mainWindow->installEventFilter(this);
}

bool TSetupSupporter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || watched != MainWindow())
        return QObject::eventFilter(watched, event);
    watched->removeEventFilter(this);
    TApplication *app = TApplication::Instance();
    if (app && !app->OnIdleAssigned() && !m_windowsBuilt) {
        QPointer<TSetupSupporter> self = this;
        app->SetOnIdle([self](QObject *sender, bool &done) {
            if (self)
                self->ApplicationIdle(sender, done);
        });
    }
    return false;
}

QWidget *TSetupSupporter::MainWindow() const
{
    return qobject_cast<QWidget *>(parent());
}

void TSetupSupporter::BuildWindows()
{
    if (Component::IsDesigning(this))
        return;
    QWidget *mainWindow = MainWindow();
    if (!mainWindow)
        throw EComponentError(QStringLiteral("%1 has no main window").arg(objectName()));
    m_windowsBuilt = true;
    const QString cardName = m_useCardNameB ? m_cardNameB : m_cardNameA;

    auto *client = mainWindow;
    if (auto *window = qobject_cast<QMainWindow *>(mainWindow); window && window->centralWidget())
        client = window->centralWidget();
    m_headerLabel = new QLabel(client);
    m_headerLabel->setObjectName(QStringLiteral("HeaderLabel"));
    m_headerLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont headerFont(QStringLiteral("Tahoma"), 18, QFont::Bold);
    m_headerLabel->setFont(headerFont);
    QPalette headerPalette = m_headerLabel->palette();
    headerPalette.setColor(QPalette::WindowText, Qt::black);
    m_headerLabel->setPalette(headerPalette);
    m_headerLabel->setGeometry(0, 0, client->width(), m_headerLabel->sizeHint().height());
    SetAnchors(m_headerLabel, akLeft | akTop | akRight);
    m_headerLabel->show();

    BuildHelpForm(cardName);
    BuildTechForm();
    const bool cardsFound = m_onGetCardString ? BuildPCIForm(cardName) : true;

    const QString series = m_bSeries ? QStringLiteral(" Series") : QString();
    m_headerLabel->setText(cardsFound ? cardName + series + QStringLiteral(" Settings Program")
                                      : QStringLiteral("No ") + cardName +
                                            (m_bSeries ? QStringLiteral(" Series Card") : QString()) +
                                            QStringLiteral(" Found"));
    m_headerLabel->resize(m_headerLabel->width(), m_headerLabel->sizeHint().height());

    m_helpPending = true;
    UpdateTimer();
}

void TSetupSupporter::BuildHelpForm(const QString &cardName)
{
    m_helpForm = new THelpForm(MainWindow());
    THelpForm *form = m_helpForm;

    form->HelpLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    form->HelpLabel->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    form->HelpLabel->setGeometry(0, 0, 305, form->HelpLabel->sizeHint().height());

    form->HelpRich->setGeometry(0, 24, 305, 73);
    form->HelpRich->setReadOnly(true);
    form->HelpRich->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette richPalette = form->HelpRich->palette();
    richPalette.setColor(QPalette::Base, QColor(0xDD, 0xDD, 0xDD));
    form->HelpRich->setPalette(richPalette);
    LoadRichText(form->HelpRich->document(), HelpText(cardName));
    form->HelpRich->moveCursor(QTextCursor::Start);

    form->StartButton->setGeometry(0, 105, 173, 25);
    form->StartButton->setDefault(true);
    BindKeyToButton(form->StartButton, Qt::Key_Return);
    BindKeyToButton(form->StartButton, Qt::Key_Enter);
    BindKeyToButton(form->StartButton, Qt::Key_Escape);
    QWidget::setTabOrder(form->StartButton, form->HelpRich);

    form->resize(305, form->height());
    FitToChildren(form);
    form->resize(form->width(), form->height() + 8);
    SetAnchors(form->HelpLabel, akLeft | akTop | akRight);
    SetAnchors(form->HelpRich, akLeft | akTop | akRight | akBottom);
    form->StartButton->move((form->width() - form->StartButton->width()) / 2, form->StartButton->y());
    SetAnchors(form->StartButton, akBottom);

    const QSize fitted = form->size();
    QSize scaled = ScaleToScreen(fitted, QGuiApplication::primaryScreen()->size());
    form->resize(scaled.expandedTo(fitted));
}

void TSetupSupporter::BuildTechForm()
{
    m_techForm = new TTechForm(MainWindow());
    TTechForm *form = m_techForm;
    form->TechMemo->setGeometry(8, 8, 305, 89);
    form->TechMemo->setReadOnly(true);
    form->TechMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form->TechMemo->setPlainText(SupportText());
    form->CloseButton->setGeometry(165, 105, 73, 25);
    BindKeyToButton(form->CloseButton, Qt::Key_Escape);
    form->CloseButton->setFocus();
    QWidget::setTabOrder(form->CloseButton, form->TechMemo);
    connect(form->CloseButton, &QPushButton::clicked, this,
            [this, button = form->CloseButton] { RunGuarded([&] { CloseButtonClick(button); }); });

    FitToChildren(form);
    SetAnchors(form->TechMemo, akLeft | akTop | akRight | akBottom);
    form->CloseButton->move((form->width() - 73) / 2, form->CloseButton->y());
    SetAnchors(form->CloseButton, akBottom);
}

bool TSetupSupporter::BuildPCIForm(const QString &cardName)
{
    QWidget *mainWindow = MainWindow();
    if (auto *window = qobject_cast<QMainWindow *>(mainWindow)) {
        QMenuBar *menu = qobject_cast<QMenuBar *>(window->menuWidget());
        const QList<QAction *> items = menu ? menu->actions() : QList<QAction *>();
        for (QAction *item : items) {
            if (item->text() == QLatin1String("&File")) {
                QMenu *file = EntriesOf(item, mainWindow);
                auto *entry = new QAction(QStringLiteral("Display ") + cardName + QStringLiteral(" Cards Installed"), file);
                entry->setObjectName(QStringLiteral("DisplayPCI"));
                connect(entry, &QAction::triggered, this, [this, entry] { RunGuarded([&] { DisplayPCIClick(entry); }); });
                file->insertAction(file->actions().value(0), entry);
                break;
            }
        }
    }

    m_pciForm = new TPCIForm(mainWindow);
    TPCIForm *form = m_pciForm;
    form->setWindowTitle(cardName + QStringLiteral(" Cards installed"));
    form->show();
    SetOuterSize(form, QSize(320, 240));

    form->PCIMemo->setGeometry(8, 8, 305, 89);
    form->PCIMemo->setFont(QFont(QStringLiteral("Tahoma"), 10, QFont::Bold));
    form->PCIMemo->setReadOnly(true);
    form->PCIMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    form->CloseButton->setGeometry((form->frameGeometry().width() - 73) / 2, 105, 73, 25);
    BindKeyToButton(form->CloseButton, Qt::Key_Escape);
    form->CloseButton->setFocus();
    QWidget::setTabOrder(form->CloseButton, form->PCIMemo);
    connect(form->CloseButton, &QPushButton::clicked, this,
            [this, button = form->CloseButton] { RunGuarded([&] { CloseButtonClick(button); }); });
    FitToChildren(form);
    SetAnchors(form->PCIMemo, akLeft | akTop | akRight | akBottom);
    SetAnchors(form->CloseButton, akBottom);

    // A missing driver library or entry point counts as no installed card.
    LoadPortLinkLibrary();
    const int count = GetNumCards ? GetNumCards() : 0;
    // Each line goes in as it comes: a handler that fails leaves the cards listed before it.
    bool found = false;
    if (count > 0)
        form->PCIMemo->clear();
    for (int card = 0; card < count; ++card) {
        const QString description = m_onGetCardString(this, card);
        if (description.isEmpty())
            continue;
        form->PCIMemo->appendPlainText(description);
        found = true;
    }
    if (!found)
        form->PCIMemo->setPlainText(QStringLiteral("No Card Found"));
    return found;
}

QByteArray TSetupSupporter::HelpText(const QString &cardName) const
{
    // Property values are escaped, so a name holding \, { or } cannot break the text.
    const QByteArray company = RtfEscape(m_companyName);
    const QByteArray card = RtfEscape(cardName);
    QByteArray text =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Verdana;}}"
        "{\\colortbl\\red64\\green64\\blue64;\\red255\\green255\\blue64;\\red64\\green64\\blue255;\\red255\\green64\\blue64;}"
        "\\viewkind4\\uc1\\pard\\f0\\fs32\\cf0\r\n{\\b ";
    text += company + " " + card;
    if (m_bSeries)
        text += " Series";
    text += " Settings Program}\\par\\par\\fs24\r\n";
    text += "This program will help you configure the option jumpers and settings associated with this product. "
            "You should have the product in-hand when first using this program.\\par\\par\r\n";
    text += "{\\cf1\\fs24\\b Yellow circles} provide information on configuring jumpers and switches.\\par\\par\r\n";
    text += "{\\cf2\\fs24\\b Blue circles} are informational only. They provide information on standard and optional "
            "features of the product family.\\par\\par\r\n";
    text += "{\\cf3\\fs24\\b Red circles} handle calibration and types of configuration that require actually "
            "controlling the hardware device. Run this settings program again once the card is installed. ";
    text += "Repeat the {\\cf1 setup circles} (using the same settings) to configure this program, then perform the "
            "{\\cf3 calibration circles}.\\par\\par\r\n";
    text += "Mouse over the highlight circles to see configuration or information popups for {\\cf1 setup}, "
            "{\\cf2 features}, and {\\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. ";
    text += "You can have all or as many of these popups onscreen at the same time as you desire.\\par\\par\r\n";
    if (m_multiPort) {
        text += "{\\fs32\\b Note:} Make sure to set the jumpers for each option group \\emdash  the configuration "
                "options for each port are handled identically; ";
        text += "this program only shows the setup once, but you need to perform this setup for each group of "
                "options on your device.\\par\\par\r\n";
    }
    if (m_onGetCardString) {
        text += "To see a list of " + card + " cards installed, click \"Display " + card +
                " Cards Installed\" under the File menu.\\par\\par\r\n";
    }
    text += "}";
    return text;
}

QString TSetupSupporter::SupportText() const
{
    return QStringLiteral("There are several ways to get technical support. First and fastest is to skim the relevant "
                          "sections of the manual. However, some questions require personal assistance, and ") +
           m_companyName + QStringLiteral(" stands ready to provide that help. You can call us ") + m_callHow +
           QStringLiteral(" for any of your product questions.") +
           QStringLiteral("\n\nIn order to provide the best and fastest support possible, we ask that you be at your "
                          "computer when you call, and have the ") +
           m_companyName + QStringLiteral(" product manual and software CD at hand.");
}

void TSetupSupporter::DisplayPCIClick(QObject *)
{
    if (m_pciForm) {
        m_pciForm->show();
        m_pciForm->raise();
        m_pciForm->activateWindow();
    }
}

void TSetupSupporter::CloseButtonClick(QObject *Sender)
{
    if (auto *button = qobject_cast<QWidget *>(Sender); button && button->parentWidget())
        button->parentWidget()->hide();
}

int TSetupSupporter::StartUtilityTimer(int interval)
{
    return m_utilityWindow->startTimer(interval);
}

void TSetupSupporter::UpdateTimer()
{
    if (m_timerId) {
        m_utilityWindow->killTimer(m_timerId);
        m_timerId = 0;
    }
    if (m_calibrating || m_helpPending) {
        m_timerId = StartUtilityTimer(100);
        if (!m_timerId)
            throw EOutOfResources(QStringLiteral("Not enough timers available"));
    }
}

void TSetupSupporter::TimerTick()
{
    if (m_helpPending) {
        if (m_helpForm) {
            m_helpForm->show();
            m_helpForm->raise();
            m_helpForm->activateWindow();
        }
        m_helpPending = false;
        UpdateTimer();
    } else if (TApplication *app = TApplication::Instance(); !app || !app->ShowingException()) {
        // A pass waits while the error display of an earlier tick is still open.
        CalibrationPass();
    }
}
