#include "cli/CommandHelp.h"

#include "cli/ExitStatus.h"
#include "files/BannerFile.h"
#include "notices/CapacityWords.h"
#include "sign/SignTargetNames.h"
#include "sketch/EngineSketchReading.h"
#include "surface/FaceResolver.h"

#include <QLocale>

namespace award {
namespace {

// What each sign and board holds, a line each; the school's sign dimmed plays
// its phrases through the engine, which holds fewer.
QString Capacities() {
    QString lines = QStringLiteral("各種看板和控制板最多放得下：\n");
    const auto line = [&](const QString& what, const SignTarget& target) {
        lines += QStringLiteral("  %1：\n      %2 句、跑馬燈 %3 欄（約 %4 個中文字）、節目 %5 位元組\n")
                     .arg(what, FlashPhrasesInWords(target), MarqueeColumnsInWords(target),
                          MarqueeCharactersInWords(target), ProgramBytesInWords(target.board));
    };
    for (const SignTarget& target : kSignsAndBoards) {
        const QString what = (target.sign == SignKind::School ? QStringLiteral("學校看板") : QStringLiteral("P10 面板")) +
                             QStringLiteral("、") + BoardName(target.board);
        line(what, target);
        if (target.sign == SignKind::School)
            line(what + QStringLiteral("、亮度不到 %1").arg(int{SIGN_BRIGHTEST}), {target.sign, target.board, 1});
    }
    return lines + QStringLiteral("\n");
}

}  // namespace

QString CommandHelp() {
    using namespace exit_status;
    return QStringLiteral(
               "用法：award-banner-sketch [--font 字型] [--bold] [--italic] [--first-row 1|3]\n"
               "                          [--marquee [--speed slow|medium|fast]]\n"
               "                          [--sign ports|p10] [--board mega2560|uno] [--brightness 1-8]\n"
               "                          [--upload 序列埠 | --hex 檔案] [橫幅文字檔]\n"
               "\n"
               "從橫幅文字檔或標準輸入讀入橫幅文字（UTF-8、UTF-16 或 Big5，和視窗開啟的檔案一樣），\n"
               "在標準輸出寫出驅動 64 × 16 LED 看板的 Arduino 程式（UTF-8，CR LF 換行），和\n"
               "award-banner 視窗執行後顯示的程式一字不差。預設是 Arduino Mega 2560 驅動的學校看板。\n"
               "\n"
               "每句最多 4 個中文字，後面加 1 個空白；換行和 Tab 也會結束一句。最後一個空白後面\n"
               "的文字不會轉換。學校看板在最亮時 %1 句以內畫面表放在看板的 SRAM；%2 句以內放在\n"
               "flash，標準錯誤會說明。句數再多，看板就放不下。\n"
               "\n"
               "選項：\n"
               "  --font 字型        %3（預設）或 %4\n"
               "  --bold             粗體\n"
               "  --italic           斜體\n"
               "  --first-row 1|3    哪一列成為看板最上面一列：3（預設）是「電腦未安裝VB6」的\n"
               "                     執行按鈕，1 是「電腦已經安裝VB6」的執行按鈕\n"
               "  --marquee          跑馬燈：整段文字當成一行捲過看板，空白成為間隔，換行當成\n"
               "                     空白，沒有每句 4 個字的限制（最多 %5 欄，約 %6 個中文字）\n"
               "  --speed 速度       跑馬燈的速度：slow（每秒約 %7 個字）、medium（預設，%8）\n"
               "                     或 fast（%9）\n"
               "  --sign 看板        ports（預設）：學校看板（Mega 2560 的埠 C、F、K）；\n"
               "                     p10：P10 面板兩片（HUB12）\n"
               "  --board 控制板     mega2560（預設）：Arduino Mega 2560；uno：Arduino Uno / Nano，\n"
               "                     只能配 --sign p10\n"
               "  --brightness 亮度  1 到 8，8（預設）最亮；數字越小，每顆 LED 亮的時間越短，\n"
               "                     畫面和時間都不變\n"
               "  --upload 序列埠    把看板映像經由序列埠（例如 /dev/ttyACM0）上傳到看板，\n"
               "                     不必編譯；進度寫在標準錯誤\n"
               "  --hex 檔案         把看板映像以 Intel HEX 格式寫到一般檔案，不上傳\n"
               "  -h, --help         顯示這段說明\n"
               "\n"
               "--upload 需要 Debian 套件 avrdude；--hex 不需要別的工具。這時標準輸出不寫任何\n"
               "東西。\n"
               "\n")
               .arg(SramPhrasesInWords(), FlashPhrasesInWords(), kMingFaceName, kKaiFaceName,
                    MarqueeColumnsInWords(), MarqueeCharactersInWords(), CharactersPerSecondInWords(MarqueeSpeed::Slow),
                    CharactersPerSecondInWords(MarqueeSpeed::Medium), CharactersPerSecondInWords(MarqueeSpeed::Fast)) +
           Capacities() +
           QStringLiteral(
               "結束狀態：\n"
               "  %1  完成：程式已寫出；用 --upload 時 avrdude 已驗證看板的 flash；用 --hex 時\n"
               "     HEX 檔已寫出\n"
               "  %2  無法讀取橫幅文字檔或標準輸入、無法寫出程式或 HEX 檔、無法準備編譯用的資料夾，\n"
               "     或記憶體不足\n"
               "  %3  選項有誤（包括同時用 --upload 和 --hex、同一個選項用兩次、--board uno 配學校\n"
               "     看板），或輸入不是文字\n"
               "  %4  句數或跑馬燈長度超過所選控制板放得下的，或輸入超過 %7；用 --upload\n"
               "     或 --hex 時，也可能是程式無法編譯或放不進看板\n"
               "  %5  上傳失敗：序列埠不存在、不是字元裝置、沒有權限、正被使用、看板沒有回應或\n"
               "     驗證失敗\n"
               "  %6  沒有安裝 Arduino 工具\n"
               "結束狀態不是 %1 時，標準錯誤會說明原因，標準輸出不寫任何東西（除非寫到一半就\n"
               "失敗）。\n")
               .arg(kDone)
               .arg(kCannotReadOrWrite)
               .arg(kBadUsage)
               .arg(kDoesNotFit)
               .arg(kUploadFailed)
               .arg(kToolsMissing)
               .arg(QLocale::c().formattedDataSize(kMaxBannerFileBytes, 0));
}

}  // namespace award
