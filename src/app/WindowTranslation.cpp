#include "app/WindowTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace quorlix {
namespace {

constexpr const char* kEnglishTranslation = "quorlix_en";
// The window's Chinese is simplified Chinese whatever the desktop's variant is.
constexpr const char* kQtChineseTranslation = "qtbase_zh_CN";

} // namespace

bool UsesChineseTexts(WindowLanguage language, const QLocale& desktop)
{
    if (language != WindowLanguage::Desktop) {
        return language == WindowLanguage::Chinese;
    }
    const QStringList languages = desktop.uiLanguages();
    return !languages.isEmpty() && languages.constFirst().startsWith(QLatin1String("zh"));
}

QStringList TranslationFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return { programFolder.path(), QDir::cleanPath(programFolder.filePath(
                                       QStringLiteral("../share/quorlix/translations"))) };
}

bool InstallWindowTranslation(QTranslator& translator, WindowLanguage language,
                              const QLocale& desktop, const QStringList& folders)
{
    if (UsesChineseTexts(language, desktop)) {
        return true;
    }
    for (const QString& folder : folders) {
        if (translator.load(QString::fromLatin1(kEnglishTranslation), folder)) {
            return QCoreApplication::installTranslator(&translator);
        }
    }
    return false;
}

bool InstallQtTranslation(QTranslator& translator, WindowLanguage language, const QLocale& desktop,
                          const QString& folder)
{
    if (!UsesChineseTexts(language, desktop)) {
        return true;
    }
    if (!translator.load(QString::fromLatin1(kQtChineseTranslation), folder)) {
        return false;
    }
    return QCoreApplication::installTranslator(&translator);
}

} // namespace quorlix
