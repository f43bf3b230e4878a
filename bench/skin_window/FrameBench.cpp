// The skinned frame of a form shaped like the main window (client 455 x 296, extended borders,
// "Pewter (internal)"): the 499 x 363 FrameBitmap rendered from a stale state; one frame of the
// Close button's fade (the step and the repaint of its image over the frame); a window move,
// counting the renders it causes (none).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <memory>

#include "framework/widgets/Application.h"
#include "framework/widgets/Forms.h"
#include "resources/DefaultShadowPictures.h"
#include "resources/MainSkinManager.h"
#include "resources/ProgramIcon.h"
#include "skin/window/sSkinProvider.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/window/vlDials.h"

namespace {

using namespace skin;

void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

framework::TForm& MainLikeForm() {
    static std::unique_ptr<framework::TForm> form = [] {
        auto made = std::make_unique<framework::TForm>();
        made->SetBorderStyle(framework::bsSingle);
        made->SetBorderIcons(framework::biSystemMenu);
        made->SetClientSize(455, 296);
        made->SetCaption(QStringLiteral("files.tovrin.example Parser"));
        made->setWindowIcon(ProgramIcon());
        made->move(100, 100);
        made->show();
        Settle();
        return made;
    }();
    return *form;
}

TsSkinProvider& Provider() { return *ProviderOf(&MainLikeForm()); }

void RenderFrameFromStale(benchmark::State& state) {
    TsSkinProvider& provider = Provider();
    for (auto _ : state) {
        provider.SkinData().BackgroundStale = true;
        provider.RenderFrame();
        benchmark::DoNotOptimize(provider.FrameBitmap());
    }
    state.counters["width"] = provider.FrameBitmap()->Width();
    state.counters["height"] = provider.FrameBitmap()->Height();
}

// A hover on Close starts the fade; each iteration is one step of it (the step and the repaint
// of the overlay over the frame, as the 12 ms timer does), turned round at either end.
void CaptionButtonFadeFrame(benchmark::State& state) {
    framework::TForm& form = MainLikeForm();
    TsSkinProvider& provider = Provider();
    const QPoint close(465, 29);
    QCursor::setPos(form.mapToGlobal(close));
    QMouseEvent move(QEvent::MouseMove, close, form.mapToGlobal(close), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &move);
    TvlSBAnimation* fade = provider.CaptionButton(HTCLOSE)->Animation.get();
    if (fade == nullptr || fade->Window() == nullptr) {
        state.SkipWithError("no fade started");
        return;
    }
    for (auto _ : state) {
        if (fade->Target() < 0 || fade->MaxSteps() < 0)
            fade->Aim(fade->FadingIn() ? 0 : 1);
        fade->Tick();
        if (TvlFadeOverlay* overlay = fade->Window())
            overlay->repaint();
    }
}

void WindowMove(benchmark::State& state) {
    framework::TForm& form = MainLikeForm();
    TsSkinProvider& provider = Provider();
    const int before = provider.RenderCount();
    int step = 0;
    for (auto _ : state) {
        form.move(100 + (step & 15), 100 + (step & 7));
        ++step;
        QCoreApplication::processEvents();
    }
    state.counters["renders"] = provider.RenderCount() - before;
}

BENCHMARK(RenderFrameFromStale)->Unit(benchmark::kMicrosecond);
BENCHMARK(CaptionButtonFadeFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(WindowMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    framework::TApplication application(argc, argv);
    InstallDefaultShadowPictures();
    InstallWidgetAccess();
    InstallWindowHook();
    CreateMainSkinManager(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
