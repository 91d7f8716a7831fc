#pragma once

#include "diagnostics/Finding.h"

#include <QString>

namespace quorlix {

// The texts the window shows for findings, in the window's language. The checks write their
// messages in English with the descriptor's bytes in them; in Chinese a finding shows what its
// check means and how it is mended, and keeps the English particulars for its tooltip.

// "错误", "警告", "提示".
QString SeverityText(Severity severity);

// "1 个错误，2 个警告，0 个提示", or "无问题" when there are none.
QString FindingCountsText(const FindingCounts& counts);

// The problem and the fix as the list shows them.
QString FindingMessageText(const Finding& finding);
QString FindingFixText(const Finding& finding);

// Everything about one finding on a few lines: severity, problem, fix, check name, and in
// Chinese the English particulars.
QString FindingTip(const Finding& finding);

// Whether the window shows its own Chinese texts (no translation loaded over them).
bool WindowShowsChinese();

} // namespace quorlix
