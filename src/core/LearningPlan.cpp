#include "core/LearningPlan.h"

#include "core/Catalogue.h"

#include <QSet>

#include <algorithm>

namespace LearningPlan {

namespace {

// The most blocks the program can meet: 109 extended products in blocks of 2.
constexpr int kBlocsMax = 60;
// A formula whose plan would grow past this is refused rather than built.
constexpr qsizetype kLongueurPlanMax = 1 << 16;

constexpr int kGaucheTuiles = 168;
constexpr int kHautColonne = 450;
constexpr int kBasColonne = 570;
constexpr int kEcartBlocs = 5;

QString code(int a, int b)
{
    return Catalogue::complete_zeros(a, 2) + Catalogue::complete_zeros(b, 2);
}

// The numbers of the formula, or an empty list when one is not a positive integer.
QList<qint64> nombres(const QString &formule)
{
    QList<qint64> t;
    const QStringList parties = formule.split(QLatin1Char('.'));
    for (const QString &partie : parties) {
        bool ok = false;
        const qint64 v = partie.trimmed().toLongLong(&ok);
        if (!ok || v < 1 || v > kLongueurPlanMax)
            return {};
        t.append(v);
    }
    return t;
}

// Every revision covers blocks already introduced, and every block is introduced once.
bool plan_sain(const QList<qint64> &plan, int nombreBlocs)
{
    if (plan.isEmpty())
        return false;
    qint64 introduits = 0;
    for (qint64 e : plan) {
        if (e == 1)
            ++introduits;
        else if (e < 1 || e > introduits)
            return false;
    }
    return introduits == nombreBlocs;
}

} // namespace

const QStringList &sequence_par_tables()
{
    static const QStringList sequence = [] {
        QStringList s;
        for (int a = 2; a <= 9; ++a)
            for (int b = 2; b <= 9; ++b)
                s << code(a, b);
        for (int c = 11; c <= 19; ++c)
            s << code(c, c);
        for (int b = 12; b <= 19; ++b) {
            for (int a = 2; a <= 9; ++a)
                s << code(a, b);
            for (int a = 11; a < b; ++a)
                s << code(a, b);
        }
        return s;
    }();
    return sequence;
}

void rangement_items(QStringList &items, const QString &mode)
{
    if (mode == u"valeur produit") {
        QStringList prefixes;
        prefixes.reserve(items.size());
        for (const QString &item : std::as_const(items))
            prefixes << Catalogue::resultat_produit_4(item) + item;
        std::sort(prefixes.begin(), prefixes.end());
        items.clear();
        for (const QString &p : std::as_const(prefixes))
            items << p.mid(4);
    } else if (mode == u"par tables") {
        const QSet<QString> presents(items.cbegin(), items.cend());
        QStringList ranges;
        for (const QString &c : sequence_par_tables())
            if (presents.contains(c))
                ranges << c;
        items = ranges;
    }
}

bool taille_bloc_valide(int taille)
{
    return taille >= 2 && taille <= 4;
}

QList<int> decoupage_en_blocs(int n, int taille)
{
    QList<int> fins;
    if (n <= 0 || !taille_bloc_valide(taille))
        return fins;
    if (n <= taille)
        return {n - 1};
    const int r = n % taille;
    int debut = 0;
    if (r == 1) {
        fins << taille;             // one larger first block
        debut = taille + 1;
    }
    int finDesPleins = n;           // the blocks of full size end before this
    if (taille == 4 && r == 2)
        finDesPleins = n - 6;
    else if ((taille == 3 && r == 2) || (taille == 4 && r == 3))
        finDesPleins = n - r;
    for (int fin = debut + taille - 1; fin < finDesPleins; fin += taille)
        fins << fin;
    if (taille == 4 && r == 2)
        fins << n - 4 << n - 1;
    else if (finDesPleins != n)
        fins << n - 1;
    return fins;
}

QList<int> genere_plan_apprentissage_recursif(const QString &formule, int nombreBlocs)
{
    const QList<qint64> t = nombres(formule);
    if (t.isEmpty() || nombreBlocs < 1)
        return {};
    const qint64 b = t.last();
    if (b < 2)
        return {};
    const qint64 n = nombreBlocs;
    qint64 puissance = b;
    int k = 1;
    while (puissance < n) {
        puissance *= b;
        ++k;
    }
    qint64 p = puissance / b;

    QList<qint64> plan;
    for (qint64 v : t)
        plan << v * p;
    for (int niveau = k - 2; niveau >= 0; --niveau) {
        p /= b;
        QList<qint64> groupe;
        for (qsizetype i = 0; i + 1 < t.size(); ++i)
            groupe << t[i] * p;
        QList<qint64> developpe;
        for (qint64 e : std::as_const(plan)) {
            if (e == b * p)
                developpe << groupe;
            developpe << e;
            if (developpe.size() > kLongueurPlanMax)
                return {};
        }
        plan = developpe;
    }

    if (plan.last() > n) {
        qint64 uns = 0;
        for (qsizetype i = 0; i < plan.size(); ++i) {
            if (plan[i] == 1 && ++uns == n + 1) {
                plan.resize(i);
                break;
            }
        }
    }
    if (!plan.isEmpty() && plan.last() == 1) {
        qint64 serie = 0;
        for (qsizetype i = plan.size() - 1; i >= 0 && plan[i] == 1; --i)
            ++serie;
        if (serie > 1)
            plan << serie;
    }
    if (!plan.isEmpty() && plan.last() != n)
        plan << n;
    if (!plan_sain(plan, nombreBlocs))
        return {};
    QList<int> resultat;
    resultat.reserve(plan.size());
    for (qint64 e : std::as_const(plan))
        resultat << int(e);
    return resultat;
}

bool formule_valide(const QString &formule)
{
    for (int n = 1; n <= kBlocsMax; ++n)
        if (genere_plan_apprentissage_recursif(formule, n).isEmpty())
            return false;
    return true;
}

bool etendue_etape(int entree, const QList<int> &fins, int &dernierBloc, Etendue &etendue)
{
    if (entree == 1) {
        if (dernierBloc + 1 >= fins.size())
            return false;
        ++dernierBloc;
        etendue.dernier = fins[dernierBloc];
        etendue.premier = dernierBloc == 0 ? 0 : fins[dernierBloc - 1] + 1;
        return true;
    }
    const int j = dernierBloc - entree;
    if (entree < 1 || j < -1 || dernierBloc < 0 || dernierBloc >= fins.size())
        return false;
    etendue.dernier = fins[dernierBloc];
    etendue.premier = j == -1 ? 0 : fins[j] + 1;
    return true;
}

QList<QPoint> disposition_tuiles(const QList<int> &fins, int largeur)
{
    QList<QPoint> coins;
    int gauche = kGaucheTuiles;
    int haut = kHautColonne;    // top of the last tile placed, or of the column
    int debut = 0;
    for (qsizetype bloc = 0; bloc < fins.size(); ++bloc) {
        const int nombre = fins[bloc] - debut + 1;
        if (bloc > 0) {
            haut += kEcartBlocs;
            if (haut + nombre * kHauteurTuile > kBasColonne) {
                gauche += largeur + kEcartBlocs;
                haut = kHautColonne;
            }
        }
        for (int i = 0; i < nombre; ++i) {
            haut += kHauteurTuile;
            if (haut > kBasColonne) {
                gauche += largeur;
                haut = kHautColonne + kHauteurTuile;
            }
            coins << QPoint(gauche, haut);
        }
        debut = fins[bloc] + 1;
    }
    return coins;
}

} // namespace LearningPlan
