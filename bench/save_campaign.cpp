// The crash and race campaigns against the recording of sessions, at full
// length: save_campaign [kills] [rounds] [renames] [folder A [folder B]].
// With two folders (the two workstations' mounts of one share, as
// scripts/school-share.sh prints them), workstation A works through the first
// and workstation B through the second; with one, both work in it; with none,
// in a temporary folder. Each workstation keeps its own local folder on this
// machine. Prints the figures and exits non-zero when a session was lost,
// duplicated, a file cut, a save waited too long or debris was left.
#include "../tests/support/SaveCampaign.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

#include <cstdio>

int main(int argc, char **argv)
{
    if (SaveCampaign::estEnregistreur(argc, argv))
        return SaveCampaign::enregistreur(argc, argv);
    const int tues = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int renommages = argc > 3 ? std::atoi(argv[3]) : 1000;
    QTemporaryDir temporaire;
    QTemporaryDir locaux;
    // A folder of its own under each given one, so that runs never meet.
    const QString sous = QStringLiteral("/campagne-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString racineA = (argc > 4 ? QString::fromLocal8Bit(argv[4]) : temporaire.path()) + sous;
    const QString racineB = (argc > 5 ? QString::fromLocal8Bit(argv[5]) : argc > 4 ? QString::fromLocal8Bit(argv[4])
                                                                                     : temporaire.path())
                            + sous;
    const QString programme = QString::fromLocal8Bit(argv[0]);
    const auto postes = [&](const char *campagne) {
        const QString c = QString::fromLatin1(campagne);
        return QList<SaveCampaign::Poste>{
            {racineA + u'/' + c, locaux.path() + QStringLiteral("/poste-a/") + c},
            {racineB + u'/' + c, locaux.path() + QStringLiteral("/poste-b/") + c}};
    };
    bool ok = true;
    const auto rapporte = [&](const char *nom, const SaveCampaign::Bilan &b) {
        std::printf("%s: %s\n", nom, qPrintable(SaveCampaign::texte(b)));
        std::fflush(stdout);
        for (const QString &p : b.problemes)
            std::printf("  %s\n", qPrintable(p));
        ok = ok && b.problemes.isEmpty() && b.seancesPerdues == 0 && b.fichiersCoupes == 0 && b.doublons == 0
             && b.copiesRestantes == 0 && b.attenteMaxMs <= SaveCampaign::kAttenteMaxMs;
    };
    if (tues > 0)
        rapporte("kills", SaveCampaign::coupures(programme, postes("coupures"), tues, 20261210, 1500));
    if (tours > 0)
        rapporte("race", SaveCampaign::course(programme, postes("course"), tours));
    if (renommages > 0)
        rapporte("renames", SaveCampaign::renommages(programme, postes("renommages"), renommages, 20261210));
    QDir(racineA).removeRecursively();
    return ok ? 0 : 1;
}
