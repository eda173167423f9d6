#include "frmMain.h"

#include "EditableCombo.h"
#include "ExplorerBar.h"
#include "HTMLHelp.h"
#include "ListGrid.h"
#include "StatusBar.h"
#include "Twips.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>

namespace {

using Twips::place;
using Twips::px;
using Twips::twips;

QFont tahoma()
{
    // Where Tahoma is missing, a sans face of similar width keeps the design's captions whole.
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setPointSizeF(8.25);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

} // namespace

static void initResources() { Q_INIT_RESOURCE(frmMain); }

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    initResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Focolarium"));
    setFont(tahoma());

    for (int i : {6, 7, 14, 17, 18, 20, 22, 23, 24, 26})
        ilsIcons.setIcon(i, QIcon(QStringLiteral(":/frmMain/icons/ils%1.png").arg(i, 2, 10, QLatin1Char('0'))));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    vbalExplorerBarCtl1 = new ExplorerBar(client);
    vbalExplorerBarCtl1->setObjectName(QStringLiteral("vbalExplorerBarCtl1"));
    vbalExplorerBarCtl1->setGeometry(0, 0, px(3180), px(6405 - 285));

    grdThis = new ListGrid(client);
    grdThis->setObjectName(QStringLiteral("grdThis"));

    picStatus = new QWidget(client);
    picStatus->setObjectName(QStringLiteral("picStatus"));
    picStatus->setAutoFillBackground(true);
    QPalette tip = picStatus->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    picStatus->setPalette(tip);
    picStatus->resize(picStatus->width(), px(300));
    lblStatus = place(new QLabel(picStatus), QStringLiteral("lblStatus"), 0, 40, 7000, 255);
    lblStatus->setAlignment(Qt::AlignCenter);

    buildMenus();
    buildStatusBar();
    connectCommands();

    // Load
    HTMLHelp::CurrentHelpId = 1001;
    SetupPopMenu();
    vbalExplorerBarCtl1->setRedraw(false);
    vbalExplorerBarCtl1->setImageList(&ilsIcons);
    buildExplorerBar();
    connectSearchPanel();
    // The search panel's labels sit on the bar's group colour.
    const QColor back = vbalExplorerBarCtl1->backColor(true);
    for (QWidget *w : {static_cast<QWidget *>(OptSegno_1), static_cast<QWidget *>(OptSegno_2),
                       static_cast<QWidget *>(Label1)}) {
        // A button fills its background with the button colour, a label with the window colour.
        QPalette p = w->palette();
        p.setColor(w->backgroundRole(), back);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    vbalExplorerBarCtl1->setRedraw(true);
    fitYearRow();

    // Large enough for the explorer bar and a useful list, within the screen's free area.
    const QSize opening(1000, 700);
    resize(screen() ? opening.boundedTo(screen()->availableSize()) : opening);
}

frmMain::~frmMain() = default;

QAction *frmMain::addMenuEntry(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &shortcut)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    menu->addAction(a);
    return a;
}

void frmMain::buildMenus()
{
    auto menu = [this](const QString &name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        return m;
    };
    QMenu *m = menu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    addMenuEntry(m, QStringLiteral("mnuNuoCon"), QStringLiteral("Nuovo contatto"));
    addMenuEntry(m, QStringLiteral("mnuNewMov"), QStringLiteral("Nuovo movimento"));
    addMenuEntry(m, QStringLiteral("mnuNewApp"), QStringLiteral("Nuovo appuntamento"));
    addMenuEntry(m, QStringLiteral("mnuNewPro"), QStringLiteral("Nuovo promemoria"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuEsci"), QStringLiteral("Esci"), Qt::Key_F3);

    m = menu(QStringLiteral("mnuVisualizza"), QStringLiteral("Visualizza"));
    addMenuEntry(m, QStringLiteral("mnuVisContatti"), QStringLiteral("Contatti"), Qt::Key_F2);
    addMenuEntry(m, QStringLiteral("mnuvisAvv"), QStringLiteral("Avvenimenti"), Qt::Key_F4);
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuVisMov"), QStringLiteral("Movimenti"), Qt::Key_F8);
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuVisApp"), QStringLiteral("Appuntamenti"), Qt::Key_F9);
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuVisPro"), QStringLiteral("Promemoria"), Qt::Key_F12);
    QAction *hideDone = addMenuEntry(m, QStringLiteral("mnuProEseguiti"), QStringLiteral("Non mostrare promemoria eseguiti"));
    hideDone->setCheckable(true);
    hideDone->setChecked(true);

    m = menu(QStringLiteral("mnuStampe"), QStringLiteral("Stampe"));
    addMenuEntry(m, QStringLiteral("mnuPrtCon"), QStringLiteral("Lista contatti selezionati"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuPrtMov"), QStringLiteral("Lista movimenti selezionati"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuPrtPro"), QStringLiteral("Lista promemoria selezionati"));

    m = menu(QStringLiteral("mnuImpost"), QStringLiteral("Impostazioni"));
    addMenuEntry(m, QStringLiteral("mnuInfoVer"), QStringLiteral("Info versione"));
    addMenuEntry(m, QStringLiteral("mnuGestioneDb"), QStringLiteral("Gestione database"));
    addMenuEntry(m, QStringLiteral("mnuSettaggi"), QStringLiteral("Opzioni di avvio e di accesso"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuUtenti"), QStringLiteral("Gestione Utenti"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuTipiMov"), QStringLiteral("Tipi di movimenti"));
    addMenuEntry(m, QStringLiteral("mnuCC"), QStringLiteral("Conti correnti"));
    addMenuEntry(m, QStringLiteral("mnuTipiPag"), QStringLiteral("Tipi di pagamenti"));
    m->addSeparator();
    addMenuEntry(m, QStringLiteral("mnuPostazioni"), QStringLiteral("Postazioni di lavoro(appuntamenti)"));
    addMenuEntry(m, QStringLiteral("mnuTurni"), QStringLiteral("Turni di lavoro(appuntamenti)"));

    m = menu(QStringLiteral("mnuInfo"), QStringLiteral("&?"));
    addMenuEntry(m, QStringLiteral("mnuHelp"), QStringLiteral("Help"), Qt::Key_F1);

    // The grid's popup menus: owned by the window, shown only by a right click on their own list.
    auto popup = [this](const QString &name, const QString &caption) {
        auto *p = new QMenu(caption, this);
        p->setObjectName(name);
        return p;
    };
    mnuRubrica = popup(QStringLiteral("mnuRubrica"), QStringLiteral("Rubrica"));
    addMenuEntry(mnuRubrica, QStringLiteral("mnuSelContact"), QStringLiteral("Seleziona contatto"));
    addMenuEntry(mnuRubrica, QStringLiteral("mnuNewContact"), QStringLiteral("Nuovo contatto"));
    mnuMoviment = popup(QStringLiteral("mnuMoviment"), QStringLiteral("Movimenti"));
    addMenuEntry(mnuMoviment, QStringLiteral("mnuSelMoviment"), QStringLiteral("Seleziona movimento"));
    addMenuEntry(mnuMoviment, QStringLiteral("mnuAddMov"), QStringLiteral("Nuovo movimento"));
    mnuPromemor = popup(QStringLiteral("mnuPromemor"), QStringLiteral("Promemoria"));
    addMenuEntry(mnuPromemor, QStringLiteral("mnuSelPromemor"), QStringLiteral("Seleziona promemoria"));
    addMenuEntry(mnuPromemor, QStringLiteral("mnuNewPromemor"), QStringLiteral("Nuovo promemoria"));
    addMenuEntry(mnuPromemor, QStringLiteral("mnuPromEseguito"), QStringLiteral("Promemoria eseguito"))
        ->setCheckable(true);
}

void frmMain::SetupPopMenu()
{
    const std::pair<const char *, int> icons[] = {
        {"mnuVisContatti", 18}, {"mnuvisAvv", 20},     {"mnuVisMov", 17},      {"mnuVisApp", 7},
        {"mnuVisPro", 14},      {"mnuNuoCon", 26},     {"mnuNewContact", 26},  {"mnuAddMov", 26},
        {"mnuNewPromemor", 26}, {"mnuSelContact", 18}, {"mnuSelMoviment", 17}, {"mnuSelPromemor", 14},
        {"mnuPrtCon", 6},       {"mnuCC", 23},         {"mnuTipiMov", 22},     {"mnuTipiPag", 24}};
    for (const auto &[name, icon] : icons)
        SetMenuIcon(icon, QString::fromLatin1(name));
}

void frmMain::SetMenuIcon(int icon, const QString &menuName)
{
    if (QAction *a = findChild<QAction *>(menuName))
        a->setIcon(ilsIcons.icon(icon));
}

void frmMain::buildExplorerBar()
{
    struct Item
    {
        const char *key;
        const char *caption;
        int icon;
        const char *toolTip;
    };
    auto group = [this](const QString &key, const QString &title, const QString &toolTip, bool picture,
                        std::initializer_list<Item> items) {
        ExplorerBarGroup *g = vbalExplorerBarCtl1->addGroup(key, title);
        g->setCollapsible(true);
        g->setToolTipText(toolTip);
        for (const Item &i : items)
            g->addItem(QString::fromUtf8(i.key), QString::fromUtf8(i.caption), i.icon)
                ->setToolTipText(QString::fromUtf8(i.toolTip));
        if (picture)
            g->setPicture(QPixmap(QStringLiteral(":/frmMain/icons/picRes.png")));
        return g;
    };

    group(QStringLiteral("CONTATTI"), QStringLiteral("Contatti (Rubrica)"),
          QStringLiteral("Questo tasks consente di effettuare le modifiche ai dati."), true,
          {{"NEWCONTATTO", "Nuovo contatto", 26, "Inserisci un nuovo contatto in rubrica."},
           {"SELCONTATTO", "Lista contatti", 18,
            "Visualizza la lista dei contatti.(doppio click sulla riga per modifica)"},
           {"DATECONTATTI", "Lista avvenimenti", 20,
            "Visualizza gli avvenimenti (compleanno,anniversario,onomastico) dei contatti presenti."},
           {"PRTCONTATTI", "Stampa lista selezionata", 6, "Stampa la lista dei contatti."}});

    group(QStringLiteral("SPECIALE"), QStringLiteral("Movimenti finanziari"),
          QStringLiteral("These tasks apply to picture files and folders you select."), true,
          {{"NEWMOV", "Nuovo &movimento", 26, "Aggiungi un nuovo movimento finanziario."},
           {"MOVIMENTI", "Lista movimenti", 17, "Visualizza i movimenti finanziari."},
           {"TIPOMOVIMENTI", "Tipi di movimenti", 22, "Visualizza i tipi di movimenti finanziari."},
           {"CONTI", "Conti correnti", 23, "Gestisci più conti correnti."},
           {"TIPOPAG", "Tipi di pagamenti", 24, "Gestisci i tipi di pagamenti."},
           {"PRINTMOV", "Stampa lista selezionata", 6, "Stampa la lista dei movimenti selezionati."}});

    // The search group hosts the filter controls; the spacer pulls the panel up to the combos.
    ExplorerBarGroup *search = vbalExplorerBarCtl1->addGroup(QStringLiteral("SEARCHBAR"),
                                                             QStringLiteral("Ricerca movimenti"));
    search->setCollapsible(true);
    search->setToolTipText(QStringLiteral("Ricerca avanzata dei movimenti."));
    auto combo = [](const QString &name) {
        auto *c = new QComboBox;
        c->setObjectName(name);
        c->setEditable(false);
        // As wide as the group leaves room for, up to the design width.
        c->setFixedHeight(px(315));
        c->setMaximumWidth(px(3015));
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(4);
        return c;
    };
    cboUtenti = combo(QStringLiteral("cboUtenti"));
    cboTipoPag = combo(QStringLiteral("cboTipoPag"));
    cboConti = combo(QStringLiteral("cboConti"));
    cboMov = combo(QStringLiteral("cboMov"));
    const std::pair<const char *, QWidget *> hosted[] = {
        {"SEARCHUTENTI", cboUtenti}, {"SEARCHPAG", cboTipoPag}, {"SEARCHCONTO", cboConti}, {"SEARCHMOV", cboMov}};
    for (const auto &[key, control] : hosted)
        search->addItem(QString::fromLatin1(key), {}, -1, ExplorerBarItem::ControlHost)->setControl(control);
    search->addItem(QStringLiteral("TTTTTT3"))->setSpacingAfter(-5);
    search->addItem(QStringLiteral("SEARCHCMD"), {}, -1, ExplorerBarItem::ControlHost)->setControl(buildSearchPanel());

    group(QStringLiteral("VARIE"), QStringLiteral("Varie"), QStringLiteral("Utilità varie."), true,
          {{"APPUNTA", "Gestione appuntamenti", 7, "Visualizza gli appuntamenti."},
           {"PROMEMORIA", "Lista promemoria", 14, "Visualizza i promemoria."},
           {"NEWPROMEMORIA", "Nuovo promemoria", 26, "Nuovo promemoria."},
           {"PRTPROMEMORIA", "Stampa promemoria", 6, "Stampa lista promemoria."}});
}

QWidget *frmMain::buildSearchPanel()
{
    picSearch = new QWidget;
    picSearch->setObjectName(QStringLiteral("picSearch"));
    // The controls end at 2430 twips, the label at 2775: the panel may lose its empty right edge.
    picSearch->setMinimumSize(px(2430), px(1395));
    picSearch->setMaximumSize(px(2895), px(1395));
    Label1 = place(new QLabel(QStringLiteral("Ricerca data movimento: Dal/Al"), picSearch), QStringLiteral("Label1"),
                   0, 0, 2775, 255);
    txtDal = place(new QLineEdit(picSearch), QStringLiteral("txtDal"), 0, 240, 1215, 285);
    txtAl = place(new QLineEdit(picSearch), QStringLiteral("txtAl"), 1210, 240, 1215, 285);
    OptSegno_1 = place(new QRadioButton(QStringLiteral("Entrate"), picSearch), QStringLiteral("OptSegno_1"),
                       0, 660, 820, 195);
    OptSegno_2 = place(new QRadioButton(QStringLiteral("Uscite"), picSearch), QStringLiteral("OptSegno_2"),
                       840, 660, 795, 195);
    cboAnno = new EditableCombo(picSearch);
    cboAnno->setObjectName(QStringLiteral("cboAnno"));
    cboAnno->setGeometry(px(1590), px(600), px(840), cboAnno->sizeHint().height());
    cmdReset = place(new QPushButton(QStringLiteral("Reset"), picSearch), QStringLiteral("cmdReset"),
                     0, 960, 1215, 375);
    cmdSearch = place(new QPushButton(QStringLiteral("Search"), picSearch), QStringLiteral("cmdSearch"),
                      1330, 960, 1095, 375);
    return picSearch;
}

// Each option as wide as its caption needs in the bar's font, the year box after them up to its own right
// edge, or past it when a four-digit year needs more in the bar's font: no caption runs under the next
// control, and the panel holds the box.
void frmMain::fitYearRow()
{
    const int yearRight = cboAnno->geometry().right();
    int next = 0;
    for (QRadioButton *option : {OptSegno_1, OptSegno_2}) {
        const int needed = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option)
            + option->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option)
            + option->fontMetrics().horizontalAdvance(option->text()) + 2;
        option->setGeometry(std::max(option->x(), next), option->y(), std::max(option->width(), needed), option->height());
        next = option->geometry().right() + 3;
    }
    const int x = std::max(cboAnno->x(), next);
    const int width = std::max(yearRight - x + 1, EditableCombo::widthFor(cboAnno, QStringLiteral("0000")));
    cboAnno->setGeometry(x, cboAnno->y(), width, cboAnno->height());
    picSearch->setMinimumWidth(std::max(picSearch->minimumWidth(), cboAnno->geometry().right() + 1));
}

void frmMain::buildStatusBar()
{
    sbMain = new StatusBar(this);
    sbMain->setObjectName(QStringLiteral("sbMain"));
    sbMain->setFont(tahoma());
    sbMain->setFixedHeight(px(285));
    sbMain->addPanel(StatusBar::DatePanel, 80);
    sbMain->addPanel(StatusBar::TimePanel, 60);
    sbMain->addPanel(StatusBar::TextPanel, 200, QStringLiteral("Premi F1 per la guida"), true);
    sbMain->setPanelToolTip(3, QStringLiteral("Premi F1 per la guida"));
    setStatusBar(sbMain);
}

// Shown after sign-in: the year combo starts on the working year. From then on only the forms the
// window opens take the year back and build the combo again (showForm): a message box or another
// application leaves what the user typed.
void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        yearComboActivated();
}

void frmMain::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    firstPaint();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyResizeRule();
}

// The window manager puts its frame around the window only after the first show, and moves the window
// into it: from then on the outer height counts the title bar and the borders.
void frmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    applyResizeRule();
}

// The window's resize rule, in twips as the design gives it. A size that a control cannot take
// (negative) is refused: that one step is skipped and the others still run.
void frmMain::applyResizeRule()
{
    // On the first show the window is resized before its children are visible: ask whether the
    // menu bar will show, not whether it does yet.
    const int menuHeight = menuBar()->isVisibleTo(this) ? menuBar()->height() : 0;
    const float innerWidth = twips(width());
    const float innerHeight = twips(height() - menuHeight);
    const float outerHeight = twips(frameGeometry().height());
    const float barWidth = twips(vbalExplorerBarCtl1->width());

    // The explorer bar is docked to the left edge, above the status bar.
    vbalExplorerBarCtl1->setGeometry(0, 0, vbalExplorerBarCtl1->width(),
                                     std::max(height() - menuHeight - sbMain->height(), 0));

    auto setIfValid = [](float value, auto apply) {
        if (value >= 0)
            apply(px(value));
    };
    QRect g = grdThis->geometry();
    g.moveTop(0);
    g.moveLeft(px(barWidth));
    setIfValid(innerWidth - barWidth - 100, [&](int w) { g.setWidth(w); });
    setIfValid(outerHeight - 1400, [&](int h) { g.setHeight(h); });
    grdThis->setGeometry(g);

    QRect s = picStatus->geometry();
    s.moveTop(px(innerHeight - 600));
    s.moveLeft(g.left());
    s.setWidth(g.width());
    picStatus->setGeometry(s);
    // The status text is centred on the whole status line, so that it shows whole wherever the line can hold it.
    lblStatus->setGeometry(0, lblStatus->y(), s.width(), lblStatus->height());
}
