#include "frmSettings.h"

#include "AppError.h"
#include "Conversions.h"
#include "DataBase.h"
#include "EscKey.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "LeaveCheck.h"
#include "MsgBox.h"
#include "PWSettings.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QCheckBox *checkBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A stored flag becomes the check box's value: 0 cleared, 1 ticked, 2 greyed; anything else is refused.
void setCheckValue(QCheckBox *box, short value)
{
    static const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (value < 0 || value > 2)
        throw AppError(380, QStringLiteral("Valore della proprietà non valido"));
    box->setCheckState(states[value]);
    box->setTristate(value == 2);
}

short checkValue(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

} // namespace

frmSettings::frmSettings(QWidget *parent) : LoadingDialog(parent)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Impostazioni"));
    openCentredOnScreen();
    offerCloseOnly();
    EscKey::closeOnRelease(this);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 8);

    // The white band at the top.
    auto *band = new QFrame(this);
    band->setObjectName(QStringLiteral("picTop"));
    band->setAutoFillBackground(true);
    QPalette white = band->palette();
    white.setColor(QPalette::Window, Qt::white);
    band->setPalette(white);
    auto *bandLayout = new QHBoxLayout(band);
    auto *picture = new QLabel(band);
    picture->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    auto *title = new QLabel(QStringLiteral("Impostazioni"), band);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    bandLayout->addWidget(picture);
    bandLayout->addWidget(title, 1);
    form->addWidget(band);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    form->addWidget(line);

    tabSettings = new QTabWidget(this);
    tabSettings->setObjectName(QStringLiteral("tabSettings"));

    auto *azioni = new QWidget;
    auto *days = new QGridLayout(azioni);
    auto dayBox = [azioni](const char *name) {
        auto *box = new QLineEdit(azioni);
        box->setObjectName(QLatin1String(name));
        box->setFixedWidth(60);
        return box;
    };
    txtGiorniScadenza = dayBox("txtGiorniScadenza");
    txtMemoria = dayBox("txtMemoria");
    days->addWidget(new QLabel(QStringLiteral("Mostra le ricorrenze dei contatti che scadono entro i prossimi:"), azioni), 0, 0);
    days->addWidget(txtGiorniScadenza, 0, 1);
    days->addWidget(new QLabel(QStringLiteral("giorni."), azioni), 0, 2);
    days->addWidget(new QLabel(QStringLiteral("Mostra gli impegni dei prossimi:"), azioni), 1, 0);
    days->addWidget(txtMemoria, 1, 1);
    days->addWidget(new QLabel(QStringLiteral("giorni."), azioni), 1, 2);
    days->setColumnStretch(3, 1);
    days->setRowStretch(2, 1);
    tabSettings->addTab(azioni, QStringLiteral("Azioni"));

    auto *avvio = new QWidget;
    auto *avvioLayout = new QVBoxLayout(avvio);
    auto *frame = new QGroupBox(QStringLiteral("Avvio"), avvio);
    frame->setObjectName(QStringLiteral("fraAvvio"));
    auto *checks = new QVBoxLayout(frame);
    CkeScadenze = checkBox("CkeScadenze", QStringLiteral("All' avvio mostra la finestra Scadenze"), frame);
    CkeGiacenze = checkBox("CkeGiacenze",
                           QStringLiteral("All' avvio mostra la finestra Controllo ricorrenze date contatti(rubrica)"), frame);
    CkePro = checkBox("CkePro", QStringLiteral("All' avvio mostra la finestra dei Promemoria"), frame);
    ckeAppuntament = checkBox("ckeAppuntament", QStringLiteral("All' avvio mostra la finestra degli Appuntamenti"), frame);
    CkePass = checkBox("CkePass", QStringLiteral("&Salva Password"), frame);
    CkeAutoConn = checkBox("CkeAutoConn", QStringLiteral("&Connetti automaticamente"), frame);
    auto *separator = new QFrame(frame);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    for (QWidget *w : std::initializer_list<QWidget *>{CkeScadenze, CkeGiacenze, CkePro, ckeAppuntament, separator,
                                                       CkePass, CkeAutoConn})
        checks->addWidget(w);
    avvioLayout->addWidget(frame);
    avvioLayout->addStretch(1);
    tabSettings->addTab(avvio, QStringLiteral("Avvio"));

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addWidget(tabSettings);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdApplica = new QPushButton(QStringLiteral("&Applica"), this);
    cmdApplica->setObjectName(QStringLiteral("cmdApplica"));
    cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    for (QPushButton *b : {cmdApplica, cmdChiudi}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    body->addLayout(buttons);
    form->addLayout(body);

    LeaveCheck::install(txtGiorniScadenza, [this] { return dayBoxCheck(txtGiorniScadenza); });
    LeaveCheck::install(txtMemoria, [this] { return dayBoxCheck(txtMemoria); });
    connect(cmdApplica, &QPushButton::clicked, this, &frmSettings::apply);
    connect(cmdChiudi, &QPushButton::clicked, this, &QWidget::close);

    setFixedSize(sizeHint().expandedTo(QSize(560, 0)));
}

bool frmSettings::runLoad()
{
    load();
    return true;
}

bool frmSettings::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        HTMLHelp::CurrentHelpId = 0;
    return QDialog::event(e);
}

void frmSettings::load()
{
    HTMLHelp::setFormHelpId(this, 0);
    Guarded(QStringLiteral("Focolarium"), [this] {
        PWSettings &sett = DataBase::Sett();
        txtMemoria->setText(QString::number(sett.Promemoria()));
        txtGiorniScadenza->setText(QString::number(sett.GiorniScadenza()));
        setCheckValue(CkeGiacenze, sett.ShowGiacenze());
        setCheckValue(CkePro, sett.ShowPromemoria());
        setCheckValue(CkeScadenze, sett.ShowScadenze());
        setCheckValue(ckeAppuntament, sett.ShowAppuntament());
        CkePass->setChecked(sett.SavePass());
        CkeAutoConn->setChecked(sett.Autocon());
    }, MsgKind::Plain);
}

bool frmSettings::dayBoxCheck(QLineEdit *box)
{
    if (box->text().isEmpty() || Conv::isNumeric(box->text()))
        return true;
    MsgBox(QStringLiteral("Il Campo è Numerico"), MsgKind::Error, QStringLiteral("Errore Campo numerico"));
    return false;
}

void frmSettings::apply()
{
    // A day count that is not a number keeps its stored value; any other failure stops the apply.
    auto dayCount = [](QLineEdit *box, auto store) {
        int days;
        try {
            days = Conv::toInt32(box->text());
        } catch (const AppError &e) {
            if (e.number() != AppError::TypeMismatch)
                throw;
            return;
        }
        store(days);
    };
    Guarded(QStringLiteral("Focolarium"), [&] {
        PWSettings &sett = DataBase::Sett();
        sett.setShowGiacenze(checkValue(CkeGiacenze));
        sett.setShowPromemoria(checkValue(CkePro));
        sett.setShowScadenze(checkValue(CkeScadenze));
        sett.setShowAppuntament(checkValue(ckeAppuntament));
        dayCount(txtGiorniScadenza, [&sett](int days) { sett.setGiorniScadenza(days); });
        dayCount(txtMemoria, [&sett](int days) { sett.setPromemoria(days); });
        sett.setAutocon(CkeAutoConn->isChecked());
        if (CkePass->isChecked()) {
            sett.setSavePass(true);
        } else {
            sett.setPassword(QString());
            sett.setSavePass(false);
        }
        close();
    }, MsgKind::Plain);
}
