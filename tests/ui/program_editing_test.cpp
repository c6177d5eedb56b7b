// The 節目表 as a teacher edits it: long texts and line breaks in a cell,
// the question before unsaved items end with the program, where the window
// opens, and the preview of one item.

#include "program/ProgramFormat.h"
#include "files/AtomicFile.h"
#include "files/ProgramFile.h"
#include "program/ProgramConverter.h"
#include "sign/FigureWords.h"
#include "sign/Mega2560.h"
#include "surface/DrawingSurface.h"
#include "ui/FileMenu.h"
#include "ui/Form1.h"
#include "ui/LedPreview.h"
#include "ui/ProgramMenu.h"
#include "ui/ProgramWindow.h"
#include "AnswerMessageBox.h"
#include "ui/ProgramWindowPlace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using namespace award;

namespace {

int AmberPixels(QWidget& widget) {
    const QImage picture = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int amber = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            amber += colour.red() > 200 && colour.green() > 150 && colour.blue() < 80;
        }
    return amber;
}

}  // namespace

class ProgramEditingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form_;
    ProgramMenu* menu_ = nullptr;

    ProgramWindow& Window() { return menu_->Window(); }
    ProgramTableModel& Model() { return menu_->Window().Model(); }
    void ShowWindow() {
        for (QAction* action : form_->ProgramMenuWidget()->actions())
            if (action->text() == QStringLiteral("節目表…")) action->trigger();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QSettings().clear();
        form_ = std::make_unique<Form1>();
        new FileMenu(*form_);
        menu_ = new ProgramMenu(*form_);
    }

    void cellKeepsEveryCharacterAndTakesLineBreaks_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("lineBreak");
        QTest::addColumn<QString>("after");
        const QString long40k(40000, u'賀');
        QTest::newRow("40,000 characters, one more typed") << long40k << false << long40k + u'X';
        QTest::newRow("Shift+Enter breaks the line") << QStringLiteral("恭喜") << true << QStringLiteral("恭喜\nX");
    }

    // As typed: into the cell, End, maybe Shift+Enter, X, then Enter.
    void cellKeepsEveryCharacterAndTakesLineBreaks() {
        QFETCH(QString, before);
        QFETCH(bool, lineBreak);
        QFETCH(QString, after);
        Model().SetItems({ProgramItem{before, ItemStyle::ScrollLeft}});
        const QModelIndex cell = Model().index(0, ProgramTableModel::Text);
        QTableView* table = Window().Table();
        table->setCurrentIndex(cell);
        table->edit(cell);
        QWidget* editor = table->indexWidget(cell);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_End);
        if (lineBreak) QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(editor, QStringLiteral("X"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Model().Item(0).text.size(), after.size());
        QCOMPARE(Model().Item(0).text, after);
    }

    // A program longer than the board holds is refused at once, with the
    // limit; a big file is read while the window goes on answering.
    void openingRefusesMoreItemsThanTheBoardHolds_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("readAside");
        QTest::newRow("one too many") << kProgramMaxItems + 1 << false;
        QTest::newRow("40,000 rows, a file read aside") << 40000 << true;
    }
    void openingRefusesMoreItemsThanTheBoardHolds() {
        QFETCH(int, items);
        QFETCH(bool, readAside);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("長.csv"));
        QByteArray csv = (ProgramCsvHeader() + QStringLiteral("\n")).toUtf8();
        for (int i = 0; i < items; ++i) csv += "賀,,,,\n";
        QVERIFY(!WriteAtomically(path, csv));
        Model().SetItems({ProgramItem{QStringLiteral("原有")}});
        int ticks = 0;
        QTimer ticking;
        // Counted until the refusal shows, whose own loop runs the timer too.
        connect(&ticking, &QTimer::timeout, [&] {
            if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) ticking.stop();
            else ++ticks;
        });
        ticking.start(0);
        Answer(QMessageBox::Ok);
        QVERIFY(!menu_->Open(path));
        QVERIFY(said.contains(QLocale(QLocale::English).toString(kProgramMaxItems)));
        QVERIFY(said.contains(QLocale(QLocale::English).toString(items)));
        QCOMPARE(Model().rowCount(), 1);
        // Showing the refusal lets a tick or two through; a read aside, thousands.
        if (readAside) QVERIFY2(ticks > 100, "the window stood still while the file was read");
    }

    // The close button and 結束 both close the main window first.
    void closingAsksAboutUnsavedItems() {
        form_->show();
        Model().Add(-1, ProgramItem{QStringLiteral("恭喜")});
        Answer(QMessageBox::Cancel);
        QVERIFY(!form_->close());
        QVERIFY(said.contains(QStringLiteral("節目表")));
        QCOMPARE(Model().rowCount(), 1);
        Answer(QMessageBox::Discard);
        QVERIFY(form_->close());
    }

    // On a 1366 x 768 screen the window, wider than half of it, cannot stand
    // beside the main one; it must still leave the preview in sight.
    void windowLeavesThePreviewInSightAndStaysWhereItWasPut() {
        form_->show();
        const QRect frame(QPoint(0, 0), form_->frameGeometry().size());
        const QRect preview(form_->Preview()->mapToGlobal(QPoint()) - form_->frameGeometry().topLeft(),
                            form_->Preview()->size());
        const QRect screen(0, 0, 1366, 738);  // without the task bar
        const QRect place = ProgramWindowPlace(screen, frame, preview, Window().frameGeometry().size());
        QVERIFY(!place.intersects(preview));
        QVERIFY(screen.contains(place));
        QVERIFY(place.height() >= Window().minimumSizeHint().height());

        ShowWindow();
        Window().move(123, 234);
        Window().hide();
        form_ = std::make_unique<Form1>();
        menu_ = new ProgramMenu(*form_);
        ShowWindow();
        QCOMPARE(Window().pos(), QPoint(123, 234));
    }

    // Deleting, editing, adding and moving, each undone by Ctrl+Z in turn and
    // done again by Ctrl+Y; the main window's keys work here too.
    void everyEditUndoesWithTheKeys() {
        Model().SetItems({ProgramItem{QStringLiteral("甲")}, ProgramItem{QStringLiteral("乙")},
                          ProgramItem{QStringLiteral("丙")}});
        ShowWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
        QTableView* table = Window().Table();
        const auto press = [this](const char* name) { Window().findChild<QAbstractButton*>(QLatin1String(name))->click(); };
        std::vector<Program> steps{Model().Items()};
        table->setCurrentIndex(Model().index(1, 0));
        press("removeItem");
        steps.push_back(Model().Items());
        Model().setData(Model().index(0, ProgramTableModel::Hold), 3.0);
        steps.push_back(Model().Items());
        table->setCurrentIndex(Model().index(0, 0));
        press("duplicateItem");
        steps.push_back(Model().Items());
        press("moveItemDown");
        steps.push_back(Model().Items());
        // A row dragged to the top, as the view hands the drop to the table.
        const std::unique_ptr<QMimeData> dragged(Model().mimeData({Model().index(2, 0)}));
        QVERIFY(!Model().dropMimeData(dragged.get(), Qt::MoveAction, 0, 0, {}));
        QCOMPARE(Model().Items().front(), steps.back().back());
        steps.push_back(Model().Items());
        QCOMPARE(Model().rowCount(), 3);
        for (auto step = steps.rbegin() + 1; step != steps.rend(); ++step) {
            QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(Model().Items() == *step);
        }
        for (auto step = steps.begin() + 1; step != steps.end(); ++step) {
            QTest::keyClick(table, Qt::Key_Y, Qt::ControlModifier);
            QVERIFY(Model().Items() == *step);
        }

        QAction* saveBanner = nullptr;
        for (QAction* action : form_->FileMenuWidget()->actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_S)) saveBanner = action;
        QVERIFY(saveBanner);
        QSignalSpy saved(saveBanner, &QAction::triggered);
        // A banner without a file asks where to save it.
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);
    }

    // The length follows each edit as the command would count it; ten
    // thousand pasted lines are refused at once and the preview goes dark.
    void lengthFollowsEditsAndAnItemThatCannotFitIsRefusedAtOnce() {
        Model().SetItems({ProgramItem{QStringLiteral("恭喜")}, ProgramItem{QStringLiteral("賀"), ItemStyle::Blink}});
        ShowWindow();
        auto* length = Window().findChild<QLabel*>(QStringLiteral("programLength"));
        const auto counted = [&] {
            DrawingSurface surface;
            ProgramConverter converter{surface};
            converter.ConvertProgram(Model().Items(), form_->Options(form_->FirstScanRow()));
            return QStringLiteral("約 %1 秒").arg(converter.LastReport().secondsPerCycle, 0, 'f', 1);
        };
        QTRY_VERIFY2(length->text().contains(counted()), qPrintable(length->text()));
        Model().setData(Model().index(0, ProgramTableModel::Hold), 7.5);
        QTRY_VERIFY2(length->text().contains(counted()), qPrintable(length->text()));

        Window().Table()->setCurrentIndex(Model().index(1, 0));
        QVERIFY(form_->Preview()->HasSketch());
        Model().setData(Model().index(1, ProgramTableModel::Text), QStringLiteral("賀\n").repeated(10000));
        const QString status = Window().findChild<QLabel*>(QStringLiteral("programStatus"))->text();
        QVERIFY2(status.contains(QStringLiteral("至少")), qPrintable(status));
        QVERIFY(!form_->Preview()->HasSketch());
        QTRY_VERIFY2(length->text().contains(Thousands(kMega2560ProgramBytes)), qPrintable(length->text()));
    }

    // One item played on its own is not an out-of-date sketch.
    void previewedItemIsNotMarkedOutOfDate() {
        form_->BannerField()->setText(QStringLiteral("恭喜 "));
        form_->findChild<QAbstractButton*>(QStringLiteral("Command4"))->click();
        QTest::keyClicks(form_->BannerField(), QStringLiteral("x "));
        QVERIFY(form_->SketchOutOfDate());
        QVERIFY(AmberPixels(*form_->Preview()) > 0);
        Model().SetItems({ProgramItem{QStringLiteral("金牌")}});
        QVERIFY(Window().PlayItem(0));
        QCOMPARE(AmberPixels(*form_->Preview()), 0);
    }
};

QTEST_MAIN(ProgramEditingTest)
#include "program_editing_test.moc"
