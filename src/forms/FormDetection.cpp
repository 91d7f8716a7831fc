#include "forms/FormReaders.h"
#include "forms/FormText.h"

namespace quorlix::forms {

InputForm DetectTextForm(std::string_view)
{
    return InputForm::HexText;
}

} // namespace quorlix::forms
