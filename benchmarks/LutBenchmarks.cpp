// Costs of the lookup table: the processing formula alone, and a processing set through the
// export that recomputes the whole table and writes it to the simulated board. The target
// for the set is 20 µs of CPU time, checked in the summary on standard error. One idle thread
// runs beside the measurements (BenchmarkRunner.h).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "applet/Exports.h"
#include "benchmarks/BenchmarkRunner.h"
#include "parameters/LookupTableShape.h"
#include "semantics/LutProcessing.h"

namespace {

using brenvik::semantics::computeProcessingTable;
using brenvik::semantics::LutTable;
using brenvik::semantics::ProcessingSettings;

// The formula alone; gamma 1 skips the power function, any other gamma takes it per entry.
void processingFormula(benchmark::State& state) {
  const ProcessingSettings settings{0.05, 1.2, static_cast<double>(state.range(0)) / 10.0, 1};
  LutTable table{};
  for (auto _ : state) {
    computeProcessingTable(settings, table);
    benchmark::DoNotOptimize(table.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(processingFormula)->Arg(10)->Arg(22)->Unit(benchmark::kMicrosecond);

// FG_PROCESSING_GAMMA with offset, gain and invert set: the lock, the contract, the whole
// recomputation and the whole-table field write through the SDK runtime.
void processingSetWithTableWrite(benchmark::State& state) {
  AppletHandle handle{Std_entry(910, nullptr, 0)};
  double offset = 0.05;
  double gain = 1.2;
  std::uint32_t invert = 1;
  Fg_setParameterWithType(&handle, 300004, &offset, 0, 5);  // FG_PROCESSING_OFFSET
  Fg_setParameterWithType(&handle, 300002, &gain, 0, 5);    // FG_PROCESSING_GAIN
  Fg_setParameterWithType(&handle, 300005, &invert, 0, 2);  // FG_PROCESSING_INVERT
  double gammas[] = {2.2, 0.45};
  std::size_t next = 0;
  for (auto _ : state) {
    const int result = Fg_setParameterWithType(&handle, 300003, &gammas[next], 0, 5);
    if (result != 0) state.SkipWithError("the set failed");
    next ^= 1;
  }
  Fg_FreeGrabber(&handle);
}
BENCHMARK(processingSetWithTableWrite)->Unit(benchmark::kMicrosecond);

// The whole-table write alone: a field-form FG_LUT_VALUE of every entry, which only checks,
// caches and writes.
void tableWriteAlone(benchmark::State& state) {
  AppletHandle handle{Std_entry(911, nullptr, 0)};
  LutTable table{};
  for (std::uint32_t i = 0; i < table.size(); ++i) table[i] = i;
  struct {
    std::uint32_t valueType, index, count;
    void* values;
  } access{2, 0, static_cast<std::uint32_t>(brenvik::parameters::kLutSize), table.data()};
  for (auto _ : state) {
    if (Fg_setParameterWithType(&handle, 300001, &access, 0, 4096) != 0) {
      state.SkipWithError("the set failed");
    }
  }
  Fg_FreeGrabber(&handle);
}
BENCHMARK(tableWriteAlone)->Unit(benchmark::kMicrosecond);

// The set with its write against its target.
void target(const brenvik::bench::Results& results, std::ostream& out) {
  brenvik::bench::targetHeader(out);
  brenvik::bench::againstTime(results, out, "processingSetWithTableWrite", 20e3);
}

}  // namespace

int main(int argc, char** argv) { return brenvik::bench::runBenchmarks(argc, argv, target); }
