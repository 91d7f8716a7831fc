#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {

InputOutcome ReadLsusb(std::string_view, std::size_t, DescriptorInput&)
{
    return Malformed("this form is not read yet");
}

} // namespace quorlix::forms
