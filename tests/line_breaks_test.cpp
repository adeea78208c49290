// Where rows may break, on every system (the comparison with libunibreak runs only where that
// library is installed: tests/unibreak).
#include "render/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zen {
namespace {

// The text with | where a row may end and ! where one must (the end of the text not marked).
std::string marked(std::string_view text, Lang lang = Lang::ja)
{
    const std::vector<RowBreak> breaks = row_breaks(text, lang);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (i + 1 == text.size()) break;
        if (breaks[i] == RowBreak::allowed) out += '|';
        if (breaks[i] == RowBreak::must) out += '!';
    }
    return out;
}

TEST(RowBreaks, JapaneseBreaksBetweenCharactersButNotBeforeClosingMarks)
{
    EXPECT_EQ(marked("お金が足りません。"), "お|金|が|足|り|ま|せ|ん。");
    EXPECT_EQ(marked("「はい」と（５００円）"), "「は|い」|と|（５|０|０|円）");
    // Small kana and the prolonged sound mark are for the log's own rule to keep.
    EXPECT_EQ(marked("キャッシュー"), "キ|ャ|ッ|シ|ュ|ー");
    // Ambiguous-width symbols break like ideographs in a Japanese text.
    EXPECT_EQ(marked("★勝ち§"), "★|勝|ち|§");
    EXPECT_EQ(marked("漢　字"), "漢|　|字");
}

TEST(RowBreaks, WordsNumbersAndMarksStayWhole)
{
    EXPECT_EQ(marked("Ana María paid 1,234 yen."), "Ana |María |paid |1,234 |yen.");
    EXPECT_EQ(marked("(50%) -7 $9 co-op"), "(50%) |-7 |$9 |co-|op");
    EXPECT_EQ(marked("100\u00A0km, e\u0301t\u00E9"), "100\u00A0km, |e\u0301t\u00E9");
    EXPECT_EQ(marked("안녕하세요 세계"), "안|녕|하|세|요 |세|계");
}

TEST(RowBreaks, KoreanBreaksOnlyBetweenWords)
{
    EXPECT_EQ(marked("안녕하세요 세계", Lang::ko), "안녕하세요 |세계");
    EXPECT_EQ(marked("도착했습니다. 11번 국도변(3)", Lang::ko), "도착했습니다. |11번 |국도변(3)");
    // Jamo, and Hangul beside Latin letters and digits, as one word.
    EXPECT_EQ(marked("\u1100\u1161\u11A8 ABC가99", Lang::ko), "\u1100\u1161\u11A8 |ABC가99");
    // A Chinese character in a Korean text still breaks on both sides; other languages as before.
    EXPECT_EQ(marked("한字한", Lang::ko), "한|字|한");
    EXPECT_EQ(marked("안녕하세요", Lang::zh_Hans), "안|녕|하|세|요");
}

TEST(RowBreaks, MandatoryBreaksAndBrokenBytes)
{
    EXPECT_EQ(marked("a\nb\r\nc\u2028d"), "a\n!b\r\n!c\u2028!d");
    EXPECT_EQ(marked("x\u200By"), "x\u200B|y");
    const std::vector<RowBreak> cut = row_breaks("a\xE3\x81", Lang::ja);
    ASSERT_EQ(cut.size(), 3u);
    EXPECT_EQ(cut[0], RowBreak::must);
    EXPECT_EQ(cut[1], RowBreak::inside);
    EXPECT_TRUE(row_breaks("", Lang::ko).empty());
}

TEST(RowBreaks, CharactersNewerThanTheTableBreakLikeLetters)
{
    // Halfwidth katakana keep the class they had then (letters); an emoji made later is a letter.
    EXPECT_EQ(marked("ｱｲｳ漢"), "ｱｲｳ|漢");
    EXPECT_EQ(marked("a\U0001F923b漢\U0001F923"), "a\U0001F923b|漢|\U0001F923");
}

} // namespace
} // namespace zen
