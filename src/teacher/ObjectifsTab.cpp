#include "teacher/ObjectifsTab.h"

#include "core/Catalogue.h"
#include "core/IniFile.h"
#include "core/TeacherSettings.h"
#include "teacher/TeacherSave.h"
#include "widgets/Naming.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kPas = 55;
const QList<int> &kClassiques = TeacherSettings::kTablesClassiques;
const QList<int> &kEtendues = TeacherSettings::kTablesEtendues;
const QString kSection = QStringLiteral("Etablissement");
const QString kCleClassiques = QStringLiteral("Objectifs tables classiques par niveaux");
const QString kCleEtendues = QStringLiteral("Objectifs tables etendues par niveaux");

QString cleTable(int t)
{
    return TeacherSettings::cle_table_objectif(t);
}

QString titreTable(int t)
{
    return t == 11 ? QStringLiteral("carrés") : QString::number(t) + QStringLiteral("×");
}

QString nomBoite(int i, int t)
{
    return QStringLiteral("CheckBox_obj_%1_%2").arg(i).arg(t);
}

} // namespace

ObjectifsTab::ObjectifsTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    auto *groupe = nomme(new QGroupBox(QStringLiteral("Objectifs pour les:"), this), QStringLiteral("GroupBox24"),
                         QStringLiteral("Objectifs pour les:"));
    RadioButton42 = nomme(new QRadioButton(QStringLiteral("Tables classiques"), groupe), QStringLiteral("RadioButton42"),
                          QStringLiteral("Tables classiques"));
    RadioButton43 = nomme(new QRadioButton(QStringLiteral("Tables étendues"), groupe), QStringLiteral("RadioButton43"),
                          QStringLiteral("Tables étendues"));
    RadioButton44 = nomme(new QRadioButton(QStringLiteral("Tables raisonnées"), groupe), QStringLiteral("RadioButton44"),
                          QStringLiteral("Tables raisonnées"));
    RadioButton44->setEnabled(false);
    RadioButton42->setChecked(true);
    auto *lg = new QHBoxLayout(groupe);
    lg->addWidget(RadioButton42);
    lg->addWidget(RadioButton43);
    lg->addWidget(RadioButton44);

    Label43 = new QLabel(QStringLiteral("Les objectifs sont les mêmes pour toutes les classes"), this);
    Label43->setObjectName(QStringLiteral("Label43"));
    auto *memes = new QWidget(this);
    RadioButton45 = nomme(new QRadioButton(QStringLiteral("oui"), memes), QStringLiteral("RadioButton45"),
                          QStringLiteral("oui"));
    RadioButton46 = nomme(new QRadioButton(QStringLiteral("non"), memes), QStringLiteral("RadioButton46"),
                          QStringLiteral("non"));
    RadioButton45->setAccessibleDescription(Label43->text());
    RadioButton46->setAccessibleDescription(Label43->text());
    RadioButton45->setChecked(true);
    auto *lm = new QHBoxLayout(memes);
    lm->setContentsMargins(0, 0, 0, 0);
    lm->addWidget(Label43);
    lm->addWidget(RadioButton45);
    lm->addWidget(RadioButton46);
    lm->addStretch();

    m_rangees = new QWidget;
    m_rangees->setObjectName(QStringLiteral("Rangees_objectifs"));
    m_grille = new QGridLayout(m_rangees);
    m_grille->setHorizontalSpacing(0);
    m_grille->setColumnMinimumWidth(0, 140);
    for (int c = 1; c <= 9; ++c)
        m_grille->setColumnMinimumWidth(c, kPas);
    auto *defilement = new QScrollArea(this);
    defilement->setObjectName(QStringLiteral("Defilement_objectifs"));
    defilement->setWidget(m_rangees);
    defilement->setWidgetResizable(true);

    Button_enregistrer_objectifs = nomme(new QPushButton(QStringLiteral("Enregistrer objectifs"), this),
                                         QStringLiteral("Button_enregistrer_objectifs"),
                                         QStringLiteral("Enregistrer objectifs"));
    auto *bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Button_enregistrer_objectifs);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(10, 10, 10, 10);
    colonne->addWidget(groupe);
    colonne->addWidget(memes);
    colonne->addWidget(defilement, 1);
    colonne->addLayout(bas);

    for (QRadioButton *r : {RadioButton42, RadioButton43, RadioButton44})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                RadioButton42Click();
        });
    connect(Button_enregistrer_objectifs, &QPushButton::clicked, this,
            &ObjectifsTab::Button_enregistrer_objectifsClick);
}

QCheckBox *ObjectifsTab::boite(int niveau, int table) const
{
    return m_rangees->findChild<QCheckBox *>(nomBoite(niveau, table));
}

int ObjectifsTab::nombreRangees() const
{
    int n = 0;
    while (m_rangees->findChild<QLineEdit *>(QStringLiteral("Edit_obj_%1").arg(n + 1)))
        ++n;
    return n;
}

void ObjectifsTab::Redimensionne_objectifs(const QStringList &niveaux)
{
    for (QWidget *w : m_rangees->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        delete w;
    m_titres.clear();
    // Column titles, one per table of each range, in the same columns.
    for (int c = 0; c < 9; ++c) {
        for (const QList<int> *plage : {&kClassiques, &kEtendues}) {
            if (c >= plage->size())
                continue;
            auto *t = new QLabel(titreTable(plage->at(c)), m_rangees);
            t->setProperty("table", plage->at(c));
            t->setAlignment(Qt::AlignCenter);
            m_grille->addWidget(t, 0, c + 1);
            m_titres.append(t);
        }
    }
    for (int i = 1; i <= niveaux.size(); ++i) {
        auto *nom = nomme(new QLineEdit(niveaux.at(i - 1), m_rangees), QStringLiteral("Edit_obj_%1").arg(i),
                          QStringLiteral("Niveau %1").arg(i));
        nom->setReadOnly(true);
        m_grille->addWidget(nom, i, 0);
        for (const QList<int> *plage : {&kClassiques, &kEtendues}) {
            for (int c = 0; c < plage->size(); ++c) {
                const int t = plage->at(c);
                auto *b = nomme(new QCheckBox(m_rangees), nomBoite(i, t),
                                niveaux.at(i - 1) + QStringLiteral(": ") + titreTable(t));
                m_grille->addWidget(b, i, c + 1, Qt::AlignCenter);
                connect(b, &QCheckBox::clicked, this, [this, t](bool coche) { coche_colonne(t, coche); });
            }
        }
    }
    m_grille->setRowStretch(niveaux.size() + 1, 1);
    RadioButton42Click();
}

void ObjectifsTab::RadioButton42Click()
{
    const bool classiques = !RadioButton43->isChecked();
    for (QCheckBox *b : m_rangees->findChildren<QCheckBox *>()) {
        const int t = b->objectName().section(u'_', 3).toInt();
        b->setVisible(classiques ? t <= 9 : t >= 11);
    }
    for (QLabel *t : std::as_const(m_titres)) {
        const int n = t->property("table").toInt();
        t->setVisible(classiques ? n <= 9 : n >= 11);
    }
}

void ObjectifsTab::coche_colonne(int table, bool coche)
{
    if (!RadioButton45->isChecked())
        return;
    for (int i = 1; QCheckBox *b = boite(i, table); ++i)
        b->setChecked(coche);
}

void ObjectifsTab::charge()
{
    const IniFile ini(TeacherSave::cheminIniLocal(m_env));
    const int n = nombreRangees();
    QStringList defautClassiques;
    for (int t : kClassiques)
        defautClassiques.append(cleTable(t));
    bool tousPareils = true;
    QStringList premiers;
    for (const auto &[cle, plage, defaut] :
         {std::tuple{kCleClassiques, &kClassiques, defautClassiques},
          std::tuple{kCleEtendues, &kEtendues, QStringList{QStringLiteral("table_carres")}}}) {
        const QString texte = ini.readString(kSection, cle, QString());
        const QList<TeacherSettings::ObjectifsNiveau> lus = TeacherSettings::lit_objectifs_niveaux(texte);
        for (int i = 1; i <= n; ++i) {
            const QString niveau = m_rangees->findChild<QLineEdit *>(QStringLiteral("Edit_obj_%1").arg(i))->text();
            QStringList tables = defaut;
            if (!texte.isEmpty()) {
                tables.clear();
                for (const TeacherSettings::ObjectifsNiveau &o : lus) {
                    if (o.niveau == niveau) {
                        tables = o.tables;
                        break;
                    }
                }
            }
            if (plage == &kClassiques) {
                if (i == 1)
                    premiers = tables;
                else if (tables != premiers)
                    tousPareils = false;
            }
            for (int t : *plage)
                boite(i, t)->setChecked(tables.contains(cleTable(t)));
        }
    }
    (tousPareils ? RadioButton45 : RadioButton46)->setChecked(true);
}

bool ObjectifsTab::enregistrement_objectifs(bool annonce)
{
    const bool classiques = !RadioButton43->isChecked();
    const QList<int> &plage = classiques ? kClassiques : kEtendues;
    QList<TeacherSettings::ObjectifsNiveau> niveaux;
    for (int i = 1;; ++i) {
        auto *nom = m_rangees->findChild<QLineEdit *>(QStringLiteral("Edit_obj_%1").arg(i));
        if (!nom)
            break;
        TeacherSettings::ObjectifsNiveau o;
        o.niveau = nom->text();
        for (int t : plage) {
            if (boite(i, t)->isChecked())
                o.tables.append(cleTable(t));
        }
        niveaux.append(o);
    }
    const QString texte = TeacherSettings::texte_objectifs_niveaux(niveaux);
    const QString cle = classiques ? kCleClassiques : kCleEtendues;
    return TeacherSave::enregistre(this, m_state, m_env, [texte, cle](IniFile &ini, QString *erreur) {
        return ini.writeString(kSection, cle, texte, erreur);
    }, annonce);
}
