// The preview link: a local-socket client sends good and malformed blocks.
#include "SkinCommandRecorder.h"
#include "SkinDataFixtures.h"

#include "skin/data/sSkinPreview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <cstring>

namespace skin {
namespace {

using testing::FixtureSkin;
using testing::TempFolder;

QByteArray PreviewBlock(std::uint32_t marker, const std::string& name, const std::string& directory,
                        const std::string& options) {
    QByteArray block(int(kPreviewBlockSize), '\0');
    for (int i = 0; i < 4; ++i)
        block[i] = char((marker >> (8 * i)) & 0xFF);
    std::memcpy(block.data() + kPreviewNameOffset, name.data(), std::min(name.size(), kPreviewNameSize));
    std::memcpy(block.data() + kPreviewDirectoryOffset, directory.data(), std::min(directory.size(), kPreviewDirectorySize));
    std::memcpy(block.data() + kPreviewOptionsOffset, options.data(), std::min(options.size(), kPreviewOptionsSize));
    return block;
}

// Sends bytes and waits (running this thread's events, where the server lives) for the answer
// or for the server to close the connection. Returns the answer, or -1 when there was none.
int Send(const QString& server, const QByteArray& bytes, bool closeAfterSending = false) {
    QLocalSocket socket;
    socket.connectToServer(server);
    QElapsedTimer timer;
    timer.start();
    while (socket.state() != QLocalSocket::ConnectedState && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(socket.state(), QLocalSocket::ConnectedState);
    socket.write(bytes);
    socket.flush();
    if (closeAfterSending)
        socket.disconnectFromServer();
    while (socket.bytesAvailable() < 4 && socket.state() == QLocalSocket::ConnectedState && timer.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        socket.waitForReadyRead(10);
    }
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const QByteArray answer = socket.readAll();
    if (answer.size() != 4)
        return -1;
    return int(std::uint8_t(answer[0]) | std::uint8_t(answer[1]) << 8);
}

class SkinPreviewLink : public ::testing::Test {
protected:
    void SetUp() override {
        FixtureSkin onDisk;
        onDisk.Options = "[GLOBALINFO]\nVERSION=8\nAUTHOR=disk\n";
        testing::WriteSkinFolder(dir / "Preview", onDisk);
        testing::WriteBytes(dir / "Preview.vlz", testing::PackSkin(onDisk));
        FixtureSkin internal;
        internal.Options = "[GLOBALINFO]\nVERSION=8\nAUTHOR=internal\n";
        TsStoredSkin stored;
        stored.Name = "Inside";
        stored.Data = testing::PackSkin(internal);
        manager.InternalSkins().push_back(std::move(stored));
        manager.SetSkinDirectory("/nonexistent/tovrin-skins");
        manager.SetSkinName("Inside");
        ASSERT_TRUE(manager.ListenForPreview(QStringLiteral("tovrin-preview-test-%1").arg(QCoreApplication::applicationPid())));
        framework::SetTopLevelWindowLister([this] { return std::vector<QObject*>{&form}; });
    }
    void TearDown() override { framework::SetTopLevelWindowLister(nullptr); }

    int LoadedAnnouncements() const {
        return int(std::count_if(log.begin(), log.end(), [](const auto& entry) { return entry.Command == 1; }));
    }

    TempFolder dir;
    TsSkinManager manager;
    std::vector<testing::ReceivedCommand> log;
    testing::SkinCommandRecorder form{"Form", log, false};
};

TEST_F(SkinPreviewLink, AGoodBlockShowsTheSentOptionsInTheNamedFolder) {
    const QByteArray block =
        PreviewBlock(kPreviewMarker, "Preview", dir.Path().string(), "[GLOBALINFO]\r\nVERSION=8\r\nAUTHOR=sent\r\n");
    EXPECT_EQ(Send(manager.PreviewServerName(), block), 1);
    EXPECT_EQ(manager.SkinData().Author, "sent") << "the folder and the sent text win over the package";
    EXPECT_EQ(manager.SkinData().SkinFolder, dir / "Preview/");
    EXPECT_EQ(manager.SkinName(), "Preview");
    EXPECT_EQ(LoadedAnnouncements(), 1);
    EXPECT_FALSE(TsSkinManager::PreviewingNow());
}

TEST_F(SkinPreviewLink, MalformedBlocksAreIgnored) {
    const QByteArray good = PreviewBlock(kPreviewMarker, "Preview", dir.Path().string(), "[GLOBALINFO]\nAUTHOR=sent\n");
    struct Case {
        const char* What;
        QByteArray Bytes;
        int Answer;
        bool Close;
    };
    const std::vector<Case> cases = {
        {"wrong marker", PreviewBlock(0xA401, "Preview", dir.Path().string(), "[GLOBALINFO]\nAUTHOR=sent\n"), 0, false},
        {"one byte short", good.left(good.size() - 1), -1, true},
        {"one byte long", good + "x", -1, false},
        {"nothing", QByteArray(), -1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Send(manager.PreviewServerName(), c.Bytes, c.Close), c.Answer) << c.What;
        EXPECT_EQ(manager.SkinData().Author, "internal") << c.What;
        EXPECT_EQ(manager.SkinName(), "Inside") << c.What;
    }
    EXPECT_EQ(LoadedAnnouncements(), 0);
    EXPECT_EQ(manager.ApplyPreviewBlock(std::span<const std::uint8_t>()), 0);
}

TEST(SkinPreviewBlock, FieldsEndAtTheirFirstNulOrFillTheField) {
    const std::string longName(kPreviewNameSize, 'N');
    const QByteArray block = PreviewBlock(kPreviewMarker, longName, "dir", "text");
    TsPreviewBlock parsed;
    ASSERT_TRUE(ParsePreviewBlock(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                            std::size_t(block.size())),
                                  parsed));
    EXPECT_EQ(parsed.SkinName, longName);
    EXPECT_EQ(parsed.SkinDirectory, "dir");
    EXPECT_EQ(parsed.Options, "text");
}

} // namespace
} // namespace skin
