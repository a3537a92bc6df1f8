#pragma once

#include <QString>
#include <QStringList>

// The vocabulary of the program: four-digit product codes ("0609" is 6×9),
// table keys ("table_7", "table_carres", "tables_classiques" ...) and the
// fixed catalogue of which products each table holds. Pure functions.
namespace Catalogue {

// Comma list of the table's product codes; empty for an unknown key.
QString produits_table(const QString &cle);
QString produits_numero_table(int numero);
int numero_table(const QString &cle);             // -1 for any other text
QString cle_table(int numero);                     // empty outside 2..19
int nombre_produits_table(const QString &cle);     // -1 for an unknown key
// Codes of every key of the comma list, in order (repeats kept).
QStringList liste_produits_tables(const QString &cles);
QString cle_table_produit(const QString &code);    // empty when a factor is 10
QString tables_des_produits(const QStringList &codes);
// form 0: "7", form 1: "de 7", form 2: "Table de 7"; empty for other keys.
QString nom_table(const QString &cle, int forme);
QString nom_liste_tables(const QString &cles);
QString ecrit_produit(const QString &code);        // "6×9"
QString resultat_produit(const QString &code);     // "54"
QString resultat_produit_4(const QString &code);   // "0054"
QString produit_inverse(const QString &code);      // "0212" -> "1202"
QString code_vers_forme_ancienne(const QStringList &codes);
QStringList forme_ancienne_vers_codes(const QString &texte);
// A stored set of tables in either form, as the current form (keys).
QString vers_forme_actuelle(const QString &texte);
// "02".."19" of each code, consecutive repeats collapsed.
QStringList liste_tables_de_produits(const QStringList &codes);

QString complete_zeros(qint64 valeur, int largeur);
QString supprime_zeros(const QString &texte);

} // namespace Catalogue
