// The shared pieces of the frame tests.
#include "FrameTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "resources/MainSkinManager.h"
#include "resources/ProgramIcon.h"
#include "resources/TovrinResources.h"
#include "skin/data/sSkinHost.h"
#include "skin/window/vlDials.h"

namespace skin::testing {

TsSkinManager& MainManager() {
    static TsSkinManager* manager = CreateMainSkinManager(*QCoreApplication::instance());
    return *manager;
}

std::unique_ptr<framework::TForm> ShowMainLikeForm(framework::TBorderIcons icons, framework::TFormBorderStyle style) {
    auto form = std::make_unique<framework::TForm>();
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetClientSize(kClientWidth, kClientHeight);
    form->SetCaption(QString::fromLatin1(kCaption));
    form->setWindowIcon(ProgramIcon());
    form->move(100, 100);
    form->show();
    Settle();
    return form;
}

TsSkinProvider& ProviderOf(framework::TForm& form) {
    TsSkinProvider* provider = skin::ProviderOf(&form);
    if (provider == nullptr)
        throw std::runtime_error("the form has no skin provider");
    return *provider;
}

std::string WithGlobal(std::string options, const std::string& key, const std::string& value) {
    const std::string prefix = key + "=";
    const std::size_t at = options.find("\n" + prefix);
    if (at != std::string::npos) {
        const std::size_t start = at + 1;
        const std::size_t end = options.find('\n', start);
        const std::string line = value.empty() ? std::string() : prefix + value;
        options.replace(start, (end == std::string::npos ? options.size() : end) - start, line);
        return options;
    }
    const std::string section = "[GLOBALINFO]";
    const std::size_t global = options.find(section);
    if (global != std::string::npos && !value.empty())
        options.insert(global + section.size(), "\n" + prefix + value);
    return options;
}

ScopedSkin::ScopedSkin(const std::function<std::string(std::string)>& edit, std::vector<PackageEntry> pictures)
    : previous_(TsSkinManager::DefaultManager()) {
    const std::unique_ptr<TvlSkinConvertor> package = ReadPackageBytes(InternalSkinPackage(), "internal");
    std::vector<PackageEntry> entries;
    const std::string options(package->OptionsStream->begin(), package->OptionsStream->end());
    const std::string edited = edit(options);
    entries.push_back({package->OptionsName, ByteArray(edited.begin(), edited.end())});
    for (const TvlImageItem& image : package->Images) {
        bool replaced = false;
        for (const PackageEntry& picture : pictures)
            replaced = replaced || picture.Name == image.Name;
        if (!replaced)
            entries.push_back({image.Name, image.Data});
    }
    for (PackageEntry& picture : pictures)
        entries.push_back(std::move(picture));
    SortPackageEntries(entries);
    TsStoredSkin stored;
    stored.Name = "Pewter (variant)";
    stored.Data = WritePackage(entries);
    manager_ = std::make_unique<TsSkinManager>();
    manager_->BeginLoading();
    manager_->SetExtendedBorders(true);
    manager_->InternalSkins().push_back(std::move(stored));
    manager_->SetSkinName("Pewter (variant)");
    manager_->EndLoading();
    manager_->SetIsDefault(true);
}

ScopedSkin::~ScopedSkin() {
    if (previous_ != nullptr)
        previous_->SetIsDefault(true);
    manager_.reset();
}

namespace {

class CompositorHost : public TsSkinHost {
public:
    explicit CompositorHost(bool composites) : composites_(composites) {}
    bool LayeredWindowsAvailable() const override { return composites_; }

private:
    bool composites_;
};

} // namespace

ScopedCompositor::ScopedCompositor(bool composites) {
    InstallSkinHost(std::make_unique<CompositorHost>(composites));
    CompositionChanged();
    Settle();
}

ScopedCompositor::~ScopedCompositor() {
    InstallSkinHost(nullptr);
    CompositionChanged();
    Settle();
}

QImage Grab(QWidget& window) {
    Settle();
    return window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void Settle() {
    QElapsedTimer timer;
    timer.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (timer.elapsed() < 20);
}

void Pause(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace skin::testing
