#include <QApplication>
#include <QStandardPaths>

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
        // Dialogs keep their sizes in the settings; the tests' go to a folder of their own.
        QStandardPaths::setTestModeEnabled(true);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }

    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "quorlix-tests";
    char* m_argv[2] = { m_name, nullptr };
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
