#include "core/KeyboardGame.h"

#include <algorithm>

KeyboardGame::KeyboardGame(RandomSource &random) : m_round(random) {}

QStringList KeyboardGame::pool(int etape)
{
    QStringList liste;
    const int premierMax = etape == 1 ? 5 : 9;
    const int secondMin = etape == 1 ? 1 : 0;
    for (int a = 1; a <= premierMax; ++a)
        for (int b = secondMin; b <= premierMax; ++b)
            if (a != b)
                liste << QString::number(a) + QString::number(b);
    return liste;
}

void KeyboardGame::initialise_jeu()
{
    m_score = 0;
    m_frappes.clear();
    initialise_etape(1);
}

void KeyboardGame::initialise_etape(int etape)
{
    m_etape = etape == 2 ? 2 : 1;
    m_round.demarre_etape(pool(m_etape));
}

void KeyboardGame::choisit_question(qint64 affichageMs)
{
    m_round.setIndex(m_round.tire_au_sort());
    m_round.pose_question(m_round.pool().at(m_round.index()), affichageMs);
}

bool KeyboardGame::chiffre_accepte(const QString &texte) const
{
    if (texte.isEmpty())
        return true;
    const qsizetype position = texte.size() - 1;
    return position < cible().size() && texte.at(position) == cible().at(position);
}

int KeyboardGame::vitesse() const
{
    qint64 chiffres = 0;
    qint64 temps = 0;
    for (qsizetype i = std::max<qsizetype>(0, m_frappes.size() - 10); i < m_frappes.size(); ++i) {
        const QStringList parts = m_frappes.at(i).split(QLatin1Char(';'));
        temps += parts.value(0).toLongLong();
        chiffres += parts.value(1).toLongLong();
    }
    // A copy is never timed at 0 ms, but a sum of zero must not divide.
    return temps <= 0 ? 0 : int(chiffres * 60000 / temps);
}

KeyboardGame::Suite KeyboardGame::traite_reponse(qint64 finMs)
{
    Suite suite;
    const qint64 t = std::max<qint64>(1, finMs - m_round.affichage());
    const int d = int(cible().size());
    m_frappes << QString::number(t) + QLatin1Char(';') + QString::number(d);
    int variation = m_frappes.size() < 10 ? int((qint64(d) * 60000 / t - 30) / 6) : vitesse() * 100 / 60 - m_score;
    variation = std::clamp(variation, -5, 5);
    suite.variation = variation;
    m_score = ScoreMeterValue::borne(m_score + variation);
    if (variation < 0) {
        suite.plusVite = true;
        suite.delaiMs = 1000;
    }
    m_round.ajuste_frequences(true, t, kSecondesAcceptables);
    return suite;
}

bool KeyboardGame::etape_terminee() const
{
    return m_etape == 1 ? m_score >= 50 : m_score >= 100;
}
