#pragma once

#include "annotation/ItemRow.h"
#include "files/SavedAnalysisWriter.h"

#include <string>
#include <vector>

namespace quorlix {

// The four column texts of each row, as the item list shows them.
struct RowColumnTexts
{
    std::u16string offset;
    std::u16string bytes;
    std::u16string name;
    std::u16string description;
};

// Column texts of every row, in order.
std::vector<RowColumnTexts> MakeColumnTexts(const std::vector<ItemRow>& rows);

// The saved analysis of the rows, as the window's Save writes it from its list.
void WriteRowsAsSavedAnalysis(std::ostream& out, SavedForm form, const std::vector<ItemRow>& rows,
                              SavedEncoding encoding = SavedEncoding::Gbk);

} // namespace quorlix
