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

}  // namespace

HelpMenu::HelpMenu(Form1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.HelpMenu();
    menu->addAction(QStringLiteral("使用說明(&G)"), QKeySequence::HelpContents, this,
                    [this] { Show(QStringLiteral("使用說明"), GuidePage()); });
    menu->addAction(QStringLiteral("看板接線(&W)"), this, [this] {
        const QImage picture = WiringDiagram();
        Show(QStringLiteral("看板接線"), WiringPage(), &picture);
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

QString HelpMenu::GuidePage() {
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
        "<p>下方的提示列會說明每一步的結果；有問題時它會說該怎麼做。</p>");
}

QString HelpMenu::WiringPage() {
    return QStringLiteral(
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

QString HelpMenu::AboutPage() {
    return QStringLiteral(
               "<h3>電子獎狀看板程式 %1</h3>"
               "<p>把慶賀文字轉成 Arduino Mega 2560 驅動 16 × 64 LED 看板的程式。</p>"
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

}  // namespace award
