#include "surface/FaceResolver.h"

#include "surface/FaceFinder.h"

#include <QStringList>

namespace award {
namespace {

struct FaceStyle {
    QStringList names;     // tried in order, each an exact family name
    QStringList keywords;  // marks a face of the same style among the others
};

FaceStyle StyleFor(const QString& requestedName) {
    const FaceStyle ming{{kMingFaceName, QStringLiteral("PMingLiU"),
                          QStringLiteral("AR PL UMing TW")},
                         {QStringLiteral("Ming"), QStringLiteral("明"), QStringLiteral("Sung"),
                          QStringLiteral("Song"), QStringLiteral("宋")}};
    const FaceStyle kai{{kKaiFaceName, QStringLiteral("DFKai-SB"), QStringLiteral("AR PL UKai TW")},
                        {QStringLiteral("Kai"), QStringLiteral("楷")}};
    if (requestedName == kKaiFaceName) return kai;
    if (requestedName == kMingFaceName) return ming;
    FaceStyle other = ming;
    other.names.prepend(requestedName);
    return other;
}

}  // namespace

std::optional<InstalledFace> ResolveFace(const QString& requestedName) {
    if (!face_finder::Ready()) return std::nullopt;
    const FaceStyle style = StyleFor(requestedName);
    for (const QString& name : style.names) {
        const auto faces = face_finder::List(face_finder::Filter::Family, name);
        if (!faces.empty()) {
            InstalledFace face = faces.front();
            face.family = name;
            return face;
        }
    }
    const auto chinese = face_finder::List(face_finder::Filter::TraditionalChinese);
    for (const auto& face : chinese)
        for (const QString& keyword : style.keywords)
            if (face.family.contains(keyword, Qt::CaseInsensitive)) return face;
    if (!chinese.empty()) return chinese.front();
    const auto any = face_finder::List(face_finder::Filter::Any);
    if (!any.empty()) return any.front();
    return std::nullopt;
}

}  // namespace award
