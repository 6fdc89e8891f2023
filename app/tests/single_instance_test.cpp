#include "app/shell/single_instance.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A second copy started with files hands them over; the first opened none before.
TEST(HandOver, FilesTravelAsAbsolutePathsWhateverCharactersTheyHold)
{
    const std::vector<std::string> arguments = {"-geometry", "-x", "praia 1.jpg", "/fotos/férias/100%.png", "../a\tb.bmp"};
    const QString command = HandOverCommand(arguments, "/home/ana/fotos");
    EXPECT_TRUE(command.startsWith("files ")) << command.toStdString();
    EXPECT_FALSE(command.contains('\n'));
    const auto files = HandedOverFiles(command);
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (std::vector<std::string>{"/home/ana/fotos/praia 1.jpg", "/fotos/férias/100%.png", "/home/ana/a\tb.bmp"}));

    EXPECT_EQ(HandOverCommand({}, "/tmp"), kForwardCommand);
    EXPECT_EQ(HandOverCommand({"-x", ""}, "/tmp"), kForwardCommand) << "only switches: nothing to hand over";
    EXPECT_FALSE(HandedOverFiles(kForwardCommand));
    EXPECT_FALSE(HandedOverFiles("filesystem /a"));
    EXPECT_EQ(HandedOverFiles("files"), std::vector<std::string>{});
}

// A command that opens a modal dialog runs a loop of its own; the copy that sent it may give
// up and go meanwhile, and its socket with it.
TEST(InstanceServer, ACommandWithALoopOfItsOwnOutlivesTheSenderGoing)
{
    const QString name = QStringLiteral("lv-instance-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance server(name);
    QLocalSocket sender;
    std::vector<QString> handled;
    ASSERT_TRUE(server.listen([&](const QString& command) {
        handled.push_back(command);
        sender.abort();
        QEventLoop dialog;
        QTimer::singleShot(300, &dialog, &QEventLoop::quit);
        dialog.exec();
    }));
    sender.connectToServer(name);
    ASSERT_TRUE(sender.waitForConnected(2000));
    sender.write("modal\nsecond\n");
    ASSERT_TRUE(sender.waitForBytesWritten(2000));
    for (int i = 0; i < 200 && handled.empty(); ++i)
        QTest::qWait(10);
    QTest::qWait(100);
    // The second line went with the socket.
    EXPECT_EQ(handled, std::vector<QString>{QStringLiteral("modal")});
}

}  // namespace
}  // namespace lv::app
