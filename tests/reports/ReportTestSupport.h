#pragma once

#include "reports/ReportModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorlix::test {

// The bytes of a real descriptor in tests/data/descriptors, by file name without ".txt".
std::vector<std::uint8_t> RealDescriptor(const std::string& name);

// The model of a descriptor written as hex text.
ReportModel ModelOf(const std::string& hex);

} // namespace quorlix::test
