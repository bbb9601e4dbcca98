// A change of language while a class works: every menu, panel, label and
// button of a full-HD window worded anew, after a bundle continuation (six
// labels with numbers), German and back each iteration.
#include "window/Fermat.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SwitchLanguageWindow(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  w->lab().click(5);
  w->catchUp();
  bool german = false;
  for (auto _ : state) {
    german = !german;
    if (!w->setLanguage(german ? "de" : "").empty()) state.SkipWithError("no German");
    benchmark::ClobberMemory();
  }
  (void)w->setLanguage("");
}
BENCHMARK(BM_SwitchLanguageWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
