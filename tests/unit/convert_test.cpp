// Conversions between texts and numbers, and checked arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/convert.h"
#include "platform/failure.h"

namespace {

using platform::Failure;

TEST(Val, ReadsTheLongestLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"1234.5", 1234.5}, {"1234,5", 1234},    {"-150", -150}, {"abc", 0},    {"", 0},
      {"  12abc", 12},    {"1 2\t3\n4", 1234}, {"+7", 7},      {".5", 0.5},   {"-.5e1", -5},
      {"1e3", 1000},      {"2E-2", 0.02},      {"12e", 12},    {"12e-", 12},  {"12e+x", 12},
      {"1.2.3", 1.2},     {"--5", 0},          {"-", 0},       {"e5", 0},     {"1e-999", 0},
      {"nan", 0},         {"inf", 0},          {"0x10", 0},    {"00042", 42},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(platform::Val(c.text), c.value) << c.text;
}

TEST(Val, ANumberBeyondA64BitFloatFails) {
  EXPECT_THROW(platform::Val("1e999"), Failure);
  EXPECT_THROW(platform::Val("-1e400"), Failure);
  EXPECT_DOUBLE_EQ(platform::Val("-1e39"), -1e39);  // fine as a 64-bit float
}

TEST(ToSingle, NearestFloatOrFailure) {
  EXPECT_EQ(platform::ToSingle(1234.5), 1234.5F);
  EXPECT_EQ(platform::ToSingle(0.1), 0.1F);
  EXPECT_THROW(platform::ToSingle(-1e39), Failure);
  EXPECT_THROW(platform::ToSingle(std::numeric_limits<double>::quiet_NaN()), Failure);
  EXPECT_THROW(platform::ToSingle(std::numeric_limits<double>::infinity()), Failure);
}

TEST(ToInt32, NearestWithTiesToEven) {
  const struct {
    double in;
    std::int32_t out;
  } cases[] = {{4155.0, 4155},
               {4155.5, 4156},
               {4154.5, 4154},
               {2.5, 2},
               {3.5, 4},
               {-2.5, -2},
               {-3.5, -4},
               {0.49, 0},
               {-0.5, 0},
               {28800, 28800},
               {2147483647.4, 2147483647},
               {-2147483648.4, -2147483647 - 1}};
  for (const auto& c : cases) EXPECT_EQ(platform::ToInt32(c.in), c.out) << c.in;
  for (double bad : {2147483647.5, -2147483648.6, 1e20, std::nan("")}) {
    EXPECT_THROW(platform::ToInt32(bad), Failure) << bad;
  }
}

TEST(ToInt32, HalvedWidthsAsTheStartUpUsesThem) {
  EXPECT_EQ(platform::ToInt32(4155.0F) / 2, 2077);  // the halving truncates
  EXPECT_EQ(platform::ToInt32(4155.5F) / 2, 2078);
  EXPECT_EQ(platform::ToInt32(4154.5F) / 2, 2077);
  EXPECT_EQ(platform::ToInt32(28800.0F) / 2 - platform::ToInt32(4155.0F) / 2, 12323);
}

TEST(SingleToText, WholeNumbersAsDigitsOthersReadBackExactly) {
  const struct {
    float in;
    const char* text;
  } cases[] = {{2280, "2280"},   {-150, "-150"},      {0, "0"},        {-0.0F, "0"},
               {12330, "12330"}, {1234.5F, "1234.5"}, {96.4F, "96.4"}, {1e10F, "10000000000"}};
  for (const auto& c : cases) EXPECT_EQ(platform::SingleToText(c.in), c.text) << c.in;
  for (float f : {0.1F, 177.39174F, -3.4e38F, 1e-30F}) {
    EXPECT_EQ(platform::ToSingle(platform::Val(platform::SingleToText(f))), f) << f;
  }
}

TEST(CheckedArithmetic, OverflowFails) {
  EXPECT_EQ(platform::AddChecked(2147483600, 47), 2147483647);
  EXPECT_THROW(platform::AddChecked(2147483600, 48), Failure);
  EXPECT_EQ(platform::SubChecked(-2147483647, 1), -2147483647 - 1);
  EXPECT_THROW(platform::SubChecked(-2147483647, 2), Failure);
  EXPECT_THROW(platform::SubChecked(5, -2147483647 - 1), Failure);
  EXPECT_THROW(platform::CheckedFloat(std::pow(1e200, 2.0)), Failure);
  EXPECT_EQ(platform::ToInt16(2047), 2047);
  EXPECT_THROW(platform::ToInt16(32768), Failure);
}

TEST(Case, OnlyAsciiLettersChange) {
  EXPECT_EQ(platform::UCase("Ferrowind Tobbelin 2 \xC3\xA4"), "FERROWIND TOBBELIN 2 \xC3\xA4");
  EXPECT_EQ(platform::LCase("TOP-Left"), "top-left");
}

}  // namespace
