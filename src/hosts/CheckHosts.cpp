#include "hosts/CheckHosts.h"

#include "hosts/HostChecker.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quorlix {
namespace hosts {

void HostChecker::Run()
{
    if (m_bytes.empty()) {
        return;
    }
    for (const HostProfileId profile : m_result.profiles) {
        const HostProfile& entry = ProfileOf(profile);
        if (entry.sharesOsRules && !entry.parent) {
            CheckShared(profile);
        }
        switch (profile) {
        case HostProfileId::UsbBootKeyboard:
            CheckBootKeyboard();
            break;
        case HostProfileId::UsbBootMouse:
            CheckBootMouse();
            break;
        case HostProfileId::Windows:
            CheckWindows();
            break;
        case HostProfileId::WindowsPrecisionTouchpad:
            CheckPrecisionTouchpad();
            break;
        case HostProfileId::WindowsTouchscreen:
            CheckTouchscreen();
            break;
        case HostProfileId::WindowsPen:
            CheckPen();
            break;
        case HostProfileId::Macos:
            CheckMacos();
            break;
        case HostProfileId::Ios:
            CheckIos();
            break;
        case HostProfileId::Android:
            CheckAndroid();
            break;
        case HostProfileId::Linux:
            CheckLinux();
            break;
        case HostProfileId::Ble:
            CheckBle();
            break;
        case HostProfileId::Usb:
        case HostProfileId::Shared:
            break;
        }
        CheckInterface(profile);
    }
    CheckPacketBudget();
}

void HostChecker::Report(HostProfileId profile, std::string_view ruleId, std::size_t offset,
                         std::size_t length, const std::string& what, std::string fix)
{
    const HostRule* rule = FindHostRule(ruleId);
    const HostRule* own = OwnRule(profile, ruleId);
    const HostRule* named = own != nullptr ? own : rule;
    if (named == nullptr) {
        return;
    }
    Finding& finding = m_result.findings.emplace_back();
    // Weak evidence may advise, never fail a descriptor.
    finding.severity = named->evidence == Evidence::C && named->severity == Severity::Error
                           ? Severity::Warning
                           : named->severity;
    finding.check = CheckId::HostRule;
    finding.offset = std::min(offset, m_bytes.size() - 1);
    finding.length = std::max<std::size_t>(length, 1);
    finding.message = what + ": " + std::string(named->hostDoes);
    finding.fix = std::move(fix);
    finding.profile = ProfileOf(profile).name;
    finding.rule = named->id;
    finding.sharedRule = own != nullptr ? rule->id : std::string_view{};
    finding.source = named->source;
    finding.evidence = named->evidence;
}

void HostChecker::ReportAtStart(HostProfileId profile, std::string_view ruleId,
                                const std::string& what, std::string fix)
{
    Report(profile, ruleId, 0, m_outline.firstItemLength, what, std::move(fix));
}

void HostChecker::ReportAtCollection(HostProfileId profile, std::string_view ruleId,
                                     std::size_t collection, const std::string& what,
                                     std::string fix)
{
    const OutlineCollection& open = m_outline.collections[collection];
    Report(profile, ruleId, open.offset, open.length, what, std::move(fix));
}

void HostChecker::ReportAtField(HostProfileId profile, std::string_view ruleId,
                                const OutlineField& field, const std::string& what, std::string fix)
{
    Report(profile, ruleId, field.offset, field.length, what, std::move(fix));
}

void HostChecker::NotChecked(std::string_view ruleId)
{
    const HostRule* rule = FindHostRule(ruleId);
    if (rule != nullptr && std::find(m_result.notChecked.begin(), m_result.notChecked.end(),
                                     rule) == m_result.notChecked.end()) {
        m_result.notChecked.push_back(rule);
    }
}

std::size_t HostChecker::TopLevel(std::uint32_t usage) const
{
    for (std::size_t i = 0; i < m_outline.collections.size(); ++i) {
        const OutlineCollection& collection = m_outline.collections[i];
        if (collection.parent == kNoCollection && collection.usage == usage) {
            return i;
        }
    }
    return kNoCollection;
}

std::size_t HostChecker::TopLevelCount() const
{
    return static_cast<std::size_t>(
        std::count_if(m_outline.collections.begin(), m_outline.collections.end(),
                      [](const OutlineCollection& c) { return c.parent == kNoCollection; }));
}

bool HostChecker::Within(const OutlineField& field, std::size_t collection) const
{
    // Contacts and styli nest a level or two down; a bound keeps deep nesting linear.
    constexpr int kLevels = 8;
    std::size_t at = field.collection;
    for (int level = 0; level < kLevels && at != kNoCollection; ++level) {
        if (at == collection) {
            return true;
        }
        at = m_outline.collections[at].parent;
    }
    return false;
}

const OutlineField* HostChecker::DataField(std::size_t collection, ReportType type,
                                           std::uint32_t usage) const
{
    for (const OutlineField& field : m_outline.fields) {
        if (field.type == type && !field.IsConstant() && field.HasUsage(usage) &&
            Within(field, collection)) {
            return &field;
        }
    }
    return nullptr;
}

std::string HostChecker::MissingUsages(std::size_t collection, ReportType type,
                                       std::span<const NeededUsage> needed) const
{
    std::string missing;
    for (const NeededUsage& usage : needed) {
        if (DataField(collection, type, usage.usage) == nullptr) {
            missing += missing.empty() ? "" : ", ";
            missing += usage.words;
        }
    }
    return missing;
}

const OutlineField* HostChecker::FieldAt(std::size_t offset) const
{
    const auto found = std::lower_bound(
        m_outline.fields.begin(), m_outline.fields.end(), offset,
        [](const OutlineField& field, std::size_t at) { return field.offset < at; });
    return found != m_outline.fields.end() && found->offset == offset ? &*found : nullptr;
}

std::uint64_t HostChecker::TopLevelNumber(std::size_t topLevel) const
{
    return m_outline.collections[topLevel].number;
}

const quorlix::Report* HostChecker::ReportOf(ReportType type, std::size_t topLevel) const
{
    const std::uint64_t number = TopLevelNumber(topLevel);
    for (const quorlix::Report& report : m_outline.model.reports) {
        if (report.type == type && report.firstCollection == number) {
            return &report;
        }
    }
    return nullptr;
}

std::vector<ReportElement> HostChecker::Elements(const quorlix::Report& report,
                                                 std::uint64_t maxBits) const
{
    std::vector<ReportElement> elements;
    const std::uint64_t idBits = report.reportId != 0 ? 8 : 0;
    for (const ReportField& field : report.fields) {
        const OutlineField* outline = FieldAt(field.itemOffset);
        for (std::uint32_t i = 0; i < field.count; ++i) {
            const std::uint64_t start = field.bitOffset + std::uint64_t{ i } * field.bitSize;
            if (start < idBits || start - idBits >= maxBits) {
                break;
            }
            ReportElement element;
            element.start = start - idBits;
            element.size = field.bitSize;
            element.usage = field.IsVariable() ? ElementUsage(field, i) : UsageAtIndex(field, 0);
            element.field = outline;
            element.reportField = &field;
            elements.push_back(element);
        }
    }
    return elements;
}

bool HostChecker::AllFieldsNumbered(std::size_t topLevel) const
{
    return !m_outline.collections[topLevel].unnumberedField;
}

} // namespace hosts

HostCheckResult CheckHosts(std::span<const std::uint8_t> bytes, const HostCheckOptions& options)
{
    HostCheckResult result;
    for (const HostProfileId profile : options.profiles) {
        const HostProfile& entry = ProfileOf(profile);
        for (const HostProfileId id : { entry.parent.value_or(profile), profile }) {
            if (std::find(result.profiles.begin(), result.profiles.end(), id) ==
                result.profiles.end()) {
                result.profiles.push_back(id);
            }
        }
    }
    const DescriptorOutline outline = BuildOutline(bytes);
    hosts::HostChecker(bytes, outline, options, result).Run();
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    return result;
}

std::optional<std::vector<HostProfileId>> ParseHostProfiles(std::string_view names,
                                                            std::string_view& unknown)
{
    std::vector<HostProfileId> profiles;
    while (true) {
        const std::size_t comma = names.find(',');
        const std::string_view name = names.substr(0, comma);
        const std::optional<HostProfileId> profile = FindHostProfile(name);
        if (!profile) {
            unknown = name;
            return std::nullopt;
        }
        profiles.push_back(*profile);
        if (comma == std::string_view::npos) {
            return profiles;
        }
        names.remove_prefix(comma + 1);
    }
}

} // namespace quorlix
