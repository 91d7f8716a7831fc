#pragma once

#include "devices/HidDeviceList.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quorlix {

// The list that 从设备读取… (Read from device…) shows: one row per connected HID device with
// its name, vendor:product, bus, interface, hidraw node and descriptor length. Choosing a row
// (读取, Enter or a double click) accepts the dialog with that device's report descriptor path.
// Without devices it says "no HID devices found" and nothing can be chosen.
class DeviceListDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit DeviceListDialog(const HidDeviceList& list, QWidget* parent = nullptr);

    // The sysfs report_descriptor path of the chosen device; empty while none is chosen.
    std::string ChosenPath() const;

    QSize sizeHint() const override;

    QTreeWidget* List() const { return m_list; }
    QLabel* Message() const { return m_message; }
    QPushButton* ReadButton() const { return m_read; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    QTreeWidget* m_list = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace quorlix
