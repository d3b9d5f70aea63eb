// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to a ready main window over a long-time player's folder: the window
// built, the files opened, the calendar and both lists filled, the window shown.
#include "bench_folder.h"
#include "main/main_window.h"
#include "ui/platform.h"

#include <QApplication>
#include <QUrl>
#include <benchmark/benchmark.h>
#include <memory>

namespace zafrano::bench {

namespace {

class SilentMessages final : public gui::Messages
{
public:
    void show(const ProgramMessage &) override {}
    bool ask(const ProgramMessage &) override { return false; }
};

class BenchClock final : public gui::Clock
{
public:
    QDate day;
    QDate today() const override { return day; }
};

class NoDesktop final : public gui::Desktop
{
public:
    void openUrl(const QUrl &) override {}
    QString chooseFile(const QString &, const QString &) override { return {}; }
};

void BM_MainWindowStartUp(benchmark::State &state)
{
    const BenchFolder *folder = folderOrSkip(state);
    if (!folder)
        return;
    SilentMessages messages;
    BenchClock clock;
    clock.day = folder->today;
    NoDesktop desktop;
    gui::Platform platform{messages, clock, desktop};
    for (auto _ : state) {
        auto window = std::make_unique<gui::MainWindow>(DataFolder(folder->path), platform);
        if (!window->startUp()) {
            skipWithError(state, QStringLiteral("start-up failed"));
            break;
        }
        window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window->isVisible());
        // Closing the window is no part of starting it.
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowStartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

} // namespace zafrano::bench

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
