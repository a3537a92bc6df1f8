// "liste_eleves.txt" as any bytes: the tree the teacher's tab loads from it.
#include "FuzzSupport.h"

#include "core/ClassFollowUp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString chemin = Fuzz::fichier(QStringLiteral("liste_eleves.txt"), Fuzz::octets(data, size));
    QStringList lignes;
    Fuzz::verifie(TextFile::loadLines(chemin, &lignes, nullptr), "list loads");
    const QList<ClassFollowUp::Noeud> noeuds = ClassFollowUp::arbre(lignes);
    Fuzz::verifie(noeuds.size() == lignes.size(), "one node a line");
    for (qsizetype i = 0; i < noeuds.size(); ++i) {
        const ClassFollowUp::Noeud &n = noeuds.at(i);
        Fuzz::verifie(n.parent < i, "a node hangs from a line above it");
        if (n.parent < 0) {
            Fuzz::verifie(n.profondeur == 0, "top nodes have no depth");
        } else {
            Fuzz::verifie(n.profondeur == noeuds.at(n.parent).profondeur + 1, "one level below its parent");
            // No line between the parent and the node is shallower than the node.
            for (qsizetype j = n.parent + 1; j < i; ++j)
                Fuzz::verifie(noeuds.at(j).profondeur >= n.profondeur, "the parent is the nearest open line");
        }
        Fuzz::verifie(!n.texte.startsWith(u'\t') || n.profondeur < lignes.at(i).size() - n.texte.size(),
                      "only the tabs that give the depth are taken off");
        Fuzz::verifie(lignes.at(i).endsWith(n.texte), "the text is the end of its line");
    }
    return 0;
}
