#include "core/ReportBatch.h"

#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "core/TestFinder.h"

#include <QFileInfo>

namespace {

bool est_fichier_eleve(const QString &path)
{
    return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

} // namespace

QString ReportBatch::nom_propose(const QString &chemin)
{
    const QFileInfo info(Paths::fromStored(chemin));
    return est_fichier_eleve(info.filePath()) ? info.completeBaseName() : QStringLiteral("Classe de ") + info.fileName();
}

ReportBatch ReportBatch::prepare(const QString &chemin, const QString &texteNoeud, const QString &dossierEtablissement,
                                 const ClassTestCollector::Critere &critere)
{
    ReportBatch r;
    const QString path = Paths::fromStored(chemin);
    const qsizetype deuxPoints = texteNoeud.indexOf(u':');
    r.classe = deuxPoints < 0 ? QString() : texteNoeud.left(deuxPoints).trimmed();

    r.nomPropose = nom_propose(path);
    QStringList fichiers;
    if (est_fichier_eleve(path)) {
        fichiers.append(path);
    } else {
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
