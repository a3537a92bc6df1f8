#include "widgets/Beep.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

int g_demandes = 0;

using JoueSon = void (*)(int frequenceHz, int dureeMs);

// The sound module lies beside the program; it is loaded at the first beep
// only, and a missing module leaves the program silent.
JoueSon joueur()
{
    static const JoueSon fonction = [] {
        QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/tabulon_son"));
        return reinterpret_cast<JoueSon>(module.resolve("tabulon_joue_son"));
    }();
    return fonction;
}

} // namespace

namespace Beep {

int demandes()
{
    return g_demandes;
}

void joue(int frequenceHz, int dureeMs)
{
    ++g_demandes;
    if (const JoueSon joue = joueur())
        joue(frequenceHz, dureeMs);
}

} // namespace Beep
