// The game's texts: reads the text files of src/core/texts/ (every text a player sees, keyed by a
// name, one line per language) and
//   textgen code HEADER SOURCE FILE...        writes the table as C++ (the build does this)
//   textgen po-export LANG FILE...            prints a gettext catalogue of LANG's texts
//   textgen po-import LANG PO FILE...         writes LANG's texts from a catalogue back into FILEs
//   textgen chars LANG OUT FILE...            writes every character LANG's texts use, with the
//                                             printable ASCII, the yen sign and the characters the
//                                             game draws of its own, to OUT (the build cuts the
//                                             language's font down to them)
// The table refuses (exit 1, the file and line on standard error) a text that is missing in a
// language, two languages of a text that disagree on their placeholders ({price}, {name}, ...), a
// name given twice, and anything it cannot read. A catalogue may be made for a language that still
// lacks texts (their msgstr is empty) and brings each text it has into its place, adding the
// "LANG = " line after the text's other languages where there is none yet.
//
// A text file:
//   @languages ja en          (once, in any file: the languages, the game's default first; a code
//                              is letters, digits and -, as zh-Hans, and Lang::zh_Hans in C++)
//   # a comment
//   [menu_make]               (the text's name: letters, digits and _)
//   ja = ゲームを造る          (everything after "= " up to the line's end, as it stands)
//   en = Make a game
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string key;
    std::string file;
    int line = 0;
    std::map<std::string, std::string> text; // language -> text
};

struct Table {
    std::vector<std::string> languages;
    std::vector<Entry> entries;
};

[[noreturn]] void fail(const std::string& where, const std::string& what)
{
    std::cerr << "textgen: " << where << ": " << what << "\n";
    std::exit(1);
}

bool is_name(const std::string& s)
{
    if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// A language code: a name, or names joined by - (zh-Hans).
bool is_language_code(const std::string& s)
{
    if (s.empty() || s.front() == '-' || s.back() == '-' || s.find("--") != std::string::npos) return false;
    std::string as_name = s;
    std::replace(as_name.begin(), as_name.end(), '-', '_');
    return is_name(as_name);
}

// The language's name in C++: zh-Hans is zh_Hans.
std::string language_identifier(std::string code)
{
    std::replace(code.begin(), code.end(), '-', '_');
    return code;
}

// The placeholders of a text, in order of appearance, each once.
std::set<std::string> placeholders(const std::string& text)
{
    std::set<std::string> found;
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
        const std::size_t end = text.find('}', at);
        if (end == std::string::npos) break;
        std::string name = text.substr(at + 1, end - at - 1);
        name = name.substr(0, name.find(':')); // {minute:02} is the placeholder minute
        if (is_name(name)) found.insert(name);
    }
    return found;
}

std::string rtrim(std::string s)
{
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

void read_file(Table& table, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, "cannot be read");
    std::string raw;
    int number = 0;
    Entry* entry = nullptr;
    while (std::getline(in, raw)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = rtrim(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("@languages", 0) == 0) {
            if (!table.languages.empty()) fail(where, "the languages are already given");
            std::istringstream words(line.substr(10));
            for (std::string w; words >> w;) {
                if (!is_language_code(w)) fail(where, "a language code is letters, digits and -: " + w);
                table.languages.push_back(w);
            }
            if (table.languages.empty()) fail(where, "no language given");
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') fail(where, "a name line is [name]");
            table.entries.push_back(Entry{line.substr(1, line.size() - 2), path, number, {}});
            entry = &table.entries.back();
            if (!is_name(entry->key)) fail(where, "a name is letters, digits and _: " + entry->key);
            continue;
        }
        const std::size_t eq = raw.find(" = ");
        const std::size_t bare = raw.find(" =");
        std::string lang;
        std::string text;
        if (eq != std::string::npos) {
            lang = raw.substr(0, eq);
            text = raw.substr(eq + 3);
        } else if (bare != std::string::npos && bare + 2 == rtrim(raw).size()) {
            lang = raw.substr(0, bare); // "en =" with nothing after it: a missing text
        } else {
            fail(where, "expected [name], a comment or \"LANG = text\"");
        }
        if (!entry) fail(where, "a text before the first [name]");
        if (!is_language_code(lang)) fail(where, "a language code is letters, digits and -: " + lang);
        if (entry->text.contains(lang)) fail(where, lang + " is given twice for " + entry->key);
        entry->text[lang] = text;
    }
}

// The texts of files. A complete table has every text in every language; a catalogue's may lack
// some (empty ones count as missing).
Table read_all(const std::vector<std::string>& files, bool complete)
{
    Table table;
    for (const std::string& f : files) read_file(table, f);
    if (table.languages.empty()) fail(files.empty() ? "textgen" : files.front(), "no @languages line");
    std::set<std::string> keys;
    for (const Entry& e : table.entries) {
        const std::string where = e.file + ":" + std::to_string(e.line);
        for (const auto& [lang, text] : e.text)
            if (std::find(table.languages.begin(), table.languages.end(), lang) == table.languages.end())
                fail(where, e.key + ": " + lang + " is not among the @languages");
        if (!keys.insert(e.key).second) fail(where, e.key + " is given twice");
        if (e.key == "none") fail(where, "\"none\" names the empty text");
        const std::string& first = table.languages.front();
        for (const std::string& lang : table.languages) {
            auto it = e.text.find(lang);
            if (it == e.text.end() || it->second.empty()) {
                if (complete || lang == first) fail(where, e.key + " has no " + lang + " text");
                continue;
            }
            if (placeholders(it->second) != placeholders(e.text.at(first)))
                fail(where, e.key + ": the " + lang + " text's placeholders differ from the " + first + " text's");
        }
    }
    return table;
}

// A C++ string literal holding `s` byte for byte.
std::string literal(const std::string& s)
{
    std::string out = "\"";
    for (const unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void write_if_changed(const std::string& path, const std::string& content)
{
    std::ifstream old(path, std::ios::binary);
    std::stringstream was;
    was << old.rdbuf();
    if (old && was.str() == content) return; // nothing to rebuild
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) fail(path, "cannot be written");
}

void write_code(const Table& t, const std::string& header, const std::string& source)
{
    std::ostringstream h;
    h << "// Made by textgen from the text files of src/core/texts/: edit those, not this.\n"
         "#pragma once\n#include <cstdint>\n#include <string_view>\n\nnamespace zen {\n\n"
         "// The languages the game speaks; the first is the default.\nenum class Lang : std::uint8_t {";
    for (std::size_t i = 0; i < t.languages.size(); ++i) h << (i ? ", " : " ") << language_identifier(t.languages[i]);
    h << " };\ninline constexpr int kLanguageCount = " << t.languages.size()
      << ";\n\n// Every text a player sees, by name; none is the empty text.\nenum class Text : std::uint16_t {\n"
         "    none,\n";
    for (const Entry& e : t.entries) h << "    " << e.key << ",\n";
    h << "};\ninline constexpr int kTextCount = " << t.entries.size() + 1
      << ";\n\n// [language][text], byte for byte as in the text files.\n"
         "extern const std::string_view kTexts[kLanguageCount][kTextCount];\n"
         "extern const std::string_view kTextNames[kTextCount];\n"
         "extern const std::string_view kLanguageCodes[kLanguageCount];\n\n} // namespace zen\n";

    std::ostringstream c;
    c << "// Made by textgen from the text files of src/core/texts/: edit those, not this.\n"
         "#include \"core/text_table.h\"\n\nnamespace zen {\n\nconst std::string_view kLanguageCodes[kLanguageCount] = "
         "{";
    for (const std::string& l : t.languages) c << literal(l) << ", ";
    c << "};\n\nconst std::string_view kTextNames[kTextCount] = {\n    \"none\",\n";
    for (const Entry& e : t.entries) c << "    " << literal(e.key) << ",\n";
    c << "};\n\nconst std::string_view kTexts[kLanguageCount][kTextCount] = {\n";
    for (const std::string& l : t.languages) {
        c << "    {\n        \"\",\n";
        for (const Entry& e : t.entries) c << "        " << literal(e.text.at(l)) << ",\n";
        c << "    },\n";
    }
    c << "};\n\n} // namespace zen\n";
    write_if_changed(header, h.str());
    write_if_changed(source, c.str());
}

// A gettext string: quoted, with \ and " escaped.
std::string po_string(const std::string& s)
{
    std::string out = "\"";
    for (const char ch : s) {
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "\"";
}

void export_po(const Table& t, const std::string& lang)
{
    if (std::find(t.languages.begin(), t.languages.end(), lang) == t.languages.end())
        fail(lang, "not a language of the texts");
    const std::string& source = t.languages.front();
    std::cout << "# Zentrifa's texts in " << lang << "; msgid is the " << source << " text, msgctxt the text's name.\n"
              << "msgid \"\"\nmsgstr \"\"\n\"Project-Id-Version: zentrifa\\n\"\n\"MIME-Version: 1.0\\n\"\n"
              << "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\"Content-Transfer-Encoding: 8bit\\n\"\n\"Language: "
              << lang << "\\n\"\n\n";
    for (const Entry& e : t.entries) {
        const auto text = e.text.find(lang);
        std::cout << "#: " << e.file.substr(e.file.rfind('/') + 1) << ":" << e.line << "\n"
                  << "msgctxt " << po_string(e.key) << "\nmsgid " << po_string(e.text.at(source)) << "\nmsgstr "
                  << po_string(text == e.text.end() ? std::string() : text->second) << "\n\n";
    }
}

// Reads one quoted gettext string (with continuation lines joined by the caller).
std::string po_unquote(const std::string& q, const std::string& where)
{
    const std::string s = rtrim(q);
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') fail(where, "expected a quoted string");
    std::string out;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == '\\' && i + 2 < s.size()) {
            ++i;
            out += s[i] == 'n' ? '\n' : s[i] == 't' ? '\t' : s[i];
        } else {
            out += s[i];
        }
    }
    return out;
}

std::map<std::string, std::string> read_po(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path, "cannot be read");
    std::map<std::string, std::string> found; // msgctxt -> msgstr
    std::string context;
    std::string* open = nullptr;
    std::string msgstr;
    std::string msgid;
    bool have_str = false;
    auto finish = [&] {
        if (have_str && !context.empty() && !msgstr.empty()) found[context] = msgstr;
        context.clear();
        msgstr.clear();
        have_str = false;
        open = nullptr;
    };
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number);
        const std::string line = rtrim(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("msgctxt ", 0) == 0) {
            finish();
            context = po_unquote(line.substr(8), where);
            open = &context;
        } else if (line.rfind("msgid ", 0) == 0) {
            msgid = po_unquote(line.substr(6), where);
            open = &msgid;
        } else if (line.rfind("msgstr ", 0) == 0) {
            msgstr = po_unquote(line.substr(7), where);
            have_str = true;
            open = &msgstr;
        } else if (line[0] == '"' && open) {
            *open += po_unquote(line, where);
        } else {
            fail(where, "not a line of a gettext catalogue");
        }
    }
    finish();
    return found;
}

void import_po(const Table& t, const std::string& lang, const std::string& po, const std::vector<std::string>& files)
{
    if (std::find(t.languages.begin(), t.languages.end(), lang) == t.languages.end())
        fail(lang, "not a language of the texts");
    const std::map<std::string, std::string> found = read_po(po);
    for (const auto& [key, text] : found) {
        if (text.find('\n') != std::string::npos) fail(po, key + ": a text is one line");
        const std::string& name = key;
        const auto e = std::find_if(t.entries.begin(), t.entries.end(), [&](const Entry& x) { return x.key == name; });
        if (e == t.entries.end()) fail(po, "no text is named " + key);
        if (placeholders(text) != placeholders(e->text.at(t.languages.front())))
            fail(po, key + ": the placeholders differ from the original's");
    }
    // Rewrite each file's LANG lines, adding one after the other languages of a text that has none;
    // every other line stays as it is.
    const auto is_text_line = [&](const std::string& line) {
        const std::size_t eq = line.find(" =");
        return eq != std::string::npos &&
               std::find(t.languages.begin(), t.languages.end(), line.substr(0, eq)) != t.languages.end();
    };
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string raw; std::getline(in, raw);) lines.push_back(raw);
        std::ostringstream out;
        std::string key;
        std::size_t last_text = 0; // the line after which a missing LANG line goes
        bool has_lang = false;
        const auto add_missing = [&](std::size_t i) {
            const auto text = found.find(key);
            if (!key.empty() && !has_lang && text != found.end() && i == last_text)
                out << lang << " = " << text->second << "\n";
        };
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string line = rtrim(lines[i]);
            if (!line.empty() && line[0] == '[' && line.back() == ']') {
                key = line.substr(1, line.size() - 2);
                has_lang = false;
                last_text = i;
                for (std::size_t j = i + 1; j < lines.size() && !(rtrim(lines[j]).starts_with('[')); ++j)
                    if (is_text_line(lines[j])) last_text = j;
            }
            const auto text = found.find(key);
            if (text != found.end() && (line.rfind(lang + " = ", 0) == 0 || line == lang + " =")) {
                out << lang << " = " << text->second << "\n";
                has_lang = true;
            } else {
                out << lines[i] << "\n";
            }
            add_missing(i);
        }
        write_if_changed(path, out.str());
    }
}

// The characters of LANG's texts, each once, in code order, after the printable ASCII (numbers
// and names filled in), the yen sign a backslash is drawn as, and what the game adds to any
// language's text: the ideographic space that indents a message's second row in the log, and the
// marker that asks for a click to go on.
void write_chars(const Table& t, const std::string& lang, const std::string& out)
{
    if (std::find(t.languages.begin(), t.languages.end(), lang) == t.languages.end())
        fail(lang, "not a language of the texts");
    std::set<std::string> chars;
    for (char c = ' '; c < 0x7F; ++c) chars.insert(std::string(1, c));
    chars.insert("\xC2\xA5");
    chars.insert("\u3000"); // 　
    chars.insert("\u25BC"); // ▼
    for (const Entry& e : t.entries) {
        const std::string& s = e.text.at(lang);
        for (std::size_t i = 0; i < s.size();) {
            const auto c = static_cast<unsigned char>(s[i]);
            const std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            chars.insert(s.substr(i, len));
            i += len;
        }
    }
    std::string all;
    for (const std::string& c : chars) all += c;
    write_if_changed(out, all + "\n");
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto files_from = [&](std::size_t first) {
        return std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(first), args.end());
    };
    if (args.size() >= 4 && args[0] == "code") {
        write_code(read_all(files_from(3), true), args[1], args[2]);
    } else if (args.size() >= 4 && args[0] == "chars") {
        write_chars(read_all(files_from(3), true), args[1], args[2]);
    } else if (args.size() >= 3 && args[0] == "po-export") {
        export_po(read_all(files_from(2), false), args[1]);
    } else if (args.size() >= 4 && args[0] == "po-import") {
        const std::vector<std::string> files = files_from(3);
        import_po(read_all(files, false), args[1], args[2], files);
    } else {
        std::cerr << "usage: textgen code HEADER SOURCE FILE...\n"
                     "       textgen po-export LANG FILE... > LANG.po\n"
                     "       textgen po-import LANG LANG.po FILE...\n"
                     "       textgen chars LANG OUT FILE...\n";
        return 2;
    }
    return 0;
}
