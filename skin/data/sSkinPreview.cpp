// The preview link's socket handling and the block parser; the manager applies the block.
#include "skin/data/sSkinPreview.h"

#include "skin/data/sSkinManager.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

namespace skin {
namespace {

std::string FieldText(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t size) {
    const auto field = bytes.subspan(offset, size);
    std::size_t length = 0;
    while (length < field.size() && field[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(field.data()), length);
}

constexpr const char* kBufferProperty = "previewBuffer";

} // namespace

bool ParsePreviewBlock(std::span<const std::uint8_t> bytes, TsPreviewBlock& block) {
    if (bytes.size() != kPreviewBlockSize)
        return false;
    const std::uint32_t marker = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                 std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    if (marker != kPreviewMarker)
        return false;
    block.SkinName = FieldText(bytes, kPreviewNameOffset, kPreviewNameSize);
    block.SkinDirectory = FieldText(bytes, kPreviewDirectoryOffset, kPreviewDirectorySize);
    block.Options = FieldText(bytes, kPreviewOptionsOffset, kPreviewOptionsSize);
    return true;
}

TvlPreviewLink::TvlPreviewLink(TsSkinManager& manager) : manager_(manager), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &TvlPreviewLink::TakeConnection);
}

TvlPreviewLink::~TvlPreviewLink() = default;

bool TvlPreviewLink::Listen(const QString& name) {
    server_->close();
    // A socket file left by a program that ended without closing it would block the name.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

QString TvlPreviewLink::ServerName() const { return server_->fullServerName(); }

void TvlPreviewLink::TakeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            ReadFrom(socket);
    }
}

void TvlPreviewLink::ReadFrom(QLocalSocket* socket) {
    if (socket->property("previewDone").toBool()) {
        socket->readAll();
        return;
    }
    QByteArray buffer = socket->property(kBufferProperty).toByteArray();
    // Never hold more than one block and one byte: anything longer is malformed anyway.
    buffer += socket->read(qint64(kPreviewBlockSize + 1 - buffer.size()));
    if (buffer.size() > qsizetype(kPreviewBlockSize) || socket->bytesAvailable() > 0) {
        socket->setProperty("previewDone", true);
        socket->abort();
        return;
    }
    if (buffer.size() < qsizetype(kPreviewBlockSize)) {
        socket->setProperty(kBufferProperty, buffer);
        return;
    }
    socket->setProperty("previewDone", true);
    socket->setProperty(kBufferProperty, QByteArray());
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(buffer.constData()), std::size_t(buffer.size()));
    std::uint32_t result = 0;
    try {
        result = static_cast<std::uint32_t>(manager_.ApplyPreviewBlock(bytes));
    } catch (const std::exception&) {
        result = 0; // the manager has shown what failed; Qt never sees the failure
    }
    const char answer[4] = {char(result & 0xFF), char((result >> 8) & 0xFF), char((result >> 16) & 0xFF),
                            char(result >> 24)};
    socket->write(answer, sizeof answer);
    socket->flush();
    socket->disconnectFromServer();
}

int TsSkinManager::ApplyPreviewBlock(std::span<const std::uint8_t> bytes) {
    TsPreviewBlock block;
    if (!ParsePreviewBlock(bytes, block))
        return 0;
    bool& previewing = PreviewFlag();
    const bool wasPreviewing = previewing;
    previewing = true;
    updatePending_ = true;
    previewOptions_ = std::make_unique<std::vector<std::string>>(SplitLines(block.Options));
    SetSkinDirectory(block.SkinDirectory);
    SetSkinName(block.SkinName);
    updatePending_ = false;
    const bool animation = AnimEffects.SkinChanging.Active;
    AnimEffects.SkinChanging.Active = false;
    AnnounceSkinLoaded(true);
    AnimEffects.SkinChanging.Active = animation;
    previewOptions_.reset();
    previewing = wasPreviewing;
    return 1;
}

bool TsSkinManager::ListenForPreview(const QString& serverName) {
    if (!previewLink_)
        previewLink_ = std::make_unique<TvlPreviewLink>(*this);
    QString name = serverName;
    if (name.isEmpty())
        name = QCoreApplication::instance() && !QCoreApplication::applicationName().isEmpty()
                   ? QCoreApplication::applicationName()
                   : QStringLiteral("Tovrin");
    return previewLink_->Listen(name);
}

QString TsSkinManager::PreviewServerName() const { return previewLink_ ? previewLink_->ServerName() : QString(); }

} // namespace skin
