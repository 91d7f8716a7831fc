#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorlix {

// 比较… (Compare…): the user names a second descriptor and sees how it differs from the one
// analysed, by meaning: the items whose bytes differ, every change, and the verdict, as
// quorlix-cli diff writes them. A file that cannot be read says why in the status line.
class CompareDialog final : public QDialog
{
    Q_OBJECT

public:
    // A dialog comparing against descriptor (the analysed bytes), called name in the text.
    CompareDialog(const std::string& descriptor, const std::string& name,
                  QWidget* parent = nullptr);

    QLineEdit* PathEdit() const { return m_path; }
    QPushButton* CompareButton() const { return m_compare; }
    QPlainTextEdit* Differences() const { return m_text; }
    QLabel* Status() const { return m_status; }
    QPushButton* CloseButton() const { return m_close; }

private:
    void Compare();

    std::string m_descriptor;
    std::string m_name;
    QLineEdit* m_path = nullptr;
    QPushButton* m_compare = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quorlix
