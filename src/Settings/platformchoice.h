#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Which windowing platform the program starts on, decided before the application object
// exists. The page's popups are positioned, stay-on-top tool windows that open and close as
// the pointer crosses between windows; xdg-shell grants a Wayland client none of that, X11
// does (through XWayland in a Wayland session).
namespace PlatformChoice {

enum class TPlatform {
    Default,   // leave it to Qt (an X11 session, or the user named a platform)
    Xcb,       // a Wayland session with XWayland available
    NoDisplay, // no display at all: the program cannot show its window
};

// The environment values the decision reads.
struct TEnvironment
{
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
    QByteArray display;        // DISPLAY
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
};

TEnvironment Current();

// arguments: the command line, the program name first.
TPlatform Choose(const TEnvironment &environment, const QByteArrayList &arguments);

// The line printed when there is no display.
const char *NoDisplayMessage();

} // namespace PlatformChoice
