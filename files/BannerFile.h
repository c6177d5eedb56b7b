#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace award {

// A banner file's text as the banner field takes it, or why the file was refused.
struct BannerText {
    enum class Refusal { None, Unreadable, TooLarge, NotText, UnknownEncoding };

    QString text;
    QString encoding;  // what the bytes were read as
    bool lineBreaksJoined = false;
    Refusal refusal = Refusal::None;
    QString why;  // for the user, when refused
};

// Many times what a sign can show; a bigger file is not a banner.
inline constexpr qsizetype kMaxBannerFileBytes = 1024 * 1024;

// Award lists come from everywhere: a byte-order mark decides first, then
// valid UTF-8, then Big5 as Traditional Chinese Windows writes it. Each line
// break, with the spaces around it, becomes one space, so a list with one
// phrase per line gives one phrase per frame.
BannerText DecodeBannerText(const QByteArray& bytes);
BannerText ReadBannerFile(const QString& path);

// Saves the banner as UTF-8, the file replaced only once the new text is
// whole. Returns why it failed, or nothing.
std::optional<QString> SaveBannerFile(const QString& path, const QString& banner);

}  // namespace award
