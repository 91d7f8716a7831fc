#include "cli/CheckCommand.h"

#include "analysis/AnalyseDescriptor.h"
#include "cli/JsonDocument.h"
#include "cli/AuditCommand.h"
#include "cli/CaptureCommand.h"
#include "cli/CommandInput.h"
#include "cli/CommandOutput.h"
#include "hosts/CheckHosts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace quorlix {
namespace {

const SourcePosition* PositionOf(std::span<const SourcePosition> positions, std::size_t offset)
{
    return offset < positions.size() ? &positions[offset] : nullptr;
}

std::string CountWords(std::size_t count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// "[windows WIN-01 (ALL-03), evidence A; source: ...]" for a host's finding, else "[check]".
std::string FindingTag(const Finding& finding)
{
    if (finding.profile.empty()) {
        return "[" + std::string(CheckName(finding.check)) + "]";
    }
    std::string tag = "[" + std::string(finding.profile) + " " + std::string(finding.rule);
    if (!finding.sharedRule.empty()) {
        tag += " (" + std::string(finding.sharedRule) + ")";
    }
    return tag + ", evidence " + std::string(EvidenceName(finding.evidence)) +
           "; source: " + std::string(finding.source) + "]";
}

std::string_view NeedsWords(const HostRule& rule)
{
    return rule.id == "ALL-07" ? "wDescriptorLength, from lsusb -v input"
           : rule.id.starts_with("SZ")
               ? "the endpoint's packet size: --packet-size N or lsusb -v input"
               : "the interface's subclass and protocol, from lsusb -v input";
}

UsbInterfaceFacts InterfaceFacts(const CommandLine& options, const DescriptorInput& input)
{
    const LsusbInterface& lsusb = input.usbInterface;
    UsbInterfaceFacts facts;
    facts.subclass = lsusb.subclass;
    facts.protocol = lsusb.protocol;
    facts.descriptorLength = lsusb.descriptorLength;
    facts.maxPacketSize = lsusb.maxPacketSize;
    if (lsusb.speed) {
        facts.speed = *lsusb.speed == 0   ? UsbSpeed::Low
                      : *lsusb.speed == 1 ? UsbSpeed::Full
                                          : UsbSpeed::High;
    }
    if (options.packetSize != 0) {
        facts.maxPacketSize = static_cast<std::uint16_t>(options.packetSize);
    }
    return facts;
}

int ListHostProfiles()
{
    for (const HostProfile& profile : HostProfiles()) {
        std::size_t rules = 0;
        for (const HostRule& rule : HostRules()) {
            rules += rule.profile == profile.id || (profile.sharesOsRules && !profile.parent &&
                                                    rule.profile == HostProfileId::Shared);
        }
        std::string line(profile.name);
        line.resize(std::max<std::size_t>(line.size() + 2, 28), ' ');
        line += std::string(profile.summary) + " (" + std::to_string(rules) + " rules";
        if (profile.parent) {
            line += ", and those of " + std::string(ProfileOf(*profile.parent).name);
        }
        std::cout << line << ")\n";
    }
    std::cout.flush();
    if (!std::cout) {
        std::fprintf(stderr, "quorlix-cli: <stdout>: write failed\n");
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

void WriteCheckText(std::ostream& out, std::string_view fileName, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions, const HostCheckResult* hosts)
{
    for (const Finding& finding : findings) {
        out << fileName << ':';
        if (const SourcePosition* position = PositionOf(positions, finding.offset)) {
            out << position->line << ':' << position->column << ':';
        } else {
            out << " byte " << finding.offset << ':';
        }
        out << ' ' << SeverityName(finding.severity) << ": " << finding.message;
        if (!finding.fix.empty()) {
            out << "; " << finding.fix;
        }
        out << ' ' << FindingTag(finding) << '\n';
    }
    if (hosts != nullptr) {
        for (const HostRule* rule : hosts->notChecked) {
            out << fileName << ": not checked: " << rule->id << " (" << rule->demand << "): needs "
                << NeedsWords(*rule) << '\n';
        }
    }
    const FindingCounts counts = CountFindings(findings);
    out << CountWords(counts.errors, "error") << ", " << CountWords(counts.warnings, "warning")
        << ", " << CountWords(counts.notes, "note") << '\n';
}

void WriteCheckJson(std::ostream& out, std::span<const Finding> findings,
                    std::span<const SourcePosition> positions, const DescriptorInput* input,
                    const HostCheckResult* hosts)
{
    out << CheckJson(findings, positions, input, hosts).dump(2) << '\n';
}

nlohmann::ordered_json CheckJson(std::span<const Finding> findings,
                                 std::span<const SourcePosition> positions,
                                 const DescriptorInput* input, const HostCheckResult* hosts)
{
    nlohmann::ordered_json diagnostics = nlohmann::ordered_json::array();
    for (const Finding& finding : findings) {
        nlohmann::ordered_json entry;
        entry["severity"] = SeverityName(finding.severity);
        entry["check"] = CheckName(finding.check);
        entry["offset"] = finding.offset;
        entry["length"] = finding.length;
        const SourcePosition* position = PositionOf(positions, finding.offset);
        entry["line"] = position ? nlohmann::ordered_json(position->line) : nullptr;
        entry["column"] = position ? nlohmann::ordered_json(position->column) : nullptr;
        entry["message"] = finding.message;
        entry["fix"] = finding.fix;
        if (!finding.profile.empty()) {
            entry["profile"] = finding.profile;
            entry["rule"] = finding.rule;
            if (!finding.sharedRule.empty()) {
                entry["sharedRule"] = finding.sharedRule;
            }
            entry["source"] = finding.source;
            entry["evidence"] = EvidenceName(finding.evidence);
        }
        diagnostics.push_back(std::move(entry));
    }
    const FindingCounts counts = CountFindings(findings);
    nlohmann::ordered_json document;
    document["diagnostics"] = std::move(diagnostics);
    document["errors"] = counts.errors;
    document["warnings"] = counts.warnings;
    document["notes"] = counts.notes;
    if (input != nullptr) {
        document["input"] = nlohmann::ordered_json::parse(InputJsonText(*input));
    }
    if (hosts != nullptr) {
        nlohmann::ordered_json profiles = nlohmann::ordered_json::array();
        for (const HostProfileId profile : hosts->profiles) {
            profiles.push_back(ProfileOf(profile).name);
        }
        nlohmann::ordered_json notChecked = nlohmann::ordered_json::array();
        for (const HostRule* rule : hosts->notChecked) {
            nlohmann::ordered_json entry;
            entry["rule"] = rule->id;
            entry["profile"] = rule->profile == HostProfileId::Shared
                                   ? std::string_view("every operating system")
                                   : ProfileOf(rule->profile).name;
            entry["needs"] = NeedsWords(*rule);
            notChecked.push_back(std::move(entry));
        }
        document["hosts"] = std::move(profiles);
        document["notChecked"] = std::move(notChecked);
    }
    return document;
}

int CheckExitStatus(const FindingCounts& counts, bool warningsFail)
{
    if (counts.errors > 0 || (warningsFail && counts.warnings > 0)) {
        return kExitFindings;
    }
    return kExitOk;
}

int RunCheck(const CommandLine& options)
{
    if (options.hosts == "list") {
        return ListHostProfiles();
    }
    DescriptorInput input;
    const bool capture = IsCaptureInput(options);
    std::string interfaceName;
    if (capture ? !ReadCaptureDescriptor(options, input, &interfaceName)
                : !ReadCommandInput(options, input)) {
        return kExitFailure;
    }
    std::vector<AuditFinding> traffic;
    if (capture) {
        CommandLine auditOptions = options;
        auditOptions.interfaceSelector = interfaceName;
        if (!AuditCapture(auditOptions, traffic)) {
            return kExitFailure;
        }
    }
    AnalysisOptions analysisOptions;
    analysisOptions.itemList = false;
    analysisOptions.layoutTexts = false;
    analysisOptions.reportModel = false;
    for (const std::string& name : options.disabledChecks) {
        if (const auto check = FindCheck(name)) {
            analysisOptions.check.disabled[static_cast<std::size_t>(*check)] = true;
        }
    }
    // Host rules run when asked for, and the packet budget whenever a packet size is given.
    if (!options.hosts.empty() || options.packetSize != 0) {
        std::string_view unknown;
        if (!options.hosts.empty()) {
            analysisOptions.hosts.profiles =
                ParseHostProfiles(options.hosts, unknown).value_or(std::vector<HostProfileId>{});
        }
        analysisOptions.hosts.usb = InterfaceFacts(options, input);
    }
    Analysis analysis;
    AnalyseDescriptor(input.bytes, analysisOptions, analysis);
    const std::vector<Finding>& findings = analysis.findings;
    const HostCheckResult* hosts = analysis.hostsChecked ? &analysis.hosts : nullptr;
    // Text forms know where each byte's digits stood; binary input only has offsets.
    const std::span<const SourcePosition> positions = input.positions;
    const std::string fileName = options.file == "-" ? "<stdin>" : InputName(options);
    if (options.checkFormat == "json") {
        nlohmann::ordered_json document = CheckJson(findings, positions, &input, hosts);
        if (capture) {
            document["traffic"] = AuditJson(traffic);
        }
        std::cout << document.dump(2) << '\n';
    } else {
        WriteCheckText(std::cout, fileName, findings, positions, hosts);
        if (capture) {
            WriteAuditText(std::cout, fileName, traffic);
        }
    }
    if (FinishStandardOutput() != kExitOk) {
        return kExitFailure;
    }
    FindingCounts counts = CountFindings(findings);
    const FindingCounts trafficCounts = CountAuditFindings(traffic);
    counts.errors += trafficCounts.errors;
    counts.warnings += trafficCounts.warnings;
    return CheckExitStatus(counts, options.werror);
}

} // namespace quorlix
