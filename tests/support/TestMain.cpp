// Test entry point: a QApplication on the offscreen platform, so font metrics, images and
// widgets work without a display.
#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always written with a "."
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
