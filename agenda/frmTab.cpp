#include "frmTab.h"

#include "AppError.h"
#include "Conversions.h"
#include "DataGrid.h"
#include "Guarded.h"
#include "Shell.h"
#include "Twips.h"
#include "clsTab.h"
#include "db/Recordset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using Twips::place;
using Twips::px;
using Twips::twips;

namespace {
constexpr int InnerWidth = 5805;
constexpr int InnerHeight = 4260;
constexpr int StripHeight = 300;
constexpr int ButtonWidth = 1095;
constexpr int NavWidth = 345;
}

frmTab::frmTab(const QString &name, const QString &caption, SourceMaker makeSource, QWidget *parent)
    : LoadingDialog(parent), m_makeSource(std::move(makeSource))
{
    setObjectName(name);
    setWindowTitle(caption);
    offerCloseOnly();
    resize(px(InnerWidth), px(InnerHeight));

    grdDataGrid = place(new DataGrid(this), QStringLiteral("grdDataGrid"), 0, 0, InnerWidth, 3630);

    picButtons = place(new QWidget(this), QStringLiteral("picButtons"), 0, 3660, InnerWidth, StripHeight);
    const auto button = [this](const char *name, const QString &caption, int left) {
        auto *b = place(new QPushButton(caption, picButtons), QLatin1String(name), left, 0, ButtonWidth, StripHeight);
        b->setAutoDefault(false);
        return b;
    };
    cmdAdd = button("cmdAdd", QStringLiteral("Aggi&ungi"), 59);
    cmdUpdate = button("cmdUpdate", QStringLiteral("&Aggiorna"), 59);
    cmdEdit = button("cmdEdit", QStringLiteral("&Modifica"), 1213);
    cmdCancel = button("cmdCancel", QStringLiteral("&Annulla"), 1213);
    cmdDelete = button("cmdDelete", QStringLiteral("&Elimina"), 2367);
    cmdRefresh = button("cmdRefresh", QStringLiteral("&Rivisualizza"), 3521);
    cmdClose = button("cmdClose", QStringLiteral("&Chiudi"), 4675);
    cmdUpdate->hide();
    cmdCancel->hide();

    picStatBox = place(new QWidget(this), QStringLiteral("picStatBox"), 0, 3960, InnerWidth, StripHeight);
    const auto nav = [this](const char *name, const QString &picture, const QString &tip, int left) {
        auto *b = place(new QPushButton(picture, picStatBox), QLatin1String(name), left, 0, NavWidth, StripHeight);
        b->setAutoDefault(false);
        b->setToolTip(tip);
        return b;
    };
    cmdFirst = nav("cmdFirst", QStringLiteral("|\u25C0"), QStringLiteral("Primo"), 0);
    cmdPrevious = nav("cmdPrevious", QStringLiteral("\u25C0"), QStringLiteral("Precedente"), NavWidth);
    lblStatus = place(new QLabel(picStatBox), QStringLiteral("lblStatus"), 2 * NavWidth, 0, InnerWidth - 1500, StripHeight);
    lblStatus->setFrameShape(QFrame::Panel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    cmdNext = nav("cmdNext", QStringLiteral("\u25B6"), QStringLiteral("Successivo"), InnerWidth - 800);
    cmdLast = nav("cmdLast", QStringLiteral("\u25B6|"), QStringLiteral("Ultimo"), InnerWidth - 460);

    connect(cmdAdd, &QPushButton::clicked, this, [this] { trapped([this] { cmdAdd_Click(); }); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { trapped([this] { cmdEdit_Click(); }); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { trapped([this] { cmdUpdate_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->Delete(); }); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->Requery(); }); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdFirst, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->MoveFirst(); }); });
    connect(cmdPrevious, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->MovePrevious(); }); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->MoveNext(); }); });
    connect(cmdLast, &QPushButton::clicked, this, [this] { trapped([this] { PrimaryCLS->MoveLast(); }); });

    // The form sees the keys before its controls.
    qApp->installEventFilter(this);
}

frmTab::~frmTab() = default;

// A data source that cannot open its query leaves nothing to show: the failure is told and the
// form stays closed.
bool frmTab::runLoad()
{
    return Guarded(QString(), [this] {
        grdDataGrid->setDataSource(nullptr);
        PrimaryCLS = m_makeSource();
        connect(PrimaryCLS.get(), &clsTab::MoveComplete, this, &frmTab::PrimaryCLS_MoveComplete);
        grdDataGrid->setDataMember(QStringLiteral("Primary"));
        grdDataGrid->setDataSource(PrimaryCLS.get());
        PrimaryCLS_MoveComplete();   // the source has moved to its first record before we listened
    }, MsgKind::Plain);
}

void frmTab::trapped(const std::function<void()> &action) { Guarded(QString(), action, MsgKind::Plain); }

void frmTab::SetButtons(bool visible)
{
    cmdAdd->setVisible(visible);
    cmdUpdate->setVisible(!visible);
    cmdCancel->setVisible(!visible);
    cmdDelete->setVisible(visible);
    cmdClose->setVisible(visible);
    cmdRefresh->setVisible(visible);
    cmdNext->setEnabled(visible);
    cmdFirst->setEnabled(visible);
    cmdLast->setEnabled(visible);
    cmdPrevious->setEnabled(visible);
}

void frmTab::PrimaryCLS_MoveComplete()
{
    lblStatus->setText(QStringLiteral("Record: ") + QString::number(PrimaryCLS->AbsolutePosition()));
}

void frmTab::cmdAdd_Click()
{
    PrimaryCLS->MoveLast();
    PrimaryCLS->AddNew();
    grdDataGrid->setFocus();
    grdDataGrid->setCurrentIndex(grdDataGrid->model()->index(grdDataGrid->currentIndex().row(), 0));
}

void frmTab::cmdEdit_Click()
{
    lblStatus->setText(QStringLiteral("Modifica il record"));
    mbEditFlag = true;
    SetButtons(false);
}

void frmTab::cmdUpdate_Click()
{
    PrimaryCLS->Update();
    SetButtons(true);
    mbEditFlag = false;
    PrimaryCLS_MoveComplete();
}

void frmTab::cmdCancel_Click()
{
    AppError::ignoring([this] { PrimaryCLS->Cancel(); });
    AppError::ignoring([this] { SetButtons(true); });
    mbEditFlag = false;
    PrimaryCLS_MoveComplete();
}

void frmTab::cmdClose_Click() { close(); }

// Each key acts once: the form moves the record, and the grid, which follows the record, does
// not move again by itself. A key passed on to a control's parent is not seen a second time.
bool frmTab::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *target = QApplication::focusWidget();
    if (event->type() != QEvent::KeyPress || watched != (target ? target : static_cast<QObject *>(this)))
        return QDialog::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this || mbEditFlag || !PrimaryCLS)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        grdDataGrid->commitCell();
        Form_KeyDown(key->key(), key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void frmTab::Form_KeyDown(int key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift == Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Escape: cmdClose->click(); break;
    case Qt::Key_End: cmdLast->click(); break;
    case Qt::Key_Home: cmdFirst->click(); break;
    case Qt::Key_Up:
    case Qt::Key_PageUp: (ctrl ? cmdFirst : cmdPrevious)->click(); break;
    case Qt::Key_Down:
    case Qt::Key_PageDown: (ctrl ? cmdLast : cmdNext)->click(); break;
    default: break;
    }
}

// The design's rule in twips; the strips keep their height at the bottom.
void frmTab::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const float inner = twips(height());
    const float stripTop = inner - 2 * StripHeight;
    grdDataGrid->setGeometry(0, 0, width(), qMax(0, px(inner - 30 - 2 * StripHeight)));
    picButtons->setGeometry(0, px(stripTop), width(), px(StripHeight));
    picStatBox->setGeometry(0, px(stripTop + StripHeight), width(), px(StripHeight));
    const float labelWidth = qMax(0.f, twips(frameGeometry().width()) - 1500);
    lblStatus->resize(px(labelWidth), lblStatus->height());
    cmdNext->move(px(labelWidth + 700), 0);
    cmdLast->move(px(labelWidth + 700 + 340), 0);
}

// Closing writes the row being typed or changed, as moving off it does; a row the table refuses
// keeps the form open with the row, the source having said why. A row added but left blank holds
// nothing to keep and is dropped rather than stored empty.
bool frmTab::writePendingRow()
{
    if (!PrimaryCLS)
        return true;
    grdDataGrid->commitCell();
    const Recordset &rs = PrimaryCLS->adoPrimaryRS();
    if (rs.editMode() == Recordset::EditAdd) {
        bool blank = true;
        for (int i = 0; i < rs.fieldCount(); ++i)
            blank = blank && Conv::isNull(rs.value(i));
        if (blank)
            PrimaryCLS->Cancel();
    }
    if (PrimaryCLS->EditingRecord())
        PrimaryCLS->Update();
    return !PrimaryCLS->EditingRecord();
}

// Unload: the close box closes in any state once the pending row is written.
void frmTab::closeEvent(QCloseEvent *event)
{
    if (!writePendingRow()) {
        event->ignore();
        return;
    }
    Shell::setMousePointer(0);
    QDialog::reject();
    event->accept();
}

// Esc reaches the dialog itself only while editing, where it does nothing: Cancel is the way out.
void frmTab::reject()
{
    if (!mbEditFlag)
        LoadingDialog::reject();
}

frmTurni::frmTurni(QWidget *parent)
    : frmTab(QStringLiteral("frmTurni"), QStringLiteral("Turni"), [] { return std::make_unique<clsTab_Turni>(); },
             parent)
{
}

frmPostazioni::frmPostazioni(QWidget *parent)
    : frmTab(QStringLiteral("frmPostazioni"), QStringLiteral("Postazioni di lavoro"),
             [] { return std::make_unique<clsTab_Postazione>(); }, parent)
{
}
