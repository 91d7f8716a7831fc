#include "app/PaneFiller.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace quorlix::test {
namespace {

// Lines of 16 characters with CR LF, as the layout texts end them, enough for several slices.
std::u16string ManyLines(char16_t letter, int count)
{
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        text += std::u16string(14, letter) + u"\r\n";
    }
    return text;
}

void FinishFilling(const PaneFiller& filler)
{
    for (int turn = 0; turn < 10000 && filler.Filling(); ++turn) {
        QCoreApplication::processEvents();
    }
}

TEST(QuorlixPaneFiller, LineEndsBecomeLineFeeds)
{
    struct Case
    {
        const char* name;
        std::u16string text;
        QString shown;
    };
    const Case cases[] = {
        { "CR LF", u"a\r\nb\r\n", QStringLiteral("a\nb\n") },
        { "lone CR", u"a\rb", QStringLiteral("a\nb") },
        { "CR at the end", u"a\r", QStringLiteral("a\n") },
        { "tabs stay", u"\tReportID=0(0)\r\n", QStringLiteral("\tReportID=0(0)\n") },
        { "empty", u"", QString() },
    };
    QPlainTextEdit pane;
    PaneFiller filler(&pane);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        filler.SetText(c.text);
        EXPECT_FALSE(filler.Filling()) << "a short text arrives at once";
        EXPECT_EQ(pane.toPlainText(), c.shown);
    }
}

TEST(QuorlixPaneFiller, LongTextArrivesInWholeLinesFromTheEventLoop)
{
    QPlainTextEdit pane;
    pane.setLineWrapMode(QPlainTextEdit::NoWrap);
    pane.resize(200, 200);
    pane.show();
    auto* filler = new PaneFiller(&pane);
    const int lines = 4 * static_cast<int>(PaneFiller::kSliceChars / 15);

    filler->SetText(ManyLines(u'x', lines));

    ASSERT_TRUE(filler->Filling());
    const QString first = pane.toPlainText();
    EXPECT_LT(first.size(), lines * 15);
    EXPECT_EQ(first.size() % 15, 0) << "a slice ends after a whole line";
    FinishFilling(*filler);
    EXPECT_EQ(pane.document()->blockCount(), lines + 1);
    const QString line = QString(14, QLatin1Char('x')) + QLatin1Char('\n');
    EXPECT_EQ(pane.toPlainText(), line.repeated(lines));
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0) << "the view stays at the first line";
}

TEST(QuorlixPaneFiller, NewTextReplacesOneStillArriving)
{
    QPlainTextEdit pane;
    auto* filler = new PaneFiller(&pane);
    filler->SetText(ManyLines(u'x', 4 * static_cast<int>(PaneFiller::kSliceChars / 15)));
    ASSERT_TRUE(filler->Filling());

    filler->SetText(u"only this\r\n");
    FinishFilling(*filler);
    QCoreApplication::processEvents();

    EXPECT_EQ(pane.toPlainText(), QStringLiteral("only this\n"));
}

} // namespace
} // namespace quorlix::test
