#include "cli/SavedRows.h"

#include "annotation/RowColumns.h"

#include <string>

namespace quorlix {

void WriteRowsAsSavedAnalysis(std::ostream& out, SavedForm form, const std::vector<ItemRow>& rows,
                              SavedEncoding encoding)
{
    // The two column texts a row does not hold are built in buffers reused from row to row, and
    // the writer hands the lines to the stream in blocks: no allocation or stream call per row.
    std::u16string offset;
    std::u16string bytes;
    WriteSavedAnalysis(
        out, form, rows.size(),
        [&](std::size_t index) {
            const ItemRow& row = rows[index];
            offset.clear();
            AppendOffsetColumnText(offset, row);
            bytes.clear();
            AppendBytesColumnText(bytes, row);
            return SavedRowTexts{ offset, bytes, row.name, row.description };
        },
        encoding);
}

} // namespace quorlix
