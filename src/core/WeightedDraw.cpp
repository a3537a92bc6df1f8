#include "core/WeightedDraw.h"

#include "core/RandomSource.h"

#include <algorithm>

void WeightedDraw::reset(int count, int initial)
{
    m_weights = QList<int>(std::max(count, 0), std::clamp(initial, 1, maxWeight));
}

void WeightedDraw::setWeight(int index, int weight)
{
    m_weights[index] = std::clamp(weight, 1, maxWeight);
}

qint64 WeightedDraw::sum(int first, int last) const
{
    qint64 total = 0;
    for (int i = std::max(first, 0); i <= last && i < size(); ++i)
        total += m_weights.at(i);
    return total;
}

void WeightedDraw::adjust(int current, int first, int last, bool right, qint64 responseMs,
                          int acceptableSeconds)
{
    if (current < 0 || current >= size())
        return;
    first = std::max(first, 0);
    last = std::min(last, size() - 1);
    const qint64 a = qint64(acceptableSeconds) * 1000;
    qint64 w = m_weights.at(current);
    if (!right || responseMs >= 3 * a) {
        w *= 2;
    } else if (responseMs < a) {
        if (w < 2) {
            for (int i = first; i <= last; ++i)
                if (i != current)
                    m_weights[i] = int(std::min<qint64>(qint64(m_weights.at(i)) * 2, 2 * qint64(maxWeight)));
        } else {
            w /= 2;
        }
    } else if (responseMs < 2 * a) {
        w = w < 4 ? w + 1 : w * 126 / 100;
    } else {
        w = w < 2 ? 2 : w * 159 / 100;
    }
    m_weights[current] = int(std::min<qint64>(w, 2 * qint64(maxWeight)));
    keepWithinBound(first, last);
    if (current < first || current > last)
        m_weights[current] = std::clamp(m_weights.at(current), 1, maxWeight);
}

void WeightedDraw::keepWithinBound(int first, int last)
{
    for (;;) {
        bool over = false;
        for (int i = first; i <= last; ++i)
            over = over || m_weights.at(i) > maxWeight;
        if (!over)
            return;
        for (int i = first; i <= last; ++i)
            m_weights[i] = std::max(m_weights.at(i) / 2, 1);
    }
}

int WeightedDraw::draw(int first, int last, RandomSource &random) const
{
    first = std::max(first, 0);
    last = std::min(last, size() - 1);
    if (first > last)
        return -1;
    const qint64 total = sum(first, last);
    const int r = random.uniform(1, int(total));
    qint64 running = 0;
    for (int i = first; i <= last; ++i) {
        running += m_weights.at(i);
        if (running >= r)
            return i;
    }
    return last;
}

int WeightedDraw::drawOther(int first, int last, int previous, RandomSource &random) const
{
    int drawn = draw(first, last, random);
    if (std::min(last, size() - 1) <= std::max(first, 0))
        return drawn;
    while (drawn == previous)
        drawn = draw(first, last, random);
    return drawn;
}
