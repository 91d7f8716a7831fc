#include "cli/DiffCommand.h"

#include "cli/CommandInput.h"
#include "cli/JsonDocument.h"
#include "cli/CommandOutput.h"
#include "codegen/DescriptorArray.h"
#include "diff/DiffText.h"
#include "reports/ReportModel.h"
#include "support/HexDigits.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quorlix {
namespace {

constexpr int kExitEquivalent = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

std::span<const std::uint8_t> BytesOf(const std::string& bytes)
{
    return { reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() };
}

nlohmann::json ItemJson(const DiffItemPlace& place)
{
    if (place.length == 0) {
        return nullptr;
    }
    return { { "offset", place.offset }, { "length", place.length } };
}

nlohmann::json ValueJson(const std::string& value)
{
    return value.empty() ? nlohmann::json(nullptr) : nlohmann::json(value);
}

std::string HexText(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t length)
{
    std::string text;
    for (std::size_t i = offset; i < offset + length; ++i) {
        if (!text.empty()) {
            text += ' ';
        }
        text += UpperHexDigit(bytes[i] >> 4);
        text += UpperHexDigit(bytes[i]);
    }
    return text;
}

nlohmann::json HunkItems(std::span<const std::uint8_t> bytes, const std::vector<ItemLine>& lines,
                         std::size_t first, std::size_t count)
{
    nlohmann::json items = nlohmann::json::array();
    for (std::size_t i = first; i < first + count; ++i) {
        items.push_back({ { "offset", lines[i].offset },
                          { "bytes", HexText(bytes, lines[i].offset, lines[i].length) },
                          { "text", lines[i].text } });
    }
    return items;
}

} // namespace

void WriteDiffJson(std::ostream& out, const DescriptorDiff& diff,
                   std::span<const std::uint8_t> oldBytes, std::span<const std::uint8_t> newBytes,
                   const std::string& oldInputJson, const std::string& newInputJson)
{
    nlohmann::json document;
    document["verdict"] = std::string(DiffVerdictName(diff.verdict));
    document["reason"] = diff.reason;
    document["boundReached"] = diff.boundReached;
    nlohmann::json changes = nlohmann::json::array();
    for (const DiffChange& change : diff.changes) {
        nlohmann::json entry;
        entry["kind"] = std::string(DiffChangeKindName(change.kind));
        entry["compatible"] = change.compatible;
        if (change.aboutReport) {
            entry["report"] = { { "type", ReportTypeName(change.type) },
                                { "id", change.reportId } };
        } else {
            entry["report"] = nullptr;
        }
        entry["subject"] = change.subject;
        entry["old"] = ValueJson(change.oldValue);
        entry["new"] = ValueJson(change.newValue);
        entry["oldItem"] = ItemJson(change.oldItem);
        entry["newItem"] = ItemJson(change.newItem);
        entry["text"] = DiffChangeLine(change);
        changes.push_back(std::move(entry));
    }
    document["changes"] = std::move(changes);
    nlohmann::json hunks = nlohmann::json::array();
    if (!diff.hunks.empty()) {
        const std::vector<ItemLine> oldLines = DescribeItems(oldBytes);
        const std::vector<ItemLine> newLines = DescribeItems(newBytes);
        for (const ItemHunk& hunk : diff.hunks) {
            hunks.push_back(
                { { "old", HunkItems(oldBytes, oldLines, hunk.oldFirst, hunk.oldCount) },
                  { "new", HunkItems(newBytes, newLines, hunk.newFirst, hunk.newCount) } });
        }
    }
    document["hunks"] = std::move(hunks);
    // How each file was read, as every command's JSON says it.
    if (!oldInputJson.empty() && !newInputJson.empty()) {
        document["input"] = { { "old", nlohmann::json::parse(oldInputJson) },
                              { "new", nlohmann::json::parse(newInputJson) } };
    }
    out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int RunDiff(const CommandLine& options)
{
    DescriptorInput oldInput;
    DescriptorInput newInput;
    CommandLine second = options;
    second.file = options.secondFile;
    if (options.file == "-" && options.secondFile == "-") {
        Complain("-", "standard input can be only one of the two descriptors");
        return kExitTrouble;
    }
    if (!ReadCommandInput(options, oldInput) || !ReadCommandInput(second, newInput)) {
        return kExitTrouble;
    }
    const std::span<const std::uint8_t> oldBytes = BytesOf(oldInput.bytes);
    const std::span<const std::uint8_t> newBytes = BytesOf(newInput.bytes);
    const DescriptorDiff diff = DiffDescriptors(oldBytes, newBytes);
    const auto produce = [&](std::ostream& out) {
        if (options.format == "json") {
            WriteDiffJson(out, diff, oldBytes, newBytes, InputJsonText(oldInput),
                          InputJsonText(newInput));
        } else {
            WriteDiffText(out, diff, oldBytes, newBytes, options.file, options.secondFile);
        }
    };
    // diff(1)'s statuses: 0 the same, 1 different, 2 trouble, a failed write included.
    if (WriteCommandOutput(options.outPath, produce) != kExitOk) {
        return kExitTrouble;
    }
    return diff.verdict == DiffVerdict::Equivalent ? kExitEquivalent : kExitDifferent;
}

} // namespace quorlix
