#pragma once

#include "files/TextDecoding.h"

#include <QByteArray>
#include "refusal/Refusal.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace award {

// How a banner file lays out its text, so that saving gives the file back in
// the form it came in.
struct BannerForm {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;
    // One phrase a line, each ended by this ("\n", "\r\n" or "\r"); empty for
    // the banner field's own form, phrases ended by spaces on one line.
    QString lineEnd;

    bool operator==(const BannerForm&) const = default;
};

// A banner file's text as the banner field takes it, or why the file was refused.
struct BannerText {
    QString text;
    BannerForm form;
    QStringList notices;  // what reading changed or found, for the user
    Refusal refusal;
};

// Many times what a sign can show; a bigger file is not a banner.
inline constexpr qsizetype kMaxBannerFileBytes = 1024 * 1024;

// Decodes the bytes (files/TextDecoding.h) and joins a list's lines and tabs
// into phrases (files/LineJoiner.h).
BannerText DecodeBannerText(const QByteArray& bytes);
// Read as files/RegularFile.h reads, so that nothing can hold up the caller.
BannerText ReadBannerFile(const QString& path);

// Saves the banner in form, the file replaced only once the new text is
// whole. Returns why it failed, or nothing.
Refusal SaveBannerFile(const QString& path, const QString& banner, const BannerForm& form = {});

// Describes the form for the user, e.g. "Big5，一行一句".
QString DescribeForm(const BannerForm& form);

}  // namespace award
