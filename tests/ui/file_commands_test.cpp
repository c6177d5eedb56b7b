#include "files/BannerFile.h"
#include "ui/FileCommands.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

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

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Form1 form_;
    FileCommands* files_ = new FileCommands(form_);

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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

    // Last: it ends the program as the button does.
    void exitInTheMenuPressesTheExitButton() {
        QSignalSpy pressed(form_.findChild<QAbstractButton*>(QStringLiteral("Command3")), &QAbstractButton::clicked);
        const QList<QAction*> actions = form_.FileMenu()->actions();
        const auto exit = std::find_if(actions.begin(), actions.end(),
                                       [](const QAction* action) { return action->text() == QStringLiteral("結束"); });
        QVERIFY(exit != actions.end());
        (*exit)->trigger();
        QCOMPARE(pressed.count(), 1);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
