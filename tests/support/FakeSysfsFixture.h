#pragma once

#include "support/FakeSysfs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quorlix::test {

// A fresh fake sysfs tree with the standard devices, removed when the test ends.
class FakeSysfsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = std::filesystem::temp_directory_path() / "quorlix-sysfs-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        std::string reason;
        ASSERT_TRUE(BuildFakeSysfs(m_root, StandardFakeHidDevices(),
                                   std::filesystem::path(QUORLIX_TEST_DATA_DIR) / "descriptors",
                                   reason))
            << reason;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    std::string Root() const { return m_root.string(); }

    // The real folder of the device with this id (where bus/hid/devices/ID leads).
    std::filesystem::path DeviceFolder(const std::string& id) const
    {
        return std::filesystem::canonical(m_root / "bus" / "hid" / "devices" / id);
    }

    // The bytes of a descriptor of the test data, as the fake devices give them.
    static std::string DataFile(const std::string& name)
    {
        return DescriptorBytes(std::filesystem::path(QUORLIX_TEST_DATA_DIR) / "descriptors" / name);
    }

private:
    std::filesystem::path m_root;
};

} // namespace quorlix::test
