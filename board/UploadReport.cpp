#include "board/UploadReport.h"

#include "sign/FigureWords.h"

#include <QRegularExpression>
#include <QStringList>

#include <cerrno>
#include <cstring>

namespace award {
namespace {

// avrdude's bars are fifty marks long.
int BarPercent(const QString& output, QLatin1String bar) {
    const qsizetype start = output.lastIndexOf(bar);
    if (start < 0) return 0;
    const qsizetype end = output.indexOf(u'|', start + bar.size());
    const QStringView marks = QStringView(output).mid(start + bar.size(), end < 0 ? -1 : end - start - bar.size());
    return int(marks.count(u'#')) * 2;
}

// "115200 baud", "115200 和 57600 baud".
QString Bauds(const QList<int>& bauds) {
    QStringList numbers;
    for (const int baud : bauds) numbers << QString::number(baud);
    return numbers.join(QStringLiteral(" 和 ")) + QStringLiteral(" baud");
}

}  // namespace

UploadProgress ProgressOf(const QString& avrdudeOutput) {
    if (avrdudeOutput.contains(QLatin1String("verifying flash")))
        return {UploadProgress::Stage::Verify, BarPercent(avrdudeOutput, QLatin1String("Reading |"))};
    return {UploadProgress::Stage::Write, BarPercent(avrdudeOutput, QLatin1String("Writing |"))};
}

bool PortOpenFailed(const QString& avrdudeOutput) {
    // Only once the line is whole: its end says why.
    static const QRegularExpression kFailedOpen(QStringLiteral("cannot open port [^\n]*\n"));
    return avrdudeOutput.contains(kFailedOpen);
}

bool BoardAnswered(const QString& avrdudeOutput) {
    return avrdudeOutput.contains(QLatin1String("AVR device initialized"));
}

std::optional<int> VerifiedBytes(const QString& avrdudeOutput) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(\\d+) bytes of flash verified")).match(avrdudeOutput);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt();
}

QString PortProblem(const QString& port, int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("序列埠 %1 不存在：請確認看板的 USB 線已接好，並選對序列埠").arg(port);
    case EACCES:
        return QStringLiteral("沒有使用序列埠 %1 的權限：請執行 sudo adduser $USER dialout 加入 dialout 群組，"
                              "登出再登入後重試")
            .arg(port);
    case EBUSY:
        return QStringLiteral("序列埠 %1 正被別的程式使用（例如序列埠監控視窗）：請關閉那個程式後重試").arg(port);
    default:
        return QStringLiteral("無法開啟序列埠 %1（%2）：請確認看板已接上，或選擇別的序列埠")
            .arg(port, QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString NotASerialPort(const QString& port, BoardKind board) {
#ifdef Q_OS_WIN
    Q_UNUSED(board);
    const QString example = QStringLiteral("COM3");
#else
    // A genuine board's USB chip makes an ACM port; the chips of clone Unos and
    // of Nanos make USB ones.
    const QString example = board == BoardKind::Uno ? QStringLiteral("/dev/ttyACM0 或 /dev/ttyUSB0")
                                                    : QStringLiteral("/dev/ttyACM0");
#endif
    return QStringLiteral("%1 不是序列埠（不是字元裝置）：請選擇看板的序列埠，例如 %2").arg(port, example);
}

QString NotAFileForHex(const QString& path) {
    return QStringLiteral("無法寫出 %1：它不是一般檔案（是資料夾或裝置），請指定一般檔案").arg(path);
}

QString NoBoardOnPort(const QString& port, int seconds, BoardKind board, const QList<int>& bauds) {
    const QString tried = bauds.size() > 1 ? QStringLiteral("試了 %1，").arg(Bauds(bauds)) : QString();
    return QStringLiteral("序列埠 %1 上沒有看板：%3等了 %2 秒都沒有回應。請用 USB 線接上看板，"
                          "再從 看板 ▸ 序列埠 選擇標著 %4 的那一個")
        .arg(port)
        .arg(seconds)
        .arg(tried, ModelOf(board).name);
}

QString BoardThatAnswered(const BootloaderSpeed& speed, const QList<int>& unanswered) {
    if (speed.answers.isEmpty()) return {};
    if (unanswered.isEmpty()) return QStringLiteral("回應的是 %1，%2 baud").arg(speed.answers).arg(speed.baud);
    return QStringLiteral("%1 沒有回應，改用 %2 baud：回應的是 %3").arg(Bauds(unanswered)).arg(speed.baud).arg(speed.answers);
}

QString TooBigForBootloader(const BootloaderSpeed& speed, int programBytes, const QList<int>& unanswered) {
    return QStringLiteral("%1 沒有回應；看板若是 %3 baud 的 %2，只放得下 %4 位元組，這個程式有 %5 位元組，"
                          "所以不上傳：請減少句數")
        .arg(Bauds(unanswered), speed.answers)
        .arg(speed.baud)
        .arg(Thousands(speed.programBytes), Thousands(programBytes));
}

QString ConnectionLost(const QString& port) {
    return QStringLiteral("和看板的連線中斷了（序列埠 %1 沒有回應）：看板上的程式可能不完整。"
                          "請檢查 USB 線，接好後再上傳一次")
        .arg(port);
}

QString UploadProblem(const QString& avrdudeOutput, const QString& port, BoardKind board) {
    const BoardModel& model = ModelOf(board);
    const QRegularExpressionMatch open =
        QRegularExpression(QStringLiteral("cannot open port .*: (.*)$"), QRegularExpression::MultilineOption)
            .match(avrdudeOutput);
    if (open.hasMatch()) {
        const QString reason = open.captured(1).trimmed();
        // avrdude runs in the C locale, whatever this program's locale is.
        static constexpr struct {
            const char* words;
            int error;
        } kReasons[] = {{"No such file or directory", ENOENT}, {"Permission denied", EACCES},
                        {"Device or resource busy", EBUSY}};
        for (const auto& [words, error] : kReasons)
            if (reason == QLatin1String(words)) return PortProblem(port, error);
        return QStringLiteral("無法開啟序列埠 %1（%2）：請確認看板已接上，或選擇別的序列埠").arg(port, reason);
    }
    if (avrdudeOutput.contains(QLatin1String("verification error")) ||
        avrdudeOutput.contains(QLatin1String("mismatch")))
        return QStringLiteral("驗證失敗：看板上讀回的程式和寫入的不一樣。請再上傳一次；一再失敗時請換一條 USB 線");
    if (avrdudeOutput.contains(QLatin1String("expected signature")))
        return QStringLiteral("序列埠 %1 上的板子不是 %2（晶片不是 %3）：請接上 %2 再試").arg(port, model.name, model.chip);
    if (avrdudeOutput.contains(QLatin1String("timeout")) || avrdudeOutput.contains(QLatin1String("not responding")) ||
        avrdudeOutput.contains(QLatin1String("not in sync")) ||
        avrdudeOutput.contains(QLatin1String("unable to open programmer")))
        return QStringLiteral("看板沒有回應：請確認序列埠 %1 接的是這塊看板、板子是 %2、"
                              "USB 線接好，再試一次")
            .arg(port, model.name);
    const QRegularExpressionMatch error =
        QRegularExpression(QStringLiteral("^avrdude.*error.*$"), QRegularExpression::MultilineOption)
            .match(avrdudeOutput);
    return QStringLiteral("上傳失敗：%1").arg(error.hasMatch() ? error.captured(0) : avrdudeOutput.trimmed().right(200));
}

}  // namespace award
