#pragma once

#include "reports/DecodeReport.h"
#include "reports/ReportModel.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorlix {

// 解码报告… (Decode report…): the user pastes a report in hex, picks its type, and sees one row
// per element (usage, bits, raw, logical and physical value; an array's row lists the usages it
// reports), redone as they type. A report that does not fit the descriptor says why in the
// status line and leaves the table empty.
class DecodeReportDialog final : public QDialog
{
    Q_OBJECT

public:
    // A dialog over the report model of descriptor (its bytes).
    explicit DecodeReportDialog(const std::string& descriptor, QWidget* parent = nullptr);

    QLineEdit* ReportEdit() const { return m_report; }
    QComboBox* TypeBox() const { return m_type; }
    QTableWidget* Table() const { return m_table; }
    QLabel* Status() const { return m_status; }
    QPushButton* CloseButton() const { return m_close; }

private:
    void Decode();
    void ShowEntries();

    ReportModel m_model;
    DecodedReport m_decoded;
    QLineEdit* m_report = nullptr;
    QComboBox* m_type = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace quorlix
