#include "core/ClassTestCollector.h"

#include "core/ParallelFileReader.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/TestFinder.h"

namespace ClassTestCollector {

int Resultat::nbAvecTest() const
{
    int n = 0;
    for (const EleveTest &e : eleves)
        n += e.enregistrements.isEmpty() ? 0 : 1;
    return n;
}

Resultat collecte(const QList<Niveau> &niveaux, const QSet<Classe> &cochees, const QString &dossierAnnee,
                  const QString &dossierEtablissement, const Critere &critere, const Progres &progres, int aides)
{
    Resultat r;
    // The links first, so that the progress knows the whole amount of work.
    for (int i = 1; i <= niveaux.size(); ++i) {
        const QStringList &classes = niveaux.at(i - 1).classes;
        for (int j = 1; j <= classes.size(); ++j) {
            if (!cochees.contains({i, j}))
                continue;
            QStringList liens;
            PupilFolders::listFiles(PupilFolders::classFolder(dossierAnnee, classes.at(j - 1)), QStringLiteral("*.lnk"),
                                    &liens);
            for (const QString &lien : liens)
                r.eleves.append({{i, j}, lien.left(lien.size() - 4), {}, {}});
        }
    }
    r.nbEleves = int(r.eleves.size());
    const QString cleDate = TestFinder::cle_date(critere.date);
    if (cleDate.isEmpty()) {
        // Not a date: no pupil has a test, and no file needs reading.
        if (progres && !progres(r.nbEleves, r.nbEleves))
            r.annule = true;
        return r;
    }
    QStringList chemins;
    chemins.reserve(r.nbEleves);
    for (const EleveTest &e : std::as_const(r.eleves))
        chemins.append(Paths::fromStored(PupilFolders::historyFile(dossierEtablissement, e.cle)));
    const bool enArriere = critere.direction == u"dernier";
    // Each file's test goes to its own pupil, so the order and the result do
    // not depend on which thread read which file.
    const bool complet = ParallelFileReader::traite_tout(
        chemins,
        [&](int i, const QByteArrayView *contenu) {
            if (!contenu)
                return;
            TestFinder::TestOctets t = TestFinder::cherche_test_octets(*contenu, cleDate, enArriere,
                                                                       critere.masquerIncomplets, critere.objectifs);
            EleveTest &e = r.eleves[i];
            e.enregistrements = std::move(t.enregistrements);
            e.date = std::move(t.libelle);
        },
        progres, aides);
    r.annule = !complet;
    return r;
}

} // namespace ClassTestCollector
