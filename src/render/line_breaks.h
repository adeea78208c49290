#pragma once
// Where a text may be broken into rows: the Unicode line-breaking rules with the classes of
// Unicode 6.2, as a Japanese text resolves them (ambiguous characters break like ideographs),
// tailored for Korean, which breaks between words rather than between syllables.
#include "core/text_table.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace zen {

// After one byte of a UTF-8 text: a row must end there (the end of the text, a line or paragraph
// separator), may end there, may not, or the byte is inside a character.
enum class RowBreak : std::uint8_t { must, allowed, never, inside };

// One entry per byte of text, for a text in `lang`. A broken byte counts as a character of its
// own; a character cut off by the end of the text is all `inside`.
std::vector<RowBreak> row_breaks(std::string_view text, Lang lang);

} // namespace zen
