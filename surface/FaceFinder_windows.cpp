#include "surface/FaceFinder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <tuple>

// Windows has no fontconfig. Its fonts live in the Windows fonts folder and,
// installed for one user only, in that user's own fonts folder; the program
// reads the family names out of those files itself, in every language they
// are written in, so that 新細明體 is found as surely as PMingLiU.

namespace award::face_finder {
namespace {

struct Scanned {
    InstalledFace face;
    QStringList families;  // every family name the file gives the face
    bool traditionalChinese = false;
    bool italic = false;
    int weight = 400;
};

QStringList FontFolders() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    if (!local.isEmpty()) folders << QDir(local).filePath(QStringLiteral("Microsoft/Windows/Fonts"));
    folders.removeDuplicates();
    return folders;
}

QString Utf16BigEndian(const FT_SfntName& name) {
    QString text;
    for (FT_UInt at = 0; at + 1 < name.string_len; at += 2)
        text += QChar(char16_t((name.string[at] << 8) | name.string[at + 1]));
    return text;
}

// Older Taiwanese fonts keep their Chinese names in Big5, often padded to
// 16 bits a character; Windows' own code page 950 reads them.
QString Big5(const FT_SfntName& name) {
    QByteArray bytes;
    for (FT_UInt at = 0; at < name.string_len; ++at)
        if (name.string[at] != 0) bytes += char(name.string[at]);
    const int length = MultiByteToWideChar(950, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(std::max(length, 0)), L'\0');
    MultiByteToWideChar(950, 0, bytes.constData(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide);
}

QString Decode(const FT_SfntName& name) {
    if (name.platform_id == TT_PLATFORM_APPLE_UNICODE) return Utf16BigEndian(name);
    if (name.platform_id == TT_PLATFORM_MICROSOFT) {
        if (name.encoding_id == TT_MS_ID_UNICODE_CS || name.encoding_id == TT_MS_ID_UCS_4)
            return Utf16BigEndian(name);
        if (name.encoding_id == TT_MS_ID_BIG_5) return Big5(name);
    }
    if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN)
        return QString::fromLatin1(reinterpret_cast<const char*>(name.string), qsizetype(name.string_len));
    return {};
}

// The English family first, as fontconfig lists it, then the others.
QStringList FamilyNames(FT_Face face) {
    QStringList english, others;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name{};
        if (FT_Get_Sfnt_Name(face, i, &name) != 0) continue;
        if (name.name_id != TT_NAME_ID_FONT_FAMILY && name.name_id != TT_NAME_ID_TYPOGRAPHIC_FAMILY) continue;
        const QString family = Decode(name).trimmed();
        if (family.isEmpty()) continue;
        const bool isEnglish = (name.platform_id == TT_PLATFORM_MICROSOFT && name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES) ||
                               (name.platform_id == TT_PLATFORM_MACINTOSH && name.language_id == TT_MAC_LANGID_ENGLISH);
        (isEnglish ? english : others) << family;
    }
    if (english.isEmpty() && face->family_name) english << QString::fromLatin1(face->family_name);
    QStringList all = english + others;
    all.removeDuplicates();
    return all;
}

// Whether the face is made for Traditional Chinese: it says it covers the Big5
// code page, and it draws characters that only Traditional Chinese writes so.
bool CoversTraditionalChinese(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    constexpr FT_ULong kBig5CodePage = 1UL << 20;
    if (os2 && os2->version >= 1 && !(os2->ulCodePageRange1 & kBig5CodePage)) return false;
    return std::ranges::all_of(QStringLiteral("體灣龍藝臺鬥"),
                               [face](QChar c) { return FT_Get_Char_Index(face, c.unicode()) != 0; });
}

void ScanFile(FT_Library library, const QString& path, std::vector<Scanned>& found) {
    // Mapped rather than opened by name: FreeType takes names in the ANSI code
    // page, which cannot spell every user's fonts folder.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return;
    const uchar* bytes = file.map(0, file.size());
    if (!bytes) return;
    FT_Long faces = 1;
    for (FT_Long index = 0; index < faces; ++index) {
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(library, bytes, FT_Long(file.size()), index, &face) != 0) return;
        faces = face->num_faces;
        if (FT_IS_SCALABLE(face)) {
            Scanned scanned;
            scanned.families = FamilyNames(face);
            scanned.face = {scanned.families.value(0), path, int(index)};
            scanned.traditionalChinese = CoversTraditionalChinese(face);
            scanned.italic = face->style_flags & FT_STYLE_FLAG_ITALIC;
            if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
                scanned.weight = os2->usWeightClass;
            if (!scanned.families.isEmpty()) found.push_back(scanned);
        }
        FT_Done_Face(face);
    }
}

// Read once per run: the fonts folders hold hundreds of files.
const std::vector<Scanned>& InstalledFaces() {
    static std::vector<Scanned> faces;
    static std::once_flag scanned;
    std::call_once(scanned, [] {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0) return;
        const QStringList patterns{QStringLiteral("*.ttf"), QStringLiteral("*.ttc"), QStringLiteral("*.otf"),
                                   QStringLiteral("*.otc")};
        for (const QString& folder : FontFolders()) {
            const QDir dir(folder);
            for (const QString& name : dir.entryList(patterns, QDir::Files, QDir::Name))
                ScanFile(library, dir.filePath(name), faces);
        }
        FT_Done_FreeType(library);
        std::ranges::sort(faces, {}, [](const Scanned& s) {
            return std::tuple(s.italic, std::abs(s.weight - 400), s.face.file, s.face.index);
        });
    });
    return faces;
}

// Family names compare as fontconfig compares them: case and blanks aside.
QString Folded(QString name) { return name.remove(u' ').toCaseFolded(); }

}  // namespace

bool Ready() { return true; }

std::vector<InstalledFace> List(Filter filter, const QString& family) {
    std::vector<InstalledFace> faces;
    const QString wanted = Folded(family);
    for (const Scanned& scanned : InstalledFaces()) {
        const bool taken =
            filter == Filter::Any || (filter == Filter::TraditionalChinese && scanned.traditionalChinese) ||
            (filter == Filter::Family && std::ranges::any_of(scanned.families, [&](const QString& name) {
                 return Folded(name) == wanted;
             }));
        if (taken) faces.push_back(scanned.face);
    }
    return faces;
}

}  // namespace award::face_finder
