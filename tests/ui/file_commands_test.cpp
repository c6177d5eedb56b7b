#include "files/BannerFile.h"
#include "ui/FileCommands.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStringEncoder>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using award::FileCommands;
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

bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Big5(const QString& text) { return QStringEncoder("Big5").encode(text); }

// As an input method gives Chinese text: whole, in one key event.
void Type(QLineEdit* field, const QString& text) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &key);
}

// How a test answers the message box a command may open.
enum class Reply { None, Yes, No };

}  // namespace

Q_DECLARE_METATYPE(Reply)

class FileCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Form1 form_;
    FileCommands* files_ = new FileCommands(form_);

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    QAction* MenuAction(const QString& text) {
        for (QAction* action : form_.FileMenu()->actions())
            if (action->text() == text) return action;
        return nullptr;
    }

    QString Notices() { return form_.findChild<QLabel*>(QStringLiteral("notice"))->toolTip(); }

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
        QTest::addColumn<Reply>("reply");
        QTest::addColumn<QByteArray>("saved");
        const QString lines = QStringLiteral("恭喜\r\n賀\r\n");
        QTest::newRow("Big5 list of lines, edited") << Big5(lines) << QStringLiteral("林志遠 ") << Reply::None
                                                    << Big5(lines + QStringLiteral("林志遠\r\n"));
        QTest::newRow("LF list whose last line had no break") << QStringLiteral("恭喜\n賀").toUtf8() << QStringLiteral("林 ")
                                                              << Reply::None << QStringLiteral("恭喜\n賀\n林\n").toUtf8();
        QTest::newRow("no Big5 code, saved as UTF-8 when agreed")
            << Big5(lines) << QStringLiteral("堃 ") << Reply::Yes << (lines + QStringLiteral("堃\r\n")).toUtf8();
        QTest::newRow("no Big5 code, kept when declined") << Big5(lines) << QStringLiteral("堃 ") << Reply::No << Big5(lines);
    }

    void saveKeepsTheFormOfTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(Reply, reply);
        QFETCH(QByteArray, saved);
        const QString path = dir_.filePath(QStringLiteral("名單.txt"));
        QVERIFY(Write(path, file));
        OpenAndType(path, typed);
        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            asked = box->text().contains(typed.trimmed());
            box->button(reply == Reply::Yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        MenuAction(QStringLiteral("儲存橫幅文字"))->trigger();
        QCOMPARE(asked, reply != Reply::None);
        QCOMPARE(Bytes(path), saved);
        QCOMPARE(form_.isWindowModified(), reply == Reply::No);
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
        QVERIFY(Write(path, "恭喜 "));
        OpenAndType(path, QStringLiteral("賀 "));
        Answer(QMessageBox::Cancel);
        QVERIFY(!form_.close());
        QVERIFY(form_.isVisible());
        Answer(QMessageBox::Save);
        QVERIFY(form_.close());
        QCOMPARE(Bytes(path), QByteArray("恭喜 賀 "));

        Form1 fresh;
        new FileCommands(fresh);
        fresh.show();
        Type(fresh.BannerField(), QStringLiteral("賀 "));
        bool asked = false;
        QTimer::singleShot(0, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->reject();
            }
        });
        QVERIFY(fresh.close());
        QCoreApplication::processEvents();
        QVERIFY(!asked);
    }

    // A pipe with no writer would hold the window for good.
    void openingAPipeIsRefusedAtOnce() {
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString before = form_.BannerField()->text();
        QString told;
        QTimer::singleShot(0, [&told] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                told = box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        QVERIFY(!files_->Open(fifo));
        QVERIFY2(told.contains(QStringLiteral("FIFO")), qPrintable(told));
        QCOMPARE(form_.BannerField()->text(), before);
    }

    void aFullDiskKeepsTheOldFileAndSaysSo_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("save") << QStringLiteral("save");
        QTest::newRow("save as over another file") << QStringLiteral("save as");
        QTest::newRow("export") << QStringLiteral("export");
    }

    void aFullDiskKeepsTheOldFileAndSaysSo() {
        QFETCH(QString, command);
        const QString banner = dir_.filePath(QStringLiteral("full.txt"));
        const QString other = dir_.filePath(QStringLiteral("other.txt"));
        const QString sketch = dir_.filePath(QStringLiteral("full/full.ino"));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("full")));
        for (const QString& path : {banner, other, sketch}) QVERIFY(Write(path, "old\n"));
        QVERIFY(files_->Open(banner));
        form_.BannerField()->setText(QString(3000, u'賀'));  // under Qt's 16 KiB write buffer
        form_.SketchArea()->setPlainText(QString(3000, u'賀'));
        const QString target = command == QStringLiteral("save") ? banner : command == QStringLiteral("export") ? sketch : other;

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit full{4096, limit.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        // Yes to replacing the sketch, then Ok to the failure.
        QTimer agree;
        QObject::connect(&agree, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok))->click();
        });
        agree.start(10);
        const bool done = command == QStringLiteral("export") ? files_->ExportTo(sketch) : files_->SaveTo(target);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        QVERIFY(!done);
        QCOMPARE(Bytes(target), QByteArray("old\n"));
        QVERIFY2(Notices().contains(QStringLiteral("沒有")), qPrintable(Notices()));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
