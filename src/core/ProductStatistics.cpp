#include "core/ProductStatistics.h"

#include "core/CsvText.h"

#include <QSet>

#include <algorithm>

namespace {

// Wrong answers that are themselves products of the tables 1 to 10 (other
// than 1 and 100): the answers that betray a confusion with another product.
bool est_produit_de_table(int r)
{
    static const QSet<int> produits = [] {
        QSet<int> s;
        for (int a = 1; a <= 10; ++a) {
            for (int b = 1; b <= 10; ++b)
                s.insert(a * b);
        }
        s.remove(1);
        s.remove(100);
        return s;
    }();
    return produits.contains(r);
}

QString unDixieme(int v)
{
    return QString::number(v / 10) + u'.' + QString::number(v % 10);
}

QString produit(int k)
{
    return QString::number(ProductStatistics::facteur_a(k)) + QStringLiteral("×")
           + QString::number(ProductStatistics::facteur_b(k));
}

struct Confusion
{
    QString cle;
    int a = 0;
    int b = 0;
    int r = 0;
    int n = 0;
};

Confusion lit_confusion(const QString &cle, int n)
{
    Confusion c;
    c.cle = cle;
    c.n = n;
    const qsizetype fois = cle.indexOf(QStringLiteral("×"));
    const qsizetype egal = cle.indexOf(u'=');
    c.a = cle.left(fois).toInt();
    c.b = cle.mid(fois + 1, egal - fois - 1).toInt();
    c.r = cle.mid(egal + 1).toInt();
    return c;
}

bool ordre_produit(const Confusion &x, const Confusion &y)
{
    return std::tie(x.a, x.b, x.r) < std::tie(y.a, y.b, y.r);
}

} // namespace

ProductStatistics::EtatCases ProductStatistics::cases_pour_mode(Mode mode)
{
    switch (mode) {
    case Mode::Pourcentage:
    case Mode::Nombre:
        return {kToutes, kFausse | kAbsente};
    case Mode::TempsMoyen:
        return {kRapide | kLente | kFausse, kRapide | kLente};
    case Mode::Vitesse:
        return {kToutes, kToutes};
    }
    return {};
}

int ProductStatistics::numero_panneau(int a, int b)
{
    if (a < 2 || a > 9 || b < 2 || b > 9)
        return 0;
    return 8 * (a - 2) + (b - 2) + 1;
}

namespace {

// Digits of a record read in place: a school's worth of tests is counted
// without making a string per answer.
int nombre(QStringView texte, qsizetype de, int chiffres)
{
    int v = 0;
    for (int i = 0; i < chiffres; ++i) {
        const char16_t c = texte[de + i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

// The category of an answer: right within the acceptable time is what the
// scoring gives 100, right but later a lower score, then wrong or none.
ProductStatistics::Categorie categorie_reponse(int a, int b, int t, int r, int tempsAcceptable)
{
    if (r == a * b)
        return t <= 10 * tempsAcceptable ? ProductStatistics::RapideJuste : ProductStatistics::LenteJuste;
    return r > 0 ? ProductStatistics::Fausse : ProductStatistics::Absente;
}

} // namespace

ProductStatistics::Categorie ProductStatistics::categorie(const QString &entree, int tempsAcceptable)
{
    const QStringView e(entree);
    if (e.size() < 11)
        return Absente;
    return categorie_reponse(nombre(e, 0, 2), nombre(e, 2, 2), nombre(e, 4, 3), std::max(nombre(e, 7, 4), 0),
                             tempsAcceptable);
}

ProductStatistics::Couleur ProductStatistics::couleur_panel(int v, const std::array<int, 5> &t)
{
    static const Couleur echelle[] = {Couleur::Blanc, Couleur::GrisClair, Couleur::Jaune,
                                      Couleur::Orange, Couleur::Rouge, Couleur::RougeFonce};
    const bool plusEstMieux = t[0] > t[4];
    for (int i = 0; i < 5; ++i) {
        if (plusEstMieux ? v >= t[i] : v < t[i])
            return echelle[i];
    }
    return Couleur::RougeFonce;
}

bool ProductStatistics::seuils_panel(Mode mode, unsigned c, std::array<int, 5> *seuils)
{
    auto donne = [seuils](std::array<int, 5> t) {
        *seuils = t;
        return true;
    };
    const bool justes = c & (kRapide | kLente);
    const bool erreurs = c & (kFausse | kAbsente);
    switch (mode) {
    case Mode::Pourcentage:
    case Mode::Nombre:
        if (c == (kRapide | kLente))
            return donne({950, 900, 800, 700, 600});
        if (c == (kLente | kFausse | kAbsente))
            return donne({120, 240, 360, 480, 600});
        if (c == kRapide)
            return donne({880, 760, 640, 520, 400});
        if (erreurs && !justes)
            return donne({50, 100, 200, 300, 400});
        // Any other mix (fast with errors, slow alone ...) has no meaning
        // on a scale: the panel stays white rather than keep an old colour.
        return false;
    case Mode::TempsMoyen:
        if (justes && !erreurs)
            return donne({20, 30, 40, 50, 60});
        return false;
    case Mode::Vitesse:
        return donne({300, 200, 150, 120, 100});
    }
    return false;
}

void ProductStatistics::reinitialise()
{
    m_comptes = {};
    m_temps = {};
    m_codesConfusions.clear();
    m_confusions.clear();
    m_confusionsAJour = true;
    m_tests = 0;
}

const QMap<QString, int> &ProductStatistics::confusions() const
{
    if (!m_confusionsAJour) {
        m_confusions.clear();
        for (auto it = m_codesConfusions.cbegin(); it != m_codesConfusions.cend(); ++it) {
            const quint32 facteurs = it.key() / 10000;
            m_confusions.insert(QString::number(facteurs / 100) + QStringLiteral("×") + QString::number(facteurs % 100)
                                    + u'=' + QString::number(it.key() % 10000),
                                it.value());
        }
        m_confusionsAJour = true;
    }
    return m_confusions;
}

void ProductStatistics::ajoute_test(const QString &enregistrements, int tempsAcceptable)
{
    ++m_tests;
    // As the scoring reads records: 12 characters each, "P" and 11 digits,
    // a damaged group passed over, a later answer to a product replacing an
    // earlier one.
    struct Reponse
    {
        int t = -1;
        int r = 0;
    };
    std::array<Reponse, kPanneaux> reponses{};
    const QStringView e(enregistrements);
    for (qsizetype i = 0; i + 12 <= e.size(); i += 12) {
        if (e[i] != u'P')
            continue;
        const int a = nombre(e, i + 1, 2);
        const int b = nombre(e, i + 3, 2);
        const int t = nombre(e, i + 5, 3);
        const int r = nombre(e, i + 8, 4);
        const int k = numero_panneau(a, b);
        if (k == 0 || t < 0 || r < 0)
            continue;
        reponses[k - 1] = {t, r};
    }
    for (int k = 1; k <= kPanneaux; ++k) {
        const Reponse &rep = reponses[k - 1];
        if (rep.t < 0)
            continue;
        const int a = facteur_a(k);
        const int b = facteur_b(k);
        const Categorie c = categorie_reponse(a, b, rep.t, rep.r, tempsAcceptable);
        m_comptes[k - 1][c] += 1;
        m_temps[k - 1][c] += rep.t;
        if (c == Fausse && est_produit_de_table(rep.r)) {
            m_codesConfusions[quint32(a * 100 + b) * 10000 + quint32(rep.r)] += 1;
            m_confusionsAJour = false;
        }
    }
}

int ProductStatistics::reponses(int k) const
{
    const auto &c = m_comptes[k - 1];
    return c[0] + c[1] + c[2] + c[3];
}

ProductStatistics::Panneau ProductStatistics::panneau(int k, Mode mode, unsigned categories, int nbEleves) const
{
    Panneau p;
    const auto &comptes = m_comptes[k - 1];
    const auto &temps = m_temps[k - 1];
    qint64 somme = 0;
    qint64 sommeTemps = 0;
    for (int c = 0; c < 4; ++c) {
        if (categories & (1u << c)) {
            somme += comptes[c];
            sommeTemps += temps[c];
        }
    }
    // No pupil with a test: there is nothing to take a share of.
    const bool donnees = nbEleves > 0 && m_tests > 0;
    const int pourMille = donnees ? int(somme * 1000 / nbEleves) : 0;
    switch (mode) {
    case Mode::Nombre:
        p.defini = donnees;
        p.valeur = int(somme);
        p.texte = QString::number(somme);
        break;
    case Mode::Pourcentage:
        p.defini = donnees;
        p.valeur = pourMille;
        p.texte = unDixieme(pourMille);
        break;
    case Mode::TempsMoyen:
        p.defini = somme > 0;
        if (p.defini) {
            p.valeur = int(sommeTemps / somme);
            p.texte = unDixieme(p.valeur);
        }
        break;
    case Mode::Vitesse: {
        const qint64 tempsTotal = temps[0] + temps[1] + temps[2] + temps[3];
        // Without any time there is no speed: shown as for an average of nothing.
        p.defini = tempsTotal > 0;
        if (p.defini) {
            p.valeur = int((comptes[RapideJuste] + comptes[LenteJuste]) * qint64(6000) / tempsTotal);
            p.texte = QString::number(p.valeur / 10);
            if (p.valeur % 10 != 0)
                p.texte += u'.' + QString::number(p.valeur % 10);
        }
        break;
    }
    }
    if (!p.defini) {
        p.texte = QStringLiteral("***");
        return p;
    }
    std::array<int, 5> seuils{};
    if (seuils_panel(mode, categories, &seuils))
        p.couleur = couleur_panel(mode == Mode::Nombre ? pourMille : p.valeur, seuils);
    p.texteBlanc = p.couleur == Couleur::Rouge || p.couleur == Couleur::RougeFonce;
    return p;
}

QString ProductStatistics::nom_mode(Mode mode)
{
    switch (mode) {
    case Mode::Pourcentage: return QStringLiteral("pourcentage d'élèves");
    case Mode::Nombre: return QStringLiteral("nombre d'élèves");
    case Mode::TempsMoyen: return QStringLiteral("temps moyen de réponse");
    case Mode::Vitesse: return QStringLiteral("nombre moyen de bonnes réponses par mn");
    }
    return {};
}

QString ProductStatistics::noms_categories(unsigned categories)
{
    static const char *const noms[] = {"réponses justes rapides", "réponses justes lentes", "réponses fausses",
                                       "pas de réponse"};
    QStringList l;
    for (int c = 0; c < 4; ++c) {
        if (categories & (1u << c))
            l.append(QString::fromUtf8(noms[c]));
    }
    return l.isEmpty() ? QStringLiteral("aucune catégorie") : l.join(QStringLiteral(", "));
}

QString ProductStatistics::description_panneau(int k, Mode mode, unsigned categories, int nbEleves) const
{
    const Panneau p = panneau(k, mode, categories, nbEleves);
    QString valeur;
    if (!p.defini) {
        valeur = m_tests == 0 ? QStringLiteral("aucun élève n'a de test") : QStringLiteral("pas de valeur");
    } else {
        switch (mode) {
        case Mode::Pourcentage: valeur = p.texte + QStringLiteral(" % des élèves"); break;
        case Mode::Nombre: valeur = p.texte + QStringLiteral(" élèves"); break;
        case Mode::TempsMoyen: valeur = p.texte + QStringLiteral(" s en moyenne"); break;
        case Mode::Vitesse: valeur = p.texte + QStringLiteral(" bonnes réponses par minute"); break;
        }
    }
    const int n = reponses(k);
    const QString detail = mode == Mode::Vitesse ? QString()
                                                 : QStringLiteral(" (") + noms_categories(categories) + u')';
    QString suite;
    if (n == 0) {
        suite = QStringLiteral("aucune réponse");
    } else {
        const int justes = compte(k, RapideJuste) + compte(k, LenteJuste);
        suite = QString::number(justes * 100 / n) + QStringLiteral(" % de réussite, ") + QString::number(n)
                + (n == 1 ? QStringLiteral(" réponse") : QStringLiteral(" réponses"));
    }
    return produit(k) + QStringLiteral(" : ") + valeur + detail + QStringLiteral(" ; ") + suite;
}

QList<QPair<QString, int>> ProductStatistics::confusions_triees(Tri tri) const
{
    QList<Confusion> liste;
    for (auto it = confusions().cbegin(); it != confusions().cend(); ++it)
        liste.append(lit_confusion(it.key(), it.value()));
    std::sort(liste.begin(), liste.end(), ordre_produit);
    switch (tri) {
    case Tri::Produit:
        break;
    case Tri::Frequence:
        // Most frequent first; equal counts keep the product order.
        std::stable_sort(liste.begin(), liste.end(), [](const Confusion &x, const Confusion &y) { return x.n > y.n; });
        break;
    case Tri::Resultat: {
        // Grouped by the wrong answer, the answer given most often first; in
        // a group the most frequent confusion first.
        QMap<int, int> totaux;
        for (const Confusion &c : liste)
            totaux[c.r] += c.n;
        std::stable_sort(liste.begin(), liste.end(), [&totaux](const Confusion &x, const Confusion &y) {
            const int tx = totaux.value(x.r);
            const int ty = totaux.value(y.r);
            if (tx != ty)
                return tx > ty;
            if (x.r != y.r)
                return x.r < y.r;
            return x.n > y.n;
        });
        break;
    }
    }
    QList<QPair<QString, int>> triees;
    for (const Confusion &c : liste)
        triees.append({c.cle, c.n});
    return triees;
}

QStringList ProductStatistics::lignes_confusions(Tri tri) const
{
    QStringList lignes;
    for (const auto &[cle, n] : confusions_triees(tri)) {
        QString ligne = cle;
        while (ligne.size() < 10)
            ligne += u'.';
        lignes.append(ligne + QString::number(n));
    }
    if (!lignes.isEmpty())
        lignes.first() += QStringLiteral(" fois");
    return lignes;
}

QList<QStringList> ProductStatistics::lignes_csv(Mode mode, unsigned categories, int nbEleves) const
{
    QList<QStringList> lignes;
    lignes.append({QStringLiteral("Élèves au total"), QString::number(nbEleves)});
    lignes.append({QStringLiteral("Élèves avec un test"), QString::number(m_tests)});
    lignes.append({QStringLiteral("Affichage"), nom_mode(mode)});
    if (mode != Mode::Vitesse)
        lignes.append({QStringLiteral("Concernant"), noms_categories(categories)});
    lignes.append(QStringList{QString()});
    lignes.append({QStringLiteral("Produit"), QStringLiteral("Réponses"), QStringLiteral("Justes rapides"),
                   QStringLiteral("Justes lentes"), QStringLiteral("Fausses"), QStringLiteral("Sans réponse"),
                   QStringLiteral("Réussite (%)"), QStringLiteral("Temps moyen (s)"), QStringLiteral("Valeur affichée")});
    for (int k = 1; k <= kPanneaux; ++k) {
        const int n = reponses(k);
        qint64 tempsTotal = 0;
        for (int c = 0; c < 4; ++c)
            tempsTotal += m_temps[k - 1][c];
        const int justes = compte(k, RapideJuste) + compte(k, LenteJuste);
        const Panneau p = panneau(k, mode, categories, nbEleves);
        QString affiche = p.texte;
        if (p.defini && mode != Mode::Nombre)
            affiche = CsvText::dixiemes(p.valeur);
        lignes.append({produit(k), QString::number(n), QString::number(compte(k, RapideJuste)),
                       QString::number(compte(k, LenteJuste)), QString::number(compte(k, Fausse)),
                       QString::number(compte(k, Absente)),
                       n > 0 ? CsvText::dixiemes(qint64(justes) * 1000 / n) : QString(),
                       n > 0 ? CsvText::dixiemes(tempsTotal / n) : QString(), affiche});
    }
    lignes.append(QStringList{QString()});
    lignes.append({QStringLiteral("Confusion"), QStringLiteral("Nombre de fois")});
    for (const auto &[cle, n] : confusions_triees(Tri::Frequence))
        lignes.append({cle, QString::number(n)});
    return lignes;
}
