#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace award {

// A program item's picture, shown at the left of its text: the picture as
// the sign's rows and how its pixels become lit and dark LEDs.
struct ItemPicture {
    // The file it was read from, as an absolute path; empty for no picture.
    QString path;
    // The picture scaled to the sign's rows (SignRows), or a null image.
    QImage rows;
    // The grey level the user chose: pixels darker than it are lit. Nothing
    // leaves it to the picture (OtsuThreshold), also after the file changes.
    std::optional<int> threshold = std::nullopt;
    // Lights the pixels lighter than the threshold instead: a light logo on
    // a dark ground.
    bool inverted = false;

    bool HasPicture() const { return !rows.isNull(); }
    bool operator==(const ItemPicture&) const = default;
};

inline constexpr int kMinPictureThreshold = 1;
inline constexpr int kMaxPictureThreshold = 255;

}  // namespace award
