// The preview link: another program of the same user sends a skin (name, folder and options
// text) as one 30 646-byte block over a local socket named after this program; the skin manager
// shows it. Anything that is not exactly one well-formed block is ignored.
//
//   offset  size    field
//   0       4       marker 0xA400, little-endian
//   4       128     skin name        (8-bit text, ends at its first NUL or fills the field)
//   132     513     skin directory
//   645     30001   options text (the content of an "Options.dat")
//
// The answer is one little-endian 32-bit result: 1 when the block was taken, 0 when not.
#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <span>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace skin {

class TsSkinManager;

inline constexpr std::uint32_t kPreviewMarker = 0xA400;
inline constexpr std::size_t kPreviewNameOffset = 4, kPreviewNameSize = 128;
inline constexpr std::size_t kPreviewDirectoryOffset = 132, kPreviewDirectorySize = 513;
inline constexpr std::size_t kPreviewOptionsOffset = 645, kPreviewOptionsSize = 30001;
inline constexpr std::size_t kPreviewBlockSize = 30646;

struct TsPreviewBlock {
    std::string SkinName;
    std::string SkinDirectory;
    std::string Options;
};
// False when the block has another size or marker.
bool ParsePreviewBlock(std::span<const std::uint8_t> bytes, TsPreviewBlock& block);

class TvlPreviewLink : public QObject {
    Q_OBJECT
public:
    explicit TvlPreviewLink(TsSkinManager& manager);
    ~TvlPreviewLink() override;
    // Listens as the given name, for this user only; false when the socket cannot be opened.
    bool Listen(const QString& name);
    QString ServerName() const;

private:
    void TakeConnection();
    void ReadFrom(QLocalSocket* socket);

    TsSkinManager& manager_;
    QLocalServer* server_;
};

} // namespace skin
