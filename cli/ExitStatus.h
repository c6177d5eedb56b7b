#pragma once

#include <array>
#include <string_view>

namespace award::exit_status {

// What the companion command's exit status tells a script. The README's table
// lists these names.
inline constexpr int kDone = 0;
inline constexpr int kCannotReadOrWrite = 1;
inline constexpr int kBadUsage = 2;
inline constexpr int kDoesNotFit = 3;
inline constexpr int kUploadFailed = 4;
inline constexpr int kToolsMissing = 5;

struct Named {
    std::string_view name;
    int status;
};

inline constexpr std::array<Named, 6> kAll{{
    {"kDone", kDone},
    {"kCannotReadOrWrite", kCannotReadOrWrite},
    {"kBadUsage", kBadUsage},
    {"kDoesNotFit", kDoesNotFit},
    {"kUploadFailed", kUploadFailed},
    {"kToolsMissing", kToolsMissing},
}};

}  // namespace award::exit_status
