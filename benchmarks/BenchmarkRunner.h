// What every benchmark program of ours does around Google Benchmark:
//  - one idle thread is started before anything is measured. A host of the applet always has
//    another thread (acquisition, UI), and in a single-threaded process glibc takes cheaper
//    paths for locks and atomics than any real host sees, which would flatter every floor;
//  - the report goes out in the format asked for (--benchmark_format=console|json) and to
//    the file asked for (--benchmark_out=FILE, --benchmark_out_format), so tools can read it;
//  - a program's own summary (ratios to floors, targets) is written to standard error after
//    the report, so that a JSON report on standard output stays valid. It reads each case's
//    median when the cases are repeated (--benchmark_repetitions=N), else its one run.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace brenvik::bench {

// One measured case as the summary sees it: the median of its repetitions, if repeated.
struct Result {
  double nanoseconds = 0;                  // adjusted real time per iteration
  double cpuNanoseconds = 0;               // adjusted CPU time per iteration
  std::map<std::string, double> counters;  // user counters, e.g. "Mpixel/s"
};
using Results = std::map<std::string, Result>;  // by benchmark name, e.g. "widthSet"

using Summary = void (*)(const Results& results, std::ostream& out);

// Parses the flags, runs the benchmarks the filter selects and writes the report, then the
// summary if one is given. Returns the program's exit status: 1 when a case ended with an
// error (each is named on standard error).
int runBenchmarks(int argc, char** argv, Summary summary = nullptr);

// Lines of a summary of CPU times against targets, under targetHeader(): a case against a
// floor measured in the same run (its ratio at most `ratio`), or against a fixed time. CPU
// time, because on a shared machine the wall clock also counts other programs' turns. A case
// that did not run is left out.
void targetHeader(std::ostream& out);
void againstFloor(const Results& results, std::ostream& out, const std::string& path,
                  const std::string& floor, double ratio);
void againstTime(const Results& results, std::ostream& out, const std::string& path,
                 double nanoseconds);

}  // namespace brenvik::bench
