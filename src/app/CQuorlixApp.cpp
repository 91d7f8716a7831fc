#include "app/CQuorlixApp.h"

#include "app/ApplicationIcon.h"
#include "app/CQuorlixDlg.h"
#include "app/WindowCommandLine.h"
#include "app/WindowTranslation.h"

#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

namespace quorlix {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;

} // namespace

CQuorlixApp::CQuorlixApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The desktop matches the window to the icon installed under this name.
    setDesktopFileName(QStringLiteral("quorlix"));
    // Settings go to ~/.config/Ferrowan/quorlix.conf.
    setOrganizationName(QStringLiteral("Ferrowan"));
    setApplicationName(QStringLiteral("quorlix"));
    setWindowIcon(ApplicationIcon());
}

int CQuorlixApp::InitInstance()
{
    QStringList arguments = CQuorlixApp::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();
    }
    std::vector<std::string> remaining;
    for (const QString& argument : arguments) {
        remaining.push_back(QFile::encodeName(argument).toStdString());
    }
    const WindowCommandLine commandLine = ParseWindowCommandLine(remaining);
    switch (commandLine.action) {
    case WindowCommandAction::Version:
        std::fputs(WindowVersionText().c_str(), stdout);
        return kExitOk;
    case WindowCommandAction::Help:
        std::fputs(WindowHelpText().c_str(), stdout);
        return kExitOk;
    case WindowCommandAction::Error:
        std::fprintf(stderr, "quorlix: %s\nTry 'quorlix --help'.\n", commandLine.error.c_str());
        return kExitUsage;
    case WindowCommandAction::Run:
        break;
    }

    if (!InstallWindowTranslation(m_translator, commandLine.language, QLocale::system(),
                                  TranslationFolders())) {
        std::fputs("quorlix: no English translation (quorlix_en.qm) found; the window stays "
                   "in Chinese\n",
                   stderr);
    }

    if (!InstallQtTranslation(m_qtTranslator, commandLine.language, QLocale::system(),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        std::fputs("quorlix: Qt's Chinese translation (qtbase_zh_CN.qm) not found; Qt's own "
                   "buttons and dialogs stay in English\n",
                   stderr);
    }

    CQuorlixDlg dialog;
    if (commandLine.debug || qEnvironmentVariable("QUORLIX_DEBUG") == QLatin1String("1")) {
        dialog.SetDebugOutput(stderr);
    }
    QSettings settings;
    dialog.RestoreGeometry(settings);
    dialog.RestoreUsageNames(settings);
    dialog.RestoreHostProfile(settings);
    if (!commandLine.file.empty()) {
        dialog.AnalyseOnceShown(commandLine.file);
    }
    dialog.exec();
    dialog.SaveGeometry(settings);
    dialog.SaveUsageNames(settings);
    return kExitOk;
}

} // namespace quorlix
