#pragma once

#include "app/DialogUnits.h"

#include <QString>
#include <QtGlobal>

#include <string>
#include <string_view>

namespace quorlix {

// The main window's controls by the numbers people and tests know them by. 1003 and 1005 are
// not used.
enum class ControlId : int
{
    Browse = 1000,
    PathEdit = 1001,
    ItemList = 1002,
    Analyse = 1004,
    Save = 1006,
    LinkHome = 1007,
    LinkTutorial = 1008,
    LinkDescriptors = 1009,
    LinkDownload = 1010,
    LinkVirtualDevices = 1011,
    LinkCapture = 1012,
    SummaryPane = 1013,
    DetailPane = 1014,
};

// The window's client area in dialog units.
inline constexpr int kMainDialogWidth = 519;
inline constexpr int kMainDialogHeight = 439;

// clang-format off
inline constexpr DialogRect kBrowseRect{        345,   7,  50,  14 };
inline constexpr DialogRect kPathEditRect{       34,   7, 306,  14 };
inline constexpr DialogRect kItemListRect{        7, 155, 312, 277 };
inline constexpr DialogRect kPathLabelRect{      10,  10,  22,   8 };
inline constexpr DialogRect kAnalyseRect{       402,   7,  50,  14 };
inline constexpr DialogRect kSaveRect{          462,   7,  50,  14 };
inline constexpr DialogRect kSummaryPaneRect{     7,  39, 312, 113 };
inline constexpr DialogRect kDetailPaneRect{    327,  37, 185, 395 };
// clang-format on

// The window's own texts are the Chinese ones below, in UTF-8; WindowText gives them in the
// language chosen at start-up. Each is marked so Qt Linguist finds it.
inline constexpr const char* kTextContext = "CQuorlixDlg";

// text translated in kTextContext; text itself where no translation is loaded.
QString WindowText(const char* text);

inline constexpr const char* kBrowseCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "浏览...");
inline constexpr const char* kAnalyseCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "分析");
inline constexpr const char* kSaveCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "存储");
inline constexpr const char* kPathLabelCaption = QT_TRANSLATE_NOOP("CQuorlixDlg", "路径：");

// The title is this followed by the maker's home page.
inline constexpr std::u16string_view kTitlePrefix = u"QuorlixV3.1 Ferrowan - ";

// The About entry of the window menu, and the command it sends.
inline constexpr const char* kAboutEntryText =
    QT_TRANSLATE_NOOP("CQuorlixDlg", "关于 Quorlix(&A)...");
inline constexpr unsigned kAboutCommandId = 0x0010;

// One column of the item list; widths are pixels, not dialog units.
struct ItemListColumn
{
    const char* header;
    int width;
};

inline constexpr ItemListColumn kItemListColumns[] = {
    { QT_TRANSLATE_NOOP("CQuorlixDlg", "偏移"), 60 },  // offset, decimal
    { QT_TRANSLATE_NOOP("CQuorlixDlg", "数据"), 80 },  // prefix and data bytes, hex
    { QT_TRANSLATE_NOOP("CQuorlixDlg", "说明"), 300 }, // the item's name text
    { QT_TRANSLATE_NOOP("CQuorlixDlg", "数移"), 70 },  // the running report position
};

// One web link: its anchor and where it sits. Every link is 8 dialog units high at y = 26.
struct LinkEntry
{
    ControlId id;
    const char* caption;
    int x;
    int width;
    std::string_view path; // after the home page; empty for the home page itself
    std::string_view query;
    bool shown;
};

inline constexpr int kLinkRowY = 26;
inline constexpr int kLinkHeight = 8;

// In template (and tab) order. The virtual devices link is made but never shown.
// clang-format off
inline constexpr LinkEntry kLinks[] = {
    { ControlId::LinkHome,           "Ferrowan",                                       10, 40, "",                          "QuorlixV1.8", true  },
    { ControlId::LinkTutorial,       QT_TRANSLATE_NOOP("CQuorlixDlg", "HID规范教程"),         62, 39, "/article/forum-5.html",     "QuorlixV1.8", true  },
    { ControlId::LinkDescriptors,    QT_TRANSLATE_NOOP("CQuorlixDlg", "HID报告描述符大全"),   119, 62, "/article/forum-10.html",    "QuorlixV1.8", true  },
    { ControlId::LinkDownload,       QT_TRANSLATE_NOOP("CQuorlixDlg", "下载更新"),            473, 32, "/article/detail-1191.html", "QuorlixV3.0", true  },
    { ControlId::LinkVirtualDevices, QT_TRANSLATE_NOOP("CQuorlixDlg", "USB虚拟设备"),         251, 48, "/article/forum-48.html",    "QuorlixV1.8", false },
    { ControlId::LinkCapture,        QT_TRANSLATE_NOOP("CQuorlixDlg", "USB令牌/抓包"),        194, 48, "/article/forum-44.html",    "QuorlixV1.8", true  },
};
// clang-format on

// The link's address: the home page, the link's path, "?" and its query.
std::string LinkAddress(const LinkEntry& link);

} // namespace quorlix
