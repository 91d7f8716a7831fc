#pragma once

#include "annotation/ItemRow.h"
#include "files/SavedAnalysisWriter.h"

#include <ostream>
#include <vector>

namespace quorlix {

// The saved analysis of the rows, as the window's Save writes it from its list.
void WriteRowsAsSavedAnalysis(std::ostream& out, SavedForm form, const std::vector<ItemRow>& rows,
                              SavedEncoding encoding = SavedEncoding::Gbk);

} // namespace quorlix
