// Time per password from the secure source against reading the same number
// of random bytes straight from the operating system in one call.
#include <benchmark/benchmark.h>
#include <sys/random.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "generators.h"
#include "stats.h"
#include "system_random.h"

namespace {

constexpr std::uint32_t kBothKindsBound = 1'000'000'000;

bool readOs(void* buffer, std::size_t size) {
    ssize_t got;
    do got = getrandom(buffer, size, 0);
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(size);
}

void numericQuillop(benchmark::State& state) {
    quillop::SystemRandom random;
    for (auto _ : state)
        benchmark::DoNotOptimize(quillop::numericPassword(random, kBothKindsBound));
}

void numericFloor(benchmark::State& state) {
    std::uint64_t word;
    for (auto _ : state) {
        if (!readOs(&word, sizeof word)) state.SkipWithError("getrandom failed");
        benchmark::DoNotOptimize(word);
    }
}

void symbolicQuillop(benchmark::State& state) {
    quillop::SystemRandom random;
    const auto length = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(quillop::symbolicPassword(random, length));
}

void symbolicFloor(benchmark::State& state) {
    std::uint64_t words[8];
    const auto size = static_cast<std::size_t>(state.range(0)) * sizeof words[0];
    for (auto _ : state) {
        if (!readOs(words, size)) state.SkipWithError("getrandom failed");
        benchmark::DoNotOptimize(words);
    }
}

BENCHMARK(numericQuillop);
BENCHMARK(numericFloor);
BENCHMARK(symbolicQuillop)->Arg(6)->Arg(8);
BENCHMARK(symbolicFloor)->Arg(6)->Arg(8);

// Keeps every repetition's time per iteration; prints nothing itself.
class Collector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            if (run.error_occurred) {
                failed = true;
                continue;
            }
            auto& samples = byName[run.benchmark_name()];
            const auto index = static_cast<std::size_t>(run.repetition_index);
            if (samples.size() <= index) samples.resize(index + 1);
            samples[index] = run.real_accumulated_time / static_cast<double>(run.iterations) * 1e9;
        }
    }

    std::map<std::string, std::vector<double>> byName;
    bool failed = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    // Repetitions in shuffled rounds: each round runs every benchmark once,
    // so repetition i of a password and of its floor are side by side.
    std::vector<char*> args{argv[0]};
    std::string defaults[] = {"--benchmark_enable_random_interleaving=true",
                              "--benchmark_repetitions=15", "--benchmark_min_time=0.05"};
    for (auto& flag : defaults) args.push_back(flag.data());
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (collector.failed) {
        std::fprintf(stderr, "a generator benchmark failed\n");
        return 1;
    }

    using quillop::bench::printRow;
    auto& runs = collector.byName;
    printRow("numeric", "numeric password (ns)", runs["numericQuillop"], runs["numericFloor"],
             "ratio <= 2");
    printRow("symbolic6", "symbolic password, 6 symbols (ns)", runs["symbolicQuillop/6"],
             runs["symbolicFloor/6"], "ratio <= 2");
    printRow("symbolic", "symbolic password, 8 symbols (ns)", runs["symbolicQuillop/8"],
             runs["symbolicFloor/8"], "ratio <= 2");
    return 0;
}
