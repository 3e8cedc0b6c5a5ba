// The main program of the benchmarks that run the program's windows: offscreen, and nobody answers
// the questions the program asks.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui_prompter.h"

namespace {

class SilentPrompter : public kav::UiPrompter {
public:
    kav::Answer ask(kav::BoxKind, const QString&, bool, QWidget*) override { return kav::Answer::No; }
    void tell(kav::BoxKind, const QString&, QWidget*) override {}
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentPrompter prompter;
    kav::setPrompter(&prompter);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kav::setPrompter(nullptr);
    return 0;
}
