#include "codegen/CHeader.h"

#include "codegen/BitHelpers.h"
#include "codegen/CIdentifier.h"
#include "codegen/DescriptorArray.h"
#include "reports/ReportModel.h"
#include "reports/ReportText.h"
#include "usage_names/FullUsageNames.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorlix {
namespace {

// A Variable field with more elements than this keeps one name and an index, so a short
// descriptor with long usage ranges cannot make a header of millions of names.
constexpr std::uint32_t kMaxNamedElements = 64;
// Over the whole header, the most fields split into runs of their own names; past it every
// field keeps one name, and the header stays linear in the descriptor.
constexpr std::size_t kMaxSplitFields = 4096;
// The accessors carry values in 32 bits, as the decoder reads them.
constexpr std::uint32_t kMaxAccessorBits = 32;

// One named run of a report's elements: the macros and accessors of one name.
struct FieldGroup
{
    std::string name; // upper case, the report's part first: INPUT_1_BUTTON_1
    std::string comment;
    std::uint64_t bitOffset = 0;
    std::uint32_t bitSize = 0;
    std::uint32_t count = 0;
    bool isSigned = false;
};

// Identifiers handed out so far; a repeat takes _2, _3 and so on, in the order they come. Each
// base remembers its next number, so thousands of repeats of one name cost linear time.
class NameSet
{
public:
    std::string Unique(const std::string& base)
    {
        if (m_used.insert(base).second) {
            return base;
        }
        std::size_t& next = m_nextNumber.try_emplace(base, 2).first->second;
        for (;; ++next) {
            std::string candidate = base + "_" + std::to_string(next);
            if (m_used.insert(candidate).second) {
                ++next;
                return candidate;
            }
        }
    }

private:
    std::unordered_set<std::string> m_used;
    std::unordered_map<std::string, std::size_t> m_nextNumber;
};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

// A macro's value: plain for what fits an int, else with a suffix no compiler warns about.
std::string Number(std::uint64_t value)
{
    const bool small =
        value <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    return std::to_string(value) + (small ? "" : "ULL");
}

std::string PageName(std::uint32_t usage)
{
    return std::string(FullUsagePageName(UsageOfExtended(usage).usagePage).View());
}

std::string ReportPart(const ReportModel& model, const Report& report)
{
    std::string part = Upper(ReportTypeName(report.type));
    if (model.IsNumbered(report.type)) {
        part += "_" + std::to_string(report.reportId);
    }
    return part;
}

// What every name of a field shares: its logical range, whether it is constant, its unit.
std::string FieldDetails(const ReportField& field)
{
    std::string details = ", logical " + std::to_string(field.logicalMinimum) + " to " +
                          std::to_string(field.logicalMaximum);
    if (field.IsConstant()) {
        details += ", constant";
    }
    const std::string unit = UnitText(field.unit);
    if (!unit.empty()) {
        details += ", unit " + unit;
        if (field.unitExponent != 0) {
            details += " x 10^" + std::to_string(field.unitExponent);
        }
    }
    return details;
}

void AddGroup(std::vector<FieldGroup>& groups, NameSet& names, const std::string& reportPart,
              const ReportField& field, std::string words, std::string comment,
              std::uint32_t firstElement, std::uint32_t count)
{
    FieldGroup group;
    group.name = names.Unique(reportPart + "_" + (words.empty() ? "FIELD" : words));
    group.comment = CommentText(comment + FieldDetails(field));
    group.bitOffset = field.bitOffset + std::uint64_t{ firstElement } * field.bitSize;
    group.bitSize = field.bitSize;
    group.count = count;
    group.isSigned = field.logicalMinimum < 0;
    groups.push_back(std::move(group));
}

// The named runs of one field: an Array field whole, under its usage page; a Variable field one
// run per usage while it is short, else whole under its first usage.
void AddFieldGroups(std::vector<FieldGroup>& groups, NameSet& names, std::size_t& splitFields,
                    const std::string& reportPart, const ReportField& field)
{
    if (!field.IsVariable()) {
        if (field.usageCount == 0) {
            AddGroup(groups, names, reportPart, field, "ARRAY", "array of no usage", 0,
                     field.count);
            return;
        }
        const std::string page = PageName(UsageAtIndex(field, 0));
        AddGroup(groups, names, reportPart, field, IdentifierWords(page) + "_ARRAY",
                 page + " array: each element a usage index", 0, field.count);
        return;
    }
    if (field.usageCount == 0) {
        AddGroup(groups, names, reportPart, field, "FIELD", "no usage", 0, field.count);
        return;
    }
    if (field.count > kMaxNamedElements || splitFields >= kMaxSplitFields) {
        const std::string name = ReportUsageName(ElementUsage(field, 0));
        const bool same = field.usageCount == 1;
        AddGroup(groups, names, reportPart, field, IdentifierWords(name),
                 same ? name : name + " and the usages after it", 0, field.count);
        return;
    }
    ++splitFields;
    std::uint32_t first = 0;
    while (first < field.count) {
        const std::uint32_t usage = ElementUsage(field, first);
        std::uint32_t end = first + 1;
        while (end < field.count && ElementUsage(field, end) == usage) {
            ++end;
        }
        const std::string name = ReportUsageName(usage);
        AddGroup(groups, names, reportPart, field, IdentifierWords(name), name, first, end - first);
        first = end;
    }
}

// Bit access that any C99 compiler takes without undefined behaviour: unsigned arithmetic
// only, no shift by the width or more, and a negative value made without converting an
// out-of-range unsigned one. The text lives in BitHelpers.c.inc, compiled into this library too.
void WriteBitHelpers(std::ostream& out, const std::string& prefix)
{
    out << '\n' << BitHelpersText(prefix);
}

bool HasAccessors(const FieldGroup& group)
{
    if (group.bitSize == 0 || group.bitSize > kMaxAccessorBits) {
        return false;
    }
    const std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    return group.bitOffset <= limit &&
           std::uint64_t{ group.count } <= (limit - group.bitOffset) / group.bitSize;
}

void WriteAccessors(std::ostream& out, const std::string& prefix, const std::string& macroPrefix,
                    const FieldGroup& group)
{
    const std::string macro = macroPrefix + "_" + group.name;
    const std::string function = prefix + "_" + Lower(group.name);
    const char* type = group.isSigned ? "int32_t" : "uint32_t";
    const std::string read = prefix + (group.isSigned ? "_read_signed_bits" : "_read_bits");
    const bool indexed = group.count > 1;
    const std::string offset =
        indexed ? macro + "_OFFSET + element * " + macro + "_SIZE" : macro + "_OFFSET";
    const std::string size = macro + "_SIZE";

    out << "static inline " << type << ' ' << function << "_get(const uint8_t *report"
        << (indexed ? ", uint32_t element" : "") << ")\n{\n";
    if (indexed) {
        out << "    if (element >= " << macro << "_COUNT) {\n        return 0;\n    }\n";
    }
    out << "    return " << read << "(report, " << offset << ", " << size << ");\n}\n";

    out << "static inline void " << function << "_set(uint8_t *report"
        << (indexed ? ", uint32_t element" : "") << ", " << type << " value)\n{\n";
    if (indexed) {
        out << "    if (element >= " << macro << "_COUNT) {\n        return;\n    }\n";
    }
    out << "    " << prefix << "_write_bits(report, " << offset << ", " << size << ", "
        << (group.isSigned ? "(uint32_t)value" : "value") << ");\n}\n";
}

void WriteReport(std::ostream& out, const ReportModel& model, const Report& report,
                 const std::string& prefix, const std::string& macroPrefix, NameSet& names,
                 std::size_t& splitFields)
{
    const std::string part = ReportPart(model, report);
    const bool numbered = model.IsNumbered(report.type);
    std::string type = ReportTypeName(report.type);
    type[0] = static_cast<char>(type[0] - 'a' + 'A');
    out << "\n/* " << type << " report" << (numbered ? " " + std::to_string(report.reportId) : "")
        << ": " << report.byteLength << (report.byteLength == 1 ? " byte" : " bytes")
        << (numbered ? ", the report id in byte 0" : ", not numbered") << ". */\n";
    if (report.spansCollections) {
        out << "/* Several top-level collections use this report id: hosts read their fields as\n"
               "   this one report, in descriptor order, and so do these definitions. */\n";
    }
    out << "#define " << macroPrefix << '_' << part << "_ID " << int{ report.reportId } << '\n';
    out << "#define " << macroPrefix << '_' << part << "_LENGTH " << Number(report.byteLength)
        << '\n';

    std::vector<FieldGroup> groups;
    for (const ReportField& field : report.fields) {
        if (!field.IsPadding()) {
            AddFieldGroups(groups, names, splitFields, part, field);
        }
    }
    for (const FieldGroup& group : groups) {
        const std::string macro = macroPrefix + "_" + group.name;
        out << "\n/* " << group.comment << " */\n";
        out << "#define " << macro << "_OFFSET " << Number(group.bitOffset) << '\n';
        out << "#define " << macro << "_SIZE " << Number(group.bitSize) << '\n';
        out << "#define " << macro << "_COUNT " << Number(group.count) << '\n';
        if (HasAccessors(group)) {
            WriteAccessors(out, prefix, macroPrefix, group);
        } else {
            out << "/* No accessors: elements wider than 32 bits, or the report too long. */\n";
        }
    }
}

} // namespace

bool WriteCHeader(std::ostream& out, std::span<const std::uint8_t> descriptor,
                  std::string_view prefixText)
{
    if (descriptor.empty() || !IsHeaderPrefix(prefixText)) {
        return false;
    }
    const std::string prefix(prefixText);
    const std::string macroPrefix = Upper(prefix);
    const std::string guard = macroPrefix + "_REPORT_DESCRIPTOR_H";

    out << "/* " << prefix << ": a HID report descriptor and its reports, by quorlix-cli header.\n"
        << "   A report is a byte array of its _LENGTH. Offsets and sizes count bits from its\n"
        << "   first byte, least significant bit first; numbered reports hold their id in byte 0,\n"
        << "   and the offsets count it. The _get and _set functions take a buffer of the\n"
        << "   report's length; an element past the _COUNT reads 0 and writes nothing. */\n"
        << "#ifndef " << guard << "\n#define " << guard << "\n\n#include <stdint.h>\n\n";
    WriteDescriptorArray(out, descriptor,
                         "static const uint8_t " + prefix + "_report_descriptor[" +
                             std::to_string(descriptor.size()) + "] = {");
    WriteBitHelpers(out, prefix);

    const ReportModel model = BuildReportModel(descriptor);
    NameSet names;
    std::size_t splitFields = 0;
    for (const Report& report : model.reports) {
        WriteReport(out, model, report, prefix, macroPrefix, names, splitFields);
    }
    out << "\n#endif\n";
    return true;
}

} // namespace quorlix
