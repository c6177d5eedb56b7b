// A character whose bytes arrive in different reads is still one character,
// and bytes that are no UTF-8 are refused wherever the reads cut them.

#include "cli/BannerInput.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

namespace award {
namespace {

// Each piece arrives in a read of its own: a packet socket keeps them apart.
int Delivered(const std::vector<std::string>& pieces) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) != 0) return -1;
    for (const std::string& piece : pieces)
        if (send(ends[1], piece.data(), piece.size(), 0) != ssize_t(piece.size())) return -1;
    close(ends[1]);
    return ends[0];
}

// The text cut into pieces of `size` bytes.
std::vector<std::string> Cut(const std::string& text, std::size_t size) {
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < text.size(); at += size) pieces.push_back(text.substr(at, size));
    return pieces;
}

struct Arrival {
    const char* name;
    std::vector<std::string> pieces;
    bool utf8;
    std::vector<QString> phrases;
    QString tail;
};

void PrintTo(const Arrival& row, std::ostream* os) {
    *os << row.name;
}

class SplitInput : public testing::TestWithParam<Arrival> {};

TEST_P(SplitInput, ReadsWholeCharactersOrRefuses) {
    const Arrival& row = GetParam();
    const int fd = Delivered(row.pieces);
    ASSERT_GE(fd, 0);
    const BannerInput input = ReadBanner(fd, 100);
    close(fd);
    ASSERT_EQ(input.status, row.utf8 ? BannerInput::Status::Ok : BannerInput::Status::NotUtf8);
    if (!row.utf8) return;
    EXPECT_EQ(input.phrases, row.phrases);
    EXPECT_EQ(input.tail, row.tail);
}

const std::string kBanner = "恭喜 林志遠 賀𠀋";  // a four-byte character last

INSTANTIATE_TEST_SUITE_P(
    Reads, SplitInput,
    testing::Values(Arrival{"AllAtOnce", {kBanner}, true, {"恭喜", "林志遠"}, "賀𠀋"},
                    Arrival{"EveryByteItsOwnRead", Cut(kBanner, 1), true, {"恭喜", "林志遠"}, "賀𠀋"},
                    Arrival{"TwoBytesARead", Cut(kBanner, 2), true, {"恭喜", "林志遠"}, "賀𠀋"},
                    Arrival{"FourByteCharacterCutAfterThree", {"賀\xF0\xA0\x80", "\x8B "}, true, {"賀𠀋"}, ""},
                    Arrival{"SequenceLeftOpenAtTheEnd", {"賀 ", "\xE6\x81"}, false, {}, ""},
                    Arrival{"ContinuationByteAlone", {"賀 ", "\x80", "喜 "}, false, {}, ""},
                    Arrival{"LeadByteThenAscii",
                            Cut("賀 \xE6"
                                "a ",
                                1),
                            false,
                            {},
                            ""}),
    [](const testing::TestParamInfo<Arrival>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
