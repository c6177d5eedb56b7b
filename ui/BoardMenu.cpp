#include "ui/BoardMenu.h"

#include "board/BoardToolchain.h"
#include "board/SerialPorts.h"
#include "ui/Form1.h"
#include "ui/PortPreference.h"

#include <QAction>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTextBlock>

namespace award {

BoardMenu::BoardMenu(Form1& form) : QObject(&form), form_(form) {
    QMenu* menu = form.BoardMenuWidget();
    menu->setToolTipsVisible(true);
    compile_ = menu->addAction(QStringLiteral("編譯檢查(&C)"), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                               [this] { Start(false); });
    upload_ = menu->addAction(QStringLiteral("上傳到看板(&U)"), QKeySequence(Qt::CTRL | Qt::Key_U), this,
                              [this] { Start(true); });
    ports_ = menu->addMenu(QStringLiteral("序列埠(&P)"));
    connect(ports_, &QMenu::aboutToShow, this, &BoardMenu::ListPorts);
    // Uploading a sketch the program wrote needs only avrdude; 編譯檢查 the whole tool chain.
    const auto needing = [](const QStringList& missing, std::initializer_list<QAction*> actions) {
        if (missing.isEmpty()) return;
        for (QAction* action : actions) {
            action->setEnabled(false);
            action->setToolTip(toolchain::MissingPackagesAdvice(missing));
        }
    };
    needing(toolchain::MissingPackages(), {compile_});
    needing(toolchain::MissingUploadPackages(), {upload_, ports_->menuAction()});

    progress_ = new QProgressDialog(&form);
    progress_->setWindowTitle(QStringLiteral("看板"));
    progress_->setCancelButtonText(QStringLiteral("取消"));
    progress_->setWindowModality(Qt::WindowModal);
    // The stages share one bar, each from 0 to 100.
    progress_->setAutoReset(false);
    // A quick compile is over before a dialog would be worth reading.
    progress_->setMinimumDuration(400);
    progress_->reset();
    connect(progress_, &QProgressDialog::canceled, &job_, &BoardJob::Cancel);
    connect(&job_, &BoardJob::Progress, this, &BoardMenu::ShowProgress);
    connect(&job_, &BoardJob::Finished, this, &BoardMenu::Finish);
}

void BoardMenu::Start(bool upload) {
    if (job_.Running()) return;
    if (!form_.ConfirmCurrentSketch(upload ? Form1::SketchUse::Upload : Form1::SketchUse::Compile)) return;
    const QString sketch = form_.Text3Text();
    const BoardKind board = form_.Target().board;
    if (upload) {
        const QString port = UploadPort(AvailablePorts(board), RememberedPort());
        job_.StartUpload(sketch, port, board);
        form_.ShowNotices({QStringLiteral("正在上傳到 %1…").arg(port)});
    } else {
        job_.StartCompile(sketch, board);
        form_.ShowNotices({QStringLiteral("正在編譯…")});
    }
    compile_->setEnabled(false);
    upload_->setEnabled(false);
}

void BoardMenu::ShowProgress(BoardJob::Stage stage, int percent) {
    QStringList steps;
    for (const BoardJob::Stage step : job_.Stages())
        steps << (step == stage ? QStringLiteral("【%1】") : QStringLiteral("%1")).arg(BoardJob::StageName(step));
    progress_->setLabelText(steps.join(QStringLiteral(" → ")));
    progress_->setRange(0, percent < 0 ? 0 : 100);
    progress_->setValue(std::max(percent, 0));
}

void BoardMenu::Finish(const BoardJob::Outcome& outcome) {
    progress_->reset();
    compile_->setEnabled(toolchain::MissingPackages().isEmpty());
    upload_->setEnabled(toolchain::MissingUploadPackages().isEmpty());
    form_.ShowNotices(outcome.notices);
    if (outcome.errorLine) ShowLine(*outcome.errorLine);
    if (outcome.needsArduinoIde) OfferExport(outcome.notices.join(u'\n'));
}

// The file menu's 匯出 Arduino 草稿, offered where the sketch needs the IDE.
void BoardMenu::OfferExport(const QString& why) {
    const QList<QAction*> actions = form_.FileMenuWidget()->actions();
    const auto exporter = std::ranges::find_if(
        actions, [](const QAction* action) { return action->text().startsWith(QStringLiteral("匯出 Arduino 草稿")); });
    if (exporter == actions.end()) return;
    QMessageBox box(QMessageBox::Information, QStringLiteral("看板"), why, QMessageBox::Cancel, &form_);
    QPushButton* button = box.addButton(QStringLiteral("匯出 Arduino 草稿…"), QMessageBox::AcceptRole);
    box.exec();
    if (box.clickedButton() == button) (*exporter)->trigger();
}

void BoardMenu::ShowLine(int line) {
    QPlainTextEdit* text = form_.SketchArea();
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(line - 1)));
    text->centerCursor();
    text->setFocus();
}

// Listed afresh each time, so a board plugged in a moment ago is there.
void BoardMenu::ListPorts() {
    ports_->clear();
    const QList<SerialPort> available = AvailablePorts(form_.Target().board);
    const QString chosen = UploadPort(available, RememberedPort());
    QList<SerialPort> shown = available;
    if (!chosen.isEmpty() && std::ranges::none_of(available, [&](const SerialPort& port) { return port.path == chosen; }))
        shown.prepend(DescribePort(chosen, QFileInfo::exists(chosen) ? QString() : QStringLiteral("（目前找不到）"),
                                   std::nullopt));
    for (const SerialPort& port : shown) {
        QAction* action = ports_->addAction(PortLabel(port));
        action->setCheckable(true);
        action->setChecked(port.path == chosen);
        connect(action, &QAction::triggered, this, [path = port.path] { RememberPort(path); });
    }
    if (shown.isEmpty()) ports_->addAction(QStringLiteral("（找不到序列埠）"))->setEnabled(false);
    ports_->addSeparator();
    connect(ports_->addAction(QStringLiteral("其他…")), &QAction::triggered, this, &BoardMenu::ChooseOtherPort);
}

void BoardMenu::ChooseOtherPort() {
    bool ok = false;
    const QString path = QInputDialog::getText(&form_, QStringLiteral("序列埠"), QStringLiteral("裝置路徑（例如 /dev/ttyACM0）："),
                                               QLineEdit::Normal, RememberedPort(), &ok)
                             .trimmed();
    if (ok && !path.isEmpty()) RememberPort(path);
}

}  // namespace award
