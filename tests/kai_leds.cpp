// The sign's LEDs for a phrase in 標楷體, as text or as a picture of LED dots.
//
//   kai_leds TEXT                      rows of '#' (lit) and '.' (dark)
//   kai_leds --bold TEXT               the same in 標楷體 粗體
//   kai_leds TEXT BEFORE.txt OUT.png   a picture: BEFORE's rows above, today's below
//
// docs/kai_strokes.sh makes the README's picture with it.

#include "StrokeFigures.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

using award::test::LedGrid;

// LED pitch and dot size in the picture, in pixels.
constexpr int kPitch = 8;
constexpr int kDot = 6;

LedGrid FromText(const QByteArray& text) {
    LedGrid leds{};
    const QList<QByteArray> lines = text.split('\n');
    for (int y = 0; y < 16 && y < lines.size(); ++y)
        for (int x = 0; x < 64 && x < lines[y].size(); ++x)
            leds[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = lines[y][x] == '#';
    return leds;
}

void DrawLeds(QPainter& painter, const LedGrid& leds, int top) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool lit = leds[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            painter.setBrush(lit ? QColor(255, 48, 32) : QColor(60, 24, 24));
            painter.drawEllipse(kPitch + x * kPitch, top + y * kPitch, kDot, kDot);
        }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool bold = args.size() > 1 && args[1] == QStringLiteral("--bold");
    if (bold) args.removeAt(1);
    if (args.size() != 2 && args.size() != 4) {
        std::fprintf(stderr, "usage: kai_leds [--bold] TEXT [BEFORE.txt OUT.png]\n");
        return 2;
    }
    award::DrawingSurface surface;
    surface.SetStyle({award::kKaiFaceName, bold, false});
    const LedGrid now = award::test::ScanLeds(surface, args[1]);
    if (args.size() == 2) {
        for (const auto& row : now) {
            for (std::size_t x = 0; x < 64; ++x) std::putchar(row[x] ? '#' : '.');
            std::putchar('\n');
        }
        return 0;
    }
    QFile before(args[2]);
    if (!before.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[2]));
        return 1;
    }
    QImage picture(66 * kPitch, 2 * 17 * kPitch + kPitch, QImage::Format_RGB32);
    picture.fill(QColor(16, 16, 16));
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawLeds(painter, FromText(before.readAll()), kPitch);
    DrawLeds(painter, now, 18 * kPitch);
    painter.end();
    // A handful of colours: a small palette picture.
    if (!picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither).save(args[3])) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
