// The provider's life: attaching to a form, taking its frame over when a skin is in force and
// giving it back when the skin goes, the extended-border switch, the published properties.
#include "skin/window/sSkinProvider.h"

#include <QKeySequence>
#include <QShortcut>
#include <QTimer>

#include "framework/base/SysUtils.h"
#include "framework/core/SkinCommand.h"
#include "framework/widgets/InputShape.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sControlAccess.h"
#include "skin/window/sSkinProviderBorder.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sSkinProviderSysMenu.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {
namespace {

constexpr const char* kFormSection = "FORM";
constexpr const char* kCaptionSection = "CAPTION";
constexpr int kSystemMenuDelayMs = 200;

} // namespace

bool TsSkinProvider::buttonPressed_ = false;

bool TsSkinProvider::ButtonPressed() { return buttonPressed_; }

TsSkinProvider::TsSkinProvider(framework::TForm* form, TsProviderOrigin origin)
    : QObject(form), form_(form), record_(this, form, TsRecordCache::With), hookMade_(origin == TsProviderOrigin::Hook) {
    if (form == nullptr)
        throw framework::Exception("TsSkinProvider component may be used with forms only!");
    setObjectName(QStringLiteral("TsSkinProvider"));
    buttons_[0].HitCode = HTMINBUTTON;
    buttons_[1].HitCode = HTMAXBUTTON;
    buttons_[2].HitCode = HTCLOSE;
    buttons_[3].HitCode = HTHELP;
    // A form that has a provider already keeps it; this one stays idle.
    if (framework::SendSkinCommand(form, SKC_GET_PROVIDER) != 0)
        return;
    serving_ = true;
    record_.ControlKind = kProviderKind;
    record_.SetSkinSection(kFormSection);
    systemMenu_ = std::make_unique<TsSystemMenu>(form);
    systemMenu_->OnCommand = [this](int command) { SystemCommand(command); };
    systemMenuDelay_ = new QTimer(this);
    systemMenuDelay_->setSingleShot(true);
    systemMenuDelay_->setInterval(kSystemMenuDelayMs);
    connect(systemMenuDelay_, &QTimer::timeout, this, [this] { ShowSystemMenu(systemMenuDelayAt_); });
    auto* keyMenu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), form);
    keyMenu->setContext(Qt::WindowShortcut);
    connect(keyMenu, &QShortcut::activated, this, [this] { SystemCommand(SC_KEYMENU, kSpaceKey); });
    connect(form, &framework::TForm::Destroying, this, [this] {
        // The form is going: nothing of it may be touched from here on.
        MarkDestroying(form_);
        DropButtonAnimations();
        borderForm_.reset();
        frameTaken_ = false;
        form_ = nullptr;
    });
    form->installEventFilter(this);
    form->client()->installEventFilter(this);
    if (!hookMade_)
        Start();
}

TsSkinProvider::~TsSkinProvider() {
    if (!serving_)
        return;
    DropButtonAnimations();
    if (form_) {
        GiveFrameBack();
        form_->removeEventFilter(this);
        form_->client()->removeEventFilter(this);
    }
    borderForm_.reset();
}

TsSkinManager* TsSkinProvider::Manager() const { return qobject_cast<TsSkinManager*>(record_.Manager()); }

const TsSkinModel* TsSkinProvider::Model() const { return record_.Model(); }

bool TsSkinProvider::SkinInForce() const {
    const TsSkinManager* manager = Manager();
    return form_ && manager != nullptr && manager->Active() && record_.Section() != nullptr;
}

TsSystemMenu& TsSkinProvider::SystemMenu() { return *systemMenu_; }

// ---------------------------------------------------------------- start and skin changes

// The set-up a hook-made provider finishes once the form is complete.
void TsSkinProvider::Start() {
    if (started_ || !serving_ || !form_)
        return;
    started_ = true;
    systemMenu_->Rebuild();
    ChooseButtonImages();
    const TsSkinModel* model = Model();
    captionSectionIndex_ = model ? GetSkinIndex(*model, kCaptionSection) : -1;
    if (SkinInForce() && drawNonClientArea_)
        TakeFrame();
}

void TsSkinProvider::SkinLoaded() {
    DropButtonAnimations();
    record_.ResolveSection();
    titleSectionIndex_ = -1;
    const TsSkinModel* model = Model();
    captionSectionIndex_ = model ? GetSkinIndex(*model, kCaptionSection) : -1;
    ChooseButtonImages();
    record_.BackgroundStale = true;
    regionStale_ = true;
    if (!started_)
        return;
    if (SkinInForce() && drawNonClientArea_)
        TakeFrame();
    else
        GiveFrameBack();
    ReshowHotButton();
}

void TsSkinProvider::SkinRemoved() {
    GiveFrameBack();
    titleSectionIndex_ = captionSectionIndex_ = userButtonsImage_ = -1;
}

void TsSkinProvider::SkinRefreshed() {
    DropButtonAnimations();
    ChooseButtonImages();
    record_.BackgroundStale = true;
    regionStale_ = true;
    if (!started_)
        return;
    if (SkinInForce() && drawNonClientArea_)
        TakeFrame();
    else
        GiveFrameBack();
    ReshowHotButton();
}

void TsSkinProvider::ReshowHotButton() {
    // Its fade went with the pictures of the skin that was; under the pointer (or held down) it
    // fades in again in the skin now in force, and it fades out when the pointer leaves.
    if (!frameTaken_ || hotHitCode_ <= 0)
        return;
    if (const TsCaptionButton* button = CaptionButton(hotHitCode_); button && button->State != 0) {
        RedrawCaptionButton(hotHitCode_);
        // The frame may have been drawn with the look in it while the button had no fade.
        InvalidateFrame();
    }
}

// ---------------------------------------------------------------- the frame

bool TsSkinProvider::ExtendedBorderAllowed() const {
    const TsSkinManager* manager = Manager();
    return manager != nullptr && manager->ExtendedBordersInEffect() && HasFrame() && drawNonClientArea_ &&
           form_->isWindow() && allowExtBorders_;
}

void TsSkinProvider::TakeFrame() {
    if (!form_)
        return;
    if (!frameTaken_) {
        frameTaken_ = true;
        QWidget* client = form_->client();
        clientAutoFill_ = client->autoFillBackground();
        // The client background comes from the FrameBitmap, every pixel of it.
        client->setAutoFillBackground(false);
        client->setAttribute(Qt::WA_OpaquePaintEvent, true);
        // Hover over the frame comes as the form's own moves, without a button held.
        formTracking_ = form_->hasMouseTracking();
        form_->setMouseTracking(true);
    }
    SwitchExtendedBorder(ExtendedBorderAllowed());
}

void TsSkinProvider::GiveFrameBack() {
    if (!frameTaken_ || !form_)
        return;
    DropButtonAnimations();
    SetHotButton(-1, false);
    const bool shown = form_->isVisible();
    const QPoint clientAt = shown ? form_->client()->mapToGlobal(QPoint()) : QPoint();
    borderForm_.reset();
    framework::SetInputRegion(form_, QRegion());
    if (!form_->mask().isEmpty())
        form_->clearMask();
    windowRegion_ = QRegion();
    regionRects_.clear();
    QWidget* client = form_->client();
    client->setAttribute(Qt::WA_OpaquePaintEvent, false);
    client->setAutoFillBackground(clientAutoFill_);
    form_->setMouseTracking(formTracking_);
    // The frame is the window manager's again before the window shows with it.
    frameTaken_ = false;
    form_->GiveBackFrame();
    if (shown)
        form_->move(form_->pos() + clientAt - form_->client()->mapToGlobal(QPoint()));
    if (record_.CacheBitmap)
        *record_.CacheBitmap = Bitmap32{};
    record_.BackgroundStale = true;
    form_->update();
}

void TsSkinProvider::SwitchExtendedBorder(bool on) {
    if (on && !borderForm_)
        borderForm_ = std::make_unique<TvlBorderForm>(*this);
    else if (!on && borderForm_)
        borderForm_.reset();
    Relayout();
}

// Sizes the top-level to the frame and puts the client widget where the frame leaves it, keeping
// a shown client where it is on the screen.
void TsSkinProvider::Relayout() {
    if (!form_ || !frameTaken_)
        return;
    DropButtonAnimations();
    const bool shown = form_->isVisible();
    const QPoint clientAt = shown ? form_->client()->mapToGlobal(QPoint()) : QPoint();
    const int left = ClientOffsetX();
    const int top = ClientOffsetY();
    const QMargins margins(left, top, FrameWidth() - left - form_->ClientWidth(),
                           FrameHeight() - top - form_->ClientHeight());
    if (margins != form_->NonClientMargins() || !form_->FrameTakenOver())
        form_->TakeOverFrame(margins, framework::FrameTakeOver::Translucent);
    if (shown)
        form_->move(form_->pos() + clientAt - form_->client()->mapToGlobal(QPoint()));
    record_.BackgroundStale = true;
    regionStale_ = true;
    BuildWindowRegion(false);
    if (borderForm_)
        borderForm_->Update(true);
    else
        framework::SetInputRegion(form_, QRegion());
    form_->update();
}

void TsSkinProvider::InvalidateFrame() {
    record_.BackgroundStale = true;
    if (!form_ || !frameTaken_)
        return;
    if (borderForm_)
        borderForm_->Update(true);
    else
        form_->update(QRegion(form_->rect()) - form_->client()->geometry());
}

void TsSkinProvider::DropButtonAnimations() {
    for (TsCaptionButton& button : buttons_)
        button.Animation.reset();
    for (TsCaptionButton& button : userButtons_)
        button.Animation.reset();
}

// ---------------------------------------------------------------- properties

void TsSkinProvider::SetAllowExtBorders(bool allow) {
    if (allow == allowExtBorders_)
        return;
    allowExtBorders_ = allow;
    if (frameTaken_)
        SwitchExtendedBorder(ExtendedBorderAllowed());
}

void TsSkinProvider::SetCaptionAlignment(framework::TAlignment alignment) {
    if (alignment == captionAlignment_)
        return;
    captionAlignment_ = alignment;
    InvalidateFrame();
}

void TsSkinProvider::SetDrawNonClientArea(bool draw) {
    if (draw == drawNonClientArea_)
        return;
    drawNonClientArea_ = draw;
    if (!started_)
        return;
    if (draw && SkinInForce())
        TakeFrame();
    else
        GiveFrameBack();
}

void TsSkinProvider::SetGripMode(TsGripMode mode) {
    if (mode == gripMode_)
        return;
    gripMode_ = mode;
    InvalidateFrame();
}

void TsSkinProvider::SetShowAppIcon(bool show) {
    if (show == showAppIcon_)
        return;
    showAppIcon_ = show;
    InvalidateFrame();
}

void TsSkinProvider::SetTitleSkin(const std::string& section) {
    if (section == titleSkin_)
        return;
    titleSkin_ = section;
    titleSectionIndex_ = -1;
    InvalidateFrame();
}

void TsSkinProvider::TitleChanged() {
    DropButtonAnimations();
    userButtons_.clear();
    InvalidateFrame();
}

TsSkinProvider* ProviderOf(QObject* form) {
    return reinterpret_cast<TsSkinProvider*>(framework::SendSkinCommand(form, SKC_GET_PROVIDER));
}

} // namespace skin
