#include <benchmark/benchmark.h>

#include "resident/caption/caption.h"

namespace {

void BM_ComposeCaptionEveryItem(benchmark::State& state) {
  vorlan::DisplayOptions options;
  options.AmPm = 1;
  options.MemDsp = 1;
  options.SaijituDsp = 1;
  options.Mojikan = 1;
  options.WeekTyp = 1;
  const vorlan::LocaleFormats locale;
  vorlan::LocalTime now{2026, 5, 3, 21, 5, 7, 0, 1};
  auto holiday = [] { return std::string("憲法記念日"); };
  for (auto _ : state) {
    now.second = (now.second + 1) % 60;
    std::string caption =
        vorlan::ComposeCaption(options, now, locale, 8123456789ull, 17179869184ull, holiday);
    benchmark::DoNotOptimize(caption);
  }
}
BENCHMARK(BM_ComposeCaptionEveryItem);

}  // namespace
