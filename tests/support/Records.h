#pragma once

#include <QString>

// Answer records written by hand for the tests: "P", the product code, the
// time in tenths on three digits, the answer on four digits.
namespace Fixtures {

inline QString record(const QString &code, int dixiemes, int reponse)
{
    return QStringLiteral("P%1%2%3").arg(code).arg(dixiemes, 3, 10, QLatin1Char('0')).arg(reponse, 4, 10, QLatin1Char('0'));
}

inline QString record(int a, int b, int dixiemes, int reponse)
{
    return record(QStringLiteral("%1%2").arg(a, 2, 10, QLatin1Char('0')).arg(b, 2, 10, QLatin1Char('0')), dixiemes,
                  reponse);
}

// One answer of a kind: right and fast ('W', 1.6 s), right in 4.5 s ('G'),
// right in 7.5 s ('S'), wrong ('X') or without answer ('N', after the time given).
inline QString recordSorte(int a, int b, char sorte, int tempsSansReponse)
{
    int temps = 16;
    int reponse = a * b;
    switch (sorte) {
    case 'G': temps = 45; break;
    case 'S': temps = 75; break;
    case 'X': reponse = a * b + 1; break;
    case 'N': reponse = 0; temps = tempsSansReponse; break;
    default: break;
    }
    return record(a, b, temps, reponse);
}

// The eight products of table a, answered as the pattern says (8 letters).
inline QString tableSorte(int a, const char *motif, int tempsSansReponse)
{
    QString r;
    for (int b = 2; b <= 9; ++b)
        r += recordSorte(a, b, motif[b - 2], tempsSansReponse);
    return r;
}

} // namespace Fixtures
