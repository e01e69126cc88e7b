// Test entry point on the offscreen platform, so font metrics and images work without a
// display: a QGuiApplication for the logic tests, a QApplication for the widget tests.
#ifdef VORN_TEST_WIDGETS
#include "ModalWatchdog.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include "TestSupport.h"
#include "common/clsRegIni.h"

#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always written with a "."
    // What windows remember for the user (placement, recent files) never reaches the real
    // user's settings from a test.
    clsRegIni::SetStoreFile(makeTempDir() + QStringLiteral("/registry.ini"));
    ::testing::InitGoogleTest(&argc, argv);
#ifdef VORN_TEST_WIDGETS
    // A modal window nobody closes fails its test within seconds instead of holding it.
    ModalWatchdog::Instance();
#endif
    return RUN_ALL_TESTS();
}
