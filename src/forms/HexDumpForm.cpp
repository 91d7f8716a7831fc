#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {

InputOutcome ReadHexDump(std::string_view, DescriptorInput&)
{
    return Malformed("this form is not read yet");
}

} // namespace quorlix::forms
