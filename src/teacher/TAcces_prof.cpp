#include "teacher/TAcces_prof.h"

#include "core/SessionState.h"
#include "widgets/Naming.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TAcces_prof::TAcces_prof(SessionState &state, QWidget *parent)
    : QDialog(parent)
    , m_acces(state)
{
    setObjectName(QStringLiteral("Acces_prof"));
    setWindowTitle(QStringLiteral("Accès réservé au professeur"));
    setModal(true);

    Label18 = nomme(new QLabel(this), QStringLiteral("Label18"));
    Label8 = nomme(new QLabel(this), QStringLiteral("Label8"));
    Label8->setStyleSheet(QStringLiteral("QLabel { color: #b00020; font-weight: bold; }"));
    // Heard by its label, the prompt above it.
    Edit3 = nomme(new QLineEdit(this), QStringLiteral("Edit3"));
    Edit3->setMaxLength(4);
    Edit3->setEchoMode(QLineEdit::Password);
    // Every character is shown as "*", whatever the platform's habit.
    Edit3->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    Edit3->setFixedWidth(90);
    Label18->setBuddy(Edit3);
    Button_code = nomme(new QPushButton(this), QStringLiteral("Button_code"));
    // Enter in the entry acts as a click on the button; once the button has
    // the focus after a failure, Enter acknowledges the failure.
    Button_code->setDefault(true);
    Button_code->setAutoDefault(true);
    // The way out for whoever opened the prompt by mistake; Escape does the same.
    Button_annuler = nomme(new QPushButton(QStringLiteral("Annuler"), this), QStringLiteral("Button_annuler"));
    Button_annuler->setAutoDefault(false);
    RadioButton2 = nomme(new QRadioButton(this), QStringLiteral("RadioButton2"));
    RadioButton1 = nomme(new QRadioButton(this), QStringLiteral("RadioButton1"));
    auto *groupe = new QButtonGroup(this);
    groupe->addButton(RadioButton2);
    groupe->addButton(RadioButton1);
    RadioButton1->setChecked(m_acces.jusqua_fermeture());
    RadioButton2->setChecked(!m_acces.jusqua_fermeture());

    auto *ligne = new QHBoxLayout;
    ligne->addWidget(Label18);
    ligne->addWidget(Label8);
    ligne->addStretch();
    ligne->addWidget(Edit3);
    ligne->addWidget(Button_code);
    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(16, 16, 16, 16);
    colonne->setSpacing(10);
    colonne->addLayout(ligne);
    colonne->addSpacing(6);
    colonne->addWidget(RadioButton2);
    colonne->addWidget(RadioButton1);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Button_annuler);
    colonne->addLayout(boutons);
    setFixedSize(440, 190);

    connect(Edit3, &QLineEdit::textEdited, this, &TAcces_prof::Edit3Edited);
    connect(Button_code, &QPushButton::clicked, this, &TAcces_prof::Button_codeClick);
    connect(Button_annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) { m_acces.setJusquaFermeture(on); });
}

bool TAcces_prof::demande()
{
    return exec() == QDialog::Accepted;
}

void TAcces_prof::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TAcces_prof::FormShow()
{
    setWindowTitle(QStringLiteral("Accès réservé au professeur"));
    Label18->setText(QStringLiteral("Entrez le code  professeur:"));
    Button_code->setText(QStringLiteral("OK"));
    Label8->setText(QStringLiteral("Code erroné"));
    RadioButton2->setText(QStringLiteral("Redemander systématiquement le code."));
    RadioButton1->setText(QStringLiteral("Autoriser accès jusqu'à la fermeture du programme."));
    // The choice lives in the session, so it survives the window.
    RadioButton1->setChecked(m_acces.jusqua_fermeture());
    RadioButton2->setChecked(!m_acces.jusqua_fermeture());
    m_acces.commence();
    Label8->hide();
    Label18->show();
    Edit3->clear();
    Edit3->setEnabled(true);
    Edit3->setFocus();
}

// Letters become lower case as they are typed, so a code typed with Caps
// Lock on still matches a lower-case code.
void TAcces_prof::Edit3Edited(const QString &texte)
{
    const QString minuscules = texte.toLower();
    if (minuscules == texte)
        return;
    const int curseur = Edit3->cursorPosition();
    Edit3->setText(minuscules);
    Edit3->setCursorPosition(qMin(curseur, int(Edit3->text().size())));
}

void TAcces_prof::Button_codeClick()
{
    clique_Button_code();
}

void TAcces_prof::clique_Button_code()
{
    switch (m_acces.clique_Button_code(Edit3->text())) {
    case TeacherAccess::Resultat::Accepte:
        accept();
        break;
    case TeacherAccess::Resultat::Refuse:
        Label18->hide();
        Label8->show();
        Edit3->setEnabled(false);
        Button_code->setFocus();
        break;
    case TeacherAccess::Resultat::Acquitte:
        Label18->show();
        Label8->hide();
        Edit3->clear();
        Edit3->setEnabled(true);
        Edit3->setFocus();
        break;
    }
}
