// "Tabulon.ini" as any bytes: every read and a change of one key.
#include "FuzzSupport.h"

#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString chemin = Fuzz::fichier(QStringLiteral("Tabulon.ini"), Fuzz::octets(data, size));
    IniFile ini(chemin);
    const QString parametres = QStringLiteral("Paramètres");
    const QString cle = QStringLiteral("temps de réponse acceptable");
    ini.readString(QStringLiteral("General"), QStringLiteral("Mode"));
    ini.readBool(QStringLiteral("Codes"), QStringLiteral("Identification par code"));
    ini.sectionText(QStringLiteral("Etablissement"));
    const int t = ini.readInteger(parametres, cle, 1, 99, 4);
    Fuzz::verifie(t >= 1 && t <= 99, "bounded integer within its range");
    ini.readInteger(parametres, QStringLiteral("temps de réponse maximum"));

    // A key written must read back, and the other keys must be left alone.
    const QString avant = ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Chemin serveur"));
    if (ini.writeString(parametres, cle, QStringLiteral("7"))) {
        Fuzz::verifie(ini.readInteger(parametres, cle) == 7, "written key reads back");
        Fuzz::verifie(ini.readString(QStringLiteral("Dossiers"), QStringLiteral("Chemin serveur")) == avant,
                      "other key unchanged by a write");
    }
    return 0;
}
