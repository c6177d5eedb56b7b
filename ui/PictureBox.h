#pragma once

#include <QFrame>

namespace award {

class DrawingSurface;

// Shows the drawing surface inside a sunken two-pixel border, so the user sees
// the phrase that was converted last. The surface is off-screen; this only
// paints its pixels and never draws on it.
class PictureBox : public QFrame {
public:
    explicit PictureBox(const DrawingSurface& surface, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DrawingSurface& surface_;
};

}  // namespace award
