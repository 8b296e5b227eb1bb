// main() of the benchmark programs without a summary of their own.
#include "BenchmarkRunner.h"

int main(int argc, char** argv) { return brenvik::bench::runBenchmarks(argc, argv); }
