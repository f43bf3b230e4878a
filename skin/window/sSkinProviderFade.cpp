// The caption-button fade: its image (the button's hot or pressed look over what lies under the
// buttons, or the skin's glow picture of the hot button), its steps, and the overlay showing it.
#include "skin/window/sSkinProviderFade.h"

#include <QCursor>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>

#include "skin/data/sCommonIndexes.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/window/sSkinProvider.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {
namespace {

constexpr int kFullOpacity = 255;
constexpr int kPressed = 2;
constexpr int kHot = 1;
constexpr const char* kGlowSuffix = "GLOW0";

QImage PremultipliedCopy(const Bitmap32& image) {
    QImage copy(image.Width(), image.Height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.Height(); ++y)
        std::memcpy(copy.scanLine(y), image.Row(y).data(), image.BytesPerLine());
    return copy;
}

} // namespace

// ---------------------------------------------------------------- the overlay

TvlFadeOverlay::TvlFadeOverlay(QWidget* owner, const Bitmap32& image, TPoint position)
    : QWidget(owner), image_(PremultipliedCopy(image)) {
    MarkEngineWindow(this);
    setObjectName(QStringLiteral("TvlSBAnimation"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(position.X, position.Y, image.Width(), image.Height());
    raise();
    show();
}

void TvlFadeOverlay::SetOpacity(int opacity) {
    opacity = std::clamp(opacity, 0, kFullOpacity);
    if (opacity == opacity_)
        return;
    opacity_ = opacity;
    update();
}

void TvlFadeOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setOpacity(opacity_ / double(kFullOpacity));
    painter.drawImage(0, 0, image_);
}

// ---------------------------------------------------------------- the fade

TvlSBAnimation::TvlSBAnimation(TsSkinProvider& provider, TsCaptionButton& button)
    : provider_(provider), button_(button) {
    timer_.setInterval(kIntervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TvlSBAnimation::Tick);
}

TvlSBAnimation::~TvlSBAnimation() { DropWindow(); }

void TvlSBAnimation::Aim(int state) {
    if (target_ < 0) {
        // Nothing is shown: a fade back to normal has nothing to do.
        if (state != 0)
            Start(state);
        return;
    }
    maxSteps_ = state == kPressed ? 1 : kFadeSteps;
    fadingIn_ = state != 0;
    if (fadingIn_ && state != target_) {
        target_ = state;
        MakeImage();
    }
    if (state == kPressed) {
        // The pressed look shows at once.
        step_ = maxSteps_;
        Show(kFullOpacity);
    }
    timer_.start();
}

void TvlSBAnimation::Start(int state) {
    target_ = state;
    if (state == kPressed)
        DropWindow();
    maxSteps_ = state == kPressed ? 1 : kFadeSteps;
    MakeImage();
    step_ = 1;
    fadingIn_ = true;
    Show(std::min(kFullOpacity / maxSteps_, kFullOpacity));
    ++step_;
    if (maxSteps_ > 1)
        timer_.start();
}

void TvlSBAnimation::Tick() {
    if (fadingIn_) {
        if (maxSteps_ < 0) {
            // Fully shown: only watch that the pointer stays on the button.
            if (!PointerOverButton()) {
                timer_.stop();
                provider_.PointerLeft();
            }
            return;
        }
        if (step_ < maxSteps_) {
            Show(std::min(kFullOpacity / maxSteps_ * step_, kFullOpacity));
            ++step_;
        } else {
            Show(kFullOpacity);
            maxSteps_ = -1;
        }
        return;
    }
    if (step_ > 0) {
        Show(std::min(kFullOpacity / maxSteps_ * step_, kFullOpacity));
        --step_;
        return;
    }
    target_ = -1;
    timer_.stop();
    DropWindow();
    image_ = Bitmap32{};
}

bool TvlSBAnimation::PointerOverButton() const {
    if (!provider_.Form())
        return false;
    const QPoint at = provider_.Form()->mapFromGlobal(QCursor::pos());
    const TRect& r = button_.Rect;
    return at.x() >= r.Left && at.x() < r.Right && at.y() >= r.Top && at.y() < r.Bottom;
}

void TvlSBAnimation::MakeImage() {
    const TsSkinModel* model = provider_.Model();
    const TRect& rect = button_.Rect;
    image_ = Bitmap32{};
    imageAt_ = {rect.Left, rect.Top};
    if (model == nullptr || !provider_.Form())
        return;
    // The hot look of Minimize, Maximize and Close may be the skin's glow picture of the button.
    const TsSkinManager* manager = provider_.Manager();
    const bool glowButton = button_.HitCode == HTMINBUTTON || button_.HitCode == HTMAXBUTTON || button_.HitCode == HTCLOSE;
    if (manager && manager->Effects.AllowGlowing && target_ == kHot && glowButton &&
        IsValidImgIndex(*model, button_.ImageIndex)) {
        const std::string name = model->ma[std::size_t(button_.ImageIndex)].PropertyName + kGlowSuffix;
        const int glow = FindMask(*model, "GLOBALINFO", name);
        if (IsValidImgIndex(*model, glow)) {
            const TsMaskData& mask = model->ma[std::size_t(glow)];
            const TsSkinData& d = model->SkinData;
            const int margin = button_.HitCode == HTCLOSE       ? d.BIconCloseGlowMargin
                               : button_.HitCode == HTMAXBUTTON ? d.BIconMaxGlowMargin
                                                                : d.BIconMinGlowMargin;
            const TRect cell = IntersectRects(CellRect(mask, 0), RectOf(MaskPicture(*model, mask)));
            image_.SetSize(WidthOf(cell, Clamp::Yes), HeightOf(cell, Clamp::Yes));
            CopyBlock(image_, 0, 0, MaskPicture(*model, mask), cell);
            imageAt_ = {rect.Left - margin, rect.Top - margin};
        }
    }
    if (image_.Empty()) {
        // The button in its new look over what lies under the buttons.
        image_.SetSize(WidthOf(rect, Clamp::Yes), HeightOf(rect, Clamp::Yes));
        const TPoint background = provider_.buttonsBackgroundAt_;
        CopyBlock(image_, 0, 0, provider_.buttonsBackground_,
                  RectAt(rect.Left - background.X, rect.Top - background.Y, WidthOf(rect), HeightOf(rect)));
        TsCaptionButton look;
        look.HitCode = button_.HitCode;
        look.ImageIndex = button_.ImageIndex;
        const TsCommonIndexes* indexes = provider_.SkinData().CommonIndexes();
        if (button_.HitCode == HTMINBUTTON && provider_.Form()->isMinimized() && indexes)
            look.ImageIndex = indexes->TitleButtons[button_.BigImage ? TitleButtonIndex::tbBigNorm
                                                                     : TitleButtonIndex::tbSmallNorm];
        const int index = button_.HitCode - kUserButtonHitBase;
        const bool user = index >= 0 && index < int(provider_.TitleButtons.size());
        if (!user || provider_.TitleButtons[std::size_t(index)].UseSkinData)
            provider_.DrawOneButton(image_, look, target_, true, {0, 0});
        if (user && !provider_.TitleButtons[std::size_t(index)].Glyph.isNull()) {
            const QImage glyph = provider_.TitleButtons[std::size_t(index)].Glyph.convertToFormat(
                QImage::Format_ARGB32_Premultiplied);
            const int shift = target_ == kPressed ? 1 : 0;
            QImage view(reinterpret_cast<uchar*>(image_.Data()), image_.Width(), image_.Height(),
                        int(image_.BytesPerLine()), QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&view);
            painter.drawImage((image_.Width() - glyph.width()) / 2 + shift, (image_.Height() - glyph.height()) / 2 + shift,
                              glyph);
        }
    }
    const int opacity = window_ ? window_->Opacity() : 0;
    DropWindow();
    window_ = new TvlFadeOverlay(provider_.Form(), image_, imageAt_);
    window_->SetOpacity(opacity);
}

void TvlSBAnimation::Show(int opacity) {
    if (window_ == nullptr)
        MakeImage();
    if (window_ != nullptr)
        window_->SetOpacity(opacity);
}

void TvlSBAnimation::DropWindow() {
    if (window_ == nullptr)
        return;
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
}

} // namespace skin
