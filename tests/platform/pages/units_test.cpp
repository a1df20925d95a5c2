#include "platform/pages/units.h"

#include <gtest/gtest.h>

namespace {

struct LengthCase {
    const char *text;
    std::optional<int> twips;
};

class LengthText : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthText, ReadsAsTwips)
{
    EXPECT_EQ(pages::parseTwips(QString::fromUtf8(GetParam().text)), GetParam().twips) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Units, LengthText,
                         ::testing::Values(LengthCase{"2cm", 1134}, LengthCase{"0.5cm", 283},
                                           LengthCase{"0,5cm", 283}, LengthCase{" 2 cm ", 1134},
                                           LengthCase{"10mm", 567}, LengthCase{"1in", 1440},
                                           LengthCase{"72pt", 1440}, LengthCase{"100px", 1500},
                                           LengthCase{"1440", 1440}, LengthCase{"850tw", 850},
                                           LengthCase{"2CM", 1134}, LengthCase{"abc", std::nullopt},
                                           LengthCase{"2 furlongs", std::nullopt}, LengthCase{"", std::nullopt},
                                           LengthCase{"cm", std::nullopt}));

}  // namespace
