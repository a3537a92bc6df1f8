#include "core/ObjectiveTables.h"

#include "core/Catalogue.h"
#include "core/ItemSelection.h"
#include "core/SessionState.h"

#include <QSet>

namespace ObjectiveTables {

const QList<int> &numeros_classiques()
{
    static const QList<int> n = {2, 3, 4, 5, 6, 7, 8, 9};
    return n;
}

const QList<int> &numeros_etendus()
{
    static const QList<int> n = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    return n;
}

bool dans_objectifs(int numero, const QString &objectifs)
{
    const QStringList table = Catalogue::liste_produits_tables(Catalogue::cle_table(numero));
    if (table.isEmpty())
        return false;
    const QStringList produits = Catalogue::liste_produits_tables(objectifs);
    const QSet<QString> presents(produits.cbegin(), produits.cend());
    for (const QString &code : table)
        if (!presents.contains(code))
            return false;
    return true;
}

QList<int> change_produits_etudies(SessionState &s, QList<int> enfonces, const QList<int> &panneau)
{
    QList<int> gardes;
    for (int n : panneau)
        if (enfonces.contains(n))
            gardes << n;
    if (gardes.isEmpty() && !panneau.isEmpty())
        gardes << panneau.first();
    QStringList cles;
    QStringList produits;
    for (int n : std::as_const(gardes)) {
        cles << Catalogue::cle_table(n);
        produits << Catalogue::liste_produits_tables(Catalogue::cle_table(n));
    }
    s.objectifs = cles.join(QLatin1Char(','));
    s.produits_etudies = produits;
    s.liste_produits = produits;
    s.liste_tables = Catalogue::liste_tables_de_produits(produits);
    s.produits_a_memoriser =
        ItemSelection::change_produits_a_memoriser(s.objectif_apprentissage, s.classement_tables, s.classement_produits);
    return gardes;
}

void ChoixLibre::initialise(const QString &objectifs, const QStringList &classement_tables)
{
    m_visibles.clear();
    m_coches.clear();
    m_defaut = -1;
    for (const QList<int> *groupe : {&numeros_classiques(), &numeros_etendus()})
        for (int n : *groupe)
            if (dans_objectifs(n, objectifs))
                m_visibles << n;
    if (m_visibles.isEmpty())
        return;
    const int premiere = classement_tables.isEmpty()
        ? -1
        : Catalogue::numero_table(ItemSelection::nom_entree(classement_tables.first()));
    m_defaut = m_visibles.contains(premiere) ? premiere : m_visibles.first();
    m_coches << m_defaut;
}

void ChoixLibre::bascule(int numero, bool coche)
{
    if (!m_visibles.contains(numero))
        return;
    m_coches.removeAll(numero);
    if (coche)
        m_coches << numero;
    if (m_coches.isEmpty() && m_defaut >= 0)
        m_coches << m_defaut;
}

int ChoixLibre::total() const
{
    int n = 0;
    for (int numero : m_coches)
        n += std::max(0, Catalogue::nombre_produits_table(Catalogue::cle_table(numero)));
    return n;
}

QString ChoixLibre::texte_total() const
{
    return QStringLiteral("total") + QLatin1Char(' ') + QString::number(total()) + QLatin1Char(' ')
        + QStringLiteral("produits");
}

QString ChoixLibre::cles() const
{
    QStringList c;
    for (int n : m_coches)
        c << Catalogue::cle_table(n);
    return c.join(QLatin1Char(','));
}

} // namespace ObjectiveTables
