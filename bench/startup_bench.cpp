// Start-up of the EEPROM Editor: from starting a process to its main dialog shown, against a
// process that shows a bare QDialog, both on Qt's offscreen platform in the same run. Each
// measured iteration starts this program again as a child that builds one of the two windows,
// shows it and reports on its standard output; the time runs from the start to that report.
//
//   bench_startup                      both benchmarks
//   bench_startup --child=main|bare|label   the child (used by the benchmarks themselves)

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/qt/qt_prompts.h"
#include "ui/main_dialog.h"

extern char** environ;

namespace {

std::string selfPath;

void ReportShown(QWidget& window) {
    window.show();
    QApplication::processEvents();
    (void)!write(STDOUT_FILENO, "shown\n", 6);
}

int RunChild(int argc, char** argv, const std::string& which) {
    QApplication application(argc, argv);
    if (which == "bare" || which == "label") {
        QDialog dialog;
        dialog.resize(572, 558);
        if (which == "label") {
            new QLabel(QStringLiteral("Vendor ID"), &dialog);
        }
        ReportShown(dialog);
    } else {
        platform::qt::QtPrompts prompts;
        ui::CMorlindDlg dialog(prompts);
        prompts.SetOwner(&dialog);
        dialog.Create();
        ReportShown(dialog);
    }
    return 0;
}

// Seconds from starting the child to its report; negative when it failed.
double TimeChild(const char* which) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::string option = std::string("--child=") + which;
    char* childArgv[] = {selfPath.data(), option.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, selfPath.c_str(), &actions, nullptr, childArgv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char report[8] = {};
    const ssize_t got = spawned == 0 ? read(pipeEnds[0], report, sizeof report) : -1;
    const auto end = std::chrono::steady_clock::now();
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0) {
        waitpid(child, &status, 0);
    }
    if (got <= 0 || std::strncmp(report, "shown", 5) != 0) {
        return -1;
    }
    return std::chrono::duration<double>(end - start).count();
}

void StartupToShown(benchmark::State& state, const char* which) {
    for (auto _ : state) {
        const double seconds = TimeChild(which);
        if (seconds < 0) {
            state.SkipWithError("the child did not show its window");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

BENCHMARK_CAPTURE(StartupToShown, bare_qdialog, "bare")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// A bare dialog with one label: what any window with text pays for the font database.
BENCHMARK_CAPTURE(StartupToShown, qdialog_with_one_label, "label")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupToShown, main_dialog, "main")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--child=", 8) == 0) {
            return RunChild(argc, argv, argv[i] + 8);
        }
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath("/proc/self/exe", nullptr),
                                                         &std::free);
    selfPath = resolved ? resolved.get() : argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
