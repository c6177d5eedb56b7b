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
    int rank;
};

void PrintTo(const PortRow& row, std::ostream* os) {
    *os << row.name;
}

class PortRanking : public testing::TestWithParam<PortRow> {};

// A built-in serial port comes after every USB device, and only a Mega is
// marked as the board.
TEST_P(PortRanking, PutsTheBoardFirstThenCloneBridgesAndMarksTheMega) {
    EXPECT_EQ(PortRank(GetParam().usb), GetParam().rank);
    const QString label = PortLabel(DescribePort(QStringLiteral("/dev/ttyX"), {}, GetParam().usb));
    EXPECT_EQ(label.contains(QStringLiteral("Mega 2560")), GetParam().rank == 0) << label.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Usb, PortRanking,
                         testing::Values(PortRow{"ArduinoMega2560", UsbId{0x2341, 0x0010}, 0},
                                         PortRow{"ArduinoMega2560R3", UsbId{0x2341, 0x0042}, 0},
                                         PortRow{"ArduinoOrgMega2560", UsbId{0x2A03, 0x0042}, 0},
                                         PortRow{"Ch340Clone", UsbId{0x1A86, 0x7523}, 1},
                                         PortRow{"Ft232Clone", UsbId{0x0403, 0x6001}, 1},
                                         PortRow{"Cp2102Clone", UsbId{0x10C4, 0xEA60}, 1},
                                         PortRow{"ArduinoUnoIsNoMega", UsbId{0x2341, 0x0043}, 2},
                                         PortRow{"MegaProductUnderABridgesVendor", UsbId{0x1A86, 0x0042}, 2},
                                         PortRow{"NoUsbIds", std::nullopt, 3}),
                         [](const testing::TestParamInfo<PortRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
