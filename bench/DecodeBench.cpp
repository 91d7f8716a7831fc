// Decoding captured reports through the library: the report model built once, then one report
// after another as quorlix-cli decode and --follow take them.

#include "reports/DecodeReport.h"
#include "reports/ReportModel.h"
#include "reports/ReportText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

using namespace quorlix;

// The boot keyboard: modifier bits, a padding byte and a six-key array in an 8-byte input
// report; five LED bits in a 1-byte output report.
const std::vector<std::uint8_t> kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x03, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x03, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0,
};

// A game pad with a report id: a hat switch with a null state and a unit, 8 buttons, and four
// 8-bit axes with physical limits: 7 bytes with the id.
const std::vector<std::uint8_t> kGamePad = {
    0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, 0x85, 0x03, 0x09, 0x39, 0x15, 0x00, 0x25, 0x07, 0x35,
    0x00, 0x46, 0x3B, 0x01, 0x65, 0x14, 0x75, 0x04, 0x95, 0x01, 0x81, 0x42, 0x75, 0x04, 0x95,
    0x01, 0x81, 0x03, 0x05, 0x09, 0x19, 0x01, 0x29, 0x08, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01,
    0x95, 0x08, 0x81, 0x02, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x32, 0x09, 0x35, 0x15,
    0x81, 0x25, 0x7F, 0x35, 0x9C, 0x45, 0x64, 0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0xC0,
};

// Reports that differ from one to the next, so no branch is learnt from a single input.
template <std::size_t Length>
std::vector<std::array<std::uint8_t, Length>> Reports(std::uint8_t first)
{
    std::vector<std::array<std::uint8_t, Length>> reports(256);
    for (std::size_t i = 0; i < reports.size(); ++i) {
        for (std::size_t b = 0; b < Length; ++b) {
            reports[i][b] = static_cast<std::uint8_t>((i * 37 + b * 11) & 0xFF);
        }
        reports[i][0] = first != 0 ? first : reports[i][0];
    }
    return reports;
}

void KeyboardReports(benchmark::State& state)
{
    const ReportModel model = BuildReportModel(kKeyboard);
    auto reports = Reports<8>(0);
    for (auto& report : reports) {
        report[2] = static_cast<std::uint8_t>(report[2] % 0x66); // keys within the array's range
    }
    DecodedReport decoded;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DecodeReport(model, ReportType::Input, reports[i++ & 0xFF], decoded).HasValue());
        benchmark::DoNotOptimize(decoded.entries.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * 8);
}
BENCHMARK(KeyboardReports);

void GamePadReports(benchmark::State& state)
{
    const ReportModel model = BuildReportModel(kGamePad);
    const auto reports = Reports<7>(3);
    DecodedReport decoded;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DecodeReport(model, ReportType::Input, reports[i++ & 0xFF], decoded).HasValue());
        benchmark::DoNotOptimize(decoded.entries.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(GamePadReports);

// With the one-line text --follow writes for each report.
void KeyboardReportsAsLines(benchmark::State& state)
{
    const ReportModel model = BuildReportModel(kKeyboard);
    const auto reports = Reports<8>(0);
    DecodedReport decoded;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            DecodeReport(model, ReportType::Input, reports[i++ & 0xFF], decoded).HasValue());
        benchmark::DoNotOptimize(DecodedReportLine(decoded));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(KeyboardReportsAsLines);

void BuildModel(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildReportModel(kGamePad));
    }
}
BENCHMARK(BuildModel);

} // namespace

BENCHMARK_MAIN();
