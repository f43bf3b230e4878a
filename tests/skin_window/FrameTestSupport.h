// What the frame tests share: the run's skin manager (the main window's), forms shaped like the
// program's two windows, variants of the internal skin, a desktop without a compositor, and
// reading pixels of grabbed windows.
#pragma once

#include <QImage>

#include <functional>
#include <memory>
#include <string>

#include "framework/widgets/Forms.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/vlSkinPack.h"
#include "skin/window/sSkinProvider.h"

namespace skin::testing {

inline constexpr const char* kCaption = "example.org Parser";
inline constexpr int kClientWidth = 455;
inline constexpr int kClientHeight = 296;

// The default manager of the run: "Pewter (internal)" with extended borders, as the main window
// streams it. Owned by the application.
TsSkinManager& MainManager();

// A form like the main window (bsSingle, system menu only, client 455 x 296, the program icon),
// shown at (100, 100) so that the window hook gives it its provider. With active false it is
// shown without being activated.
std::unique_ptr<framework::TForm> ShowMainLikeForm(framework::TBorderIcons icons = framework::biSystemMenu,
                                                   framework::TFormBorderStyle style = framework::bsSingle);
// The provider the hook gave the form.
TsSkinProvider& ProviderOf(framework::TForm& form);

// The internal skin with its options text rewritten by edit (and extra pictures), loaded by a
// manager of its own that is the default one while this lives.
class ScopedSkin {
public:
    explicit ScopedSkin(const std::function<std::string(std::string)>& edit, std::vector<PackageEntry> pictures = {});
    ~ScopedSkin();
    ScopedSkin(const ScopedSkin&) = delete;
    ScopedSkin& operator=(const ScopedSkin&) = delete;
    TsSkinManager& Manager() { return *manager_; }

private:
    TsSkinManager* previous_;
    std::unique_ptr<TsSkinManager> manager_;
};
// Replaces the line "KEY=..." (in the first section that has it) or, with an empty value,
// removes it; adds "KEY=value" to [GLOBALINFO] when no line has the key.
std::string WithGlobal(std::string options, const std::string& key, const std::string& value);

// The desktop composites (layered windows are available) or not while this lives; every skinned
// form is told, as when a compositing manager starts or stops.
class ScopedCompositor {
public:
    explicit ScopedCompositor(bool composites);
    ~ScopedCompositor();
};

// The window as it is drawn, premultiplied ARGB; a pixel as 0xAARRGGBB.
QImage Grab(QWidget& window);
inline std::uint32_t PixelAt(const QImage& image, int x, int y) { return image.pixel(x, y); }

// Runs the event loop briefly so that posted events and repaints are done.
void Settle();
// Runs the event loop for the time given, or until done holds (false when it never did).
void Pause(int milliseconds);
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000);

inline bool Contains(const TRect& rect, int x, int y) {
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

} // namespace skin::testing
