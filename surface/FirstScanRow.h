#pragma once

namespace award {

// The surface row that becomes the sign's top row, bit 0 of a column word, as
// the two run buttons choose it: row 3 takes every stroke of a 12-point
// character; row 1 shows the same characters two rows lower, cut at the
// bottom.
enum class FirstScanRow { Row1 = 1, Row3 = 3 };

inline constexpr int SurfaceRow(FirstScanRow row) { return static_cast<int>(row); }

}  // namespace award
