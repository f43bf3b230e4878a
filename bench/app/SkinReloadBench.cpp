// The window under --watch with the internal skin's folder: from a save of Options.dat (a new
// file renamed over the old one, as sed -i and most editors save) to the window repainted with
// the saved skin, without the pause that gathers an editor's writes and with it; and the
// resident memory of the process across reloads.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>

#include "app/SkinChoice.h"
#include "app/SkinWatch.h"
#include "app/Tovrin1.h"
#include "framework/widgets/Application.h"
#include "skin/data/sSkinWatch.h"

namespace {

using Clock = std::chrono::steady_clock;

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Sees the window's paint events.
class PaintSpy : public QObject {
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

// The window (without its site) with a copy of the internal skin's folder, watched.
class WatchedWindow {
public:
    WatchedWindow() {
        const QDir art(QStringLiteral(TOVRIN_PEWTER_ART_DIR "/Pewter"));
        QDir().mkpath(live_);
        for (const QString& name : art.entryList(QDir::Files))
            QFile::copy(art.filePath(name), live_ + QLatin1Char('/') + name);
        QFile options(live_ + QStringLiteral("/Options.dat"));
        options.open(QIODevice::ReadOnly);
        pewter_ = options.readAll();
        scanner::ScanSettings settings;
        settings.host = "127.0.0.1:9";
        form_ = std::make_unique<app::TForm1>(settings);
        form_->show();
        app::SkinChoice choice;
        choice.source = live_.toStdString();
        app::ApplySkinChoice(*form_->sSkinManager1, choice);
        app::WatchSkin(*form_, live_.toStdString());
        watcher_ = form_->sSkinManager1->findChild<skin::TsSkinWatcher*>();
        const auto said = watcher_->OnReload;
        watcher_->OnReload = [this, said](const skin::TsSkinReload& reload) {
            said(reload);
            last_ = reload;
            paintsAtReload_ = spy_.Paints;
            ++reloads_;
        };
        form_->installEventFilter(&spy_);
        QApplication::processEvents();
    }

    void SetQuietTime(int milliseconds) { watcher_->SetQuietTime(milliseconds); }

    // Saves the next of two colourings and waits for the window painted with it; the time taken.
    std::chrono::duration<double> SaveAndWait() {
        QByteArray text = pewter_;
        if (++saves_ % 2 == 0)
            text.replace("16316149", "13421772").replace("9208698", "5592405");
        const QString file = live_ + QStringLiteral("/Options.dat");
        const int before = reloads_;
        const auto start = Clock::now();
        QFile temporary(file + QStringLiteral(".new"));
        temporary.open(QIODevice::WriteOnly | QIODevice::Truncate);
        temporary.write(text);
        temporary.close();
        std::rename((file + QStringLiteral(".new")).toLocal8Bit().constData(), file.toLocal8Bit().constData());
        QElapsedTimer guard;
        guard.start();
        // The window's paint event is delivered in full before processEvents returns.
        while ((reloads_ == before || spy_.Paints == paintsAtReload_) && guard.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        return Clock::now() - start;
    }
    const skin::TsSkinReload& Last() const { return last_; }

private:
    QTemporaryDir folder_;
    const QString live_ = folder_.filePath(QStringLiteral("Live"));
    QByteArray pewter_;
    std::unique_ptr<app::TForm1> form_;
    skin::TsSkinWatcher* watcher_ = nullptr;
    skin::TsSkinReload last_;
    PaintSpy spy_;
    int reloads_ = 0;
    int paintsAtReload_ = 0;
    int saves_ = 0;
};

WatchedWindow& Window() {
    static WatchedWindow* window = new WatchedWindow; // freed with the process
    return *window;
}

// The save to the repainted window, without the pause (the watcher reads the skin as soon as
// the file system tells it); "reload" is the part spent reading the skin and announcing it.
void SaveToRepaintedWindow(benchmark::State& state) {
    WatchedWindow& window = Window();
    window.SetQuietTime(0);
    double reload = 0;
    for (auto _ : state) {
        state.SetIterationTime(window.SaveAndWait().count());
        reload += double(window.Last().Took.count()) / 1000;
    }
    state.counters["reload_ms"] = reload / double(state.iterations());
}

// The same with the watcher's pause of 200 ms after the last write.
void SaveToRepaintedWindowAfterThePause(benchmark::State& state) {
    WatchedWindow& window = Window();
    window.SetQuietTime(skin::TsSkinWatcher::kDefaultQuietMs);
    for (auto _ : state)
        state.SetIterationTime(window.SaveAndWait().count());
    window.SetQuietTime(0);
}

// Resident memory before and after each of three runs of 20 reloads (after 5 to warm up).
void ResidentMemoryAcrossReloads(benchmark::State& state) {
    WatchedWindow& window = Window();
    window.SetQuietTime(0);
    for (auto _ : state) {
        for (int i = 0; i < 5; ++i)
            window.SaveAndWait();
        state.counters["rss_kb_start"] = double(ResidentKilobytes());
        for (int run = 1; run <= 3; ++run) {
            for (int i = 0; i < 20; ++i)
                window.SaveAndWait();
            state.counters["rss_kb_after_" + std::to_string(20 * run)] = double(ResidentKilobytes());
        }
    }
}

BENCHMARK(SaveToRepaintedWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(SaveToRepaintedWindowAfterThePause)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ResidentMemoryAcrossReloads)->Unit(benchmark::kMillisecond)->Iterations(1);

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
