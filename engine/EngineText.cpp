#include "engine/EngineText.h"

#include "engine/EngineSources.h"

namespace award::engine {
namespace {

// Sketches end their lines in CR LF.
QString SketchLines(const char* text) { return QString::fromUtf8(text).replace(u'\n', QStringLiteral("\r\n")); }

}  // namespace

const QString& ShowsText() {
    static const QString text = SketchLines(engine_text::kShows);
    return text;
}

QString SignDriverText(SignKind sign, BoardKind board) {
    static const QString school = SketchLines(engine_text::kSchoolSign);
    if (sign == SignKind::School) return school;
    static const QString p10 = SketchLines(engine_text::kP10Sign);
    static const QString unoPins = SketchLines(engine_text::kP10PinsUno);
    static const QString megaPins = SketchLines(engine_text::kP10PinsMega);
    return p10 + (board == BoardKind::Uno ? unoPins : megaPins);
}

}  // namespace award::engine
