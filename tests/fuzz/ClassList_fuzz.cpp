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
        Fuzz::verifie(n.profondeur <= ClassFollowUp::kProfondeurMax, "no deeper than the pupils");
        if (n.parent < 0) {
            Fuzz::verifie(n.profondeur == 0, "top nodes have no depth");
        } else {
            Fuzz::verifie(n.profondeur == noeuds.at(n.parent).profondeur + 1, "one level below its parent");
            // The parent is the nearest open line: the line above, or its
            // ancestor one level above the node.
            qsizetype ouvert = i - 1;
            while (ouvert >= 0 && noeuds.at(ouvert).profondeur >= n.profondeur)
                ouvert = noeuds.at(ouvert).parent;
            Fuzz::verifie(ouvert == n.parent, "the parent is the nearest open line");
        }
        Fuzz::verifie(!n.texte.startsWith(u'\t'), "no leading tab is shown");
        Fuzz::verifie(lignes.at(i).endsWith(n.texte), "the text is the end of its line");
    }
    return 0;
}
