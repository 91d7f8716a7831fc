#include "app/DeviceListDialog.h"

#include "DialogTestSupport.h"
#include "FakeDialogPlatform.h"
#include "app/CQuorlixDlg.h"
#include "support/FakeSysfsFixture.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace quorlix::test {
namespace {

using DeviceListDialogTest = FakeSysfsTest;

std::string DescriptorPath(const std::string& root, const char* id)
{
    return root + "/bus/hid/devices/" + id + "/report_descriptor";
}

TEST_F(DeviceListDialogTest, ListsEachDeviceWithNameVendorProductBusAndInterface)
{
    struct Row
    {
        const char* name;
        const char* vendorProduct;
        const char* bus;
        const char* interface;
    };
    const Row rows[] = {
        { "Microsoft Microsoft Wheel Mouse Optical\xC2\xAE", "045E:0040", "USB", "input0" },
        { "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000", "045E:00DB", "USB", "input0" },
        { "Microsoft Natural\xC2\xAE Ergonomic Keyboard 4000", "045E:00DB", "USB", "input1" },
        { "Apple Wireless Keyboard", "05AC:0256", "Bluetooth", "-" },
        { "SYNA7DB5:00 06CB:CE37", "06CB:CE37", "I2C", "-" },
    };
    DeviceListDialog dialog(ListHidDevices(Root()));
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("从设备读取"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("厂商:产品"));
    ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(std::size(rows)));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        SCOPED_TRACE(i);
        const QTreeWidgetItem* item = list->topLevelItem(i);
        EXPECT_EQ(item->text(0), QString::fromUtf8(rows[i].name));
        EXPECT_EQ(item->text(1), QString::fromUtf8(rows[i].vendorProduct));
        EXPECT_EQ(item->text(2), QString::fromUtf8(rows[i].bus));
        EXPECT_EQ(item->text(3), QString::fromUtf8(rows[i].interface));
    }
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_TRUE(dialog.ReadButton()->isEnabled());
    EXPECT_TRUE(dialog.ReadButton()->isDefault());
    EXPECT_TRUE(dialog.Message()->text().isEmpty());
}

TEST_F(DeviceListDialogTest, KeysAndMouseChooseADevice)
{
    struct Case
    {
        const char* name;
        std::function<void(DeviceListDialog&)> act;
        const char* chosenId; // nullptr: cancelled
    };
    const auto rowCentre = [](DeviceListDialog& dialog, int row) {
        return dialog.List()->visualItemRect(dialog.List()->topLevelItem(row)).center();
    };
    const Case cases[] = {
        { "Enter reads the first device",
          [](DeviceListDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Return); },
          "0003:045E:0040.0001" },
        { "Down, Down, Enter reads the third",
          [](DeviceListDialog& dialog) {
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Down);
              QTest::keyClick(dialog.List(), Qt::Key_Enter);
          },
          "0003:045E:00DB.0003" },
        { "a double click reads that row",
          [&](DeviceListDialog& dialog) {
              // As a user's: the first click's press and release, then the double click.
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 3));
              QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                 rowCentre(dialog, 3));
          },
          "0005:05AC:0256.0004" },
        { "a click on a row, then on the read button",
          [&](DeviceListDialog& dialog) {
              QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                                rowCentre(dialog, 4));
              QTest::mouseClick(dialog.ReadButton(), Qt::LeftButton);
          },
          "0018:06CB:CE37.0005" },
        { "Escape reads nothing",
          [](DeviceListDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Escape); },
          nullptr },
        { "the cancel button reads nothing",
          [](DeviceListDialog& dialog) {
              QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
          },
          nullptr },
    };
    const HidDeviceList devices = ListHidDevices(Root());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceListDialog dialog(devices);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_TRUE(dialog.List()->hasFocus());
        c.act(dialog);
        EXPECT_FALSE(dialog.isVisible());
        if (c.chosenId == nullptr) {
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            EXPECT_EQ(dialog.ChosenPath(), "");
        } else {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.ChosenPath(), DescriptorPath(Root(), c.chosenId));
        }
    }
}

TEST(DeviceListDialog, WithoutDevicesSaysSoAndOffersNothing)
{
    DeviceListDialog dialog(HidDeviceList{});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.Message()->text(), QStringLiteral("没有找到 HID 设备"));
    EXPECT_TRUE(dialog.Message()->isVisible());
    EXPECT_FALSE(dialog.List()->isVisible());
    EXPECT_FALSE(dialog.ReadButton()->isEnabled());
    EXPECT_TRUE(dialog.CancelButton()->isDefault());
    // Enter closes the dialog without a device.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.ChosenPath(), "");

    // A listing that failed says so, and why in the listing's words on hovering.
    HidDeviceList failed;
    failed.error = "/sys/bus/hid/devices: cannot list folder: Permission denied";
    DeviceListDialog refused(failed);
    EXPECT_EQ(refused.Message()->text(), QStringLiteral("列出设备时出错，列表可能不完整"));
    EXPECT_EQ(refused.Message()->toolTip(), QString::fromStdString(failed.error));
}

// Runs answer on the dialog that the next modal run shows, once it is up.
void AnswerNextDeviceList(std::function<void(DeviceListDialog&)> answer)
{
    QTimer::singleShot(0, [answer = std::move(answer)] {
        QElapsedTimer waited;
        waited.start();
        DeviceListDialog* dialog = nullptr;
        while (dialog == nullptr && waited.elapsed() < 5000) {
            dialog = qobject_cast<DeviceListDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                QTest::qWait(10);
            }
        }
        ASSERT_NE(dialog, nullptr) << "the device list did not come up";
        answer(*dialog);
    });
}

QAction* ReadFromDeviceEntry(const CQuorlixDlg& window)
{
    for (QAction* action : window.ContextMenu()->actions()) {
        if (action->text() == QStringLiteral("从设备读取…")) {
            return action;
        }
    }
    return nullptr;
}

TEST_F(DeviceListDialogTest, WindowEntryAnalysesTheChosenDeviceInTheRealWidgets)
{
    // The real platform lists the devices under QUORLIX_SYSFS_ROOT; unset again on every way out.
    ::setenv("QUORLIX_SYSFS_ROOT", Root().c_str(), 1);
    const std::unique_ptr<const char, void (*)(const char*)> unset(
        "QUORLIX_SYSFS_ROOT", [](const char* name) { ::unsetenv(name); });
    CQuorlixDlg window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QAction* entry = ReadFromDeviceEntry(window);
    ASSERT_NE(entry, nullptr);

    // The Microsoft mouse: 72 bytes, 37 items from Usage Page (Generic Desktop) to the last
    // End Collection.
    AnswerNextDeviceList(
        [](DeviceListDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Return); });
    {
        StandardOutputSilenced quiet;
        entry->trigger();
    }
    EXPECT_EQ(FindControl<QLineEdit>(window, 1001)->text().toStdString(),
              DescriptorPath(Root(), "0003:045E:0040.0001"));
    const QAbstractItemModel* items = FindControl<QTableView>(window, 1002)->model();
    ASSERT_EQ(items->rowCount(), 37);
    EXPECT_EQ(items->index(0, 1).data().toString(), QStringLiteral("05 01"));
    EXPECT_EQ(items->index(36, 1).data().toString(), QStringLiteral("C0"));

    // Cancelling leaves the window as it was.
    AnswerNextDeviceList(
        [](DeviceListDialog& dialog) { QTest::keyClick(dialog.List(), Qt::Key_Escape); });
    entry->trigger();
    EXPECT_EQ(FindControl<QLineEdit>(window, 1001)->text().toStdString(),
              DescriptorPath(Root(), "0003:045E:0040.0001"));
    EXPECT_EQ(items->rowCount(), 37);
}

TEST(ReadFromDevice, ChosenPathGoesIntoThePathEditAndIsAnalysed)
{
    FakeDialogPlatform platform;
    CQuorlixDlg window(platform);
    platform.pathText = "before.txt";
    window.OnReadFromDevice();
    EXPECT_EQ(platform.calls, std::vector<std::string>{ "ChooseDevice" });
    EXPECT_EQ(platform.pathText, "before.txt");

    platform.calls.clear();
    platform.deviceAnswer = ExamplePath("mouse.txt");
    {
        StandardOutputSilenced quiet;
        window.OnReadFromDevice();
    }
    ASSERT_FALSE(platform.calls.empty());
    EXPECT_EQ(platform.calls[0], "ChooseDevice");
    EXPECT_EQ(platform.calls[1], "SetPathText");
    EXPECT_EQ(platform.pathText, ExamplePath("mouse.txt"));
    EXPECT_EQ(platform.rows.size(), 26u);
}

} // namespace
} // namespace quorlix::test
