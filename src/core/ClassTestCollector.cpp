#include "core/ClassTestCollector.h"

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
                  const QString &dossierEtablissement, const Critere &critere, const Progres &progres)
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
    const int total = r.nbEleves;
    const bool enArriere = critere.direction == u"dernier";
    for (int k = 0; k < total; ++k) {
        if (progres && !progres(k, total)) {
            r.annule = true;
            return r;
        }
        EleveTest &e = r.eleves[k];
        TestFinder::TestOctets t =
            TestFinder::cherche_test_fichier(PupilFolders::historyFile(dossierEtablissement, e.cle), critere.date,
                                             enArriere, critere.masquerIncomplets, critere.objectifs);
        e.enregistrements = std::move(t.enregistrements);
        e.date = std::move(t.libelle);
    }
    if (progres)
        progres(total, total);
    return r;
}

} // namespace ClassTestCollector
