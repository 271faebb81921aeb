// Test runner for the user interface: one QApplication for all tests, offscreen unless
// the environment chose a platform.

#include <gtest/gtest.h>

#include <QByteArray>

#include "ui/VelmoraApplication.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    velmora::VelmoraApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
