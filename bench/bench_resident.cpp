#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "../tests/resident/sim_resident.h"

// Counts every heap allocation of the process, so a benchmark can report how
// many one timer event makes.
namespace {
std::atomic<long long> g_allocations{0};
}

// The replacement pair below is malloc/free on purpose; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using vorlan::testing::SimResident;

void BM_GatedTick(benchmark::State& state) {
  SimResident s;
  s.Start();
  s.desktop.Open("ThunderRT6FormDC", "無題 - メモ帳", true);
  s.Tick();
  long long allocations = 0;
  for (auto _ : state) {
    // Same second, same window: the gate holds the tick back.
    const long long before = g_allocations.load();
    vorlan::OnTimer(s.r);
    allocations += g_allocations.load() - before;
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_GatedTick);

void BM_FullTickEveryItem(benchmark::State& state) {
  SimResident s;
  s.Set("AmPm", " 1");
  s.Set("MemDsp", " 1");
  s.Set("SaijituDsp", " 1");
  s.Set("Mojikan", " 1");
  s.PutHolidays("[ 5月祭日]\r\n 3日=憲法記念日\r\n");
  s.Start();
  s.desktop.Open("Notepad", "無題 - メモ帳", true);
  long long allocations = 0;
  for (auto _ : state) {
    s.clock.AdvanceMs(1000);  // a new second: a full tick every time
    const long long before = g_allocations.load();
    vorlan::OnTimer(s.r);
    allocations += g_allocations.load() - before;
    state.PauseTiming();
    s.desktop.ClearEvents();  // the fake's own log would grow without end
    state.ResumeTiming();
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(allocations) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FullTickEveryItem);

}  // namespace
