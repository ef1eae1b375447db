#include "application.h"
#include "desktopidentity.h"
#include "exceptions.h"
#include "setupctrls.h"
#include "template.h"

#include <QMessageBox>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    SetupCtrls::Install();
    SetDesktopIdentity();
    try {
        TMainForm mainForm;
        return app.Run(&mainForm);
    } catch (const EComponentError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Setup"), QString::fromStdString(e.what()));
        return 1;
    }
}
