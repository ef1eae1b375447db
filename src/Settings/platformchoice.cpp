#include "platformchoice.h"

namespace {

// Qt takes "-platform name" and "--platform name".
bool NamesPlatform(const QByteArrayList &arguments)
{
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == "-platform" || arguments.at(i) == "--platform")
            return true;
    }
    return false;
}

} // namespace

namespace PlatformChoice {

TEnvironment Current()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE")};
}

TPlatform Choose(const TEnvironment &environment, const QByteArrayList &arguments)
{
    if (!environment.qpaPlatform.isEmpty() || NamesPlatform(arguments))
        return TPlatform::Default;
    if (environment.display.isEmpty())
        return environment.waylandDisplay.isEmpty() ? TPlatform::NoDisplay : TPlatform::Default;
    const bool wayland = !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    return wayland ? TPlatform::Xcb : TPlatform::Default;
}

const char *NoDisplayMessage()
{
    return "Settings needs a graphical desktop: no X11 or Wayland display was found";
}

} // namespace PlatformChoice
