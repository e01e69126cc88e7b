// Long text work in pieces gives what the one-piece library call gives, wherever the pieces
// meet: searches find a needle lying across the edge of two pieces, case mapping keeps a
// surrogate pair whole, appending a text to itself keeps every character.
#include "vbscript/LongText.h"
#include "vbscript/Sandbox.h"

#include <QString>
#include <gtest/gtest.h>

namespace {
constexpr qsizetype kPiece = qsizetype(vbs::kWorkPerPoll);

// A text of `length` dots with `needle` written at each of `at`.
QString textWith(qsizetype length, const QString &needle, std::initializer_list<qsizetype> at)
{
    QString s(length, QLatin1Char('.'));
    for (qsizetype pos : at)
        s.replace(pos, needle.size(), needle);
    return s;
}

struct SearchCase {
    const char *name;
    qsizetype length;
    qsizetype at; // where the needle lies, -1: nowhere
    const char *needle;
};

class LongTextSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(LongTextSearch, FindsWhatTheOnePieceSearchFinds)
{
    const SearchCase &c = GetParam();
    const QString needle = QString::fromUtf8(c.needle);
    const QString hay = c.at < 0 ? QString(c.length, QLatin1Char('.')) : textWith(c.length, needle, {c.at});
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        const QString sought = cs == Qt::CaseInsensitive ? needle.toUpper() : needle;
        for (const qsizetype from : {qsizetype(0), qsizetype(1), kPiece - 1, kPiece, c.length - 1}) {
            if (from < 0 || from > c.length)
                continue;
            EXPECT_EQ(vbs::findText(hay, sought, from, cs), hay.indexOf(sought, from, cs)) << "from " << from;
        }
        for (const qsizetype end : {c.length, kPiece, kPiece + 1, c.length - 1, qsizetype(3)}) {
            if (end < 0 || end > c.length)
                continue;
            EXPECT_EQ(vbs::findTextBackward(hay, sought, end, cs), QStringView(hay).left(end).lastIndexOf(sought, -1, cs))
                << "end " << end;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LongTextSearch,
    ::testing::Values(SearchCase{"Short", 100, 40, "abc"},
                      SearchCase{"AcrossTheFirstEdge", 3 * kPiece, kPiece - 1, "abc"},
                      SearchCase{"EndsAtTheFirstEdge", 3 * kPiece, kPiece - 3, "abc"},
                      SearchCase{"StartsAtTheFirstEdge", 3 * kPiece, kPiece, "abc"},
                      SearchCase{"AcrossTheSecondEdge", 3 * kPiece, 2 * kPiece - 2, "abcdef"},
                      SearchCase{"AtTheVeryEnd", 2 * kPiece + 5, 2 * kPiece + 2, "abc"},
                      SearchCase{"OneCharacterAtTheEdge", 2 * kPiece, kPiece - 1, "x"},
                      SearchCase{"Nowhere", 2 * kPiece + 7, -1, "abc"},
                      // A short needle is first looked for character by character over the
                      // first few dozen places, then by the vectorised scan.
                      SearchCase{"LastOfTheNearPlaces", 90, 32, "ab"},
                      SearchCase{"FirstPastTheNearPlaces", 90, 33, "ab"},
                      SearchCase{"FarPastTheNearPlaces", 900, 777, "+"},
                      SearchCase{"FirstCharacterEverywhere", 200, 120, "..x"},
                      SearchCase{"AsLongAsTheText", 8, 0, "abcdefgh"},
                      SearchCase{"LongerThanTheQuickSearchTakes", 300, 150, "abcdefghijk"},
                      SearchCase{"CrLfOfALine", 40, 27, "\r\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LongText, AnEmptyNeedleIsFoundWhereTheSearchStarts)
{
    const QString hay = QStringLiteral("abc");
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const qsizetype from : {0, 1, 3}) {
            EXPECT_EQ(vbs::findText(hay, QStringView(), from, cs), from);
            EXPECT_EQ(vbs::findText(QString(), QString(), 0, cs), 0);
        }
}

TEST(LongText, CaseMappingInPiecesKeepsSurrogatePairsWhole)
{
    // A pair of Deseret letters (whose upper and lower case lie outside the basic plane) laid
    // across the first edge of the pieces.
    QString s = QString(kPiece - 1, QLatin1Char('a')) + QString::fromUtf8("\xF0\x90\x90\xA8") + QString(kPiece, QLatin1Char('b'));
    EXPECT_EQ(vbs::caseMapped(s, true), s.toUpper());
    EXPECT_EQ(vbs::caseMapped(s.toUpper(), false), s.toUpper().toLower());
    EXPECT_EQ(vbs::reversedText(s).size(), s.size());
    QString reversed = s;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(vbs::reversedText(s), reversed);
}

TEST(LongText, AppendingATextToItselfKeepsEveryCharacter)
{
    for (const qsizetype length : {qsizetype(3), kPiece + 3}) {
        QString s = QString(length, QLatin1Char('x')) + QStringLiteral("yz");
        const QString expected = s + s;
        vbs::appendText(s, s);
        EXPECT_EQ(s, expected) << length;
        QString t = QStringLiteral("0123456789");
        vbs::appendText(t, QStringView(t).mid(2, 5));
        EXPECT_EQ(t, QStringLiteral("012345678923456"));
    }
}

TEST(LongText, FilledAndCopiedTextsOfEveryLength)
{
    for (const long long n : {0LL, 1LL, (long long)kPiece - 1, (long long)kPiece, (long long)kPiece + 1, 3LL * kPiece + 7}) {
        EXPECT_EQ(vbs::filledText(n, QLatin1Char('q')), QString(qsizetype(n), QLatin1Char('q'))) << n;
        const QString s = textWith(qsizetype(n) + 3, QStringLiteral("abc"), {qsizetype(n)});
        EXPECT_EQ(vbs::copyText(s), s) << n;
        EXPECT_EQ(vbs::joinedText(s, QStringLiteral("!")), s + QStringLiteral("!")) << n;
    }
}
} // namespace
