#include "HandEditedSketches.h"

#include "SketchChecks.h"

#include "marquee/MarqueeWriter.h"
#include "phrases/SketchWriter.h"
#include "sketch/SketchCode.h"

#include <cctype>

namespace award::test {

namespace {

// A table part past avr-gcc's object limit: a marquee's one part, or a flash
// table's one part, holding more than a part may, with the driver for one part.
QString MarqueePartTooBig() {
    QString text = MarqueeWriter::Sketch(std::vector<std::uint16_t>(kPartWords, 1), 4);
    const qsizetype end = text.indexOf(QStringLiteral("\r\n};"));
    return text.insert(end, QStringLiteral(",1").repeated(17));
}

QString TablePartTooBig() {
    SketchWriter writer;
    writer.BeginSketch(TableStore::Flash);
    for (int k = 1; k <= kFlashPartRows - 2; ++k) writer.AppendFrame(ColumnWords{1});
    writer.EndSketch(kFlashPartRows - 2);
    QString text = writer.SketchText();
    const QString row = QStringLiteral(",{1, 1") + QStringLiteral(", 0").repeated(kSignColumns - 1) + QStringLiteral("}\r\n");
    text.insert(text.indexOf(QStringLiteral(",{1,0,0")), row.repeated(8));
    return text.replace(QStringLiteral("num= %1;").arg(kFlashPartRows - 2), QStringLiteral("num= %1;").arg(kFlashPartRows + 6));
}

}  // namespace

std::vector<HandEditedSketch> HandEditedSketches() {
    const QString good = ReadGolden("two_known_frames.ino");
    const auto edit = [&](const char* from, const QString& to) { return QString(good).replace(QString::fromUtf8(from), to); };
    const QString count = QStringLiteral("unsigned int num= 2;");
    const auto before = [&](const QString& inserted) { return QString(good).replace(count, inserted + count); };
    QString older = edit(", 384,", QStringLiteral(", 999,"));
    older.replace(count, QStringLiteral("unsigned int num= 1;"));
    QString countLast = edit("unsigned int num= 2;   //b[][65]資料長度\r\n", QString());
    countLast += count + QStringLiteral("\r\n");

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
        // C++ knows a name only after its declaration.
        {"the count below the loop", countLast, false, std::nullopt, 384, u"num"},
        {"a variable set from a name the sketch lacks", before(QStringLiteral("int x = nosuchname;\r\n")), false,
         std::nullopt, 384, u"nosuchname"},
        {"a variable that sets the count", edit("num= 2;", QStringLiteral("num= 2;\r\nint extra = num = 1;")), true,
         std::nullopt, 384, u"num"},
        {"a directive in its other spelling", QStringLiteral("%:define PORTF PORTK\r\n") + good, true, std::nullopt,
         384, u"%:"},
        {"a marquee part past the object limit", MarqueePartTooBig(), false, std::nullopt, 384, u"m0"},
        {"a table part past the object limit", TablePartTooBig(), false, std::nullopt, 384, u"b0"},
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
