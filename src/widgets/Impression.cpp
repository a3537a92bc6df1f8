#include "widgets/Impression.h"

#include "widgets/Dialogs.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPagedPaintDevice>

#include <memory>

namespace {

using CreeImprimante = QPagedPaintDevice *(*)(bool hauteResolution, const QString *nomDocument);
using DialogueImpression = bool (*)(QPagedPaintDevice *imprimante, QWidget *parent);

struct Module
{
    CreeImprimante cree = nullptr;
    DialogueImpression dialogue = nullptr;
};

// Loaded once, at the first print, and kept: the printers it made are
// deleted through code that lives in it.
const Module &module()
{
    static const Module m = [] {
        QLibrary bibliotheque(QCoreApplication::applicationDirPath() + QStringLiteral("/tabulon_impression"));
        Module trouve;
        trouve.cree = reinterpret_cast<CreeImprimante>(bibliotheque.resolve("tabulon_cree_imprimante"));
        trouve.dialogue = reinterpret_cast<DialogueImpression>(bibliotheque.resolve("tabulon_dialogue_impression"));
        if (!trouve.cree || !trouve.dialogue)
            trouve = {};
        return trouve;
    }();
    return m;
}

} // namespace

namespace Impression {

Resultat imprime(QWidget *parent, const Demande &demande)
{
    std::unique_ptr<QPagedPaintDevice> imprimante;
    bool sansModule = false;
    const auto cree = [&] {
        if (!module().cree) {
            sansModule = true;
            return false;
        }
        imprimante.reset(module().cree(demande.hauteResolution, &demande.nomDocument));
        return true;
    };
    const bool confirme =
        Dialogs::confirmPrint([&] { return cree() && module().dialogue(imprimante.get(), parent); });
    // A test answers the dialog without showing it: the printer is made now.
    if (confirme && !imprimante)
        cree();
    if (sansModule) {
        Dialogs::error(parent, QStringLiteral("Impression impossible"),
                       QStringLiteral("Le module d'impression de Tabulon (tabulon_impression) manque à cette "
                                      "installation."));
        return Resultat::Annulee;
    }
    if (!confirme)
        return Resultat::Annulee;
    return demande.dessine(imprimante.get()) ? Resultat::Imprimee : Resultat::Echec;
}

} // namespace Impression
