// A teacher's photo on the sign: a 2-megapixel JPEG, as a phone takes it,
// opened for a program item (read, scaled to the sign's rows and lit) and
// the item drawn with a text after it, as the 節目表 does on each choice.
// Items with pages and a scrolling item; the glyphs are drawn once before.

#include "files/PictureFile.h"
#include "program/ProgramConverter.h"
#include "surface/DrawingSurface.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

// 1,732 × 1,155 pixels: a lit, grainy ground brightening to the right with
// a dark subject, saved at the quality phones use.
QString WritePhoto(const QTemporaryDir& dir) {
    QImage photo(1732, 1155, QImage::Format_RGB32);
    std::mt19937 grain(2);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const bool subject = (x - 860) * (x - 860) + (y - 580) * (y - 580) < 400 * 400;
            const int grey = std::clamp((subject ? 50 : 150 + x / 20) + int(grain() % 31) - 15, 0, 255);
            line[x] = qRgb(grey, grey, std::clamp(grey + 20, 0, 255));
        }
    }
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    return writer.write(photo) ? path : QString();
}

void BM_OpenJpegAndDrawItem(benchmark::State& state) {
    const QTemporaryDir dir;
    const QString path = WritePhoto(dir);
    if (path.isEmpty()) {
        state.SkipWithError("the photo could not be written");
        return;
    }
    award::DrawingSurface surface;
    award::ProgramConverter converter(surface);
    award::ProgramItem item{QStringLiteral("恭喜本校榮獲全國第一名"), static_cast<award::ItemStyle>(state.range(0))};
    converter.ConvertProgram({item}, {});  // warm: fonts opened, glyphs cached
    for (auto _ : state) {
        const award::PictureRead read = award::ReadSignPicture(path);
        item.picture = {path, read.rows};
        benchmark::DoNotOptimize(converter.ConvertProgram({item}, {}).constData());
    }
    state.counters["picture_columns"] = item.picture.rows.width();
    state.counters["pages"] = static_cast<double>(converter.LastReport().pages);
    state.counters["refused"] = bool(converter.LastReport().refusal);
}
BENCHMARK(BM_OpenJpegAndDrawItem)
    ->Arg(static_cast<int>(award::ItemStyle::Static))
    ->Arg(static_cast<int>(award::ItemStyle::ScrollLeft))
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
