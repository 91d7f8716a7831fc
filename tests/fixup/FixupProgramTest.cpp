#include "fixup/FixupProgram.h"

#include "support/TestDescriptors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace quorlix {
namespace {

using test::HexBytes;

const std::string kData = std::string(QUORLIX_TEST_DATA_DIR) + "/";
const std::string kShim = kData + "fixups/shim";

std::vector<std::uint8_t> ReadHex(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return HexBytes(text.str());
}

// A real kernel fix of one byte (the hat switch's Logical Maximum), and one of ours that changes
// the length (Pushes without Pops removed, 0xFF maxima in two bytes).
struct FixPair
{
    const char* name;
    const char* prefix;
    std::vector<std::uint8_t> original;
    std::vector<std::uint8_t> fixed;
};

std::vector<FixPair> FixPairs()
{
    return {
        { "frtec, one byte in place", "frtec",
          ReadHex(kData + "descriptors/frtec-raptor-mach2-original.txt"),
          ReadHex(kData + "fixups/frtec-raptor-mach2-fixed.txt") },
        { "kye, a new length", "kye", ReadHex(kData + "descriptors/kye-easypen-i405x-original.txt"),
          ReadHex(kData + "fixups/kye-easypen-i405x-fixed.txt") },
    };
}

std::string Fixup(const FixPair& pair, FixupForm form, std::optional<MatchedDevice> device = {})
{
    FixupRequest request;
    request.form = form;
    request.prefix = pair.prefix;
    request.device = device;
    request.originalName = std::string(pair.prefix) + "-original.txt";
    request.fixedName = std::string(pair.prefix) + "-fixed.txt";
    std::ostringstream out;
    EXPECT_TRUE(WriteFixup(out, pair.original, pair.fixed, request));
    return out.str();
}

std::string CArray(const std::vector<std::uint8_t>& bytes)
{
    std::string text = "{";
    for (const std::uint8_t byte : bytes) {
        text += std::to_string(byte) + ",";
    }
    return text + "}";
}

bool HasCommand(const char* name)
{
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

class FixupCompiles : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("quorlix-fixup-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        const std::filesystem::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Runs a shell command with its output in a file of the test's own; true on exit 0.
    bool Run(const std::string& command, std::string& output) const
    {
        const std::string log = (m_dir / "log").string();
        const int status = std::system((command + " >" + log + " 2>&1").c_str());
        std::ifstream in(log);
        std::ostringstream text;
        text << in.rdbuf();
        output = text.str();
        return status == 0;
    }

    std::filesystem::path m_dir;
};

TEST_F(FixupCompiles, KernelFormFixesTheOriginalAndLeavesAnyOtherAlone)
{
    if (!HasCommand("gcc")) {
        GTEST_SKIP() << "gcc not found";
    }
    for (const FixPair& pair : FixPairs()) {
        SCOPED_TRACE(pair.name);
        const std::vector<std::size_t> checked = CheckedOffsets(pair.original, pair.fixed);
        ASSERT_FALSE(checked.empty());
        const std::size_t changedByte = checked[checked.size() / 2];
        Write("fixup.c", Fixup(pair, FixupForm::Kernel));
        const std::string driver =
            Write("driver.c",
                  "#include \"fixup.c\"\n#include <string.h>\n"
                  "static const unsigned char original[] = " +
                      CArray(pair.original) +
                      ";\n"
                      "static const unsigned char fixed[] = " +
                      CArray(pair.fixed) +
                      ";\n"
                      "int main(void)\n{\n"
                      "    static unsigned char buffer[4096];\n"
                      "    struct hid_device hdev = { 0 };\n"
                      "    unsigned int size = sizeof original;\n"
                      "    memcpy(buffer, original, sizeof original);\n"
                      "    const __u8 *out = " +
                      pair.prefix +
                      "_report_fixup(&hdev, buffer, &size);\n"
                      "    if (size != sizeof fixed || memcmp(out, fixed, size) != 0 || "
                      "hdev.infoLines != 1)\n"
                      "        return 1;\n"
                      "    memcpy(buffer, original, sizeof original);\n"
                      "    buffer[" +
                      std::to_string(changedByte) +
                      "] ^= 0x01;\n"
                      "    size = sizeof original;\n"
                      "    out = " +
                      pair.prefix +
                      "_report_fixup(&hdev, buffer, &size);\n"
                      "    if (out != buffer || size != sizeof original || hdev.infoLines != 1)\n"
                      "        return 2;\n"
                      "    size = sizeof original - 1;\n"
                      "    memcpy(buffer, original, sizeof original);\n"
                      "    out = " +
                      pair.prefix +
                      "_report_fixup(&hdev, buffer, &size);\n"
                      "    return out == buffer && size == sizeof original - 1 && hdev.infoLines "
                      "== 1 ? 0 : 3;\n"
                      "}\n");
        std::string output;
        const std::string program = (m_dir / "driver").string();
        ASSERT_TRUE(
            Run("gcc -std=gnu11 -Wall -Wextra -Werror -I" + kShim + " -o " + program + " " + driver,
                output))
            << output;
        EXPECT_TRUE(Run(program, output)) << output;
    }
}

TEST_F(FixupCompiles, CFormIsTheFixedDescriptor)
{
    if (!HasCommand("gcc")) {
        GTEST_SKIP() << "gcc not found";
    }
    for (const FixPair& pair : FixPairs()) {
        SCOPED_TRACE(pair.name);
        const std::string array = Write("array.c", Fixup(pair, FixupForm::C));
        const std::string check = Write(
            "check.c", "#include <stdint.h>\n#include <string.h>\n"
                       "extern const uint8_t " +
                           std::string(pair.prefix) + "_report_descriptor[" +
                           std::to_string(pair.fixed.size()) +
                           "];\n"
                           "static const unsigned char fixed[] = " +
                           CArray(pair.fixed) +
                           ";\n"
                           "int main(void)\n{\n    return memcmp(" +
                           pair.prefix + "_report_descriptor, fixed, sizeof fixed) != 0;\n}\n");
        std::string output;
        const std::string program = (m_dir / "check").string();
        ASSERT_TRUE(Run("gcc -std=c99 -pedantic -Wall -Wextra -Werror -o " + program + " " + array +
                            " " + check,
                        output))
            << output;
        EXPECT_TRUE(Run(program, output)) << output;
    }
}

TEST_F(FixupCompiles, HidBpfFormBuildsForTheBpfTarget)
{
    if (!HasCommand("clang")) {
        GTEST_SKIP() << "clang not found: the HID-BPF form is not compiled";
    }
    // The kernel's own types when its BTF can be dumped, else the stand-in header alone.
    std::string headers = kShim;
    std::string defines = "-D__TARGET_ARCH_x86";
    std::string output;
    if (HasCommand("bpftool") && std::filesystem::exists("/sys/kernel/btf/vmlinux")) {
        const std::filesystem::path btf = m_dir / "btf";
        std::filesystem::create_directories(btf);
        for (const char* name : { "hid_bpf.h", "hid_bpf_helpers.h" }) {
            std::filesystem::copy_file(kShim + "/" + name, btf / name);
        }
        const std::string dump = (btf / "vmlinux.h").string();
        if (Run("bpftool btf dump file /sys/kernel/btf/vmlinux format c >" + dump, output) &&
            Run("grep -q '^struct pt_regs {' " + dump, output)) {
            headers = btf.string();
            if (Run("grep -q '^struct hid_bpf_ctx {' " + dump, output)) {
                defines += " -DQUORLIX_BTF_HAS_HID_BPF";
            }
        }
    }
    for (const FixPair& pair : FixPairs()) {
        for (const bool known : { true, false }) {
            SCOPED_TRACE(std::string(pair.name) + (known ? ", device known" : ", any device"));
            const std::optional<MatchedDevice> device =
                known ? std::optional<MatchedDevice>(MatchedDevice{ 3, 0x11C0, 0x5606 })
                      : std::nullopt;
            const std::string text = Fixup(pair, FixupForm::HidBpf, device);
            EXPECT_EQ(text.rfind("// SPDX-License-Identifier: GPL-2.0-only\n", 0), 0u);
            EXPECT_NE(text.find(known ? "HID_DEVICE(0x0003, HID_GROUP_ANY, 0x11C0, 0x5606)"
                                      : "HID_DEVICE(HID_BUS_ANY, HID_GROUP_ANY, HID_VID_ANY"),
                      std::string::npos);
            const std::string source = Write("fix.bpf.c", text);
            ASSERT_TRUE(Run("clang -target bpf -O2 -g -Wall -Werror " + defines + " -I" + headers +
                                " -c " + source + " -o " + (m_dir / "fix.bpf.o").string(),
                            output))
                << output;
        }
    }
}

TEST(WriteFixup, EditsInPlaceWhenTheLengthStaysElseReplacesTheWhole)
{
    const std::vector<FixPair> pairs = FixPairs();
    const std::string edit = Fixup(pairs[0], FixupForm::HidBpf);
    EXPECT_NE(edit.find("\t/* 176: GLOBAL_LOCAL_MAXIMUM(239) becomes GLOBAL_LOCAL_MAXIMUM(7) */\n"
                        "\tdata[177] = 0x07;\n\n\treturn 232;\n"),
              std::string::npos);
    EXPECT_NE(edit.find("rdesc[177] == 0xEF"), std::string::npos);
    EXPECT_EQ(edit.find("_fixed_rdesc"), std::string::npos);
    EXPECT_NE(edit.find(" * What it changes for applications: incompatible: input report 1: Hat "
                        "Switch (Generic Desktop) logical range changed: 0 to 239 -> 0 to 7\n"),
              std::string::npos);

    const std::string whole = Fixup(pairs[1], FixupForm::HidBpf);
    EXPECT_NE(whole.find("static const __u8 kye_fixed_rdesc[478] = {"), std::string::npos);
    EXPECT_NE(whole.find("__builtin_memcpy(data, kye_fixed_rdesc, sizeof(kye_fixed_rdesc));"),
              std::string::npos);
    EXPECT_NE(whole.find("return size == 476 &&"), std::string::npos);
    EXPECT_NE(whole.find(" * What it changes for applications: equivalent: "), std::string::npos);
}

TEST(WriteFixup, RefusesWhatCannotShip)
{
    const std::vector<std::uint8_t> mouse = HexBytes(test::kMouseHex);
    const std::vector<std::uint8_t> longer(kMaxKernelDescriptorBytes + 1, 0xB4);
    struct Case
    {
        const char* name;
        std::vector<std::uint8_t> original;
        std::vector<std::uint8_t> fixed;
        FixupError error;
    };
    const Case cases[] = {
        { "empty original", {}, mouse, FixupError::EmptyDescriptor },
        { "empty fix", mouse, {}, FixupError::EmptyDescriptor },
        { "nothing to fix", mouse, mouse, FixupError::SameBytes },
        { "too long for the kernel", mouse, longer, FixupError::TooLong },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out;
        const auto written = WriteFixup(out, c.original, c.fixed, {});
        ASSERT_FALSE(written);
        EXPECT_EQ(written.Error(), c.error);
        EXPECT_EQ(out.str(), "");
        EXPECT_FALSE(FixupErrorText(c.error).empty());
    }
}

TEST(CheckedOffsets, EdgesAndTheChangedItems)
{
    // 05 01 09 02 A1 01 ... : the Usage item at 2 changes.
    const std::vector<std::uint8_t> original = HexBytes(test::kMouseHex);
    std::vector<std::uint8_t> fixed = original;
    fixed[3] = 0x04;
    const std::vector<std::size_t> offsets = CheckedOffsets(original, fixed);
    ASSERT_EQ(offsets.size(), 32u); // the changed item lies in the first 16 bytes
    EXPECT_EQ(offsets.front(), 0u);
    EXPECT_EQ(offsets[15], 15u);
    EXPECT_EQ(offsets[16], original.size() - 16);
    EXPECT_EQ(offsets.back(), original.size() - 1);

    // An item inserted in the middle: the items on both sides are checked.
    std::vector<std::uint8_t> inserted = original;
    inserted.insert(inserted.begin() + 24, { 0x75, 0x01 });
    const std::vector<std::size_t> around = CheckedOffsets(original, inserted);
    EXPECT_TRUE(std::binary_search(around.begin(), around.end(), 22u)); // 95 03 before it
    EXPECT_TRUE(std::binary_search(around.begin(), around.end(), 25u)); // 75 01 after it
}

TEST(FindDeviceId, ReadsBusVendorProduct)
{
    struct Case
    {
        const char* text;
        bool found;
        MatchedDevice id;
    };
    const Case cases[] = {
        { "0003:11C0:5606", true, { 3, 0x11C0, 0x5606 } },
        { "3:11c0:5606", true, { 3, 0x11C0, 0x5606 } },
        { "/sys/bus/hid/devices/0018:04F3:2072.0004/report_descriptor",
          true,
          { 0x18, 0x04F3, 0x2072 } },
        { "mouse.txt", false, {} },
        { "00003:11C0:5606", false, {} }, // five digits
        { "0003:11C0", false, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<MatchedDevice> id = FindDeviceId(c.text);
        ASSERT_EQ(id.has_value(), c.found);
        if (c.found) {
            EXPECT_EQ(id->bus, c.id.bus);
            EXPECT_EQ(id->vendor, c.id.vendor);
            EXPECT_EQ(id->product, c.id.product);
        }
    }
}

} // namespace
} // namespace quorlix
