// A page has no font service: the game's own IPA P Gothic comes with its data (fonts/).
#include "platform/system.h"

namespace zen {

std::string system_japanese_font() { return {}; }

} // namespace zen
