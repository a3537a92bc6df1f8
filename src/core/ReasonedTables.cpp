#include "core/ReasonedTables.h"

#include "core/RandomSource.h"

namespace {

const QChar kFois(0xD7);

int facteur_special(int etape, int motif)
{
    static const int speciaux[2][3] = {{1, 0, 10}, {11, 20, 50}};
    return speciaux[etape == 2 ? 1 : 0][motif / 2];
}

} // namespace

ReasonedTables::ReasonedTables(RandomSource &random, int secondesAcceptables)
    : m_random(random), m_round(random)
{
    setSecondesAcceptables(secondesAcceptables);
}

void ReasonedTables::setSecondesAcceptables(int secondes)
{
    m_secondes = secondes > 0 ? secondes : 1;
}

QStringList ReasonedTables::motifs(int etape)
{
    QStringList liste;
    for (int motif = 0; motif < 6; ++motif) {
        const QString special = QString::number(facteur_special(etape, motif));
        liste << (motif % 2 == 0 ? special + kFois : kFois + special);
    }
    return liste;
}

QStringList ReasonedTables::explication(int etape, int motif)
{
    const int special = facteur_special(etape, motif);
    QStringList lignes{QString(), QStringLiteral("Table de %1:").arg(special), QString()};
    for (int n = 2; n <= 6; ++n)
        lignes << QStringLiteral("%1%2%3 = %4").arg(special).arg(kFois).arg(n).arg(special * n);
    lignes << QStringLiteral("etc.") << QString();
    return lignes;
}

void ReasonedTables::initialise_etape(int etape)
{
    m_etape = etape == 2 ? 2 : 1;
    m_round.demarre_etape(motifs(m_etape));
    m_score = 0;
    m_ordreInitial = true;
    m_question.clear();
}

void ReasonedTables::choisit_question(qint64 affichageMs)
{
    if (m_round.derniere_reponse_juste() && m_round.temps_reponse() <= qint64(m_secondes) * 1000) {
        if (m_ordreInitial && m_round.index() < 5) {
            m_round.setIndex(m_round.index() + 1);
        } else {
            m_ordreInitial = false;
            m_round.setIndex(m_round.tire_au_sort());
        }
    }
    const int motif = m_round.index();
    const int special = facteur_special(m_etape, motif);
    const QString motifTexte = m_round.pool().at(motif);
    const QString precedente = m_question;
    int n = 0;
    do {
        n = m_random.uniform(2, 9);
        m_question = motif % 2 == 1 ? QString::number(n) + motifTexte : motifTexte + QString::number(n);
    } while (m_question == precedente);
    const QString produit = QString::number(special * n);
    if (motif % 2 == 0)
        m_correction = m_question + QStringLiteral(" = ") + produit;
    else
        m_correction = QString::number(special) + kFois + QString::number(n) + QStringLiteral(" = ") + m_question
            + QStringLiteral(" = ") + produit;
    m_round.pose_question(produit, affichageMs);
}

ReasonedTables::Suite ReasonedTables::traite_reponse(const QString &texte)
{
    Suite suite;
    const qint64 a = qint64(m_secondes) * 1000;
    const int essaisAvant = m_round.essais_rates();
    suite.juste = texte == m_round.attendu();
    const qint64 temps = m_round.temps_reponse();
    if (suite.juste && temps <= 2 * a)
        m_score = std::min(100, m_score + 100 / (2 * m_round.taille()));
    else if (!suite.juste)
        m_score = ScoreMeterValue::apres_erreur(m_score);
    if (suite.juste && temps > 2 * a && essaisAvant == 0) {
        suite.plusVite = true;
        suite.delaiMs = 1000;
    }
    m_round.traite_reponse(texte, m_secondes);
    if (!suite.juste) {
        suite.montreExplication = true;
        suite.montreCorrection = m_round.essais_rates() >= 2;
    }
    return suite;
}
