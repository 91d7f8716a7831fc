#include "app/FindingDisplay.h"

#include "app/MainDialogTemplate.h"

#include <QCoreApplication>

#include <array>
#include <iterator>

namespace quorlix {
namespace {

// The language's own name: the English translation renders it "English".
const char* const kLanguageName = QT_TRANSLATE_NOOP("CQuorlixDlg", "中文");

struct CheckTexts
{
    const char* problem;
    const char* fix;
};

// What each check means, in the order of CheckId. Only the Chinese window shows these; the
// English one shows the check's own message, which says the same with the item's bytes. A host
// profile's rule has a text of its own in every finding and no entry here.
// clang-format off
constexpr CheckTexts kCheckTexts[] = {
    { "项目的数据在描述符结尾处不完整",               "补全缺少的数据字节，或删去这个项目" },
    { "保留的项目类型或长项目",                     "删去这个项目，或改用 HID 定义的项目" },
    { "HID 未定义的项目标签",                       "删去这个项目，或改用已定义的标签" },
    { "Collection 与 End Collection 不成对",        "在集合的项目结束处补上 End Collection (C0)，或删去多余的一个" },
    { "主项目不在任何集合之内",                     "把它放进一个 Application 集合" },
    { "用法之前没有 Usage Page",                    "在用法之前写 Usage Page" },
    { "Usage Page 为 0，未定义",                    "写入该用法所属的 Usage Page" },
    { "Logical Minimum 大于 Logical Maximum",       "修正这两个值，使最小值不大于最大值" },
    { "Report Size 容不下逻辑范围",                 "加大 Report Size，或缩小逻辑范围" },
    { "数据项目之前没有 Report Size",               "在它之前写 Report Size" },
    { "数据项目之前没有 Report Count",              "在它之前写 Report Count" },
    { "Report ID 为 0，这个值是保留的",             "改用 1 到 255 的 Report ID" },
    { "有的报告带 Report ID，有的不带",             "给每个报告都加上 Report ID (85 NN)" },
    { "两个顶层集合共用一个 Report ID，主机会把它们读成一个报告", "给每个顶层集合各自的 Report ID" },
    { "报告超过 2^64 位，长度无法计算",             "把 Report Size 或 Report Count 降到设备实际发送的大小" },
    { "Usage Minimum 与 Usage Maximum 不成对或颠倒", "成对写出，并让最小值不大于最大值" },
    { "Push 与 Pop 不成对",                         "让每个 Pop 之前都有 Push，每个 Push 之后都有 Pop" },
    { "Delimiter 的开与关不成对",                   "成对写出 Delimiter (A9 01 / A9 00)" },
    { "逻辑值按有符号数读出，与本意不符",           "用更多的数据字节写出这个值" },
    { "物理值按有符号数读出，与本意不符",           "用更多的数据字节写出这个值" },
    { "物理范围有误",                               "修正 Physical Minimum 与 Physical Maximum" },
    { "报告的长度不是整数个字节",                   "加上填充位，使报告按字节对齐" },
    { "字段超过 32 位，主机交给应用程序的值最多 32 位", "把值拆成不超过 32 位的字段，或按字节发送" },
    { "Usage Page 写在用法之后，对前面的用法不起作用", "把 Usage Page 移到用法之前" },
    { "集合之前没有用法",                           "在 Collection 之前写一个 Usage" },
    { "Unit Exponent 超出 -8 到 7",                 "写入 -8 到 7 之间的值" },
    { "描述符超过 4096 字节，Linux 内核会拒绝它",   "把描述符控制在 4096 字节以内" },
    { "没有 Input、Output 或 Feature 项目，描述符没有定义报告", "加上设备报告的 Input、Output 和 Feature 项目" },
    { "这个全局项目的值已经生效",                   "删去这个项目" },
    { "这个项目可以用更少的数据字节写出",           "改用更短的写法" },
    { "数据字段之前没有 Logical Minimum 或 Logical Maximum，取值范围不明", "在它之前写出 Logical Minimum 与 Logical Maximum，例如 15 00 25 01" },
    { "Unit 的单位制是 HID 保留的值，主机不显示单位或显示错误的单位", "低四位写 1 到 4 的单位制，无单位写 0" },
};
// clang-format on
// Every check but the host rules has its Chinese text, or a finding would show an empty row.
static_assert(std::size(kCheckTexts) == static_cast<std::size_t>(CheckId::HostRule));

QString Utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool WindowShowsChinese()
{
    return WindowText(kLanguageName) == QString::fromUtf8(kLanguageName);
}

QString SeverityText(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "错误"));
    case Severity::Warning:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "警告"));
    case Severity::Note:
        break;
    }
    // The Save question's caption is 提示 too, and means something else in English.
    return QCoreApplication::translate("CQuorlixDlg", "提示", "severity");
}

QString FindingCountsText(const FindingCounts& counts)
{
    if (counts.errors + counts.warnings + counts.notes == 0) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "无问题"));
    }
    // Each count in a translate call of its own, so Qt Linguist offers its plural forms.
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1，%2，%3"))
        .arg(QCoreApplication::translate(kTextContext,
                                         QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 个错误"), nullptr,
                                         static_cast<int>(counts.errors)),
             QCoreApplication::translate(kTextContext,
                                         QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 个警告"), nullptr,
                                         static_cast<int>(counts.warnings)),
             QCoreApplication::translate(kTextContext,
                                         QT_TRANSLATE_N_NOOP("CQuorlixDlg", "%n 个提示"), nullptr,
                                         static_cast<int>(counts.notes)));
}

QString FindingMessageText(const Finding& finding)
{
    if (!WindowShowsChinese() || finding.check == CheckId::HostRule) {
        return QString::fromStdString(finding.message);
    }
    return QString::fromUtf8(kCheckTexts[static_cast<std::size_t>(finding.check)].problem);
}

QString FindingFixText(const Finding& finding)
{
    if (!WindowShowsChinese() || finding.check == CheckId::HostRule) {
        return QString::fromStdString(finding.fix);
    }
    return QString::fromUtf8(kCheckTexts[static_cast<std::size_t>(finding.check)].fix);
}

QString FindingTip(const Finding& finding)
{
    QString tip = WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2；%3 [%4]"))
                      .arg(SeverityText(finding.severity), FindingMessageText(finding),
                           FindingFixText(finding), Utf8(CheckName(finding.check)));
    if (WindowShowsChinese()) {
        tip += QStringLiteral("\n") + WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "详情：%1；%2"))
                                          .arg(QString::fromStdString(finding.message),
                                               QString::fromStdString(finding.fix));
    }
    return tip;
}

} // namespace quorlix
