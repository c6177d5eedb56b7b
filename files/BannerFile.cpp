#include "files/BannerFile.h"

#include "files/AtomicFile.h"
#include "files/TextDecoding.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace award {
namespace {

using Refusal = BannerText::Refusal;

BannerText Refused(Refusal refusal, const QString& why) {
    BannerText refused;
    refused.refusal = refusal;
    refused.why = why;
    return refused;
}

}  // namespace

BannerText DecodeBannerText(const QByteArray& bytes) {
    if (bytes.size() > kMaxBannerFileBytes) {
        return Refused(Refusal::TooLarge,
                       QStringLiteral("檔案太大：橫幅文字檔最多 %1，這可能不是橫幅文字檔。")
                           .arg(QLocale::c().formattedDataSize(kMaxBannerFileBytes, 0)));
    }
    const DecodedText decoded = DecodeText(bytes);
    switch (decoded.refusal) {
    case DecodedText::Refusal::None: break;
    case DecodedText::Refusal::NotText: return Refused(Refusal::NotText, decoded.why);
    default: return Refused(Refusal::UnknownEncoding, decoded.why);
    }
    BannerText result;
    result.encoding = EncodingName(decoded.encoding);
    std::optional<QString> text = decoded.text;
    static const QRegularExpression kLineBreaks(QStringLiteral(" *(?:(?:\\r\\n?|\\n) *)+"));
    result.lineBreaksJoined = text->contains(u'\n') || text->contains(u'\r');
    result.text = text->replace(kLineBreaks, QStringLiteral(" "));
    return result;
}

BannerText ReadBannerFile(const QString& path) {
    QFile file(path);
    // One byte past the limit is enough to know the file is too large.
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.read(kMaxBannerFileBytes + 1) : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return Refused(Refusal::Unreadable, QStringLiteral("讀取時發生錯誤（%1）。").arg(file.errorString()));
    return DecodeBannerText(bytes);
}

std::optional<QString> SaveBannerFile(const QString& path, const QString& banner) {
    return WriteAtomically(path, banner.toUtf8());
}

}  // namespace award
