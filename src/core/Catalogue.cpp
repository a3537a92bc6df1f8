#include "core/Catalogue.h"

#include <algorithm>

namespace Catalogue {

namespace {

const QString kMultiplie = QStringLiteral("\u00D7");
const QString kClassiques = QStringLiteral("tables_classiques");
const QString kEtendues = QStringLiteral("tables_etendues");
const QString kCarres = QStringLiteral("table_carres");

// Built in place: a list of products from a stored value can run to tens of
// thousands of codes, and a code made from two padded numbers costs five
// strings.
QString code(int a, int b)
{
    if (a < 0 || a > 99 || b < 0 || b > 99)
        return complete_zeros(a, 2) + complete_zeros(b, 2);
    const QChar chiffres[4] = {QChar(u'0' + a / 10), QChar(u'0' + a % 10), QChar(u'0' + b / 10),
                               QChar(u'0' + b % 10)};
    return QString(chiffres, 4);
}

// Factors of a four-digit code; false for any other text, so that a damaged
// stored value never yields a made-up product.
bool facteurs(const QString &code, int &a, int &b)
{
    if (code.size() != 4)
        return false;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const auto chiffre = [&code](int i) { return code[i].unicode() - u'0'; };
    a = chiffre(0) * 10 + chiffre(1);
    b = chiffre(2) * 10 + chiffre(3);
    return true;
}

QStringList construitCodesTable(int n)
{
    QStringList codes;
    if (n >= 2 && n <= 9) {
        for (int b = 2; b <= 9; ++b)
            codes << code(n, b);
    } else if (n == 10) {
        for (int a = 2; a <= 9; ++a)
            codes << construitCodesTable(a);
    } else if (n == 11) {
        for (int a = 11; a <= 19; ++a)
            codes << code(a, a);
    } else if (n >= 12 && n <= 19) {
        for (int x = 2; x <= 9; ++x)
            codes << code(x, n);
        for (int x = 11; x < n; ++x)
            codes << code(x, n);
    }
    return codes;
}

// Strict decimal number: digits only, no sign, no blanks.
bool entier(const QString &texte, int &valeur)
{
    if (texte.isEmpty() || texte.size() > 9)
        return false;
    for (const QChar c : texte) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    valeur = texte.toInt();
    return true;
}

// Appends the codes of one ranges item ("2", "4-6") of factor a. Factors that
// do not fit the two digits of a code are dropped rather than written wide.
void ajouteIntervalle(int a, const QString &intervalle, QStringList &codes)
{
    const QString t = intervalle.trimmed();
    if (t.isEmpty())
        return;
    int bas = 0;
    int haut = 0;
    const qsizetype tiret = t.indexOf(QLatin1Char('-'));
    if (tiret < 0) {
        if (!entier(t, bas))
            return;
        haut = bas;
    } else if (!entier(t.left(tiret).trimmed(), bas) || !entier(t.mid(tiret + 1).trimmed(), haut)) {
        return;
    }
    for (int b = std::max(bas, 0); b <= std::min(haut, 99); ++b)
        codes << code(a, b);
}

// The tables never change: their codes are made once, then shared by every
// list that names them.
const QStringList &codesTable(int n)
{
    static const QList<QStringList> tables = [] {
        QList<QStringList> t;
        for (int i = 0; i <= 19; ++i)
            t << construitCodesTable(i);
        return t;
    }();
    static const QStringList aucun;
    return n >= 0 && n < tables.size() ? tables[n] : aucun;
}

// The codes a table key stands for; none for an unknown key.
QStringList codesCle(const QString &cle)
{
    if (cle == kEtendues) {
        QStringList codes = codesTable(11);
        for (int n = 12; n <= 19; ++n)
            codes << codesTable(n);
        return codes;
    }
    const int n = numero_table(cle);
    return n < 0 ? QStringList() : codesTable(n);
}

} // namespace

QString produits_table(const QString &cle)
{
    return codesCle(cle).join(QLatin1Char(','));
}

QString produits_numero_table(int numero)
{
    return codesTable(numero).join(QLatin1Char(','));
}

int numero_table(const QString &cle)
{
    if (cle == kClassiques)
        return 10;
    if (cle == kCarres)
        return 11;
    if (!cle.startsWith(QLatin1String("table_")))
        return -1;
    const QString reste = cle.mid(6);
    int n = 0;
    if (!entier(reste, n) || reste.startsWith(QLatin1Char('0')))
        return -1;
    if ((n >= 2 && n <= 9) || (n >= 12 && n <= 19))
        return n;
    return -1;
}

QString cle_table(int numero)
{
    // Made once and shared: every product of a long list asks for its key.
    static const QStringList cles = [] {
        QStringList c;
        for (int n = 0; n <= 19; ++n) {
            if (n == 10)
                c << kClassiques;
            else if (n == 11)
                c << kCarres;
            else if (n >= 2)
                c << QStringLiteral("table_") + QString::number(n);
            else
                c << QString();
        }
        return c;
    }();
    return numero >= 0 && numero < cles.size() ? cles[numero] : QString();
}

int nombre_produits_table(const QString &cle)
{
    const qsizetype nombre = codesCle(cle).size();
    return nombre == 0 ? -1 : int(nombre);
}

QStringList liste_produits_tables(const QString &cles)
{
    QStringList codes;
    for (const QString &cle : cles.split(QLatin1Char(',')))
        codes << codesCle(cle);
    return codes;
}

QString cle_table_produit(const QString &code)
{
    int a = 0;
    int b = 0;
    if (!facteurs(code, a, b))
        return QString();
    const int m = std::max(a, b);
    int numero = -1;
    if (m < 10)
        numero = a;
    else if (m > 10)
        numero = a == b ? 11 : (m >= 12 ? m : -1); // 11 is the squares' number, not a table's
    // Factors 0 and 1 or above 19 name tables that do not exist: no key.
    return cle_table(numero);
}

QString tables_des_produits(const QStringList &codes)
{
    QStringList cles;
    for (const QString &c : codes) {
        const QString cle = cle_table_produit(c);
        if (!cle.isEmpty() && !cles.contains(cle))
            cles << cle;
    }
    return cles.join(QLatin1Char(','));
}

QString nom_table(const QString &cle, int forme)
{
    const int n = numero_table(cle);
    if (n < 0 || n == 10)
        return QString();
    const bool carres = n == 11;
    switch (forme) {
    case 0:
        return carres ? QStringLiteral("carrés") : QString::number(n);
    case 1:
        return carres ? QStringLiteral("des carrés") : QStringLiteral("de ") + QString::number(n);
    case 2:
        return carres ? QStringLiteral("Table des carrés") : QStringLiteral("Table de ") + QString::number(n);
    default:
        return QString();
    }
}

QString nom_liste_tables(const QString &cles)
{
    const QStringList k = cles.split(QLatin1Char(','));
    const qsizetype n = k.size();
    if (n == 1)
        return nom_table(k[0], 2);
    if (n == 2)
        return QStringLiteral("Tables ") + nom_table(k[0], 1) + QStringLiteral(" et ") + nom_table(k[1], 1);
    if (cles == QLatin1String("table_2,table_3,table_4,table_5,table_6,table_7,table_8,table_9"))
        return QStringLiteral("Toutes les tables de 2 à 9");
    QString nom = QStringLiteral("Tables ") + nom_table(k[0], 1);
    for (qsizetype i = 1; i < n - 1; ++i)
        nom += QStringLiteral(", ") + nom_table(k[i], 0);
    return nom + QStringLiteral(" et ") + nom_table(k[n - 1], 0);
}

QString ecrit_produit(const QString &code)
{
    int a = 0;
    int b = 0;
    if (!facteurs(code, a, b))
        return QString();
    return QString::number(a) + kMultiplie + QString::number(b);
}

QString resultat_produit(const QString &code)
{
    int a = 0;
    int b = 0;
    if (!facteurs(code, a, b))
        return QString();
    return QString::number(a * b);
}

QString resultat_produit_4(const QString &code)
{
    int a = 0;
    int b = 0;
    if (!facteurs(code, a, b))
        return QString();
    return complete_zeros(a * b, 4);
}

QString produit_inverse(const QString &code)
{
    return code.mid(2, 2) + code.left(2);
}

QString code_vers_forme_ancienne(const QStringList &codes)
{
    QString resultat;
    qsizetype i = 0;
    while (i < codes.size()) {
        int a = 0;
        int b = 0;
        if (!facteurs(codes[i], a, b)) {
            ++i;
            continue;
        }
        QList<int> seconds{b};
        qsizetype j = i + 1;
        int a2 = 0;
        int b2 = 0;
        while (j < codes.size() && facteurs(codes[j], a2, b2) && a2 == a) {
            seconds << b2;
            ++j;
        }
        QStringList intervalles;
        qsizetype debut = 0;
        while (debut < seconds.size()) {
            qsizetype fin = debut;
            while (fin + 1 < seconds.size() && seconds[fin + 1] == seconds[fin] + 1)
                ++fin;
            if (fin == debut)
                intervalles << QString::number(seconds[debut]);
            else
                intervalles << QString::number(seconds[debut]) + QLatin1Char('-') + QString::number(seconds[fin]);
            debut = fin + 1;
        }
        resultat += QLatin1Char(',') + QString::number(a) + QStringLiteral("x<") + intervalles.join(QLatin1Char(','))
                    + QLatin1Char('>');
        i = j;
    }
    if (resultat.startsWith(QLatin1Char(',')))
        resultat.remove(0, 1);
    return resultat;
}

QStringList forme_ancienne_vers_codes(const QString &texte)
{
    // A group whose second factors hold several ranges ("8x<2,4-6>") spreads
    // over several comma items: the items after its "x<" belong to it until
    // the one that carries ">". An item outside any group is passed over.
    QStringList codes;
    int a = -1;
    bool groupeOuvert = false;
    for (const QString &item : texte.split(QLatin1Char(','))) {
        QString intervalle;
        const qsizetype ouverture = item.indexOf(QLatin1String("x<"));
        if (ouverture >= 0) {
            int facteur = 0;
            a = entier(item.left(ouverture).trimmed(), facteur) && facteur <= 99 ? facteur : -1;
            intervalle = item.mid(ouverture + 2);
            groupeOuvert = true;
        } else if (groupeOuvert) {
            intervalle = item;
        } else {
            continue;
        }
        const qsizetype fermeture = intervalle.indexOf(QLatin1Char('>'));
        if (fermeture >= 0) {
            intervalle.truncate(fermeture);
            groupeOuvert = false;
        }
        if (a >= 0)
            ajouteIntervalle(a, intervalle, codes);
    }
    return codes;
}

QString vers_forme_actuelle(const QString &texte)
{
    if (texte.contains(QLatin1String("table")))
        return texte;
    return tables_des_produits(forme_ancienne_vers_codes(texte));
}

QStringList liste_tables_de_produits(const QStringList &codes)
{
    QStringList tables;
    for (const QString &c : codes) {
        const QString t = c.left(2);
        if (tables.isEmpty() || tables.last() != t)
            tables << t;
    }
    return tables;
}

QString complete_zeros(qint64 valeur, int largeur)
{
    const QString texte = QString::number(valeur < 0 ? 0 : valeur);
    return texte.rightJustified(largeur, QLatin1Char('0'));
}

QString supprime_zeros(const QString &texte)
{
    qsizetype i = 0;
    while (i < texte.size() && texte[i] == QLatin1Char('0'))
        ++i;
    return texte.mid(i);
}

} // namespace Catalogue
