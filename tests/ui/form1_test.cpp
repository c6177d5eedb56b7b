#include "conversion/BannerConverter.h"
#include "reading/SketchReader.h"
#include "notices/Notices.h"
#include "sign/MeasuredCapacities.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"
#include "surface/FaceResolver.h"
#include "ui/Form1.h"
#include "ui/LedPreview.h"
#include "ui/WrappingButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <memory>

using award::DrawingSurface;
using award::Form1;

namespace {

// A run on a surface of its own, set up directly rather than through the window.
QString ReferenceSketch(const QString& banner, int firstScanRow, const award::FontStyle& style,
                        QImage* lastPhrase = nullptr) {
    DrawingSurface surface;
    award::BannerConverter converter(surface);
    award::ConversionOptions options;
    options.style = style;
    options.firstScanRow = award::FirstScanRow(firstScanRow);
    const QString sketch = converter.Convert(banner, options);
    if (lastPhrase) *lastPhrase = surface.Image();
    return sketch;
}

// A text area shows lines; the sketch separates them with CR LF.
QString AsShown(QString sketch) { return sketch.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// Chinese arrives from the input method as committed text, line breaks from
// the Return key.
void Type(QWidget* widget, const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) QTest::keyClick(widget, Qt::Key_Return);
        if (lines[i].isEmpty()) continue;
        QInputMethodEvent commit;
        commit.setCommitString(lines[i]);
        QApplication::sendEvent(widget, &commit);
    }
}

bool IsFrameRow(const QString& line) {
    return line.startsWith(QStringLiteral(",{1,")) && line.contains(QLatin1Char(' '));
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    template <class T>
    T* Control(const char* name) {
        T* control = form_->findChild<T*>(QLatin1String(name));
        if (!control) qFatal("no control %s of the expected kind", name);
        return control;
    }

    // Where a user aims: the box or circle of a check box or option button,
    // the middle of anything else.
    static QPoint Aim(QWidget* widget) {
        if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
            return QPoint(8, widget->height() / 2);
        return widget->rect().center();
    }

    void Click(const char* name) {
        QWidget* widget = Control<QWidget>(name);
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, Aim(widget));
    }

    // The inside of pic's border as the screen shows it, not as pic would
    // paint itself now: a run that forgets to repaint leaves the old picture.
    QImage PicInside() {
        QCoreApplication::processEvents();
        const QPoint inside = Control<QWidget>("pic")->mapTo(form_.get(), QPoint(2, 2));
        return form_->screen()
            ->grabWindow(form_->winId(), inside.x(), inside.y(), DrawingSurface::kWidth,
                         DrawingSurface::kHeight)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<Form1> form_;

private slots:
    void init() {
        QGuiApplication::clipboard()->clear();
        form_ = std::make_unique<Form1>();
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void startsWithNothingChosenAndNothingDrawn() {
        QCOMPARE(form_->windowTitle(),
                 QStringLiteral("曜辰電子獎狀程式：請任意輸入文字 每句至多4個中文字 "
                                "每句以1個空白分開，執行程式，複製程式，然後貼到Arduino編譯"));
        QCOMPARE(form_->centralWidget()->size(), QSize(1101, 588));
        QCOMPARE(form_->centralWidget()->mapTo(form_.get(), QPoint(0, 0)),
                 QPoint(0, form_->menuBar()->height()));
        QCOMPARE(form_->size(), QSize(1101, 588 + form_->menuBar()->height()));
        QCOMPARE(Control<QPlainTextEdit>("Text3")->toPlainText(), QStringLiteral("Text3"));
        for (const char* name : {"Check1", "Check2", "Option1", "Option2"})
            QVERIFY2(!Control<QAbstractButton>(name)->isChecked(), name);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Check1"));

        const QImage inside = PicInside();
        const QRgb background = qRgb(0xF0, 0xF0, 0xF0);
        for (int y = 0; y < inside.height(); ++y)
            for (int x = 0; x < inside.width(); ++x)
                QVERIFY2(inside.pixel(x, y) == background,
                         qPrintable(QStringLiteral("pic pixel %1,%2").arg(x).arg(y)));
    }

    void text3ShowsTheSketchAsWritten() {
        auto* text3 = Control<QPlainTextEdit>("Text3");
        QCOMPARE(text3->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(text3->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(text3->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(!text3->isReadOnly());
        const QFont font = text3->font();
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        const auto ming = award::ResolveFace(award::kMingFaceName);
        QVERIFY(ming.has_value());
        QCOMPARE(QFontInfo(font).family(), ming->family);
        QCOMPARE(QFontInfo(form_->font()).family(), ming->family);
        QCOMPARE(form_->font().pointSize(), 9);

        Click("Command1");
        QTRY_VERIFY(text3->horizontalScrollBar()->maximum() > 0);
        const QString widest = text3->toPlainText().split(QLatin1Char('\n')).at(4);
        QVERIFY2(widest.size() > 300, "a frame row stays on one line");
    }

    void tabOrderFollowsTabIndexes() {
        const QStringList byTabIndex = {"Check1",   "Check2",   "Option1", "Option2",
                                        "Text3",    "Command2", "Command4", "Text4",
                                        "pic",      "Command1", "Command3"};
        QStringList chain;
        QWidget* widget = Control<QWidget>("Check1");
        do {
            if (byTabIndex.contains(widget->objectName())) chain << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != Control<QWidget>("Check1"));
        QCOMPARE(chain, byTabIndex);

        // The two options are one stop for Tab, as option groups are; the
        // arrow keys move between them.
        QStringList forward = byTabIndex;
        forward.removeAll("Option2");
        forward << forward.takeFirst();
        // Controls added beside the original ones come after all of them.
        const auto walk = [&](Qt::Key key, Qt::KeyboardModifier modifier) {
            QStringList reached;
            QStringList added;
            while (reached.size() < forward.size()) {
                QTest::keyClick(QApplication::focusWidget(), key, modifier);
                const QString name = QApplication::focusWidget()->objectName();
                if (byTabIndex.contains(name)) {
                    reached << name;
                } else {
                    added << name;
                    if (!(reached.isEmpty() && key == Qt::Key_Backtab) && reached.value(reached.size() - 1) != "Command3")
                        return QStringList{"added control " + name + " before " + reached.join(',')};
                }
            }
            return reached;
        };
        QCOMPARE(walk(Qt::Key_Tab, Qt::NoModifier), forward);

        QStringList expected(forward.rbegin() + 1, forward.rend());
        expected << "Check1";
        QCOMPARE(walk(Qt::Key_Backtab, Qt::ShiftModifier), expected);

        Control<QWidget>("Option1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Option2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Control<QWidget>("Text3"));
    }

    void controlsKeepTheirKindAndCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");

        QTest::newRow("Text4") << "Text4" << "QLineEdit" << QString();
        QTest::newRow("pic") << "pic" << "QFrame" << QString();
        QTest::newRow("Check1") << "Check1" << "QCheckBox" << "粗體";
        QTest::newRow("Check2") << "Check2" << "QCheckBox" << "斜體";
        QTest::newRow("Option1") << "Option1" << "QRadioButton" << "新細明體";
        QTest::newRow("Option2") << "Option2" << "QRadioButton" << "標楷體";
        QTest::newRow("Text3") << "Text3" << "QPlainTextEdit" << "Text3";
        QTest::newRow("Command4") << "Command4" << "QPushButton" << "執行(電腦未安裝VB6）";
        QTest::newRow("Command1") << "Command1" << "QPushButton" << "執行（電腦已經安裝VB6）";
        QTest::newRow("Command2") << "Command2" << "QPushButton" << "複製程式";
        QTest::newRow("Command3") << "Command3" << "QPushButton" << "結束";
    }

    void controlsKeepTheirKindAndCaption() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);

        QWidget* control = form_->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), form_->centralWidget());
        QVERIFY2(control->inherits(qPrintable(kind)), control->metaObject()->className());
        QVERIFY(control->isVisible());
        if (auto* button = qobject_cast<QAbstractButton*>(control)) QCOMPARE(button->text(), caption);
        if (auto* area = qobject_cast<QPlainTextEdit*>(control)) QCOMPARE(area->toPlainText(), caption);
    }

    void runButtonCaptionsTellTheRunsApart() {
        auto* without = Control<award::WrappingButton>("Command4");
        auto* with = Control<award::WrappingButton>("Command1");
        // The tooltip shows the whole caption, then which rows the run takes.
        QVERIFY(without->toolTip().startsWith(without->text() + u'\n') && without->toolTip().contains(u"3 到 18"));
        QVERIFY(with->toolTip().startsWith(with->text() + u'\n') && with->toolTip().contains(u"1 到 16"));
        QVERIFY(without->CaptionLines().size() >= 2);
        QVERIFY2(without->CaptionLines() != with->CaptionLines(),
                 qPrintable(without->CaptionLines().join('|')));
    }

    void wrappedCaptionsFitTheirButton_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<bool>("whole");

        const QString longCaption = QStringLiteral("執行（電腦已經安裝VB6）");
        QTest::newRow("run without VB6") << "執行(電腦未安裝VB6）" << QSize(81, 33) << 2 << true;
        QTest::newRow("run with VB6") << longCaption << QSize(81, 33) << 2 << true;
        QTest::newRow("three lines' worth") << longCaption + longCaption << QSize(81, 33) << 2 << false;
        QTest::newRow("room for one line") << longCaption << QSize(81, 22) << 1 << false;
        QTest::newRow("wide button") << longCaption << QSize(300, 33) << 1 << true;
        QTest::newRow("latin words") << "Run on a computer without VB6" << QSize(81, 33) << 2 << false;
    }

    void wrappedCaptionsFitTheirButton() {
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(int, lineCount);
        QFETCH(bool, whole);

        award::WrappingButton button(caption);
        button.setFont(form_->font());
        button.resize(size);
        QStyleOptionButton option;
        option.initFrom(&button);
        const QRect area = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        const QFontMetrics metrics(button.font());

        const QStringList lines = button.CaptionLines();
        QCOMPARE(lines.size(), lineCount);
        QVERIFY((lines.size() - 1) * metrics.lineSpacing() + metrics.height() <= area.height() ||
                lines.size() == 1);
        for (const QString& line : lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= area.width(), qPrintable(line));

        QString shown = lines.join(QString());
        QString compact = caption;
        compact.remove(QLatin1Char(' '));
        shown.remove(QLatin1Char(' '));
        const QChar ellipsis(0x2026);
        if (whole) {
            QCOMPARE(shown, compact);
        } else {
            QVERIFY2(shown.endsWith(ellipsis), qPrintable(shown));
            shown.chop(1);
            QVERIFY2(compact.startsWith(shown) && shown.size() < compact.size(), qPrintable(shown));
        }
    }

    void sampleBannerConvertsEveryPhrase() {
        const QString banner = Control<QLineEdit>("Text4")->text();
        QVERIFY(banner.endsWith(QLatin1Char(' ')) && !banner.contains(QStringLiteral("  ")));
        QStringList phrases = banner.split(QLatin1Char(' '));
        QCOMPARE(phrases.takeLast(), QString());
        QCOMPARE(phrases.size(), 15);
        for (const QString& phrase : phrases) {
            QVERIFY2(phrase.size() >= 2 && phrase.size() <= 4, qPrintable(phrase));
            for (QChar c : phrase) QVERIFY2(c.script() == QChar::Script_Han, qPrintable(phrase));
        }

        Click("Command4");
        const QString shown = Control<QPlainTextEdit>("Text3")->toPlainText();
        const auto read = award::ReadSketch(shown);
        const auto* frames = read ? std::get_if<award::PhraseFrames>(&*read) : nullptr;
        QVERIFY(frames);
        QCOMPARE(int(frames->frames.size()), 15);
        for (std::size_t i = 0; i < frames->frames.size(); ++i) {
            const auto& words = frames->frames[i].words;
            QVERIFY2(std::any_of(words.begin(), words.end(), [](auto w) { return w != 0; }),
                     qPrintable(phrases.at(int(i))));
        }
    }

    void text4KeepsAPastedTextWholeUpToItsLimit_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("50,000 characters") << 50000;
        QTest::newRow("exactly the limit") << Form1::kBannerMaxCharacters;
        QTest::newRow("past the limit") << Form1::kBannerMaxCharacters + 5;
    }
    void text4KeepsAPastedTextWholeUpToItsLimit() {
        QFETCH(int, size);
        const QString pasted = QStringLiteral("國立臺中 ").repeated(size / 5 + 1).left(size);
        QGuiApplication::clipboard()->setText(pasted);
        auto* text4 = Control<QLineEdit>("Text4");
        QTest::mouseClick(text4, Qt::LeftButton);
        QTest::keyClick(text4, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text4, Qt::Key_V, Qt::ControlModifier);
        const bool cut = size > Form1::kBannerMaxCharacters;
        QCOMPARE(text4->text(), cut ? pasted.left(Form1::kBannerMaxCharacters) : pasted);
        QCOMPARE(Control<QLabel>("notice")->text().contains(QString::number(Form1::kBannerMaxCharacters)), cut);
    }

    void runButtonsDifferOnlyInColumnWords_data() {
        QTest::addColumn<QString>("banner");
        QTest::newRow("sample banner") << QString();
        QTest::newRow("typed text") << QStringLiteral("恭喜 林同學 金牌 ");
    }

    void runButtonsDifferOnlyInColumnWords() {
        QFETCH(QString, banner);
        auto* text4 = Control<QLineEdit>("Text4");
        if (!banner.isEmpty()) {
            QTest::mouseClick(text4, Qt::LeftButton);
            QTest::keyClick(text4, Qt::Key_A, Qt::ControlModifier);
            Type(text4, banner);
            QCOMPARE(text4->text(), banner);
        }
        const QString text = text4->text();
        auto* text3 = Control<QPlainTextEdit>("Text3");

        Click("Command1");
        const QString rowsFrom1 = text3->toPlainText();
        QCOMPARE(rowsFrom1, AsShown(ReferenceSketch(text, 1, {})));
        Click("Command4");
        const QString rowsFrom3 = text3->toPlainText();
        QCOMPARE(rowsFrom3, AsShown(ReferenceSketch(text, 3, {})));

        const QStringList first = rowsFrom1.split(QLatin1Char('\n'));
        const QStringList second = rowsFrom3.split(QLatin1Char('\n'));
        QCOMPARE(first.size(), second.size());
        int differing = 0;
        for (int i = 0; i < first.size(); ++i) {
            if (first[i] == second[i]) continue;
            QVERIFY2(IsFrameRow(first[i]) && IsFrameRow(second[i]), qPrintable(first[i]));
            QCOMPARE(first[i].count(QLatin1Char(',')), second[i].count(QLatin1Char(',')));
            ++differing;
        }
        QVERIFY(differing > 0);
    }

    void picShowsThePhraseConvertedLast() {
        QImage expected;
        const QString text = Control<QLineEdit>("Text4")->text();
        ReferenceSketch(text, 3, {}, &expected);
        Click("Command4");
        QTRY_COMPARE(PicInside(), expected.convertToFormat(QImage::Format_RGB32));
    }

    void faceAndStyleReachTheNextRun_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");

        const QString ming = award::kMingFaceName;
        const QString kai = award::kKaiFaceName;
        QTest::newRow("bold") << QStringList{"Check1"} << ming << true << false;
        QTest::newRow("italic") << QStringList{"Check2"} << ming << false << true;
        QTest::newRow("bold cleared") << QStringList{"Check1", "Check1"} << ming << false << false;
        QTest::newRow("italic cleared") << QStringList{"Check2", "Check2"} << ming << false << false;
        QTest::newRow("kai") << QStringList{"Option2"} << kai << false << false;
        QTest::newRow("kai then ming") << QStringList{"Option2", "Option1"} << ming << false << false;
        QTest::newRow("kai bold italic") << QStringList{"Option2", "Check1", "Check2"} << kai << true
                                         << true;
        QTest::newRow("kai bold, italic cleared")
            << QStringList{"Check2", "Option2", "Check1", "Check2"} << kai << true << false;
    }

    void faceAndStyleReachTheNextRun() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, face);
        QFETCH(bool, bold);
        QFETCH(bool, italic);

        // A run before the choices: the phrase on show is not redrawn, the next run uses them.
        Click("Command1");
        for (const QString& name : clicks) Click(qPrintable(name));
        QCOMPARE(Control<QCheckBox>("Check1")->isChecked(), bold);
        QCOMPARE(Control<QCheckBox>("Check2")->isChecked(), italic);
        QCOMPARE(Control<QRadioButton>("Option2")->isChecked(), face == award::kKaiFaceName);
        QVERIFY(!(Control<QRadioButton>("Option1")->isChecked() &&
                  Control<QRadioButton>("Option2")->isChecked()));

        const QString text = Control<QLineEdit>("Text4")->text();
        Click("Command1");
        const QString shown = Control<QPlainTextEdit>("Text3")->toPlainText();
        QCOMPARE(shown, AsShown(ReferenceSketch(text, 1, {face, bold, italic})));
        const bool plain = face == award::kMingFaceName && !bold && !italic;
        QCOMPARE(shown == AsShown(ReferenceSketch(text, 1, {})), plain);
    }

    void copyPutsWhatText3ShowsOnTheClipboard_data() {
        QTest::addColumn<bool>("run");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expectedTail");

        QTest::newRow("before any run") << false << QString() << QString();
        QTest::newRow("after a run") << true << QString() << QString();
        QTest::newRow("after a hand edit") << true << QStringLiteral("// 恭喜") << QStringLiteral("// 恭喜");
        QTest::newRow("new lines typed") << false << QStringLiteral("\n第二行\n")
                                         << QStringLiteral("\r\n第二行\r\n");
    }

    void copyPutsWhatText3ShowsOnTheClipboard() {
        QFETCH(bool, run);
        QFETCH(QString, typed);
        QFETCH(QString, expectedTail);

        auto* previous = new QMimeData;
        previous->setHtml(QStringLiteral("<b>舊的</b>"));
        previous->setText(QStringLiteral("舊的"));
        QGuiApplication::clipboard()->setMimeData(previous);

        if (run) Click("Command4");
        const QString before =
            run ? ReferenceSketch(Control<QLineEdit>("Text4")->text(), 3, {}) : QStringLiteral("Text3");
        auto* text3 = Control<QPlainTextEdit>("Text3");
        if (!typed.isEmpty()) {
            QTest::mouseClick(text3->viewport(), Qt::LeftButton);
            QTest::keyClick(text3, Qt::Key_End, Qt::ControlModifier);
            Type(text3, typed);
        }

        auto* copy = Control<QPushButton>("Command2");
        copy->setFocus();
        QTest::keyClick(copy, Qt::Key_Space);

        const QMimeData* now = QGuiApplication::clipboard()->mimeData();
        QVERIFY(now);
        QVERIFY(!now->hasHtml());
        QCOMPARE(now->text(), before + expectedTail);
    }

    void previewPlaysTheRunAndFollowsHandEdits() {
        auto* preview = Control<award::LedPreview>("preview");
        QVERIFY(!preview->HasSketch());  // "Text3" holds no sketch
        QVERIFY(preview->geometry().left() >= 720 && preview->geometry().right() < 1101);
        QVERIFY(preview->geometry().bottom() < 120);  // above Text3

        Control<QLineEdit>("Text4")->setText(QStringLiteral("恭喜 賀 "));
        Click("Command4");
        QCOMPARE(preview->FrameCount(), 2);
        QCOMPARE(preview->ShownFrame(), 1);

        // Cutting the count to one frame by hand reaches the preview.
        auto* text3 = Control<QPlainTextEdit>("Text3");
        QString edited = text3->toPlainText();
        edited.replace(QStringLiteral("num= 2;"), QStringLiteral("num= 1;"));
        text3->setPlainText(edited);
        QTRY_COMPARE(preview->FrameCount(), 1);

        // A broken row darkens it, and the preview and the notices name its line.
        edited.replace(QStringLiteral(",{1, "), QStringLiteral(",{1, x"));
        text3->setPlainText(edited);
        QTRY_VERIFY(!preview->HasSketch());
        const QString line = QStringLiteral("第 %1 行：")
                                 .arg(QStringView(edited).first(edited.indexOf(QStringLiteral(",{1, x"))).count(u'\n') + 1);
        QVERIFY2(preview->StatusLine().contains(line), qPrintable(preview->StatusLine()));
        QTRY_VERIFY(Control<QLabel>("notice")->toolTip().contains(line));
    }

    void marqueeModeScrollsTheWholeText() {
        auto* speed = Control<QWidget>("marqueeSpeed");
        QVERIFY(!speed->isEnabled());
        Click("marqueeMode");
        QVERIFY(speed->isEnabled());
        const QString text = Control<QLineEdit>("Text4")->text();
        Click("Command4");

        DrawingSurface surface;
        award::BannerConverter converter(surface);
        QCOMPARE(Control<QPlainTextEdit>("Text3")->toPlainText(),
                 AsShown(converter.ConvertMarquee(text, award::FirstScanRow::Row3, award::MarqueeSpeed::Medium)));
        QVERIFY(Control<award::LedPreview>("preview")->HasSketch());
        const QString notice = Control<QLabel>("notice")->toolTip();
        QVERIFY2(notice.contains(QStringLiteral("共 %1 個字").arg(text.size())) && notice.contains(QStringLiteral("秒")) &&
                     !notice.contains(QStringLiteral("句")),
                 qPrintable(notice));

        // Back to phrases: the run is the one it always was.
        Click("phraseMode");
        Click("Command4");
        QCOMPARE(Control<QPlainTextEdit>("Text3")->toPlainText(), AsShown(ReferenceSketch(text, 3, {})));
    }

    void noticesTellWhatARunAndACopyDid_data() {
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("keptAfterCopy");
        QTest::newRow("phrase too wide") << QStringLiteral("恭喜 全國技能競賽 ") << QStringLiteral("第 2 句「全國技能競賽」") << true;
        QTest::newRow("no last space") << QStringLiteral("恭喜 賀") << QStringLiteral("「賀」後面沒有空白") << true;
        QTest::newRow("all well") << QStringLiteral("恭喜 賀 ") << QStringLiteral("共 2 句") << false;
        QTest::newRow("too many phrases") << QStringLiteral("賀 ").repeated(award::kMega2560MaxFlashPhrases + 1)
                                          << QStringLiteral("多了 1 句") << true;
    }
    void noticesTellWhatARunAndACopyDid() {
        QFETCH(QString, banner);
        QFETCH(QString, expected);
        QFETCH(bool, keptAfterCopy);
        auto* notice = Control<QLabel>("notice");
        QVERIFY(notice->text().isEmpty());
        Control<QLineEdit>("Text4")->setText(banner);
        Click("Command1");
        QVERIFY2(notice->toolTip().contains(expected), qPrintable(notice->toolTip()));
        QVERIFY(notice->text().count(u'\n') <= 1);
        QVERIFY(notice->toolTip().startsWith(notice->text()));

        Click("Command2");
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(notice->text().startsWith(award::CopyNotice(award::ReadSketch(copied))));
        QCOMPARE(notice->toolTip().contains(expected), keptAfterCopy);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
