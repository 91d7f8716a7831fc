// What the reading entry does with sources it must not read, or not whole: missing files,
// directories, FIFOs and devices (never waited on), texts past the text bound, texts that make
// more bytes than a descriptor can have, and streams that never end or fail part-way.

#include "files/ScratchDirectory.h"
#include "forms/DescriptorInput.h"
#include "forms/InputBounds.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

TEST(InputBounds, WhatCannotBeReadSaysWhyAndGivesNoBytes)
{
    const ScratchDirectory directory;
    const std::string fifo = directory.PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string tooLarge = directory.Write("too-large.txt", "");
    // Sparse, so it takes no disk space; it must be refused before a single byte is read.
    ASSERT_EQ(::truncate(tooLarge.c_str(), kMaxDescriptorTextBytes + 1), 0);

    struct Case
    {
        const char* name;
        std::string path;
        InputForm form;
        InputStatus status;
        int systemError;
        const char* reason;
    };
    const Case cases[] = {
        { "missing file", directory.PathOf("missing.txt"), InputForm::Auto, InputStatus::CannotOpen,
          ENOENT, "cannot open file: No such file or directory" },
        { "directory", directory.PathOf(""), InputForm::Auto, InputStatus::NotRegularFile, 0,
          "not a regular file" },
        { "FIFO without a writer", fifo, InputForm::HexText, InputStatus::NotRegularFile, 0,
          "not a regular file" },
        { "endless device", "/dev/zero", InputForm::Binary, InputStatus::NotRegularFile, 0,
          "not a regular file" },
        { "larger than the bound", tooLarge, InputForm::HexText, InputStatus::TooLarge, 0,
          "file too large (more than 16777216 bytes)" },
        { "comments only", directory.Write("comments.txt", "// 05 01\n  // 09 02\n"),
          InputForm::HexText, InputStatus::NoBytes, 0, "no hex digits" },
    };
    // A read that blocks would hang the whole test run; the alarm ends it with a failure instead.
    ::alarm(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        input.bytes = "\xAA";
        const InputOutcome outcome = ReadDescriptorInput(c.path, { c.form }, input);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.systemError, c.systemError);
        EXPECT_EQ(DescribeInputOutcome(outcome), c.reason);
        EXPECT_EQ(input.bytes, "");
    }
    ::alarm(0);
}

TEST(InputBounds, TextOfMoreBytesThanTheBoundGivesNone)
{
    const ScratchDirectory directory;
    std::string atBound;
    for (std::size_t i = 0; i < kMaxDescriptorBytes; ++i) {
        atBound += "00 ";
    }
    struct Case
    {
        const char* name;
        std::string text;
        InputStatus status;
        std::size_t bytes;
    };
    const Case cases[] = {
        { "exactly at the bound", atBound, InputStatus::Ok, kMaxDescriptorBytes },
        { "one byte more", atBound + "01", InputStatus::TooManyBytes, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DescriptorInput input;
        const InputOutcome outcome = ReadDescriptorInput(directory.Write("bytes.txt", c.text),
                                                         { InputForm::HexText }, input);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(input.bytes.size(), c.bytes);
    }
    EXPECT_EQ(DescribeInputOutcome({ InputStatus::TooManyBytes, 0, {} }),
              "too many bytes for a descriptor (more than 262144)");
}

TEST(InputBounds, StreamsAreReadToTheirEndOrStoppedAtTheBound)
{
    char text[] = "0x05, 0x01, // usage page\n09";
    std::FILE* stream = ::fmemopen(text, sizeof text - 1, "r");
    ASSERT_NE(stream, nullptr);
    DescriptorInput input;
    EXPECT_EQ(ReadDescriptorStream(stream, { InputForm::HexText }, input).status, InputStatus::Ok);
    EXPECT_EQ(input.bytes, std::string("\x05\x01\x09", 3));
    std::fclose(stream);

    // Standard input may never end: the bound stops it with nothing read.
    stream = std::fopen("/dev/zero", "r");
    ASSERT_NE(stream, nullptr);
    DescriptorInput endless;
    EXPECT_EQ(ReadDescriptorStream(stream, { InputForm::HexText }, endless).status,
              InputStatus::TooLarge);
    EXPECT_EQ(endless.bytes, "");
    std::fclose(stream);

    const ScratchDirectory directory;
    stream = std::fopen(directory.PathOf("write-only.txt").c_str(), "w");
    ASSERT_NE(stream, nullptr);
    DescriptorInput failed;
    const InputOutcome outcome = ReadDescriptorStream(stream, { InputForm::HexText }, failed);
    EXPECT_EQ(outcome.status, InputStatus::ReadError);
    EXPECT_EQ(DescribeInputOutcome(outcome), "cannot read file: Bad file descriptor");
    EXPECT_EQ(failed.bytes, "");
    std::fclose(stream);
}

} // namespace
} // namespace quorlix
