// The window, offscreen, on the 64 KiB descriptors: Analyse until the item list and both panes
// show, Analyse until the panes hold their whole texts, and scrolling the item list a page at a
// time and from end to end, each frame painted.

#include "SyntheticDescriptors.h"
#include "WholeAnalysis.h"

#include "app/CQuorlixDlg.h"
#include "app/ItemListModel.h"
#include "app/PaneFiller.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

void StartAnalyse(CQuorlixDlg& window, const std::string& path)
{
    window.Controls().pathEdit->setText(QString::fromStdString(path));
    window.OnAnalyse();
}

bool PanesFilling(const CQuorlixDlg& window)
{
    const MainDialogControls& controls = window.Controls();
    return controls.detailPane->Filling() || controls.summaryPane->Filling();
}

void FinishPanes(CQuorlixDlg& window)
{
    while (PanesFilling(window)) {
        QCoreApplication::processEvents();
    }
}

// What the user waits for: the command, one turn of the event loop, and the window painted
// with the first page of rows and of both panes.
void AnalyseUntilShown(benchmark::State& state, CQuorlixDlg* window, const std::string& path)
{
    for (auto _ : state) {
        StartAnalyse(*window, path);
        QCoreApplication::processEvents();
        window->repaint();
        state.PauseTiming();
        FinishPanes(*window);
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(window->Controls().items->ItemCount());
}

// The same, until the last slice of both pane texts has arrived.
void AnalyseUntilPanesFilled(benchmark::State& state, CQuorlixDlg* window, const std::string& path)
{
    for (auto _ : state) {
        StartAnalyse(*window, path);
        FinishPanes(*window);
        window->repaint();
    }
}

// One frame of scrolling: the list moves by a page (back to the top after the end), or jumps
// between the first and the last row, and its viewport is painted.
void ScrollItemList(benchmark::State& state, CQuorlixDlg* window, const std::string& path,
                    bool jump)
{
    StartAnalyse(*window, path);
    FinishPanes(*window);
    auto* view = window->findChild<QTableView*>();
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        int next = bar->value() + bar->pageStep();
        if (jump) {
            next = bar->value() == 0 ? bar->maximum() : 0;
        } else if (next > bar->maximum()) {
            next = 0;
        }
        bar->setValue(next);
        view->viewport()->repaint();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    benchmark::Initialize(&argc, argv);

    // Analyse writes the parser's debug lines to standard output, tens of thousands per large
    // descriptor. They are formatted as in real use but go to /dev/null; the figures go to the
    // standard output the program was started with.
    const int console = ::dup(STDOUT_FILENO);
    if (console < 0 || std::freopen("/dev/null", "w", stdout) == nullptr) {
        std::perror("quorlix_bench_window: cannot set the debug lines aside");
        return 1;
    }
    std::ofstream consoleOut("/proc/self/fd/" + std::to_string(console));

    QApplication application(argc, argv);
    const ScratchFolder folder;
    CQuorlixDlg window;
    window.show();
    QCoreApplication::processEvents();

    const std::size_t size = kShapeSizes[std::size(kShapeSizes) - 1];
    for (const DescriptorShape shape : kAllShapes) {
        const std::string name(ShapeName(shape));
        const std::string path = folder.Write(name + "-" + SizeLabel(size) + ".txt",
                                              ToHexDumpText(MakeDescriptor(shape, size)));
        const std::string label = name + "/" + SizeLabel(size);
        benchmark::RegisterBenchmark(("Window/shown/" + label).c_str(), AnalyseUntilShown, &window,
                                     path)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Window/panes-filled/" + label).c_str(),
                                     AnalyseUntilPanesFilled, &window, path)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Window/scroll-page/" + label).c_str(), ScrollItemList,
                                     &window, path, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Window/scroll-jump/" + label).c_str(), ScrollItemList,
                                     &window, path, true)
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&consoleOut);
    reporter.SetErrorStream(&consoleOut);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
