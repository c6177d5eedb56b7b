#include "surface/FaceFinder.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <tuple>

namespace award::face_finder {
namespace {

QString StringOf(FcPattern* font, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(font, object, 0, &value) != FcResultMatch || !value) return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

}  // namespace

bool Ready() { return FcInit(); }

// Listing, unlike matching, applies no configuration rules, so the answer
// depends only on what is installed.
std::vector<InstalledFace> List(Filter filter, const QString& family) {
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), &FcPatternDestroy);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (filter == Filter::TraditionalChinese) {
        std::unique_ptr<FcLangSet, decltype(&FcLangSetDestroy)> langs(FcLangSetCreate(), &FcLangSetDestroy);
        FcLangSetAdd(langs.get(), reinterpret_cast<const FcChar8*>("zh-tw"));
        FcPatternAddLangSet(pattern.get(), FC_LANG, langs.get());
    } else if (filter == Filter::Family) {
        const QByteArray utf8 = family.toUtf8();
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.constData()));
    }
    std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
        FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr), &FcObjectSetDestroy);
    std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> fonts(FcFontList(nullptr, pattern.get(), objects.get()),
                                                                  &FcFontSetDestroy);

    struct Candidate {
        InstalledFace face;
        int weight;
        int slant;
    };
    std::vector<Candidate> found;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        Candidate c{{StringOf(font, FC_FAMILY), StringOf(font, FC_FILE), 0}, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN};
        FcPatternGetInteger(font, FC_INDEX, 0, &c.face.index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &c.weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &c.slant);
        if (!c.face.file.isEmpty()) found.push_back(c);
    }
    // Upright faces nearest the regular weight first: bold and italic are drawn
    // from the regular face. Ties go by file and index so the choice never
    // depends on the order fontconfig lists them in.
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        const auto key = [](const Candidate& c) {
            return std::tuple(c.slant != FC_SLANT_ROMAN, std::abs(c.weight - FC_WEIGHT_REGULAR),
                              c.face.file, c.face.index);
        };
        return key(a) < key(b);
    });
    std::vector<InstalledFace> faces;
    for (const auto& c : found) faces.push_back(c.face);
    return faces;
}

}  // namespace award::face_finder
