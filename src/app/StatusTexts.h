#pragma once

#include "analysis/AnalyseDescriptor.h"
#include "capture/CaptureReader.h"
#include "diagnostics/Finding.h"
#include "forms/DescriptorInput.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlix {

// The status bar's texts, in the window's language. A path is said once, at the front, and only
// where the text is about a file other than the one the title names.

// The form's name for people: "C 源代码" / "C source".
QString InputFormText(InputForm form);

// Why nothing was read, without the path, form being what the reader took the file for:
// "文件不存在" / "cannot open file: No such file...". The Chinese window says every reason in
// Chinese; what the reader's English adds (where and what it saw) is left to the details.
QString InputOutcomeText(const InputOutcome& outcome, InputForm form = InputForm::Auto);

// The reader's own words where the Chinese text leaves them out, for the status's details; empty
// in the English window, whose text holds them already.
QString InputOutcomeDetails(const InputOutcome& outcome);

// A system's reason as a file writer gives it (its strerror text), in the window's language.
QString SystemReasonText(const std::string& reason);

// "PATH：REASON，未分析任何内容"; the path "(无路径)" when empty.
QString NothingAnalysedText(const std::string& path, const InputOutcome& outcome,
                            InputForm form = InputForm::Auto);

// Why a capture gave nothing to analyse, without the path: "捕获文件在第 12 帧处损坏".
QString CaptureErrorText(const CaptureError& error);

// "PATH：REASON，未分析任何内容" for a capture that could not be read, and for one that holds no
// report descriptor (error empty).
QString NothingAnalysedInCaptureText(const std::string& path,
                                     const std::optional<CaptureError>& error);

// What a captured descriptor's analysis says of where it came from.
struct CapturedSource
{
    std::string interfaceName; // "1.4:0"; empty when the descriptor did not come from a capture
    std::string device;        // "1234:5678" where the capture tells it
    bool cut = false;          // the capture kept fewer bytes than the device sent
    std::uint64_t warnings = 0;
};

// After an analysis: its size, its form where it was not plain hex text, which descriptor of a
// file of several, how the text was read, a bound reached, and what check found.
// "已分析 50 字节，无问题".
struct AnalysedSummary
{
    std::size_t bytes = 0;
    InputForm form = InputForm::HexText;
    std::size_t descriptors = 1;
    std::size_t index = 0;
    const std::vector<InputWarning>* warnings = nullptr;
    const std::vector<AnalysisNotice>* notices = nullptr; // what was left out or held
    FindingCounts counts;
    const CapturedSource* capture = nullptr;
};
QString AnalysedText(const AnalysedSummary& summary);
// The reader's warnings in its own words, for the Chinese window's details; else empty.
QString AnalysedDetails(const AnalysedSummary& summary);

// The path as the user reads it.
QString PathForDisplay(const std::string& path);

} // namespace quorlix
