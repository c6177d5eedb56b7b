#include "picture/PictureLeds.h"

#include "sign/SignGeometry.h"

#include <algorithm>
#include <array>

namespace award {
namespace {

constexpr int kMiddleGrey = 128;

// Each pixel of the rows, unpremultiplied, row by row.
template <class Visit>
void ForEachPixel(const QImage& rows, Visit visit) {
    const QImage argb = rows.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < std::min(argb.height(), kSignRows); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) visit(x, y, line[x]);
    }
}

// Pixels at least half opaque are seen; the others are the sign's dark ground.
bool Seen(QRgb pixel) { return qAlpha(pixel) >= 128; }

// The grey a pixel shows over the ground that is never lit: white, or black
// where 反相 lights the light pixels.
int GreyOverGround(QRgb pixel, bool inverted) {
    const int alpha = qAlpha(pixel);
    const int ground = inverted ? 0 : 255;
    return (qGray(pixel) * alpha + ground * (255 - alpha) + 127) / 255;
}

}  // namespace

int OtsuThreshold(const QImage& rows, bool inverted) {
    std::array<double, 256> histogram{};
    double count = 0;
    double sum = 0;
    ForEachPixel(rows, [&](int, int, QRgb pixel) {
        const int grey = GreyOverGround(pixel, inverted);
        ++histogram[std::size_t(grey)];
        ++count;
        sum += grey;
    });
    // The split k with the dark levels 0..k that maximises the variance
    // between the two classes. Empty levels between two classes give the
    // same variance exactly, so the threshold goes to the middle of the gap
    // and a moved threshold changes nothing until it nears a grey in use.
    double dark = 0;
    double darkSum = 0;
    double best = 0;
    int first = -1;
    int last = -1;
    for (int k = 0; k < 255; ++k) {
        dark += histogram[std::size_t(k)];
        darkSum += k * histogram[std::size_t(k)];
        const double light = count - dark;
        if (dark == 0 || light == 0) continue;
        const double apart = darkSum / dark - (sum - darkSum) / light;
        const double between = dark * light * apart * apart;
        if (between > best) {
            best = between;
            first = last = k;
        } else if (between == best) {
            last = k;
        }
    }
    return first < 0 ? kMiddleGrey : (first + last) / 2 + 1;
}

std::vector<std::uint16_t> PictureColumns(const ItemPicture& picture) {
    if (!picture.HasPicture()) return {};
    // The user's threshold, else the picture's own.
    const int threshold = picture.threshold ? std::clamp(*picture.threshold, kMinPictureThreshold, kMaxPictureThreshold)
                                            : OtsuThreshold(picture.rows, picture.inverted);
    std::vector<std::uint16_t> words(static_cast<std::size_t>(picture.rows.width()), 0);
    ForEachPixel(picture.rows, [&](int x, int y, QRgb pixel) {
        if (Seen(pixel) && (GreyOverGround(pixel, picture.inverted) < threshold) != picture.inverted)
            words[std::size_t(x)] |= static_cast<std::uint16_t>(1u << y);
    });
    return words;
}

}  // namespace award
