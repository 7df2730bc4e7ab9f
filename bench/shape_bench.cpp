// Time to shape the watcher window from its picture: every pixel read and
// every region union of the shaping, in one process, without a display.
#include <benchmark/benchmark.h>

#include "assets/assets.h"
#include "platform/forms.h"
#include "platform/headless/headless_system.h"
#include "shaping/c_trimmer.h"
#include "watcher/f_wendrel.h"

namespace {

void ShapeTheWatcherWindow(benchmark::State& state) {
  platform::headless::HeadlessSystem system;
  system.SetRecording(false);
  platform::Runtime runtime(system);
  auto& window = runtime.Instance<watcher::fWendrel>();
  window.hWnd();  // loaded (and shaped once) outside the timing
  shaping::cTrimmer trimmer;
  for (auto _ : state) trimmer.TrimForm(window);
  state.counters["pixels"] = window.ScaleWidth() * window.ScaleHeight();
}
BENCHMARK(ShapeTheWatcherWindow)->Unit(benchmark::kMillisecond);

void OneTickOfTheEyes(benchmark::State& state) {
  platform::headless::HeadlessSystem system;
  system.SetRecording(false);
  platform::Runtime runtime(system);
  auto& window = runtime.Instance<watcher::fWendrel>();
  window.Show();
  int x = 0;
  for (auto _ : state) {
    system.MovePointer(x = (x + 37) % 1920, 500);
    system.Tick();
  }
}
BENCHMARK(OneTickOfTheEyes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
