#include "SketchChecks.h"
#include "phrases/SketchWriter.h"
#include "sign/ColumnWords.h"

#include <gtest/gtest.h>

namespace award {
namespace {

TEST(SketchWriter, TwoFramesMatchTheHandWrittenSketchByteForByte) {
    ColumnWords first{}, second{};
    first[3] = 384;
    first[63] = 65535;
    second[0] = 1;
    second[1] = 32768;
    second[62] = 65535;

    SketchWriter writer;
    writer.BeginSketch();
    writer.AppendFrame(first);
    writer.AppendFrame(second);
    writer.EndSketch(2);

    const QByteArray expected = test::ReadGolden("two_known_frames.ino").toUtf8();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(writer.SketchText().toUtf8().toStdString(), expected.toStdString());
}

TEST(SketchWriter, EveryRunStartsFromAnEmptyBuffer) {
    SketchWriter writer;
    writer.BeginSketch();
    writer.AppendFrame({});
    writer.EndSketch(1);
    const QString once = writer.SketchText();

    writer.BeginSketch();
    writer.AppendFrame({});
    writer.EndSketch(1);
    EXPECT_EQ(writer.SketchText(), once);
    EXPECT_EQ(once.count(QStringLiteral("void loop()")), 1);
}

TEST(SketchWriter, NoFrameGivesThirtyOneLinesAndCountZero) {
    SketchWriter writer;
    writer.BeginSketch();
    writer.EndSketch(0);
    const QString text = writer.SketchText();
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 31);
    EXPECT_EQ(text.count(u'\n'), 31);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nunsigned int num= 0;   //b[][65]資料長度\r\n")));
    int rows = -1;
    EXPECT_EQ(test::CheckSketchForm(text, &rows), "");
    EXPECT_EQ(rows, 0);
}

TEST(SketchWriter, NumbersTakeASignPosition) {
    SketchWriter writer;
    writer.BeginSketch();
    writer.AppendFrame({});
    writer.EndSketch(-1);
    const QString text = writer.SketchText();
    EXPECT_TRUE(text.contains(QStringLiteral(",{1") + QStringLiteral(", 0").repeated(64) +
                              QStringLiteral("}\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("unsigned int num=-1;   //")));
}

}  // namespace
}  // namespace award
