#include "support/Expected.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quorlix {
namespace {

// A value and an error of the same type stay apart, and a value that can only move gets through.
TEST(Expected, KeepsValueAndErrorApartEvenOfOneType)
{
    const Expected<std::string, std::string> value = std::string("/dev/hidraw3");
    const Expected<std::string, std::string> error = Unexpected(std::string("no such device"));
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, "/dev/hidraw3");
    ASSERT_FALSE(error);
    EXPECT_EQ(error.Error(), "no such device");

    Expected<std::unique_ptr<int>, int> moved = std::make_unique<int>(7);
    ASSERT_TRUE(moved);
    const std::unique_ptr<int> taken = std::move(*moved);
    EXPECT_EQ(*taken, 7);
}

TEST(Expected, NothingToGiveSucceedsUntilAnErrorIsGiven)
{
    Expected<void, int> result;
    EXPECT_TRUE(result);
    result = Unexpected(5);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.Error(), 5);
}

} // namespace
} // namespace quorlix
