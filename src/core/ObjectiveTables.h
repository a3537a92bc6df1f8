#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct SessionState;

// Which tables a pupil works on: the objectives window's toggles and the
// free choice among the objective tables. Tables are numbered 2..9, 11 for
// the squares, 12..19.
namespace ObjectiveTables {

const QList<int> &numeros_classiques();     // 2..9
const QList<int> &numeros_etendus();        // 11..19

// Whether the whole table is among the objectives, whatever form they take
// (table keys or a group key such as "tables_classiques").
bool dans_objectifs(int numero, const QString &objectifs);

// Rebuilds the objectives and the studied products from the tables that are
// down, in number order; an empty choice takes the first table instead.
// Returns the tables kept. Then the training items are chosen again.
QList<int> change_produits_etudies(SessionState &s, QList<int> enfonces, const QList<int> &panneau);

// The free choice: which boxes show, which is the default, the ticked ones
// in the order they were ticked, and the total of their products.
class ChoixLibre
{
public:
    void initialise(const QString &objectifs, const QStringList &classement_tables);
    // Ticks or unticks a table; unticking the last one ticks the default again.
    void bascule(int numero, bool coche);

    const QList<int> &visibles() const { return m_visibles; }
    const QList<int> &coches() const { return m_coches; }
    int defaut() const { return m_defaut; }
    bool conseil_visible() const { return m_visibles.size() >= 3; }
    bool conseil_rouge() const { return m_coches.size() > 2; }
    int total() const;
    QString texte_total() const;    // "total 16 produits"
    // The ticked tables' keys, in ticking order.
    QString cles() const;

private:
    QList<int> m_visibles;
    QList<int> m_coches;
    int m_defaut = -1;
};

} // namespace ObjectiveTables
