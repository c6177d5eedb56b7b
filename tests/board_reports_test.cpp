// What the window and the command tell the user about a compile or an upload,
// read from the tools' own words: each row is one thing that goes wrong.

#include "board/CompileReport.h"
#include "board/SerialPorts.h"
#include "board/UploadReport.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace award {
namespace {

struct ToolSays {
    const char* name;
    const char* output;
    const char* told;  // a piece of what the user is told
};

void PrintTo(const ToolSays& row, std::ostream* os) {
    *os << row.name;
}
std::string RowName(const testing::TestParamInfo<ToolSays>& row) {
    return row.param.name;
}

class UploadFailure : public testing::TestWithParam<ToolSays> {};

TEST_P(UploadFailure, SaysWhyAndWhatToDo) {
    const QString port = QStringLiteral("/dev/ttyACM7");
    const QString problem = UploadProblem(QString::fromUtf8(GetParam().output), port);
    EXPECT_TRUE(problem.contains(QString::fromUtf8(GetParam().told))) << problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Avrdude, UploadFailure,
    testing::Values(
        ToolSays{"NoSuchPort", "avrdude: ser_open(): cannot open port /dev/ttyACM7: No such file or directory\n",
                 "序列埠 /dev/ttyACM7 不存在"},
        ToolSays{"NotInDialout", "avrdude: ser_open(): cannot open port /dev/ttyACM7: Permission denied\n",
                 "sudo adduser $USER dialout"},
        ToolSays{"PortBusy", "avrdude: ser_open(): cannot open port /dev/ttyACM7: Device or resource busy\n",
                 "正被別的程式使用"},
        ToolSays{"PortFailsOtherwise", "avrdude: ser_open(): cannot open port /dev/ttyACM7: Input/output error\n",
                 "無法開啟序列埠 /dev/ttyACM7（Input/output error）"},
        ToolSays{"VerificationFails", "avrdude: verification error, first mismatch at byte 0x0000\n", "驗證失敗"},
        ToolSays{"AnotherChip", "avrdude: expected signature for ATmega2560 is 1E 98 01\n", "不是 Arduino Mega 2560"},
        ToolSays{"BoardSilent", "avrdude: stk500v2_ReceiveMessage(): timeout\n", "看板沒有回應"},
        ToolSays{"SomethingElse", "avrdude: writing flash\navrdude error: programmer went away\n",
                 "上傳失敗：avrdude error: programmer went away"}),
    RowName);

class CompileError : public testing::TestWithParam<ToolSays> {};

TEST_P(CompileError, NamesTheLineInPlainWords) {
    const QString output = QStringLiteral("/tmp/x/award_banner/award_banner.ino:12:7: ") +
                           QString::fromUtf8(GetParam().output) + QStringLiteral("\n   12 | ...\n");
    const CompileReport report = ReadCompileOutput(output, QStringLiteral("award_banner.ino"), false);
    EXPECT_FALSE(report.Uploadable());
    EXPECT_EQ(report.errorLine, 12);
    EXPECT_TRUE(report.problem.contains(QString::fromUtf8(GetParam().told))) << report.problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Compiler, CompileError,
    testing::Values(
        ToolSays{"Undeclared", "error: 'nun' was not declared in this scope", "「nun」沒有宣告過"},
        ToolSays{"UnknownType", "error: 'unsinged' does not name a type", "「unsinged」不是認得的型別"},
        ToolSays{"MissingPunctuation", "error: expected ';' before '}' token", "這裡少了「;」"},
        ToolSays{"FullWidthCharacter", "error: stray '\\357' in program", "全形標點或空白"},
        ToolSays{"RowTooLong", "error: too many initializers for 'unsigned int [65]'", "表格裡的數字比宣告的多"},
        ToolSays{"DefinedTwice", "error: redefinition of 'unsigned int num'", "「unsigned int num」重複定義"},
        ToolSays{"AnythingElse", "fatal error: Arduino.h: No such file or directory",
                 "編譯器的說明：Arduino.h: No such file or directory"}),
    RowName);

struct PortRow {
    const char* name;
    std::optional<UsbId> usb;
    BoardKind board;
    int rank;
    const char* mark;  // what the 序列埠 menu marks it with; empty for no mark
};

void PrintTo(const PortRow& row, std::ostream* os) {
    *os << row.name;
}

class PortRanking : public testing::TestWithParam<PortRow> {};

// A built-in serial port comes after every USB device; the board chosen
// comes first, marked as the board, and for the Uno the USB chips of clone
// Unos and of Nanos with it, marked as likely.
TEST_P(PortRanking, PutsTheBoardChosenFirstThenCloneBridges) {
    const PortRow& row = GetParam();
    EXPECT_EQ(PortRank(row.usb, row.board), row.rank);
    const QString label = PortLabel(DescribePort(QStringLiteral("/dev/ttyX"), {}, row.usb, row.board), row.board);
    const QString mark = QString::fromUtf8(row.mark);
    if (mark.isEmpty())
        EXPECT_FALSE(label.contains(u'←')) << label.toStdString();
    else
        EXPECT_TRUE(label.endsWith(mark)) << label.toStdString();
}

constexpr auto kMega = BoardKind::Mega2560;
constexpr auto kUno = BoardKind::Uno;

INSTANTIATE_TEST_SUITE_P(
    Usb, PortRanking,
    testing::Values(PortRow{"ArduinoMega2560", UsbId{0x2341, 0x0010}, kMega, 0, "← Arduino Mega 2560（看板）"},
                    PortRow{"ArduinoMega2560R3", UsbId{0x2341, 0x0042}, kMega, 0, "← Arduino Mega 2560（看板）"},
                    PortRow{"ArduinoOrgMega2560", UsbId{0x2A03, 0x0042}, kMega, 0, "← Arduino Mega 2560（看板）"},
                    PortRow{"Ch340Clone", UsbId{0x1A86, 0x7523}, kMega, 1, "← 可能是相容的看板"},
                    PortRow{"Ft232Clone", UsbId{0x0403, 0x6001}, kMega, 1, "← 可能是相容的看板"},
                    PortRow{"Cp2102Clone", UsbId{0x10C4, 0xEA60}, kMega, 1, "← 可能是相容的看板"},
                    PortRow{"ArduinoUnoIsNoMega", UsbId{0x2341, 0x0043}, kMega, 2, ""},
                    PortRow{"MegaProductUnderABridgesVendor", UsbId{0x1A86, 0x0042}, kMega, 2, ""},
                    PortRow{"NoUsbIds", std::nullopt, kMega, 3, ""},
                    PortRow{"UnoR3", UsbId{0x2341, 0x0043}, kUno, 0, "← Arduino Uno / Nano（看板）"},
                    PortRow{"ArduinoOrgUno", UsbId{0x2A03, 0x0043}, kUno, 0, "← Arduino Uno / Nano（看板）"},
                    PortRow{"Ch340UnoOrNano", UsbId{0x1A86, 0x7523}, kUno, 0, "← 可能是 Arduino Uno / Nano（相容板）"},
                    PortRow{"Ft232Nano", UsbId{0x0403, 0x6001}, kUno, 0, "← 可能是 Arduino Uno / Nano（相容板）"},
                    PortRow{"Cp2102ForTheUno", UsbId{0x10C4, 0xEA60}, kUno, 1, "← 可能是 Arduino Uno / Nano（相容板）"},
                    PortRow{"MegaIsNoUno", UsbId{0x2341, 0x0042}, kUno, 2, ""},
                    PortRow{"NoUsbIdsForTheUno", std::nullopt, kUno, 3, ""}),
    [](const testing::TestParamInfo<PortRow>& row) { return std::string(row.param.name); });

// An Uno's upload names the Uno and its chip where a Mega's names the Mega.
TEST_P(UploadFailure, NamesTheUnoWhereTheUnoWasChosen) {
    const QString problem = UploadProblem(QString::fromUtf8(GetParam().output), QStringLiteral("/dev/ttyUSB0"),
                                          BoardKind::Uno);
    EXPECT_FALSE(problem.contains(QStringLiteral("Mega"))) << problem.toStdString();
}

TEST(UnoUpload, AnotherChipIsNamedAsTheUnosOwn) {
    const QString problem =
        UploadProblem(QStringLiteral("avrdude: expected signature for ATmega328P is 1E 95 0F\n"),
                      QStringLiteral("/dev/ttyUSB0"), BoardKind::Uno);
    EXPECT_TRUE(problem.contains(QStringLiteral("不是 Arduino Uno / Nano（晶片不是 ATmega328P）"))) << problem.toStdString();
}

TEST(UnoUpload, OptibootOutOfSyncIsABoardThatDoesNotAnswer) {
    const QString problem = UploadProblem(QStringLiteral("avrdude warning: attempt 10 of 10: not in sync: resp=0x00\n"),
                                          QStringLiteral("/dev/ttyUSB0"), BoardKind::Uno);
    EXPECT_TRUE(problem.contains(QStringLiteral("看板沒有回應"))) << problem.toStdString();
}

struct CapacityRow {
    const char* name;
    BoardKind board;
    int programBytes;
    int sramBytes;
    const char* told;  // empty when it fits
};

void PrintTo(const CapacityRow& row, std::ostream* os) {
    *os << row.name;
}

class Capacity : public testing::TestWithParam<CapacityRow> {};

// What the compiler measured is held against the board the sketch was compiled for.
TEST_P(Capacity, IsTheBoardChosensOwn) {
    const CapacityRow& row = GetParam();
    const QString output = QStringLiteral("Sketch uses %1 bytes (1%) of program storage space.\n"
                                          "Global variables use %2 bytes (1%) of dynamic memory.\n")
                               .arg(row.programBytes)
                               .arg(row.sramBytes);
    const CompileReport report = ReadCompileOutput(output, QStringLiteral("banner.ino"), true, row.board);
    const QString told = QString::fromUtf8(row.told);
    EXPECT_EQ(report.Uploadable(), told.isEmpty()) << report.problem.toStdString();
    EXPECT_TRUE(report.problem.contains(told)) << report.problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Boards, Capacity,
    testing::Values(CapacityRow{"UnoSketchOnTheMega", kMega, 40000, 1800, ""},
                    CapacityRow{"ProgramOverTheUnos", kUno, 32257, 100, "Uno / Nano 只放得下 32,256 位元組"},
                    CapacityRow{"ProgramFillsTheUno", kUno, 32256, 100, ""},
                    CapacityRow{"VariablesLeaveTheUnoNoStack", kUno, 4000, 1600, "只剩 448 位元組給堆疊"},
                    CapacityRow{"MegaProgramOverItsOwn", kMega, 253953, 100, "Mega 2560 只放得下 253,952 位元組"}),
    [](const testing::TestParamInfo<CapacityRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
