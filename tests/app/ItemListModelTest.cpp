#include "app/ItemListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

ItemRow MakeRow(std::int32_t offset, std::uint8_t prefix, std::u16string name)
{
    ItemRow row;
    row.offset = offset;
    row.prefix = prefix;
    row.name = std::move(name);
    return row;
}

TEST(QuorlixItemList, ColumnsAreOffsetBytesNameAndDescription)
{
    ItemRow row;
    row.offset = 1234;
    row.prefix = 0x27; // Logical Maximum, four data bytes
    row.data = { 0xFF, 0xFF, 0x00, 0x00 };
    row.name = u"GLOBAL_LOCAL_MAXIMUM(65535)";
    row.description = u"Input 1.0";

    EXPECT_EQ(ItemColumnText(row, ItemColumn::Offset), u"1234");
    EXPECT_EQ(ItemColumnText(row, ItemColumn::Bytes), u"27 FF FF 00 00");
    EXPECT_EQ(ItemColumnText(row, ItemColumn::Name), u"GLOBAL_LOCAL_MAXIMUM(65535)");
    EXPECT_EQ(ItemColumnText(row, ItemColumn::Description), u"Input 1.0");
}

TEST(QuorlixItemList, FillingAnEmptyListIsOneResetAndLaterRowsAppend)
{
    ItemListModel model;
    // Checks every change against the rules views rely on; a broken rule ends the run.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);

    model.InsertItemRows({ MakeRow(0, 0xA1, u"first"), MakeRow(2, 0xC0, u"second") });
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0) << "rows of an empty list arrive in one reset, not one by one";

    model.InsertItemRows({ MakeRow(3, 0xC0, u"third") });
    ASSERT_EQ(inserts.count(), 1);
    EXPECT_EQ(inserts[0][1].toInt(), 2);
    EXPECT_EQ(inserts[0][2].toInt(), 2);

    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("first"));
    EXPECT_EQ(model.index(2, 2).data().toString(), QStringLiteral("third"));
    EXPECT_EQ(model.index(1, 1).data().toString(), QStringLiteral("C0"));
    EXPECT_FALSE(model.index(3, 0).data().isValid());
    EXPECT_EQ(model.ItemText(3, ItemColumn::Offset), u"");

    model.DeleteAllItems();
    EXPECT_EQ(model.rowCount(), 0);
}

Finding MakeFinding(Severity severity, CheckId check, std::size_t offset, const char* message)
{
    return { severity, check, offset, 2, message, "mend it" };
}

TEST(QuorlixItemList, FindingsMarkTheOffsetCellOfTheirRows)
{
    ItemListModel model;
    model.InsertItemRows({ MakeRow(0, 0x05, u"page"), MakeRow(2, 0x25, u"maximum"),
                           MakeRow(4, 0xA4, u"push"), MakeRow(5, 0xC0, u"end") });
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
    model.SetFindings(
        { MakeFinding(Severity::Note, CheckId::RedundantGlobal, 2, "same again"),
          MakeFinding(Severity::Warning, CheckId::LogicalSign, 2, "reads as -1"),
          MakeFinding(Severity::Error, CheckId::CollectionBalance, 5, "nothing open") });
    EXPECT_EQ(changes.count(), 1);

    for (int row : { 0, 2 }) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(model.index(row, 0).data(Qt::DecorationRole).isNull());
        EXPECT_TRUE(model.index(row, 0).data(Qt::ToolTipRole).isNull());
    }
    // Row 1 carries both of its findings, the warning's icon, each line with its fix and name.
    EXPECT_FALSE(model.index(1, 0).data(Qt::DecorationRole).isNull());
    EXPECT_EQ(model.index(1, 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("note: same again; mend it [redundant-global]\n"
                             "warning: reads as -1; mend it [logical-sign]"));
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("2"));
    EXPECT_TRUE(model.index(1, 1).data(Qt::DecorationRole).isNull()) << "the offset column only";
    EXPECT_EQ(model.index(3, 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("error: nothing open; mend it [collection-balance]"));

    // Rows appended later find their place; removing the rows removes the markers.
    model.InsertItemRows({ MakeRow(6, 0xB4, u"pop") });
    EXPECT_TRUE(model.index(4, 0).data(Qt::DecorationRole).isNull());
    EXPECT_FALSE(model.index(3, 0).data(Qt::DecorationRole).isNull());
    model.DeleteAllItems();
    EXPECT_TRUE(model.Findings().empty());
    model.InsertItemRows({ MakeRow(0, 0x05, u"page"), MakeRow(2, 0x25, u"maximum") });
    EXPECT_TRUE(model.index(1, 0).data(Qt::DecorationRole).isNull());
}

TEST(QuorlixItemList, RowOfOffsetIsTheItemHoldingIt)
{
    ItemListModel model;
    EXPECT_FALSE(model.RowOfOffset(0).has_value());
    model.InsertItemRows(
        { MakeRow(0, 0x05, u"page"), MakeRow(2, 0x26, u"maximum"), MakeRow(5, 0xC0, u"end") });
    const std::pair<std::size_t, std::size_t> cases[] = { { 0, 0 }, { 1, 0 }, { 2, 1 },
                                                          { 4, 1 }, { 5, 2 }, { 900, 2 } };
    for (const auto& [offset, row] : cases) {
        SCOPED_TRACE(offset);
        ASSERT_TRUE(model.RowOfOffset(offset).has_value());
        EXPECT_EQ(*model.RowOfOffset(offset), row);
    }
}

} // namespace
} // namespace quorlix::test
