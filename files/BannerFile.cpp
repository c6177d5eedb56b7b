#include "files/BannerFile.h"

#include "files/AtomicFile.h"
#include "files/LineJoiner.h"
#include "files/RegularFile.h"
#include "files/TextEncoding.h"

#include <QLocale>
#include <QRegularExpression>

namespace award {
namespace {

// The first line break's kind stands for the whole file.
QString LineEndOf(const QString& text) {
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    return kLineEnd.match(text).captured();
}

// The banner's bytes in form: one phrase a line when the form says so, the
// text after the last space as a last line of its own, and no blank line
// for two spaces in a row. Nothing when a character has no code in the
// form's encoding.
std::optional<QByteArray> BannerFileBytes(const QString& banner, const BannerForm& form) {
    QString laidOut = banner;
    if (!form.lineEnd.isEmpty()) {
        QStringList phrases = banner.split(u' ');
        laidOut = phrases.takeLast();
        // Two spaces in a row, as when a name is added with a space first,
        // part no phrase; a blank line would be skipped on reading anyway.
        phrases.removeAll(QString());
        laidOut.prepend(phrases.join(form.lineEnd) + (phrases.isEmpty() ? QString() : form.lineEnd));
    }
    return EncodeText(laidOut, form.encoding, form.byteOrderMark);
}

}  // namespace

BannerText DecodeBannerText(const QByteArray& bytes) {
    if (bytes.size() > kMaxBannerFileBytes)
        return Refuse<BannerText>(Refusal::Kind::TooLarge,
                       QStringLiteral("檔案太大：橫幅文字檔最多 %1，這可能不是橫幅文字檔。")
                           .arg(QLocale::c().formattedDataSize(kMaxBannerFileBytes, 0)));
    const DecodedText decoded = DecodeText(bytes);
    if (decoded.refusal) return Refuse<BannerText>(decoded.refusal);
    BannerText result;
    result.form = {decoded.encoding, decoded.byteOrderMark, LineEndOf(decoded.text)};
    LineJoiner joiner;
    result.text = JoinLines(decoded.text, joiner);
    for (const QString& notice : {joiner.Notice(), PrivateUseNotice(decoded)})
        if (!notice.isEmpty()) result.notices << notice;
    return result;
}

BannerText ReadBannerFile(const QString& path) {
    const FileBytes file = ReadRegularFile(path, kMaxBannerFileBytes);
    if (file.refusal) return Refuse<BannerText>(file.refusal);
    return DecodeBannerText(file.bytes);
}

Refusal SaveBannerFile(const QString& path, const QString& banner, const BannerForm& form) {
    const auto bytes = BannerFileBytes(banner, form);
    if (!bytes)
        return {0,
                QStringLiteral("沒有儲存：「%1」沒有 %2 編碼。")
                    .arg(CharactersWithoutCode(banner, form.encoding), EncodingName(form.encoding)),
                Refusal::Kind::UnknownEncoding};
    return WriteAtomically(path, *bytes);
}

QString DescribeForm(const BannerForm& form) {
    const QString encoding = EncodingName(form.encoding);
    if (form.lineEnd.isEmpty()) return encoding;
    const QString lineEnd = form.lineEnd == QStringLiteral("\r\n") ? QStringLiteral("CR LF")
                            : form.lineEnd == QStringLiteral("\n") ? QStringLiteral("LF")
                                                                   : QStringLiteral("CR");
    return QStringLiteral("%1，一行一句，%2 換行").arg(encoding, lineEnd);
}

}  // namespace award
