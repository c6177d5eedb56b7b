#include "ui/ProgramWindow.h"

#include "notices/Notices.h"
#include "phrases/Phrases.h"
#include "program/ProgramFormat.h"
#include "sign/SignGeometry.h"
#include "ui/ItemTextEditor.h"
#include "ui/LedPreview.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramItemDelegate.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

#include <algorithm>

namespace award {

ProgramWindow::ProgramWindow(Form1& form)
    : QWidget(&form, Qt::Window), form_(form), lengthCount_([this](const QString& words) { length_->setText(words); }) {
    setObjectName(QStringLiteral("programWindow"));
    setWindowTitle(QStringLiteral("節目表"));
    model_.RecordEditsIn(&undo_);
    CreateControls();
    resize(680, 420);
}

void ProgramWindow::CreateControls() {
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("programTable"));
    table_->setModel(&model_);
    table_->setItemDelegate(new ProgramItemDelegate(table_));
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Typing on a cell starts editing it, as in a spreadsheet.
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // An item is dragged by its row to where it is to play.
    table_->setDragDropMode(QAbstractItemView::InternalMove);
    table_->setDragDropOverwriteMode(false);
    table_->setDropIndicatorShown(true);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Rows tall enough for a picture's LEDs, two pixels each.
    table_->verticalHeader()->setDefaultSectionSize(
        std::max(table_->verticalHeader()->defaultSectionSize(), 2 * kSignRows + 4));
    table_->horizontalHeader()->setSectionResizeMode(ProgramTableModel::Text, QHeaderView::Stretch);

    // A key works on the table itself, never while a cell is being edited,
    // where Delete and Ctrl+arrows belong to the text.
    const auto button = [this](const char* name, const QString& caption, const QString& tip, auto action,
                               const QKeySequence& key = {}) {
        auto* pushed = new QPushButton(caption, this);
        pushed->setObjectName(QLatin1String(name));
        pushed->setToolTip(key.isEmpty() ? tip : tip + QStringLiteral("（%1）").arg(key.toString()));
        connect(pushed, &QPushButton::clicked, this, action);
        if (!key.isEmpty())
            connect(new QShortcut(key, table_, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated, pushed,
                    &QPushButton::click);
        return pushed;
    };
    auto* edits = new QHBoxLayout;
    edits->addWidget(button("addItem", QStringLiteral("新增"), QStringLiteral("在選取的項目後面加入一項"),
                            [this] { EditText(model_.Add(CurrentRow())); }, QKeySequence(Qt::Key_Insert)));
    edits->addWidget(button("removeItem", QStringLiteral("刪除"), QStringLiteral("刪除選取的項目"), [this] {
        const int row = CurrentRow();
        if (model_.Remove(row)) Select(std::min(row, model_.rowCount() - 1));
    }, QKeySequence(QKeySequence::Delete)));
    edits->addWidget(button("duplicateItem", QStringLiteral("重複此項"), QStringLiteral("在後面加入一項一樣的"),
                            [this] { Select(model_.Duplicate(CurrentRow())); }));
    edits->addWidget(button("editItemText", QStringLiteral("編輯內容…"),
                            QStringLiteral("在較大的視窗裡編輯選取項目的內容，每一行是一頁"), [this] {
        const int row = CurrentRow();
        if (row < 0) return;
        if (const auto text = EditItemTextInDialog(this, row, model_.Item(row).text))
            model_.setData(model_.index(row, ProgramTableModel::Text), *text);
    }));
    edits->addWidget(button(
        "moveItemUp", QStringLiteral("往上移"), QStringLiteral("和上一項對調"),
        [this] { Select(model_.MoveBy(CurrentRow(), -1)); }, QKeySequence(Qt::CTRL | Qt::Key_Up)));
    edits->addWidget(button(
        "moveItemDown", QStringLiteral("往下移"), QStringLiteral("和下一項對調"),
        [this] { Select(model_.MoveBy(CurrentRow(), 1)); }, QKeySequence(Qt::CTRL | Qt::Key_Down)));
    // Also while a cell is being edited, where the editor's own undo comes
    // first. The buttons keep their short captions, so that the window's width
    // does not grow with what there is to undo; the tooltip tells.
    QAction* undo = undo_.createUndoAction(this, QStringLiteral("復原"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* redo = undo_.createRedoAction(this, QStringLiteral("重做"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {undo, redo}) {
        addAction(action);
        action->setObjectName(action == undo ? QStringLiteral("undoEdit") : QStringLiteral("redoEdit"));
        auto* pressed = new QPushButton(action == undo ? QStringLiteral("復原") : QStringLiteral("重做"), this);
        pressed->setEnabled(action->isEnabled());
        connect(pressed, &QPushButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, pressed, [pressed, action] {
            pressed->setEnabled(action->isEnabled());
            pressed->setToolTip(action->text() + QStringLiteral("（%1）").arg(action->shortcut().toString()));
        });
        edits->addWidget(pressed);
    }
    edits->addStretch();
    // The program as a whole, on a line of its own beside its length.
    auto* whole = new QHBoxLayout;
    length_ = new QLabel(this);
    length_->setObjectName(QStringLiteral("programLength"));
    length_->setTextFormat(Qt::PlainText);
    whole->addWidget(length_, 1);
    whole->addWidget(button("itemsFromBanner", QStringLiteral("從橫幅文字建立"),
                            QStringLiteral("橫幅文字的每一句成為一項，靜止、置中"), [this] { BuildFromBanner(); }));
    whole->addWidget(button("applyProgram", QStringLiteral("套用"),
                            QStringLiteral("把整個節目的程式放進程式區，可以複製、匯出或上傳"), [this] { Apply(); }));

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("programStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(edits);
    layout->addLayout(whole);
    layout->addWidget(status_);
    table_->setFocus();

    // The item in hand plays in the preview as soon as it is chosen or changed.
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { PlayItem(current.row()); });
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        if (topLeft.row() == CurrentRow()) PlayItem(topLeft.row());
    });
    // Text3 may hold the program as applied; the window tells when it no longer does.
    // The program's length follows every edit.
    const auto changed = [this] {
        form_.SourceChanged();
        RecountLength();
    };
    connect(&model_, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&model_, &QAbstractItemModel::rowsMoved, this, changed);
    // The item in hand keeps playing under its new number.
    connect(&model_, &QAbstractItemModel::rowsMoved, this, [this] { PlayItem(CurrentRow()); });
    connect(&model_, &QAbstractItemModel::modelReset, this, changed);
    connect(&model_, &QAbstractItemModel::dataChanged, this, changed);
}

void ProgramWindow::ShowItems(Program items) {
    model_.SetItems(std::move(items));
    Select(0);
}

QString ProgramWindow::ApplyCaption() const {
    return findChild<QPushButton*>(QStringLiteral("applyProgram"))->text();
}

// No current index gives row -1, as no item in hand.
int ProgramWindow::CurrentRow() const { return table_->currentIndex().row(); }

void ProgramWindow::Select(int row) {
    if (row < 0 || row >= model_.rowCount()) return;
    const QModelIndex at = model_.index(row, ProgramTableModel::Text);
    // A row that moved under the current index does not change the current
    // row's number, so the item in hand is played here.
    const bool sameRow = CurrentRow() == row;
    table_->setCurrentIndex(at);
    table_->scrollTo(at);
    if (sameRow) PlayItem(row);
}

// A new item is all defaults but its text, which the user types at once.
void ProgramWindow::EditText(int row) {
    Select(row);
    table_->setFocus();
    table_->edit(model_.index(row, ProgramTableModel::Text));
}

const QString& ProgramWindow::Convert(const Program& program) {
    const ConversionOptions options = form_.Options(form_.FirstScanRow());
    // Also for a program refused before it is drawn, so that the notices
    // speak of the face chosen.
    surface_.SetStyle(options.style);
    // Thousands of pages take seconds to draw: past half a second the window
    // shows how far it has got, and the user may stop it.
    QProgressDialog progress(QStringLiteral("正在畫出節目的每一頁…"), QStringLiteral("取消"), 0, 1000, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    converter_.SetProgress([&progress](qsizetype done, qsizetype total) {
        progress.setValue(total > 0 ? static_cast<int>(std::min<qint64>(1000, qint64(done) * 1000 / total)) : 0);
        return !progress.wasCanceled();
    });
    const QString& sketch = converter_.ConvertProgram(program, options);
    converter_.SetProgress({});
    return sketch;
}

bool ProgramWindow::PlayItem(int row) {
    if (row < 0 || row >= model_.rowCount()) return false;
    const QString& sketch = Convert({model_.Item(row)});
    const ProgramReport& report = converter_.LastReport();
    if (report.refusal) {
        // Dark rather than the item before, which is not what is in hand.
        form_.Preview()->SetShownAside({});
        status_->setText(QStringLiteral("第 %1 項無法預覽：%2").arg(row + 1).arg(report.refusal.why));
        return false;
    }
    form_.Preview()->SetShownAside(sketch);
    // A scrolling item has no pages: it is one line that passes by.
    const ItemStyle style = model_.Item(row).style;
    const QString shape = StyleHasPages(style) ? QStringLiteral("%1 頁").arg(report.pages) : StyleName(style);
    status_->setText(QStringLiteral("預覽第 %1 項：%2，約 %3 秒。")
                         .arg(row + 1)
                         .arg(shape)
                         .arg(report.secondsPerCycle, 0, 'f', 1));
    return true;
}

bool ProgramWindow::Apply() {
    const QString& sketch = Convert(model_.Items());
    const ProgramReport& report = converter_.LastReport();
    const QStringList notices =
        ProgramNotices(report, {surface_.FontName(), surface_.ResolvedFace(), surface_.DrawsChinese()});
    // A refused program leaves Text3 as it was: there is no sketch to show.
    if (!report.refusal) form_.ShowProgram(sketch, *this);
    form_.ShowNotices(notices);
    status_->setText(notices.join(u'\n'));
    return !report.refusal;
}

Program ProgramWindow::ItemsFromBanner(const QString& banner) {
    Program items;
    ProgramItem item{.style = ItemStyle::Static, .align = ItemAlign::Centre};
    for (const QStringView phrase : SplitPhrases(banner).phrases) {
        item.text = phrase.toString();
        items.push_back(item);
    }
    return items;
}

bool ProgramWindow::BuildFromBanner() {
    Program items = ItemsFromBanner(form_.BannerField()->text());
    if (items.empty()) {
        status_->setText(QStringLiteral("橫幅文字裡沒有以空白結尾的句子，沒有建立項目。"));
        return false;
    }
    const auto count = items.size();
    // Items the user already has are kept unless the user says otherwise.
    constexpr auto kAddAfter = QMessageBox::Yes;
    constexpr auto kReplace = QMessageBox::YesToAll;
    const auto choice = model_.rowCount() == 0
                            ? kReplace
                            : Ask(this, QMessageBox::Question, windowTitle(),
                                  QStringLiteral("節目表已有 %1 項。橫幅文字的 %2 句要加在後面，還是取代現有的項目？")
                                      .arg(model_.rowCount())
                                      .arg(count),
                                  kAddAfter | kReplace | QMessageBox::Cancel,
                                  {{kAddAfter, QStringLiteral("加在後面")}, {kReplace, QStringLiteral("取代")}});
    if (choice != kAddAfter && choice != kReplace) return false;
    const bool adding = choice == kAddAfter;
    const int first = adding ? model_.rowCount() : 0;
    Program all = adding ? model_.Items() : Program();
    all.insert(all.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    model_.ReplaceItems(std::move(all), adding ? QStringLiteral("從橫幅文字加入") : QStringLiteral("從橫幅文字建立"));
    Select(first);
    status_->setText(adding ? QStringLiteral("已從橫幅文字加入 %1 項，共 %2 項。").arg(count).arg(model_.rowCount())
                            : QStringLiteral("已從橫幅文字建立 %1 項。").arg(count));
    return true;
}

}  // namespace award
