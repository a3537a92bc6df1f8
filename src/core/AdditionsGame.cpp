#include "core/AdditionsGame.h"

#include "core/RandomSource.h"

AdditionsGame::AdditionsGame(RandomSource &random) : m_random(random), m_round(random) {}

QStringList AdditionsGame::pool(int etape) const
{
    QStringList liste;
    const auto addition = [](int a, int b) { return QStringLiteral("%1+%2").arg(a).arg(b); };
    switch (etape) {
    case 0:
        return {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20")};
    case 1:
        return {QStringLiteral("4"), QStringLiteral("9"), QStringLiteral("14"), QStringLiteral("19")};
    case 2: {
        for (int a = 3; a <= 9; ++a)
            for (int b = 3; b <= a && a + b <= 10; ++b)
                liste << addition(a, b);
        liste << QStringLiteral("1+1") << QStringLiteral("9+1") << addition(m_random.uniform(2, 8), 1)
              << QStringLiteral("2+2") << QStringLiteral("8+2");
        const int x = m_random.uniform(3, 7);
        int y = m_random.uniform(3, 7);
        while (y == x)
            y = m_random.uniform(3, 7);
        liste << addition(x, 2) << addition(y, 2);
        return liste;
    }
    case 3:
    case 4:
        for (int a = 1; a <= 9; ++a)
            liste << QString::number(a);
        return liste;
    default:
        for (int a = 6; a <= 9; ++a)
            for (int b = 11 - a; b <= a; ++b)
                liste << addition(a, b);
        return liste;
    }
}

void AdditionsGame::initialise_etape(int etape)
{
    m_etape = std::clamp(etape, 0, kDerniereEtape);
    m_round.demarre_etape(pool(m_etape));
    m_terme1 = -1;
    m_terme2 = -1;
    if (m_etape == 5)
        m_score = 0;
}

void AdditionsGame::choisit_question(qint64 affichageMs)
{
    const bool enTour = m_etape <= 1;
    m_round.setIndex(enTour ? m_round.suivant_en_tour() : m_round.tire_au_sort());
    const QString texte = m_round.pool().at(m_round.index());
    m_terme2 = -1;
    QString attendu;
    if (m_etape == 1) {
        const int n = texte.toInt();
        m_terme1 = m_random.uniform(n <= 4 ? 2 : n - 3, n);
        attendu = QString::number(m_terme1);
    } else if (enTour) {
        m_terme1 = texte.toInt();
        attendu = texte;
    } else if (m_etape == 3 || m_etape == 4) {
        m_terme1 = texte.toInt();
        attendu = QString::number(10 - m_terme1);
    } else {
        const int plus = int(texte.indexOf(QLatin1Char('+')));
        m_terme1 = texte.left(plus).toInt();
        m_terme2 = texte.mid(plus + 1).toInt();
        attendu = QString::number(m_terme1 + m_terme2);
    }
    m_round.pose_question(attendu, affichageMs);
}

QString AdditionsGame::question() const
{
    if (m_etape <= 1)
        return QStringLiteral("Combien de boules rouges");
    if (m_etape == 3 || m_etape == 4)
        return QString::number(m_terme1) + QStringLiteral("+    =10");
    return QStringLiteral("%1+%2=").arg(m_terme1).arg(m_terme2);
}

AdditionsGame::Suite AdditionsGame::traite_reponse(const QString &texte)
{
    Suite suite;
    const qint64 temps = m_round.temps_reponse();
    const int essaisAvant = m_round.essais_rates();
    suite.juste = texte == m_round.attendu();
    if (compteur_visible()) {
        if (suite.juste && (temps <= 4000 || m_score < 25))
            m_score = std::min(100, m_score + 100 / m_round.taille());
        else if (!suite.juste)
            m_score = ScoreMeterValue::apres_erreur(m_score);
    }
    if (suite.juste) {
        suite.correction = m_etape == 2 && (temps > 10000 || essaisAvant >= 2);
        if (temps >= 4001 && temps < 10000 && essaisAvant == 0 && m_etape < 4) {
            suite.plusVite = true;
            suite.delaiMs = 2000;
        }
    }
    m_round.traite_reponse(texte, kSecondesAcceptables);
    return suite;
}

bool AdditionsGame::etape_terminee() const
{
    return compteur_visible() ? m_score >= 100 : m_round.toutes_marques_100();
}
