#pragma once

#include <QList>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>

// Statistics by product over the selected tests of many pupils: for every
// product of the classic tables (2×2 ... 9×9) how many answers were right and
// fast, right but slow, wrong or absent, with their times, and which wrong
// answers that are themselves table products were given (the confusions).
//
// Answers are accumulated by product code: a test that lacks a product (an
// incomplete test, an extended test) adds nothing to that product's panel and
// does not shift the other products.
class ProductStatistics
{
public:
    static constexpr int kPanneaux = 64;

    enum Categorie { RapideJuste = 0, LenteJuste = 1, Fausse = 2, Absente = 3 };
    // Sets of categories, as the four check boxes tick them.
    enum : unsigned {
        kRapide = 1u << RapideJuste,
        kLente = 1u << LenteJuste,
        kFausse = 1u << Fausse,
        kAbsente = 1u << Absente,
        kToutes = kRapide | kLente | kFausse | kAbsente,
    };

    enum class Mode { Pourcentage, Nombre, TempsMoyen, Vitesse };
    enum class Couleur { Blanc, GrisClair, Jaune, Orange, Rouge, RougeFonce };
    enum class Tri { Frequence, Produit, Resultat };

    // The category boxes a display mode offers and ticks.
    struct EtatCases
    {
        unsigned actives = kToutes;
        unsigned cochees = kFausse | kAbsente;
    };
    static EtatCases cases_pour_mode(Mode mode);

    struct Panneau
    {
        bool defini = false;      // false: "***", nothing to show for this choice
        int valeur = 0;           // per mille, count, tenths of a second or tenths of answers per minute
        QString texte;
        Couleur couleur = Couleur::Blanc;
        bool texteBlanc = false;  // white text on the red and dark red panels
    };

    // Panel k (1..64) shows a×b with k = 8 × (a − 2) + (b − 2) + 1.
    static int numero_panneau(int a, int b);  // 0 outside the classic tables
    static int facteur_a(int k) { return (k - 1) / 8 + 2; }
    static int facteur_b(int k) { return (k - 1) % 8 + 2; }

    static Categorie categorie(const QString &entree, int tempsAcceptable);

    // Colour scale: t1 > t5 when higher is better, t1 <= t5 when lower is better.
    static Couleur couleur_panel(int valeur, const std::array<int, 5> &seuils);
    // The thresholds for a mode and a choice of categories; false when the
    // choice has no scale (the panel stays white).
    static bool seuils_panel(Mode mode, unsigned categories, std::array<int, 5> *seuils);

    void reinitialise();
    // Adds the records of one pupil's test; T in seconds decides fast and slow.
    void ajoute_test(const QString &enregistrements, int tempsAcceptable);
    int nombreTests() const { return m_tests; }

    int compte(int k, Categorie c) const { return m_comptes[k - 1][c]; }
    qint64 temps(int k, Categorie c) const { return m_temps[k - 1][c]; }
    int reponses(int k) const;

    // N is the number of pupils the percentages are taken over.
    Panneau panneau(int k, Mode mode, unsigned categories, int nbEleves) const;
    // What a screen reader says of the panel: "7×8 : 12.5 % des élèves
    // (réponses fausses, pas de réponse) ; 62 % de réussite, 35 réponses".
    QString description_panneau(int k, Mode mode, unsigned categories, int nbEleves) const;

    // "6×9=56" -> count.
    const QMap<QString, int> &confusions() const;
    // The confusion lines in the order asked: each key padded with dots to
    // 10 characters, then its count; " fois" after the first line's count.
    QStringList lignes_confusions(Tri tri) const;
    QList<QPair<QString, int>> confusions_triees(Tri tri) const;

    // The whole statistics as semicolon-separated rows for a spreadsheet.
    QList<QStringList> lignes_csv(Mode mode, unsigned categories, int nbEleves) const;

    static QString nom_mode(Mode mode);
    static QString noms_categories(unsigned categories);

private:
    std::array<std::array<int, 4>, kPanneaux> m_comptes{};
    std::array<std::array<qint64, 4>, kPanneaux> m_temps{};
    // Counted by (a × 100 + b) × 10000 + answer while the tests are added;
    // the texts are made once, when asked for.
    QHash<quint32, int> m_codesConfusions;
    mutable QMap<QString, int> m_confusions;
    mutable bool m_confusionsAJour = true;
    int m_tests = 0;
};
