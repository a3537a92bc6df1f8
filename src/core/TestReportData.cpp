#include "core/TestReportData.h"

#include "core/Catalogue.h"
#include "core/Evaluation.h"

#include <algorithm>

namespace {

// "\tTEST de HH:MM:SS à HH:MM:SS " comes before the records of a test line.
constexpr int kLongueurEnteteTest = 29;

QString tempsAvecSeparateur(int dixiemes, QChar separateur)
{
    const int t = std::max(dixiemes, 0);
    QString texte = QString::number(t / 10);
    if (t % 10 != 0)
        texte += separateur + QString::number(t % 10);
    return texte + QLatin1Char('s');
}

} // namespace

TestReportData TestReportData::calcule(const QString &nom, const QString &prenom, const QString &classe,
                                       const QString &enregistrements, const QString &dateTexte,
                                       const QString &nomEtablissement, int tempsAcceptable)
{
    TestReportData d;
    d.nom = nom;
    d.prenom = prenom;
    d.classe = classe;
    d.dateTexte = dateTexte;
    d.nomEtablissement = nomEtablissement;
    d.enregistrements = enregistrements_de(enregistrements);
    d.tempsAcceptable = tempsAcceptable;

    d.cases = cases_test(d.enregistrements, tempsAcceptable);
    d.comptes = compte_cases(d.cases);
    for (int t = 2; t <= 9; ++t)
        d.scoresTables[t - 2] = Evaluation::score_tables(d.enregistrements, Catalogue::cle_table(t), tempsAcceptable);

    const Evaluation::MalBien listes = Evaluation::listes_mal_bien(d.enregistrements, tempsAcceptable);
    d.mal = listes.mal;
    // The report names the best tables first.
    d.bien = listes.bien;
    std::reverse(d.bien.begin(), d.bien.end());

    d.vitesse = Evaluation::vitesse_reponses(d.enregistrements);
    d.scoreGlobal = std::max(Evaluation::score_global(d.enregistrements, tempsAcceptable), 0);
    d.scoreClassiques = Evaluation::score_tables(d.enregistrements, QStringLiteral("tables_classiques"), tempsAcceptable);
    return d;
}

bool TestReportData::toutesTablesTestees() const
{
    return mal.size() + bien.size() == 8;
}

QString TestReportData::titre()
{
    return QStringLiteral("Tables de multiplication");
}

QString TestReportData::ligneNom() const
{
    return nom.toUpper() + QLatin1Char(' ') + prenom;
}

bool TestReportData::afficheClasse() const
{
    return !classe.isEmpty();
}

QString TestReportData::ligneClasse() const
{
    return QStringLiteral("Classe de ") + classe;
}

QString TestReportData::ligneDate() const
{
    return QStringLiteral("Test du ") + dateTexte + QLatin1Char(':');
}

QString TestReportData::texteProduit(const CaseTest &c, int nombrePoints)
{
    return Catalogue::ecrit_produit(c.code) + QString(nombrePoints, QLatin1Char('.'));
}

QString TestReportData::texteReponse(const CaseTest &c)
{
    return c.reponse == 0 ? QStringLiteral("?") : QString::number(c.reponse);
}

QString TestReportData::texteTempsCase(const CaseTest &c)
{
    return c.reponse == 0 ? QStringLiteral("(ne sait pas)") : temps_rapport(c.temps);
}

QString TestReportData::texteScoreColonne(int score)
{
    return score < 0 ? QString() : QString::number(score) + QLatin1Char('%');
}

QString TestReportData::titreResume()
{
    return QStringLiteral("Résumé:");
}

LigneTexte TestReportData::ligneResume(ClasseCase classeCase) const
{
    int nombre = 0;
    QString texte;
    switch (classeCase) {
    case ClasseCase::Blanche:
        nombre = comptes.blanches;
        texte = nombre == 1 ? QStringLiteral(" seule réponse juste et suffisamment rapide: case blanche")
                            : QStringLiteral(" réponses justes et suffisamment rapides: cases blanches");
        break;
    case ClasseCase::Grise:
        nombre = comptes.grises;
        texte = nombre == 1 ? QStringLiteral(" seule réponse juste mais trop lente: case grise")
                            : QStringLiteral(" réponses justes mais trop lentes: cases grises");
        break;
    case ClasseCase::Noire:
        nombre = comptes.noires;
        texte = nombre == 1 ? QStringLiteral(" seule réponse fausse ou absente: case noire")
                            : QStringLiteral(" réponses fausses ou absentes: cases noires");
        break;
    }
    return {{QString::number(nombre), true, false}, {texte, false, false}};
}

QString TestReportData::titreClassement()
{
    return QStringLiteral("Classement des tables par score:");
}

LigneTexte TestReportData::ligneClassement(bool malSues) const
{
    const QStringList &liste = malSues ? mal : bien;
    const bool une = liste.size() == 1;
    LigneTexte ligne;
    ligne << Fragment{une ? QStringLiteral("table ") : QStringLiteral("tables "), false, false};
    ligne << Fragment{malSues ? QStringLiteral("mal ") : QStringLiteral("bien "), true, false};
    ligne << Fragment{une ? QStringLiteral("sue: ") : QStringLiteral("sues: "), false, false};
    if (liste.isEmpty())
        ligne << Fragment{QStringLiteral("(aucune)"), false, true};
    else
        ligne << Fragment{joint_tables_rapport(liste), true, false};
    return ligne;
}

LigneTexte TestReportData::ligneRapidite() const
{
    return {{QStringLiteral("Rapidité: ") + texte_vitesse(vitesse), true, false}};
}

QString TestReportData::ligneBonnesReponses() const
{
    return QLatin1Char('(') + texte_vitesse(vitesse) + QStringLiteral(" bonnes réponses par minute)");
}

QString TestReportData::titreBilan()
{
    return QStringLiteral("Bilan: ");
}

LigneTexte TestReportData::ligneNiveau() const
{
    const QString debut = toutesTablesTestees() ? QStringLiteral("Niveau de connaissance des tables:  ")
                                                : QStringLiteral("Niveau de connaissance des tables testées:  ");
    return {{debut, false, false}, {QString::number(scoreGlobal) + QLatin1Char('%'), true, false}};
}

QString TestReportData::motNiveauBilan() const
{
    if (!toutesTablesTestees())
        return QString();
    return Evaluation::mot_niveau(scoreGlobal) + QLatin1Char('.');
}

QString TestReportData::ligneSousBilan(bool pdf) const
{
    if (toutesTablesTestees())
        return QStringLiteral("moins de 50%: très faible;  50-69%:faible;  70-84%: passable;  85-94%: bien; "
                              "95-99%: très bien;  100%: parfait.");
    // Nothing of the classic tables answered is none of them known.
    const QString part = QString::number(std::max(scoreClassiques, 0)) + QLatin1Char('%');
    if (pdf)
        return QStringLiteral("c'est à dire ") + part + QStringLiteral(" de toutes les tables");
    return QStringLiteral("soit ") + part + QStringLiteral(" de toutes les tables.");
}

bool TestReportData::afficheConseil() const
{
    return !mal.isEmpty();
}

LigneTexte TestReportData::ligneConseil() const
{
    if (mal.isEmpty())
        return {};
    return {{QStringLiteral("Conseil: "), true, false},
            {prenom + QStringLiteral(" devrait commencer par apprendre la table de "), false, false},
            {numero_entree(mal.first()), true, false}};
}

QStringList TestReportData::lignesFinales()
{
    return {QStringLiteral("Il est rappelé qu'une très bonne connaissance des tables est indispensable à "
                           "l'apprentissage des mathématiques"),
            QStringLiteral("au collège (et après!).")};
}

QString TestReportData::piedDePage(const QString &adresse)
{
    return QStringLiteral("Document créé automatiquement par le logiciel gratuit «Tabulon» disponible sur ") + adresse;
}

QString TestReportData::noteGeneration()
{
    return QStringLiteral("Généré par le logiciel gratuit «Tabulon»");
}

ClasseCase TestReportData::classe_case(int score)
{
    if (score >= 100)
        return ClasseCase::Blanche;
    if (score > 0)
        return ClasseCase::Grise;
    return ClasseCase::Noire;
}

QList<CaseTest> TestReportData::cases_test(const QString &enregistrements, int tempsAcceptable)
{
    QList<CaseTest> cases;
    for (const QString &entree : Evaluation::analyse_enregistrements(enregistrements)) {
        CaseTest c;
        c.code = entree.left(4);
        c.a = entree.left(2).toInt();
        c.b = entree.mid(2, 2).toInt();
        c.temps = Evaluation::temps_dixiemes(entree);
        c.reponse = entree.mid(7, 4).toInt();
        c.score = Evaluation::score_produit(entree, tempsAcceptable);
        c.classe = classe_case(c.score);
        cases << c;
    }
    return cases;
}

ComptesCases TestReportData::compte_cases(const QList<CaseTest> &cases)
{
    ComptesCases comptes;
    for (const CaseTest &c : cases) {
        switch (c.classe) {
        case ClasseCase::Blanche: ++comptes.blanches; break;
        case ClasseCase::Grise: ++comptes.grises; break;
        case ClasseCase::Noire: ++comptes.noires; break;
        }
    }
    return comptes;
}

QString TestReportData::temps_rapport(int dixiemes)
{
    return tempsAvecSeparateur(dixiemes, QLatin1Char(','));
}

QString TestReportData::temps_grille(int dixiemes)
{
    return tempsAvecSeparateur(dixiemes, QLatin1Char('.'));
}

QString TestReportData::mot_niveau_court(int score)
{
    static const QString mots[Evaluation::kNombreNiveaux] = {
        QStringLiteral("T.faible"), QStringLiteral("faible"), QStringLiteral("passable"),
        QStringLiteral("bien"),     QStringLiteral("T.bien"), QStringLiteral("parfait")};
    // A table that was not tested (score -1) has no level.
    if (score < 0)
        return QString();
    return mots[Evaluation::tranche_niveau(score)];
}

QString TestReportData::numero_entree(const QString &entree)
{
    const qsizetype egal = entree.indexOf(QLatin1Char('='));
    return egal < 0 ? entree : entree.mid(egal + 1);
}

QString TestReportData::joint_tables_rapport(const QStringList &entrees)
{
    if (entrees.isEmpty())
        return QString();
    if (entrees.size() == 1)
        return numero_entree(entrees.first());
    QStringList numeros;
    for (qsizetype i = 0; i + 1 < entrees.size(); ++i)
        numeros << numero_entree(entrees[i]);
    return numeros.join(QStringLiteral(", ")) + QStringLiteral(", et ") + numero_entree(entrees.last())
           + QLatin1Char('.');
}

QString TestReportData::texte_vitesse(int vitesse)
{
    return vitesse < 0 ? QStringLiteral("?") : QString::number(vitesse);
}

QString TestReportData::enregistrements_de(const QString &texte)
{
    if (texte.startsWith(QLatin1Char('\t')) || (texte.size() > 1 && texte[1] == QLatin1Char('T')))
        return texte.mid(kLongueurEnteteTest);
    return texte;
}

bool TestReportData::est_classique(const QString &enregistrements)
{
    if (enregistrements.size() < 4)
        return true;
    return enregistrements[1] == QLatin1Char('0') && enregistrements[3] == QLatin1Char('0');
}

bool TestReportData::place_case(int a, int b, bool classique, int *colonne, int *rangee)
{
    int col = -1;
    int row = -1;
    if (classique) {
        if (a >= 2 && a <= 9 && b >= 2 && b <= 9) {
            col = a - 2;
            row = b - 2;
        }
    } else if (a == b && a >= 11 && a <= 19) {
        col = 0;
        row = a - 11;
    } else if (b >= 12 && b <= 19) {
        col = b - 11;
        if (a >= 2 && a <= 9)
            row = a - 2;
        else if (a >= 11 && a < b)
            row = a - 3;
    }
    if (col < 0 || row < 0)
        return false;
    if (colonne)
        *colonne = col;
    if (rangee)
        *rangee = row;
    return true;
}

int TestReportData::rangees_colonne(int colonne, bool classique)
{
    if (classique)
        return 8;
    // Squares and table 12 have nine products, table n from 13 on n - 3.
    return colonne == 0 ? 9 : colonne + 8;
}

QString TestReportData::cle_colonne(int colonne, bool classique)
{
    return Catalogue::cle_table(classique ? colonne + 2 : colonne + 11);
}

int TestReportData::pas_echelle(int maximum)
{
    if (maximum <= 0)
        return 0;
    const QString texte = QString::number(maximum);
    const qsizetype longueur = texte.size();
    QString pas;
    const QChar premier = texte[0];
    if (premier == QLatin1Char('1'))
        pas = QLatin1Char('1') + texte.mid(2);
    else if (premier <= QLatin1Char('4'))
        pas = QLatin1Char('5') + texte.mid(1, std::max<qsizetype>(longueur - 2, 0));
    else
        pas = QLatin1Char('1') + texte.mid(1);
    const int valeur = pas.toInt();
    // A maximum of 2, 3 or 4 would get a step of 5 and a scale without any
    // interval, every bar flat: count in units instead.
    return valeur > maximum ? 1 : valeur;
}

bool TestReportData::analyse_histogramme(const QString &texte, DonneesHistogramme *donnees, QString *erreur)
{
    auto echec = [erreur](const QString &message) {
        if (erreur)
            *erreur = message;
        return false;
    };
    QStringList parties = texte.split(QLatin1Char('\t'));
    if (parties.size() > 3 && parties.last().isEmpty())
        parties.removeLast();
    if (parties.size() < 3)
        return echec(QStringLiteral("Texte du graphique incomplet."));
    DonneesHistogramme d;
    d.titre = parties[0];
    bool ok = false;
    d.maximum = parties[1].trimmed().toInt(&ok);
    if (!ok || d.maximum <= 0)
        return echec(QStringLiteral("Valeur maximale du graphique incorrecte: ") + parties[1]);
    d.legende = parties[2];
    if ((parties.size() - 3) % 2 != 0)
        return echec(QStringLiteral("Texte du graphique incomplet: la dernière barre n'a pas de valeur."));
    for (qsizetype i = 3; i + 1 < parties.size(); i += 2) {
        const int valeur = parties[i + 1].trimmed().toInt(&ok);
        if (!ok)
            return echec(QStringLiteral("Valeur incorrecte dans le texte du graphique: ") + parties[i + 1]);
        d.barres.append({parties[i], valeur});
    }
    if (donnees)
        *donnees = d;
    return true;
}
