// The command's input: a character whose bytes arrive in different reads is
// still one character, bytes that are no text are refused wherever the reads
// cut them, and the board job's progress is shown a stage at a time.

#include "cli/StageProgress.h"
#include "files/BannerFile.h"
#include "files/RegularFile.h"

#include "RefusalKind.h"

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
    bool text;
    QString banner;
};

void PrintTo(const Arrival& row, std::ostream* os) { *os << row.name; }

class SplitInput : public testing::TestWithParam<Arrival> {};

TEST_P(SplitInput, ReadsWholeCharactersOrRefuses) {
    const Arrival& row = GetParam();
    const int fd = Delivered(row.pieces);
    ASSERT_GE(fd, 0);
    const FileBytes input = ReadUpTo(fd, kMaxBannerFileBytes);
    close(fd);
    ASSERT_FALSE(input.refusal);
    const BannerText banner = DecodeBannerText(input.bytes);
    ASSERT_EQ(!banner.refusal, row.text) << banner.refusal.why.toStdString();
    if (row.text) {
        EXPECT_EQ(banner.text, row.banner);
    }
}

const std::string kBanner = "恭喜 林志遠 賀𠀋";  // a four-byte character last

INSTANTIATE_TEST_SUITE_P(
    Reads, SplitInput,
    testing::Values(Arrival{"AllAtOnce", {kBanner}, true, "恭喜 林志遠 賀𠀋"},
                    Arrival{"EveryByteItsOwnRead", Cut(kBanner, 1), true, "恭喜 林志遠 賀𠀋"},
                    Arrival{"TwoBytesARead", Cut(kBanner, 2), true, "恭喜 林志遠 賀𠀋"},
                    Arrival{"FourByteCharacterCutAfterThree", {"賀\xF0\xA0\x80", "\x8B "}, true, "賀𠀋 "},
                    // 林志遠 in Big5, a line each, as the window opens it.
                    Arrival{"Big5Lines", Cut("\xAA\x4C\xA7\xD3\xBB\xB7\r\n\xB6\x50\r\n", 3), true, "林志遠 賀 "},
                    Arrival{"SequenceLeftOpenAtTheEnd", {"賀 ", "\xE6\x81"}, false, ""},
                    Arrival{"ContinuationByteAlone", {"賀 ", "\x80", "喜 "}, false, ""},
                    Arrival{"LeadByteThenAscii", Cut("賀 \xE6" "a ", 1), false, ""}),
    [](const testing::TestParamInfo<Arrival>& row) { return std::string(row.param.name); });

// Each stage ends at 100 % before the next begins, however the tool's last
// report was rounded, and nothing is said twice.
TEST(StageProgress, EachStageEndsAtAHundredPercent) {
    using Stage = BoardJob::Stage;
    StageProgress progress;
    QStringList lines;
    for (const auto& [stage, percent] : std::vector<std::pair<Stage, int>>{
             {Stage::Compile, -1}, {Stage::Compile, -1}, {Stage::Write, 0}, {Stage::Write, 30},
             {Stage::Write, 31}, {Stage::Write, 80}, {Stage::Verify, 0}, {Stage::Verify, 100}})
        lines << progress.Report(stage, percent);
    const QString write = BoardJob::StageName(Stage::Write);
    const QString verify = BoardJob::StageName(Stage::Verify);
    EXPECT_EQ(lines, (QStringList{BoardJob::StageName(Stage::Compile) + "…", write + " 0%", write + " 25%",
                                  write + " 75%", write + " 100%", verify + " 0%", verify + " 100%"}));
}

}  // namespace
}  // namespace award
