#include "files/AtomicFile.h"
#include "files/BannerFile.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace award {
namespace {

using Refusal = BannerText::Refusal;

struct FileRow {
    const char* what;
    QByteArray bytes;
    QString text;
    bool joined = false;
    Refusal refusal = Refusal::None;
};

TEST(BannerFile, ReadsEachEncodingAndRefusesWhatIsNoBanner) {
    const QString list = QStringLiteral("恭賀本校 資訊科 林志遠 同學 ");
    const QString lines = QStringLiteral("恭賀本校\r\n資訊科\n\n 林志遠 同學 \r");
    const QByteArray utf8 = lines.toUtf8();
    const QByteArray big5 = QByteArray::fromHex("aea5b650a5bbaed50d0ab8eab054acec0d0aaa4ca7d3bbb720a650bec70d0a");
    const FileRow rows[] = {
        {"UTF-8", utf8, list, true},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, list, true},
        {"UTF-16LE with BOM", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(lines), list, true},
        {"Big5 award list", big5, list, true},
        {"Big5 cut inside a character", big5.chopped(3), {}, false, Refusal::UnknownEncoding},
        {"Latin-1", "caf\xE9 na\xEFve ", {}, false, Refusal::UnknownEncoding},
        {"NUL bytes", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"), {}, false, Refusal::NotText},
        {"control characters", "\x1b[31m\xe8\xb3\x80 ", {}, false, Refusal::NotText},
        {"1 MiB", QByteArray(1 << 20, ' '), QString(1 << 20, u' ')},
        {"1 MiB and a byte", QByteArray((1 << 20) + 1, ' '), {}, false, Refusal::TooLarge},
    };
    QTemporaryDir dir;
    for (const FileRow& row : rows) {
        const QString path = dir.filePath(QString::fromUtf8(row.what));
        ASSERT_FALSE(WriteAtomically(path, row.bytes)) << row.what;
        const BannerText read = ReadBannerFile(path);
        EXPECT_EQ(read.refusal, row.refusal) << row.what;
        EXPECT_EQ(read.why.isEmpty(), row.refusal == Refusal::None) << row.what;
        EXPECT_EQ(read.text, row.text) << row.what;
        EXPECT_EQ(read.lineBreaksJoined, row.joined) << row.what;
    }
}

TEST(BannerFile, AFailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("banner.txt"));
    const QString old = QStringLiteral("恭喜 賀 ");
    ASSERT_FALSE(SaveBannerFile(path, old));
    // The disk fills up halfway through the new text. Unlike a read-only
    // folder, this stops root too.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{4096, limit.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const auto failure = SaveBannerFile(path, QString(1 << 16, u'賀'));
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    ASSERT_TRUE(failure);
    EXPECT_EQ(ReadBannerFile(path).text, old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("banner.txt")});
}

}  // namespace
}  // namespace award
