#include "music/music.h"

#include "music/mp3.h"
#include "music/pieces.h"
#include "sound/wav.h"

namespace assetgen::music {

namespace {

bool write(const std::filesystem::path& path, const Stereo& song, std::string& error)
{
    return write_mp3(path, wav::quantize(song.l), wav::quantize(song.r), 128, error);
}

} // namespace

bool generate(const std::filesystem::path& dir, std::string& error)
{
    return write(dir / "title_for_game.mp3", title_theme(), error) &&
           write(dir / "universe_for_game.mp3", universe_theme(), error);
}

} // namespace assetgen::music
