#include "appresources.h"
#include "mainwindow.h"
#include "random/randomsource.h"
#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// Moving from one exercise to the next at level 3: the old frames destroyed, the new ones built and
// relabelled, the progress bar repainted.
static void BM_NextExerciseLevel3(benchmark::State &state) {
    TForm1 form;
    form.show();
    QCoreApplication::processEvents();
    form.game().chooseLevel(3);
    for (auto _ : state) {
        auto &data = form.game().data();
        data.slot(data.CurrentExercise) = session::esRight;
        if (data.CurrentExercise >= 10)
            data.CurrentExercise = 1;
        form.NextExercise();
        // What the event loop does before the pupil sees the new exercise: the pending layout and paint
        // events, the old frames' deletion, and the bar's repaint.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        form.LMDProgress1->repaint();
    }
}
BENCHMARK(BM_NextExerciseLevel3)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StartRandomSource();
    registerApplicationFonts();
    applySystemColors(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StopRandomSource();
    return 0;
}
