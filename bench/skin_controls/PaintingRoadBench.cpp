// The painting road of one 61 x 29 control of the internal skin: its cache rebuilt from its
// section over its parent's image and copied to its window; its caption written with four
// contours and with a 4-pixel glow; one fade frame; and how often an idle window wakes up.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <memory>

#include "framework/core/SkinCommand.h"
#include "resources/MainSkinManager.h"
#include "skin/controls/sFade.h"
#include "skin/window/sWidgetAccess.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sImageView.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sSkinnedText.h"

namespace {

using namespace skin;

constexpr int kWidth = 61, kHeight = 29;
const QString kCaption = QStringLiteral("Start scan"); // ten letters

// A control as the engine's controls are wired: a record, a cache, the record fed its events.
class BenchControl : public QWidget {
public:
    BenchControl(QWidget* parent, int kind, const char* section) : QWidget(parent), record(this, TsRecordCache::With) {
        record.ControlKind = kind;
        record.SetSkinSection(section);
        record.AfterPropertiesLoaded();
    }
    ~BenchControl() override { MarkDestroying(this); }
    void Rebuild() {
        record.EnsureCacheBitmap();
        const TsParentBackdrop parent = ParentBackdrop(record);
        PaintSection(record, parent.Backdrop, record.PaintState(), UseBackdrop::Yes, *record.CacheBitmap, {0, 0},
                     RectOf(*record.CacheBitmap));
        record.BackgroundStale = false;
    }
    TsCtrlSkinData record;
    QPointer<TsFadeTimer> fade;

protected:
    bool event(QEvent* event) override {
        if (event->type() == framework::kSkinCommandEventType) {
            auto* command = static_cast<framework::SkinCommandEvent*>(event);
            if (command->Command() == SKC_CLEAR_BG_CHANGED)
                Rebuild();
            if (command->Command() == SKC_STOP_FADING) {
                StopButtonFade(fade);
                return true;
            }
        }
        if (record.HandleSkinMessage(event))
            return true;
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
            const bool handled = QWidget::event(event);
            FadeButton(this, record, fade, false, true);
            return handled;
        }
        return QWidget::event(event);
    }
    void paintEvent(QPaintEvent*) override {
        if (record.BackgroundStale)
            Rebuild();
        QPainter painter(this);
        CopyCacheToDC(this, record, RectOf(*record.CacheBitmap), false, painter, RectAt(0, 0, width(), height()));
    }
};

TsSkinManager& Manager() {
    static TsSkinManager* manager = [] {
        auto* created = new TsSkinManager(QCoreApplication::instance());
        created->BeginLoading();
        created->SetSkinDirectory("/nonexistent/tovrin-skins");
        // Text sections with four contours and with a glow, beside the internal skin's own; in
        // place before the skin name loads the skin.
        created->SetCommonSections({"[BENCHCONTOURS]", "COLOR=16777215", "FONTCOLOR=0", "TCLEFT=255", "TCTOP=65280",
                                    "TCRIGHT=16711680", "TCBOTTOM=65535", "[BENCHGLOW]", "COLOR=16777215",
                                    "FONTCOLOR=0", "GCOL=16711680", "GSIZE=4"});
        ApplyMainSkinManagerProperties(*created);
        created->EndLoading();
        return created;
    }();
    return *manager;
}

// A window with a gradient toolbar and a button on it, shown.
struct Scene {
    Scene() {
        Manager();
        window.resize(200, 100);
        parent = new BenchControl(&window, 51, "TOOLBAR");
        parent->setGeometry(0, 0, 200, 100);
        control = new BenchControl(parent, 93, "BUTTON");
        control->setGeometry(20, 30, kWidth, kHeight);
        window.show();
        parent->Rebuild();
        control->Rebuild();
    }
    QWidget window;
    BenchControl* parent = nullptr;
    BenchControl* control = nullptr;
};

void CacheRebuildAndCopy(benchmark::State& state) {
    Scene scene;
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        scene.control->Rebuild();
        QPainter painter(&screen);
        CopyCacheToDC(scene.control, scene.control->record, RectAt(0, 0, kWidth, kHeight), false, painter,
                      RectAt(0, 0, kWidth, kHeight));
    }
}

void SkinnedCaption(benchmark::State& state, const char* section) {
    Scene scene;
    BenchControl* control = new BenchControl(scene.parent, 93, section);
    control->setGeometry(20, 30, kWidth, kHeight);
    control->Rebuild();
    const Bitmap32 clean = *control->record.CacheBitmap;
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    for (auto _ : state) {
        state.PauseTiming();
        *control->record.CacheBitmap = clean;
        state.ResumeTiming();
        TsCanvas canvas{*control->record.CacheBitmap, font, TColor{0}};
        WriteSkinnedText(canvas, kCaption, true, 0, control->record, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                         RectAt(0, 0, kWidth, kHeight));
    }
}

void FadeFrameOfAControl(benchmark::State& state) {
    Scene scene;
    const Bitmap32 before = *scene.control->record.CacheBitmap;
    scene.control->record.MouseOver = true;
    scene.control->Rebuild();
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    int step = 1;
    for (auto _ : state) {
        // The blend of the timer's frame and its block copy to the window.
        const Bitmap32 frame = FadeFrame(before, *scene.control->record.CacheBitmap, step, 10);
        QPainter painter(&screen);
        DrawOpaque(painter, {0, 0}, frame, RectOf(frame));
        step = step % 10 + 1;
    }
}

// Counts the timer events the application delivers, but those of the timer that ends the wait.
class TimerCounter : public QObject {
public:
    explicit TimerCounter(const QTimer* ending) : ending_(ending) {}
    int ticks = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        ticks += event->type() == QEvent::Timer && watched != ending_;
        return false;
    }

private:
    const QTimer* ending_;
};

double ProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// An idle second of a window with twenty fading buttons, after one has faded in and out.
void IdleWindowWithFades(benchmark::State& state) {
    Scene scene;
    std::vector<BenchControl*> buttons;
    for (int i = 0; i < 20; ++i) {
        auto* button = new BenchControl(scene.parent, 93, "BUTTON");
        button->setGeometry(5 + (i % 4) * 48, 2 + (i / 4) * 19, 45, 17);
        button->show();
        button->Rebuild();
        buttons.push_back(button);
    }
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(buttons.front(), &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(buttons.front(), &leave);
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTimer end;
    end.setSingleShot(true);
    TimerCounter counter(&end);
    qApp->installEventFilter(&counter);
    for (auto _ : state) {
        const double cpuStart = ProcessSeconds();
        QEventLoop loop;
        QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
        end.start(1000);
        loop.exec();
        state.counters["cpu_ms_per_s"] = (ProcessSeconds() - cpuStart) * 1000.0;
    }
    qApp->removeEventFilter(&counter);
    state.counters["timer_wakeups"] = counter.ticks;
    state.counters["live_fade_timers"] = LiveFadeTimers();
}

BENCHMARK(CacheRebuildAndCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SkinnedCaption, four_contours, "BENCHCONTOURS")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SkinnedCaption, glow_4px, "BENCHGLOW")->Unit(benchmark::kMicrosecond);
BENCHMARK(FadeFrameOfAControl)->Unit(benchmark::kMicrosecond);
BENCHMARK(IdleWindowWithFades)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallWidgetAccess();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
