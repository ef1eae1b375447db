#include "relay8page.h"

#include <application.h>
#include <exceptions.h>
#include <setupctrls.h>

#include <QMessageBox>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    SetupCtrls::Install();
    try {
        TRelay8Page page;
        return app.Run(&page);
    } catch (const EComponentError &e) {
        // A layout the loader refuses: the message names what is wrong.
        QMessageBox::critical(nullptr, QStringLiteral("Setup"), QString::fromStdString(e.what()));
        return 1;
    }
}
