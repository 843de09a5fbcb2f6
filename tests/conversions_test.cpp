#include "conversions/channel_conversions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cmath>
#include <limits>
#include <map>
#include <string>

namespace tintora {
namespace {

struct NumberCase {
    std::u16string text;
    std::optional<double> strict; // nullopt: StrictNumber fails
    double leading;
};

// A test name that spells the row's text: "1ePlus2", "SpaceTab", "U165_5".
std::string spelledName(std::u16string_view text) {
    static const std::map<char16_t, std::string> words{
        {u' ', "Space"}, {u'\t', "Tab"},  {u'+', "Plus"},   {u'-', "Minus"},
        {u'.', "Point"}, {u',', "Comma"}, {u'$', "Dollar"}, {u'&', "Amp"}};
    std::string name = text.empty() ? "Empty" : "";
    for (const char16_t c : text) {
        const auto word = words.find(c);
        name += word != words.end()           ? word->second
                : c < 0x80 && std::isalnum(c) ? std::string(1, static_cast<char>(c))
                                              : "U" + std::to_string(c) + "_";
    }
    return name;
}

const NumberCase numberCases[] = {
    {u"0", 0, 0},
    {u"255", 255, 255},
    {u" 12", 12, 12},
    {u"12 \t", 12, 12},
    {u"\t+7", 7, 7},
    {u"007", 7, 7},
    {u"-5", -5, -5},
    {u"-0", 0, 0},
    {u".5", 0.5, 0.5},
    {u"1.", 1, 1},
    {u"2.5", 2.5, 2.5},
    {u"1e2", 100, 100},
    {u"1E2", 100, 100},
    {u"1e+2", 100, 100},
    {u"25e-1", 2.5, 2.5},
    {u"1e", std::nullopt, 1},
    {u"1e+", std::nullopt, 1},
    {u"", std::nullopt, 0},
    {u"   ", std::nullopt, 0},
    {u"-", std::nullopt, 0},
    {u"+", std::nullopt, 0},
    {u".", std::nullopt, 0},
    {u"-.", std::nullopt, 0},
    {u"1a", std::nullopt, 1},
    {u"12a", std::nullopt, 12},
    {u"1-", std::nullopt, 1},
    {u"abc", std::nullopt, 0},
    {u"1 2", std::nullopt, 1},
    {u"1,5", std::nullopt, 1},
    {u"1,000", std::nullopt, 1},
    {u"$5", std::nullopt, 0},
    {u"5$", std::nullopt, 5},
    {u"\u00a55", std::nullopt, 0},
    {u"&HF", std::nullopt, 15},
    {u"&O7", std::nullopt, 0},
    {u"inf", std::nullopt, 0},
    {u"nan", std::nullopt, 0},
    {u"infinity", std::nullopt, 0},
    {u"0x10", std::nullopt, 0},
    {u"\uff11", std::nullopt, 0},   // full-width digit one
    {u"\u00a012", std::nullopt, 0}, // no-break space is not a blank
    {u"\u0661", std::nullopt, 0},   // Arabic-Indic digit one
    {u"1e999", std::nullopt, std::numeric_limits<double>::infinity()},
    {u"-1e999", std::nullopt, -std::numeric_limits<double>::infinity()},
    {u"1e-999", 0, 0},
};

class NumberReading : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberReading, StrictAndLeading) {
    const NumberCase& c = GetParam();
    const auto strict = StrictNumber(c.text);
    ASSERT_EQ(strict.has_value(), c.strict.has_value());
    if (c.strict) {
        EXPECT_DOUBLE_EQ(*strict, *c.strict);
    }
    EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.leading);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberReading, testing::ValuesIn(numberCases),
                         [](const testing::TestParamInfo<NumberCase>& info) {
                             return spelledName(info.param.text);
                         });

TEST(NumberReading, StrictNumberIsExactForLongNumerals) {
    EXPECT_EQ(StrictNumber(u"0.1"), 0.1);
    EXPECT_EQ(StrictNumber(u"123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(StrictNumber(u"-0"), 0.0);
    EXPECT_TRUE(std::signbit(*StrictNumber(u"-0")));
}

TEST(NumberReading, HexPrefixReadsDigitsUntilTheFirstNonDigit) {
    const std::pair<std::u16string, double> cases[] = {
        {u"&HC8", 200},
        {u"&Hc8", 200},
        {u"&HFF", 255},
        {u"&H", 0},
        {u"&HG", 0},
        {u"&H1G", 1},
        {u"&H0A", 10},
        {u"&hff", 255},
        {u" &H10", 16},
        {u"&H-1", 0},
        {u"&HFFFFFFFF", 4294967295.0},
        {u"&H 1", 0},
        {u"&", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(LeadingNumber(text), value) << testing::PrintToString(text);
    }
    EXPECT_EQ(LeadingNumber(Concat(u"&H", u"c8")), 200);
    // Long digit strings round once, to the nearest double.
    EXPECT_EQ(LeadingNumber(u"&H20000000000001F"), 144115188075855904.0);
    EXPECT_EQ(LeadingNumber(u"&H0000000000000000000FF"), 255);
    EXPECT_EQ(LeadingNumber(u"&H" + std::u16string(300, u'F')),
              std::numeric_limits<double>::infinity());
}

TEST(NumberReading, HugeNumeralsStillTellTooLargeFromTooSmall) {
    const std::u16string digits(1'200'000, u'1');
    EXPECT_EQ(StrictNumber(digits + u"e-1500000"), 0.0);
    EXPECT_EQ(LeadingNumber(digits + u"e-1500000"), 0.0);
    EXPECT_EQ(StrictNumber(u"0." + digits + u"e1500000"), std::nullopt);
}

// The process's locale set for one test, and "C" again however the test ends.
class ProcessLocale {
public:
    explicit ProcessLocale(const char* name)
        : taken_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~ProcessLocale() { std::setlocale(LC_ALL, "C"); }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;
    [[nodiscard]] bool taken() const { return taken_; }

private:
    bool taken_;
};

TEST(NumberReading, ReadsTheSameUnderACommaDecimalLocale) {
    // Qt adopts the environment's locale at start-up; the rules must not follow it.
    const ProcessLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.taken())
        << "the de_DE.UTF-8 locale is missing; scripts/install-deps.sh test builds it";
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(StrictNumber(u"1,5"), std::nullopt);
    EXPECT_EQ(StrictNumber(u"1.5"), 1.5);
    EXPECT_EQ(LeadingNumber(u"1,5"), 1);
    EXPECT_EQ(NumberText(1234567), u"1234567");
    EXPECT_EQ(Int16Text(-1234), u"-1234");
}

TEST(HexText, RoundsHalvesToEvenThenFormats) {
    const std::pair<double, std::u16string> cases[] = {
        {0, u"0"},
        {200, u"C8"},
        {255, u"FF"},
        {0.5, u"0"},
        {1.5, u"2"},
        {2.5, u"2"},
        {3.5, u"4"},
        {254.5, u"FE"},
        {255.5, u"100"},
        {-0.4, u"0"},
        {-0.5, u"0"},
        {-0.6, u"FFFFFFFF"},
        {-1, u"FFFFFFFF"},
        {-5, u"FFFFFFFB"},
        {2147483647, u"7FFFFFFF"},
        {-2147483648.0, u"80000000"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(HexText(value), text) << value;
    }
}

TEST(HexText, FailsOutsideThirtyTwoBits) {
    for (const double value :
         {2147483647.5 + 1, 2147483648.0, -2147483649.0, 1e300,
          std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(HexText(value), std::nullopt) << value;
    }
    EXPECT_EQ(HexText(2147483647.4), u"7FFFFFFF");
}

TEST(Int16Conversions, RoundAndFloorAtTheBoundaries) {
    struct Case {
        double value;
        std::optional<std::int16_t> rounded;
        std::optional<std::int16_t> floored;
    };
    const Case cases[] = {
        {254.5, 254, 254},
        {255.5, 256, 255},
        {255.9, 256, 255},
        {2.9, 3, 2},
        {-0.5, 0, -1},
        {-1.5, -2, -2},
        {32767, 32767, 32767},
        {32767.5, std::nullopt, 32767},
        {32768, std::nullopt, std::nullopt},
        {-32768, -32768, -32768},
        {-32768.5, -32768, std::nullopt},
        {-32769, std::nullopt, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundToInt16(c.value), c.rounded) << c.value;
        EXPECT_EQ(FloorToInt16(c.value), c.floored) << c.value;
    }
    EXPECT_EQ(Floor(2.9), 2);
    EXPECT_EQ(Floor(-0.5), -1);
}

TEST(TextFormatting, WholeNumbersAndInt16) {
    EXPECT_EQ(NumberText(200), u"200");
    EXPECT_EQ(NumberText(-5), u"-5");
    EXPECT_EQ(NumberText(-0.0), u"0");
    EXPECT_EQ(NumberText(1e20), u"100000000000000000000");
    EXPECT_EQ(Int16Text(0), u"0");
    EXPECT_EQ(Int16Text(255), u"255");
    EXPECT_EQ(Int16Text(-32768), u"-32768");
    EXPECT_EQ(Concat(u"&H", u"C8"), u"&HC8");
    EXPECT_EQ(Concat(u"", u""), u"");
}

TEST(PackColour, LaysOutRedLowestAndRefusesOutOfRange) {
    EXPECT_EQ(PackColour(0, 0, 0), 0u);
    EXPECT_EQ(PackColour(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(PackColour(0, 0, 255), 0xFF0000u);
    EXPECT_EQ(PackColour(255, 128, 0), 0x0080FFu);
    EXPECT_EQ(PackColour(255, 255, 255), 0xFFFFFFu);
    EXPECT_EQ(PackColour(-1, 0, 0), std::nullopt);
    EXPECT_EQ(PackColour(0, 256, 0), std::nullopt);
    EXPECT_EQ(PackColour(0, 0, -32768), std::nullopt);
}

} // namespace
} // namespace tintora
