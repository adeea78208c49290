#pragma once
#include "music/song.h"

namespace assetgen::music {

// The title theme: bright and driving, about a minute and a half.
Stereo title_theme();
// The news theme: slow, wide and a little sad, for reading the story between stages.
Stereo universe_theme();

} // namespace assetgen::music
