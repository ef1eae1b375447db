#include "template.h"

#include "application.h"
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

} // namespace

TMainForm::TMainForm(QWidget *parent) : TForm(parent)
{
    TFormLoader(this).Load(QStringLiteral(":/layout/MainForm.ui"));
}

void TMainForm::FormCreate(QObject *)
{
    static const char *const irqJumperNames[] = {"IRQJumper3",  "IRQJumper4",  "IRQJumper5",  "IRQJumper6",
                                                 "IRQJumper7",  "IRQJumper9",  "IRQJumper10", "IRQJumper11",
                                                 "IRQJumper12", "IRQJumper14", "IRQJumper15"};
    for (std::size_t k = 0; k < IRQJumpers.size(); ++k)
        IRQJumpers[k] = findChild<QObject *>(QLatin1String(irqJumperNames[k]));

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
