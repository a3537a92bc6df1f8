#include "core/RandomSource.h"
#include "core/WeightedDraw.h"

#include <gtest/gtest.h>

#include <QMap>

namespace {

struct AdjustCase
{
    int before;
    bool right;
    qint64 ms;
    int after;
};

}

TEST(WeightedDraw, AdjustFollowsTheWeightTableRowByRow)
{
    // A = 4 s: limits at 4000, 8000 and 12000 ms.
    const AdjustCase cases[] = {
        {100, true, 3999, 50},  {3, true, 100, 1},      {2, true, 0, 1},
        {3, true, 4000, 4},     {4, true, 7999, 5},     {100, true, 4000, 126},
        {1, true, 8000, 2},     {2, true, 11999, 3},    {100, true, 8000, 159},
        {100, true, 12000, 200}, {100, false, 10, 200}, {1, false, 99999, 2},
    };
    for (const AdjustCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.before << (c.right ? " right " : " wrong ") << c.ms);
        WeightedDraw weights;
        weights.reset(3);
        weights.setWeight(1, c.before);
        weights.adjust(1, 0, 2, c.right, c.ms, 4);
        EXPECT_EQ(weights.weight(1), c.after);
        EXPECT_EQ(weights.weight(0), 100);
        EXPECT_EQ(weights.weight(2), 100);
    }
}

TEST(WeightedDraw, FastRightAnswerAtWeightOneDoublesTheOthersOfTheRangeOnly)
{
    WeightedDraw weights;
    weights.reset(5);
    weights.setWeight(2, 1);
    weights.adjust(2, 1, 3, true, 500, 4);
    EXPECT_EQ(weights.weights(), (QList<int>{100, 200, 1, 200, 100}));
}

TEST(WeightedDraw, LongRunOfFastAnswersStaysBoundedAndKeepsProportions)
{
    WeightedDraw weights;
    weights.reset(109);
    weights.setWeight(0, 1);
    for (int i = 0; i < 10000; ++i)
        weights.adjust(0, 0, 108, true, 100, 4);
    EXPECT_EQ(weights.weight(0), 1);
    for (int i = 1; i < 109; ++i) {
        ASSERT_LE(weights.weight(i), WeightedDraw::maxWeight);
        ASSERT_GE(weights.weight(i), WeightedDraw::maxWeight / 2);
    }
    EXPECT_LT(weights.sum(0, 108), qint64(std::numeric_limits<int>::max()));

    // Slow answers on every item never overflow either.
    for (int i = 0; i < 10000; ++i)
        weights.adjust(i % 109, 0, 108, false, 0, 4);
    for (int w : weights.weights())
        ASSERT_TRUE(w >= 1 && w <= WeightedDraw::maxWeight);
}

TEST(WeightedDraw, DrawFollowsTheWeightsAndNeverRepeatsWhenAsked)
{
    WeightedDraw weights;
    weights.reset(4);
    weights.setWeight(0, 100);
    weights.setWeight(1, 300);
    weights.setWeight(2, 600);
    weights.setWeight(3, 5000);  // outside the range drawn from
    SeededRandom random(7);
    QMap<int, int> counts;
    const int draws = 100000;
    for (int i = 0; i < draws; ++i)
        ++counts[weights.draw(0, 2, random)];
    EXPECT_EQ(counts.value(3), 0);
    EXPECT_NEAR(counts.value(0) / double(draws), 0.1, 0.01);
    EXPECT_NEAR(counts.value(1) / double(draws), 0.3, 0.01);
    EXPECT_NEAR(counts.value(2) / double(draws), 0.6, 0.01);

    int previous = 0;
    for (int i = 0; i < 1000; ++i) {
        const int next = weights.drawOther(0, 2, previous, random);
        ASSERT_NE(next, previous);
        previous = next;
    }
    EXPECT_EQ(weights.drawOther(3, 3, 3, random), 3);  // a range of one item is returned as is
    EXPECT_EQ(weights.draw(2, 1, random), -1);
}

namespace {
// Returns the given values in turn, so the walk of the draw can be checked exactly.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<int> values) : m_values(std::move(values)) {}
    int uniform(int, int) override { return m_values.takeFirst(); }

private:
    QList<int> m_values;
};
}

TEST(WeightedDraw, WalkReturnsTheFirstItemWhoseRunningSumReachesR)
{
    WeightedDraw weights;
    weights.reset(3);
    weights.setWeight(1, 50);
    ScriptedRandom random({1, 100, 101, 150, 151, 250});
    const int expected[] = {0, 0, 1, 1, 2, 2};
    for (int e : expected)
        EXPECT_EQ(weights.draw(0, 2, random), e);
}
