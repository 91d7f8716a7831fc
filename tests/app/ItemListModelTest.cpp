#include "app/ItemListModel.h"

#include "app/ShownText.h"

#include <QAbstractItemModelTester>
#include <QIcon>
#include <QImage>
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

// Whether the cell shows an icon with something drawn in it; an unmarked row's offset keeps a
// blank one of the same size, so the offsets line up.
bool ShowsMarker(const QModelIndex& index)
{
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    if (icon.isNull()) {
        return false;
    }
    const QImage image = icon.pixmap(16, 16).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
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
        EXPECT_FALSE(ShowsMarker(model.index(row, 0)));
        EXPECT_FALSE(model.index(row, 0).data(Qt::DecorationRole).isNull()) << "room kept";
        EXPECT_TRUE(model.index(row, 0).data(Qt::ToolTipRole).isNull());
    }
    // Row 1 carries both of its findings, the warning's icon, each with its fix, its name and
    // the check's own words.
    EXPECT_TRUE(ShowsMarker(model.index(1, 0)));
    EXPECT_EQ(model.index(1, 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("提示：这个全局项目的值已经生效；删去这个项目 [redundant-global]\n"
                             "详情：same again；mend it\n"
                             "警告：逻辑值按有符号数读出，与本意不符；用更多的数据字节写出这个值 "
                             "[logical-sign]\n"
                             "详情：reads as -1；mend it"));
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("2"));
    EXPECT_TRUE(model.index(1, 1).data(Qt::DecorationRole).isNull()) << "the offset column only";
    EXPECT_TRUE(model.index(3, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("错误：Collection 与 End Collection 不成对；")));

    // Rows appended later find their place; removing the rows removes the markers.
    model.InsertItemRows({ MakeRow(6, 0xB4, u"pop") });
    EXPECT_FALSE(ShowsMarker(model.index(4, 0)));
    EXPECT_TRUE(ShowsMarker(model.index(3, 0)));
    model.DeleteAllItems();
    EXPECT_TRUE(model.Findings().empty());
    model.InsertItemRows({ MakeRow(0, 0x05, u"page"), MakeRow(2, 0x25, u"maximum") });
    EXPECT_FALSE(ShowsMarker(model.index(1, 0)));
}

TEST(QuorlixItemList, PaddingShowsCollapsedButTheTextsStayWhole)
{
    struct Case
    {
        const char* name;
        QString text;
        QString shown;
    };
    const Case cases[] = {
        { "blanks inside", QStringLiteral("LOCAL_USAGE(      Pen      )"),
          QStringLiteral("LOCAL_USAGE(Pen)") },
        { "a tab inside a nested name",
          QStringLiteral("UsageMinimum=00090001(\tButton 1 (primary/trigger))"),
          QStringLiteral("UsageMinimum=00090001(Button 1 (primary/trigger))") },
        { "a run between words", QStringLiteral("X(a \t  b)"), QStringLiteral("X(a b)") },
        { "outside parentheses it stays", QStringLiteral("Input 0.3\t  x"),
          QStringLiteral("Input 0.3\t  x") },
        { "a line end closes them", QStringLiteral("A(b\nc  d)"), QStringLiteral("A(b\nc  d)") },
        { "nothing to do", QStringLiteral("GLOBAL_USAGE_PAGE(Button)"),
          QStringLiteral("GLOBAL_USAGE_PAGE(Button)") },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CollapsePadding(c.text), c.shown);
    }

    ItemListModel model;
    model.InsertItemRows({ MakeRow(0, 0x09, u"LOCAL_USAGE(\tPen  )") });
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("LOCAL_USAGE(Pen)"));
    EXPECT_EQ(model.ItemText(0, ItemColumn::Name), u"LOCAL_USAGE(\tPen  )") << "saved as it is";
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
