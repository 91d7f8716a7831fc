// Checks of main items that open and close collections.

#include "diagnostics/DescriptorChecker.h"

#include "diagnostics/FindingTexts.h"

#include <string>

namespace quorlix::checks {

void DescriptorChecker::OnMainItem(const DescriptorItem& item)
{
    switch (item.tag) {
    case kInput:
    case kOutput:
    case kFeature:
        OnDataItem(item);
        break;
    case kCollection:
        OnCollection(item);
        break;
    case kEndCollection:
        OnEndCollection(item);
        break;
    default:
        ReportUnknownTag(item);
        break;
    }
    CheckLocalsAtMain(item);
}

void DescriptorChecker::OnCollection(const DescriptorItem& item)
{
    if (!m_walker.Locals().anyUsage) {
        Add(CheckId::CollectionUsageMissing, item,
            Join("Collection (", CollectionKindText(item.value), ") has no Usage before it"),
            "put a Usage before the Collection item to say what it holds");
        // Hosts name devices by their Application collections; shipping gamepads leave their
        // Physical and Logical collections unnamed, and every host accepts that.
        const bool grouping = item.value == kPhysical || item.value == kLogical;
        if (grouping && !m_findings.empty() &&
            m_findings.back().check == CheckId::CollectionUsageMissing &&
            m_findings.back().offset == item.offset) {
            m_findings.back().severity = Severity::Note;
        }
    }
    m_open.push_back({ item.offset, item.length, item.value });
    if (item.value == kApplication) {
        ++m_openApplications;
    }
}

void DescriptorChecker::OnEndCollection(const DescriptorItem& item)
{
    if (m_open.empty()) {
        Add(CheckId::CollectionBalance, item, "End Collection with no collection open",
            "remove this C0, or add the Collection it was meant to close");
        return;
    }
    if (m_open.back().kind == kApplication) {
        --m_openApplications;
    }
    m_open.pop_back();
}

} // namespace quorlix::checks
