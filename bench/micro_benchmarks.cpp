// Micro-benchmarks of the two loops that carry the work: the card image writer over bodies of
// several sizes, up to the largest a card carries, and the directory walk over a full disk.
// Console output is captured in memory and the walk's outputs are discarded, so only the
// building of the bytes is measured.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/bench_inputs.hpp"
#include "common/console.hpp"
#include "diskpeel/extraction.hpp"
#include "magstrip/card_source.hpp"
#include "magstrip/card_writer.hpp"

namespace {

using namespace lifcard;

// Keeps the size of each output, so the compiler cannot drop the work, and nothing else.
class DiscardingSink final : public diskpeel::OutputSink {
  public:
    Status store(const std::string& /*name*/, ByteView bytes) override {
        bytesStored_ += bytes.size();
        return {};
    }
    [[nodiscard]] std::size_t bytesStored() const { return bytesStored_; }

  private:
    std::size_t bytesStored_ = 0;
};

magstrip::CardSource cardSource(std::uint32_t bodyBytes) {
    magstrip::CardSource source;
    source.fileName = "BENCHMARK ";
    source.fileType = 0xE214;
    magstrip::setBodyLength(source, 2 * bodyBytes);
    for (std::size_t i = 0; i < source.bodyBuffer.size(); ++i) {
        source.bodyBuffer[i] = static_cast<std::uint8_t>(i * 13);
    }
    return source;
}

void cardWriter(benchmark::State& state) {
    const magstrip::CardSource source = cardSource(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        Console console(Console::Target::capture);
        const ByteBuffer card = magstrip::writeCardImage(source, console);
        benchmark::DoNotOptimize(card.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(cardWriter)->Arg(200)->Arg(6500)->Arg(magstrip::largestBodyBytes);

void volumeWalk(benchmark::State& state) {
    const ByteBuffer image = bench::fullVolume();
    std::size_t stored = 0;
    for (auto _ : state) {
        Console console(Console::Target::capture);
        DiscardingSink sink;
        benchmark::DoNotOptimize(diskpeel::walkDirectory(image, console, sink));
        stored = sink.bytesStored();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
    state.counters["output_bytes"] = static_cast<double>(stored);
}
BENCHMARK(volumeWalk);

}  // namespace

BENCHMARK_MAIN();
