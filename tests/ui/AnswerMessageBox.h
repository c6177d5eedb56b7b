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
// Another modal dialog may come first (a busy one, say): the answer waits
// for the message box, for up to a minute.
inline constexpr int kAnswerTries = 6000;  // ten milliseconds apart
inline void Answer(QMessageBox::StandardButton button, int triesLeft = kAnswerTries) {
    QTimer::singleShot(triesLeft == kAnswerTries ? 0 : 10, [button, triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (triesLeft > 0) Answer(button, triesLeft - 1);
            return;
        }
        said = box->text();
        button == QMessageBox::NoButton ? QTest::keyClick(box, Qt::Key_Return) : box->button(button)->click();
    });
}
