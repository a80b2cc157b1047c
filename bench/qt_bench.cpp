// The control's cost to a Qt host, beside a widget of comparable size that Qt ships: from
// creation to its first paint, and the heap it holds once painted. Read BM_MoravineWidget
// against BM_QCalendarWidget_Reference.
#include "dating/date_text.h"
#include "hosting/qt/moravine_widget.h"

#include <QApplication>
#include <QCalendarWidget>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

// Creates the widget, shows it and paints it once, as a host's window does when it opens.
template <typename Create>
void firstPaint(benchmark::State& state, Create create) {
    std::size_t heap = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        std::unique_ptr<QWidget> widget = create();
        widget->show();
        widget->repaint();
        heap = mallinfo2().uordblks - before;
        state.PauseTiming();
        widget.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["heap_bytes"] = static_cast<double>(heap);
}

void BM_MoravineWidget(benchmark::State& state) {
    ruvo::FixedClock clock(ruvo::parseDate("7 December 2006"));
    firstPaint(state, [&] { return std::make_unique<ruvo::MoravineWidget>(clock); });
}
BENCHMARK(BM_MoravineWidget)->Unit(benchmark::kMicrosecond);

void BM_QCalendarWidget_Reference(benchmark::State& state) {
    firstPaint(state, [] { return std::make_unique<QCalendarWidget>(); });
}
BENCHMARK(BM_QCalendarWidget_Reference)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
