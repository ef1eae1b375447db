#include "application.h"
#include "setupctrls.h"
#include "warningguard.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    WarningGuard::Install();
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    SetupCtrls::Install();
    return RUN_ALL_TESTS();
}
