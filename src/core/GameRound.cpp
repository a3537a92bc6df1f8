#include "core/GameRound.h"

void GameRound::demarre_etape(const QStringList &pool)
{
    m_pool = pool;
    m_marques = QStringList(pool.size(), QStringLiteral("0"));
    m_poids.reset(int(pool.size()));
    m_index = -1;
    m_attendu.clear();
    m_tempsReponse = 0;
    m_essaisRates = 0;
    m_derniereJuste = true;
}

int GameRound::tire_au_sort() const
{
    return m_poids.drawOther(0, taille() - 1, m_index, m_random);
}

int GameRound::suivant_en_tour() const
{
    return taille() == 0 ? -1 : (m_index + 1) % taille();
}

void GameRound::pose_question(const QString &attendu, qint64 affichageMs)
{
    m_attendu = attendu;
    m_affichage = affichageMs;
    m_tempsReponse = 0;
    m_essaisRates = 0;
}

bool GameRound::frappe(const QString &texte, qint64 instantTouche)
{
    if (texte.isEmpty())
        return false;
    if (texte.size() == 1)
        m_tempsReponse = instantTouche - m_affichage;
    return texte.size() == m_attendu.size();
}

bool GameRound::traite_reponse(const QString &texte, int secondesAcceptables)
{
    const bool juste = texte == m_attendu;
    if (m_index >= 0 && m_index < m_marques.size()) {
        if (!juste)
            m_marques[m_index] = QStringLiteral("0");
        else
            m_marques[m_index] = (m_tempsReponse > 4000 || m_essaisRates > 0) ? QStringLiteral("50") : QStringLiteral("100");
    }
    if (!juste)
        ++m_essaisRates;
    ajuste_frequences(juste, m_tempsReponse, secondesAcceptables);
    return juste;
}

void GameRound::ajuste_frequences(bool juste, qint64 tempsMs, int secondesAcceptables)
{
    m_derniereJuste = juste;
    m_poids.adjust(m_index, 0, taille() - 1, juste, tempsMs, secondesAcceptables);
}

bool GameRound::toutes_marques_100() const
{
    for (const QString &m : m_marques)
        if (m != QStringLiteral("100"))
            return false;
    return !m_marques.isEmpty();
}
