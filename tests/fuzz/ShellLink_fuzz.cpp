// A class link "<clé>.lnk" as any bytes.
#include "FuzzSupport.h"

#include "core/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString chemin = Fuzz::fichier(QStringLiteral("Dupont_Jean.lnk"), Fuzz::octets(data, size));
    ShellLink::readTarget(chemin);
    return 0;
}
