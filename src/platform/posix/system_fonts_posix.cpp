// The system's Japanese font, found through fontconfig.
#include "platform/system.h"

#include <fontconfig/fontconfig.h>

namespace zen {

std::string system_japanese_font()
{
    std::string found;
    // A configuration of our own, freed when done, rather than fontconfig's process-wide one.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return found;
    for (const char* family : {"IPAPGothic", "IPA P Gothic", "IPAGothic", ":lang=ja"}) {
        FcPattern* pat = (family[0] == ':') ? FcNameParse(reinterpret_cast<const FcChar8*>(family)) : FcPatternCreate();
        if (family[0] != ':') FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcConfigSubstitute(config, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pat, &result);
        if (match) {
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch) {
                const std::string f = reinterpret_cast<const char*>(fam);
                if (family[0] == ':' || f.find("IPA") != std::string::npos) found = reinterpret_cast<const char*>(file);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pat);
        if (!found.empty()) break;
    }
    FcConfigDestroy(config);
    return found;
}

} // namespace zen
