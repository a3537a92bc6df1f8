#pragma once

#include <QList>

class RandomSource;

// The adaptive draw shared by the training and every game: each question of a
// pool carries a weight that grows with wrong or slow answers and shrinks with
// fast right ones, and a question is drawn with a chance proportional to its
// weight. Weights are kept below a bound by halving the whole range together,
// which keeps their proportions while no sum can overflow.
class WeightedDraw
{
public:
    static constexpr int initialWeight = 100;
    // Largest weight kept; 109 products at this bound still sum well inside an int.
    static constexpr int maxWeight = 1 << 20;

    void reset(int count, int initial = initialWeight);
    int size() const { return int(m_weights.size()); }
    int weight(int index) const { return m_weights.at(index); }
    void setWeight(int index, int weight);
    const QList<int> &weights() const { return m_weights; }

    // Adjusts the weight of `current` after an answer; `first`..`last` is the
    // range being questioned (the whole pool for the games).
    void adjust(int current, int first, int last, bool right, qint64 responseMs, int acceptableSeconds);

    // Uniform r in 1..S, walking the range from `first`: the first item whose
    // running sum reaches r. Returns -1 for an empty range.
    int draw(int first, int last, RandomSource &random) const;
    // Draws again while the result is `previous`, unless the range has one item.
    int drawOther(int first, int last, int previous, RandomSource &random) const;

    qint64 sum(int first, int last) const;

private:
    void keepWithinBound(int first, int last);

    QList<int> m_weights;
};
