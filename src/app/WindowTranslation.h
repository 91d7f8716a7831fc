#pragma once

#include "app/WindowCommandLine.h"

#include <QLocale>
#include <QStringList>

class QTranslator;

namespace quorlix {

// Whether the window keeps its own Chinese texts: asked for, or left to a desktop whose first
// language is Chinese.
bool UsesChineseTexts(WindowLanguage language, const QLocale& desktop);

// Where the English translation (quorlix_en.qm) may be: beside the program, as in a build tree,
// and in share/quorlix/translations of the prefix it is installed under.
QStringList TranslationFolders();

// Loads the English translation from the first of folders that has it into translator and
// installs that into the application, unless the Chinese texts are to stay. Gives false when
// English is wanted but no folder has it; the window then shows its Chinese texts.
bool InstallWindowTranslation(QTranslator& translator, WindowLanguage language,
                              const QLocale& desktop, const QStringList& folders);

// Loads Qt's own Chinese texts (the buttons of questions, the file dialogs, a text field's menu)
// from folder into translator and installs it when the window shows its Chinese texts, so no
// English is mixed in. Gives false when Chinese is wanted but folder lacks them; Qt then stays
// in English.
bool InstallQtTranslation(QTranslator& translator, WindowLanguage language, const QLocale& desktop,
                          const QString& folder);

} // namespace quorlix
