#include "frmProp.h"

#include "DataBase.h"
#include "DatePicker.h"
#include "MemoBox.h"
#include "db/Recordset.h"

#include <QCheckBox>
#include <QComboBox>
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

enum Kind {
    Box,        // a text box
    Summary,    // a text box of the summary tab: button face, out of the Tab order
    Tall,       // a text box two rows high
    Address,    // three rows of text with a vertical scroll bar
    Notes,      // text with a vertical scroll bar, the width and height of the tab, its label above
    Check,      // a check box captioned by its label
    Gender,     // the editable sex combo
    Date        // a date picker with a tick box
};

// A bound control: its tab, its place in the tab's grid (pair 0 the left column, 1 the right one),
// its label, name and column. The table's order is the Tab key's.
struct Field
{
    int tab;
    int row;
    int pair;
    const char *label;
    const char *name;
    const char *column;
    Kind kind = Box;
    int rowSpan = 1;
    int columnSpan = 1;
};

const Field Fields[] = {
    {0, 0, 0, "Nome:", "txtSname", "Nome", Summary},
    {0, 1, 0, "Indirizzo E-Mail:", "txtSemail", "email", Summary},
    {0, 2, 0, "Phone casa:", "txtHph", "tel", Summary},
    {0, 3, 0, "Cellulare:", "txtSmob", "cell", Summary},
    {0, 4, 0, "Telefono Company:", "txtCph", "TelLavoro", Summary},
    {0, 0, 1, "Fax Company:", "txtScfax", "FaxLavoro", Summary},
    {0, 1, 1, "N. Interno:", "txtSeno", "NInterno", Summary},
    {0, 2, 1, "Incarico lavorativo:", "txtSjtitle", "Impiego", Summary},
    {0, 3, 1, "Department:", "txtSdept", "Departimento", Summary},
    {0, 4, 1, "Nome Company:", "txtScname", "CompagniaLavoro", Summary},

    {1, 0, 0, "Nome:", "txtFirst", "nome"},
    {1, 0, 1, "Cognome:", "txtLast", "cognome"},
    {1, 1, 0, "E-Mail:", "Text1", "email", Box, 1, 3},
    {1, 2, 0, "E-Mail 1:", "Text3", "email2", Box, 1, 3},
    {1, 3, 0, "E-Mail 2:", "Text2", "email3", Box, 1, 3},
    {1, 4, 0, "Web:", "Text4", "web", Box, 1, 3},
    {1, 5, 0, "Condividi con altri utenti", "ckeCondividi", "Condividi", Check, 1, 3},

    {2, 0, 0, "Indirizzo:", "txtAdd", "Indirizzo", Address, 2},
    {2, 2, 0, "Città:", "txtCity", "Localita"},
    {2, 3, 0, "Stato:", "txtState", "Stato"},
    {2, 4, 0, "Provincia:", "Text6", "Provincia"},
    {2, 5, 0, "Cap:", "txtZip", "Cap"},
    {2, 0, 1, "Telefono 1:", "txtPh1", "Tel"},
    {2, 1, 1, "Telefono 2:", "txtPh2", "Tel2"},
    {2, 2, 1, "Cellulare 1:", "txtMob", "Cell"},
    {2, 3, 1, "Cellulare 2:", "Text5", "Cell2"},
    {2, 4, 1, "Fax:", "txtFax", "fax"},

    {3, 0, 0, "Company:", "txtComp", "CompagniaLavoro"},
    {3, 1, 0, "Indirizzo:", "txtCadd", "IndirizzoLavoro", Address, 2},
    {3, 3, 0, "Città:", "txtCcity", "CittaLavoro"},
    {3, 4, 0, "Stato:", "txtCstate", "StatoLavoro"},
    {3, 5, 0, "Cap:", "txtCzip", "CapLavoro"},
    {3, 0, 1, "Impiego:", "txtJtitle", "Impiego"},
    {3, 1, 1, "Department:", "txtDept", "Departimento"},
    {3, 2, 1, "Telefono 1:", "txtCph1", "TelLavoro"},
    {3, 3, 1, "Telefono 2:", "txtCph2", "TelLavoro2"},
    {3, 4, 1, "Cellulare:", "txtCmob", "CellLavoro"},
    {3, 5, 1, "Fax:", "txtCfax", "FaxLavoro"},
    {3, 6, 1, "N. Interno:", "txtEno", "NInterno"},

    {4, 0, 0, "Partner:", "txtSpouse", "Partner", Box, 1, 3},
    {4, 1, 0, "Figli:", "txtChild", "Figli", Tall, 1, 3},
    {4, 2, 0, "Sesso:", "txtGender", "Sesso", Gender},
    {4, 3, 0, "Data nascita:", "Dtp1", "Nascita", Date},
    {4, 4, 0, "Data anniversario:", "Dtp2", "Anniversario", Date},
    {4, 5, 0, "Data onomastico:", "Dtp3", "Onomastico", Date},

    {5, 0, 0, "Notes:", "txtnote", "altro", Notes},
};

struct Tab
{
    const char *caption;
    const char *heading;
    QStyle::StandardPixmap icon;
};

const Tab Tabs[] = {
    {"Sommario", "Sommario Informazioni.", QStyle::SP_FileDialogInfoView},
    {"Nominativo", "Inserisci il nome e le informazioni informatiche", QStyle::SP_DirHomeIcon},
    {"Home", "Inserisci informazioni personali", QStyle::SP_DirHomeIcon},
    {"Company", "Inserisci informazione/relazioni con la company di lavoro.", QStyle::SP_ComputerIcon},
    {"Personale", "Inserisci le persone di riferimento", QStyle::SP_DialogHelpButton},
    {"Altro", "Informazioni addizionali.", QStyle::SP_FileIcon},
};

QWidget *makeControl(const Field &f, QWidget *page)
{
    switch (f.kind) {
    case Address:
    case Notes: {
        auto *memo = new MemoBox(page);
        memo->setTabChangesFocus(true);
        if (f.kind == Address)
            memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 2 * memo->frameWidth() + 8);
        return memo;
    }
    case Check:
        return new QCheckBox(QString::fromUtf8(f.label), page);
    case Gender: {
        auto *combo = new QComboBox(page);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("M"), QStringLiteral("F")});
        return combo;
    }
    case Date:
        return new DatePicker(page);
    default:
        break;
    }
    auto *box = new QLineEdit(page);
    if (f.kind == Tall) {
        box->setFixedHeight(box->sizeHint().height() * 2);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    } else if (f.kind == Summary) {
        QPalette face = box->palette();
        face.setColor(QPalette::Base, face.color(QPalette::Button));
        box->setPalette(face);
        box->setFocusPolicy(Qt::ClickFocus);
    }
    return box;
}

// A tab's heading: its icon and title over a thin line.
QWidget *heading(const Tab &tab, QWidget *page)
{
    auto *top = new QWidget(page);
    auto *column = new QVBoxLayout(top);
    column->setContentsMargins(0, 0, 0, 4);
    auto *row = new QHBoxLayout;
    auto *picture = new QLabel(top);
    picture->setFixedSize(32, 32);
    picture->setScaledContents(true);
    picture->setPixmap(page->style()->standardIcon(tab.icon).pixmap(32, 32));
    auto *title = new QLabel(QString::fromUtf8(tab.heading), top);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    row->addWidget(picture);
    row->addWidget(title, 1);
    column->addLayout(row);
    auto *line = new QFrame(top);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addWidget(line);
    return top;
}

} // namespace

frmProp::frmProp(QWidget *parent)
    : EditForm(SingleRecord, {QStringLiteral("Contatti"), QStringLiteral("IdContatto"),
                              QStringLiteral("Edit Contatti"), 7001},
               parent)
{
    setWindowTitle(QStringLiteral("Anagrafica contatti (Rubrica)"));
    openCentredOnScreen();
    offerCloseOnly();

    Sst1 = fieldTabs("Sst1");
    QVector<QWidget *> order;
    int tab = -1;
    for (const Field &f : Fields) {
        if (f.tab != tab) {
            tab = f.tab;
            addTab(QString::fromUtf8(Tabs[tab].caption));
            fieldsLayout()->addWidget(heading(Tabs[tab], fieldsParent()), 0, 0, 1, 4);
            fieldsLayout()->setColumnStretch(1, 1);
            fieldsLayout()->setColumnStretch(3, 1);
        }
        QWidget *control = makeControl(f, fieldsParent());
        control->setObjectName(QLatin1String(f.name));
        bind(control, QLatin1String(f.column));
        order.append(control);
        if (m_firstBoxes.size() == f.tab)
            m_firstBoxes.append(control);

        // Row 0 holds the heading.
        if (f.kind == Check) {
            fieldsLayout()->addWidget(control, f.row + 1, f.pair * 2 + 1, f.rowSpan, f.columnSpan);
        } else if (f.kind == Notes) {
            // The notes fill the tab below their label.
            auto *label = new QLabel(QString::fromUtf8(f.label), fieldsParent());
            label->setBuddy(control);
            fieldsLayout()->setAlignment(Qt::Alignment());
            fieldsLayout()->addWidget(label, f.row + 1, 0);
            fieldsLayout()->addWidget(control, f.row + 2, 0, 1, 4);
            fieldsLayout()->setRowStretch(f.row + 2, 1);
        } else {
            addField(f.row + 1, f.pair, QString::fromUtf8(f.label), control, f.rowSpan, f.columnSpan);
        }
    }
    txtFirst = findChild<QLineEdit *>(QStringLiteral("txtFirst"));
    txtLast = findChild<QLineEdit *>(QStringLiteral("txtLast"));

    connect(Sst1, &QTabWidget::currentChanged, this, &frmProp::tabChanged);
    placeButtons({Command1, Command6, cmdOk, cmdCancel});
    for (QPushButton *button : {Command1, Command6, cmdOk, cmdCancel})
        order.append(button);
    setFocusOrder(order);
    resize(600, 430);
}

// Errors here are nobody's: a box that cannot take the focus does not get it.
void frmProp::tabChanged(int index)
{
    if (index >= 0 && index < m_firstBoxes.size())
        m_firstBoxes[index]->setFocus();
}

QString frmProp::requiredFieldMessage() const
{
    if (txtFirst->text().trimmed().isEmpty() || txtLast->text().trimmed().isEmpty())
        return QStringLiteral("Campo nome/cognome vuoto impossibile effettuare la registrazione.");
    return {};
}

// Tab 1 is shown first. (A picker whose column is empty shows today, greyed: the binding's rule.)
void frmProp::prepareLoad()
{
    Sst1->setCurrentIndex(1);
}

void frmProp::newStarted()
{
    setRecordId(0);
}

// The owner is the user who first saves the contact; later saves keep it.
void frmProp::beforeWrite()
{
    if (rs().editMode() == Recordset::EditAdd)
        rs().setValue(QStringLiteral("IdUtente"), DataBase::UserId);
}
