// The whole analysis of every descriptor of the corpus, as bytes of descriptor per second.

#include "WholeAnalysis.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace quorlix::bench;

// Every descriptor text of the corpus, the plain dumps and the firmware source forms, in a
// fixed order so runs compare.
std::vector<std::filesystem::path> CorpusFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUORLIX_CORPUS_DIR)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_regular_file() && path.extension() == ".txt") {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void AnalyseFiles(benchmark::State& state, const std::vector<std::string>& paths)
{
    std::string savedText;
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const std::string& path : paths) {
            const AnalysisSizes sizes = AnalyseDescriptorFile(path.c_str(), savedText);
            benchmark::DoNotOptimize(sizes);
            bytes += sizes.bytes;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
    state.counters["files"] = static_cast<double>(paths.size());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::vector<std::filesystem::path> files = CorpusFiles();
    if (files.empty()) {
        std::fprintf(stderr, "no descriptors found in %s\n", QUORLIX_CORPUS_DIR);
        return 1;
    }
    std::vector<std::string> all;
    for (const std::filesystem::path& file : files) {
        all.push_back(file.string());
        const std::string label = std::filesystem::relative(file, QUORLIX_CORPUS_DIR).string();
        benchmark::RegisterBenchmark(("Corpus/" + label).c_str(), AnalyseFiles,
                                     std::vector<std::string>{ file.string() })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("Corpus/all", AnalyseFiles, all)->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
