#include "teacher/SchoolYearLists.h"

#include "core/Paths.h"
#include "core/PupilFolders.h"

#include <QComboBox>

namespace SchoolYearLists {

void remplit(QComboBox *etablissements, QComboBox *annees, const SessionState &state)
{
    etablissements->clear();
    etablissements->addItems(PupilFolders::listSubfolders(state.dossier_eleves));
    etablissements->addItem(QStringLiteral("aucun"));
    const int e = etablissements->findText(state.nom_etablissement);
    etablissements->setCurrentIndex(e >= 0 ? e : 0);
    annees->clear();
    annees->addItems(PupilFolders::listSubfolders(Paths::join(state.dossier_eleves, etablissements->currentText()),
                                                  QStringLiteral("2*")));
    const int a = annees->findText(state.annee_scolaire);
    annees->setCurrentIndex(a >= 0 ? a : annees->count() - 1);
    const QString pourquoi = QStringLiteral("Les statistiques portent sur les classes de l'année en cours.");
    for (QComboBox *c : {etablissements, annees}) {
        c->setEnabled(false);
        c->setToolTip(pourquoi);
    }
}

} // namespace SchoolYearLists
