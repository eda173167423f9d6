#include "frmAppunta.h"

#include "Clock.h"
#include "Conversions.h"
#include "DataBase.h"
#include "EscKey.h"
#include "Funzioni.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "ListGrid.h"
#include "PWSettings.h"
#include "SettMouse.h"
#include "Shell.h"
#include "Twips.h"
#include "db/Recordset.h"
#include "frmAddAppunta.h"
#include "report/GridRecords.h"
#include "rptAppunta.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QtMath>
#include <algorithm>

using Twips::place;
using Twips::px;
using Twips::twips;

namespace {

constexpr int kHelpId = 5001;
const QString kWeekHeading = QStringLiteral("Settimana selezionata: ");
constexpr int kListWidth = 3255;        // twips, every day list
constexpr int kClientColumn = 1600;     // twips, the first column
constexpr int kClientColumnScrolled = 1350;
constexpr int kItemsWithoutScroll = 13;
// The left column, in twips: the lines' right end and the height of the upper one.
constexpr int kColumnRight = 2700;
constexpr int kUpperLine = 2750;
constexpr int kHeadingAbove = 270;      // twips from a day heading's top to its list's
constexpr int kMargin = 90;             // twips kept free between controls and at the window's edges
// The resize rule, in twips, for the form's width W and height H and the list offset setting L:
// list k of a row (0 to 2) stands at k list widths + W / kLeftDivisor[k] + L - kLeftBack[k], the
// upper row at H / kTopDivisor[0] + kTopDown[0], the lower at H / kTopDivisor[1] + kTopDown[1].
constexpr double kLeftDivisor[3] = {15, 8.5, 6};
constexpr int kLeftBack[3] = {500, 1000, 1500};
constexpr double kTopDivisor[2] = {10, 2};
constexpr int kTopDown[2] = {200, 800};
constexpr int kWeekButtonsTop = 200;

// The day headings' words, Monday to Saturday.
const char *const kDayWords[] = {"Lunedi ", "Martedi ", "Mercoledi ", "Giovedi ", "Venerdi ", "Sabato "};

// The weekday name of a day list (1 Monday .. 6 Saturday).
QString weekdayName(int list) { return QLocale().dayName(list, QLocale::LongFormat); }

} // namespace

frmAppunta::frmAppunta(QWidget *parent) : LoadingDialog(parent)
{
    setObjectName(QStringLiteral("frmAppunta"));
    setWindowTitle(QStringLiteral("Appuntamenti"));
    openCentredOnScreen();
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                   | Qt::WindowCloseButtonHint);
    resize(px(13050), px(8385));
    EscKey::closeOnRelease(this);

    // The labels' design face is a narrow sans serif; Liberation Sans keeps its widths.
    QFont labelFont(QStringLiteral("Liberation Sans"));
    labelFont.setPointSizeF(9.75);
    QFont headingFont = labelFont;
    headingFont.setBold(true);

    for (int k = 0; k < 6; ++k) {
        ListGrid *list = new ListGrid(this);
        list->setObjectName(QStringLiteral("ListView1_%1").arg(k + 1));
        list->addColumn(QStringLiteral("Contatto"), QStringLiteral("Contatto"), px(kClientColumn));
        list->addColumn(QStringLiteral("Postazione"), QStringLiteral("Postazione"), px(800));
        list->addColumn(QStringLiteral("Ora"), QStringLiteral("Ora"), px(800));
        list->resize(px(kListWidth), px(k < 3 ? 3135 : 3015));
        connect(list, &ListGrid::dblClick, this, [this, k] { OpenSelectedAppointment(k + 1); });
        ListView1[k] = list;

        Label1[k] = new QLabel(QString::fromLatin1(kDayWords[k]).trimmed(), this);
        Label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        Label1[k]->setFont(headingFont);

        lblNApp[k] = new QLabel(this);
        lblNApp[k]->setObjectName(QStringLiteral("lblNApp_%1").arg(k + 1));
        lblNApp[k]->setFont(labelFont);
        place(lblNApp[k], 240, 3120 + 360 * k, 2175, 255);
    }

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setFont(labelFont);
    lblAppuntamenti = new QLabel(this);
    lblAppuntamenti->setObjectName(QStringLiteral("lblAppuntamenti"));
    lblAppuntamenti->setFont(labelFont);
    lblAppuntamenti->move(px(240), px(5640));

    for (int i = 0; i < 2; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        place(line, 240, i == 0 ? kUpperLine : 5520, kColumnRight - 240, 30);
    }

    auto button = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon,
                         const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        if (caption.isEmpty()) {
            b->setIcon(style()->standardIcon(icon));
            b->setAccessibleName(tip);
        }
        b->setToolTip(tip);
        return b;
    };
    Command6 = button("Command6", QString(), QStyle::SP_DialogCloseButton, QStringLiteral("Esci"));
    Command2 = button("Command2", QString(), QStyle::SP_FileDialogContentsView, QStringLiteral("Anteprima di stampa"));
    Command1 = button("Command1", QStringLiteral("&Nuovo"), QStyle::SP_CustomBase, QString());
    cmdPre = button("cmdPre", QString(), QStyle::SP_ArrowBack, QStringLiteral("Indietro (-)"));
    cmdNext = button("cmdNext", QString(), QStyle::SP_ArrowForward, QStringLiteral("Avanti (+)"));
    place(Command6, 240, 6240, 2055, 375);
    place(Command2, 240, 6720, 2055, 375);
    Command1->resize(px(2055), px(375));
    cmdPre->resize(px(1200), px(300));
    cmdNext->resize(px(1200), px(300));

    connect(Command6, &QPushButton::clicked, this, &QWidget::close);
    connect(Command1, &QPushButton::clicked, this, [this] { openEditor(0); });
    connect(Command2, &QPushButton::clicked, this, [this] { Guarded(windowTitle(), [this] { PrintWeek(); }); });
    connect(cmdPre, &QPushButton::clicked, this, [this] { MoveWeek(-7); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { MoveWeek(7); });

    // The keypad's + and - anywhere in the form.
    qApp->installEventFilter(this);
}

frmAppunta *frmAppunta::openPlanner()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *planner = qobject_cast<frmAppunta *>(w); planner && planner->isVisible())
            return planner;
    }
    return nullptr;
}

// Each showing starts on the week of today.
bool frmAppunta::runLoad()
{
    applyMinimumSize();
    ShowWeek(Clock::today());
    return true;
}

bool frmAppunta::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        HTMLHelp::CurrentHelpId = kHelpId;
        HTMLHelp::setFormHelpId(this, kHelpId);
    }
    return LoadingDialog::event(e);
}

bool frmAppunta::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
        return false;
    auto *key = static_cast<QKeyEvent *>(e);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    if (key->modifiers() & Qt::KeypadModifier && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
        if (e->type() == QEvent::KeyPress)
            MoveWeek(key->key() == Qt::Key_Plus ? 7 : -7);
        return true;
    }
    if (e->type() == QEvent::KeyRelease && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        for (int k = 0; k < 6; ++k) {
            if (watched == ListView1[k])
                OpenSelectedAppointment(k + 1);
        }
    }
    return false;
}

void frmAppunta::ReConnectList()
{
    ShowWeek(ShownDate);
}

// Empties the lists and fills them with the week of d.
void frmAppunta::ShowWeek(const QDate &d)
{
    ClearLists();
    ResetDayCounts();
    LoadWeekAppointments(SetWeek(d));
}

// The Monday-to-Saturday week of d, a Sunday opening the week that starts the next day; returns
// the range of the week query.
QString frmAppunta::SetWeek(const QDate &d)
{
    ShownDate = d;
    const int wd = Conv::weekday(d);
    const QDate monday = d.addDays(2 - wd);
    const QDate saturday = d.addDays(7 - wd);
    ShowWeekCaptions(monday, saturday);
    return Funzioni::SqlDate(monday, false) + QStringLiteral(" AND ") + Funzioni::SqlDate(saturday, true);
}

void frmAppunta::ShowWeekCaptions(const QDate &monday, const QDate &saturday)
{
    lblStatus->setText(kWeekHeading + QStringLiteral("\n\n\n") + Conv::longDate(monday)
                       + QStringLiteral("\n\n") + Conv::longDate(saturday));
    lblStatus->adjustSize();
    for (int k = 0; k < 6; ++k) {
        const QDate day = monday.addDays(k);
        Label1[k]->setText(QString::fromLatin1(kDayWords[k]) + QString::number(day.day()) + QLatin1Char(' ')
                           + QLocale().monthName(day.month(), QLocale::LongFormat));
        Label1[k]->adjustSize();
    }
}

void frmAppunta::ResetDayCounts()
{
    for (int i = 1; i <= 6; ++i)
        lblNApp[i - 1]->setText(weekdayName(i) + QStringLiteral(" (0)"));
}

void frmAppunta::ClearLists()
{
    for (ListGrid *list : ListView1) {
        list->setRows(0);
        list->setColumnWidth(0, px(kClientColumn));
    }
}

void frmAppunta::LoadWeekAppointments(const QString &range)
{
    SettMouse mouse;
    mouse.SetPointer(11);
    int rows = 0;
    const bool loaded = Guarded(windowTitle(), [&] {
        Recordset rs;
        rs.open(QStringLiteral("SELECT * FROM Appunta INNER JOIN Postazioni ON Appunta.IdPostazione = Postazioni.IdPosto")
                    + QStringLiteral(" where DATA BETWEEN ") + range + QStringLiteral(" ORDER BY IdGiorno,Appunta.IdTurno"),
                &DataBase::AdoConnect(), Recordset::OpenStatic, Recordset::LockOptimistic);
        for (; !rs.eof(); rs.moveNext()) {
            AddAppointmentItem(Funzioni::NullToLong(rs.value(QStringLiteral("IdAppunta"))),
                               Funzioni::NullToString(rs.value(QStringLiteral("Cliente"))),
                               Funzioni::NullToLong(rs.value(QStringLiteral("IdGiorno"))),
                               Funzioni::NullToString(rs.value(QStringLiteral("DescrBreve"))),
                               Funzioni::NullToString(rs.value(QStringLiteral("IdTurno"))));
            ++rows;
        }
        rs.close();
    });
    if (!loaded) {
        // A week that cannot be read is shown empty, never half.
        ClearLists();
        ResetDayCounts();
        rows = 0;
    }
    lblAppuntamenti->setText(QStringLiteral("Appuntamenti selezionati ") + QString::number(rows));
    lblAppuntamenti->adjustSize();
}

void frmAppunta::AddAppointmentItem(int id, const QString &client, int day, const QString &workstation,
                                    const QString &shift)
{
    const int k = day - 1;
    if (k < 1 || k > 6)
        return;   // no weekday list holds it
    ListGrid *list = ListView1[k - 1];
    const int n = list->rows() + 1;
    list->setRows(n);
    const QString cells[] = {client, workstation, shift};
    for (int c = 1; c <= 3; ++c) {
        list->setCellText(n, c, cells[c - 1]);
        list->setCellItemData(n, c, id);
    }
    lblNApp[k - 1]->setText(weekdayName(k) + QStringLiteral("  (") + QString::number(n) + QLatin1Char(')'));
    // Room for the vertical scroll bar.
    list->setColumnWidth(0, px(n > kItemsWithoutScroll ? kClientColumnScrolled : kClientColumn));
}

void frmAppunta::MoveWeek(int days)
{
    ShowWeek(ShownDate.addDays(days));
}

void frmAppunta::OpenSelectedAppointment(int list)
{
    ListGrid *grid = ListView1[list - 1];
    const int row = grid->selectedRow();
    if (row < 1)
        return;
    const int id = grid->cellItemData(row, 1);
    if (id >= 1)
        openEditor(id);
}

// The week as the lists show it: each day's heading, its appointments indented, an empty line.
void frmAppunta::PrintWeek()
{
    const std::unique_ptr<Recordset> week = textRecords({{QStringLiteral("Appuntamento"), 255}});
    auto addLine = [&week](const QString &text) {
        week->addNew();
        setFieldText(*week, 0, text);
    };
    for (int k = 0; k < 6; ++k) {
        addLine(Label1[k]->text());
        const ListGrid *list = ListView1[k];
        for (int r = 1; r <= list->rows(); ++r)
            addLine(QStringLiteral("    ") + list->cellText(r, 1) + QStringLiteral(" - ") + list->cellText(r, 2)
                    + QStringLiteral(" - ") + list->cellText(r, 3));
        addLine(QString());
    }
    week->update();

    rptAppunta report;
    // Both dates whole: the status text after its heading.
    report.control(QStringLiteral("lblData")).caption = lblStatus->text().mid(kWeekHeading.size()).trimmed();
    report.dataSource = week.get();
    report.show(this);
}

// The editor reloads this week through ReConnectList when it closes.
void frmAppunta::openEditor(int id)
{
    frmAddAppunta editor(this);
    editor.setRecordId(id);
    Shell::showModal(&editor);
}

void frmAppunta::resizeEvent(QResizeEvent *e)
{
    LoadingDialog::resizeEvent(e);
    applyResizeRule();
}

void frmAppunta::applyResizeRule()
{
    const double W = twips(width());
    const double H = twips(height());
    const double L = DataBase::Sett().LeftListAppuntament();
    const double w = twips(ListView1[0]->width());
    for (int k = 0; k < 6; ++k) {
        const int column = k % 3;
        const int row = k / 3;
        ListGrid *list = ListView1[k];
        list->move(px(column * w + W / kLeftDivisor[column] + L - kLeftBack[column]),
                   px(H / kTopDivisor[row] + kTopDown[row]));
        Label1[k]->move(list->x(), list->y() - px(kHeadingAbove));
    }
    // The week text follows list 1 down, but stops above the line that heads the day counts.
    lblStatus->move(px(240), qMin(ListView1[0]->y(), px(kUpperLine - kMargin) - lblStatus->height()));
    Command1->move(px(240), ListView1[3]->y() + ListView1[3]->height() - Command1->height());
    cmdPre->move(px(W / 2) - cmdPre->width() - px(120), px(kWeekButtonsTop));
    cmdNext->move(px(W / 2), px(kWeekButtonsTop));
}

// The smallest size at which the resize rule still keeps every control apart and inside the
// window; below it the lists would overlap each other, and leave the window with "&Nuovo". List 1
// moves right by only a fifteenth of the width: a setting that lays it over the left column is
// obeyed, as keeping them apart would take a window many screens wide. All in twips, the rule's
// terms solved for the form's width W and height H.
void frmAppunta::applyMinimumSize()
{
    const double L = DataBase::Sett().LeftListAppuntament();
    const double w = twips(ListView1[0]->width());
    const double upper = twips(ListView1[0]->height());
    const double lower = twips(ListView1[3]->height());
    const double heading = kHeadingAbove;
    const double buttonsFoot = twips(Command2->y() + Command2->height());
    const double weekButtonsFoot = kWeekButtonsTop + twips(cmdPre->height());
    // A list clear of the one before it in its row: the gap grows with W by the difference of the
    // two divisors' shares.
    const auto apart = [](int k) {
        return (kLeftBack[k] - kLeftBack[k - 1] + kMargin) / (1 / kLeftDivisor[k] - 1 / kLeftDivisor[k - 1]);
    };
    const double W = std::max({
        apart(1),                                                           // list 2 right of list 1
        apart(2),                                                           // list 3 right of list 2
        (3 * w + L - kLeftBack[2] + kMargin) / (1 - 1 / kLeftDivisor[2]),   // list 3 inside the right edge
    });
    const double rowsShare = 1 / kTopDivisor[1] - 1 / kTopDivisor[0];
    const double H = std::max({
        // the upper headings below the week buttons
        (weekButtonsFoot + kMargin + heading - kTopDown[0]) * kTopDivisor[0],
        // the lower headings below the upper lists
        (upper + kMargin + heading + kTopDown[0] - kTopDown[1]) / rowsShare,
        // "&Nuovo" below the buttons
        (buttonsFoot + kMargin - kTopDown[1] - lower + twips(Command1->height())) * kTopDivisor[1],
        // the lower lists inside the bottom edge
        (kTopDown[1] + lower + kMargin) / (1 - 1 / kTopDivisor[1]),
    });
    setMinimumSize(qCeil(W / Twips::PerPixel), qCeil(H / Twips::PerPixel));
}
