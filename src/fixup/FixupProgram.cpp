#include "fixup/FixupProgram.h"

#include "codegen/DescriptorArray.h"
#include "diff/DescriptorDiff.h"
#include "support/HexDigits.h"

#include <algorithm>
#include <set>

namespace quorlix {
namespace {

// Bytes at the start and at the end of the original that a fix always checks.
constexpr std::size_t kEdgeBytes = 16;
// Byte comparisons per line of the check, and item lines of the changes in the comment.
constexpr std::size_t kChecksPerLine = 4;
constexpr std::size_t kMaxCommentItems = 64;

std::string Hex4(std::uint16_t value)
{
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += UpperHexDigit(value >> shift);
    }
    return text;
}

std::string ItemBytesText(std::span<const std::uint8_t> bytes, const ItemLine& line)
{
    std::string text;
    for (std::size_t i = line.offset; i < line.offset + line.length; ++i) {
        text += text.empty() ? "" : " ";
        text += UpperHexDigit(bytes[i] >> 4);
        text += UpperHexDigit(bytes[i]);
    }
    return text;
}

std::string CommentItem(char marker, std::span<const std::uint8_t> bytes, const ItemLine& line)
{
    std::string text = ItemBytesText(bytes, line);
    text.resize(std::max<std::size_t>(text.size(), 15), ' ');
    return " *   " + std::string(1, marker) + " " + std::to_string(line.offset) + ": " + text +
           "  " + line.text + "\n";
}

struct FixupContext
{
    std::span<const std::uint8_t> original;
    std::span<const std::uint8_t> fixed;
    const FixupRequest& request;
    DescriptorDiff diff;
    std::vector<ItemLine> originalItems;
    std::vector<ItemLine> fixedItems;
    std::vector<ByteEdit> edits; // empty when the lengths differ
};

// What the fix is and what it changes, as the opening comment.
void WriteAbout(std::ostream& out, const FixupContext& context)
{
    const FixupRequest& request = context.request;
    out << "/*\n * Report descriptor fix-up made by quorlix-cli fixup from\n * "
        << CommentText(request.originalName) << " (" << context.original.size() << " bytes) and "
        << CommentText(request.fixedName) << " (" << context.fixed.size() << " bytes): ";
    if (!context.edits.empty()) {
        out << context.edits.size() << (context.edits.size() == 1 ? " byte" : " bytes")
            << " changed in place.\n";
    } else {
        out << "the whole descriptor replaced.\n";
    }
    out << " *\n * What it changes for applications: "
        << CommentText(std::string(DiffVerdictName(context.diff.verdict)) + ": " +
                       context.diff.reason)
        << "\n";
    for (const DiffChange& change : context.diff.changes) {
        out << " *   " << (change.compatible ? "+ " : "! ") << CommentText(DiffChangeLine(change))
            << "\n";
    }
    out << " *\n * Items changed (offset: bytes, item):\n";
    std::size_t shown = 0;
    for (const ItemHunk& hunk : context.diff.hunks) {
        for (std::size_t i = hunk.oldFirst; i < hunk.oldFirst + hunk.oldCount; ++i) {
            if (shown++ < kMaxCommentItems) {
                out << CommentItem('-', context.original, context.originalItems[i]);
            }
        }
        for (std::size_t i = hunk.newFirst; i < hunk.newFirst + hunk.newCount; ++i) {
            if (shown++ < kMaxCommentItems) {
                out << CommentItem('+', context.fixed, context.fixedItems[i]);
            }
        }
    }
    if (shown > kMaxCommentItems) {
        out << " *   and " << shown - kMaxCommentItems << " more item lines\n";
    }
    out << " */\n";
}

// The body of the check: "size == N &&" then the bytes, kChecksPerLine a line.
void WriteMatchExpression(std::ostream& out, const FixupContext& context, const std::string& indent)
{
    out << indent << "return size == " << context.original.size();
    const std::vector<std::size_t> offsets = CheckedOffsets(context.original, context.fixed);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        out << (i % kChecksPerLine == 0 ? " &&\n" + indent + "       " : " && ") << "rdesc["
            << offsets[i] << "] == " << HexByte(context.original[offsets[i]]);
    }
    out << ";\n";
}

// The item of items that holds offset.
const ItemLine* ItemAt(const std::vector<ItemLine>& items, std::size_t offset)
{
    const auto next = std::upper_bound(
        items.begin(), items.end(), offset,
        [](std::size_t value, const ItemLine& line) { return value < line.offset; });
    return next == items.begin() ? nullptr : &*(next - 1);
}

// The in-place edits, each item's edits under a comment naming the item before and after.
void WriteEdits(std::ostream& out, const FixupContext& context, const std::string& buffer,
                const std::string& indent)
{
    const ItemLine* lastItem = nullptr;
    for (const ByteEdit& edit : context.edits) {
        const ItemLine* item = ItemAt(context.originalItems, edit.offset);
        if (item != nullptr && item != lastItem) {
            const ItemLine* now = ItemAt(context.fixedItems, item->offset);
            out << indent << "/* " << item->offset << ": " << item->text;
            if (now != nullptr && now->offset == item->offset) {
                out << " becomes " << now->text;
            }
            out << " */\n";
        }
        lastItem = item;
        out << indent << buffer << "[" << edit.offset << "] = " << HexByte(edit.to) << ";\n";
    }
}

void WriteFixedArray(std::ostream& out, const FixupContext& context, const std::string& type)
{
    out << "\n/* The fixed descriptor. */\n";
    WriteDescriptorArray(out, context.fixed,
                         "static const " + type + " " + context.request.prefix + "_fixed_rdesc[" +
                             std::to_string(context.fixed.size()) + "] = {");
}

void WriteHidBpf(std::ostream& out, const FixupContext& context)
{
    const std::string& prefix = context.request.prefix;
    out << "// SPDX-License-Identifier: GPL-2.0-only\n";
    WriteAbout(out, context);
    out << "\n#include \"vmlinux.h\"\n#include \"hid_bpf.h\"\n#include \"hid_bpf_helpers.h\"\n"
        << "#include <bpf/bpf_tracing.h>\n\n#ifndef EINVAL\n#define EINVAL 22\n#endif\n\n";
    if (context.request.device) {
        const MatchedDevice& id = *context.request.device;
        out << "HID_BPF_CONFIG(\n\tHID_DEVICE(" << Hex4(id.bus) << ", HID_GROUP_ANY, "
            << Hex4(id.vendor) << ", " << Hex4(id.product) << ")\n);\n";
    } else {
        out << "/* No device was named (--device-id BUS:VID:PID): this matches every device, and\n"
            << " * the probe alone decides. Name the device before installing this. */\n"
            << "HID_BPF_CONFIG(\n\tHID_DEVICE(HID_BUS_ANY, HID_GROUP_ANY, HID_VID_ANY, "
               "HID_PID_ANY)\n);\n";
    }
    if (context.edits.empty()) {
        WriteFixedArray(out, context, "__u8");
    }
    out << "\n/* The original descriptor: its length, and the bytes the fix relies on. */\n"
        << "static __always_inline int " << prefix
        << "_is_original(const __u8 *rdesc, unsigned int size)\n{\n";
    WriteMatchExpression(out, context, "\t");
    out << "}\n\nSEC(HID_BPF_RDESC_FIXUP)\nint BPF_PROG(" << prefix
        << "_fix_rdesc, struct hid_bpf_ctx *hctx)\n{\n"
        << "\t__u8 *data = hid_bpf_get_data(hctx, 0 /* offset */, 4096 /* size */);\n\n"
        << "\tif (!data || !" << prefix << "_is_original(data, hctx->size))\n"
        << "\t\treturn 0; /* not the descriptor this fix is for */\n\n";
    if (context.edits.empty()) {
        out << "\t__builtin_memcpy(data, " << prefix << "_fixed_rdesc, sizeof(" << prefix
            << "_fixed_rdesc));\n\treturn sizeof(" << prefix << "_fixed_rdesc);\n}\n";
    } else {
        WriteEdits(out, context, "data", "\t");
        out << "\n\treturn " << context.fixed.size() << ";\n}\n";
    }
    out << "\nHID_BPF_OPS(" << prefix << ") = {\n\t.hid_rdesc_fixup = (void *)" << prefix
        << "_fix_rdesc,\n};\n\nSEC(\"syscall\")\nint probe(struct hid_bpf_probe_args *ctx)\n{\n"
        << "\tctx->retval = " << prefix
        << "_is_original(ctx->rdesc, ctx->rdesc_size) ? 0 : -EINVAL;\n\n\treturn 0;\n}\n\n"
        << "char _license[] SEC(\"license\") = \"GPL\";\n";
}

void WriteKernel(std::ostream& out, const FixupContext& context)
{
    const std::string& prefix = context.request.prefix;
    out << "// SPDX-License-Identifier: GPL-2.0-or-later\n";
    WriteAbout(out, context);
    out << "\n#include <linux/hid.h>\n";
    if (context.edits.empty()) {
        WriteFixedArray(out, context, "__u8");
    }
    out << "\n/* The original descriptor: its length, and the bytes the fix relies on. */\n"
        << "static bool " << prefix << "_is_original(const __u8 *rdesc, unsigned int size)\n{\n";
    WriteMatchExpression(out, context, "\t");
    out << "}\n\n/* The driver's .report_fixup: the fixed descriptor for the original, any other "
           "as it is. */\n"
        << "static const __u8 *" << prefix
        << "_report_fixup(struct hid_device *hdev, __u8 *rdesc, unsigned int *rsize)\n{\n"
        << "\tif (!" << prefix << "_is_original(rdesc, *rsize))\n\t\treturn rdesc;\n\n"
        << "\thid_info(hdev, \"fixing up the report descriptor\\n\");\n";
    if (context.edits.empty()) {
        out << "\t*rsize = sizeof(" << prefix << "_fixed_rdesc);\n\treturn " << prefix
            << "_fixed_rdesc;\n}\n";
    } else {
        WriteEdits(out, context, "rdesc", "\t");
        out << "\treturn rdesc;\n}\n";
    }
}

void WriteC(std::ostream& out, const FixupContext& context)
{
    WriteAbout(out, context);
    out << "\n#include <stdint.h>\n\n";
    WriteDescriptorArray(out, context.fixed,
                         "const uint8_t " + context.request.prefix + "_report_descriptor[" +
                             std::to_string(context.fixed.size()) + "] = {");
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Up to four hexadecimal digits at text[at]; nothing when none or more follow.
std::optional<std::uint16_t> HexField(std::string_view text, std::size_t at, std::size_t& end)
{
    std::uint32_t value = 0;
    std::size_t i = at;
    while (i < text.size() && HexDigit(text[i]) >= 0) {
        if (i - at == 4) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(HexDigit(text[i]));
        ++i;
    }
    if (i == at) {
        return std::nullopt;
    }
    end = i;
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::vector<ByteEdit> ByteEdits(std::span<const std::uint8_t> original,
                                std::span<const std::uint8_t> fixed)
{
    std::vector<ByteEdit> edits;
    if (original.size() != fixed.size()) {
        return edits;
    }
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (original[i] != fixed[i]) {
            edits.push_back({ i, original[i], fixed[i] });
        }
    }
    return edits;
}

std::vector<std::size_t> CheckedOffsets(std::span<const std::uint8_t> original,
                                        std::span<const std::uint8_t> fixed)
{
    std::set<std::size_t> offsets;
    const auto add = [&](std::size_t first, std::size_t length) {
        for (std::size_t i = first; i < first + length && offsets.size() < kMaxCheckedBytes; ++i) {
            offsets.insert(i);
        }
    };
    const std::size_t size = original.size();
    add(0, std::min(size, kEdgeBytes));
    add(size - std::min(size, kEdgeBytes), std::min(size, kEdgeBytes));
    const DescriptorDiff diff = DiffDescriptors(original, fixed);
    for (const ItemHunk& hunk : diff.hunks) {
        // An insertion changes no item of the original: the items around it are checked.
        const std::size_t first =
            hunk.oldCount == 0 && hunk.oldFirst > 0 ? hunk.oldFirst - 1 : hunk.oldFirst;
        const std::size_t end =
            std::min(diff.oldItems.size(), hunk.oldFirst + std::max<std::size_t>(hunk.oldCount, 1));
        for (std::size_t i = first; i < end; ++i) {
            add(diff.oldItems[i].offset, diff.oldItems[i].length);
        }
    }
    return { offsets.begin(), offsets.end() };
}

Expected<void, FixupError> WriteFixup(std::ostream& out, std::span<const std::uint8_t> original,
                                      std::span<const std::uint8_t> fixed,
                                      const FixupRequest& request)
{
    if (original.empty() || fixed.empty()) {
        return Unexpected(FixupError::EmptyDescriptor);
    }
    if (original.size() > kMaxKernelDescriptorBytes || fixed.size() > kMaxKernelDescriptorBytes) {
        return Unexpected(FixupError::TooLong);
    }
    if (std::equal(original.begin(), original.end(), fixed.begin(), fixed.end())) {
        return Unexpected(FixupError::SameBytes);
    }
    FixupContext context{ original,
                          fixed,
                          request,
                          DiffDescriptors(original, fixed),
                          DescribeItems(original),
                          DescribeItems(fixed),
                          ByteEdits(original, fixed) };
    switch (request.form) {
    case FixupForm::HidBpf:
        WriteHidBpf(out, context);
        break;
    case FixupForm::Kernel:
        WriteKernel(out, context);
        break;
    case FixupForm::C:
        WriteC(out, context);
        break;
    }
    return {};
}

std::string_view FixupErrorText(FixupError error)
{
    switch (error) {
    case FixupError::EmptyDescriptor:
        return "empty descriptor: nothing to fix";
    case FixupError::TooLong:
        return "longer than the 4096 bytes the kernel takes for a report descriptor";
    case FixupError::SameBytes:
        break;
    }
    return "the two descriptors are the same bytes: nothing to fix";
}

std::optional<MatchedDevice> FindDeviceId(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (at > 0 && HexDigit(text[at - 1]) >= 0) {
            continue; // only a field that starts a run of digits
        }
        std::size_t end = 0;
        const auto bus = HexField(text, at, end);
        if (!bus || end >= text.size() || text[end] != ':') {
            continue;
        }
        const auto vendor = HexField(text, end + 1, end);
        if (!vendor || end >= text.size() || text[end] != ':') {
            continue;
        }
        const auto product = HexField(text, end + 1, end);
        if (!product) {
            continue;
        }
        return MatchedDevice{ *bus, *vendor, *product };
    }
    return std::nullopt;
}

} // namespace quorlix
