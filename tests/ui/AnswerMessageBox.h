#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QTimer>

// What the message box answered last said.
inline QString said;

// Answers the message box about to open; with no button, by its default.
inline void Answer(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [button] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            button == QMessageBox::NoButton ? QTest::keyClick(box, Qt::Key_Return) : box->button(button)->click();
        }
    });
}
