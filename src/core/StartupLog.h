#pragma once

#include <QString>
#include <QStringList>

// "Tabulon.log": emptied at each session initialisation, then one plain line
// per start-up step, written at once so that the file tells how far a start
// that hung or crashed got.
class StartupLog
{
public:
    explicit StartupLog(QString chemin);
    // The program's own log, "Tabulon.log" in the program folder.
    static StartupLog duProgramme(const QString &dossierProgramme);

    const QString &chemin() const { return m_chemin; }
    // Empties the file (and the lines kept in memory).
    void vide();
    // Appends one line to the file. A log that cannot be written never stops
    // the start: the line is still kept in memory. A log that was not emptied
    // first carries on after the lines the file already holds (a later note
    // of the same run never wipes the start-up's lines).
    void ajoute(const QString &ligne);
    const QStringList &lignes() const { return m_lignes; }

private:
    QString m_chemin;
    QStringList m_lignes;
    bool m_fichierLu = false;   // m_lignes starts from what the file held
};
