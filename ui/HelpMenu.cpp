#include "ui/HelpMenu.h"

#include "ui/Form1.h"
#include "ui/WiringDiagram.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QMenu>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace award {
namespace {

const QUrl kWiringPicture(QStringLiteral("wiring.png"));

QString P10WiringPage() {
    return QStringLiteral(
        "<p>這是 看板 ▸ 看板種類 選的「P10 面板兩片（HUB12）」的接法；選「學校看板」時，這裡說明學校看板的接法。</p>"
        "<h3>P10 面板兩片怎麼接到 Arduino</h3>"
        "<p>兩片 32 × 16 的 P10 單色面板左右並排，就是 64 × 16 的看板。"
        "面板背面的 HUB12 插座照下表接到 Arduino（和常見的 DMD 擴充板一樣）：</p>"
        "<table border='1' cellspacing='0' cellpadding='4'>"
        "<tr><th>HUB12 腳位</th><th>Arduino Uno / Nano</th><th>Arduino Mega 2560</th></tr>"
        "<tr><td>OE（開關顯示）</td><td>D9</td><td>D9</td></tr>"
        "<tr><td>A（選列）</td><td>D6</td><td>D6</td></tr>"
        "<tr><td>B（選列）</td><td>D7</td><td>D7</td></tr>"
        "<tr><td>CLK（時脈）</td><td>D13（SCK）</td><td>D52（SCK）</td></tr>"
        "<tr><td>SCLK（鎖存）</td><td>D8</td><td>D8</td></tr>"
        "<tr><td>R（資料）</td><td>D11（MOSI）</td><td>D51（MOSI）</td></tr>"
        "<tr><td>GND</td><td>GND</td><td>GND</td></tr>"
        "</table>"
        "<p>Uno / Nano 的 D10、Mega 的 D53 不要接別的東西：程式把它設成輸出，SPI 才會正常送資料。</p>"
        "<p><img src='wiring.png'></p>"
        "<p><b>排線接哪一片</b>：從正面看，Arduino 的排線接到<b>右邊</b>那片面板的輸入插座（IN）；"
        "右邊那片的輸出插座（OUT）再用面板附的短排線接到左邊那片的輸入插座。"
        "先送出的資料走得最遠，所以接反時左右兩半會對調。</p>"
        "<p><b>電源</b>：兩片 P10 面板要接<b>自己的 5 V 電源，至少 4 A</b>"
        "（全亮時每片可能用到 2 A 以上），用面板的電源端子接。"
        "<b>絕對不要從 Arduino 的 5V 腳供電</b>：那只能給幾百 mA，會燒壞 Arduino 或電腦的 USB 埠。"
        "電源的 GND 要和 Arduino 的 GND 接在一起。</p>"
        "<p>程式每 1.6 毫秒點亮兩片的四分之一列（第 1、5、9、13 列，再第 2、6、10、14 列……），"
        "四次輪完一個畫面，和學校看板掃瞄一次的 6.4 毫秒一樣長，所以每個畫面停留的時間都一樣。"
        "亮度不到 8 時，每次只亮那一次掃瞄時間的 亮度/8。</p>"
        "<p><b>面板全亮時反而全暗、全暗時全亮？</b>有些廠牌的面板資料是反的。"
        "把程式區裡 <code>P10_ONE_LIGHTS = 0</code> 改成 <code>1</code>，用 檔案 ▸ 匯出 Arduino 草稿，"
        "在 Arduino IDE 選好控制板後編譯上傳。</p>");
}

// The pages the items show, as rich text.
QString GuidePage() {
    return QStringLiteral(
        "<h3>從名單到看板</h3>"
        "<ol>"
        "<li><b>輸入橫幅</b>：在最上面的欄位打字，每句最多 4 個中文字，每句後面加 1 個空白"
        "（最後一句後面也要有空白）。名單已經存成文字檔，就用 檔案 ▸ 開啟橫幅文字（Ctrl+O），每行成為一句。</li>"
        "<li><b>選字型</b>：新細明體或標楷體，需要的話勾粗體或斜體。想讓整段文字捲過看板，"
        "顯示方式選「跑馬燈」並選速度。</li>"
        "<li><b>按執行</b>：一般請按左邊的「執行(電腦未安裝VB6）」：字整個放得下，上下不會被切掉。"
        "右邊的「執行（電腦已經安裝VB6）」讓字往下兩列、切掉最下面兩列，只在要跟以前做好的看板一樣時才用。"
        "兩個按鈕跟電腦有沒有安裝 VB6 無關。</li>"
        "<li><b>看預覽</b>：右上角的 LED 預覽照看板的樣子播放。改了文字或選項之後，預覽出現「舊程式」，"
        "要再按一次執行。</li>"
        "<li><b>送到看板</b>：用 USB 線接上看板，選 看板 ▸ 上傳到看板（Ctrl+U），程式會自己編譯、上傳、驗證。"
        "或按「複製程式」，貼到 Arduino IDE 再編譯上傳。</li>"
        "</ol>"
        "<p>下方的提示列會說明每一步的結果；有問題時它會說該怎麼做。</p>"
        "<h3>選看板和控制板</h3>"
        "<p>預設是接在 Arduino Mega 2560 埠 C、F、K 的學校看板。用兩片 P10 面板時，選 看板 ▸ 看板種類 ▸"
        "「P10 面板兩片（HUB12）」，再在 看板 ▸ 控制板 選 Arduino Mega 2560 或 Arduino Uno / Nano。"
        "看板太亮就用 看板 ▸ 亮度 調暗：8 最亮，數字越小越暗，畫面和停留的時間都不變。"
        "選好的會記住，預覽上面也會寫著；改了之後要再按一次執行。接法請看 說明 ▸ 看板接線。</p>"
        "<h3>做一個節目</h3>"
        "<p>節目是一項接一項輪流播放的文字和圖片，每一項可以有自己的顯示方式，例如先閃爍校徽和「恭喜」，"
        "再讓得獎名單往上捲。</p>"
        "<ol>"
        "<li>選 節目 ▸ 節目表…。按「從橫幅文字建立」把最上面欄位的每一句變成一項"
        "（表格裡已有項目時，可以選加在後面或取代），"
        "或按「新增」（Insert 鍵）一項一項加。</li>"
        "<li>在表格裡直接改：雙擊「內容」打字，按 Enter 結束；要分頁就按 Shift+Enter 換行，"
        "每一行是看板上的一頁。文字很長時按「編輯內容…」，在大視窗裡改。"
        "顯示方式、停留秒數、速度、對齊都從清單裡選。</li>"
        "<li><b>放學校的標誌</b>：雙擊「圖片」欄，按「選擇圖片…」選 PNG、JPEG、BMP 或 GIF 檔"
        "（會動的 GIF 只用第一張）；按「清除」拿掉。圖片會縮成看板的 16 列高，放在文字的左邊，"
        "像「校徽 恭喜」連成一行；沒有文字時只放圖片，照「對齊」靠左或置中。"
        "比「門檻」暗的點會亮：門檻是「自動」時由圖片自己決定，亮的點太多或太少就調整門檻；"
        "深色底上的淺色標誌請勾「反相」。透明的地方一定不亮。欄位裡的小圖就是看板上會亮的樣子。</li>"
        "<li>選到哪一項，右上角的預覽就播那一項。改錯了按 Ctrl+Z 復原，Ctrl+Y 重做。"
        "要換順序，用滑鼠把那一列拖到新的位置，或按 Ctrl+↑、Ctrl+↓。表格下方隨時寫著整個節目播一輪要多久。</li>"
        "<li>按「套用」，整個節目的程式就放進程式區，再像平常一樣上傳（Ctrl+U）或匯出。</li>"
        "<li>用 檔案 ▸ 儲存節目… 存成 CSV 檔，下次用 檔案 ▸ 開啟節目… 打開；"
        "CSV 檔也可以用試算表軟體編輯。圖片不會存進 CSV 檔，CSV 檔只記下圖片放在哪裡："
        "把圖片和 CSV 檔放在同一個資料夾（或它裡面的資料夾），整個資料夾一起複製到隨身碟或別台電腦就能打開。"
        "開啟時找不到圖片，程式會說是第幾列。</li>"
        "</ol>"
        "<h3>顯示方式</h3>"
        "<ul>"
        "<li><b>靜止</b>：每一頁直接出現。</li>"
        "<li><b>左移</b>：整段文字從右邊進入，一欄一欄往左移，最後從左邊離開，像跑馬燈。</li>"
        "<li><b>上移</b>：每一頁從下面一列一列升上來。</li>"
        "<li><b>閃爍</b>：每一頁亮、暗閃三次。</li>"
        "<li><b>拉幕</b>：每一頁從左邊一欄一欄拉開。</li>"
        "<li><b>下移</b>：每一頁從上面一列一列降下來。</li>"
        "<li><b>右移</b>：和左移相反：文字從左邊進入，往右移，最後從右邊離開。</li>"
        "<li><b>逐字</b>：每一頁的字一個一個出現；圖片每 16 欄算一個字，空白不佔時間。</li>"
        "<li><b>展開</b>：每一頁從中間向左右兩邊拉開。</li>"
        "<li><b>百葉窗</b>：每一頁分成四片橫的葉片，每片一列一列打開。</li>"
        "<li><b>溶解</b>：每一頁的點零零散散地一批一批亮起來，直到整頁出現。</li>"
        "</ul>"
        "<p>每一頁完整出現之後停留「停留秒數」。除了靜止和閃爍，其他方式都照「速度」移動："
        "例如在「中」，拉幕和溶解約 3 秒出齊，逐字約 0.8 秒出一個字。"
        "左移和右移把整段文字排成一行捲過去，沒有頁，停留秒數和對齊用不到。</p>"
        "<h3>選序列埠</h3>"
        "<p>看板用 USB 線接上電腦後，選 看板 ▸ 序列埠。清單最上面、標著「Arduino Mega 2560（看板）」"
        "的就是看板，通常叫 /dev/ttyACM0；相容板可能叫 /dev/ttyUSB0。/dev/ttyS0 這類是電腦本身的序列埠，"
        "上面沒有看板。找不到看板時，拔掉 USB 線再插上，重新打開這個選單。</p>"
        "<p>上傳時看板沒有回應，程式幾秒內就會停下來並說明原因；USB 線在上傳中鬆脫，"
        "看板上的程式可能不完整，接好後再上傳一次即可。</p>"
        "<h3>Linux 說「沒有使用序列埠的權限」</h3>"
        "<p>Linux 只讓 dialout 群組的使用者使用序列埠。請打開終端機，輸入</p>"
        "<p><code>sudo adduser $USER dialout</code></p>"
        "<p>輸入自己的密碼，然後登出再登入（或重新開機），再上傳一次。這只要做一次。"
        "不知道密碼或沒有權限時，請學校的電腦管理員幫忙。</p>");
}

QString WiringPage(SignKind sign) {
    if (sign == SignKind::P10Pair) return P10WiringPage();
    return QStringLiteral(
        "<p>這是 看板 ▸ 看板種類 選的「學校看板」的接法；選「P10 面板兩片」時，這裡說明 P10 面板的接法。</p>"
        "<h3>看板怎麼接到 Arduino Mega 2560</h3>"
        "<table border='1' cellspacing='0' cellpadding='4'>"
        "<tr><th>看板</th><th>Mega 2560 的埠</th><th>腳位</th></tr>"
        "<tr><td>第 1–8 列（第 1 列在最上面）</td><td>埠 F（PF0–PF7）</td><td>A0–A7（A0 是第 1 列）</td></tr>"
        "<tr><td>第 9–16 列</td><td>埠 K（PK0–PK7）</td><td>A8–A15（A8 是第 9 列）</td></tr>"
        "<tr><td>欄位址 0–63（0 是最左邊一欄）</td><td>埠 C（PC0–PC7）</td>"
        "<td>37–30（37 是 PC0，最低位元；用到 37–32，31、30 一直是 0）</td></tr>"
        "<tr><td>接地</td><td colspan='2'>GND（和看板的電源共地）</td></tr>"
        "</table>"
        "<p><img src='wiring.png'></p>"
        "<p>程式一次點亮一欄：先在埠 C 送出欄的位址（0–63），再在埠 F、K 送出這一欄 16 個點，"
        "位元是 1 的列輸出高電位表示點亮；約 0.1 毫秒後關掉各列，換下一欄。64 欄輪一次約 6.4 毫秒，"
        "快得讓眼睛看成整個畫面。</p>"
        "<p><b>腳位和 LED 之間要有驅動電路</b>：</p>"
        "<ul>"
        "<li><b>列驅動</b>：每一列經電晶體或驅動 IC（例如 UDN2981 這類源極驅動器）供電，"
        "每列串一顆限流電阻。一欄最多 16 顆 LED 同時亮。</li>"
        "<li><b>欄解碼器與欄驅動</b>：6 條位址線（37–32）進解碼器（例如 4 顆 74HC154，或 8 顆 74HC138），"
        "選出的那一欄經電晶體或 ULN2803 這類驅動 IC 接地。</li>"
        "</ul>"
        "<p><b>不可把腳位直接接到 LED</b>：每支腳建議最多 20 mA，整顆晶片最多 200 mA，"
        "一欄 16 顆 LED 一起亮就遠遠超過，會燒壞板子。</p>");
}

QString AboutPage() {
    return QStringLiteral(
               "<h3>電子獎狀看板程式 %1</h3>"
               "<p>把慶賀文字轉成驅動 16 × 64 LED 看板的 Arduino 程式：Arduino Mega 2560 驅動的學校看板，"
               "或 Arduino Uno、Nano、Mega 2560 驅動的兩片 P10 面板。</p>"
               "<h4>字型</h4>"
               "<p>沒有新細明體、標楷體時，用文鼎的 AR PL UMing TW、AR PL UKai TW"
               "（Debian 套件 fonts-arphic-uming、fonts-arphic-ukai），"
               "授權為 Arphic Public License（文鼎公眾授權書）。</p>"
               "<h4>使用的工具與程式庫</h4>"
               "<ul>"
               "<li>Qt 6：GNU LGPL 第 3 版</li>"
               "<li>FreeType：FreeType License（或 GNU GPL 第 2 版）</li>"
               "<li>Fontconfig：MIT 式授權</li>"
               "<li>arduino-builder、avrdude、gcc-avr：GNU GPL</li>"
               "<li>Arduino AVR 核心：GNU LGPL 第 2.1 版</li>"
               "<li>avr-libc：修改版 BSD 授權</li>"
               "</ul>")
        .arg(QStringLiteral(AWARD_VERSION));
}

}  // namespace

HelpMenu::HelpMenu(Form1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.HelpMenuWidget();
    menu->addAction(QStringLiteral("使用說明(&G)"), QKeySequence::HelpContents, this,
                    [this] { Show(QStringLiteral("使用說明"), GuidePage()); });
    menu->addAction(QStringLiteral("看板接線(&W)"), this, [this] {
        const SignKind sign = form_.Target().sign;
        const QImage picture = sign == SignKind::P10Pair ? P10WiringDiagram() : WiringDiagram();
        Show(QStringLiteral("看板接線"), WiringPage(sign), &picture);
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("關於(&A)"), this, [this] { Show(QStringLiteral("關於"), AboutPage()); });
}

void HelpMenu::Show(const QString& title, const QString& page, const QImage* picture) {
    auto* dialog = new QDialog(&form_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(QStringLiteral("helpPage"));
    dialog->setWindowTitle(title);
    auto* text = new QTextBrowser(dialog);
    text->setOpenExternalLinks(true);
    if (picture) text->document()->addResource(QTextDocument::ImageResource, kWiringPicture, *picture);
    text->setHtml(page);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(picture ? QSize(820, 700) : QSize(620, 520));
    dialog->show();
}

}  // namespace award
