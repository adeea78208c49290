// The file code every system shares: bounded reading, following links, the names of temporaries
// and their clean-up. What each system does its own way is in posix/ or windows/.
#include "platform/files.h"

#include "platform/files_internal.h"
#include "platform/path_text.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;

namespace file_detail {

std::string describe(const fs::path& file, std::string_view what, std::string_view reason)
{
    std::string text = path_utf8(file) + ": ";
    text += what;
    if (!reason.empty()) {
        text += ": ";
        text += reason;
    }
    return text;
}

fs::path folder_of(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

ReadResult too_large(const fs::path& file, std::size_t max_bytes, std::string& error)
{
    error = describe(file, "is larger than " + std::to_string(max_bytes) + " bytes");
    return ReadResult::too_large;
}

namespace {

// Eight letters nobody else is likely to pick at the same moment: from the process, the clock and
// the attempt.
std::string fresh_suffix(unsigned attempt)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::uint64_t v = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) ^
                      (process_number() << 12) ^ (std::uint64_t{attempt} * 0x9E3779B97F4A7C15ull);
    v ^= v >> 29;
    v *= 0xBF58476D1CE4E5B9ull;
    v ^= v >> 32;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz234567";
    std::string s(kSuffixLetters, 'a');
    for (char& c : s) {
        c = kLetters[v & 31u];
        v >>= 5;
    }
    return s;
}

} // namespace

fs::path temporary_name(const fs::path& name, std::size_t longest, unsigned attempt)
{
    const fs::path::string_type tail = fs::path(std::string(kTempMark) + "-" + fresh_suffix(attempt)).native();
    fs::path::string_type base = name.native();
    const std::size_t keep = longest > tail.size() ? longest - tail.size() : 0;
    if (base.size() > keep) {
        std::size_t cut = keep;
        // Names in UTF-16 are not cut between the two halves of one character.
        if constexpr (sizeof(fs::path::value_type) == 2) {
            if (cut > 0 && (static_cast<std::uint32_t>(base[cut - 1]) & 0xFC00u) == 0xD800u) --cut;
        }
        base.resize(cut);
    }
    return fs::path(base + tail);
}

} // namespace file_detail

using namespace file_detail;

ReadResult read_file_bytes(const fs::path& file, std::size_t max_bytes, std::string& bytes, std::string& error)
{
    bytes.clear();
    InputFile in;
    if (const ReadResult opened = in.open(file, max_bytes, error); opened != ReadResult::ok) return opened;
    // The size can change while we read (or lie, as in /proc): read to the end, one byte past
    // the limit at most.
    bytes.resize(static_cast<std::size_t>(in.size()) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > max_bytes) break;
            bytes.resize(std::min(max_bytes + 1, bytes.size() * 2 + 4096));
        }
        std::size_t got = 0;
        if (!in.read(bytes.data() + have, bytes.size() - have, got, error)) {
            bytes.clear();
            return ReadResult::failed;
        }
        if (got == 0) break;
        have += got;
    }
    if (have > max_bytes) {
        bytes.clear();
        return too_large(file, max_bytes, error);
    }
    bytes.resize(have);
    return ReadResult::ok;
}

ReadResult read_file_lines(const fs::path& file, std::size_t max_bytes, std::size_t max_line, std::string& error,
                           const std::function<bool(std::string_view line, bool has_end)>& each)
{
    InputFile in;
    if (const ReadResult opened = in.open(file, max_bytes, error); opened != ReadResult::ok) return opened;
    const auto line_too_long = [&](int line) {
        error =
            describe(file, "line " + std::to_string(line) + " is longer than " + std::to_string(max_line) + " bytes");
        return ReadResult::too_large;
    };
    // The line being read, and what came after it in the last block read.
    std::string pending;
    std::string block(std::size_t{64} << 10, '\0');
    std::size_t total = 0;
    int lines = 0;
    for (;;) {
        std::size_t got = 0;
        if (!in.read(block.data(), block.size(), got, error)) return ReadResult::failed;
        if (got == 0) break;
        total += got;
        if (total > max_bytes) return too_large(file, max_bytes, error); // it grew while being read
        pending.append(block.data(), got);
        std::size_t at = 0;
        for (std::size_t end; (end = pending.find('\n', at)) != std::string::npos; at = end + 1) {
            if (end - at > max_line) return line_too_long(lines + 1);
            ++lines;
            if (!each(std::string_view(pending).substr(at, end - at), true)) return ReadResult::ok;
        }
        pending.erase(0, at);
        if (pending.size() > max_line) return line_too_long(lines + 1);
    }
    if (!pending.empty()) each(pending, false);
    return ReadResult::ok;
}

bool resolve_links(const fs::path& file, fs::path& target, std::string& error)
{
    target = file;
    for (int hops = 0;; ++hops) {
        fs::path to;
        // Nothing there (a link to nothing ends here: the file is made where it points), or a
        // folder on the way that cannot be looked into, which the write will report.
        const LinkLook look = read_link(target, to, error);
        if (look == LinkLook::not_a_link) return true;
        if (look == LinkLook::failed) return false;
        if (hops >= kLinkHops) {
            error = describe(file, "leads through more than " + std::to_string(kLinkHops) +
                                       " symbolic links (a loop of links?); nothing is written");
            return false;
        }
        target = to.is_absolute() ? to : folder_of(target) / to;
    }
}

int remove_stale_temporaries(const fs::path& file)
{
    // The temporaries lie beside the file the save's link points to.
    fs::path target;
    std::string unused;
    if (!resolve_links(file, target, unused)) return 0;
    const fs::path::string_type legacy = target.filename().native() + fs::path(std::string(kTempMark)).native();
    const fs::path::string_type prefix = legacy + fs::path("-").native();
    std::error_code ec;
    fs::directory_iterator it(folder_of(target), ec);
    int removed = 0;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path::string_type name = it->path().filename().native();
        if (name != legacy && name.rfind(prefix, 0) != 0) continue;
        // Files and links only (a link is removed, not what it points to); a folder of that name
        // is somebody else's.
        fs::path to;
        const LinkLook look = read_link(it->path(), to, unused);
        if (look == LinkLook::failed) continue;
        if (look == LinkLook::not_a_link) {
            const fs::file_status s = it->symlink_status(ec);
            if (ec) break;
            if (!fs::is_regular_file(s)) continue;
        }
        std::error_code gone;
        if (fs::remove(it->path(), gone)) ++removed;
    }
    return removed;
}

} // namespace zen
