#include "files/BannerFile.h"

#include "files/AtomicFile.h"

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

// Stateless, so that a sequence cut off at the end of the file counts as an
// error instead of waiting for bytes that never come.
std::optional<QString> Decoded(QStringDecoder decoder, const QByteArray& bytes) {
    if (!decoder.isValid()) return std::nullopt;
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

bool HasControlCharacters(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control && c != u'\t' && c != u'\r' && c != u'\n';
    });
}

QString NotTextReason() {
    return QStringLiteral("這不是文字檔（裡面有控制字元），可能是圖片、文件或程式。"
                          "請把橫幅文字存成純文字檔（.txt）再開啟。");
}

}  // namespace

BannerText DecodeBannerText(const QByteArray& bytes) {
    if (bytes.size() > kMaxBannerFileBytes) {
        return Refused(Refusal::TooLarge,
                       QStringLiteral("檔案太大：橫幅文字檔最多 %1，這可能不是橫幅文字檔。")
                           .arg(QLocale::c().formattedDataSize(kMaxBannerFileBytes, 0)));
    }
    constexpr auto kStateless = QStringConverter::Flag::Stateless;
    BannerText result;
    std::optional<QString> text;
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        result.encoding = QString::fromLatin1(QStringConverter::nameForEncoding(*marked));
        text = Decoded(QStringDecoder(*marked, kStateless), bytes);
    } else if (bytes.contains('\0')) {
        return Refused(Refusal::NotText, NotTextReason());
    } else if ((text = Decoded(QStringDecoder(QStringConverter::Utf8, kStateless), bytes))) {
        result.encoding = QStringLiteral("UTF-8");
    } else {
        result.encoding = QStringLiteral("Big5");
        text = Decoded(QStringDecoder("Big5", kStateless), bytes);
    }
    if (!text) {
        const QString what = QStringDecoder("Big5").isValid()
                                 ? QStringLiteral("看不懂這個檔案的編碼：它不是 UTF-8、UTF-16，也不是 Big5。")
                                 : QStringLiteral("這個檔案不是 UTF-8 或 UTF-16，而這台電腦無法解讀 Big5。");
        return Refused(Refusal::UnknownEncoding,
                       what + QStringLiteral("請用記事本「另存新檔」，編碼選 UTF-8，再開啟。"));
    }
    if (HasControlCharacters(*text)) return Refused(Refusal::NotText, NotTextReason());

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
