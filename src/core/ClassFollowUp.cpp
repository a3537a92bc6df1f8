#include "core/ClassFollowUp.h"

#include "core/Catalogue.h"
#include "core/Dates.h"
#include "core/Evaluation.h"
#include "core/ParallelFileReader.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/RecordsList.h"
#include "core/TestFinder.h"
#include "core/TextFile.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace ClassFollowUp {
namespace {

constexpr int kLargeurClasse = 24;
constexpr int kLargeurNom = 22;

struct Eleve
{
    QString cle;          // sort key of the date order: yyyyMMdd + end time, or 16 blanks
    QString ligne;        // without the age
    QString chemin;
    int age = -1;         // days since the test; -1 without a test
};

struct Groupe
{
    QString nom;
    QString dossier;
    QStringList fichiers;
};


QString ligneEleve(const QString &tabs, const QString &nom, int mesure)
{
    QString l = tabs + nom;
    if (nom.size() >= kLargeurNom)
        l += u' ';
    else
        l += QString(kLargeurNom - nom.size(), u'.');
    l += mesure < 0 ? QStringLiteral("   ") : QString::number(mesure);
    return l;
}

// The trailing number of a line padded to three digits; blanks when the
// line ends without one (no test).
QString resultatTrie(const QString &ligne)
{
    qsizetype i = ligne.size();
    while (i > 0 && ligne.at(i - 1).isDigit())
        --i;
    const QString n = ligne.mid(i);
    return n.isEmpty() ? QStringLiteral("   ") : n.rightJustified(3, u'0');
}

void ordonne(QList<Eleve> &eleves, Ordre ordre)
{
    switch (ordre) {
    case Ordre::Nom: {
        QCollator c(QLocale(QLocale::French, QLocale::France));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(eleves.begin(), eleves.end(),
                         [&](const Eleve &a, const Eleve &b) { return c.compare(a.ligne, b.ligne) < 0; });
        break;
    }
    case Ordre::Resultat: {
        // The keys are made once, not at every comparison.
        QList<std::pair<QString, Eleve>> cles;
        cles.reserve(eleves.size());
        for (Eleve &e : eleves)
            cles.append({(resultatTrie(e.ligne) + e.ligne).toCaseFolded(), std::move(e)});
        std::stable_sort(cles.begin(), cles.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (qsizetype i = 0; i < cles.size(); ++i)
            eleves[i] = std::move(cles[i].second);
        break;
    }
    case Ordre::Date:
        // Most recent first; pupils without a test (blank key) last.
        std::stable_sort(eleves.begin(), eleves.end(), [](const Eleve &a, const Eleve &b) {
            return QString::compare(a.cle + a.ligne, b.cle + b.ligne, Qt::CaseInsensitive) > 0;
        });
        break;
    }
}

struct Mesures
{
    qint64 somme = 0;
    int nombre = 0;
};

// What one history file yields, found by any worker.
struct Analyse
{
    bool present = false;   // false for a dead link
    bool teste = false;
    int score = -1;
    int vitesse = -1;
    QString cleJour;        // "yyyyMMdd"
    QString heureFin;
    QDate date;
};

Analyse analyse(const Demande &d, const QString &cleDate, QByteArrayView contenu)
{
    Analyse a;
    a.present = true;
    const TestFinder::TestOctets t =
        TestFinder::cherche_test_octets(contenu, cleDate, !d.premier, d.masquerIncomplets, d.objectifs, false);
    if (t.enregistrements.isEmpty())
        return a;
    a.teste = true;
    const Evaluation::ScoreVitesse sv =
        Evaluation::score_et_vitesse(t.enregistrements, QStringLiteral("tables_classiques"), d.tempsAcceptable);
    a.score = sv.score;
    a.vitesse = qMax(0, sv.vitesse);
    a.cleJour = t.cleJour;
    a.heureFin = t.heureFin;
    a.date = t.date;
    return a;
}

// The pupil's line from his file's analysis; adds to the sums and records.
Eleve eleve(const Demande &d, const QString &tabs, const QString &cle, const QString &chemin, const Analyse &a,
            Mesures *m, QStringList *records)
{
    Eleve e;
    e.chemin = chemin;
    // A test without any classic product has no score to show: the pupil is
    // then listed as without a test for the score.
    const int mesure = !a.teste ? -1 : d.mesure == Mesure::Score ? a.score : a.vitesse;
    e.ligne = ligneEleve(tabs, nom_affiche(cle), mesure);
    if (mesure >= 0) {
        m->somme += mesure;
        ++m->nombre;
        e.cle = a.cleJour + a.heureFin.leftJustified(8, u' ', true);
        e.age = int(Dates::jours_depuis_2000(d.maintenant.date()) - Dates::jours_depuis_2000(a.date));
    } else {
        e.cle = QString(16, u' ');
    }
    if (records && a.score >= 0)
        records->append(Catalogue::complete_zeros(a.score, 3) + Catalogue::complete_zeros(a.vitesse, 3) + cle);
    return e;
}

QList<Analyse> analyseTout(const Demande &d, const QStringList &chemins, const Progres &progres, bool *interrompue)
{
    QList<Analyse> analyses(chemins.size());
    const QString cleDate = d.date.toString(QStringLiteral("yyyyMMdd"));
    const bool complet = ParallelFileReader::traite_tout(
        chemins,
        [&](int i, const QByteArrayView *contenu) {
            if (contenu)
                analyses[i] = analyse(d, cleDate, *contenu);
            // A file that is there but cannot be read is listed without a test.
            else if (QFileInfo::exists(chemins.at(i)))
                analyses[i].present = true;
        },
        progres);
    if (!complet) {
        *interrompue = true;
        return {};
    }
    return analyses;
}

// The ".lnk" names of a class folder, letter case ignored as on Windows.
// Read straight from the directory: a listing that looks at every entry's
// attributes costs, over a whole school, a fifth of reading every history.
QStringList liens(const QString &dossier)
{
    QStringList noms;
    QDirIterator it(dossier, QDir::Files | QDir::System | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString nom = it.fileName();
        if (nom.endsWith(QStringLiteral(".lnk"), Qt::CaseInsensitive) && nom.size() > 4)
            noms.append(nom);
    }
    noms.sort(Qt::CaseInsensitive);
    return noms;
}

QString compte(int n)
{
    return n == 1 ? QStringLiteral("1 élève") : QString::number(n) + QStringLiteral(" élèves");
}

QString cleDeFichier(const QString &nom)
{
    return nom.left(nom.size() - 4);
}

} // namespace

int moyenne(qint64 somme, int nombre)
{
    if (nombre <= 0)
        return -1;
    qint64 q = somme / nombre;
    const qint64 r = somme % nombre;
    if (2 * r > nombre || (2 * r == nombre && q % 2 != 0))
        ++q;
    return int(q);
}

QString nom_affiche(const QString &cle)
{
    QString n = cle;
    const qsizetype s = n.indexOf(u'_');
    if (s >= 0)
        n[s] = u' ';
    return n;
}

Liste construit(const Demande &d, const Progres &progres)
{
    Liste liste;
    const bool aucun = d.etablissement.isEmpty();
    const QString dossierEtablissement = aucun ? d.dossierEleves : Paths::join(d.dossierEleves, d.etablissement);

    // Every file is known before any is read, so that progress is honest.
    QList<Groupe> groupes;
    int total = 0;
    if (aucun) {
        Groupe g;
        g.dossier = d.dossierEleves;
        QStringList noms;
        PupilFolders::listFiles(d.dossierEleves, QStringLiteral("*.txt"), &noms);
        noms.sort(Qt::CaseInsensitive);
        for (const QString &n : std::as_const(noms))
            g.fichiers.append(n);
        total = int(g.fichiers.size());
        groupes.append(g);
    } else {
        const QString dossierAnnee = Paths::join(dossierEtablissement, d.annee);
        for (const QString &classe : PupilFolders::listSubfolders(dossierAnnee)) {
            Groupe g;
            g.nom = classe;
            g.dossier = Paths::join(dossierAnnee, classe);
            // A dead link (history file gone) is found when its file
            // does not open, which spares a second look at every file.
            g.fichiers = liens(g.dossier);
            if (g.fichiers.isEmpty())
                continue;
            total += int(g.fichiers.size());
            groupes.append(g);
        }
    }

    // Every file is read and searched first, by as many workers as the
    // machine has cores: the reading dominates and overlaps well.
    QStringList chemins;
    chemins.reserve(total);
    for (const Groupe &g : std::as_const(groupes))
        for (const QString &fichier : g.fichiers)
            chemins.append(Paths::join(dossierEtablissement, cleDeFichier(fichier) + QStringLiteral(".txt")));
    const QList<Analyse> analyses = analyseTout(d, chemins, progres, &liste.interrompue);
    if (liste.interrompue)
        return liste;

    qsizetype suivant = 0;
    bool premiereClasse = true;
    const bool score = d.mesure == Mesure::Score;
    const bool parDate = d.ordre == Ordre::Date;
    for (const Groupe &g : std::as_const(groupes)) {
        Mesures m;
        QList<Eleve> eleves;
        for (const QString &fichier : g.fichiers) {
            const Analyse &a = analyses.at(suivant);
            const QString &chemin = chemins.at(suivant++);
            if (a.present)
                eleves.append(eleve(d, aucun ? QStringLiteral("\t") : QStringLiteral("\t\t"), cleDeFichier(fichier),
                                    chemin, a, &m, aucun ? nullptr : &liste.records));
        }
        if (eleves.isEmpty())
            continue;
        ordonne(eleves, d.ordre);
        const int n = int(eleves.size());
        const int moy = moyenne(m.somme, m.nombre);

        QString tete;
        if (aucun) {
            tete = compte(n) + (score ? QStringLiteral(": score moyen= ") + QString::number(moy) + u'%'
                                      : QStringLiteral(": vitesse moyenne= ") + QString::number(moy)
                                            + QStringLiteral(" brm"));
        } else {
            tete = u'\t' + g.nom + QStringLiteral(": ") + compte(n);
            if (tete.size() < kLargeurClasse)
                tete += QString(kLargeurClasse - tete.size(), u'.');
            tete += QString::number(moy);
            if (premiereClasse)
                tete += score ? QStringLiteral("%") : QStringLiteral(" brm");
            else
                tete += score ? QStringLiteral(" ") : QStringLiteral("    ");
            // The class's most recent test is its first pupil's.
            if (parDate && !eleves.isEmpty() && eleves.first().age >= 0)
                tete += QStringLiteral(" (") + QString::number(eleves.first().age)
                        + (premiereClasse ? QStringLiteral(" jours)") : QStringLiteral(")"));
            premiereClasse = false;
        }
        liste.lignes.append(tete);
        liste.chemins.append(g.dossier);
        for (const Eleve &e : std::as_const(eleves)) {
            QString l = e.ligne;
            if (parDate && e.age >= 0)
                l += aucun ? QStringLiteral(" ( ") + QString::number(e.age) + QStringLiteral(" )")
                           : QStringLiteral(" (") + QString::number(e.age) + u')';
            liste.lignes.append(l);
            liste.chemins.append(e.chemin);
        }
        liste.eleves += n;
    }

    if (!aucun) {
        const QString date = (Dates::jour_texte(d.maintenant.date()) + QStringLiteral(" à ")
                              + Dates::heure_texte(d.maintenant.time()))
                                 .left(40);
        const QString titre = liste.eleves == 0   ? QStringLiteral("pas d'élève le ") + date
                              : liste.eleves == 1 ? QStringLiteral("1 élève le ") + date
                                                  : QStringLiteral("Total: ") + QString::number(liste.eleves)
                                                        + QStringLiteral(" élèves le ") + date;
        liste.lignes.prepend(titre);
        liste.chemins.prepend(QStringLiteral(" "));
        RecordsList::trie(liste.records);
    }
    return liste;
}

bool enregistre(const Liste &liste, const QString &dossierStatsLocal, bool avecRecords, QString *erreur)
{
    if (!QDir().mkpath(dossierStatsLocal)) {
        if (erreur)
            *erreur = QStringLiteral("Le dossier %1 ne peut pas être créé.").arg(QDir::toNativeSeparators(dossierStatsLocal));
        return false;
    }
    if (!TextFile::saveLines(Paths::join(dossierStatsLocal, QString::fromLatin1(kNomFichier)), liste.lignes, erreur))
        return false;
    if (!avecRecords)
        return true;
    return TextFile::saveLines(Paths::join(dossierStatsLocal, QString::fromLatin1(RecordsList::kNomFichier)),
                               liste.records, erreur);
}

QList<Noeud> arbre(const QStringList &lignes)
{
    QList<Noeud> noeuds;
    noeuds.reserve(lignes.size());
    QList<int> ascendants;  // the open node at each depth
    for (const QString &ligne : lignes) {
        qsizetype tabs = 0;
        while (tabs < ligne.size() && ligne.at(tabs) == u'\t')
            ++tabs;
        const int profondeur = int(std::min<qsizetype>({tabs, ascendants.size(), kProfondeurMax}));
        ascendants.resize(profondeur);
        noeuds.append({profondeur == 0 ? -1 : ascendants.last(), profondeur, ligne.mid(tabs)});
        ascendants.append(int(noeuds.size()) - 1);
    }
    return noeuds;
}

} // namespace ClassFollowUp
