#include "core/Evaluation.h"

#include "core/Catalogue.h"

#include <QSet>
#include <QVarLengthArray>

#include <bitset>

#include <algorithm>
#include <iterator>
#include <utility>

namespace Evaluation {

namespace {

constexpr int kLongueurEnregistrement = 12;
constexpr int kLongueurEntree = 11;
// "\tTEST de HH:MM:SS à HH:MM:SS " comes before the records of a test line.
constexpr int kLongueurEnteteTest = 29;

bool chiffres(QStringView texte)
{
    for (const QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool entreeValide(const QString &entree)
{
    return entree.size() >= kLongueurEntree && chiffres(QStringView(entree).left(kLongueurEntree));
}

QString score3(int score)
{
    return Catalogue::complete_zeros(score, 3);
}

// Score of every parsed entry by code, for the rankings.
QHash<QString, int> scoresParCode(const QString &enregistrements, int tempsAcceptable)
{
    QHash<QString, int> scores;
    for (const QString &entree : analyse_enregistrements(enregistrements))
        scores.insert(entree.left(4), score_produit(entree, tempsAcceptable));
    return scores;
}

QString nomRecord(const QString &ligne)
{
    return ligne.mid(6);
}

// One answer read from the records, without text copies: the scoring of a
// whole school's tests goes through here.
struct Reponse
{
    int code = 0;        // first factor × 100 + second factor
    int dixiemes = 0;
    int reponse = 0;
    bool juste() const { return reponse == (code / 100) * (code % 100); }
};
using Reponses = QVarLengthArray<Reponse, 200>;

// The records as analyse_enregistrements reads them: damaged groups passed
// over, a later answer to a product replacing an earlier one. The scores
// and counts below only add up, so the answers are left in no particular
// order (no sort, which matters over a whole school's tests).
Reponses reponses(QStringView enregistrements)
{
    Reponses r;
    std::bitset<10000> vus;
    const qsizetype n = enregistrements.size() / kLongueurEnregistrement;
    const char16_t *const texte = enregistrements.utf16();
    for (qsizetype k = n - 1; k >= 0; --k) {
        // "P" and eleven digits, read straight from the characters.
        const char16_t *const groupe = texte + k * kLongueurEnregistrement;
        if (groupe[0] != u'P')
            continue;
        int v[kLongueurEntree];
        bool entiere = true;
        for (int c = 0; c < kLongueurEntree && entiere; ++c) {
            v[c] = int(groupe[c + 1]) - '0';
            entiere = v[c] >= 0 && v[c] <= 9;
        }
        if (!entiere)
            continue;
        const int code = ((v[0] * 10 + v[1]) * 10 + v[2]) * 10 + v[3];
        if (vus.test(size_t(code)))
            continue;
        vus.set(size_t(code));
        r.append({code, (v[4] * 10 + v[5]) * 10 + v[6], ((v[7] * 10 + v[8]) * 10 + v[9]) * 10 + v[10]});
    }
    return r;
}

int scoreReponse(const Reponse &r, int tempsAcceptable)
{
    if (!r.juste())
        return 0;
    static const int kPaliers[] = {100, 50, 25, 12, 6, 3};
    for (int k = 0; k < 6; ++k) {
        if (r.dixiemes <= 10 * (k + 1) * tempsAcceptable)
            return kPaliers[k];
    }
    return 1;
}

// The product codes of a list of table keys; the last list asked for is
// kept, since a pass over many tests asks for the same one each time.
struct Produits
{
    std::bitset<10000> codes;
    int nombre = 0;
};
const Produits &produitsDe(const QString &cles)
{
    thread_local QString derniere;
    thread_local Produits produits;
    thread_local bool fait = false;
    if (!fait || cles != derniere) {
        produits = Produits();
        for (const QString &code : Catalogue::liste_produits_tables(cles)) {
            produits.codes.set(size_t(code.toInt()));
            ++produits.nombre;
        }
        derniere = cles;
        fait = true;
    }
    return produits;
}

} // namespace

QStringList analyse_enregistrements(const QString &enregistrements)
{
    QStringList entrees;
    QHash<QString, qsizetype> position;
    // Records come from files another machine wrote: a damaged group is
    // passed over, a truncated tail ignored.
    for (qsizetype i = 0; i + kLongueurEnregistrement <= enregistrements.size(); i += kLongueurEnregistrement) {
        const QStringView groupe = QStringView(enregistrements).mid(i, kLongueurEnregistrement);
        if (groupe[0] != QLatin1Char('P') || !chiffres(groupe.mid(1)))
            continue;
        const QString entree = groupe.mid(1).toString();
        const QString code = entree.left(4);
        const auto trouve = position.constFind(code);
        if (trouve != position.constEnd()) {
            entrees[*trouve] = entree;
        } else {
            position.insert(code, entrees.size());
            entrees << entree;
        }
    }
    entrees.sort();
    return entrees;
}

bool reponse_juste(const QString &entree)
{
    if (!entreeValide(entree))
        return false;
    const int a = entree.left(2).toInt();
    const int b = entree.mid(2, 2).toInt();
    return entree.mid(7, 4).toInt() == a * b;
}

int temps_dixiemes(const QString &entree)
{
    if (!entreeValide(entree))
        return 0;
    return entree.mid(4, 3).toInt();
}

int score_produit(const QString &entree, int tempsAcceptable)
{
    if (!reponse_juste(entree))
        return 0;
    const int t = temps_dixiemes(entree);
    static const int kPaliers[] = {100, 50, 25, 12, 6, 3};
    for (int k = 0; k < 6; ++k) {
        if (t <= qint64(10) * (k + 1) * tempsAcceptable)
            return kPaliers[k];
    }
    return 1;
}

int vitesse_produit(const QString &entree)
{
    if (!reponse_juste(entree))
        return 0;
    return 600 / std::max(temps_dixiemes(entree), 1);
}

int score_global(const QString &enregistrements, int tempsAcceptable)
{
    const QStringList entrees = analyse_enregistrements(enregistrements);
    // Nothing answered (or nothing readable): nothing known, rather than a
    // division by zero.
    if (entrees.isEmpty())
        return 0;
    int somme = 0;
    for (const QString &entree : entrees)
        somme += score_produit(entree, tempsAcceptable);
    return somme / int(entrees.size());
}

namespace {

int scoreDe(const Reponses &lues, const QString &cles, int tempsAcceptable)
{
    const Produits &produits = produitsDe(cles);
    if (produits.nombre == 0)
        return -1;
    int somme = 0;
    bool trouve = false;
    for (const Reponse &r : lues) {
        if (produits.codes.test(size_t(r.code))) {
            trouve = true;
            somme += scoreReponse(r, tempsAcceptable);
        }
    }
    if (!trouve)
        return -1;
    return somme / produits.nombre;
}

int vitesseDe(const Reponses &lues)
{
    qint64 justes = 0;
    qint64 dixiemes = 0;
    for (const Reponse &r : lues) {
        if (r.juste())
            ++justes;
        dixiemes += r.dixiemes;
    }
    if (dixiemes == 0)
        return -1;
    // 60 × R / (tenths / 10), rounded half to even, in exact integers.
    const qint64 numerateur = 600 * justes;
    qint64 quotient = numerateur / dixiemes;
    const qint64 reste2 = 2 * (numerateur % dixiemes);
    if (reste2 > dixiemes || (reste2 == dixiemes && quotient % 2 == 1))
        ++quotient;
    return int(quotient);
}

QStringView sansEntete(const QString &enregistrements)
{
    QStringView texte = enregistrements;
    if (texte.size() > 1 && texte[1] == QLatin1Char('T'))
        texte = texte.mid(qMin<qsizetype>(kLongueurEnteteTest, texte.size()));
    return texte;
}

} // namespace

int score_tables(const QString &enregistrements, const QString &cles, int tempsAcceptable)
{
    return scoreDe(reponses(enregistrements), cles, tempsAcceptable);
}

int vitesse_reponses(const QString &enregistrements)
{
    return vitesseDe(reponses(sansEntete(enregistrements)));
}

ScoreVitesse score_et_vitesse(const QString &enregistrements, const QString &cles, int tempsAcceptable)
{
    const Reponses lues = reponses(sansEntete(enregistrements));
    return {scoreDe(lues, cles, tempsAcceptable), vitesseDe(lues)};
}

bool test_couvre_tables(const QString &enregistrements, const QString &cles)
{
    std::bitset<10000> lus;
    for (const Reponse &r : reponses(enregistrements))
        lus.set(size_t(r.code));
    const Produits &produits = produitsDe(cles);
    return (produits.codes & ~lus).none();
}

QStringList classement_tables(const QString &enregistrements, const QStringList &produitsEtudies, int tempsAcceptable)
{
    QStringList cles;
    for (const QString &code : produitsEtudies) {
        const QString cle = Catalogue::cle_table_produit(code);
        if (!cle.isEmpty() && !cles.contains(cle))
            cles << cle;
    }
    QList<std::pair<QString, QString>> scores;
    for (const QString &cle : std::as_const(cles))
        scores.append({score3(score_tables(enregistrements, cle, tempsAcceptable)), cle});
    // Stable: equal scores (and -1 with 0, both "000") keep their first occurrence order.
    std::stable_sort(scores.begin(), scores.end(),
                     [](const auto &x, const auto &y) { return x.first < y.first; });
    QStringList classement;
    for (const auto &[score, cle] : std::as_const(scores))
        classement << cle + QLatin1Char('=') + score;
    return classement;
}

QStringList classement_produits(const QString &enregistrements, const QStringList &produitsEtudies, int tempsAcceptable)
{
    const QHash<QString, int> scores = scoresParCode(enregistrements, tempsAcceptable);
    QStringList cles;
    for (const QString &code : produitsEtudies)
        cles << score3(scores.value(code, -1)) + code;
    cles.sort();
    QStringList classement;
    for (const QString &cle : std::as_const(cles))
        classement << cle.mid(3) + QLatin1Char('=') + cle.left(3);
    return classement;
}

MalBien listes_mal_bien(const QString &enregistrements, int tempsAcceptable)
{
    MalBien listes;
    for (int t = 2; t <= 9; ++t) {
        const int s = score_tables(enregistrements, Catalogue::cle_table(t), tempsAcceptable);
        const QString numero = QString::number(t);
        if (s < 0)
            continue;
        if (s <= 9)
            listes.mal << QLatin1Char('0') + QString::number(s) + QLatin1Char('=') + numero;
        else if (s <= 84)
            listes.mal << QString::number(s) + QLatin1Char('=') + numero;
        else if (s <= 99)
            listes.bien << QString::number(s) + QLatin1Char('=') + numero;
        else
            listes.bien << QStringLiteral("aa=") + numero;
    }
    listes.mal.sort();
    listes.bien.sort();
    return listes;
}

int tranche_niveau(int score)
{
    constexpr int seuils[kNombreNiveaux - 1] = {50, 70, 85, 95, 100};
    return int(std::upper_bound(std::begin(seuils), std::end(seuils), score) - std::begin(seuils));
}

QString mot_niveau(int score)
{
    static const QString mots[kNombreNiveaux] = {QStringLiteral("très faible"), QStringLiteral("faible"),
                                                 QStringLiteral("passable"),    QStringLiteral("bien"),
                                                 QStringLiteral("très bien"),   QStringLiteral("parfait")};
    return mots[tranche_niveau(score)];
}

QString description_grille(const QString &enregistrements, int tempsAcceptable)
{
    QStringList fausses;
    for (const QString &entree : analyse_enregistrements(enregistrements)) {
        if (!reponse_juste(entree))
            fausses << Catalogue::ecrit_produit(entree.left(4));
    }
    const QString score = QString::number(score_global(enregistrements, tempsAcceptable)) + QStringLiteral(" %");
    if (fausses.isEmpty())
        return score + QStringLiteral(", aucune réponse fausse ou absente");
    return score + QStringLiteral(", réponses fausses ou absentes : ") + fausses.join(QStringLiteral(", "));
}

QString description_barre(const QString &jour, const QString &score)
{
    bool nombre = false;
    const int valeur = score.toInt(&nombre);
    if (!nombre || valeur < 0 || valeur > 100)
        return jour + QStringLiteral(" : ") + score;
    return jour + QStringLiteral(" : ") + score + QStringLiteral(" %, ") + mot_niveau(valeur);
}

QString entree_record(int score, int vitesse, const QString &nom, const QString &prenom)
{
    return Catalogue::complete_zeros(score, 3) + Catalogue::complete_zeros(vitesse, 3) + nom + QLatin1Char('_')
           + prenom;
}

int maj_records(QStringList &liste, int score, int vitesse, const QString &nom, const QString &prenom)
{
    const QString cle = nom + QLatin1Char('_') + prenom;
    const QString entree = entree_record(score, vitesse, nom, prenom);
    // The pupil's line is the one whose name part is exactly his: a mere
    // substring test would let "DUPONT_Jean" overwrite "DUPONT_Jeanne".
    QList<std::pair<QString, bool>> lignes;
    bool remplace = false;
    for (const QString &ligne : std::as_const(liste)) {
        if (!remplace && nomRecord(ligne) == cle) {
            lignes.append({entree, true});
            remplace = true;
        } else {
            lignes.append({ligne, false});
        }
    }
    if (!remplace)
        lignes.append({entree, true});
    std::stable_sort(lignes.begin(), lignes.end(), [](const auto &x, const auto &y) {
        return QString::compare(x.first, y.first, Qt::CaseInsensitive) < 0;
    });
    liste.clear();
    qsizetype index = 0;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        liste << lignes[i].first;
        if (lignes[i].second)
            index = i;
    }
    // The display ranks from the last line (the best) upwards.
    return int(lignes.size() - index);
}

} // namespace Evaluation
