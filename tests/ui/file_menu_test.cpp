#include "files/AtomicFile.h"
#include "files/BannerFile.h"
#include "ui/FileMenu.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStringEncoder>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using award::FileMenu;
using award::Form1;

namespace {

// Presses a button of the message box about to open.
void Answer(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->button(button)->click();
    });
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Big5(const QString& text) { return QStringEncoder("Big5").encode(text); }

// As an input method gives Chinese text: whole, in one key event.
void Type(QLineEdit* field, const QString& text) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &key);
}

}  // namespace

class FileMenuTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Form1 form_;
    FileMenu* files_ = new FileMenu(form_);

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    QAction* MenuAction(const QString& text) {
        for (QAction* action : form_.FileMenuWidget()->actions())
            if (action->text() == text) return action;
        return nullptr;
    }

    void OpenAndType(const QString& path, const QString& typed) {
        form_.BannerField()->setModified(false);
        QVERIFY(files_->Open(path));
        form_.BannerField()->end(false);
        Type(form_.BannerField(), typed);
    }

    void openingOverUnsavedEditsAsksFirst() {
        const QString first = dir_.filePath(QStringLiteral("first.txt"));
        const QString second = dir_.filePath(QStringLiteral("second.txt"));
        QVERIFY(!award::SaveBannerFile(first, QStringLiteral("恭喜 ")));
        QVERIFY(!award::SaveBannerFile(second, QStringLiteral("賀\n")));
        QVERIFY(files_->Open(first));
        QVERIFY(form_.windowTitle().startsWith(Form1::kCaption));

        QTest::keyClicks(form_.BannerField(), QStringLiteral("x"));
        const QString edited = form_.BannerField()->text();
        QVERIFY(form_.isWindowModified());
        Answer(QMessageBox::Cancel);
        QVERIFY(!files_->Open(second));
        QCOMPARE(form_.BannerField()->text(), edited);

        Answer(QMessageBox::Discard);
        QVERIFY(files_->Open(second));
        QCOMPARE(form_.BannerField()->text(), QStringLiteral("賀 "));
        QVERIFY(form_.windowTitle().contains(QStringLiteral("second.txt")));
        QVERIFY(!form_.isWindowModified());
    }

    void exportWritesText3AsItIsAndReplacesOnlyWithConsent() {
        form_.SketchArea()->setPlainText(QStringLiteral("// 手改的草稿\nunsigned int num= 1;\n"));
        Answer(QMessageBox::Ok);
        QVERIFY(!files_->ExportTo(dir_.filePath(QStringLiteral("畢業典禮.ino"))));
        QVERIFY(QDir(dir_.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

        QVERIFY(files_->ExportTo(dir_.filePath(QStringLiteral("award list.ino"))));
        const QString sketch = dir_.filePath(QStringLiteral("award_list/award_list.ino"));
        const QByteArray written = Bytes(sketch);
        QCOMPARE(written, form_.Text3Text().toUtf8());
        QVERIFY(written.contains("\r\n"));

        // Picked inside the sketch's own folder, as when replacing it.
        form_.SketchArea()->appendPlainText(QStringLiteral("// 再改"));
        Answer(QMessageBox::No);
        QVERIFY(!files_->ExportTo(sketch));
        QCOMPARE(Bytes(sketch), written);
        Answer(QMessageBox::Yes);
        QVERIFY(files_->ExportTo(sketch));
        QCOMPARE(Bytes(sketch), form_.Text3Text().toUtf8());
    }

    void saveKeepsTheFormOfTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QMessageBox::StandardButton>("reply");
        QTest::addColumn<QByteArray>("saved");
        const QString lines = QStringLiteral("恭喜\r\n賀\r\n");
        const auto unasked = QMessageBox::NoButton;
        QTest::newRow("Big5 list of lines, edited") << Big5(lines) << QStringLiteral("林志遠 ") << unasked
                                                    << Big5(lines + QStringLiteral("林志遠\r\n"));
        QTest::newRow("Big5 list, a name added with a space first")
            << Big5(QStringLiteral("劉美玲\r\n")) << QStringLiteral(" 趙子涵") << unasked
            << Big5(QStringLiteral("劉美玲\r\n趙子涵"));
        const QByteArray own = Big5(QStringLiteral("林")) + "\xFA\x40\r\n";  // a school's own character
        QTest::newRow("Big5 user-defined character kept")
            << own << QStringLiteral("賀 ") << unasked << own + Big5(QStringLiteral("賀\r\n"));
        QTest::newRow("LF list, last line without a break") << QStringLiteral("恭喜\n賀").toUtf8() << QStringLiteral("林 ")
                                                            << unasked << QStringLiteral("恭喜\n賀\n林\n").toUtf8();
        QTest::newRow("no Big5 code, saved as UTF-8 when agreed")
            << Big5(lines) << QStringLiteral("堃 ") << QMessageBox::Yes << (lines + QStringLiteral("堃\r\n")).toUtf8();
        QTest::newRow("no Big5 code, kept when declined")
            << Big5(lines) << QStringLiteral("堃 ") << QMessageBox::No << Big5(lines);
    }

    void saveKeepsTheFormOfTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QMessageBox::StandardButton, reply);
        QFETCH(QByteArray, saved);
        const QString path = dir_.filePath(QStringLiteral("名單.txt"));
        QVERIFY(!award::WriteAtomically(path, file));
        OpenAndType(path, typed);
        bool named = reply == QMessageBox::NoButton;  // a question would hold the test up
        if (!named) {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                named = box->text().contains(typed.trimmed());
                box->button(reply)->click();
            });
        }
        MenuAction(QStringLiteral("儲存橫幅文字"))->trigger();
        QVERIFY(named);
        QCOMPARE(Bytes(path), saved);
        QCOMPARE(form_.isWindowModified(), reply == QMessageBox::No);
    }

    void saveAsAddsTheTextSuffix() {
        form_.BannerField()->setText(QStringLiteral("恭喜 "));
        const QString typed = dir_.filePath(QStringLiteral("新名單"));
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->selectFile(typed);
                static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
            }
        });
        MenuAction(QStringLiteral("另存新檔…"))->trigger();
        QCOMPARE(award::ReadBannerFile(typed + QStringLiteral(".txt")).text, QStringLiteral("恭喜 "));
        QVERIFY(!QFile::exists(typed));
    }

    void closingAsksOnlyForABannerWithAFile() {
        form_.show();
        const QString path = dir_.filePath(QStringLiteral("close.txt"));
        QVERIFY(!award::WriteAtomically(path, "恭喜 "));
        OpenAndType(path, QStringLiteral("賀 "));
        Answer(QMessageBox::Cancel);
        QVERIFY(!form_.close());
        QVERIFY(form_.isVisible());
        Answer(QMessageBox::Save);
        QVERIFY(form_.close());
        QCOMPARE(Bytes(path), QByteArray("恭喜 賀 "));

        Form1 fresh;
        new FileMenu(fresh);
        fresh.show();
        Type(fresh.BannerField(), QStringLiteral("賀 "));
        QTimer::singleShot(0, [] {  // would keep the window open if anything asked
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        });
        QVERIFY(fresh.close());
        QCoreApplication::processEvents();
    }

    // Last: it ends the program as the button does.
    void exitInTheMenuPressesTheExitButton() {
        QSignalSpy pressed(form_.findChild<QAbstractButton*>(QStringLiteral("Command3")), &QAbstractButton::clicked);
        const QList<QAction*> actions = form_.FileMenuWidget()->actions();
        const auto exit = std::find_if(actions.begin(), actions.end(),
                                       [](const QAction* action) { return action->text() == QStringLiteral("結束"); });
        QVERIFY(exit != actions.end());
        (*exit)->trigger();
        QCOMPARE(pressed.count(), 1);
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
