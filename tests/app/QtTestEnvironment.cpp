#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Every test of the window needs one application object; it lives for the whole run.
class QtTestEnvironment final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        // No display is needed; ctest sets the same, this covers a binary run by hand.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        // Dialogs keep their sizes in the settings; the tests' go to a folder of their own, one
        // for each test process, so that a test that leaves a dialog small cannot shrink the
        // dialog of another test running beside it.
        QStandardPaths::setTestModeEnabled(true);
        m_settings = std::make_unique<QTemporaryDir>();
        for (const QSettings::Format format : { QSettings::NativeFormat, QSettings::IniFormat }) {
            QSettings::setPath(format, QSettings::UserScope, m_settings->path());
        }
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override
    {
        m_application.reset();
        m_settings.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "quorlix-tests";
    char* m_argv[2] = { m_name, nullptr };
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
