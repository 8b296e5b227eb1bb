// Costs of the parameter description: building port 0's tree, rendering the whole GenICam
// document in one pass, and the size-then-fetch protocol through the applet object. One idle
// thread runs beside the measurements (BenchmarkRunner.h).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "applet/FgTolqWrapperImpl.h"
#include "description/DescriptionBuilder.h"
#include "description/ParameterInfoBuilderXML.h"

namespace {

using brenvik::description::DescriptionNodes;
using brenvik::description::ParameterDescriptionTree;

void buildTheTree(benchmark::State& state) {
  for (auto _ : state) {
    ParameterDescriptionTree tree(1);
    DescriptionNodes nodes;
    brenvik::description::buildSdkDescription(tree, nodes);
    benchmark::DoNotOptimize(tree.root(0));
  }
}
BENCHMARK(buildTheTree)->Unit(benchmark::kMicrosecond);

void renderTheDocument(benchmark::State& state) {
  ParameterDescriptionTree tree(1);
  DescriptionNodes nodes;
  brenvik::description::buildSdkDescription(tree, nodes);
  // The previous document stays alive while the next one is rendered, as in a caller that
  // keeps its copy; otherwise the allocator trims and regrows the heap on every iteration
  // and the page faults dwarf the rendering.
  std::string text;
  for (auto _ : state) {
    text = brenvik::description::ParameterInfoBuilderXML(tree, "Brenvik", 0).build();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
  state.counters["document bytes"] = static_cast<double>(text.size());
}
BENCHMARK(renderTheDocument)->Unit(benchmark::kMicrosecond);

// A configuration tool's call pair: the size with no buffer, then the text.
void sizeThenFetch(benchmark::State& state) {
  auto applet = std::make_unique<brenvik::FgTolqWrapperImpl>(1);
  applet->buildParameterDescription();
  std::string buffer;
  for (auto _ : state) {
    std::uint64_t size = 0;
    applet->getParameterInfoXML(nullptr, 0, nullptr, &size);
    buffer.resize(size);
    applet->getParameterInfoXML(nullptr, 0, buffer.data(), &size);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.counters["document bytes"] = static_cast<double>(buffer.size());
}
BENCHMARK(sizeThenFetch)->Unit(benchmark::kMicrosecond);

}  // namespace
