// The crash and race campaigns against the recording of sessions, at full
// length: save_campaign [kills] [rounds] [renames] [folder]. Prints the figures and
// exits non-zero when a session was lost, duplicated or a file cut.
#include "../tests/support/SaveCampaign.h"

#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    if (SaveCampaign::estEnregistreur(argc, argv))
        return SaveCampaign::enregistreur(argc, argv);
    const int tues = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int tours = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int renommages = argc > 3 ? std::atoi(argv[3]) : 1000;
    QTemporaryDir temporaire;
    const QString racine = argc > 4 ? QString::fromLocal8Bit(argv[4]) : temporaire.path();
    const QString programme = QString::fromLocal8Bit(argv[0]);
    bool ok = true;
    const auto rapporte = [&](const char *nom, const SaveCampaign::Bilan &b) {
        std::printf("%s: %s\n", nom, qPrintable(SaveCampaign::texte(b)));
        for (const QString &p : b.problemes)
            std::printf("  %s\n", qPrintable(p));
        ok = ok && b.problemes.isEmpty() && b.seancesPerdues == 0 && b.fichiersCoupes == 0 && b.doublons == 0
             && b.copiesRestantes == 0;
    };
    if (tues > 0)
        rapporte("kills", SaveCampaign::coupures(programme, racine + QStringLiteral("/coupures"), tues, 20261210));
    if (tours > 0)
        rapporte("race", SaveCampaign::course(programme, racine + QStringLiteral("/course"), tours));
    if (renommages > 0)
        rapporte("renames", SaveCampaign::renommages(programme, racine + QStringLiteral("/renommages"), renommages,
                                                     20261210));
    return ok ? 0 : 1;
}
