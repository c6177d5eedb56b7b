#include "board/BoardToolchain.h"
#include "conversion/BannerConverter.h"
#include "surface/DrawingSurface.h"
#include "ui/Application.h"
#include "ui/BoardMenu.h"
#include "ui/Form1.h"
#include "ui/LedPreview.h"
#include "ui/PortPreference.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

using award::Form1;

class WindowWorkflowTest : public QObject {
    Q_OBJECT

    static bool PreviewMarked(award::LedPreview& preview) {
        const QImage shot = preview.grab().toImage();
        return shot.pixelColor(1, shot.height() / 2) == QColor(255, 191, 0);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        award::RememberPort(QStringLiteral("/dev/ttyAwardBannerNoSuchPort"));
    }

    void qtDialogsSpeakChinese() {
        QVERIFY(award::InstallChineseTranslations(*QCoreApplication::instance()));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    }

    void uploadOfAnOutOfDateSketchAsksFirst_data() {
        QTest::addColumn<QString>("answer");  // "-": Text3 edited by hand, nothing to ask
        for (const char* column : {"runsFirst", "uploads"}) QTest::addColumn<bool>(column);
        QTest::newRow("run first, the default") << QString() << true << true;
        QTest::newRow("use the sketch shown") << QStringLiteral("使用目前的程式") << false << true;
        QTest::newRow("cancel") << QStringLiteral("取消") << false << false;
        QTest::newRow("hand edit is current") << QStringLiteral("-") << false << true;
    }

    void uploadOfAnOutOfDateSketchAsksFirst() {
        QFETCH(QString, answer);
        QFETCH(bool, runsFirst);
        QFETCH(bool, uploads);
        if (!award::toolchain::MissingPackages().isEmpty()) QSKIP("the Arduino tools are not installed");
        Form1 form;
        new award::BoardMenu(form);
        form.show();
        auto* notice = form.findChild<QLabel*>("notice");
        auto* preview = form.findChild<award::LedPreview*>("preview");
        QAction* upload = form.BoardMenuWidget()->actions().at(1);

        // The run button used last is the one a run first uses.
        form.BannerField()->setText(QStringLiteral("恭喜 "));
        form.findChild<QPushButton*>("Command1")->click();
        QVERIFY(notice->toolTip().contains(form.findChild<QPushButton*>("Command2")->text()));
        QVERIFY(notice->toolTip().contains(upload->text().remove(QStringLiteral("(&U)"))));
        QVERIFY(!PreviewMarked(*preview));
        const QString afterRun = notice->toolTip();

        form.BannerField()->end(false);
        form.BannerField()->insert(QStringLiteral("賀 "));
        form.findChild<QCheckBox*>("Check1")->click();
        QVERIFY(form.SketchOutOfDate() && PreviewMarked(*preview));
        const QString outOfDateLine = notice->text().section(u'\n', 0, 0);
        QVERIFY(!afterRun.contains(outOfDateLine));
        if (answer == QStringLiteral("-")) form.findChild<QPlainTextEdit*>("Text3")->appendPlainText("// 手改");

        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            asked = true;
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer) return button->click();
            QTest::keyClick(box, Qt::Key_Return);
        });
        const QString shown = form.Text3Text();
        upload->trigger();
        QCOMPARE(asked, answer != QStringLiteral("-"));

        award::DrawingSurface surface;
        surface.SetFontBold(true);
        const QString fresh = award::BannerConverter(surface).ConvertBanner(QStringLiteral("恭喜 賀 "), award::FirstScanRow::Row1);
        QCOMPARE(form.Text3Text(), runsFirst ? fresh : shown);
        QCOMPARE(form.SketchOutOfDate(), !runsFirst && answer != QStringLiteral("-"));
        QCOMPARE(PreviewMarked(*preview), form.SketchOutOfDate());
        QCOMPARE(notice->toolTip().contains(outOfDateLine), form.SketchOutOfDate());
        QCOMPARE(notice->toolTip().contains(QStringLiteral("/dev/ttyAwardBannerNoSuchPort")), uploads);
        // The upload compiles, then finds no board on the port.
        if (uploads) QTRY_VERIFY_WITH_TIMEOUT(!notice->toolTip().contains(QStringLiteral("正在")), 120000);
    }
};

QTEST_MAIN(WindowWorkflowTest)
#include "window_workflow_test.moc"
