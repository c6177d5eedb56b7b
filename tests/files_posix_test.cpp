// What only a POSIX system can make: a disk that fills up, a pipe and a
// device where a file is looked for.
#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "files/SketchFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "RefusalKind.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>

namespace award {
namespace {

using Kind = Refusal::Kind;
using test::KindOf;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// On a disk that fills up, as RLIMIT_FSIZE makes one.
TEST(AtomicFile, AFullDiskKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString sketch = dir.filePath(QStringLiteral("banner/banner.ino"));
    const QString banner = dir.filePath(QStringLiteral("banner.txt"));
    const QString big = QString(3000, u'賀');  // well under Qt's 16 KiB buffer
    const struct {
        const char* what;
        QString path;
        std::function<Refusal()> write;
    } rows[] = {
        {"save", banner, [&] { return SaveBannerFile(banner, big); }},
        {"save as Big5 lines", banner,
         [&] { return SaveBannerFile(banner, big + u' ', {TextEncoding::Big5, false, QStringLiteral("\r\n")}); }},
        {"export", sketch, [&] {
             const ExportResult result = ExportSketch(PlaceSketch(sketch), big, [](const QString&) { return true; });
             return result.refusal;
         }},
    };
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("banner")));
    // Unlike a read-only folder, this stops root too.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{4096, limit.rlim_max};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_FALSE(WriteAtomically(row.path, "old text\n"));
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
        const auto failure = row.write();
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        EXPECT_TRUE(failure);
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
        EXPECT_EQ(KindOf(read.refusal), Kind::NotAFile);
        EXPECT_TRUE(read.refusal.why.contains(row.path));
        const auto refused = WriteAtomically(row.path, "恭喜 ");
        EXPECT_TRUE(refused && refused.why.contains(row.path));
        struct stat after {};
        ASSERT_EQ(stat(QFile::encodeName(row.path).constData(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, row.type);
    }
}

}  // namespace
}  // namespace award
