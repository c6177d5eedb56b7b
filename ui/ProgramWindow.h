#pragma once

#include "program/ProgramConverter.h"
#include "surface/DrawingSurface.h"
#include "ui/Form1.h"
#include "ui/ProgramLength.h"
#include "ui/ProgramTableModel.h"

#include <QUndoStack>
#include <QWidget>

class QLabel;
class QTableView;

namespace award {

// The 節目表: the sign program as a table to edit in place, beside the main
// window and never in its way. The item selected or edited plays at once in
// the window's LED preview; 套用 puts the whole program's sketch into Text3,
// where copying, exporting and uploading take it as they take any other, and
// the window tells when the table has changed since.
class ProgramWindow : public QWidget, public Form1::SketchSource {
public:
    explicit ProgramWindow(Form1& form);

    ProgramTableModel& Model() { return model_; }
    QUndoStack& UndoStack() { return undo_; }
    QTableView* Table() const { return table_; }
    // Puts the items in the table and plays the first at once.
    void ShowItems(Program items);

    Program Items() const override { return model_.Items(); }
    QString ApplyCaption() const override;
    // Each tells the user how it went and returns whether it did its work.
    bool Apply() override;
    bool BuildFromBanner();
    bool PlayItem(int row);

    // Items from the banner text's phrases, each followed by a space as the
    // run buttons take them: 靜止 and 置中.
    static Program ItemsFromBanner(const QString& banner);

private:
    void CreateControls();
    int CurrentRow() const;
    void Select(int row);
    void EditText(int row);
    const QString& Convert(const Program& program);
    void RecountLength() { lengthCount_.Recount(model_.Items(), form_.Options(form_.FirstScanRow())); }

    Form1& form_;
    ProgramTableModel model_;
    QUndoStack undo_;
    QTableView* table_ = nullptr;
    QLabel* status_ = nullptr;
    // A surface of its own, so that the picture of the phrase run last stays.
    DrawingSurface surface_;
    ProgramConverter converter_{surface_};
    QLabel* length_ = nullptr;
    ProgramLength lengthCount_;
};

}  // namespace award
