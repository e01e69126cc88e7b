#include "gui/SingleInstance.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QTest>
#include <QFileInfo>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A server name of its own per test, so tests never meet a running VornPrn.
QString uniqueName()
{
    return SingleInstance::NameFor(makeTempDir());
}

// A later start handing a file over runs in its own thread: the running program answers from
// this thread's event loop, which the test keeps turning.
bool handOffWhileServing(const QString &name, const QString &file, int timeoutMs = 5000)
{
    auto later = std::async(std::launch::async, [&] { return SingleInstance(name).HandOff(file, timeoutMs); });
    while (later.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return later.get();
}

// What a program killed while it served leaves behind: the socket file, with nobody listening.
void leaveStaleSocket(const QString &name)
{
    const QByteArray path = QDir::tempPath().toUtf8() + '/' + name.toUtf8();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(QString::fromUtf8(path)));
}
} // namespace

TEST(SingleInstance, AFileGoesToTheRunningProgramAsAnAbsolutePath)
{
    const QString name = uniqueName();
    SingleInstance running(name);
    ASSERT_TRUE(running.Listen());
    QStringList received;
    QObject::connect(&running, &SingleInstance::FileReceived, [&](const QString &f) { received << f; });

    const QString dir = makeTempDir();
    ASSERT_TRUE(QDir::setCurrent(dir));
    EXPECT_TRUE(handOffWhileServing(name, "投注 单.tzd"));
    EXPECT_TRUE(handOffWhileServing(name, "/tmp/bets.txt"));
    EXPECT_TRUE(WaitUntil([&] { return received.size() >= 2; }, 2000));
    EXPECT_EQ(received, QStringList({dir + "/投注 单.tzd", "/tmp/bets.txt"}));
}

TEST(SingleInstance, WithNobodyRunningTheStartOpensItsOwnWindowAtOnce)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(SingleInstance(uniqueName()).HandOff("/tmp/a.tzd", 5000));
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST(SingleInstance, TheSocketOfAKilledProgramIsRemovedAndServedAgain)
{
    const QString name = uniqueName();
    leaveStaleSocket(name);
    EXPECT_FALSE(SingleInstance(name).HandOff("/tmp/a.tzd", 2000));

    SingleInstance next(name);
    ASSERT_TRUE(next.Listen());
    QStringList received;
    QObject::connect(&next, &SingleInstance::FileReceived, [&](const QString &f) { received << f; });
    EXPECT_TRUE(handOffWhileServing(name, "/tmp/a.tzd"));
    EXPECT_TRUE(WaitUntil([&] { return !received.isEmpty(); }, 2000));
    EXPECT_EQ(received, QStringList({"/tmp/a.tzd"}));
}

TEST(SingleInstance, ASecondProgramDoesNotTakeTheFirstOnesPlace)
{
    const QString name = uniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    int firstGot = 0;
    QObject::connect(&first, &SingleInstance::FileReceived, [&] { ++firstGot; });
    SingleInstance second(name);
    // The first one answers the second's question from its event loop.
    auto listened = std::async(std::launch::async, [&] { return second.Listen(); });
    while (listened.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_FALSE(listened.get());
    EXPECT_FALSE(second.IsListening());
    EXPECT_TRUE(handOffWhileServing(name, "/tmp/a.txt"));
    EXPECT_TRUE(WaitUntil([&] { return firstGot > 0; }, 2000));
    EXPECT_EQ(firstGot, 1);
}

TEST(SingleInstance, EachConfigurationFolderHasItsOwnName)
{
    EXPECT_EQ(SingleInstance::NameFor("/home/a/.config/VornPrn"), SingleInstance::NameFor("/home/a/.config/VornPrn/"));
    EXPECT_EQ(SingleInstance::NameFor("/home/a/.config/VornPrn"), SingleInstance::NameFor("/home/a/.config/../.config/VornPrn"));
    EXPECT_NE(SingleInstance::NameFor("/home/a/.config/VornPrn"), SingleInstance::NameFor("/home/b/.config/VornPrn"));
    EXPECT_TRUE(SingleInstance::NameFor("/x").startsWith("VornPrn-"));
}
