// The shared runner of the benchmark programs: an idle thread, the report in the requested
// format, and the program's summary on standard error.
#include "BenchmarkRunner.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <iomanip>
#include <iostream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string_view>
#include <thread>

namespace brenvik::bench {

namespace {

// A thread that waits for the end of the program and does nothing else.
class IdleThread {
 public:
  IdleThread()
      : thread_([this] {
          std::unique_lock<std::mutex> lock(mutex_);
          wake_.wait(lock, [this] { return done_; });
        }) {}
  ~IdleThread() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  IdleThread(const IdleThread&) = delete;
  IdleThread& operator=(const IdleThread&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;  // last: starts once the members it uses exist
};

double toNanoseconds(benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kSecond:
      return 1e9;
    case benchmark::kMillisecond:
      return 1e6;
    case benchmark::kMicrosecond:
      return 1e3;
    default:
      return 1.0;
  }
}

// The display reporter for --benchmark_format, which the library itself only honours when
// no reporter is given.
std::unique_ptr<benchmark::BenchmarkReporter> displayReporter(int argc, char** argv) {
  std::string_view format = "console";
  constexpr std::string_view kFlag = "--benchmark_format=";
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.substr(0, kFlag.size()) == kFlag) format = argument.substr(kFlag.size());
  }
  // The library is dropping its CSV form; "csv" gets the console table.
  if (format == "json") return std::make_unique<benchmark::JSONReporter>();
  // Plain text: the table goes to logs and files as often as to a terminal.
  return std::make_unique<benchmark::ConsoleReporter>(benchmark::ConsoleReporter::OO_Tabular);
}

// Passes everything to the display reporter and keeps each case's time and counters.
class Recording final : public benchmark::BenchmarkReporter {
 public:
  explicit Recording(std::unique_ptr<benchmark::BenchmarkReporter> display)
      : display_(std::move(display)) {}

  bool ReportContext(const Context& context) override {
    return display_->ReportContext(context);
  }
  // Repetitions come first, then their aggregates: the median replaces what they left.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred) failed_.push_back(run.benchmark_name() + ": " + run.error_message);
      if ((run.run_type != Run::RT_Iteration && !median) || run.error_occurred) continue;
      Result& result = results_[run.run_name.str()];
      result.nanoseconds = run.GetAdjustedRealTime() * toNanoseconds(run.time_unit);
      result.cpuNanoseconds = run.GetAdjustedCPUTime() * toNanoseconds(run.time_unit);
      for (const auto& [name, counter] : run.counters) result.counters[name] = counter.value;
    }
    display_->ReportRuns(runs);
  }
  void Finalize() override { display_->Finalize(); }

  const Results& results() const { return results_; }
  // "name: why" of every case that ended with an error instead of a measurement.
  const std::vector<std::string>& failed() const { return failed_; }

 private:
  std::unique_ptr<benchmark::BenchmarkReporter> display_;
  Results results_;
  std::vector<std::string> failed_;
};

std::string timeText(double nanoseconds) {
  std::ostringstream text;
  if (nanoseconds >= 1e4) {
    text << std::fixed << std::setprecision(1) << nanoseconds / 1e3 << " us";
  } else {
    text << std::fixed << std::setprecision(nanoseconds < 100 ? 1 : 0) << nanoseconds << " ns";
  }
  return text.str();
}

const Result* resultOf(const Results& results, const std::string& path) {
  const auto found = results.find(path);
  return found == results.end() ? nullptr : &found->second;
}

void targetLine(std::ostream& out, const std::string& path, double time,
                const std::string& against, const std::string& ratio, const std::string& target,
                bool met) {
  out << std::left << std::setw(30) << path << std::setw(11) << timeText(time) << std::setw(32)
      << against << std::setw(8) << ratio << target << (met ? "" : "  (above)") << "\n";
}

}  // namespace

void targetHeader(std::ostream& out) {
  out << "\nCPU time per call (medians when repeated)\n"
      << std::left << std::setw(30) << "Path" << std::setw(11) << "time" << std::setw(32)
      << "against" << std::setw(8) << "ratio" << "target\n";
}

void againstFloor(const Results& results, std::ostream& out, const std::string& path,
                  const std::string& floor, double ratio) {
  const Result* time = resultOf(results, path);
  const Result* base = resultOf(results, floor);
  if (time == nullptr || base == nullptr || base->cpuNanoseconds <= 0) return;
  const double value = time->cpuNanoseconds / base->cpuNanoseconds;
  std::ostringstream ratioText;
  ratioText << std::fixed << std::setprecision(2) << value;
  std::ostringstream targetText;
  targetText << "<= " << ratio;
  targetLine(out, path, time->cpuNanoseconds, floor + " " + timeText(base->cpuNanoseconds),
             ratioText.str(), targetText.str(), value <= ratio);
}

void againstTime(const Results& results, std::ostream& out, const std::string& path,
                 double nanoseconds) {
  const Result* time = resultOf(results, path);
  if (time == nullptr) return;
  targetLine(out, path, time->cpuNanoseconds, "", "", "<= " + timeText(nanoseconds),
             time->cpuNanoseconds <= nanoseconds);
}

int runBenchmarks(int argc, char** argv, Summary summary) {
  const IdleThread idle;
  Recording recording(displayReporter(argc, argv));  // before Initialize takes the flags out
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks(&recording);
  benchmark::Shutdown();
  if (summary != nullptr) summary(recording.results(), std::cerr);
  // A case that could not measure fails the program, so that a smoke run notices.
  for (const std::string& failure : recording.failed()) std::cerr << "failed: " << failure << "\n";
  std::cerr.flush();
  return recording.failed().empty() ? 0 : 1;
}

}  // namespace brenvik::bench
