#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "files/LineJoiner.h"
#include "files/SketchFolder.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace award {
namespace {

using Refusal = BannerText::Refusal;

QByteArray Big5(const QString& text) { return QStringEncoder("Big5").encode(text); }

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FileRow {
    const char* what;
    QByteArray bytes;
    QString text;
    Refusal refusal = Refusal::None;
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
        {"UTF-8", utf8, list, Refusal::None, crlf},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, list, Refusal::None, crlf},
        {"UTF-16LE with BOM", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(lines), list,
         Refusal::None, crlf, TextEncoding::Utf16LE},
        {"Big5 award list", big5, list, Refusal::None, crlf, TextEncoding::Big5},
        {"Big5 that is also valid UTF-8", Big5(QStringLiteral("翻譯 ")), QStringLiteral("翻譯 "), Refusal::None, {},
         TextEncoding::Big5},
        {"UTF-8 that is also valid Big5", QStringLiteral("丁帆 ").toUtf8(), QStringLiteral("丁帆 ")},
        {"Big5 user-defined character", Big5(QStringLiteral("林")) + "\xFA\x40 ", QStringLiteral("林\uE000 "),
         Refusal::None, {}, TextEncoding::Big5, QStringLiteral("FA40")},
        {"Big5 cut inside a character", big5.chopped(3), {}, Refusal::UnknownEncoding},
        {"Big5 byte FF", Big5(QStringLiteral("林")) + "\xFF ", {}, Refusal::UnknownEncoding},
        {"UTF-16 of odd length", QByteArray::fromHex("fffe6d6041"), {}, Refusal::UnknownEncoding},
        {"UTF-16 lone surrogate", QByteArray::fromHex("fffe6d600a009c552000" "00d8"), {}, Refusal::UnknownEncoding},
        {"UTF-32 surrogates", QByteArray::fromHex("fffe0000" "00d80000" "00dc0000"), {}, Refusal::UnknownEncoding},
        {"UTF-32 past U+10FFFF", QByteArray::fromHex("fffe0000" "00001100"), {}, Refusal::UnknownEncoding},
        {"Latin-1", "caf\xE9 na\xEFve ", {}, Refusal::UnknownEncoding},
        {"NUL bytes", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"), {}, Refusal::NotText},
        {"control characters", "\x1b[31m\xe8\xb3\x80 ", {}, Refusal::NotText},
        {"1 MiB", QByteArray(1 << 20, ' '), QString(1 << 20, u' ')},
        {"1 MiB and a byte", QByteArray((1 << 20) + 1, ' '), {}, Refusal::TooLarge},
    };
    QTemporaryDir dir;
    for (const FileRow& row : rows) {
        SCOPED_TRACE(row.what);
        const QString path = dir.filePath(QString::fromUtf8(row.what));
        ASSERT_FALSE(WriteAtomically(path, row.bytes));
        const BannerText read = ReadBannerFile(path);
        EXPECT_EQ(read.refusal, row.refusal);
        EXPECT_EQ(read.why.isEmpty(), row.refusal == Refusal::None);
        EXPECT_EQ(read.text, row.text);
        if (row.refusal != Refusal::None) continue;
        EXPECT_EQ(read.form.lineEnd, row.lineEnd);
        EXPECT_EQ(read.form.encoding, row.encoding);
        EXPECT_EQ(read.notices.join(u' ').contains(row.noticed), true) << read.notices.join(u' ').toStdString();
    }
}

// Lines and tabs end phrases, wherever a reader's pieces cut the text.
TEST(BannerFile, ListsBecomePhrasesWithTheLastLineCounted) {
    const struct {
        const char* what;
        QString file;
        QString banner;
        const char* noticed;
    } rows[] = {
        {"last line without a break", QStringLiteral("王小明\n陳志豪"), QStringLiteral("王小明 陳志豪 "), "每行"},
        {"last line with a break", QStringLiteral("王小明\n陳志豪\n"), QStringLiteral("王小明 陳志豪 "), "每行"},
        {"CR LF", QStringLiteral("恭喜\r\n賀\r\n"), QStringLiteral("恭喜 賀 "), "每行"},
        {"CR", QStringLiteral("恭喜\r賀"), QStringLiteral("恭喜 賀 "), "每行"},
        {"tabs", QStringLiteral("王小明\t陳志豪\t林志遠"), QStringLiteral("王小明 陳志豪 林志遠 "), "Tab"},
        {"blank lines and spaces", QStringLiteral("\n\n 恭喜 \n\n\n 賀 \r\n\r\n"), QStringLiteral("恭喜 賀 "), "每行"},
        {"20,000 blank lines", QStringLiteral("恭喜") + QString(20000, u'\n') + QStringLiteral("賀"),
         QStringLiteral("恭喜 賀 "), "每行"},
        {"one line ends with its text", QStringLiteral("恭喜 賀"), QStringLiteral("恭喜 賀"), ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const BannerText read = DecodeBannerText(row.file.toUtf8());
        EXPECT_EQ(read.text, row.banner);
        EXPECT_TRUE(read.notices.join(u' ').contains(QString::fromUtf8(row.noticed)));
        for (qsizetype cut = 0; row.file.size() < 100 && cut <= row.file.size(); ++cut) {
            LineJoiner pieces;
            QString joined = pieces.Add(QStringView(row.file).first(cut));
            joined += pieces.Add(QStringView(row.file).sliced(cut));
            joined += pieces.Finish();
            ASSERT_EQ(joined, row.banner) << "cut at " << cut;
        }
    }
}

// Saving gives the file back in the form it came in.
TEST(BannerFile, SavesInTheFormItWasRead) {
    const QString edit = QStringLiteral("林志遠 ");
    const struct {
        const char* what;
        QByteArray file;
        QByteArray saved;  // after the edit
    } rows[] = {
        {"Big5 lines with CR LF", Big5(QStringLiteral("恭喜\r\n賀\r\n")), Big5(QStringLiteral("恭喜\r\n賀\r\n林志遠\r\n"))},
        {"UTF-8 lines with LF, last without a break", QStringLiteral("恭喜\n賀").toUtf8(),
         QStringLiteral("恭喜\n賀\n林志遠\n").toUtf8()},
        {"UTF-8 on one line", QStringLiteral("恭喜 賀 ").toUtf8(), QStringLiteral("恭喜 賀 林志遠 ").toUtf8()},
        {"UTF-16LE with BOM", QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(u"恭喜\n"),
         QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(u"恭喜\n林志遠\n")},
        {"Big5 user-defined character", Big5(QStringLiteral("林")) + "\xFA\x40\r\n",
         Big5(QStringLiteral("林")) + "\xFA\x40\r\n" + Big5(QStringLiteral("林志遠\r\n"))},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("名單.txt"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_FALSE(WriteAtomically(path, row.file));
        const BannerText read = ReadBannerFile(path);
        ASSERT_FALSE(SaveBannerFile(path, read.text + edit, read.form));
        EXPECT_EQ(Bytes(path), row.saved);
    }
    // A character with no Big5 code is never written as a question mark.
    ASSERT_FALSE(WriteAtomically(path, Big5(QStringLiteral("恭喜\r\n"))));
    const auto refused = SaveBannerFile(path, QStringLiteral("恭喜 堃 "), ReadBannerFile(path).form);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(u'堃'));
    EXPECT_EQ(Bytes(path), Big5(QStringLiteral("恭喜\r\n")));
}

// On a disk that fills up, as RLIMIT_FSIZE makes one: in a child, so that
// the limit holds no other test.
TEST(AtomicFile, AFullDiskKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString sketchFolder = dir.filePath(QStringLiteral("banner"));
    const QString sketch = QDir(sketchFolder).filePath(QStringLiteral("banner.ino"));
    const QString banner = dir.filePath(QStringLiteral("banner.txt"));
    const QString big = QString(3000, u'賀');  // well under Qt's 16 KiB buffer
    const struct {
        const char* what;
        QString path;
        std::function<std::optional<QString>()> write;
    } rows[] = {
        {"save", banner, [&] { return SaveBannerFile(banner, big); }},
        {"save as Big5 lines", banner,
         [&] { return SaveBannerFile(banner, big + u' ', {TextEncoding::Big5, false, QStringLiteral("\r\n")}); }},
        {"export", sketch, [&] {
             const ExportResult result = ExportSketch(PlaceSketch(sketch), big, [](const QString&) { return true; });
             return result.outcome == ExportOutcome::Written ? std::nullopt : std::optional(result.why);
         }},
    };
    ASSERT_TRUE(QDir().mkpath(sketchFolder));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_FALSE(WriteAtomically(row.path, "old text\n"));
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit full{4096, 4096};
            const auto why = setrlimit(RLIMIT_FSIZE, &full) == 0 ? row.write() : std::optional(QStringLiteral("?"));
            const QByteArray said = why.value_or(QString()).toUtf8();
            _exit(write(report[1], said.constData(), static_cast<size_t>(said.size())) == said.size() ? 0 : 1);
        }
        close(report[1]);
        char said[4096];
        const ssize_t length = read(report[0], said, sizeof said);
        close(report[0]);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_GT(length, 1) << "nothing told the user";
        EXPECT_EQ(Bytes(row.path), "old text\n");
        EXPECT_EQ(QDir(QFileInfo(row.path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

// A pipe or a device is neither read, which would wait for a writer, nor
// replaced by a file.
TEST(AtomicFile, OnlyRegularFilesAreReadOrReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        const char* what;
        QString path;
        mode_t type;
    } rows[] = {
        {"FIFO", fifo, S_IFIFO},
        {"character device", QStringLiteral("/dev/null"), S_IFCHR},
        {"directory", dir.path(), S_IFDIR},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const BannerText read = ReadBannerFile(row.path);
        EXPECT_EQ(read.refusal, Refusal::NotAFile);
        EXPECT_TRUE(read.why.contains(row.path));
        const auto refused = WriteAtomically(row.path, "恭喜 ");
        ASSERT_TRUE(refused);
        EXPECT_TRUE(refused->contains(row.path));
        struct stat after {};
        ASSERT_EQ(stat(QFile::encodeName(row.path).constData(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, row.type);
    }
}

}  // namespace
}  // namespace award
