#include "reports/ReportTestSupport.h"

#include "support/TestDescriptors.h"

#include <fstream>
#include <sstream>

namespace quorlix::test {

std::vector<std::uint8_t> RealDescriptor(const std::string& name)
{
    std::ifstream file(std::string(QUORLIX_TEST_DATA_DIR) + "/descriptors/" + name + ".txt");
    std::ostringstream text;
    text << file.rdbuf();
    return HexBytes(text.str());
}

ReportModel ModelOf(const std::string& hex)
{
    const std::vector<std::uint8_t> bytes = HexBytes(hex);
    return BuildReportModel(bytes);
}

} // namespace quorlix::test
