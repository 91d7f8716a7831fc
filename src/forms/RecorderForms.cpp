#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {

InputOutcome ReadHidRecorder(std::string_view, std::size_t, DescriptorInput&)
{
    return Malformed("this form is not read yet");
}

InputOutcome ReadUsbhidDump(std::string_view, std::size_t, DescriptorInput&)
{
    return Malformed("this form is not read yet");
}

} // namespace quorlix::forms
