#include "core/ReportBatch.h"

#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/TestFinder.h"

#include <QFileInfo>

ReportBatch ReportBatch::prepare(const QString &chemin, const QString &texteNoeud, const QString &dossierEtablissement,
                                 const ClassTestCollector::Critere &critere)
{
    ReportBatch r;
    const QString path = Paths::fromStored(chemin);
    const qsizetype deuxPoints = texteNoeud.indexOf(u':');
    r.classe = deuxPoints < 0 ? QString() : texteNoeud.left(deuxPoints).trimmed();

    QStringList fichiers;
    if (path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        fichiers.append(path);
        r.nomPropose = QFileInfo(path).completeBaseName();
    } else {
        r.nomPropose = QStringLiteral("Classe de ") + QFileInfo(path).fileName();
        QStringList liens;
        PupilFolders::listFiles(path, QStringLiteral("*.lnk"), &liens);
        liens.sort(Qt::CaseInsensitive);
        for (const QString &lien : liens)
            fichiers.append(PupilFolders::historyFile(dossierEtablissement, lien.left(lien.size() - 4)));
    }
    for (const QString &fichier : fichiers) {
        const TestFinder::TestTrouve t = TestFinder::cherche_test_eleve(fichier, critere.date, critere.direction,
                                                                        critere.masquerIncomplets, critere.objectifs);
        if (t.enregistrements.isEmpty())
            r.sansTest.append(QFileInfo(fichier).completeBaseName());
        else
            r.bilans.append({t.nom, t.prenom, t.enregistrements, t.date});
    }
    return r;
}
