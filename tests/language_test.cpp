// The game in two languages: the table of texts and its tools, how the language is chosen, the
// settings file that remembers it, and the switch in the options menu.
#include "app/frame_tick.h"
#include "core/settings.h"
#include "core/texts.h"
#include "home/menu_commands.h"
#include "platform/locale.h"
#include "test_support.h"
#include "ui/menu_buttons.h"
#include "ui/menu_registry.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

TEST(Texts, PlaceholdersAreFilledByNameAndMinutesPadded)
{
    EXPECT_EQ(fill("Day {day}  {hour}:{minute:02}", {{"day", "3"}, {"hour", "9"}, {"minute", "3"}}), "Day 3  9:03");
    EXPECT_EQ(fill("{minute:02}", {{"minute", "45"}}), "45");
    // An unknown or unfinished placeholder stays as it is; a value is never read as a placeholder.
    EXPECT_EQ(fill("{a} {b} {c", {{"a", "{b}"}}), "{b} {b} {c");

    // A number in words: the first case it meets, # for the number, the number itself when none does.
    const std::string_view left = "<{n:<0=time is up|0=last day|1=1 day left|# days left}>";
    EXPECT_EQ(fill(left, {{"n", "-1"}}), "<time is up>");
    EXPECT_EQ(fill(left, {{"n", "-999999999"}}), "<time is up>");
    EXPECT_EQ(fill(left, {{"n", "0"}}), "<last day>");
    EXPECT_EQ(fill(left, {{"n", "1"}}), "<1 day left>");
    EXPECT_EQ(fill(left, {{"n", "10"}}), "<10 days left>");
    EXPECT_EQ(fill("{n:1=one}", {{"n", "2"}}), "2");
    EXPECT_EQ(fill("{n:<0=none|#}", {{"n", "many"}}), "many") << "not a number: only the last case";
    // Three forms, as Russian counts: by the last digits, the teens apart.
    const std::string_view days = "{n:0=последний день|one=# день|few=# дня|# дней}";
    for (const auto& [n, shown] : std::initializer_list<std::pair<const char*, const char*>>{{"0", "последний день"},
                                                                                             {"1", "1 день"},
                                                                                             {"2", "2 дня"},
                                                                                             {"4", "4 дня"},
                                                                                             {"5", "5 дней"},
                                                                                             {"11", "11 дней"},
                                                                                             {"12", "12 дней"},
                                                                                             {"14", "14 дней"},
                                                                                             {"21", "21 день"},
                                                                                             {"22", "22 дня"},
                                                                                             {"111", "111 дней"},
                                                                                             {"112", "112 дней"},
                                                                                             {"101", "101 день"},
                                                                                             {"-1", "-1 день"},
                                                                                             {"-13", "-13 дней"}})
        EXPECT_EQ(fill(days, {{"n", n}}), shown) << n;
    EXPECT_EQ(fill("{n:one=# день|few=# дня|# дней}", {{"n", "много"}}), "много дней") << "not a number: the last case";
    // A percentage of a range, rounded, and kept within it.
    const std::string_view volume = "{v:-4000..0%}";
    EXPECT_EQ(fill(volume, {{"v", "-4000"}}), "0%");
    EXPECT_EQ(fill(volume, {{"v", "-1100"}}), "73%");
    EXPECT_EQ(fill(volume, {{"v", "-3900"}}), "3%");
    EXPECT_EQ(fill(volume, {{"v", "0"}}), "100%");
    EXPECT_EQ(fill(volume, {{"v", "-999999999"}}), "0%");
    EXPECT_EQ(fill(volume, {{"v", "999999999"}}), "100%");
    EXPECT_EQ(fill("{v:0..0%}", {{"v", "5"}}), "5") << "no range: the number as it is";
    // Thousands in groups, with the mark the language writes between them.
    EXPECT_EQ(fill("{m:1.000} yenes", {{"m", "999999999"}}), "999.999.999 yenes");
    EXPECT_EQ(fill("{m:1,000}", {{"m", "-1234"}}), "-1,234");
    EXPECT_EQ(fill("{m:1.000}", {{"m", "123456"}}), "123.456");
    EXPECT_EQ(fill("{m:1.000}", {{"m", "100"}}), "100");
    EXPECT_EQ(fill("{m:1.000}", {{"m", "-100"}}), "-100");
    EXPECT_EQ(fill("{m:1\u202F000}", {{"m", "1000"}}), "1\u202F000") << "a mark of several bytes";
    EXPECT_EQ(fill("{m:1.000}", {{"m", "lots"}}), "lots") << "not a number: as it is";
    EXPECT_EQ(fill("{m:10000}", {{"m", "12345"}}), "12345") << "no mark: no format";

    // English says the count of days in words, never as a negative count, and the volume as a
    // share of its range; the Japanese keeps the game's own form.
    EXPECT_EQ(
        fill(text_in(Lang::en, Text::panel_clock), {{"day", "8"}, {"hour", "0"}, {"minute", "0"}, {"left", "-1"}}),
        "Day 8  0:00  <time is up>");
    EXPECT_EQ(
        fill(text_in(Lang::ja, Text::panel_clock), {{"day", "8"}, {"hour", "0"}, {"minute", "0"}, {"left", "-1"}}),
        "8日目 0時 0分 <残り：-1日>");
    EXPECT_EQ(fill(text_in(Lang::en, Text::hours_left), {{"hours", "1"}}), "***  1 hour left  ***");
    EXPECT_EQ(fill(text_in(Lang::en, Text::volume_is), {{"volume", "-1500"}}), "Volume: 63%");
    EXPECT_EQ(fill(text_in(Lang::ja, Text::volume_is), {{"volume", "-1500"}}), "音量＝-1500");
    EXPECT_EQ(text_in(Lang::ja, Text::none), "");
    EXPECT_EQ(text_in(static_cast<Lang>(kLanguageCount), Text::home_make), "");
    EXPECT_EQ(text_in(Lang::ja, Text::home_make), "ゲームを造る");
    EXPECT_EQ(text_in(Lang::en, Text::home_make), "Make a game");
}

// textgen run on text files written for the test: its exit code and what it says.
struct Generated {
    int exit_code = -1;
    std::string err;
};

Generated textgen(const TempDir& dir, const std::string& args)
{
    const std::string command =
        std::string("cd '") + dir.path().string() + "' && '" + ZENTRIFA_TEXTGEN + "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(dir.path() / "err.txt")};
}

TEST(Texts, TheBuildRefusesAMissingTextOrPlaceholdersThatDisagree)
{
    TempDir dir;
    const auto try_texts = [&](const std::string& body) {
        write_file(dir.path() / "t.txt", "@languages ja en\n" + body);
        return textgen(dir, "code t.h t.cpp t.txt");
    };
    EXPECT_EQ(try_texts("[a]\nja = あ{n}\nen = A{n}\n").exit_code, 0);
    const Generated missing = try_texts("[a]\nja = あ\n[b]\nja = い\nen = B\n");
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("t.txt:2: a has no en text"), std::string::npos) << missing.err;
    const Generated empty = try_texts("[a]\nja = あ\nen =\n");
    EXPECT_EQ(empty.exit_code, 1) << "an empty translation is a missing one";
    const Generated differ = try_texts("[a]\nja = {price}円\nen = {prise} yen\n");
    EXPECT_EQ(differ.exit_code, 1);
    EXPECT_NE(differ.err.find("placeholders differ"), std::string::npos) << differ.err;
    EXPECT_EQ(try_texts("[a]\nja = {minute:02}分\nen = {minute} min\n").exit_code, 0) << "a format is no name";
    EXPECT_EQ(try_texts("[a]\nja = あ\nen = A\n[a]\nja = い\nen = B\n").exit_code, 1) << "a name twice";
    EXPECT_EQ(try_texts("[a]\nja = あ\nen = A\nfr = A\n").exit_code, 1) << "a language not declared";
    EXPECT_EQ(try_texts("[a b]\nja = あ\nen = A\n").exit_code, 1);
    EXPECT_EQ(try_texts("ja = あ\n").exit_code, 1);
}

// Phrases a careful localiser keeps out of a game: the titles, slogans and words of the Nazi era
// and of Japan's wartime empire, and slurs, in each language's own spelling (lower case). A
// phrase of letters matches only as whole words.
struct LoadedPhrase {
    const char* lang; // a language code, or "*" for every language
    const char* phrase;
};
constexpr LoadedPhrase kLoadedPhrases[] = {
    {"*", "mein kampf"},
    {"*", "sieg heil"},
    {"*", "heil hitler"},
    {"*", "arbeit macht frei"},
    {"*", "lebensraum"},
    {"*", "endlösung"},
    {"*", "übermensch"},
    {"*", "untermensch"},
    {"*", "1488"},
    {"en", "my struggle"},
    {"en", "final solution"},
    {"en", "master race"},
    {"en", "blood and soil"},
    {"en", "work sets you free"},
    {"en", "one people, one empire"},
    {"en", "white power"},
    {"en", "total war"},
    {"en", "thousand-year reich"},
    {"en", "fourteen words"},
    {"de", "mein kampf"},
    {"de", "jedem das seine"},
    {"de", "blut und boden"},
    {"de", "ein volk, ein reich"},
    {"de", "ein reich, ein führer"},
    {"de", "führer"},
    {"de", "endsieg"},
    {"de", "herrenrasse"},
    {"de", "volksgemeinschaft"},
    {"de", "volksgenosse"},
    {"de", "kraft durch freude"},
    {"de", "meine ehre heißt treue"},
    {"de", "deutschland erwache"},
    {"de", "totaler krieg"},
    {"de", "wollt ihr den totalen krieg"},
    {"de", "kristallnacht"},
    {"de", "sonderbehandlung"},
    {"de", "gleichschaltung"},
    {"de", "machtergreifung"},
    {"de", "entartet"},
    {"de", "tausendjährige"},
    {"de", "judenfrei"},
    {"de", "rassenschande"},
    {"de", "lügenpresse"},
    {"de", "volksverräter"},
    {"de", "alles für deutschland"},
    {"de", "unsere ehre heißt treue"},
    {"de", "endkampf"},
    {"es", "mi lucha"},
    {"es", "solución final"},
    {"es", "raza superior"},
    {"es", "espacio vital"},
    {"es", "el trabajo os hará libres"},
    {"es", "el trabajo hace libre"},
    {"es", "sangre y suelo"},
    {"es", "arriba españa"},
    {"es", "una, grande y libre"},
    {"es", "cara al sol"},
    {"es", "caudillo"},
    {"es", "viva franco"},
    {"es", "guerra total"},
    {"es", "reich de mil años"},
    {"es", "sudaca"},
    {"ja", "我が闘争"},
    {"ja", "ハイル・ヒトラー"},
    {"ja", "最終的解決"},
    {"ja", "八紘一宇"},
    {"ja", "大東亜共栄圏"},
    {"ja", "鬼畜米英"},
    {"ja", "支那"},
    {"zh-Hans", "我的奋斗"},
    {"zh-Hans", "希特勒万岁"},
    {"zh-Hans", "最终解决"},
    {"zh-Hans", "大东亚共荣"},
    {"zh-Hans", "八纮一宇"},
    {"zh-Hans", "支那"},
    {"zh-Hans", "东亚病夫"},
    {"zh-Hans", "优等民族"},
    {"zh-Hant", "我的奮鬥"},
    {"zh-Hant", "希特勒萬歲"},
    {"zh-Hant", "最終解決"},
    {"zh-Hant", "大東亞共榮"},
    {"zh-Hant", "八紘一宇"},
    {"zh-Hant", "支那"},
    {"zh-Hant", "東亞病夫"},
    {"zh-Hant", "優等民族"},
    {"fr", "mon combat"},
    {"fr", "solution finale"},
    {"fr", "race supérieure"},
    {"fr", "race des seigneurs"},
    {"fr", "espace vital"},
    {"fr", "le travail rend libre"},
    {"fr", "travail, famille, patrie"},
    {"fr", "maréchal, nous voilà"},
    {"fr", "guerre totale"},
    {"fr", "reich de mille ans"},
    {"fr", "bougnoule"},
    {"pt-BR", "minha luta"},
    {"pt-BR", "solução final"},
    {"pt-BR", "raça superior"},
    {"pt-BR", "espaço vital"},
    {"pt-BR", "o trabalho liberta"},
    {"pt-BR", "deus, pátria e família"},
    {"pt-BR", "guerra total"},
    {"pt-BR", "reich de mil anos"},
    {"pt-BR", "anauê"},
    {"ru", "моя борьба"},
    {"ru", "окончательное решение"},
    {"ru", "высшая раса"},
    {"ru", "жизненное пространство"},
    {"ru", "труд освобождает"},
    {"ru", "каждому своё"},
    {"ru", "каждому свое"},
    {"ru", "зиг хайль"},
    {"ru", "хайль гитлер"},
    {"ru", "тотальная война"},
    {"ru", "ни шагу назад"},
    {"ru", "тысячелетний рейх"},
    {"ru", "унтерменш"},
    {"ru", "россия для русских"},
    {"it", "la mia battaglia"},
    {"it", "soluzione finale"},
    {"it", "razza superiore"},
    {"it", "razza ariana"},
    {"it", "spazio vitale"},
    {"it", "il lavoro rende liberi"},
    {"it", "credere, obbedire, combattere"},
    {"it", "me ne frego"},
    {"it", "boia chi molla"},
    {"it", "dux"},
    {"it", "duce"},
    {"it", "guerra totale"},
    {"it", "eia eia alalà"},
    {"it", "vincere e vinceremo"},
    {"ko", "나의 투쟁"},
    {"ko", "하일 히틀러"},
    {"ko", "최종 해결"},
    {"ko", "대동아공영"},
    {"ko", "내선일체"},
    {"ko", "천황 폐하 만세"},
    {"ko", "욱일"},
    {"ko", "조센징"},
    {"ko", "짱깨"},
};

// Lower case for the letters the Latin and Cyrillic languages write (ASCII, Latin-1's accented
// capitals, the Russian alphabet).
std::string folded(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
        if (i + 1 >= out.size()) break;
        const auto next = static_cast<unsigned char>(out[i + 1]);
        if (c == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) out[i + 1] = static_cast<char>(next + 32);
        if (c == 0xD0 && next >= 0x90 && next <= 0x9F) out[i + 1] = static_cast<char>(next + 0x20); // А..П
        if (c == 0xD0 && next >= 0xA0 && next <= 0xAF) {                                            // Р..Я
            out[i] = static_cast<char>(0xD1);
            out[i + 1] = static_cast<char>(next - 0x20);
        }
        if (c == 0xD0 && next == 0x81) { // Ё
            out[i] = static_cast<char>(0xD1);
            out[i + 1] = static_cast<char>(0x91);
        }
    }
    return out;
}

// Whether the character at `at` (a UTF-8 lead byte, or one byte back from a character's end when
// `back`) is a letter or digit of a word: ASCII, Latin-1 and the Latin extensions, Greek, Cyrillic.
bool word_char(std::string_view text, std::size_t at, bool back)
{
    if (back)
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) --at;
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) return std::isalnum(c) != 0;
    if (c < 0xC3 || c > 0xD3 || at + 1 >= text.size()) return false; // U+00C0..U+04FF only
    const char32_t cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
    return cp != 0xD7 && cp != 0xF7;
}

bool says(std::string_view text, std::string_view phrase)
{
    const bool word_edges = std::isalnum(static_cast<unsigned char>(phrase.front())) != 0;
    for (std::size_t at = text.find(phrase); at != std::string_view::npos; at = text.find(phrase, at + 1)) {
        const std::size_t end = at + phrase.size();
        if (!word_edges) return true;
        if ((at == 0 || !word_char(text, at - 1, true)) && (end == text.size() || !word_char(text, end, false)))
            return true;
    }
    return false;
}

TEST(Texts, NoTextSaysALoadedPhrase)
{
    // The check itself: it finds a phrase as a word, whatever its case, and not inside a word.
    EXPECT_TRUE(says(folded("Mein Kampf ist noch nicht vorbei"), "mein kampf"));
    EXPECT_TRUE(says(folded("¡ARRIBA ESPAÑA!"), "arriba españa"));
    EXPECT_FALSE(says(folded("Fremdenführer"), "führer"));
    EXPECT_FALSE(says(folded("Mein Kampfgeist"), "mein kampf"));
    EXPECT_TRUE(says("我的奋斗还没有结束", "我的奋斗"));
    EXPECT_TRUE(says(folded("«МОЯ БОРЬБА»"), "моя борьба"));
    EXPECT_TRUE(says(folded("Ёлка"), "ёлка"));
    int checked = 0;
    for (int l = 0; l < kLanguageCount; ++l) {
        const auto lang = static_cast<Lang>(l);
        for (int t = 1; t < kTextCount; ++t) {
            const std::string text = folded(text_in(lang, static_cast<Text>(t)));
            for (const LoadedPhrase& p : kLoadedPhrases) {
                if (std::string_view(p.lang) != "*" && std::string_view(p.lang) != language_code(lang)) continue;
                EXPECT_FALSE(says(text, p.phrase))
                    << language_code(lang) << " " << kTextNames[t] << " says \"" << p.phrase << "\": " << text;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(Texts, ACatalogueOfTheRealTextsGoesOutAndComesBackUnchanged)
{
    TempDir dir;
    std::string files;
    for (const auto& e : fs::directory_iterator(fs::path(ZENTRIFA_SOURCE_DIR) / "src/core/texts")) {
        if (e.path().extension() != ".txt") continue; // the glossaries beside them
        fs::copy_file(e.path(), dir.path() / e.path().filename());
        files += " " + e.path().filename().string();
    }
    const std::string before = read_file(dir.path() / "interface.txt");
    ASSERT_EQ(textgen(dir, "po-export en" + files).exit_code, 0);
    const std::string po = read_file(dir.path() / "out.txt");
    ASSERT_NE(po.find("msgctxt \"home_sleep\"\nmsgid \"寝る\"\nmsgstr \"Sleep\"\n"), std::string::npos);
    write_file(dir.path() / "en.po", po);
    ASSERT_EQ(textgen(dir, "po-import en en.po" + files).exit_code, 0);
    EXPECT_EQ(read_file(dir.path() / "interface.txt"), before);

    // A translator's change comes back into its line; one that loses a placeholder is refused.
    std::string changed = po;
    changed.replace(changed.find("msgstr \"Sleep\""), 14, "msgstr \"Go to bed\"");
    write_file(dir.path() / "en.po", changed);
    ASSERT_EQ(textgen(dir, "po-import en en.po" + files).exit_code, 0);
    EXPECT_NE(read_file(dir.path() / "interface.txt").find("[home_sleep]\nja = 寝る\nen = Go to bed\n"),
              std::string::npos);
    const std::string paid = "msgstr \"Paid {price:1,000} yen\"";
    ASSERT_NE(changed.find(paid), std::string::npos);
    changed.replace(changed.find(paid), paid.size(), "msgstr \"Paid yen\"");
    write_file(dir.path() / "en.po", changed);
    EXPECT_EQ(textgen(dir, "po-import en en.po" + files).exit_code, 1);
}

TEST(Texts, EveryLanguageGoesOutAndComesBackAndANewOneComesInWhole)
{
    TempDir dir;
    std::string files;
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(ZENTRIFA_SOURCE_DIR) / "src/core/texts")) {
        if (e.path().extension() != ".txt") continue;
        fs::copy_file(e.path(), dir.path() / e.path().filename());
        files += " " + e.path().filename().string();
        names.push_back(e.path().filename().string());
    }
    const auto all_files = [&] {
        std::string all;
        for (const std::string& n : names) all += read_file(dir.path() / n);
        return all;
    };
    const std::string before = all_files();
    for (const std::string_view code : kLanguageCodes) {
        SCOPED_TRACE(code);
        const std::string lang(code);
        ASSERT_EQ(textgen(dir, "po-export " + lang + files).exit_code, 0);
        const std::string po = read_file(dir.path() / "out.txt");
        EXPECT_NE(po.find("\"Language: " + lang + "\\n\""), std::string::npos);
        EXPECT_NE(po.find("msgctxt \"options_play_in\"\nmsgid \"日本語で遊ぶ\"\nmsgstr \"" +
                          std::string(text_in(*language_of_code(lang), Text::options_play_in)) + "\"\n"),
                  std::string::npos);
        write_file(dir.path() / (lang + ".po"), po);
        ASSERT_EQ(textgen(dir, "po-import " + lang + " " + lang + ".po" + files).exit_code, 0);
        EXPECT_EQ(all_files(), before);
    }

    // The next language: its code on the @languages line. Until each text has it the table is
    // refused, naming the first that lacks it; its catalogue has every text, untranslated.
    std::string interface = read_file(dir.path() / "interface.txt");
    const std::size_t line = interface.find("@languages ");
    interface.insert(interface.find('\n', line), " sv");
    write_file(dir.path() / "interface.txt", interface);
    const Generated incomplete = textgen(dir, "code t.h t.cpp" + files);
    EXPECT_EQ(incomplete.exit_code, 1);
    EXPECT_NE(incomplete.err.find(" has no sv text"), std::string::npos) << incomplete.err;
    ASSERT_EQ(textgen(dir, "po-export sv" + files).exit_code, 0);
    std::string po = read_file(dir.path() / "out.txt");
    EXPECT_NE(po.find("msgctxt \"home_sleep\"\nmsgid \"寝る\"\nmsgstr \"\"\n"), std::string::npos);
    // A translator's catalogue: every msgstr filled (here with the original, which has the same
    // placeholders), one line of it spread over two as gettext tools write long ones.
    std::string filled;
    std::string last_msgid;
    std::istringstream lines(po);
    for (std::string l; std::getline(lines, l);) {
        if (l.starts_with("msgid ")) last_msgid = l.substr(6);
        if (l == "msgstr \"\"" && last_msgid != "\"\"") l = "msgstr " + last_msgid;
        filled += l + "\n";
    }
    const std::string sleep = "msgctxt \"home_sleep\"\nmsgid \"寝る\"\nmsgstr \"寝る\"\n";
    ASSERT_NE(filled.find(sleep), std::string::npos);
    filled.replace(filled.find(sleep), sleep.size(),
                   "msgctxt \"home_sleep\"\nmsgid \"寝る\"\nmsgstr \"\"\n\"So\"\n\"va\"\n");
    write_file(dir.path() / "sv.po", filled);
    ASSERT_EQ(textgen(dir, "po-import sv sv.po" + files).exit_code, 0);
    const Generated whole = textgen(dir, "code t.h t.cpp" + files);
    EXPECT_EQ(whole.exit_code, 0) << whole.err;
    const Lang last = static_cast<Lang>(kLanguageCount - 1);
    std::string last_name(language_code(last));
    std::replace(last_name.begin(), last_name.end(), '-', '_');
    EXPECT_NE(read_file(dir.path() / "t.h").find(", " + last_name + ", sv };"), std::string::npos);
    EXPECT_NE(read_file(dir.path() / "interface.txt").find("[home_sleep]\nja = 寝る\nen = Sleep\n"), std::string::npos);
    EXPECT_NE(read_file(dir.path() / "interface.txt")
                  .find("\n" + std::string(language_code(last)) + " = " + std::string(text_in(last, Text::home_sleep)) +
                        "\nsv = Sova\n\n[home_shop]"),
              std::string::npos)
        << "after the other languages of the text";

    // The characters a language's face is cut down to: its texts' and the printable ASCII.
    ASSERT_EQ(textgen(dir, "chars de de.chars" + files).exit_code, 0);
    const std::string chars = read_file(dir.path() / "de.chars");
    for (const char* c : {" ", "~", "A", "9", "¥", "ß", "»", "«", "ü", "　", "▼"})
        EXPECT_NE(chars.find(c), std::string::npos) << c;
    EXPECT_EQ(chars.find("寝"), std::string::npos);
}

TEST(Language, TheSystemsLanguagesFromTheLocale)
{
    using List = std::vector<std::string>;
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, nullptr, nullptr), List{});
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, nullptr, "C.UTF-8"), List{});
    EXPECT_EQ(languages_of_locale("fr:en", nullptr, nullptr, "POSIX"), List{}) << "LANGUAGE does not count under C";
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), List{"ja_JP"});
    EXPECT_EQ(languages_of_locale(nullptr, "de_DE.UTF-8", nullptr, "ja_JP.UTF-8"), List{"de_DE"}) << "LC_ALL first";
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, "ja_JP.UTF-8", "en_GB.UTF-8"), List{"ja_JP"}) << "then LC_MESSAGES";
    EXPECT_EQ(languages_of_locale("ja:en", nullptr, nullptr, "en_US.UTF-8"), (List{"ja", "en", "en_US"}))
        << "LANGUAGE before the locale";
    EXPECT_EQ(languages_of_locale(":fr", nullptr, nullptr, "en_US.UTF-8"), (List{"fr", "en_US"}));
    EXPECT_EQ(languages_of_locale("fr:ja", nullptr, nullptr, "fr_FR.UTF-8"), (List{"fr", "ja", "fr_FR"}));
    // Chinese is told apart by its region or script, so they stay; the character set and the
    // variant do not.
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, nullptr, "zh_CN.GB18030"), List{"zh_CN"});
    EXPECT_EQ(languages_of_locale("zh-Hans-SG:zh_TW", nullptr, nullptr, "sr_RS@latin"),
              (List{"zh-Hans-SG", "zh_TW", "sr_RS"}));
    EXPECT_EQ(languages_of_locale(nullptr, nullptr, nullptr, "KO_kr.UTF-8"), List{"ko_kr"});
}

TEST(Language, TheSystemsLanguageNamesOneOfTheGames)
{
    const std::optional<Lang> chinese = language_of_code("zh-Hans");
    ASSERT_TRUE(chinese);
    for (const char* simplified : {"zh_CN", "zh_SG", "zh_Hans", "zh-Hans", "zh-Hans-TW", "zh_Hans_HK"})
        EXPECT_EQ(spoken_language(simplified), chinese) << simplified;
    const std::optional<Lang> traditional = language_of_code("zh-Hant");
    ASSERT_TRUE(traditional);
    for (const char* taiwan : {"zh_TW", "zh_HK", "zh-Hant", "zh-Hant-CN", "zh_MO", "zh_Hant_TW"})
        EXPECT_EQ(spoken_language(taiwan), traditional) << taiwan;
    for (const char* other : {"zh", "zhx_CN", "sv_SE", "ptx", "", "_"})
        EXPECT_EQ(spoken_language(other), std::nullopt) << other;
    for (const char* portuguese : {"pt_BR", "pt-BR", "pt_PT", "pt"})
        EXPECT_EQ(spoken_language(portuguese), language_of_code("pt-BR")) << portuguese;
    EXPECT_EQ(spoken_language("fr_FR"), language_of_code("fr"));
    EXPECT_EQ(spoken_language("fr_CA"), language_of_code("fr"));
    EXPECT_EQ(spoken_language("ru_RU"), language_of_code("ru"));
    EXPECT_EQ(spoken_language("it_CH"), language_of_code("it"));
    EXPECT_EQ(spoken_language("ko_KR"), language_of_code("ko"));
    EXPECT_EQ(spoken_language("ko"), language_of_code("ko"));
    EXPECT_EQ(spoken_language("ja_JP"), Lang::ja);
    EXPECT_EQ(spoken_language("en_GB"), Lang::en);
    EXPECT_EQ(spoken_language("es_MX"), Lang::es);
    EXPECT_EQ(spoken_language("de-CH"), Lang::de);
    EXPECT_EQ(spoken_language("de"), Lang::de);
    std::vector<std::string> problems;
    const SettingsFile none;
    EXPECT_EQ(choose_language("", none, {"zh", "zh_CN", "ja"}, problems), chinese);
    EXPECT_EQ(choose_language("", none, {"zh_TW"}, problems), traditional);
    EXPECT_EQ(choose_language("", none, {"zh", "sv"}, problems), Lang::en) << "Chinese alone names no script";
}

TEST(Language, ChosenByOptionThenSettingThenSystem)
{
    TempDir dir;
    std::vector<std::string> problems;
    SettingsFile none;
    none.load(dir.path() / "none.ini", problems);
    EXPECT_EQ(choose_language("", none, {}, problems), Lang::ja);
    EXPECT_EQ(choose_language("", none, {"ja"}, problems), Lang::ja);
    EXPECT_EQ(choose_language("", none, {"sv"}, problems), Lang::en);
    EXPECT_EQ(choose_language("", none, {"sv", "ja"}, problems), Lang::ja) << "the first language the game speaks";
    EXPECT_EQ(choose_language("", none, {"sv", "en", "ja"}, problems), Lang::en);
    EXPECT_EQ(choose_language("ja", none, {"sv"}, problems), Lang::ja);
    EXPECT_TRUE(problems.empty());

    write_file(dir.path() / "en.ini", "# mine\nlanguage = en\n");
    SettingsFile english;
    english.load(dir.path() / "en.ini", problems);
    EXPECT_EQ(choose_language("", english, {"ja"}, problems), Lang::en);
    EXPECT_EQ(choose_language("ja", english, {}, problems), Lang::ja);

    write_file(dir.path() / "bad.ini", "language = klingon\nvolume = 11\n");
    SettingsFile bad;
    bad.load(dir.path() / "bad.ini", problems);
    check_setting_keys(bad, problems);
    EXPECT_EQ(choose_language("", bad, {"de_AT"}, problems), Lang::de) << "a bad value falls back to the system's";
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("line 2: unknown setting \"volume\""), std::string::npos) << problems[0];
    EXPECT_NE(problems[1].find("language = klingon"), std::string::npos) << problems[1];

    // A value that would talk to the terminal is quoted harmlessly; many unknown keys are counted.
    problems.clear();
    write_file(dir.path() / "loud.ini", "language = \x1b[2J\x1b[31mred\x07\na = 1\nb = 2\nc = 3\nd = 4\ne = 5\n");
    SettingsFile loud;
    loud.load(dir.path() / "loud.ini", problems);
    check_setting_keys(loud, problems);
    EXPECT_EQ(choose_language("", loud, {"ja"}, problems), Lang::ja);
    ASSERT_EQ(problems.size(), 5u);
    EXPECT_NE(problems[3].find("2 more unknown settings"), std::string::npos) << problems[3];
    EXPECT_NE(problems[4].find("language = \\x1B[2J\\x1B[31mred\\x07 is not"), std::string::npos) << problems[4];
    for (const std::string& p : problems)
        for (const char c : p) EXPECT_GE(static_cast<unsigned char>(c), 0x20u) << p;
}

TEST(Language, TheOptionsSwitchShowsAtOnceAndIsRemembered)
{
    test::HomeGame g;
    show_menu(*g, kMenuOptions);
    // Every other language, each named in its own words.
    const auto switches = [&] {
        std::vector<std::string> shown;
        for (const int i : {64, 67, 68, 69, 70}) {
            const tmenu& b = g->menu_buttons[static_cast<std::size_t>(i)];
            if (b.visible == 1) shown.push_back(b.caption);
        }
        return shown;
    };
    // The first five others have switches of their own; every other is a menu away.
    std::vector<std::string> others;
    for (int l = 1; l < kLanguageCount; ++l) others.emplace_back(text_in(static_cast<Lang>(l), Text::options_play_in));
    const auto first_five = [](std::vector<std::string> all) {
        all.resize(std::min<std::size_t>(all.size(), 5));
        return all;
    };
    EXPECT_EQ(switches(), first_five(others));
    const tmenu& more = g->menu_buttons[71];
    EXPECT_EQ(more.visible == 1, kLanguageCount > 6);
    EXPECT_EQ(g->menu_buttons[64].caption, "Play in English") << "where it always was";
    run_command(*g, 64);
    EXPECT_EQ(g->lang, Lang::en);
    EXPECT_EQ(g.take_trace().find("message silver Now playing in English\n") != std::string::npos, true);
    EXPECT_EQ(g->menu_buttons[60].caption, "About energy recovery") << "the menu is shown again in English";
    others[0] = "日本語で遊ぶ";
    EXPECT_EQ(switches(), first_five(others));
    const fs::path ini = g.save_dir.path() / "zentrifa.ini";
    EXPECT_EQ(read_file(ini), "# " + std::string(kLanguageSetting.comment) + "\nlanguage = en\n");
    // The last language, through the menu of them all when it has no switch of its own: the game
    // speaks it, and the settings name its code.
    const Lang last = static_cast<Lang>(kLanguageCount - 1);
    if (kLanguageCount > 6) {
        run_command(*g, 71);
        ASSERT_EQ(g->open_menu, kMenuLanguages);
        std::vector<std::string> listed;
        int last_record = 0;
        for (int i = menu_records(kMenuLanguages).first; i <= menu_records(kMenuLanguages).last; ++i) {
            const tmenu& b = g->menu_buttons[static_cast<std::size_t>(i)];
            if (b.visible != 1) continue;
            listed.push_back(b.caption);
            last_record = i;
            EXPECT_EQ(b.back_to, kMenuOptions) << "a right click goes back to the options";
        }
        EXPECT_EQ(listed, others) << "every language but English, which is in play";
        run_command(*g, last_record);
    } else {
        run_command(*g, 64 + 2 + kLanguageCount - 2);
    }
    EXPECT_EQ(g->lang, last);
    EXPECT_EQ(g->open_menu, kMenuOptions);
    EXPECT_EQ(g->menu_buttons[60].caption, text_in(last, Text::options_energy_help));
    EXPECT_NE(read_file(ini).find("language = " + std::string(language_code(last)) + "\n"), std::string::npos);
    run_command(*g, 64);
    EXPECT_EQ(g->lang, Lang::ja);
    EXPECT_NE(read_file(ini).find("language = ja\n"), std::string::npos);

    // Pausing in the background is a switch of the same menu: its caption says what choosing it does.
    EXPECT_EQ(g->menu_buttons[65].caption, test::ja(Text::options_play_on_in_background));
    run_command(*g, 65);
    EXPECT_FALSE(g->pause_on_focus_loss);
    EXPECT_EQ(g->menu_buttons[65].caption, test::ja(Text::options_pause_in_background));
    EXPECT_NE(read_file(ini).find("pause_on_focus_loss = no\n"), std::string::npos);
    EXPECT_NE(read_file(ini).find("language = ja\n"), std::string::npos) << "the other setting stays";
    run_command(*g, 65);
    EXPECT_TRUE(g->pause_on_focus_loss);
    EXPECT_NE(read_file(ini).find("pause_on_focus_loss = yes\n"), std::string::npos);

    // So is fullscreen: the window switches at once and the file remembers it.
    EXPECT_EQ(g->menu_buttons[66].caption, test::ja(Text::options_fullscreen));
    run_command(*g, 66);
    EXPECT_TRUE(g->platform.window->fullscreen());
    EXPECT_EQ(g->menu_buttons[66].caption, test::ja(Text::options_windowed));
    EXPECT_NE(read_file(ini).find("fullscreen = yes\n"), std::string::npos);
    run_command(*g, 66);
    EXPECT_FALSE(g->platform.window->fullscreen());
    EXPECT_NE(read_file(ini).find("fullscreen = no\n"), std::string::npos);

    // F11 switches the window behind the game's back: the open menu's caption follows at the next
    // frame, and so does every switch with it, without the menu opening again.
    g->platform.window->set_fullscreen(true);
    g->pause_on_focus_loss = false;
    tick(*g);
    EXPECT_EQ(g->menu_buttons[66].caption, test::ja(Text::options_windowed));
    EXPECT_EQ(g->menu_buttons[65].caption, test::ja(Text::options_pause_in_background));
    g->platform.window->set_fullscreen(false);
    tick(*g);
    EXPECT_EQ(g->menu_buttons[66].caption, test::ja(Text::options_fullscreen));
    EXPECT_EQ(g->open_menu, kMenuOptions);
}

TEST(Language, TheProgramSpeaksTheChosenLanguageAndKeepsABrokenSettingsFile)
{
    TempDir dir;
    const std::string run = "--headless --frames 3 --trace --save-dir '" + dir.path().string() + "'";
    const auto first_message = [](const std::string& out) {
        const std::size_t at = out.find("message silver ");
        return at == std::string::npos ? std::string() : out.substr(at + 15, out.find('\n', at) - at - 15);
    };
    EXPECT_EQ(first_message(test::run_program(run).out), "ようこそ、ゲームメーカー達の極悪熾烈な競争世界へ！！");
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run + " --lang en").out),
              "Welcome to the brutal, cutthroat world of game makers!!");
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run, "LC_ALL=sv_SE.UTF-8").out),
              "Welcome to the brutal, cutthroat world of game makers!!");
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run, "LC_ALL=fr_FR.UTF-8").out),
              text_in(*language_of_code("fr"), Text::welcome));
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run, "LC_ALL=ja_JP.UTF-8").out),
              "ようこそ、ゲームメーカー達の極悪熾烈な競争世界へ！！");
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run, "LC_ALL=zh_CN.UTF-8").out),
              text_in(*language_of_code("zh-Hans"), Text::welcome));
    fs::remove(dir.path() / "my.dat");
    EXPECT_EQ(first_message(test::run_program(run, "LC_ALL=zh_TW.UTF-8").out),
              text_in(*language_of_code("zh-Hant"), Text::welcome));
    const auto bad = test::run_program(run + " --lang sv");
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_NE(bad.err.find("--lang takes ja, en, "), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find(" or " + std::string(language_code(static_cast<Lang>(kLanguageCount - 1))) + ", not \"sv\""),
              std::string::npos)
        << bad.err;

    // The settings file in XDG_CONFIG_HOME: read at start-up; a broken one is named and kept.
    const fs::path config = dir.path() / "config";
    const fs::path ini = config / "zentrifa" / "zentrifa.ini";
    fs::create_directories(ini.parent_path());
    write_file(ini, "language = en\n");
    fs::remove(dir.path() / "my.dat");
    const auto set = test::run_program(run, "XDG_CONFIG_HOME='" + config.string() + "'");
    EXPECT_EQ(first_message(set.out), "Welcome to the brutal, cutthroat world of game makers!!");
    EXPECT_EQ(set.err, "");
    const std::string broken = "language = en\nthis line is no setting\n";
    write_file(ini, broken);
    const auto kept = test::run_program(run, "XDG_CONFIG_HOME='" + config.string() + "'");
    EXPECT_EQ(kept.exit_code, 0);
    EXPECT_NE(kept.err.find("zentrifa.ini line 2: not a \"key = value\" line"), std::string::npos) << kept.err;
    EXPECT_EQ(read_file(ini), broken);
    fs::remove(ini);
    fs::create_directories(ini);
    const auto folder = test::run_program(run, "XDG_CONFIG_HOME='" + config.string() + "'");
    EXPECT_EQ(folder.exit_code, 0);
    EXPECT_NE(folder.err.find("the settings are the defaults"), std::string::npos) << folder.err;
}

TEST(Language, ASettingsFileThatCouldNotBeReadIsNeverWrittenOver)
{
    TempDir dir;
    const fs::path ini = dir.path() / "zentrifa.ini";
    const std::string text = "# a player's own notes\nlanguage = ja\nfullscreen = yes\n???\n";
    write_file(ini, text);
    std::vector<std::string> problems;
    SettingsFile file;
    file.load(ini, problems);
    EXPECT_EQ(problems.size(), 1u);
    std::string error;
    EXPECT_FALSE(file.set("language", "en", "c", error));
    EXPECT_EQ(read_file(ini), text);
    EXPECT_EQ(*file.get("language"), "en") << "the setting holds for this run";

    // A readable file keeps the keys it does not know, and their comments, when it is written.
    write_file(ini, "# a player's own notes\nlanguage = ja\n\n# later\nfullscreen = yes\n");
    file.load(ini, problems);
    ASSERT_TRUE(file.set("language", "en", "", error)) << error;
    EXPECT_EQ(read_file(ini), "# a player's own notes\nlanguage = en\n\n# later\nfullscreen = yes\n");
    // Comments that stand alone, between the keys or after the last, stay too; so does a line
    // after a byte-order mark.
    problems.clear();
    const std::string notes = "# my settings\n; by hand\n\n# the language\nlanguage = ja\n\n# nothing below\n\n"
                              "fullscreen = yes\n\n# the end\n";
    write_file(ini, "\xEF\xBB\xBF" + notes);
    file.load(ini, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    ASSERT_TRUE(file.set("fullscreen", "no", "", error)) << error;
    std::string kept = notes;
    kept.replace(kept.find("yes"), 3, "no");
    EXPECT_EQ(read_file(ini), kept);

    // A file no one may write (its mode, whatever the user) is left as it is, and that is said
    // once however many settings change.
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    file.load(ini, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_FALSE(file.set("language", "en", "", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_FALSE(file.set("fullscreen", "yes", "", error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(read_file(ini), kept);
    EXPECT_EQ(*file.get("language"), "en") << "the setting holds for this run";
    fs::permissions(ini, fs::perms::owner_write, fs::perm_options::add);

    // A file of junk is named by its first lines; the rest are counted.
    std::string junk;
    for (int i = 0; i < 32768; ++i) junk += "x\n";
    write_file(ini, junk);
    problems.clear();
    file.load(ini, problems);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_NE(problems[2].find("line 3: not a"), std::string::npos) << problems[2];
    EXPECT_NE(problems[3].find("32765 more lines"), std::string::npos) << problems[3];
}

} // namespace
} // namespace zen
