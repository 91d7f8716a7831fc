#pragma once

#include <QApplication>
#include <QTranslator>

namespace quorlix {

// The application: Qt's set-up, then the main window, run modally; the program ends with it.
class CQuorlixApp final : public QApplication
{
    Q_OBJECT

public:
    // Qt takes its own options (-platform, -style) out of the arguments.
    CQuorlixApp(int& argc, char** argv);

    // Reads the remaining arguments and runs the window. Gives the process's exit status.
    int InitInstance();

private:
    QTranslator m_translator;
    QTranslator m_qtTranslator;
};

} // namespace quorlix
