#include "app/PastedPath.h"

#include <QByteArray>
#include <QFile>
#include <QUrl>

#include <string_view>

namespace quorlix {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

} // namespace

std::string CleanPastedPath(const std::string& text)
{
    std::string_view path = Trimmed(text);
    if (path.size() >= 2 && (path.front() == '"' || path.front() == '\'') &&
        path.back() == path.front()) {
        path = Trimmed(path.substr(1, path.size() - 2));
    }
    if (path.starts_with("file://")) {
        const QUrl url(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
        if (url.isValid() && url.isLocalFile()) {
            return QFile::encodeName(url.toLocalFile()).toStdString();
        }
    }
    return std::string(path);
}

} // namespace quorlix
