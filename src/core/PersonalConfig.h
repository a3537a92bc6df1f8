#pragma once

#include <QString>

struct SessionState;

// A pupil's own settings, "<clé>.ini" beside his history file, section
// "config perso": his objectives and whether he works only on the gaps.
// Used only when the establishment allows personal settings.
namespace PersonalConfig {

QString chemin(const SessionState &state);

struct Valeurs
{
    QString objectifs;   // current form; empty: keep the level's or default objectives
    int trous_seuil = -1; // 0 or 100; -1: keep the general setting
};
// What the file says; a missing file, key or unreadable value changes nothing.
Valeurs lit(const SessionState &state);

// Writes both keys when the pupil's objectives or gap setting differ from
// the establishment's defaults, or when his file exists already.
// objectifsParDefaut is the stored default (either text form).
bool enregistre(const SessionState &state, const QString &objectifsParDefaut, QString *error);

// A stored set of tables as table keys: the current form as it is, a list of
// product codes or the older "7x<2-9>" form converted. Empty when it names
// no product.
QString normalise_objectifs(const QString &texte);

} // namespace PersonalConfig
