#include <gtest/gtest.h>

#include <limits>

#include "scope/core/trend_channel.h"

namespace {

using scope::TrendChannels;

TEST(TrendChannels, ResetEmptiesEveryRecordAndKeepsItsIndex) {
  TrendChannels c;
  c.Find(3)->key = 7;
  c.SetDatacount(3, 10);
  c.SetName(3, "speed");
  c.trigger_frame = 5;
  c.time_base = 500;
  c.Reset();
  for (int i = 0; i < scope::kChannelCount; ++i) {
    const scope::TrendChannel& r = c.all()[static_cast<std::size_t>(i)];
    EXPECT_EQ(r.index, i);
    EXPECT_EQ(r.key, 0);
    EXPECT_EQ(r.count(), 0u);
    EXPECT_TRUE(r.name.empty());
  }
  EXPECT_EQ(c.trigger_frame, 0);
  EXPECT_EQ(c.time_base, 0);
}

TEST(TrendChannels, ChannelNumbersOutsideTheRangeAreIgnored) {
  TrendChannels c;
  for (int channel : {-1, 19, 32767, -32768}) {
    EXPECT_EQ(c.Find(channel), nullptr);
    c.SetDatacount(channel, 4);
    c.SetName(channel, "x");
  }
  for (const scope::TrendChannel& r : c.all()) {
    EXPECT_EQ(r.count(), 0u);
    EXPECT_TRUE(r.name.empty());
  }
}

// Samples land only when the whole range lies in the buffer; start + n must not wrap around.
TEST(TrendChannels, SetDataCopiesOnlyWithinTheBuffer) {
  struct Case {
    unsigned start, n;
    bool copied;
  };
  const Case kCases[] = {
      {0, 4, true},  {2, 2, true},  {4, 0, true},  {3, 2, false},
      {5, 0, false}, {0xFFFFFFFFu, 2, false}, {2, 0xFFFFFFFFu, false},
  };
  const double values[4] = {1, 2, 3, 4};
  for (const Case& k : kCases) {
    TrendChannels c;
    c.SetDatacount(0, 4);
    // A large n is never read past what the test gives: it is refused before any copy.
    c.SetData(0, k.start, k.n, values);
    const bool changed = c.all()[0].samples != std::vector<double>(4, 0.0);
    EXPECT_EQ(changed, k.copied && k.n > 0) << k.start << "+" << k.n;
  }
  TrendChannels c;
  c.SetDatacount(1, 2);
  c.SetData(1, 0, 2, nullptr);
  EXPECT_EQ(c.all()[1].samples, std::vector<double>(2, 0.0)) << "null values copy nothing";
  c.SetData(1, 1, 1, values);
  EXPECT_EQ(c.all()[1].samples, (std::vector<double>{0, 1}));
}

TEST(TrendChannels, DatacountReplacesTheBufferAndNullTextsAreEmpty) {
  TrendChannels c;
  c.SetDatacount(2, 8);
  const double v = 5;
  c.SetData(2, 7, 1, &v);
  c.SetDatacount(2, 3);
  EXPECT_EQ(c.all()[2].samples, std::vector<double>(3, 0.0));
  c.SetDatacount(2, 0);
  EXPECT_EQ(c.all()[2].count(), 0u);
  c.SetName(2, "n");
  c.SetUnit(2, "u");
  c.SetName(2, nullptr);
  c.SetUnit(2, nullptr);
  EXPECT_EQ(c.all()[2].name, "");
  EXPECT_EQ(c.all()[2].unit, "");
}

}  // namespace
