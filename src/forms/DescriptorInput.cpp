#include "forms/DescriptorInput.h"

#include "files/HexTextReader.h"
#include "forms/FormReaders.h"
#include "forms/FormText.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlix {
namespace {

struct FormName
{
    InputForm form;
    std::string_view name;
};

constexpr std::array kFormNames = {
    FormName{ InputForm::Auto, "auto" },
    FormName{ InputForm::HexText, "hex-text" },
    FormName{ InputForm::CSource, "c-source" },
    FormName{ InputForm::Binary, "binary" },
    FormName{ InputForm::HidRecorder, "hid-recorder" },
    FormName{ InputForm::UsbhidDump, "usbhid-dump" },
    FormName{ InputForm::HexDump, "hexdump" },
    FormName{ InputForm::Lsusb, "lsusb" },
    FormName{ InputForm::Saved, "saved" },
};

// Reads fd to its end into content, refusing more than the text bound. The caller closes fd.
InputOutcome ReadAll(int fd, std::string& content)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return { InputStatus::ReadError, errno, {} };
        }
        if (count == 0) {
            return {};
        }
        if (content.size() + static_cast<std::size_t>(count) > kMaxDescriptorTextBytes) {
            return { InputStatus::TooLarge, 0, {} };
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
}

InputOutcome ReadFileContent(const std::string& path, std::string& content)
{
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait forever before fstat
    // could tell us it is no file at all. It changes nothing for a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return { InputStatus::CannotOpen, errno, {} };
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return { InputStatus::CannotOpen, error, {} };
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return { InputStatus::NotRegularFile, 0, {} };
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxDescriptorTextBytes) {
        ::close(fd);
        return { InputStatus::TooLarge, 0, {} };
    }
    // sysfs gives every attribute the size of a page, so the size is only a hint.
    content.reserve(static_cast<std::size_t>(info.st_size));
    const InputOutcome outcome = ReadAll(fd, content);
    ::close(fd);
    return outcome;
}

bool IsUnderSys(std::string_view path)
{
    return forms::StartsWith(path, "/sys/");
}

bool TakesIndex(InputForm form)
{
    return form == InputForm::HidRecorder || form == InputForm::UsbhidDump ||
           form == InputForm::Lsusb;
}

InputOutcome ReadText(std::string_view text, InputForm form, std::size_t index,
                      DescriptorInput& input)
{
    switch (form) {
    case InputForm::Auto:
    case InputForm::HexText:
        return forms::ReadHexText(text, input);
    case InputForm::CSource:
        return forms::ReadCSource(text, input);
    case InputForm::Binary:
        return forms::ReadBinary(text, input);
    case InputForm::HidRecorder:
        return forms::ReadHidRecorder(text, index, input);
    case InputForm::UsbhidDump:
        return forms::ReadUsbhidDump(text, index, input);
    case InputForm::HexDump:
        return forms::ReadHexDump(text, input);
    case InputForm::Lsusb:
        return forms::ReadLsusb(text, index, input);
    case InputForm::Saved:
        return forms::ReadSaved(text, input);
    }
    return forms::Malformed("unknown form");
}

InputOutcome Read(std::string_view content, std::string_view path, const InputRequest& request,
                  DescriptorInput& input)
{
    InputForm form = request.form;
    std::string_view text = content;
    std::string decoded;
    forms::TextSigns signs;
    if (form == InputForm::Auto && IsUnderSys(path)) {
        form = InputForm::Binary;
    }
    if (form != InputForm::Binary) {
        bool wasDecoded = false;
        std::string error;
        const bool decodedOk = forms::DecodeText(content, decoded, wasDecoded, error);
        // UTF-16 text is full of NULs, so a byte-order mark or the NUL pattern outranks the
        // binary sign, as long as what it decodes to is text.
        const bool decodedText = decodedOk && wasDecoded && !forms::HasBinarySign(decoded);
        if (form == InputForm::Auto && !decodedText) {
            signs = forms::ScanText(content);
        }
        if (form == InputForm::Auto && !decodedText && signs.control) {
            form = InputForm::Binary;
        } else if (!decodedOk) {
            return forms::Malformed(std::move(error));
        } else if (wasDecoded) {
            text = decoded;
            signs = forms::ScanText(text);
        }
    }
    if (form == InputForm::Auto) {
        form = forms::DetectTextForm(text, signs);
    }
    input.form = form;
    if (!TakesIndex(form)) {
        input.descriptors = 1;
        if (const InputOutcome outcome = forms::CheckIndex(request.index, 1);
            outcome.status != InputStatus::Ok) {
            return outcome;
        }
    }
    input.index = request.index;
    return ReadText(form == InputForm::Binary ? content : text, form, request.index, input);
}

} // namespace

namespace forms {

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        quoted += c < 0x20 || c >= 0x7F ? '?' : static_cast<char>(c);
    }
    if (text.size() > kLongest) {
        quoted += "...";
    }
    return quoted + "\"";
}

InputOutcome CheckIndex(std::size_t index, std::size_t count)
{
    if (index < count) {
        return {};
    }
    const std::string holds = count == 1 ? "1 descriptor" : std::to_string(count) + " descriptors";
    return { InputStatus::NoSuchIndex, 0,
             "no descriptor at index " + std::to_string(index) + ": the file holds " + holds +
                 " (--index 0 to " + std::to_string(count == 0 ? 0 : count - 1) + ")" };
}

} // namespace forms

InputOutcome ReadDescriptorContent(std::string_view content, std::string_view path,
                                   const InputRequest& request, DescriptorInput& input)
{
    input = DescriptorInput{};
    InputOutcome outcome = Read(content, path, request, input);
    if (outcome.status == InputStatus::Ok && input.bytes.empty()) {
        outcome.status = InputStatus::NoBytes;
        if (input.form == InputForm::Binary) {
            outcome.message = "empty binary file";
        } else if (input.form != InputForm::HexText) {
            outcome.message =
                "no descriptor bytes in this " + std::string(InputFormName(input.form)) + " text";
        }
    }
    if (outcome.status != InputStatus::Ok) {
        // Half a descriptor would pass for a whole one, so a failed read gives nothing.
        const InputForm form = input.form;
        input = DescriptorInput{};
        input.form = form;
    }
    return outcome;
}

InputOutcome ReadDescriptorStream(std::FILE* stream, const InputRequest& request,
                                  DescriptorInput& input)
{
    input = DescriptorInput{};
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        const std::size_t count = std::fread(buffer, 1, sizeof buffer, stream);
        if (content.size() + count > kMaxDescriptorTextBytes) {
            return { InputStatus::TooLarge, 0, {} };
        }
        content.append(buffer, count);
        if (count < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(stream) != 0) {
        return { InputStatus::ReadError, errno, {} };
    }
    return ReadDescriptorContent(content, {}, request, input);
}

InputOutcome ReadDescriptorInput(const std::string& path, const InputRequest& request,
                                 DescriptorInput& input)
{
    if (path == "-") {
        return ReadDescriptorStream(stdin, request, input);
    }
    input = DescriptorInput{};
    std::string content;
    const InputOutcome outcome = ReadFileContent(path, content);
    if (outcome.status != InputStatus::Ok) {
        return outcome;
    }
    return ReadDescriptorContent(content, path, request, input);
}

std::string_view InputFormName(InputForm form)
{
    for (const FormName& entry : kFormNames) {
        if (entry.form == form) {
            return entry.name;
        }
    }
    return "unknown";
}

std::optional<InputForm> InputFormFromName(std::string_view name)
{
    for (const FormName& entry : kFormNames) {
        if (entry.name == name) {
            return entry.form;
        }
    }
    return std::nullopt;
}

std::string DescribeInputOutcome(const InputOutcome& outcome)
{
    const auto withSystemReason = [&](std::string text) {
        if (outcome.systemError != 0) {
            text += ": ";
            text += std::strerror(outcome.systemError);
        }
        return text;
    };
    if (!outcome.message.empty()) {
        return outcome.message;
    }
    switch (outcome.status) {
    case InputStatus::Ok:
        return "ok";
    case InputStatus::CannotOpen:
        return withSystemReason("cannot open file");
    case InputStatus::NotRegularFile:
        return "not a regular file";
    case InputStatus::TooLarge:
        return "file too large (more than " + std::to_string(kMaxDescriptorTextBytes) + " bytes)";
    case InputStatus::TooManyBytes:
        return "too many bytes for a descriptor (more than " + std::to_string(kMaxDescriptorBytes) +
               ")";
    case InputStatus::ReadError:
        return withSystemReason("cannot read file");
    case InputStatus::NoBytes:
        return "no hex digits";
    case InputStatus::Malformed:
        return "malformed input";
    case InputStatus::NoSuchIndex:
        return "no such descriptor";
    }
    return "unknown read outcome";
}

} // namespace quorlix
