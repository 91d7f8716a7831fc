// Reading a descriptor in each form, as characters of text per second, at two sizes so the
// growth shows; and what recognising the form adds to reading a 64 KiB text.

#include "SyntheticDescriptors.h"
#include "WholeAnalysis.h"

#include "forms/InputBounds.h"
#include "forms/DescriptorInput.h"
#include "forms/FormReaders.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace quorlix;
using namespace quorlix::bench;

constexpr std::size_t kSmall = 64 * 1024;
// The larger size stays below the byte bound in the densest form (three characters a byte).
constexpr std::size_t kLarge = 640 * 1024;

// Descriptor bytes that make at least size characters of text in every form.
std::vector<std::uint8_t> Bytes(std::size_t count)
{
    const std::vector<std::uint8_t> one = MakeDescriptor(DescriptorShape::ManyFields, 65535);
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count) {
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    bytes.resize(count);
    return bytes;
}

std::string Hex2(std::uint8_t byte)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02x", byte);
    return text;
}

// Each form's text of about size characters.
std::string FormText(InputForm form, std::size_t size)
{
    std::string text;
    switch (form) {
    case InputForm::HexText: {
        // A plain dump, 16 bytes a line: the text every other form is told apart from.
        const std::vector<std::uint8_t> bytes = Bytes(size / 3);
        return ToHexDumpText(bytes);
    }
    case InputForm::CSource:
        return MakeFirmwareArrayText(size);
    case InputForm::HidRecorder: {
        const std::vector<std::uint8_t> bytes = Bytes(size / 3);
        text = "# device\nR: " + std::to_string(bytes.size());
        for (const std::uint8_t byte : bytes) {
            text += ' ';
            text += Hex2(byte);
        }
        return text + "\nN: device\n";
    }
    case InputForm::UsbhidDump: {
        text = "001:005:000:DESCRIPTOR         1700000000.123456\n";
        const std::vector<std::uint8_t> bytes = Bytes(size / 3);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            text += i % 32 == 0 ? (i == 0 ? " " : "\n ") : " ";
            text += Hex2(bytes[i]);
        }
        return text + "\n\n";
    }
    case InputForm::HexDump: {
        const std::vector<std::uint8_t> bytes = Bytes(size / 4);
        for (std::size_t i = 0; i < bytes.size(); i += 16) {
            char offset[24];
            std::snprintf(offset, sizeof offset, "%08zx:", i);
            text += offset;
            for (std::size_t j = i; j < i + 16 && j < bytes.size(); ++j) {
                text += (j - i) % 2 == 0 ? " " : "";
                text += Hex2(bytes[j]);
            }
            text += "  ................\n";
        }
        return text;
    }
    case InputForm::Lsusb: {
        text = "Report Descriptor: (length is " + std::to_string(size / 50 * 2) + ")\n";
        for (std::size_t i = 0; i < size / 50; ++i) {
            text += "  Item(Global): Report Count, data= [ 0x01 ] 1\n";
        }
        return text;
    }
    case InputForm::Saved: {
        const std::vector<std::uint8_t> bytes = Bytes(size / 12);
        text = "total = " + std::to_string(bytes.size()) + "\r\n";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "0x%02X,//%zu\r\n", bytes[i], i);
            text += line;
        }
        return text;
    }
    case InputForm::Binary: {
        const std::vector<std::uint8_t> bytes =
            Bytes(kMaxDescriptorBytes < size ? kMaxDescriptorBytes : size);
        return std::string(bytes.begin(), bytes.end());
    }
    case InputForm::Auto:
        break;
    }
    return text;
}

void Read(benchmark::State& state, InputForm form, const std::string& text)
{
    DescriptorInput input;
    for (auto _ : state) {
        const InputOutcome outcome = ReadDescriptorContent(text, {}, { form, 0 }, input);
        if (outcome.status != InputStatus::Ok) {
            state.SkipWithError(DescribeInputOutcome(outcome).c_str());
            break;
        }
        benchmark::DoNotOptimize(input.bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
    state.counters["descriptor_bytes"] = static_cast<double>(input.bytes.size());
}

// Only what auto does before any reader runs: the binary sign, decoding, the text form's signs.
void Recognise(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        const forms::TextSigns signs = forms::ScanText(text);
        benchmark::DoNotOptimize(forms::DecodeText(text).HasValue());
        benchmark::DoNotOptimize(forms::DetectTextForm(text, signs));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

// A listing of items beside their bytes ("05 01      Usage Page"), one item a line, of about
// size characters: under auto the plain hex reading warns first, then the listing is read.
std::string ItemListingText(std::size_t size)
{
    const std::vector<std::uint8_t> bytes = MakeDescriptor(DescriptorShape::ManyFields, 65535);
    std::string text;
    for (std::size_t p = 0; p < bytes.size() && text.size() < size;) {
        constexpr std::size_t kDataSizes[] = { 0, 1, 2, 4 };
        const std::size_t length = 1 + kDataSizes[bytes[p] & 0x03];
        if (p + length > bytes.size()) {
            break;
        }
        std::string line;
        for (std::size_t i = 0; i < length; ++i) {
            line += Hex2(bytes[p + i]) + ' ';
        }
        line.resize(16, ' ');
        text += line + "Item name (value)\n";
        p += length;
    }
    return text;
}

// A whole descriptor as a plain dump of about size characters, with a paragraph of prose before
// and after it, as a forum post has. The End Collections that close nothing are dropped, so
// the dump alone parses and is taken.
std::string ProseAround(std::size_t size)
{
    std::vector<std::uint8_t> bytes = MakeDescriptor(DescriptorShape::ManyFields, size / 3);
    while (!bytes.empty() && bytes.back() == 0xC0 &&
           !ParsesAsReportDescriptor(
               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
        bytes.pop_back();
    }
    const std::string dump = ToHexDumpText(bytes);
    return "Here is the descriptor my device sends; the host ignores it.\n\n" + dump +
           "\nThanks for any help with it.\n";
}

// One whole analysis of a text, as the window runs it: the time recognition is measured against.
void Analyse(benchmark::State& state, const std::string& text)
{
    const ScratchFolder folder;
    const std::string path = folder.Write("descriptor.txt", text);
    std::string saved;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AnalyseDescriptorFile(path.c_str(), saved).rows);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::string hex64 = FormText(InputForm::HexText, kSmall);
    benchmark::RegisterBenchmark("Forms/recognise/hex-text-64K", Recognise, hex64)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Forms/auto/hex-text-64K", Read, InputForm::Auto, hex64)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Forms/analyse/hex-text-64K", Analyse, hex64)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Forms/auto/item-listing-64K", Read, InputForm::Auto,
                                 ItemListingText(kSmall))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("Forms/auto/prose-around-hex-text-64K", Read, InputForm::Auto,
                                 ProseAround(kSmall))
        ->Unit(benchmark::kMicrosecond);
    const std::string source64 = FormText(InputForm::CSource, kSmall);
    benchmark::RegisterBenchmark("Forms/recognise/c-source-64K", Recognise, source64)
        ->Unit(benchmark::kMicrosecond);
    for (const InputForm form :
         { InputForm::HexText, InputForm::CSource, InputForm::Binary, InputForm::HidRecorder,
           InputForm::UsbhidDump, InputForm::HexDump, InputForm::Lsusb, InputForm::Saved }) {
        for (const std::size_t size : { kSmall, kLarge }) {
            const std::string name = "Forms/" + std::string(InputFormName(form)) + "-" +
                                     (size == kSmall ? "64K" : "640K");
            benchmark::RegisterBenchmark(name.c_str(), Read, form, FormText(form, size))
                ->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
