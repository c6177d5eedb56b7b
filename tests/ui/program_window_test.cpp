#include "PictureSamples.h"
#include "files/ProgramFile.h"
#include "program/ProgramConverter.h"
#include "engine/Shows.h"
#include "program/ProgramWriter.h"
#include "sign/ColumnWords.h"
#include "sign/SignGeometry.h"
#include "sign/SignTiming.h"
#include "surface/DrawingSurface.h"
#include "surface/FaceResolver.h"
#include "ui/Form1.h"
#include "ui/LedPreview.h"
#include "ui/ProgramMenu.h"
#include "ui/ProgramWindow.h"
#include "AnswerMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace award;

namespace {

ColumnWords Shown(const LedPreview& preview) {
    ColumnWords words{};
    for (int column = 0; column < kSignColumns; ++column)
        for (int row = 0; row < kSignRows; ++row)
            if (preview.Lit(column, row)) words[std::size_t(column)] |= std::uint16_t(1u << row);
    return words;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Chooses the file in the file dialog about to open.
void ChooseFile(const QString& path, int triesLeft = 6000) {
    QTimer::singleShot(10, [path, triesLeft] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0) ChooseFile(path, triesLeft - 1);
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

QStringList Texts(const Program& program) {
    QStringList texts;
    for (const ProgramItem& item : program) texts << item.text;
    return texts;
}

ProgramItem Item(const QString& text, ItemStyle style, double hold = 1.5, MarqueeSpeed speed = MarqueeSpeed::Medium,
                 ItemAlign align = ItemAlign::Centre) {
    return {text, style, hold, speed, align};
}

}  // namespace

class ProgramWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form_;
    ProgramMenu* menu_ = nullptr;
    QTemporaryDir dir_;

    ProgramWindow& Window() { return menu_->Window(); }
    ProgramTableModel& Model() { return menu_->Window().Model(); }
    void Press(const char* name) { Window().findChild<QAbstractButton*>(QLatin1String(name))->click(); }
    void SelectRow(int row) { Window().Table()->setCurrentIndex(Model().index(row, 0)); }
    // What the window's choices make of the items, converted apart from it.
    ProgramFrames::Item Expected(const ProgramItem& item) {
        DrawingSurface surface;
        surface.SetStyle(form_->Options(form_->FirstScanRow()).style);
        return ProgramConverter(surface).Frames({item}, form_->FirstScanRow()).items.at(0);
    }

private slots:
    void init() {
        form_ = std::make_unique<Form1>();
        menu_ = new ProgramMenu(*form_);
    }

    void modelTakesOnlyValuesTheSignKeeps_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("shown");  // empty when refused
        QTest::newRow("least hold") << int(ProgramTableModel::Hold) << QVariant(0.5) << "0.5";
        QTest::newRow("most hold") << int(ProgramTableModel::Hold) << QVariant(60.0) << "60.0";
        QTest::newRow("hold typed as text") << int(ProgramTableModel::Hold) << QVariant("2.3") << "2.3";
        QTest::newRow("hold below the least") << int(ProgramTableModel::Hold) << QVariant(0.4) << "";
        QTest::newRow("hold above the most") << int(ProgramTableModel::Hold) << QVariant(60.1) << "";
        QTest::newRow("hold between steps") << int(ProgramTableModel::Hold) << QVariant(2.25) << "";
        QTest::newRow("hold not a number") << int(ProgramTableModel::Hold) << QVariant("兩秒") << "";
        QTest::newRow("named style") << int(ProgramTableModel::Style) << QVariant("閃爍") << "閃爍";
        QTest::newRow("a later style") << int(ProgramTableModel::Style) << QVariant("百葉窗") << "百葉窗";
        QTest::newRow("unknown style") << int(ProgramTableModel::Style) << QVariant("跳動") << "";
        QTest::newRow("named speed") << int(ProgramTableModel::Speed) << QVariant("快") << "快";
        QTest::newRow("unknown alignment") << int(ProgramTableModel::Align) << QVariant("靠右") << "";
        QTest::newRow("text with a page break") << int(ProgramTableModel::Text) << QVariant("恭喜\n賀") << "恭喜\n賀";
        QTest::newRow("threshold level") << int(ProgramTableModel::Threshold) << QVariant(90) << "90";
        QTest::newRow("threshold left to the picture") << int(ProgramTableModel::Threshold) << QVariant(0) << "自動";
        QTest::newRow("threshold typed as 自動") << int(ProgramTableModel::Threshold) << QVariant("自動") << "自動";
        QTest::newRow("threshold past white") << int(ProgramTableModel::Threshold) << QVariant(256) << "";
        QTest::newRow("threshold in words") << int(ProgramTableModel::Threshold) << QVariant("亮") << "";
        QTest::newRow("picture that is not there") << int(ProgramTableModel::Picture) << QVariant("/沒有/校徽.png") << "";
    }

    void modelTakesOnlyValuesTheSignKeeps() {
        QFETCH(int, column);
        QFETCH(QVariant, value);
        QFETCH(QString, shown);
        Model().Add(-1);
        const QModelIndex cell = Model().index(0, column);
        const QVariant before = cell.data();
        QCOMPARE(Model().setData(cell, value), !shown.isEmpty());
        QCOMPARE(cell.data().toString(), shown.isEmpty() ? before.toString() : shown);
    }

    void buttonsEditTheItemInHand() {
        for (const char* text : {"甲", "乙", "丙"}) {
            Press("addItem");
            Model().setData(Window().Table()->currentIndex(), QString::fromUtf8(text));
        }
        QCOMPARE(Texts(Model().Items()), QStringList({"甲", "乙", "丙"}));
        SelectRow(0);
        Press("moveItemUp");  // already first: stays
        Press("duplicateItem");
        Press("moveItemDown");
        Press("moveItemDown");
        QCOMPARE(Texts(Model().Items()), QStringList({"甲", "乙", "丙", "甲"}));
        Press("moveItemDown");  // already last: stays
        SelectRow(1);
        Press("removeItem");
        QCOMPARE(Texts(Model().Items()), QStringList({"甲", "丙", "甲"}));
        QCOMPARE(Window().Table()->currentIndex().row(), 1);
        QVERIFY(Model().Modified());
    }

    void itemsFromBanner_data() {
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("phrases each ended by a space") << "恭喜 林志遠 同學 " << QStringList{"恭喜", "林志遠", "同學"};
        QTest::newRow("text after the last space left out") << "恭喜 賀" << QStringList{"恭喜"};
        QTest::newRow("two spaces make an empty phrase") << "恭喜  賀 " << QStringList{"恭喜", "", "賀"};
        QTest::newRow("no space at all") << "恭喜" << QStringList{};
    }

    void itemsFromBanner() {
        QFETCH(QString, banner);
        QFETCH(QStringList, texts);
        const Program items = ProgramWindow::ItemsFromBanner(banner);
        QCOMPARE(Texts(items), texts);
        for (const ProgramItem& item : items) {
            QCOMPARE(item.style, ItemStyle::Static);
            QCOMPARE(item.align, ItemAlign::Centre);
        }
    }

    void buildingFromBannerAsksWhetherToAddOrReplace() {
        form_->BannerField()->setText(QStringLiteral("恭喜 賀 "));
        Press("itemsFromBanner");
        QCOMPARE(Texts(Model().Items()), QStringList({"恭喜", "賀"}));
        form_->BannerField()->setText(QStringLiteral("明德高工 "));
        Answer(QMessageBox::Cancel);
        Press("itemsFromBanner");
        QCOMPARE(Model().rowCount(), 2);
        Answer(QMessageBox::Yes);
        Press("itemsFromBanner");
        QVERIFY2(said.contains(QStringLiteral("加在後面")), qPrintable(said));
        QCOMPARE(Texts(Model().Items()), QStringList({"恭喜", "賀", "明德高工"}));
        Window().UndoStack().undo();
        QCOMPARE(Model().rowCount(), 2);
        Answer(QMessageBox::YesToAll);
        Press("itemsFromBanner");
        QCOMPARE(Texts(Model().Items()), QStringList({"明德高工"}));
    }

    void selectingOrEditingAnItemPlaysItInThePreview() {
        Model().SetItems({Item(QStringLiteral("賀"), ItemStyle::Static), Item(QStringLiteral("恭喜"), ItemStyle::Blink)});
        LedPreview& preview = *form_->Preview();
        SelectRow(1);
        QCOMPARE(preview.FrameCount(), 1);
        QVERIFY(Shown(preview) == Expected(Model().Item(1)).pages.at(0));
        Model().setData(Model().index(1, ProgramTableModel::Text), QStringLiteral("賀喜"));
        QVERIFY(Shown(preview) == Expected(Model().Item(1)).pages.at(0));
        QVERIFY(Shown(preview) != Expected(Model().Item(0)).pages.at(0));
        SelectRow(0);
        QVERIFY(Shown(preview) == Expected(Model().Item(0)).pages.at(0));
    }

    // An item that scrolls has no pages: the line below the table names its way.
    void previewedItemIsTakenInPagesOrAsAScroll() {
        Model().SetItems({Item(QStringLiteral("恭喜\n賀"), ItemStyle::Dissolve), Item(QStringLiteral("恭喜"), ItemStyle::ScrollRight)});
        const auto status = [this] { return Window().findChild<QLabel*>(QStringLiteral("programStatus"))->text(); };
        SelectRow(0);
        QVERIFY2(status().contains(QStringLiteral("2 頁")), qPrintable(status()));
        SelectRow(1);
        QVERIFY2(status().contains(StyleName(ItemStyle::ScrollRight)) && !status().contains(u'頁'), qPrintable(status()));
    }

    // Every image of a cycle in order, each for its time, then item 1 again.
    void previewPlaysAProgramAtTheBoardsPace() {
        DrawingSurface surface;
        const ProgramFrames frames = ProgramConverter(surface).Frames(
            {Item(QStringLiteral("恭喜林志遠同學"), ItemStyle::Static, 0.7),
             Item(QStringLiteral("賀"), ItemStyle::Blink), Item(QStringLiteral("金牌"), ItemStyle::ScrollUp, 0.5),
             Item(QStringLiteral("特此恭賀"), ItemStyle::ScrollLeft, 1.5, MarqueeSpeed::Fast),
             Item(QStringLiteral("與有榮焉"), ItemStyle::Wipe, 0.5, MarqueeSpeed::Fast)},
            FirstScanRow::Row3);
        LedPreview preview;
        preview.SetSketchText(ProgramWriter::Sketch(frames));
        QCOMPARE(preview.FrameCount(), 5);
        const Shows shows = ShowsOf(frames);
        const std::vector<ShownImage> cycle = PlayedCycle(shows);
        std::uint64_t columns = 0;
        long long milliseconds = 0;
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            QVERIFY2(Shown(preview) == cycle[i].words, qPrintable(QStringLiteral("image %1").arg(i)));
            columns += cycle[i].columns;
            milliseconds += preview.PhaseMilliseconds();
            preview.Step();
        }
        QCOMPARE(milliseconds, std::llround(Milliseconds(columns, shows.columnCycles)));
        QCOMPARE(preview.ShownFrame(), 1);
        QVERIFY(Shown(preview) == cycle.front().words);
    }

    void appliedProgramIsWhatTheCommandWrites() {
        form_->findChild<QAbstractButton*>(QStringLiteral("Option2"))->click();
        form_->findChild<QAbstractButton*>(QStringLiteral("Check1"))->click();
        form_->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
        const std::vector<std::pair<int, QVariant>> edits[] = {
            {{ProgramTableModel::Text, "明德高工"}, {ProgramTableModel::Align, "靠左"}, {ProgramTableModel::Hold, 2.0}},
            {{ProgramTableModel::Text, "資訊科, \"三甲\"\n林志遠"}, {ProgramTableModel::Style, "上移"},
             {ProgramTableModel::Speed, "快"}},
            {{ProgramTableModel::Text, "全國技能競賽金牌"}, {ProgramTableModel::Style, "左移"}},
        };
        for (const auto& cells : edits) {
            const int row = Model().Add(Model().rowCount() - 1);
            for (const auto& [column, value] : cells) QVERIFY(Model().setData(Model().index(row, column), value));
        }
        form_->BannerField()->setText(QStringLiteral("恭喜 "));  // the banner's sketch now out of date
        QVERIFY(Window().Apply());
        QVERIFY(menu_->SaveTo(dir_.filePath(QStringLiteral("典禮"))));
        QVERIFY(!Model().Modified());

        QProcess command;
        command.start(QStringLiteral(AWARD_SKETCH_COMMAND),
                      {QStringLiteral("--program"), dir_.filePath(QStringLiteral("典禮.csv")), QStringLiteral("--font"),
                       kKaiFaceName, QStringLiteral("--bold"), QStringLiteral("--first-row"), QStringLiteral("1")});
        QVERIFY(command.waitForFinished(60000));
        QCOMPARE(command.exitCode(), 0);
        QCOMPARE(form_->Text3Text(), QString::fromUtf8(command.readAllStandardOutput()));
        // Applied, the program is the sketch to use: no question before it leaves the window.
        QTimer closer;  // gone with the test when no question comes
        connect(&closer, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        closer.start(0);
        QVERIFY(form_->ConfirmCurrentSketch(Form1::SketchUse::Upload));
        QVERIFY(form_->Preview()->HasSketch());
        QCOMPARE(form_->Preview()->FrameCount(), 3);
    }

    // Once applied, the program is what Text3 is current against, until a run button is pressed.
    void appliedProgramIsCurrentWhileItsItemsFaceAndStyleStay() {
        const auto click = [this](const char* name) { form_->findChild<QAbstractButton*>(name)->click(); };
        Model().SetItems({Item(QStringLiteral("明德高工"), ItemStyle::Static)});
        QVERIFY(Window().Apply());
        form_->BannerField()->setText(QStringLiteral("恭喜 "));
        click("marqueeMode");
        form_->findChild<QComboBox*>(QStringLiteral("marqueeSpeed"))->setCurrentIndex(2);
        QVERIFY(!form_->SketchOutOfDate());
        Model().setData(Model().index(0, ProgramTableModel::Text), QStringLiteral("金牌"));
        QVERIFY(form_->SketchOutOfDate());
        // The default answer applies the program again.
        Answer(QMessageBox::NoButton);
        QVERIFY(form_->ConfirmCurrentSketch(Form1::SketchUse::Export) && !form_->SketchOutOfDate());
        const QString confirmed = form_->Text3Text();
        QVERIFY(Window().Apply());
        QCOMPARE(form_->Text3Text(), confirmed);
        click("Check2");
        QVERIFY(form_->SketchOutOfDate());
        click("Command4");
        Model().setData(Model().index(0, ProgramTableModel::Text), QStringLiteral("賀"));
        QVERIFY(!form_->SketchOutOfDate());
    }

    // The line under the table follows what the items show: with a wider
    // picture the same text scrolls for longer.
    void lengthFollowsTheItemsPictures() {
        const auto length = [this] { return Window().findChild<QLabel*>(QStringLiteral("programLength"))->text(); };
        const QString narrow = dir_.filePath(QStringLiteral("窄.png"));
        const QString wide = dir_.filePath(QStringLiteral("寬.png"));
        QVERIFY(WriteFile(narrow, Encoded(PatternPicture(16, 6).rows, "png")));
        QVERIFY(WriteFile(wide, Encoded(PatternPicture(400, 6).rows, "png")));
        Model().SetItems({Item(QStringLiteral("恭喜"), ItemStyle::ScrollLeft)});
        QVERIFY(!Model().SetPicture(0, narrow));
        QTRY_VERIFY(length().contains(QStringLiteral("播一輪")));
        const QString withNarrow = length();
        QVERIFY(!Model().SetPicture(0, wide));
        QTRY_VERIFY2(length().contains(QStringLiteral("播一輪")) && length() != withNarrow, qPrintable(length()));
    }

    // Chosen through the cell's own button and the file dialog, the picture
    // plays at once, as do a moved threshold and 反相; each is one step to
    // undo, and a file that is no picture changes nothing.
    void pictureCellChoosesPlaysAndUndoes() {
        const QString logo = dir_.filePath(QStringLiteral("校徽.png"));
        const QString notes = dir_.filePath(QStringLiteral("名單.png"));
        QVERIFY(WriteFile(logo, Encoded(PatternPicture(24, 6).rows, "png")));
        QVERIFY(WriteFile(notes, QStringLiteral("王小明\n").toUtf8()));
        Model().SetItems({Item(QStringLiteral("恭喜"), ItemStyle::Static)});
        SelectRow(0);
        LedPreview& preview = *form_->Preview();
        const ColumnWords textAlone = Shown(preview);

        QTableView* table = Window().Table();
        const QModelIndex cell = Model().index(0, ProgramTableModel::Picture);
        table->setCurrentIndex(cell);
        table->edit(cell);
        QWidget* editor = table->indexWidget(cell);
        QVERIFY(editor);
        ChooseFile(logo);
        editor->findChild<QToolButton*>(QStringLiteral("choosePicture"))->click();
        QCOMPARE(Model().Item(0).picture.path, logo);
        QCOMPARE(cell.data().toString(), QStringLiteral("校徽.png"));
        QCOMPARE(cell.data(Qt::DecorationRole).value<QImage>().size(), QSize(2 * 24, 2 * kSignRows));
        QVERIFY(Model().index(0, ProgramTableModel::Threshold).data().toString().startsWith(QStringLiteral("自動（")));
        const ColumnWords withPicture = Shown(preview);
        QVERIFY(withPicture == Expected(Model().Item(0)).pages.at(0));
        QVERIFY(withPicture != textAlone);

        QVERIFY(Model().setData(Model().index(0, ProgramTableModel::Threshold), 40));
        QVERIFY(Model().setData(Model().index(0, ProgramTableModel::Threshold), 30));
        QVERIFY(Shown(preview) == Expected(Model().Item(0)).pages.at(0));
        QVERIFY(Model().setData(Model().index(0, ProgramTableModel::Inverted), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(Model().Item(0).picture.inverted);
        QVERIFY(Shown(preview) == Expected(Model().Item(0)).pages.at(0));

        const int steps = Window().UndoStack().count();
        const ProgramItem kept = Model().Item(0);
        const auto why = Model().SetPicture(0, notes);
        QVERIFY(why && why->contains(QStringLiteral("PNG、JPEG、BMP 或 GIF")));
        QCOMPARE(Window().UndoStack().count(), steps);
        QVERIFY(Model().Item(0) == kept);

        for (int undo = 0; undo < 3; ++undo) Window().UndoStack().undo();
        QVERIFY(Model().Item(0).picture == ItemPicture{});
        QVERIFY(Shown(preview) == textAlone);
        Window().UndoStack().redo();
        QVERIFY(Shown(preview) == withPicture);

        table->edit(cell);
        editor = table->indexWidget(cell);
        QVERIFY(editor);
        editor->findChild<QToolButton*>(QStringLiteral("clearPicture"))->click();
        QVERIFY(Model().Item(0).picture == ItemPicture{});
        QVERIFY(Shown(preview) == textAlone);
    }

    void openingRefusesABadFileWhole() {
        QMenu* files = form_->FileMenuWidget();
        QStringList captions;
        for (const QAction* action : files->actions()) captions << action->text();
        QVERIFY(captions.contains(QStringLiteral("開啟節目…")) && captions.contains(QStringLiteral("儲存節目…")));
        const QList<QAction*> bar = form_->menuBar()->actions();
        QCOMPARE(bar.indexOf(form_->ProgramMenuWidget()->menuAction()), bar.indexOf(form_->BoardMenuWidget()->menuAction()) + 1);

        const QString path = dir_.filePath(QStringLiteral("壞.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((ProgramCsvHeader() + QStringLiteral("\n恭喜,靜止,2.0,,\n賀,跳動,,,\n")).toUtf8());
        file.close();
        Model().SetItems({Item(QStringLiteral("原有"), ItemStyle::Wipe)});
        Answer(QMessageBox::Ok);
        QVERIFY(!menu_->Open(path));
        QVERIFY(said.contains(QStringLiteral("第 3 列")));
        QCOMPARE(Texts(Model().Items()), QStringList({"原有"}));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((ProgramCsvHeader() + QStringLiteral("\n恭喜,靜止,2.0,,\n賀,閃爍,,,\n")).toUtf8());
        file.close();
        QVERIFY(menu_->Open(path));
        QCOMPARE(Texts(Model().Items()), QStringList({"恭喜", "賀"}));
        QCOMPARE(Model().Item(1).style, ItemStyle::Blink);
        QVERIFY(Window().isVisible());
        QVERIFY(Shown(*form_->Preview()) == Expected(Model().Item(0)).pages.at(0));
    }
};

QTEST_MAIN(ProgramWindowTest)
#include "program_window_test.moc"
