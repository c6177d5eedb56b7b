#include "ui/Form1.h"

#include "notices/Notices.h"
#include "reading/SketchReader.h"
#include "sign/SignTargetNames.h"
#include "surface/FaceResolver.h"
#include "ui/DisplayModeChooser.h"
#include "ui/LedPreview.h"
#include "ui/MenuShortcutFilter.h"
#include "ui/PictureBox.h"
#include "ui/WrappingButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>

namespace award {

const QString Form1::kCaption = QStringLiteral(
    "曜辰電子獎狀程式：請任意輸入文字 每句至多4個中文字 每句以1個空白分開，執行程式，"
    "複製程式，然後貼到Arduino編譯");

const QString Form1::kSampleBanner = QStringLiteral(
    "恭賀本校 明德高工 資訊科 三年甲班 林志遠 同學榮獲 全國技能 競賽 程式設計 職類金牌 "
    "指導老師 陳建宏 王淑芬 特此恭賀 與有榮焉 ");

namespace {

const QString kOutOfDate =
    QStringLiteral("橫幅文字或選項改過了，程式區和預覽還是上次執行的舊程式：請再按一次執行。");
const QString kProgramOutOfDate =
    QStringLiteral("節目表或字型、粗體、斜體在套用後改過了，程式區還是舊的節目：請再按一次「%1」。");

// The face that draws the Ming face here, so that the window's text looks like
// the phrases the run draws; Qt alone would fall back to whatever it likes.
QFont MingFont(int points) {
    QFont font;
    if (const auto face = ResolveFace(kMingFaceName)) font.setFamilies({face->family});
    font.setPointSize(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setFont(MingFont(9));
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(kClientSize);
    setCentralWidget(client_);
    fileMenu_ = menuBar()->addMenu(QStringLiteral("檔案(&F)"));
    boardMenu_ = menuBar()->addMenu(QStringLiteral("看板(&B)"));
    programMenu_ = menuBar()->addMenu(QStringLiteral("節目(&P)"));
    helpMenu_ = menuBar()->addMenu(QStringLiteral("說明(&H)"));
    CreateControls();
    ConnectHandlers();
    SetTarget(target_);
    auto* shortcuts = new MenuShortcutFilter(*menuBar());
    for (QWidget* field : client_->findChildren<QLineEdit*>()) field->installEventFilter(shortcuts);
    for (QWidget* field : client_->findChildren<QPlainTextEdit*>()) field->installEventFilter(shortcuts);
    // The window takes the client area's size plus whatever the menu bar needs.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::CreateControls() {
    // Created in tab order, which also makes it the focus chain.
    Check1 = Place(new QCheckBox(QStringLiteral("粗體"), client_), "Check1", 328, 40, 81, 33);
    Check2 = Place(new QCheckBox(QStringLiteral("斜體"), client_), "Check2", 432, 40, 81, 33);
    Option1 = Place(new QRadioButton(QStringLiteral("新細明體"), client_), "Option1", 528, 40, 81, 33);
    Option2 = Place(new QRadioButton(QStringLiteral("標楷體"), client_), "Option2", 632, 40, 81, 33);
    options_ = new QButtonGroup(this);
    options_->addButton(Option1);
    options_->addButton(Option2);

    Text3 = Place(new QPlainTextEdit(QStringLiteral("Text3"), client_), "Text3", 24, 120, 1025, 409);
    Text3->setFont(MingFont(12));
    Text3->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as from every other control; a sketch
    // has no use for tab characters.
    Text3->setTabChangesFocus(true);

    Command2 = Place(new QPushButton(QStringLiteral("複製程式"), client_), "Command2", 280, 544, 89, 33);
    Command4 = Place(new WrappingButton(QStringLiteral("執行(電腦未安裝VB6）"), client_), "Command4",
                     40, 544, 81, 33);
    Text4 = Place(new QLineEdit(client_), "Text4", 16, 8, 801, 33);
    // A pasted banner is kept whole up to a limit far above what the board
    // holds; a huge paste by mistake is cut there, and the user told, instead
    // of taking seconds and hundreds of megabytes to lay out.
    Text4->setMaxLength(kBannerMaxCharacters);
    Text4->setText(kSampleBanner);
    Text4->setCursorPosition(0);
    pic = Place(new PictureBox(surface_, client_), "pic", 16, 48, 81, 33);
    Command1 = Place(new WrappingButton(QStringLiteral("執行（電腦已經安裝VB6）"), client_), "Command1",
                     144, 544, 81, 33);
    Command3 = Place(new QPushButton(QStringLiteral("結束"), client_), "Command3", 408, 544, 81, 33);
    // The captions say nothing a teacher can choose by; the tooltips do.
    Command4->setToolTip(Command4->text() + QStringLiteral(
        "\n取字的第 3 到 18 列點當看板的 16 列：12 點大的中文字整個放得下，上下都不會被切掉。"
        "\n一般請用這個。跟電腦有沒有安裝 VB6 無關。"));
    Command1->setToolTip(Command1->text() + QStringLiteral(
        "\n取字的第 1 到 16 列點：字在看板上往下兩列，最下面兩列筆畫會被切掉。"
        "\n只有要跟以前做好的看板一模一樣時才用。跟電腦有沒有安裝 VB6 無關。"));

    // Beside the original controls, in space they leave free: the display
    // mode after them in the tab order; the preview and the notices out of
    // it, as they only show.
    mode_ = Place(new DisplayModeChooser(client_), "displayMode", 104, 40, 220, 33);
    preview_ = Place(new LedPreview(client_), "preview", 720, 40, 370, 72);
    notice_ = Place(new QLabel(client_), "notice", 500, 544, 590, 33);
    // Above the preview, right of the banner field: the sign the sketch is for.
    targetLabel_ = Place(new QLabel(client_), "signTarget", 824, 4, 270, 34);
    targetLabel_->setTextFormat(Qt::PlainText);
    targetLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    notice_->setWordWrap(true);
    notice_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    notice_->setTextFormat(Qt::PlainText);
    previewDelay_ = new QTimer(this);
    previewDelay_->setSingleShot(true);
    previewDelay_->setInterval(300);

    const QList<QWidget*> tabOrder = QList<QWidget*>{Check1, Check2,   Option1, Option2,  Text3,   Command2,
                                                     Command4, Text4, pic,      Command1, Command3} +
                                     mode_->TabStops();
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    Check1->setFocus();
}

void Form1::ConnectHandlers() {
    connect(Text4, &QLineEdit::textEdited, this, [this](const QString& text) {
        // At the limit the field may hold a paste whole; only what it cut is worth a word.
        if (text.size() >= kBannerMaxCharacters && !text.contains(QGuiApplication::clipboard()->text()))
            ShowNotices({QStringLiteral("橫幅文字最多 %1 個字，超過的部分沒有放進來。").arg(kBannerMaxCharacters)});
    });
    connect(Command1, &QPushButton::clicked, this, [this] { Run(award::FirstScanRow::Row1); });
    connect(Command4, &QPushButton::clicked, this, [this] { Run(award::FirstScanRow::Row3); });
    connect(Command2, &QPushButton::clicked, this, [this] { CopySketch(); });
    // Hand edits reach the preview once typing pauses, so a long sketch is not
    // read again at every key.
    connect(Text3, &QPlainTextEdit::textChanged, previewDelay_, qOverload<>(&QTimer::start));
    connect(previewDelay_, &QTimer::timeout, this, [this] {
        preview_->SetSketchText(Text3Text());
        if (preview_->Why()) ShowNotices({EditedSketchNotice(preview_->Why())});
    });

    // Whatever the next run would draw differently makes Text3 out of date;
    // the user's own edit of Text3 makes it theirs, and current.
    connect(Text4, &QLineEdit::textChanged, this, [this] { ShowSketchState(); });
    for (QAbstractButton* choice : QList<QAbstractButton*>{Check1, Check2, Option1, Option2})
        connect(choice, &QAbstractButton::toggled, this, [this] { ShowSketchState(); });
    mode_->WhenChanged(this, [this] { ShowSketchState(); });
    connect(Text3, &QPlainTextEdit::textChanged, this, [this] {
        if (writingSketch_) return;
        sketchFrom_ = CurrentInputs();
        ShowSketchState();
    });
    // Through the event loop rather than exit(): the application object must be
    // destroyed normally so that a clipboard manager can take over the copy.
    connect(Command3, &QPushButton::clicked, this, [] { QCoreApplication::quit(); });
}

// Read at each run, so the run draws what the window shows.
ConversionOptions Form1::Options(award::FirstScanRow firstScanRow) const {
    ConversionOptions options;
    options.style = {Option2->isChecked() ? kKaiFaceName : kMingFaceName, Check1->isChecked(), Check2->isChecked()};
    options.firstScanRow = firstScanRow;
    options.mode = mode_->Marquee() ? DisplayMode::Marquee : DisplayMode::Phrases;
    options.speed = mode_->Speed();
    options.target = target_;
    return options;
}

void Form1::SetTarget(const SignTarget& target) {
    target_ = target;
    const QString brightness = target.brightness == SIGN_BRIGHTEST ? QStringLiteral("最亮")
                                                                    : QStringLiteral("%1/%2").arg(target.brightness).arg(int{SIGN_BRIGHTEST});
    targetLabel_->setText(QStringLiteral("%1\n%2，亮度 %3").arg(SignName(target.sign), BoardName(target.board), brightness));
    targetLabel_->setToolTip(QStringLiteral("程式和預覽照這個看板、控制板和亮度：在 看板 選單改"));
    ShowSketchState();
}

void Form1::Exit() { Command3->click(); }

bool Form1::Run(award::FirstScanRow firstScanRow) {
    lastFirstScanRow_ = firstScanRow;
    const QString& sketch = converter_.Convert(Text4->text(), Options(firstScanRow));
    const RunReport& report = converter_.LastRunReport();
    // A refused run leaves the sketch area as it was: there is no sketch to show.
    if (!report.refusal) WriteSketch(sketch, nullptr);
    pic->update();
    QStringList notices = RunNotices(report, {surface_.FontName(), surface_.ResolvedFace(), surface_.DrawsChinese()});
    if (!report.refusal && (report.marquee || report.frames > 0)) {
        // On the run's last line while it stays one line: the line below the
        // first two is seen only in the tooltip.
        const QString upload = QStringLiteral("或選 看板 ▸ 上傳到看板。");
        const QString ways = notices.last().contains(Command2->text())
                                 ? upload
                                 : QStringLiteral("送到看板：按「%1」貼到 Arduino IDE，").arg(Command2->text()) + upload;
        if (notice_->fontMetrics().horizontalAdvance(notices.last() + ways) <= notice_->contentsRect().width())
            notices.last() += ways;
        else
            notices << ways;
    }
    // What the run warned of stays in sight after a copy.
    runWarnings_ = RunWarnings(report);
    ShowSketchState();
    ShowNotices(notices);
    return !report.refusal;
}

// The run button chooses the rows at each run; the speed counts for a
// marquee only. A program is drawn from its items, with the face and style
// and the rows of the run button used last, and from nothing else.
Form1::RunInputs Form1::CurrentInputs() const {
    ConversionOptions options = Options(ConversionOptions().firstScanRow);
    if (source_) {
        const ConversionOptions drawn{.style = options.style, .firstScanRow = lastFirstScanRow_, .target = options.target};
        return {QString(), drawn, source_->Items()};
    }
    if (options.mode != DisplayMode::Marquee) options.speed = ConversionOptions().speed;
    return {Text4->text(), options, {}};
}

void Form1::ShowSketchState() {
    preview_->SetOutOfDate(SketchOutOfDate());
    ShowNoticeLine();
}

// A program's warnings are told by its window, not after a copy.
void Form1::ShowProgram(const QString& sketch, SketchSource& source) {
    WriteSketch(sketch, &source);
    runWarnings_.clear();
    ShowSketchState();
}

// The window's own sketch, current for the inputs it came from.
void Form1::WriteSketch(const QString& sketch, SketchSource* source) {
    source_ = source;
    writingSketch_ = true;
    Text3->setPlainText(sketch);
    writingSketch_ = false;
    sketchFrom_ = CurrentInputs();
    previewDelay_->stop();
    preview_->SetSketchText(sketch);
}

void Form1::ShowNotices(const QStringList& notices) {
    notices_ = notices;
    ShowNoticeLine();
}

// Two lines fit; the tooltip keeps them all. An out-of-date sketch is said
// first, whatever else is told.
void Form1::ShowNoticeLine() {
    const QString outOfDate = source_ ? kProgramOutOfDate.arg(source_->ApplyCaption()) : kOutOfDate;
    const QStringList shown = SketchOutOfDate() ? QStringList{outOfDate} + notices_ : notices_;
    notice_->setText(shown.mid(0, 2).join(u'\n'));
    notice_->setToolTip(shown.join(u'\n'));
}

bool Form1::ConfirmCurrentSketch(SketchUse use) {
    if (sketchFrom_ && *sketchFrom_ == CurrentInputs()) return true;
    const QString verb = use == SketchUse::Compile  ? QStringLiteral("編譯")
                         : use == SketchUse::Upload ? QStringLiteral("上傳")
                                                    : QStringLiteral("匯出");
    // A program is written again as it was at first, a banner by the run
    // button used last.
    const QString command = source_ ? source_->ApplyCaption() : (lastFirstScanRow_ == award::FirstScanRow::Row1 ? Command1 : Command4)->text();
    const QString why = source_ ? QStringLiteral("節目表或字型、粗體、斜體在套用後改過了，程式區裡還是舊的節目。")
                        : sketchFrom_ ? QStringLiteral("橫幅文字或選項在上次執行後改過了，程式區裡還是舊的程式。")
                                      : QStringLiteral("程式區裡還沒有這段橫幅的程式。");
    QMessageBox box(QMessageBox::Question, QStringLiteral("程式不是最新的"),
                    why + QStringLiteral("\n\n要先按「%1」產生新的程式再%2嗎？").arg(command, verb),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("outOfDateQuestion"));
    QPushButton* runFirst = box.addButton(QStringLiteral("先執行再") + verb, QMessageBox::AcceptRole);
    QPushButton* asItIs = box.addButton(QStringLiteral("使用目前的程式"), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(runFirst);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == asItIs) return true;
    if (box.clickedButton() != runFirst) return false;
    return source_ ? source_->Apply() : Run(lastFirstScanRow_);
}

void Form1::FitInto(const QSize& available) {
    const QSize natural(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    // The window manager's frame is not known before the window shows; a
    // title bar and a thin border are allowed for.
    const int border = 4;
    const QSize frame(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    const QSize room = available - frame;
    if (natural.width() <= room.width() && natural.height() <= room.height()) return;

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("clientScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(takeCentralWidget());
    setCentralWidget(scroll);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setMinimumSize(160, 120);
    setMaximumSize(natural);
    resize(natural.boundedTo(room));
}

QString Form1::Text3Text() const {
    // The text area keeps lines, not line breaks; the sketch's lines end in
    // carriage return and line feed, and so do the lines a user adds.
    QString text = Text3->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void Form1::CopySketch() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString text = Text3Text();
    clipboard->setText(text);
    ShowNotices(QStringList{CopyNotice(ReadSketchOrWhy(text))} + runWarnings_);
}

}  // namespace award
