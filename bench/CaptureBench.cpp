// quorlix-cli decode CAPTURE as a whole, through the function the command runs: both readings of
// a generated usbmon capture of 8-byte keyboard reports (descriptors, then every report decoded
// and written as text or JSON), the output going to /dev/null. Items are reports.

#include "GeneratedCapture.h"
#include "cli/CaptureDecode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace quorlix;

constexpr std::uint64_t kReports = 200000;

const std::string& CapturePath()
{
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "quorlix-bench-keyboard.pcap").string();
        if (!bench::WriteKeyboardCapture(file, kReports)) {
            std::perror(file.c_str());
            std::exit(1);
        }
        return file;
    }();
    return path;
}

void DecodeCaptureAs(benchmark::State& state, const char* format)
{
    CommandLine options;
    options.command = CliCommand::Decode;
    options.file = CapturePath();
    options.format = format;
    std::FILE* sink = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        if (DecodeCapture(options, sink) != 0) {
            state.SkipWithError("decode failed");
            break;
        }
    }
    std::fclose(sink);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kReports));
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * std::filesystem::file_size(options.file)));
}

void DecodeCaptureText(benchmark::State& state)
{
    DecodeCaptureAs(state, "plain");
}
void DecodeCaptureJson(benchmark::State& state)
{
    DecodeCaptureAs(state, "json");
}

BENCHMARK(DecodeCaptureText)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeCaptureJson)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(CapturePath());
    return 0;
}
