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

const QString& SchoolSignText() {
    static const QString text = SketchLines(engine_text::kSchoolSign);
    return text;
}

}  // namespace award::engine
