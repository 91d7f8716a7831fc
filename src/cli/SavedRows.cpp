#include "cli/SavedRows.h"

#include "annotation/RowColumns.h"

namespace quorlix {

std::vector<RowColumnTexts> MakeColumnTexts(const std::vector<ItemRow>& rows)
{
    std::vector<RowColumnTexts> texts;
    texts.reserve(rows.size());
    for (const ItemRow& row : rows) {
        texts.push_back({ OffsetColumnText(row), BytesColumnText(row), row.name, row.description });
    }
    return texts;
}

void WriteRowsAsSavedAnalysis(std::ostream& out, SavedForm form, const std::vector<ItemRow>& rows)
{
    WriteSavedAnalysisHeader(out);
    for (const ItemRow& row : rows) {
        const std::u16string offset = OffsetColumnText(row);
        const std::u16string bytes = BytesColumnText(row);
        WriteSavedAnalysisRow(out, form, { offset, bytes, row.name, row.description });
    }
}

} // namespace quorlix
