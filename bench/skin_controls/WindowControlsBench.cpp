// The skinned controls of the main window: its client area repainted with every skinned
// control's cache stale, beside Qt's Fusion style painting plain Qt controls of the same kinds
// and sizes; one sweep tick of the 205 x 17 gauge (the strip's picture, and the repaint through
// its container); and a button's 10-frame hover fade.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEnterEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QWidget>

#include <memory>

#include "app/Tovrin1.h"
#include "framework/core/SkinCommand.h"
#include "framework/widgets/Application.h"
#include "skin/data/sSkinCommands.h"

namespace {

// The window without its site: its controls and its skin, shown; the standard controls the skin
// does not paint yet (edits, spin edits, table, memo) are hidden, so that both sides paint the
// same kinds of control.
struct SkinnedWindow {
    SkinnedWindow() {
        scanner::ScanSettings settings;
        settings.host = "127.0.0.1:9";
        form = std::make_unique<app::TForm1>(settings);
        for (QWidget* standard : std::initializer_list<QWidget*>{form->sSpinEdit1, form->sSpinEdit2, form->sEdit1,
                                                                  form->ListView1, form->sMemo1})
            standard->hide();
        form->sGauge1->SetMaxValue(100);
        form->sGauge1->SetProgress(50);
        form->show();
        QApplication::processEvents();
    }
    void MakeCachesStale() {
        for (QWidget* control : std::initializer_list<QWidget*>{form->sGroupBox1, form->sGroupBox2, form->sPageControl1,
                                                                 form->sButton1, form->sButton2, form->sButton3,
                                                                 form->sStatusBar1})
            framework::SendSkinCommand(control, skin::SKC_SET_BG_CHANGED);
    }
    std::unique_ptr<app::TForm1> form;
};

// Qt's own controls of the same kinds and sizes, in the application's style (Fusion).
struct FusionWindow {
    FusionWindow() {
        window.resize(455, 296);
        auto place = [&](QWidget* widget, QRect bounds) {
            widget->setParent(&window);
            widget->setGeometry(bounds);
        };
        auto* range = new QGroupBox(QStringLiteral("Диапазон"));
        place(range, {46, 0, 201, 45});
        auto* dash = new QLabel(QStringLiteral("-"), range);
        dash->setGeometry(99, 20, 5, 13);
        auto* filter = new QGroupBox(QStringLiteral("Фильтр"));
        place(filter, {250, 0, 160, 45});
        (new QLabel(QStringLiteral("Пример:"), filter))->setGeometry(92, 12, 41, 13);
        (new QLabel(QStringLiteral("jpg, mp3, rar"), filter))->setGeometry(84, 24, 63, 13);
        auto* pages = new QTabWidget;
        pages->addTab(new QWidget, QStringLiteral("Таблица"));
        pages->addTab(new QWidget, QStringLiteral("Текст"));
        place(pages, {-4, 48, 454, 193});
        place(new QPushButton(QStringLiteral("Очистить")), {236, 244, 61, 29});
        place(new QPushButton(QStringLiteral("Старт")), {324, 244, 61, 29});
        place(new QPushButton(QStringLiteral("Стоп")), {388, 244, 61, 29});
        auto* gauge = new QProgressBar;
        gauge->setValue(50);
        place(gauge, {0, 250, 205, 17});
        auto* bar = new QWidget;
        place(bar, {0, 277, 455, 19});
        int x = 0;
        for (auto [text, width] : {std::pair{"Парсим:", 57}, {"0", 90}, {"Осталось:", 65}, {"0", 135}, {"", 50}}) {
            auto* panel = new QLabel(QString::fromUtf8(text), bar);
            panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            panel->setGeometry(x, 0, width, 19);
            x += width;
        }
        (new QLabel(QStringLiteral("http://tovrin.test"), bar))->setGeometry(348, 2, 103, 15);
        window.show();
        QApplication::processEvents();
    }
    QWidget window;
};

void ClientRepaintFromStaleCaches(benchmark::State& state) {
    SkinnedWindow skinned;
    QImage image(skinned.form->client()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        skinned.MakeCachesStale();
        skinned.form->client()->render(&image);
    }
}

void FusionRepaintOfTheSameControls(benchmark::State& state) {
    FusionWindow fusion;
    state.SetLabel(fusion.window.style()->name().toStdString());
    QImage image(fusion.window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        fusion.window.render(&image);
}

void GaugeSweepTick(benchmark::State& state) {
    SkinnedWindow skinned;
    skin::TsGauge& gauge = *skinned.form->sGauge1;
    for (auto _ : state) {
        // Only the ticks that paint: those between the strip's passes merely count the clock.
        state.PauseTiming();
        while (gauge.SweepPos() >= gauge.width() && gauge.SweepClock() <= skin::kSweepPeriod)
            gauge.SweepTick();
        state.ResumeTiming();
        gauge.SweepTick(); // builds the gauge's image at the strip's place and repaints it
    }
}

void GaugeSweepTickPicture(benchmark::State& state) {
    SkinnedWindow skinned;
    skin::TsGauge& gauge = *skinned.form->sGauge1;
    for (int k = 0; k < 20; ++k)
        gauge.SweepTick(); // the strip over the fill
    for (auto _ : state)
        benchmark::DoNotOptimize(gauge.PaintSkinned());
}

void ButtonHoverFadeOfTenFrames(benchmark::State& state) {
    SkinnedWindow skinned;
    skin::TsButton& button = *skinned.form->sButton1;
    button.repaint();
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&button, &enter);
        button.Fader()->stop();
        state.ResumeTiming();
        while (skin::TsFadeTimer* fade = button.Fader()) {
            fade->Tick();
            ++frames;
        }
        state.PauseTiming();
        // Back to the normal look for the next round, without its fade.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&button, &leave);
        framework::SendSkinCommand(&button, skin::SKC_STOP_FADING);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    // Seconds per frame.
    state.counters["per_frame"] =
        benchmark::Counter(double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(ClientRepaintFromStaleCaches)->Unit(benchmark::kMicrosecond);
BENCHMARK(FusionRepaintOfTheSameControls)->Unit(benchmark::kMicrosecond);
BENCHMARK(GaugeSweepTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(GaugeSweepTickPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(ButtonHoverFadeOfTenFrames)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    framework::TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
