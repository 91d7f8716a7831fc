#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>

#include <string>

namespace quorlix::test {

// The control of the window with the numeric id, or nullptr.
template <typename Widget>
Widget* FindControl(const QWidget& window, int id)
{
    return window.findChild<Widget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

// An example descriptor of the repository, by file name.
std::string ExamplePath(const char* name);

// Writes text to a file in folder and gives its path.
std::string WriteTextFile(const QTemporaryDir& folder, const char* name, const std::string& text);

// The whole content of a file in binary, or an empty string when it cannot be read.
std::string ReadBinaryFile(const std::string& path);

bool FileExists(const std::string& path);

// Sends standard output to /dev/null while it lives, for commands whose debug lines would flood
// the test log. Nothing checked may happen inside: a failure message would be lost too.
class StandardOutputSilenced
{
public:
    StandardOutputSilenced();
    ~StandardOutputSilenced();
    StandardOutputSilenced(const StandardOutputSilenced&) = delete;
    StandardOutputSilenced& operator=(const StandardOutputSilenced&) = delete;

private:
    int m_saved = -1;
};

// The English translation, installed while it lives.
class EnglishTexts
{
public:
    EnglishTexts()
    {
        loaded = m_translator.load(QStringLiteral("quorlix_en"),
                                   QStringLiteral(QUORLIX_TRANSLATIONS_DIR)) &&
                 QCoreApplication::installTranslator(&m_translator);
    }
    ~EnglishTexts() { QCoreApplication::removeTranslator(&m_translator); }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;

    bool loaded = false;

private:
    QTranslator m_translator;
};

} // namespace quorlix::test
