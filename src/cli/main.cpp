#include "Version.h"
#include "cli/JsonDocument.h"
#include "cli/SavedRows.h"
#include "cli/Utf8.h"
#include "files/HexDumpWriter.h"
#include "files/HexTextReader.h"
#include "parser/DeviceDescription.h"
#include "parser/ReportLayout.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace quorlix;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr const char* kProgram = "quorlix-cli";

void Complain(const std::string& file, const std::string& reason)
{
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, file.c_str(), reason.c_str());
}

// Reads FILE ("-" for standard input) by the descriptor text rule; complains when no byte came.
bool ReadInput(const std::string& file, std::string& bytes)
{
    const ReadOutcome outcome =
        file == "-" ? ReadHexTextStream(stdin, bytes) : ReadHexTextFileChecked(file.c_str(), bytes);
    if (outcome.status == ReadStatus::Ok && !bytes.empty()) {
        return true;
    }
    ReadOutcome shown = outcome;
    if (shown.status == ReadStatus::Ok) {
        shown.status = ReadStatus::NoHexDigits;
    }
    Complain(file, DescribeReadOutcome(shown));
    return false;
}

// Writes what produce puts into a stream to OUT, or to standard output when OUT is empty. A
// failed write is an error, never a quiet success.
template <typename Produce>
int WriteOutput(const std::string& outPath, Produce produce)
{
    if (outPath.empty()) {
        std::ostream& out = std::cout;
        produce(out);
        out.flush();
        if (!out) {
            Complain("<stdout>", "write failed");
            return kExitFailure;
        }
        return kExitOk;
    }
    std::ofstream file(outPath, std::ios::binary | std::ios::trunc);
    if (!file) {
        Complain(outPath, std::string("cannot create file: ") + std::strerror(errno));
        return kExitFailure;
    }
    produce(file);
    file.close();
    if (!file) {
        Complain(outPath, "write failed");
        return kExitFailure;
    }
    return kExitOk;
}

void NoteBounds(const std::string& file, bool fieldsBound, bool textBound)
{
    if (fieldsBound) {
        Complain(file, "a bound was reached: some report fields were not kept");
    }
    if (textBound) {
        Complain(file, "a bound was reached: the layout text was cut short");
    }
}

struct Options
{
    std::string file;
    std::string format = "plain";
    std::string outPath;
    bool debug = false;
    bool summary = false;
};

int RunAnalyse(const Options& options)
{
    std::string bytes;
    if (!ReadInput(options.file, bytes)) {
        return kExitFailure;
    }
    std::FILE* debugOut = options.debug ? stderr : nullptr;
    DeviceDescription description;
    ParseOptions parseOptions;
    parseOptions.debugOut = debugOut;
    const ParseResult result = ParseDescriptor(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               bytes.size(), description, parseOptions);
    NoteBounds(options.file, description.boundReached, false);
    if (options.format == "json") {
        return WriteOutput(options.outPath,
                           [&](std::ostream& out) { WriteJsonDocument(out, result, description); });
    }
    const SavedForm form = options.format == "c" ? SavedForm::C : SavedForm::Plain;
    return WriteOutput(options.outPath, [&](std::ostream& out) {
        WriteRowsAsSavedAnalysis(out, form, description.rows);
    });
}

int RunLayout(const Options& options)
{
    std::string bytes;
    if (!ReadInput(options.file, bytes)) {
        return kExitFailure;
    }
    std::FILE* debugOut = options.debug ? stderr : nullptr;
    DeviceDescription description;
    ParseOptions parseOptions;
    parseOptions.debugOut = debugOut;
    (void)ParseDescriptor(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                          description, parseOptions);
    LayoutTexts texts;
    BuildLayoutTexts(description, texts, debugOut);
    NoteBounds(options.file, description.boundReached, texts.truncated);
    const std::string text = ToUtf8(options.summary ? texts.summary : texts.detail);
    return WriteOutput(options.outPath, [&](std::ostream& out) { out << text; });
}

int RunHexDump(const Options& options)
{
    std::string bytes;
    if (!ReadInput(options.file, bytes)) {
        return kExitFailure;
    }
    return WriteOutput(options.outPath, [&](std::ostream& out) { WriteHexDump(out, bytes); });
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{ "Quorlix: analyse a USB HID report descriptor written as hexadecimal text.",
                  kProgram };
    app.set_version_flag("--version", std::string(kProgram) + " " + kVersion);
    app.require_subcommand(1);

    Options options;
    CLI::App* analyse = app.add_subcommand(
        "analyse", "The item list as the window saves it (plain or C form), or as JSON");
    analyse->add_option("FILE", options.file, "Descriptor text file, or - for standard input")
        ->required();
    analyse->add_option("--format", options.format, "plain (default), c or json")
        ->check(CLI::IsMember({ "plain", "c", "json" }));
    analyse->add_option("-o", options.outPath, "Write to OUT instead of standard output");
    analyse->add_flag("--debug", options.debug, "Write the parser's debug lines to standard error");

    CLI::App* layout = app.add_subcommand(
        "layout", "The report layout of every top-level collection (the detail pane's text)");
    layout->add_option("FILE", options.file, "Descriptor text file, or - for standard input")
        ->required();
    layout->add_flag("--summary", options.summary, "The summary pane's text instead");
    layout->add_option("-o", options.outPath, "Write to OUT instead of standard output");
    layout->add_flag("--debug", options.debug, "Write the parser's debug lines to standard error");

    CLI::App* hexdump =
        app.add_subcommand("hexdump", "The bytes the reader takes from the text, one per line");
    hexdump->add_option("FILE", options.file, "Descriptor text file, or - for standard input")
        ->required();
    hexdump->add_option("-o", options.outPath, "Write to OUT instead of standard output");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        (void)app.exit(e);
        return kExitUsage;
    }

    if (analyse->parsed()) {
        return RunAnalyse(options);
    }
    if (layout->parsed()) {
        return RunLayout(options);
    }
    return RunHexDump(options);
}
