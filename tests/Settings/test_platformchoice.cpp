#include "platformchoice.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace {

using namespace PlatformChoice;

TEST(PlatformChoice, WaylandSessionsUseXWaylandUnlessAPlatformIsNamed)
{
    struct Case
    {
        TEnvironment environment;
        QByteArrayList arguments;
        TPlatform expected;
    };
    const QByteArrayList none{"Settings"};
    const Case cases[] = {
        {{"", ":0", "", "x11"}, none, TPlatform::Default},
        {{"", ":0", "", ""}, none, TPlatform::Default},
        {{"", ":0", "wayland-0", ""}, none, TPlatform::Xcb},
        {{"", ":0", "", "wayland"}, none, TPlatform::Xcb},
        {{"wayland", ":0", "wayland-0", "wayland"}, none, TPlatform::Default},
        {{"", ":0", "wayland-0", "wayland"}, {"Settings", "-platform", "wayland"}, TPlatform::Default},
        {{"", ":0", "wayland-0", "wayland"}, {"Settings", "--platform", "wayland"}, TPlatform::Default},
        // "-platform" without its name is no choice
        {{"", ":0", "wayland-0", "wayland"}, {"Settings", "-platform"}, TPlatform::Xcb},
        {{"", "", "wayland-0", "wayland"}, none, TPlatform::Default},
        {{"", "", "", "wayland"}, none, TPlatform::NoDisplay},
        {{"", "", "", ""}, none, TPlatform::NoDisplay},
        {{"offscreen", "", "", ""}, none, TPlatform::Default},
        {{"", "", "", ""}, {"Settings", "-platform", "offscreen"}, TPlatform::Default},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Choose(c.environment, c.arguments), c.expected)
            << "QT_QPA_PLATFORM=" << c.environment.qpaPlatform.constData() << " DISPLAY=" << c.environment.display.constData()
            << " WAYLAND_DISPLAY=" << c.environment.waylandDisplay.constData()
            << " XDG_SESSION_TYPE=" << c.environment.sessionType.constData() << " " << c.arguments.join(' ').constData();
    }
}

TEST(PlatformChoice, WithoutADisplayTheProgramSaysSoAndEnds)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SETTINGS_PROGRAM), {});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError(), QByteArray("Settings needs a graphical desktop: no X11 or Wayland display was found\n"));
    EXPECT_EQ(program.readAllStandardOutput(), QByteArray());
}

} // namespace
