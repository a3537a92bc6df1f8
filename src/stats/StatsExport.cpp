#include "stats/StatsExport.h"

#include "core/CsvText.h"
#include "core/Paths.h"
#include "widgets/Dialogs.h"
#include "widgets/ImageFile.h"

#include <QDir>
#include <QFileInfo>

namespace StatsExport {

QString dossier_depart(const QString &dossierStats)
{
    if (!dossierStats.isEmpty() && QFileInfo(dossierStats).isDir())
        return dossierStats;
    const QString stats = Paths::join(QDir::currentPath(), QStringLiteral("stats"));
    return QFileInfo(stats).isDir() ? stats : QDir::currentPath();
}

bool enregistre(QWidget *parent, const QString &dossierStats, const QString &nomPropose,
                const QList<QStringList> &lignesCsv, const QImage &image)
{
    // A title such as "Rapidité (nb br/mn) par classe" holds characters no file name may hold.
    QString nom = nomPropose;
    for (QChar &c : nom) {
        if (QStringLiteral("\\/:*?\"<>|").contains(c))
            c = u'-';
    }
    QString fichier = Dialogs::saveFileName(
        parent, QStringLiteral("Enregistrer les statistiques"),
        Paths::join(dossier_depart(dossierStats), nom + QStringLiteral(".csv")),
        QStringLiteral("Tableur (*.csv);;Image PNG (*.png);;tous (*.*)"));
    if (fichier.isEmpty())
        return false;
    if (QFileInfo(fichier).suffix().isEmpty())
        fichier += QStringLiteral(".csv");
    QString erreur;
    const bool png = QFileInfo(fichier).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0;
    const bool ok = png ? ImageFile::ecrit_png(fichier, image, &erreur) : CsvText::ecrit(fichier, lignesCsv, &erreur);
    if (!ok)
        Dialogs::error(parent, QStringLiteral("Enregistrement impossible"), erreur);
    return ok;
}

} // namespace StatsExport
