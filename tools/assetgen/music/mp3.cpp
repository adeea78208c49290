#include "music/mp3.h"

#include <lame/lame.h>

#include <fstream>

namespace assetgen::music {

bool write_mp3(const std::filesystem::path& path, const std::vector<std::int16_t>& left,
               const std::vector<std::int16_t>& right, int kbps, std::string& error)
{
    if (left.size() != right.size()) {
        error = "channels of different length";
        return false;
    }
    lame_global_flags* lame = lame_init();
    if (lame == nullptr) {
        error = "lame_init failed";
        return false;
    }
    lame_set_in_samplerate(lame, 44100);
    lame_set_out_samplerate(lame, 44100);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, 7);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        error = "lame_init_params failed";
        return false;
    }

    std::vector<unsigned char> out;
    const std::size_t chunk = 8192;
    std::vector<unsigned char> buf(chunk * 5 / 4 + 7200);
    bool ok = true;
    for (std::size_t at = 0; at < left.size() && ok; at += chunk) {
        std::size_t n = std::min(chunk, left.size() - at);
        int got = lame_encode_buffer(lame, left.data() + at, right.data() + at, static_cast<int>(n), buf.data(),
                                     static_cast<int>(buf.size()));
        if (got < 0)
            ok = false;
        else
            out.insert(out.end(), buf.begin(), buf.begin() + got);
    }
    if (ok) {
        int got = lame_encode_flush(lame, buf.data(), static_cast<int>(buf.size()));
        if (got < 0)
            ok = false;
        else
            out.insert(out.end(), buf.begin(), buf.begin() + got);
    }
    // The first frame was kept free for the tag; now that the whole stream is known, fill it in.
    if (ok) {
        std::size_t tag = lame_get_lametag_frame(lame, buf.data(), buf.size());
        if (tag == 0 || tag > out.size())
            ok = false;
        else
            std::copy(buf.begin(), buf.begin() + static_cast<long>(tag), out.begin());
    }
    lame_close(lame);
    if (!ok) {
        error = "mp3 encoding failed";
        return false;
    }
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!f) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

} // namespace assetgen::music
