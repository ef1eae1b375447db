#include "warningguard.h"

#include <gtest/gtest.h>

#include <QtGlobal>
#include <cstdio>

namespace {

ExpectQtWarning *g_expected = nullptr;

// Notices of the headless platform and of the test machine, not of the code under test.
const char *const AllowedNotices[] = {
    "This plugin does not support",
    "QStandardPaths: ",
    "propagateSizeHints",
    "Fontconfig",
    "qt.qpa.fonts",
};

bool Allowed(const QString &message)
{
    for (const char *notice : AllowedNotices) {
        if (message.contains(QLatin1String(notice)))
            return true;
    }
    return false;
}

void Handler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || Allowed(message))
        return;
    for (ExpectQtWarning *e = g_expected; e; e = e->m_outer) {
        if (e->m_pattern.match(message).hasMatch()) {
            ++e->m_count;
            return;
        }
    }
    std::fprintf(stderr, "Unexpected Qt message: %s\n", qPrintable(message));
    if (::testing::UnitTest::GetInstance()->current_test_info())
        ADD_FAILURE() << "Unexpected Qt message: " << message.toStdString();
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

ExpectQtWarning::ExpectQtWarning(const QString &pattern)
    : m_pattern(pattern), m_outer(g_expected)
{
    g_expected = this;
}

ExpectQtWarning::~ExpectQtWarning()
{
    g_expected = m_outer;
}

void WarningGuard::Install()
{
    qInstallMessageHandler(Handler);
}
