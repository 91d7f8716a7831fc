#pragma once

#include <cstddef>
#include "forms/FormReaders.h"

#include <string_view>

namespace quorlix::forms {

// Where the array initializer starts: the first '{' whose first element is a numeric literal or
// a macro call, else the first '[' whose first element is a numeric literal. npos when there is
// none. Linear in the text.
std::size_t FindInitializer(std::string_view text);

// Whether text shows C source signs that plain hex text never has: an initializer that opens
// with a 0x literal, a decimal of other than two digits or a macro call, or a block comment on
// a line with a 0x literal.
bool HasCSourceSign(std::string_view text, const TextSigns& signs);

} // namespace quorlix::forms
