#include "teacher/ClassCheckBoxes.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

ClassCheckBoxes::ClassCheckBoxes(const QString &titre, const QString &prefixe, QWidget *parent)
    : QGroupBox(titre, parent)
    , m_prefixe(prefixe)
{
    setAccessibleName(titre);
    auto *defilement = new QScrollArea(this);
    defilement->setWidgetResizable(true);
    defilement->setFrameShape(QFrame::NoFrame);
    m_contenu = new QWidget;
    defilement->setWidget(m_contenu);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(6, 6, 6, 6);
    colonne->addWidget(defilement);
    m_grille = new QGridLayout(m_contenu);
    m_grille->setHorizontalSpacing(0);
    m_grille->setVerticalSpacing(4);
}

void ClassCheckBoxes::Actualise_CheckBox_classes(const QList<Niveau> &niveaux)
{
    while (QLayoutItem *item = m_grille->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int colonnes = 0;
    for (int i = 1; i <= niveaux.size(); ++i) {
        auto *nom = new QLabel(niveaux.at(i - 1).nom + u':', m_contenu);
        nom->setMinimumWidth(90);
        m_grille->addWidget(nom, i - 1, 0);
        const QStringList &classes = niveaux.at(i - 1).classes;
        for (int j = 1; j <= classes.size(); ++j) {
            auto *c = new QCheckBox(classes.at(j - 1), m_contenu);
            c->setObjectName(m_prefixe + QStringLiteral("%1_%2").arg(i).arg(j));
            c->setChecked(true);
            c->setFixedWidth(75);
            m_grille->addWidget(c, i - 1, j);
        }
        colonnes = std::max(colonnes, int(classes.size()));
    }
    m_grille->setColumnStretch(colonnes + 1, 1);
    m_grille->setRowStretch(int(niveaux.size()), 1);
}

QSet<ClassTestCollector::Classe> ClassCheckBoxes::cochees() const
{
    QSet<ClassTestCollector::Classe> s;
    const QString debut = m_prefixe;
    for (const QCheckBox *c : m_contenu->findChildren<QCheckBox *>()) {
        if (!c->isChecked() || !c->objectName().startsWith(debut))
            continue;
        const QStringList parties = c->objectName().mid(debut.size()).split(u'_');
        if (parties.size() == 2)
            s.insert({parties.at(0).toInt(), parties.at(1).toInt()});
    }
    return s;
}

QCheckBox *ClassCheckBoxes::caseClasse(int niveau, int classe) const
{
    return m_contenu->findChild<QCheckBox *>(m_prefixe + QStringLiteral("%1_%2").arg(niveau).arg(classe));
}
