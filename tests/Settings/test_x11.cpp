// Run on an X display with a window manager (ctest's SettingsTests.X11); skipped elsewhere.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// Asks the window to close, as a window manager's close button does.
void RequestClose(xcb_window_t window)
{
    xcb_connection_t *connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(connection, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, false, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

} // namespace

TEST(X11, OnAWaylandSessionTheProgramRunsOnXAndEndsWhenItsWindowIsClosed)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display with a window manager";
    const QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-none"));
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SETTINGS_PROGRAM), {});

    // xdotool gives up when a window it looks at goes meanwhile: asked again until it names one.
    xcb_window_t window = 0;
    QByteArray told;
    for (const QDeadlineTimer deadline(60000); !window && !deadline.hasExpired();) {
        QProcess search;
        search.start(QStringLiteral("xdotool"), {"search", "--sync", "--onlyvisible", "--name", "^Setup$"});
        search.waitForFinished(10000);
        told = search.readAllStandardError();
        window = xcb_window_t(search.readAllStandardOutput().trimmed().split('\n').value(0).toULong());
    }
    ASSERT_NE(window, 0u) << "the main window on the X display; xdotool: " << told.constData();
    RequestClose(window);

    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardError().toStdString(), "");
}
