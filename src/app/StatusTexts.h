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

// Why nothing was read, without the path: "文件不存在" / "cannot open file: No such file...".
QString InputOutcomeText(const InputOutcome& outcome);

// "PATH：REASON，未分析任何内容"; the path "(无路径)" when empty.
QString NothingAnalysedText(const std::string& path, const InputOutcome& outcome);

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

// The path as the user reads it.
QString PathForDisplay(const std::string& path);

} // namespace quorlix
