#include "files/SketchFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace award {
namespace {

struct NameRow {
    const char* name;
    QString wanted;
    std::optional<QString> mended;
};

void PrintTo(const NameRow& row, std::ostream* os) {
    *os << row.name;
}

class SketchName : public testing::TestWithParam<NameRow> {};

// Whatever the file was called, the IDE must be able to open the sketch.
TEST_P(SketchName, IsOneTheIdeOpens) {
    EXPECT_EQ(MendSketchName(GetParam().wanted), GetParam().mended);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SketchName,
    testing::Values(NameRow{"AlreadyFine", QStringLiteral("award_2024"), QStringLiteral("award_2024")},
                    NameRow{"DigitFirst", QStringLiteral("2024award"), QStringLiteral("2024award")},
                    NameRow{"SpacesAndDashes", QStringLiteral("my banner-1"), QStringLiteral("my_banner_1")},
                    NameRow{"ChineseBeforeLatin", QStringLiteral("獎狀abc"), QStringLiteral("abc")},
                    NameRow{"ChineseAfterLatin", QStringLiteral("abc獎狀"), QStringLiteral("abc__")},
                    NameRow{"LeadingUnderscores", QStringLiteral("__x"), QStringLiteral("x")},
                    NameRow{"AccentedLetter", QStringLiteral("café"), QStringLiteral("caf_")},
                    NameRow{"SixtyFourLetters", QString(64, u'a'), QString(63, u'a')},
                    NameRow{"OnlyChinese", QStringLiteral("獎狀"), std::nullopt},
                    NameRow{"OnlyUnderscores", QStringLiteral("___"), std::nullopt},
                    NameRow{"Empty", QString(), std::nullopt}),
    [](const testing::TestParamInfo<NameRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace award
