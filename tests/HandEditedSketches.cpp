#include "HandEditedSketches.h"

#include "SketchChecks.h"

#include <cctype>

namespace award::test {

std::vector<HandEditedSketch> HandEditedSketches() {
    const QString good = ReadGolden("two_known_frames.ino");
    const auto edit = [&](const char* from, const QString& to) { return QString(good).replace(QString::fromUtf8(from), to); };
    const QString count = QStringLiteral("unsigned int num= 2;");
    const auto before = [&](const QString& inserted) { return QString(good).replace(count, inserted + count); };
    QString older = edit(", 384,", QStringLiteral(", 999,"));
    older.replace(count, QStringLiteral("unsigned int num= 1;"));

    return {
        {"as written", good, true, 2},
        {"an old count commented out", before(QStringLiteral("//unsigned int num= 1;\r\n")), true, 2},
        {"an old sketch in a block comment", QStringLiteral("/*\r\n") + older + QStringLiteral("*/\r\n") + good, true, 2},
        {"a comment naming the count", before(QStringLiteral("// number of frames, num= 1;\r\n")), true, 2},
        {"a variable num2", before(QStringLiteral("unsigned int num2= 1;\r\n")), true, 2},
        {"a comment continued over the next line",
         before(QStringLiteral("// count \\\r\nunsigned int num= 1;\r\n")), true, 2},
        {"an octal count", edit("num= 2;", QStringLiteral("num= 01;")), true, 1},
        {"an octal 010 is 8", edit("num= 2;", QStringLiteral("num= 010;")), true, std::nullopt},
        {"octal, hex and suffixed words", edit(", 384, 0, 0,", QStringLiteral(", 0600, 0x0u, 0UL,")), true, 2, 384},
        {"a word past 16 bits wraps", edit(", 384,", QStringLiteral(", 65920,")), true, 2, 384},
        {"a negative word wraps", edit(", 384,", QStringLiteral(", -65152,")), true, 2, 384},
        {"a row cut short ends in zeros", edit(", 384,", QStringLiteral(",")), true, 2, 0},
        {"a row too long", edit(", 384,", QStringLiteral(", 384, 0,")), false, std::nullopt},
        {"fullwidth digits", edit(", 384,", QStringLiteral(", ３８４,")), false, std::nullopt},
        {"an Arabic-Indic digit", edit("num= 2;", QStringLiteral("num= ٢;")), false, std::nullopt},
        {"an ideographic space", edit("num= 2;", QStringLiteral("num=\u30002;")), false, std::nullopt},
        {"a no-break space", edit("num= 2;", QStringLiteral("num=\u00a02;")), false, std::nullopt},
        {"a digit octal lacks", edit(", 384,", QStringLiteral(", 0800,")), false, std::nullopt},
        {"the count defined twice", before(QStringLiteral("unsigned int num= 1;\r\n")), false, std::nullopt},
        {"a block comment left open", good + QStringLiteral("/* end"), false, std::nullopt},
        {"the table not closed", edit("};\r\n", QString()), false, std::nullopt},
        {"the count past the table", edit("num= 2;", QStringLiteral("num= 4;")), true, std::nullopt},
        {"the driver changed", edit("delay(500);", QStringLiteral("delay(50);")), true, std::nullopt},
        {"the initial text", QStringLiteral("Text3"), false, std::nullopt},
    };
}

void PrintTo(const HandEditedSketch& sketch, std::ostream* os) { *os << sketch.what; }

std::string HandEditName(const HandEditedSketch& sketch) {
    std::string name;
    for (const char c : std::string(sketch.what))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

}  // namespace award::test
