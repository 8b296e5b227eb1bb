// What every benchmark program of ours does around Google Benchmark:
//  - one idle thread is started before anything is measured. A host of the applet always has
//    another thread (acquisition, UI), and in a single-threaded process glibc takes cheaper
//    paths for locks and atomics than any real host sees, which would flatter every floor;
//  - the report goes out in the format asked for (--benchmark_format=console|json) and to
//    the file asked for (--benchmark_out=FILE, --benchmark_out_format), so tools can read it;
//  - a program's own summary (ratios to floors, targets) is written to standard error after
//    the report, so that a JSON report on standard output stays valid.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace brenvik::bench {

// One measured case as the summary sees it.
struct Result {
  double nanoseconds = 0;                 // adjusted real time per iteration
  std::map<std::string, double> counters;  // user counters, e.g. "Mpixel/s"
};
using Results = std::map<std::string, Result>;  // by benchmark name, e.g. "widthSet"

using Summary = void (*)(const Results& results, std::ostream& out);

// Parses the flags, runs the benchmarks the filter selects and writes the report, then the
// summary if one is given. Returns the program's exit status.
int runBenchmarks(int argc, char** argv, Summary summary = nullptr);

}  // namespace brenvik::bench
