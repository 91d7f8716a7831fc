#include "cli/AuditCommand.h"

#include "cli/CaptureCommand.h"
#include "cli/CheckCommand.h"
#include "cli/CommandOutput.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace quorlix {
namespace {

struct AuditTarget
{
    std::string name;
    ReportSelector selector;
    std::unique_ptr<TrafficAudit> audit;
};

} // namespace

FindingCounts CountAuditFindings(std::span<const AuditFinding> findings)
{
    FindingCounts counts;
    for (const AuditFinding& finding : findings) {
        counts.errors += finding.severity == Severity::Error ? 1 : 0;
        counts.warnings += finding.severity == Severity::Warning ? 1 : 0;
        counts.notes += finding.severity == Severity::Note ? 1 : 0;
    }
    return counts;
}

namespace {

std::string CountWords(std::size_t count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

void WriteAuditText(std::ostream& out, std::string_view fileName,
                    std::span<const AuditFinding> findings)
{
    for (const AuditFinding& finding : findings) {
        out << fileName << ':';
        if (!finding.frames.empty()) {
            out << "frame " << finding.frames.front() << ':';
        }
        out << ' ' << SeverityName(finding.severity) << ": " << finding.interface << ": "
            << finding.message;
        if (!finding.frames.empty()) {
            out << "; " << finding.count << (finding.count == 1 ? " time" : " times")
                << (finding.frames.size() == 1 ? ", frame " : ", frames ");
            for (std::size_t k = 0; k < finding.frames.size(); ++k) {
                out << (k == 0 ? "" : ", ") << finding.frames[k];
            }
            if (finding.count > finding.frames.size()) {
                out << ", ...";
            }
        }
        out << " [" << AuditCheckName(finding.check) << "]\n";
    }
    const FindingCounts counts = CountAuditFindings(findings);
    out << CountWords(counts.errors, "error") << ", " << CountWords(counts.warnings, "warning")
        << ", " << CountWords(counts.notes, "note") << '\n';
}

void WriteAuditJson(std::ostream& out, std::span<const AuditFinding> findings)
{
    out << AuditJson(findings).dump(2) << '\n';
}

nlohmann::ordered_json AuditJson(std::span<const AuditFinding> findings)
{
    using Json = nlohmann::ordered_json;
    Json list = Json::array();
    for (const AuditFinding& finding : findings) {
        Json entry;
        entry["severity"] = SeverityName(finding.severity);
        entry["check"] = AuditCheckName(finding.check);
        entry["interface"] = finding.interface;
        entry["type"] = ReportTypeName(finding.type);
        entry["reportId"] = finding.reportId;
        entry["message"] = finding.message;
        entry["count"] = finding.count;
        entry["frames"] = finding.frames;
        list.push_back(std::move(entry));
    }
    const FindingCounts counts = CountAuditFindings(findings);
    Json document;
    document["findings"] = std::move(list);
    document["errors"] = counts.errors;
    document["warnings"] = counts.warnings;
    document["notes"] = counts.notes;
    return document;
}

bool AuditCapture(const CommandLine& options, std::vector<AuditFinding>& findings)
{
    const std::string& file = options.file;
    const CaptureRun first = ScanCaptureFile(file, {});
    if (!SayCaptureProblems(file, first) && first.error->kind != CaptureErrorKind::Malformed) {
        return false;
    }
    ReportSelector selector;
    if (!ReadReportSelector(options, selector)) {
        return false;
    }
    std::vector<AuditTarget> targets;
    if (!options.descriptorFile.empty()) {
        DescriptorInput descriptor;
        const InputOutcome outcome =
            ReadDescriptorInput(options.descriptorFile, InputRequest{}, descriptor);
        if (outcome.status != InputStatus::Ok) {
            Complain(options.descriptorFile, DescribeInputOutcome(outcome));
            return false;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(descriptor.bytes.data());
        std::string name =
            options.interfaceSelector.empty() ? std::string("all") : options.interfaceSelector;
        if (!options.endpointText.empty()) {
            name += " endpoint " + options.endpointText;
        }
        targets.push_back(AuditTarget{
            name, selector,
            std::make_unique<TrafficAudit>(std::span(bytes, descriptor.bytes.size())) });
    } else {
        for (const CapturedDescriptor& d : first.inventory.descriptors) {
            if (selector.address >= 0 &&
                (d.bus != selector.bus || d.address != selector.address ||
                 (selector.interface >= 0 && d.interface != selector.interface))) {
                continue;
            }
            const std::string name = InterfaceName(d.bus, d.address, d.interface);
            bool known = false;
            for (const AuditTarget& t : targets) {
                known = known || t.name == name;
            }
            if (!known) {
                targets.push_back(AuditTarget{
                    name, ReportSelector{ d.bus, d.address, d.interface, selector.endpoint },
                    std::make_unique<TrafficAudit>(d.bytes) });
            }
        }
    }
    if (targets.empty()) {
        Complain(file,
                 "the capture holds no report descriptor" +
                     (options.interfaceSelector.empty() ? std::string()
                                                        : " of " + options.interfaceSelector) +
                     "; give one with --descriptor FILE");
        return false;
    }
    // Reports no descriptor covers, per interface, and reports --interface left out only because
    // the capture cannot tell which interface their endpoint serves, per endpoint: both said, so
    // that "never seen" is not taken for the whole truth.
    struct Unaudited
    {
        std::string name;
        int endpoint = -1; // an endpoint of unknown interface
        Occurrence where;
    };
    std::vector<Unaudited> unaudited;
    CaptureCallbacks callbacks;
    callbacks.onReport = [&](const CapturedReport& captured) {
        CapturedReport report = captured;
        report.interface = ResolveInterface(first.inventory, captured);
        for (AuditTarget& target : targets) {
            if (target.selector.Matches(captured, report.interface)) {
                target.audit->Take(report);
                return;
            }
        }
        int endpoint = -1;
        if (!selector.Matches(captured, report.interface)) {
            if (!selector.LeavesOutUnplaced(captured, report.interface)) {
                return;
            }
            endpoint = captured.endpoint;
        }
        const std::string name = InterfaceName(report.bus, report.address, report.interface);
        for (Unaudited& known : unaudited) {
            if (known.name == name && known.endpoint == endpoint) {
                known.where.Add(report.frame);
                return;
            }
        }
        if (unaudited.size() < kMaxReportTraffic) {
            unaudited.push_back(Unaudited{ name, endpoint, {} });
            unaudited.back().where.Add(report.frame);
        }
    };
    const CaptureRun second = ScanCaptureFile(file, callbacks);
    for (AuditTarget& target : targets) {
        std::vector<AuditFinding> found = target.audit->Finish(target.name);
        findings.insert(findings.end(), std::make_move_iterator(found.begin()),
                        std::make_move_iterator(found.end()));
    }
    for (const Unaudited& u : unaudited) {
        AuditFinding& finding = findings.emplace_back();
        finding.severity = Severity::Note;
        finding.interface = u.name;
        if (u.endpoint >= 0) {
            const std::string endpoint = EndpointName(static_cast<std::uint8_t>(u.endpoint));
            finding.check = AuditCheck::UnknownInterface;
            finding.interface += " endpoint " + endpoint;
            finding.message = "reports not audited: the capture does not tell which interface "
                              "endpoint " +
                              endpoint + " serves (no configuration descriptor); --interface " +
                              options.interfaceSelector + " --endpoint " + endpoint +
                              " audits them as that interface's";
        } else {
            finding.check = AuditCheck::NoDescriptor;
            finding.message = "reports not audited: the capture holds no descriptor of " + u.name +
                              " (give one with --descriptor FILE --interface " + u.name + ")";
        }
        finding.count = u.where.count;
        finding.frames = u.where.frames;
    }
    return true;
}

int RunAudit(const CommandLine& options)
{
    std::vector<AuditFinding> findings;
    if (!AuditCapture(options, findings)) {
        return kExitFailure;
    }
    if (options.checkFormat == "json") {
        WriteAuditJson(std::cout, findings);
    } else {
        WriteAuditText(std::cout, options.file, findings);
    }
    std::cout.flush();
    if (!std::cout) {
        Complain("<stdout>", "write failed");
        return kExitFailure;
    }
    return CheckExitStatus(CountAuditFindings(findings), options.werror);
}

} // namespace quorlix
