#include "application.h"
#include "designfonts.h"
#include "desktopidentity.h"
#include "exceptions.h"
#include "platformchoice.h"
#include "setupctrls.h"
#include "template.h"

#include <QMessageBox>

#include <cstdio>

int main(int argc, char **argv)
{
    using namespace PlatformChoice;
    const TPlatform platform = Choose(Current(), QByteArrayList(argv, argv + argc));
    if (platform == TPlatform::NoDisplay) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage());
        return 1;
    }
    if (platform == TPlatform::Xcb)
        qputenv("QT_QPA_PLATFORM", "xcb");
    DesignFonts::ReadConfiguration();
    TApplication app(argc, argv);
    SetupCtrls::Install();
    // Programs started from here choose for themselves.
    if (platform == TPlatform::Xcb)
        qunsetenv("QT_QPA_PLATFORM");
    SetDesktopFileName();
    try {
        TMainForm mainForm;
        // Read with the main form's window, the icon (eight sizes) holds back the window's map
        // while the window manager takes it in; windows take it up when it is set.
        app.AfterFirstPaint(SetApplicationIcon);
        return app.Run(&mainForm);
    } catch (const EComponentError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Setup"), QString::fromStdString(e.what()));
        return 1;
    }
}
