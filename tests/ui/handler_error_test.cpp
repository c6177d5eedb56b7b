#include "ui/Application.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

class HandlerErrorTest : public QObject {
    Q_OBJECT

private slots:
    void errorInAClickHandlerIsShownAndEndsWithFailure() {
        QPushButton button(QStringLiteral("複製程式"));
        QObject::connect(&button, &QPushButton::clicked, [] {
            throw std::runtime_error("剪貼簿正被其他程式使用");
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));

        QString report;
        bool clickReturned = false;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                report = box->text();
                box->accept();
            }
        });
        answer.start(20);
        QTimer::singleShot(0, [&] {
            QTest::mouseClick(&button, Qt::LeftButton);
            clickReturned = true;
        });
        // Should the report never come, the loop must still end, with a status
        // the program itself never uses.
        QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });

        const int status = QCoreApplication::exec();
        QVERIFY(clickReturned);
        QVERIFY2(report.contains(QStringLiteral("剪貼簿正被其他程式使用")), qPrintable(report));
        QVERIFY(status != 0);
        QVERIFY(status != 99);
    }
};

int main(int argc, char** argv) {
    award::Application app(argc, argv);
    HandlerErrorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "handler_error_test.moc"
