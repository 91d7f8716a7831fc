#include "app/MainDialogTemplate.h"

#include "Version.h"

namespace quorlix {

std::string LinkAddress(const LinkEntry& link)
{
    std::string address = kHomePage;
    address += link.path;
    address += '?';
    address += link.query;
    return address;
}

} // namespace quorlix
