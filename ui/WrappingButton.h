#pragma once

#include <QPushButton>
#include <QStringList>

namespace award {

// A push button whose caption breaks into as many lines as the button has
// room for. The run buttons' captions are far wider than the buttons, and a
// single elided line would show both as the same "執行(電腦…".
class WrappingButton : public QPushButton {
public:
    using QPushButton::QPushButton;

    // The caption's lines as painted; the last one ends in an ellipsis when
    // the caption does not fit whole.
    QStringList CaptionLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect CaptionArea() const;
};

}  // namespace award
