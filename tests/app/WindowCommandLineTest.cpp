#include "app/WindowCommandLine.h"
#include "app/WindowTranslation.h"

#include "Version.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

TEST(WindowCommandLine, OptionalFileVersionHelpAndErrors)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> arguments;
        WindowCommandAction action;
        std::string file;
    };
    const Case cases[] = {
        { "no argument", {}, WindowCommandAction::Run, "" },
        { "a file", { "mouse.txt" }, WindowCommandAction::Run, "mouse.txt" },
        { "a file after --", { "--", "-odd.txt" }, WindowCommandAction::Run, "-odd.txt" },
        { "version", { "--version" }, WindowCommandAction::Version, "" },
        { "help", { "-h" }, WindowCommandAction::Help, "" },
        { "help after an unknown option", { "-x", "--help" }, WindowCommandAction::Help, "" },
        { "unknown option", { "--verbose" }, WindowCommandAction::Error, "" },
        { "two files", { "a.txt", "b.txt" }, WindowCommandAction::Error, "" },
        { "a language it lacks", { "--lang", "fr" }, WindowCommandAction::Error, "" },
        { "--lang without a value", { "--lang" }, WindowCommandAction::Error, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowCommandLine line = ParseWindowCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.error.empty(), c.action != WindowCommandAction::Error);
    }
    EXPECT_EQ(WindowVersionText(), std::string("quorlix ") + kVersion + "\n");
}

TEST(WindowCommandLine, LanguageAndDebugAreReadBesideTheFile)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> arguments;
        WindowLanguage language;
        bool debug;
        std::string file;
    };
    const Case cases[] = {
        { "neither", { "mouse.txt" }, WindowLanguage::Desktop, false, "mouse.txt" },
        { "Chinese, separate value",
          { "--lang", "zh", "mouse.txt" },
          WindowLanguage::Chinese,
          false,
          "mouse.txt" },
        { "English after =, debug", { "--debug", "--lang=en" }, WindowLanguage::English, true, "" },
        { "a file named --lang after --",
          { "--", "--lang" },
          WindowLanguage::Desktop,
          false,
          "--lang" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WindowCommandLine line = ParseWindowCommandLine(c.arguments);
        EXPECT_EQ(line.action, WindowCommandAction::Run);
        EXPECT_EQ(line.language, c.language);
        EXPECT_EQ(line.debug, c.debug);
        EXPECT_EQ(line.file, c.file);
    }
}

TEST(WindowTranslation, ChineseStaysOnAChineseDesktopOrWhenAskedFor)
{
    struct Case
    {
        const char* locale;
        WindowLanguage language;
        bool chinese;
    };
    const Case cases[] = {
        { "zh_CN", WindowLanguage::Desktop, true },  { "zh_TW", WindowLanguage::Desktop, true },
        { "en_US", WindowLanguage::Desktop, false }, { "de_DE", WindowLanguage::Desktop, false },
        { "C", WindowLanguage::Desktop, false },     { "zh_CN", WindowLanguage::English, false },
        { "de_DE", WindowLanguage::Chinese, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(UsesChineseTexts(c.language, QLocale(QString::fromLatin1(c.locale))), c.chinese);
    }
}

TEST(WindowTranslation, QtOwnButtonsAreChineseOnlyWithTheChineseWindow)
{
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale english(QStringLiteral("en_US"));
    const auto yesButtonText = [] {
        QMessageBox question(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return question.button(QMessageBox::Yes)->text() + u'/' +
               question.button(QMessageBox::No)->text() + u'/' +
               question.button(QMessageBox::Cancel)->text();
    };
    const QString untranslated = yesButtonText();
    {
        QTranslator translator;
        ASSERT_TRUE(InstallQtTranslation(translator, WindowLanguage::Chinese, english, qtFolder));
        EXPECT_EQ(yesButtonText(), QString::fromUtf8("是(&Y)/否(&N)/取消"));
        QCoreApplication::removeTranslator(&translator);
    }
    {
        QTranslator translator;
        EXPECT_TRUE(InstallQtTranslation(translator, WindowLanguage::English,
                                         QLocale(QStringLiteral("zh_CN")), qtFolder));
        EXPECT_TRUE(translator.isEmpty());
        EXPECT_EQ(yesButtonText(), untranslated);
    }
    QTemporaryDir emptyFolder;
    QTranslator translator;
    EXPECT_FALSE(
        InstallQtTranslation(translator, WindowLanguage::Chinese, english, emptyFolder.path()));
    EXPECT_EQ(yesButtonText(), untranslated);
}

} // namespace
} // namespace quorlix::test
