#include "core/TestConclusion.h"

#include "core/HistoryLines.h"

#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/ItemSelection.h"
#include "core/RecordsList.h"
#include "core/SessionState.h"

#include <algorithm>

namespace {

constexpr int kLongueurJour = 20;
constexpr int kRecordsPourBattre = 30;

QStringList numeros(const QStringList &entrees)
{
    // Entries are "07=3", "87=8" or "aa=9": the table number follows "=".
    QStringList liste;
    for (const QString &entree : entrees)
        liste << entree.mid(entree.indexOf(QLatin1Char('=')) + 1);
    return liste;
}

QString article(const QStringList &tables)
{
    return tables.size() == 1 ? QStringLiteral("la table de ") : QStringLiteral("les tables de ");
}

} // namespace

QString TestConclusion::texteRecord()
{
    return QStringLiteral("RECORD BATTU") + QStringLiteral("!!!");
}

QString TestConclusion::texteConseil(const QString &table)
{
    return QStringLiteral("Conseil: commence par réviser la table de") + QLatin1Char(' ') + table + QLatin1Char('.');
}

QString TestConclusion::joint_tables(const QStringList &tables)
{
    if (tables.isEmpty())
        return QString();
    if (tables.size() == 1)
        return tables.first();
    QString texte = tables.first();
    for (qsizetype i = 1; i + 1 < tables.size(); ++i)
        texte += QStringLiteral(", ") + tables[i];
    return texte + QStringLiteral(" et ") + tables.last() + QLatin1Char('.');
}

int TestConclusion::largeur_pourcent(int score)
{
    if (score < 10)
        return 77;
    if (score < 100)
        return 101;
    return 125;
}

void TestConclusion::remplit_verdict(VerdictTest &verdict, const SessionState &state, const QString &enregistrements,
                                     bool testTablesClassiques)
{
    const int t = state.temps_acceptable;
    const Evaluation::MalBien listes = Evaluation::listes_mal_bien(enregistrements, t);
    verdict.tablesMal = numeros(listes.mal);
    verdict.tablesBien = numeros(listes.bien);
    verdict.texteMal = joint_tables(verdict.tablesMal);
    verdict.texteBien = joint_tables(verdict.tablesBien);
    verdict.articleMal = article(verdict.tablesMal);
    verdict.articleBien = article(verdict.tablesBien);
    verdict.conseil = verdict.tablesMal.isEmpty() ? QString() : texteConseil(verdict.tablesMal.first());

    verdict.scoreGlobal = Evaluation::score_global(enregistrements, t);
    verdict.niveau = Evaluation::mot_niveau(verdict.scoreGlobal);
    verdict.pourcent = QString::number(verdict.scoreGlobal) + QLatin1Char('%');
    verdict.largeurPourcent = largeur_pourcent(verdict.scoreGlobal);

    verdict.scoreTablesClassiques = Evaluation::score_tables(enregistrements, QStringLiteral("tables_classiques"), t);
    if (testTablesClassiques) {
        verdict.tuSais = QStringLiteral("Tu sais tes tables à");
        verdict.label11.clear();
    } else {
        verdict.tuSais = QStringLiteral("Tu sais les tables testées à");
        verdict.label11 = QStringLiteral("c'est à dire %1 de toutes les tables.")
                              .arg(QString::number(verdict.scoreTablesClassiques) + QLatin1Char('%'));
    }

    verdict.vitesse = Evaluation::vitesse_reponses(enregistrements);
    verdict.texteVitesse = verdict.vitesse < 0 ? QStringLiteral("-") : QString::number(verdict.vitesse);
}

bool TestConclusion::test_compte_aujourdhui(const EleveState &eleve, const QDate &aujourdhui)
{
    return !eleve.graphique.isEmpty() && eleve.graphique.last().jour == Dates::jour_texte(aujourdhui).left(kLongueurJour);
}

VerdictTest TestConclusion::fin_du_test(SessionState &state, const QString &enregistrements,
                                        const QString &ligneTest, bool testTablesClassiques, const QDate &aujourdhui)
{
    VerdictTest verdict;
    verdict.ligneTest = ligneTest;
    EleveState &eleve = state.eleve;
    eleve.test_fait_aujourdhui = true;

    // A first record whose two factors are below 10 marks a test of the
    // classic tables: only those get a verdict and a graph point.
    verdict.classique = HistoryLines::est_test_classique(enregistrements);

    eleve.lignes_seance.append(ligneTest);
    verdict.descriptionGrille = Evaluation::description_grille(enregistrements, state.temps_acceptable);

    verdict.jour = Dates::jour_texte(aujourdhui);
    const bool premier = !test_compte_aujourdhui(eleve, aujourdhui);
    if (premier) {
        verdict.premierTestDuJour = true;
        eleve.dernier_test = enregistrements;
        ItemSelection::selection_apres_test(state);
        if (verdict.classique) {
            const int score = Evaluation::score_tables(enregistrements, state.objectifs, state.temps_acceptable);
            eleve.graphique.append({verdict.jour.left(kLongueurJour), QString::number(score), ligneTest});
            verdict.nouveauPointGraphique = true;
        }
    }

    if (!verdict.classique)
        return verdict;

    remplit_verdict(verdict, state, enregistrements, testTablesClassiques);

    if (testTablesClassiques) {
        // A speed that cannot be computed is stored as 0, the lowest speed.
        const int vitesse = std::max(verdict.vitesse, 0);
        QStringList liste;
        int rang = 0;
        QString erreur;
        if (RecordsList::met_a_jour(state, verdict.scoreTablesClassiques, vitesse, eleve.nom, eleve.prenom, &liste,
                                    &rang, &erreur)) {
            state.liste_records = liste;
            verdict.recordsMisAJour = true;
            verdict.rangRecord = rang;
            verdict.nombreRecords = int(liste.size());
            // The records display ranks the best line first: the record is beaten
            // when the pupil's line is the one shown first, among enough others.
            verdict.recordBattu = rang == 1 && liste.size() > kRecordsPourBattre
                                  && (verdict.niveau == QStringLiteral("très bien")
                                      || verdict.niveau == QStringLiteral("parfait"));
        } else {
            verdict.erreurRecords = erreur;
        }
    }
    return verdict;
}
