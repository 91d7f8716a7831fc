#include "app/MainDialogTemplate.h"

#include "Version.h"

#include <QCoreApplication>

namespace quorlix {

QString WindowText(const char* text)
{
    return QCoreApplication::translate(kTextContext, text);
}

std::string LinkAddress(const LinkEntry& link)
{
    std::string address = kHomePage;
    address += link.path;
    address += '?';
    address += link.query;
    return address;
}

} // namespace quorlix
