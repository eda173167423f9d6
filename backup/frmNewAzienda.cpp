#include "frmNewAzienda.h"

#include "CSHFileOp.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "MsgBox.h"
#include "Shell.h"
#include "db/Recordset.h"
#include "frmBackup.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Funzioni;

namespace {

const QString TitleGestione = QStringLiteral("Gestione aziende");
const QString TitleErrore = QStringLiteral("Errore");

QString dbPath(const QString &name) { return Shell::appPath() + QStringLiteral("/Dati/") + name + QStringLiteral(".mdb"); }

}

frmNewAzienda::frmNewAzienda(frmBackup *owner) : LoadingDialog(owner), m_owner(owner)
{
    setObjectName(QStringLiteral("frmNewAzienda"));
    setWindowTitle(QStringLiteral("Nuova azienda"));
    offerCloseOnly();

    Frame1 = new QGroupBox(QStringLiteral("Nuova Azienda"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label2 = new QLabel(QStringLiteral("Nome azienda:"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtNome = new QLineEdit(Frame1);
    txtNome->setObjectName(QStringLiteral("txtNome"));
    Label2->setBuddy(txtNome);
    Label1 = new QLabel(QStringLiteral("Tipo base dati:"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItem(QStringLiteral("Access 2000/Xp"));
    Label1->setBuddy(Combo1);

    auto *fields = new QGridLayout(Frame1);
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(txtNome, 0, 1);
    fields->addWidget(Label1, 1, 0);
    fields->addWidget(Combo1, 1, 1);
    fields->setColumnStretch(1, 1);

    Command1 = new QPushButton(QStringLiteral("Crea"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("Chiudi"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();

    auto *form = new QHBoxLayout(this);
    form->addWidget(Frame1, 1);
    form->addLayout(buttons);

    setFixedSize(497, 156);   // 7455 x 2340 twips

    connect(Command1, &QAbstractButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QAbstractButton::clicked, this, &QWidget::close);
}

bool frmNewAzienda::runLoad()
{
    Combo1->setCurrentIndex(0);
    return true;
}

void frmNewAzienda::done(int result)
{
    QDialog::done(result);
    m_owner->riempiClo();
}

void frmNewAzienda::Command1_Click()
{
    if (txtNome->text().isEmpty()) {
        MsgBox(QStringLiteral("Inserire il nome dell' azienda"), MsgKind::Warning, TitleErrore);
        return;
    }
    const QString name = txtNome->text().trimmed();
    if (!NomeValido(name) || !CopyTemplateDb(name))
        return;
    // The row only for a database that exists; a failed row takes the new database away again.
    if (!Guarded(TitleGestione, [this, &name] { AddAzienda(name); })) {
        QFile::remove(dbPath(name));
        return;
    }
    MsgBox(QStringLiteral("Registrazione completata con successo."), MsgKind::Information, TitleGestione);
    close();
}

bool frmNewAzienda::NomeValido(const QString &name)
{
    // What a file name cannot hold, and the separator of the connection text that names the file.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|;");
    QString refusal;
    if (name.isEmpty()) {
        refusal = QStringLiteral("Inserire il nome dell' azienda");
    } else if (name.startsWith(QLatin1Char('.'))
               || std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c) || c.unicode() < 32; })) {
        refusal = QStringLiteral("Il nome dell' azienda non può iniziare con un punto né contenere i caratteri "
                                 "\\ / : * ? \" < > | ;");
    } else {
        bool exists = true;
        if (!Guarded(TitleGestione, [this, &name, &exists] {
                const auto rows = m_owner->AdoConnectAziende.query(
                    QStringLiteral("SELECT IdAzienda FROM Aziende WHERE NomeAzienda = '") + SqlQuote(name)
                    + QStringLiteral("'"));
                exists = !rows.isEmpty();
            }))
            return false;
        if (exists)
            refusal = QStringLiteral("Esiste già un' azienda con questo nome.");
        else if (QFileInfo::exists(dbPath(name)))
            refusal = QStringLiteral("Esiste già il database %1").arg(dbPath(name));
    }
    if (refusal.isEmpty())
        return true;
    MsgBox(refusal, MsgKind::Warning, TitleErrore);
    return false;
}

bool frmNewAzienda::CopyTemplateDb(const QString &name)
{
    bool copied = false;
    Guarded(TitleGestione, [this, &name, &copied] {
        CSHFileOp op;
        op.setParentWnd(this);
        op.ClearSourceFiles();
        op.AddSourceFile(Shell::appPath() + QStringLiteral("/Dati/Exe.mdb"));
        op.ClearDestFiles();
        op.AddDestFile(dbPath(name));
        copied = op.CopyFiles();
        if (!copied)
            MsgBox(QStringLiteral("One or more operations were not successfully completed."), MsgKind::Warning,
                   TitleGestione);
    });
    return copied;
}

void frmNewAzienda::AddAzienda(const QString &name)
{
    Recordset rs;
    rs.open(QStringLiteral("Aziende"), &m_owner->AdoConnectAziende, Recordset::OpenDynamic, Recordset::LockOptimistic);
    rs.addNew();
    rs.setValue(QStringLiteral("TipoProvider"), QStringLiteral("A"));
    rs.setValue(QStringLiteral("NomeAzienda"), name);
    rs.setValue(QStringLiteral("PercorsoO"), dbPath(name));
    rs.setValue(QStringLiteral("Indirizzo"),
                QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=") + dbPath(name));
    rs.setValue(QStringLiteral("PercorsoD"), Shell::appPath() + QStringLiteral("/Backup/") + name + QStringLiteral(".mdb"));
    rs.update();
}
