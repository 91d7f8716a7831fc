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

} // namespace
} // namespace quorlix::test
