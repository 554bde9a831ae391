#include <QCoreApplication>

#include <gtest/gtest.h>

// The server interface hands a worker's messages to the UI thread and runs completions
// there, so the tests need an application object on the main thread.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
