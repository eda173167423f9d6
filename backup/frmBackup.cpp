#include "frmBackup.h"

#include "CopyDbFile.h"
#include "Conversions.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "HelpViewer.h"
#include "MsgBox.h"
#include "Shell.h"
#include "db/Recordset.h"
#include "frmNewAzienda.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Funzioni;

namespace {

const QString TitleGestione = QStringLiteral("Gestione aziende");
const QString TitleConnect = QStringLiteral("Errore Di ConnAziende: Connect failed");
constexpr int HelpIdBackup = 10001;

QToolButton *pictureButton(QWidget *parent, const char *name, QStyle::StandardPixmap picture, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(picture));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(tip);
    button->setAutoRaise(false);
    button->setFixedSize(30, 28);
    return button;
}

QLabel *pathLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(24);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return label;
}

// The folder a path lies in; "" for no path, so that a picker opens where it likes.
QString folderOf(const QString &path)
{
    return path.trimmed().isEmpty() ? QString() : QFileInfo(path.trimmed()).absolutePath();
}

QLabel *caption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}

frmBackup::frmBackup(QWidget *parent) : LoadingDialog(parent)
{
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("Gestione database Focolarium"));
    offerCloseOnly();

    // Menu
    m_menu = new QMenuBar(this);
    QMenu *mnuFile = m_menu->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction *mnuNewAzienda = mnuFile->addAction(QStringLiteral("Nuova Famiglia"));
    mnuNewAzienda->setObjectName(QStringLiteral("mnuNewAzienda"));
    QAction *eee = mnuFile->addSeparator();
    eee->setObjectName(QStringLiteral("eee"));
    QAction *mnuEsci = mnuFile->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));

    // Families
    Frame1 = new QGroupBox(QStringLiteral("Famiglie"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = caption(Frame1, "Label1", QStringLiteral("Famiglia:"));
    cboAzienda = new QComboBox(Frame1);
    cboAzienda->setObjectName(QStringLiteral("cboAzienda"));
    cboAzienda->setFont(QFont(QStringLiteral("Tahoma")));
    Label1->setBuddy(cboAzienda);
    txtAzienda = new QLineEdit(Frame1);
    txtAzienda->setObjectName(QStringLiteral("txtAzienda"));
    txtAzienda->setToolTip(QStringLiteral("Nome azienda"));
    Command4 = pictureButton(Frame1, "Command4", QStyle::SP_DialogSaveButton, QStringLiteral("Registra modifiche"));
    Command5 = new QPushButton(QStringLiteral("&New"), Frame1);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setToolTip(QStringLiteral("Nuova famiglia"));
    Command5->setAutoDefault(false);
    Command11 = pictureButton(Frame1, "Command11", QStyle::SP_TrashIcon, QStringLiteral("Elimina "));

    auto *families = new QGridLayout(Frame1);
    families->addWidget(Label1, 0, 0);
    families->addWidget(cboAzienda, 0, 1, 1, 4);
    families->addWidget(txtAzienda, 1, 1);
    families->addWidget(Command4, 1, 2);
    families->addWidget(Command5, 1, 3);
    families->addWidget(Command11, 1, 4);
    families->setColumnStretch(1, 1);

    // Database
    Frame2 = new QGroupBox(QStringLiteral("DataBase"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Label6 = caption(Frame2, "Label6", QStringLiteral("Stringa di connessione:"));
    txtStrAccess = new QLineEdit(Frame2);
    txtStrAccess->setObjectName(QStringLiteral("txtStrAccess"));
    Label6->setBuddy(txtStrAccess);
    Label2 = caption(Frame2, "Label2", QStringLiteral("Percorso originale:"));
    lblOriginale = pathLabel(Frame2, "lblOriginale");
    Command8 = pictureButton(Frame2, "Command8", QStyle::SP_DialogOpenButton, QStringLiteral("Seleziona percorso origine"));
    Label3 = caption(Frame2, "Label3", QStringLiteral("Percorso destinazione:"));
    lblDest = pathLabel(Frame2, "lblDest");
    Command9 = pictureButton(Frame2, "Command9", QStyle::SP_DirIcon,
                             QStringLiteral("Seleziona percorso di destinazione"));
    Command2 = pictureButton(Frame2, "Command2", QStyle::SP_DialogSaveButton, QStringLiteral("Registra modifiche"));

    auto *database = new QGridLayout(Frame2);
    database->addWidget(Label6, 0, 0);
    database->addWidget(txtStrAccess, 0, 1);
    database->addWidget(Command2, 0, 2);
    database->addWidget(Label2, 1, 0);
    database->addWidget(lblOriginale, 1, 1);
    database->addWidget(Command8, 1, 2);
    database->addWidget(Label3, 2, 0);
    database->addWidget(lblDest, 2, 1);
    database->addWidget(Command9, 2, 2);
    database->setColumnStretch(1, 1);

    // Commands
    Command7 = new QPushButton(QStringLiteral("Esegui backup"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setToolTip(QStringLiteral("Esegui il backup della famiglia selezionata"));
    Command7->setAutoDefault(false);
    Command1 = new QPushButton(QStringLiteral("Chiudi"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command7);
    buttons->addWidget(Command1);

    auto *form = new QVBoxLayout(this);
    form->setMenuBar(m_menu);
    form->addWidget(Frame1);
    form->addWidget(Frame2);
    form->addLayout(buttons);

    // 8640 twips wide; as tall as the frames need.
    setFixedSize(576, qMax(248, sizeHint().height()));

    connect(cboAzienda, &QComboBox::activated, this, [this] { cboAzienda_Click(); });
    connect(Command4, &QAbstractButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QAbstractButton::clicked, this, [this] { Command5_Click(); });
    connect(mnuNewAzienda, &QAction::triggered, this, [this] { Command5_Click(); });
    connect(Command11, &QAbstractButton::clicked, this, [this] { Command11_Click(); });
    connect(Command8, &QAbstractButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QAbstractButton::clicked, this, [this] { Command9_Click(); });
    connect(Command2, &QAbstractButton::clicked, this, [this] { Command2_Click(); });
    connect(Command7, &QAbstractButton::clicked, this, [this] { Command7_Click(); });
    connect(Command1, &QAbstractButton::clicked, this, &QWidget::close);
    connect(mnuEsci, &QAction::triggered, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [this] { showHelp(); });
}

frmBackup::~frmBackup() = default;

bool frmBackup::runLoad()
{
    Form_Load();
    return true;
}

bool frmBackup::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        m_helpFile = Shell::appPath() + QStringLiteral("/Help.html");
        m_helpId = HelpIdBackup;
    }
    return QDialog::event(event);
}

void frmBackup::showHelp()
{
    if (m_helpId != 0)
        HelpViewer::showTopic(m_helpFile, QString::number(m_helpId));
}

void frmBackup::Form_Load()
{
    ConnAziende();
    riempiClo();
}

void frmBackup::ConnAziende()
{
    Guarded(TitleConnect, [this] {
        AdoConnectAziende.setCursorLocation(3);
        AdoConnectAziende.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=tubo;"
                                              "Persist Security Info=False;Data Source=")
                                   + Shell::appPath() + QStringLiteral("/Dati/logo.mdb"),
                               QString(), QString(), -1);
    }, MsgKind::PlainOkCancel);
}

void frmBackup::riempiClo()
{
    cboAzienda->clear();
    const bool filled = Guarded(TitleConnect, [this] {
        Recordset rs;
        rs.open(QStringLiteral("SELECT IdAzienda,NomeAzienda FROM Aziende ;"), &AdoConnectAziende);
        while (!rs.eof()) {
            cboAzienda->addItem(Conv::toText(rs.value(QStringLiteral("NomeAzienda"))),
                                Conv::toInt32(rs.value(QStringLiteral("IdAzienda"))));
            rs.moveNext();
        }
    }, MsgKind::PlainOkCancel);
    if (!filled) {
        cboAzienda->setCurrentIndex(-1);
        return;
    }
    if (cboAzienda->count() > 0) {
        cboAzienda->setCurrentIndex(0);
        cboAzienda_Click();
    }
}

void frmBackup::cboAzienda_Click()
{
    Guarded(TitleGestione, [this] { LoadAzienda(NullToLong(cboAzienda->currentData())); });
}

void frmBackup::LoadAzienda(int id)
{
    m_idAzienda = id;
    Recordset rs;
    rs.open(QStringLiteral("SELECT * FROM Aziende where IdAzienda = ") + QString::number(id), &AdoConnectAziende);
    if (rs.eof())
        return;
    lblOriginale->setText(NullToString(rs.value(QStringLiteral("PercorsoO"))));
    lblDest->setText(NullToString(rs.value(QStringLiteral("PercorsoD"))));
    txtAzienda->setText(NullToString(rs.value(QStringLiteral("NomeAzienda"))));
    txtStrAccess->setText(NullToString(rs.value(QStringLiteral("Indirizzo"))));
    txtStrAccess->setCursorPosition(0);
}

void frmBackup::UpdateAzienda(const QString &value, const QString &column)
{
    AdoConnectAziende.execute(QStringLiteral("UPDATE Aziende SET ") + column + QStringLiteral(" = '")
                              + SqlQuote(value) + QStringLiteral("' Where IdAzienda = ")
                              + QString::number(m_idAzienda));
}

void frmBackup::Command4_Click()
{
    if (Guarded(TitleGestione, [this] { UpdateAzienda(txtAzienda->text().trimmed(), QStringLiteral("NomeAzienda")); }))
        riempiClo();
}

void frmBackup::Command5_Click()
{
    frmNewAzienda form(this);
    Shell::showModal(&form);
}

void frmBackup::Command11_Click()
{
    if (MsgBox(QStringLiteral("Sicuri di eliminare l' azienda selezionata?"), MsgKind::WarningQuestion,
               QStringLiteral("Elimina azienda")) != MsgAnswer::Yes)
        return;
    if (Guarded(TitleGestione, [this] {
            AdoConnectAziende.execute(QStringLiteral("Delete * from Aziende Where IdAzienda = ")
                                      + QString::number(m_idAzienda));
        }))
        riempiClo();
}

void frmBackup::Command2_Click()
{
    // Stored as typed: the recordset takes the values themselves, so nothing is doubled.
    Guarded(TitleGestione, [this] {
        Recordset rs;
        rs.open(QStringLiteral("Select * From Aziende WHERE IdAzienda = ") + QString::number(m_idAzienda),
                &AdoConnectAziende, Recordset::OpenDynamic, Recordset::LockOptimistic);
        rs.setValue(QStringLiteral("Indirizzo"), txtStrAccess->text());
        rs.setValue(QStringLiteral("PercorsoO"), lblOriginale->text());
        rs.setValue(QStringLiteral("PercorsoD"), lblDest->text());
        rs.update();
    });
}

// The pickers open where the box's path lies, and a cancelled picker leaves its box as it was.
void frmBackup::Command8_Click()
{
    const QString file = SelectDbFile();
    if (!file.isEmpty())
        lblOriginale->setText(file);
}

QString frmBackup::SelectDbFile()
{
    QString file;
    Guarded(TitleGestione, [this, &file] {
        file = Shell::getOpenFileName(this, QStringLiteral("Seleziona percorso."), folderOf(lblOriginale->text()),
                                      QStringLiteral("File access (*.mdb)")).trimmed();
    });
    return file;
}

void frmBackup::Command9_Click()
{
    Guarded(TitleGestione, [this] {
        QString fileName;
        if (!lblOriginale->text().isEmpty())
            fileName = lblOriginale->text().trimmed().split(QLatin1Char('/')).last();
        const QString folder = BrowseFolder(this, QStringLiteral("Seleziona il percorso di destinazione del database"),
                                            folderOf(lblDest->text()));
        if (!folder.isEmpty())
            lblDest->setText(folder + QLatin1Char('/') + fileName);
    });
}

void frmBackup::Command7_Click()
{
    MsgBox(QStringLiteral("Accertarsi che il db sia chiuso."), MsgKind::Information, TitleGestione);
    Guarded(TitleGestione, [this] {
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Aziende where IdAzienda = ") + QString::number(m_idAzienda),
                &AdoConnectAziende);
        if (rs.eof())
            return;
        const QString origin = Conv::toText(rs.value(QStringLiteral("PercorsoO")));
        const QString destination = Conv::toText(rs.value(QStringLiteral("PercorsoD")));
        if (origin.isEmpty() || destination.isEmpty()) {
            MsgBox(QStringLiteral("Attenzione registrare il percorso di origine e destinazione prima di procedere"),
                   MsgKind::Warning, TitleGestione);
            return;
        }
        CopyDbFile(origin, destination);
        MsgBox(QStringLiteral("Operazione completata"), MsgKind::Information, TitleGestione);
    });
}
