#include "app/StatusTexts.h"

#include "app/FindingDisplay.h"
#include "app/MainDialogTemplate.h"
#include "forms/InputBounds.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace quorlix {
namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// The system errors a user meets reading and writing files, in Chinese; the English window
// keeps the system's own words.
struct SystemErrorEntry
{
    int error;
    const char* text;
};
const SystemErrorEntry kSystemErrorTexts[] = {
    { ENOENT, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件不存在") },
    { EACCES, QT_TRANSLATE_NOOP("CQuorlixDlg", "没有权限") },
    { EPERM, QT_TRANSLATE_NOOP("CQuorlixDlg", "没有权限") },
    { EISDIR, QT_TRANSLATE_NOOP("CQuorlixDlg", "这是一个文件夹") },
    { ENOTDIR, QT_TRANSLATE_NOOP("CQuorlixDlg", "路径中有一部分不是文件夹") },
    { ELOOP, QT_TRANSLATE_NOOP("CQuorlixDlg", "符号链接层数过多") },
    { ENAMETOOLONG, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件名太长") },
    { EIO, QT_TRANSLATE_NOOP("CQuorlixDlg", "输入/输出错误") },
    { ENOMEM, QT_TRANSLATE_NOOP("CQuorlixDlg", "内存不足") },
    { EFBIG, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件太大") },
    { EOVERFLOW, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件太大") },
    { ENOSPC, QT_TRANSLATE_NOOP("CQuorlixDlg", "磁盘空间不足") },
    { EDQUOT, QT_TRANSLATE_NOOP("CQuorlixDlg", "超出磁盘配额") },
    { EROFS, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件系统是只读的") },
    { EMFILE, QT_TRANSLATE_NOOP("CQuorlixDlg", "打开的文件太多") },
    { ENFILE, QT_TRANSLATE_NOOP("CQuorlixDlg", "打开的文件太多") },
    { ENXIO, QT_TRANSLATE_NOOP("CQuorlixDlg", "设备不存在") },
    { ENODEV, QT_TRANSLATE_NOOP("CQuorlixDlg", "设备不存在") },
    { EBUSY, QT_TRANSLATE_NOOP("CQuorlixDlg", "设备或资源忙") },
    { ETXTBSY, QT_TRANSLATE_NOOP("CQuorlixDlg", "文件正被使用") },
    { EINVAL, QT_TRANSLATE_NOOP("CQuorlixDlg", "参数无效") },
    { EAGAIN, QT_TRANSLATE_NOOP("CQuorlixDlg", "资源暂时不可用") },
    { EINTR, QT_TRANSLATE_NOOP("CQuorlixDlg", "操作被中断") },
};

// A system error as the window's language says it: the system's words in English, the table's
// in Chinese, and for an error the table lacks its number (the system's words then go to the
// status's details).
QString SystemErrorText(int error)
{
    if (!WindowShowsChinese()) {
        return QString::fromLocal8Bit(std::strerror(error));
    }
    for (const SystemErrorEntry& entry : kSystemErrorTexts) {
        if (entry.error == error) {
            return WindowText(entry.text);
        }
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "系统错误 %1")).arg(error);
}

bool HasChineseSystemErrorText(int error)
{
    for (const SystemErrorEntry& entry : kSystemErrorTexts) {
        if (entry.error == error) {
            return true;
        }
    }
    return false;
}

// The line a reader's message first names, as "line 12" or as a place "12:5": where the Chinese
// text says the problem is.
std::optional<unsigned> LineOfMessage(const std::string& message)
{
    const QRegularExpression line(
        QStringLiteral("\\bline (\\d{1,9})\\b|\\b(\\d{1,9}):\\d{1,9}\\b"));
    const QRegularExpressionMatch match = line.match(Utf8(message));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return (match.hasCaptured(1) ? match.captured(1) : match.captured(2)).toUInt();
}

QString WithSystemError(const char* text, int error)
{
    if (error == 0) {
        return WindowText(text);
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2"))
        .arg(WindowText(text), SystemErrorText(error));
}

QString NoticeText(AnalysisNotice notice)
{
    switch (notice) {
    case AnalysisNotice::FieldsNotKept:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "已达上限，部分报告字段未保留"));
    case AnalysisNotice::LayoutTextCut:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "已达上限，布局文本被截短"));
    case AnalysisNotice::UsageListCut:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "已达上限，用法列表被截短"));
    case AnalysisNotice::SizesSaturated:
        break;
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "过大而无法计算的尺寸按其最大值显示"));
}

} // namespace

QString PathForDisplay(const std::string& path)
{
    if (path.empty()) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "(无路径)"));
    }
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString InputFormText(InputForm form)
{
    switch (form) {
    case InputForm::Auto:
    case InputForm::HexText:
        break;
    case InputForm::CSource:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "C 源代码"));
    case InputForm::Binary:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "二进制"));
    case InputForm::HidRecorder:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "hid-recorder 输出"));
    case InputForm::UsbhidDump:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "usbhid-dump 输出"));
    case InputForm::HexDump:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "十六进制转储"));
    case InputForm::Lsusb:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "lsusb 输出"));
    case InputForm::Saved:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "存储的分析"));
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "十六进制文本"));
}

QString InputOutcomeText(const InputOutcome& outcome, InputForm form)
{
    const bool chinese = WindowShowsChinese();
    switch (outcome.status) {
    case InputStatus::Ok:
        break;
    case InputStatus::CannotOpen:
        return WithSystemError(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法打开文件"),
                               outcome.systemError);
    case InputStatus::NotRegularFile:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "不是普通文件"));
    case InputStatus::TooLarge:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "文件太大（超过 %1 字节）"))
            .arg(kMaxDescriptorTextBytes);
    case InputStatus::TooManyBytes:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "字节太多，不是描述符（超过 %1 字节）"))
            .arg(kMaxDescriptorBytes);
    case InputStatus::ReadError:
        return WithSystemError(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法读取文件"),
                               outcome.systemError);
    case InputStatus::NoBytes:
        if (form == InputForm::Binary) {
            return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "空的二进制文件"));
        }
        if (form == InputForm::HexText || form == InputForm::Auto) {
            return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有十六进制数字"));
        }
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "这段%1中没有描述符字节"))
            .arg(InputFormText(form));
    case InputStatus::NoSuchIndex:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有这个描述符"));
    case InputStatus::Malformed:
        if (!chinese) {
            // The reader's own words say where and what.
            break;
        }
        if (const std::optional<unsigned> line = LineOfMessage(outcome.message)) {
            return form == InputForm::Auto
                       ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "第 %1 行格式有误")).arg(*line)
                       : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1第 %2 行格式有误"))
                             .arg(InputFormText(form))
                             .arg(*line);
        }
        return form == InputForm::Auto ? WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "格式有误"))
                                       : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1格式有误"))
                                             .arg(InputFormText(form));
    case InputStatus::NoSuchName:
        if (chinese) {
            return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "没有这个名称的数组"));
        }
        break;
    case InputStatus::Ambiguous:
        if (chinese) {
            return WindowText(
                QT_TRANSLATE_NOOP("CQuorlixDlg", "文件含有多个描述符，无法确定分析哪一个"));
        }
        break;
    case InputStatus::Refused:
        if (chinese) {
            return WindowText(
                QT_TRANSLATE_NOOP("CQuorlixDlg", "没有一种描述符格式能准确读取这段文本"));
        }
        break;
    }
    // The reader says what the file holds or what it saw, and what would read it.
    return Utf8(DescribeInputOutcome(outcome));
}

QString InputOutcomeDetails(const InputOutcome& outcome)
{
    if (!WindowShowsChinese()) {
        return {};
    }
    switch (outcome.status) {
    case InputStatus::CannotOpen:
    case InputStatus::ReadError:
        if (outcome.systemError == 0 || HasChineseSystemErrorText(outcome.systemError)) {
            return {};
        }
        return QString::fromLocal8Bit(std::strerror(outcome.systemError));
    case InputStatus::Malformed:
    case InputStatus::NoSuchName:
    case InputStatus::Ambiguous:
    case InputStatus::Refused:
        return Utf8(DescribeInputOutcome(outcome));
    default:
        return {};
    }
}

QString SystemReasonText(const std::string& reason)
{
    if (WindowShowsChinese()) {
        for (const SystemErrorEntry& entry : kSystemErrorTexts) {
            if (reason == std::strerror(entry.error)) {
                return WindowText(entry.text);
            }
        }
    }
    return Utf8(reason);
}

QString CaptureErrorText(const CaptureError& error)
{
    switch (error.kind) {
    case CaptureErrorKind::CannotOpen:
        if (error.systemError == 0) {
            return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "不是普通文件"));
        }
        return WithSystemError(QT_TRANSLATE_NOOP("CQuorlixDlg", "无法打开文件"), error.systemError);
    case CaptureErrorKind::NotACapture:
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "不是 USB 捕获"));
    case CaptureErrorKind::UnsupportedLink:
        return WindowText(QT_TRANSLATE_NOOP(
                              "CQuorlixDlg",
                              "链路类型 %1 不含 USB 数据包（可读取 usbmon 和 USBPcap 捕获）"))
            .arg(error.linkType);
    case CaptureErrorKind::Malformed:
        break;
    }
    if (error.frame == 0) {
        return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "捕获文件的文件头已损坏或被截断"));
    }
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "捕获文件在第 %1 帧处损坏或被截断"))
        .arg(error.frame);
}

QString NothingAnalysedInCaptureText(const std::string& path,
                                     const std::optional<CaptureError>& error)
{
    const QString reason =
        error ? CaptureErrorText(*error)
              : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg",
                                             "这个捕获不含报告描述符（捕获时设备是否已插上？）"));
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2，未分析任何内容"))
        .arg(PathForDisplay(path), reason);
}

QString NothingAnalysedText(const std::string& path, const InputOutcome& outcome, InputForm form)
{
    return WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1：%2，未分析任何内容"))
        .arg(PathForDisplay(path), InputOutcomeText(outcome, form));
}

QString AnalysedText(const AnalysedSummary& summary)
{
    QString text;
    if (summary.form == InputForm::HexText || summary.form == InputForm::Auto) {
        text = QCoreApplication::translate(kTextContext,
                                           QT_TRANSLATE_N_NOOP("CQuorlixDlg", "已分析 %n 字节"),
                                           nullptr, static_cast<int>(summary.bytes));
    } else {
        text = QCoreApplication::translate(
                   kTextContext, QT_TRANSLATE_N_NOOP("CQuorlixDlg", "已分析 %n 字节（%1）"),
                   nullptr, static_cast<int>(summary.bytes))
                   .arg(InputFormText(summary.form));
    }
    if (summary.capture != nullptr && !summary.capture->interfaceName.empty()) {
        const CapturedSource& capture = *summary.capture;
        const QString source = capture.device.empty()
                                   ? QString::fromStdString(capture.interfaceName)
                                   : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "%1，%2"))
                                         .arg(QString::fromStdString(capture.interfaceName),
                                              QString::fromStdString(capture.device));
        text = QCoreApplication::translate(
                   kTextContext,
                   QT_TRANSLATE_N_NOOP("CQuorlixDlg", "已分析 %n 字节（USB 捕获中 %1 的描述符）"),
                   nullptr, static_cast<int>(summary.bytes))
                   .arg(source);
    }
    QStringList parts{ text };
    if (summary.capture != nullptr && summary.capture->cut) {
        parts << WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "描述符被捕获截短"));
    }
    if (summary.capture != nullptr && summary.capture->warnings > 0) {
        parts << QCoreApplication::translate(
            kTextContext, QT_TRANSLATE_N_NOOP("CQuorlixDlg", "读取捕获时有 %n 个警告"), nullptr,
            static_cast<int>(std::min<std::uint64_t>(summary.capture->warnings, INT_MAX)));
    }
    if (summary.descriptors > 1) {
        parts << WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "第 %1 个描述符，共 %2 个"))
                     .arg(summary.index + 1)
                     .arg(summary.descriptors);
    }
    if (summary.warnings != nullptr) {
        for (const InputWarning& warning : *summary.warnings) {
            // The reader's words are English; the Chinese window says where and gives them in
            // the details.
            parts << (WindowShowsChinese()
                          ? WindowText(
                                QT_TRANSLATE_NOOP("CQuorlixDlg", "第 %1 行第 %2 列有读取警告"))
                                .arg(warning.line)
                                .arg(warning.column)
                          : WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "第 %1 行第 %2 列：%3"))
                                .arg(warning.line)
                                .arg(warning.column)
                                .arg(Utf8(warning.message)));
        }
    }
    if (summary.notices != nullptr) {
        for (const AnalysisNotice notice : *summary.notices) {
            parts << NoticeText(notice);
        }
    }
    const FindingCounts& counts = summary.counts;
    parts << FindingCountsText(counts);
    if (counts.errors + counts.warnings + counts.notes > 0) {
        parts.last() += WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "（F8 逐个查看）"));
    }
    return parts.join(WindowText(QT_TRANSLATE_NOOP("CQuorlixDlg", "，")));
}

QString AnalysedDetails(const AnalysedSummary& summary)
{
    if (!WindowShowsChinese() || summary.warnings == nullptr) {
        return {};
    }
    QStringList lines;
    for (const InputWarning& warning : *summary.warnings) {
        lines << QStringLiteral("%1:%2: %3")
                     .arg(warning.line)
                     .arg(warning.column)
                     .arg(Utf8(warning.message));
    }
    return lines.join(u'\n');
}

} // namespace quorlix
