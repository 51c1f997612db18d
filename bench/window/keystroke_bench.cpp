// The whole chain of one keystroke and one preset click on the real window,
// under the offscreen platform: from the control's event through every handler
// it runs to the new caption of the result.
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <benchmark/benchmark.h>

#include "controls.h"
#include "form_main.h"

namespace {

using namespace quorvel;

// A text change in the sectors box with "Other:" already chosen, as from the
// second keystroke on: Change, read, limit, size, result.
void BM_SectorsTextChange(benchmark::State& state) {
    Form_Main form;
    TextBox* sectors = form.ui().box("FileSectors");
    auto* result = form.ui().label("VideoBitRate");
    sectors->setText(QStringLiteral("3"));
    const QString texts[] = {QStringLiteral("30"), QStringLiteral("3")};
    int i = 0;
    for (auto _ : state) {
        sectors->setText(texts[i ^= 1]);
        benchmark::DoNotOptimize(result->text().size());
    }
}
BENCHMARK(BM_SectorsTextChange);

// A real key press and release in the sectors box, Qt's key handling included.
void BM_SectorsKeystroke(benchmark::State& state) {
    Form_Main form;
    form.show();
    TextBox* sectors = form.ui().box("FileSectors");
    sectors->setFocus();
    sectors->setText(QStringLiteral("3"));
    int i = 0;
    for (auto _ : state) {
        if (i ^= 1) {
            QTest::keyClick(sectors, Qt::Key_0);
        } else {
            QTest::keyClick(sectors, Qt::Key_Backspace);
        }
    }
}
BENCHMARK(BM_SectorsKeystroke);

// A size preset chosen: Click, preset, result.
void BM_SizePresetClick(benchmark::State& state) {
    Form_Main form;
    OptionButton* options[] = {form.findChild<OptionButton*>("File700"),
                               form.ui().option("File650")};
    int i = 0;
    for (auto _ : state) {
        options[i ^= 1]->select();
    }
}
BENCHMARK(BM_SizePresetClick);

// A real mouse press and release on a size preset.
void BM_SizePresetMouseClick(benchmark::State& state) {
    Form_Main form;
    form.show();
    OptionButton* options[] = {form.findChild<OptionButton*>("File700"),
                               form.ui().option("File650")};
    int i = 0;
    for (auto _ : state) {
        OptionButton* option = options[i ^= 1];
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    }
}
BENCHMARK(BM_SizePresetMouseClick);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
