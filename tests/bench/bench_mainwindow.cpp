#include "engine/logic.h"
#include "random/randomsource.h"
#include "resources/appresources.h"
#include "ui/controls/progress.h"
#include "ui/controls/systemcolors.h"
#include "ui/main/mainwindow.h"
#include "ui/main/operationframes.h"
#include "ui/main/soundmessagefilter.h"
#include "ui/main/soundplayer.h"
#include "ui/main/valuelist.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// Moving from one exercise to the next at level 3: the old frames destroyed, the new ones built and
// relabelled, the progress bar repainted.
static void BM_NextExerciseLevel3(benchmark::State &state) {
    TForm1 form;
    form.show();
    QCoreApplication::processEvents();
    form.game().chooseLevel(3);
    auto *progress = form.findChild<TLMDProgress *>(QStringLiteral("LMDProgress1"));
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
        progress->repaint();
    }
}
BENCHMARK(BM_NextExerciseLevel3)->Unit(benchmark::kMicrosecond);

namespace {

engine::TLogicValue resultOf(const TOperationFrame *frame) {
    const auto a = engine::TLogicValue(frame->valueList(1)->currentIndex());
    if (!frame->isTwoInput())
        return engine::operationResult(engine::okNot, a);
    return engine::operationResult(engine::TOperationKind(frame->Tag % 10), a,
                                   engine::TLogicValue(frame->valueList(2)->currentIndex()));
}

// Works out a level-3 exercise as a pupil would: the two feeding operations into the final one's inputs,
// then the final result into the answer box.
void solve(TForm1 &form) {
    TOperationFrame *final = form.frame(1);
    for (int slot = 2; slot <= 3; ++slot) {
        const TOperationFrame *feeding = form.frame(slot);
        final->valueList(feeding->Tag >= 10 ? 2 : 1)->setCurrentIndex(resultOf(feeding));
    }
    form.findChild<TValueList *>(QStringLiteral("ComboBox1"))->setCurrentIndex(resultOf(final));
}

} // namespace

// The answer command at level 3, from "Готово" to the next exercise on the screen, with sound on: judging,
// recording, starting the clip, building the next diagram and the paints the pupil then sees.
static void BM_AnswerToNextExerciseLevel3(benchmark::State &state) {
    TForm1 form;
    TSoundPlayer sound;
    sound.load();
    form.setSoundOutput(&sound);
    form.show();
    QCoreApplication::processEvents();
    form.game().chooseLevel(3);
    auto *progress = form.findChild<TLMDProgress *>(QStringLiteral("LMDProgress1"));
    for (auto _ : state) {
        state.PauseTiming();
        auto &data = form.game().data();
        if (data.CurrentExercise >= 10) // the tenth answer would end the game with its score message
            data.CurrentExercise = 1;
        solve(form);
        state.ResumeTiming();
        form.LMDMMButton7Click();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        progress->repaint();
    }
    if (form.game().data().slot(form.game().data().CurrentExercise - 1) != session::esRight)
        state.SkipWithError("the worked-out answer was not judged right");
}
BENCHMARK(BM_AnswerToNextExerciseLevel3)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    installSoundMessageFilter();
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
