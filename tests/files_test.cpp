#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "files/Big5.h"
#include "files/LineJoiner.h"
#include "files/SketchFolder.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "RefusalKind.h"

#include <gtest/gtest.h>

namespace award {
namespace {

using Kind = Refusal::Kind;
using test::KindOf;

QByteArray Big5(const QString& text) { return big5::Encode(text).value_or(QByteArray()); }

struct FileRow {
    const char* what;
    QByteArray bytes;
    QString text;
    std::optional<Kind> refusal = std::nullopt;
    QString lineEnd = {};
    TextEncoding encoding = TextEncoding::Utf8;
    QString noticed = {};  // a word the notices must hold
};

TEST(BannerFile, ReadsEachEncodingAndRefusesWhatIsNoBanner) {
    const QString list = QStringLiteral("恭賀本校 資訊科 林志遠 同學 ");
    const QString lines = QStringLiteral("恭賀本校\r\n資訊科\n\n 林志遠 同學 \r");
    const QByteArray utf8 = lines.toUtf8();
    const QByteArray big5 = Big5(lines);
    const QString crlf = QStringLiteral("\r\n");
    const FileRow rows[] = {
        {"UTF-8", utf8, list, std::nullopt, crlf},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, list, std::nullopt, crlf},
        {"UTF-16LE with BOM", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(lines), list,
         std::nullopt, crlf, TextEncoding::Utf16LE},
        {"Big5 award list", big5, list, std::nullopt, crlf, TextEncoding::Big5},
        {"Big5 that is also valid UTF-8", Big5(QStringLiteral("翻譯 ")), QStringLiteral("翻譯 "), std::nullopt, {},
         TextEncoding::Big5},
        {"UTF-8 that is also valid Big5", QStringLiteral("資學 ").toUtf8(), QStringLiteral("資學 ")},
        {"Big5 user-defined character", Big5(QStringLiteral("林")) + "\xFA\x40 ", QStringLiteral("林\uE000 "),
         std::nullopt, {}, TextEncoding::Big5, QStringLiteral("FA40")},
        {"Big5 cut inside a character", big5.chopped(3), {}, Kind::UnknownEncoding},
        {"Big5 byte FF", Big5(QStringLiteral("林")) + "\xFF ", {}, Kind::UnknownEncoding},
        {"UTF-16 of odd length", QByteArray::fromHex("fffe6d6041"), {}, Kind::BrokenCharacters},
        {"UTF-16 lone surrogate", QByteArray::fromHex("fffe6d600a009c552000" "00d8"), {}, Kind::BrokenCharacters},
        {"UTF-32 surrogates", QByteArray::fromHex("fffe0000" "00d80000" "00dc0000"), {}, Kind::BrokenCharacters},
        {"UTF-32 past U+10FFFF", QByteArray::fromHex("fffe0000" "00001100"), {}, Kind::BrokenCharacters},
        {"last line without a break", QStringLiteral("王\n陳").toUtf8(), QStringLiteral("王 陳 "), std::nullopt,
         QStringLiteral("\n"), TextEncoding::Utf8, QStringLiteral("每行")},
        {"CR", QStringLiteral("恭喜\r賀").toUtf8(), QStringLiteral("恭喜 賀 "), std::nullopt, QStringLiteral("\r")},
        {"tabs", QStringLiteral("王\t陳\t林").toUtf8(), QStringLiteral("王 陳 林 "), std::nullopt, {}, TextEncoding::Utf8,
         QStringLiteral("Tab")},
        {"20,000 blank lines", "\xE6\x81\xAD" + QByteArray(20000, '\n') + "\xE5\x96\x9C", QStringLiteral("恭 喜 "),
         std::nullopt, QStringLiteral("\n")},
        {"one line ends with its text", QStringLiteral("恭喜 賀").toUtf8(), QStringLiteral("恭喜 賀")},
        {"Latin-1", "caf\xE9 na\xEFve ", {}, Kind::UnknownEncoding},
        {"NUL bytes", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"), {}, Kind::NotText},
        {"control characters", "\x1b[31m\xe8\xb3\x80 ", {}, Kind::NotText},
        {"1 MiB", QByteArray(1 << 20, ' '), QString(1 << 20, u' ')},
        {"1 MiB and a byte", QByteArray((1 << 20) + 1, ' '), {}, Kind::TooLarge},
    };
    QTemporaryDir dir;
    for (const FileRow& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = dir.filePath(QString::fromUtf8(row.what));
        ASSERT_FALSE(WriteAtomically(path, row.bytes));
        const BannerText read = ReadBannerFile(path);
        EXPECT_EQ(KindOf(read.refusal), row.refusal);
        EXPECT_EQ(read.refusal.why.isEmpty(), !row.refusal);
        EXPECT_EQ(read.text, row.text);
        if (row.refusal) continue;
        EXPECT_EQ(read.form.lineEnd, row.lineEnd);
        EXPECT_EQ(read.form.encoding, row.encoding);
        EXPECT_EQ(read.notices.join(u' ').contains(row.noticed), true) << read.notices.join(u' ').toStdString();
    }
}

// A stream cut anywhere, as a CR LF parted by two reads, joins as the whole.
TEST(BannerFile, ListsJoinAlikeWhereverTheReadsCut) {
    const QString text = QStringLiteral("\n\n 恭喜 \r\n\r\n 賀\t林 \r\n陳  志\r");
    LineJoiner whole;
    const QString joined = JoinLines(text, whole);
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        LineJoiner pieces;
        QString streamed = pieces.Add(QStringView(text).first(cut));
        streamed += pieces.Add(QStringView(text).sliced(cut));
        streamed += pieces.Finish();
        EXPECT_EQ(streamed, joined) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace award
