#include "FrmStart.h"

#include "Clock.h"
#include "Guarded.h"
#include "HTMLHelp.h"
#include "MsgBox.h"
#include "Pictures.h"
#include "Shell.h"
#include "frmLogin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

FrmStart::FrmStart(MainWindowFactory makeMainWindow, const QString &instanceName, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_makeMainWindow(std::move(makeMainWindow)),
      m_instanceName(instanceName)
{
    setObjectName(QStringLiteral("FrmStart"));
    setFixedSize(480, 330);
    setStyleSheet(QStringLiteral("#FrmStart { background: #FFFDF8; }"));

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("QFrame { border: 1px solid #8A3A1C; } QLabel { border: none; }"));
    frame->setGeometry(rect());
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(1, 1, 1, 10);
    column->setSpacing(4);

    Picture1 = new QLabel(frame);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(Pictures::splash(QSize(width() - 2, 190)));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Picture1->installEventFilter(this);
    column->addWidget(Picture1);
    column->addSpacing(6);

    const QStringList captions = {QStringLiteral("Gestione della casa e della famiglia"),
                                  QStringLiteral("Movimenti e conti, rubrica, promemoria e appuntamenti"),
                                  QStringLiteral("Versione 1.0"), QString()};
    for (int i = 0; i < captions.size(); ++i) {
        auto *label = new QLabel(captions.at(i), frame);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setContentsMargins(16, 0, 16, 0);
        label->installEventFilter(this);
        column->addWidget(label);
        Label1.append(label);
    }
    QFont heading = Label1.at(0)->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    Label1.at(0)->setFont(heading);
    Label1.at(3)->setStyleSheet(QStringLiteral("color: #B00000; font-weight: bold;"));
    column->addStretch();

    lblWeb = new QLabel(QStringLiteral("Guida di Focolarium"), frame);
    lblWeb->setObjectName(QStringLiteral("lblWeb"));
    lblWeb->setStyleSheet(QStringLiteral("color: #0033AA; text-decoration: underline;"));
    lblWeb->setCursor(Qt::PointingHandCursor);
    lblWeb->setContentsMargins(16, 0, 16, 0);
    lblWeb->setAlignment(Qt::AlignRight);
    lblWeb->installEventFilter(this);
    column->addWidget(lblWeb);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    TimerOk = new QTimer(this);
    TimerOk->setObjectName(QStringLiteral("TimerOk"));
    TimerOk->setInterval(50);
    connect(TimerOk, &QTimer::timeout, this, &FrmStart::TimerOk_Timer);
}

FrmStart::~FrmStart()
{
    delete m_mainWindow.data();
}

QString FrmStart::webAddress()
{
    return QUrl::fromLocalFile(HTMLHelp::HelpFilePath(1)).toString();
}

void FrmStart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
}

void FrmStart::load()
{
    // Until the main window is up, the start-up decides alone when the program ends: the splash
    // closes before the sign-in form shows, and that gap must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    Guarded(QString(), [this] {
        if (Shell::prevInstance(m_instanceName)) {
            Label1.at(3)->setText(QStringLiteral("Software già aperto"));
            disableTimer();
            return;
        }
        if (Clock::today() < QDate(2003, 12, 31)) {
            MsgBox(QStringLiteral("Errore di data. Controllare la data del sistema. Click per chiudere"),
                   MsgKind::Error, QStringLiteral("Data Error"));
            disableTimer();
        }
        // The help file needs no setting here: F1 and the help command find it in the program folder.
    }, MsgKind::Information);
    if (m_timerEnabled && !m_unloaded)
        TimerOk->start();
}

void FrmStart::disableTimer()
{
    m_timerEnabled = false;
    TimerOk->stop();
}

void FrmStart::TimerOk_Timer()
{
    if (!m_timerEnabled || m_unloaded)
        return;
    m_ticks += 3;
    if (m_ticks >= 30)
        openSignIn();
}

void FrmStart::openSignIn()
{
    // The tick that opens the sign-in form runs it modally, so no other tick may arrive meanwhile.
    TimerOk->stop();
    bool signedIn = false;
    try {
        frmLogin login(this);
        login.showModal();
        signedIn = login.signedIn();
    } catch (const std::exception &) {
    }
    // Closing the sign-in form any way but a valid sign-in ends the program: the hidden main
    // window must not keep it running with nothing on the screen.
    // A main window that failed to load would leave nothing on the screen either.
    if (signedIn && m_mainWindow)
        QApplication::setQuitOnLastWindowClosed(true);
    else
        Shell::endProgram();
}

void FrmStart::unloadForSignIn()
{
    m_signInLoading = true;
    close();
}

void FrmStart::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    TimerOk->stop();
    // Closed by the user before the sign-in opened (or with the timer stopped by a second copy or
    // a bad date): nothing else is loaded and the program ends.
    if (m_timerEnabled && m_signInLoading && m_makeMainWindow) {
        // Runs inside the close event: an error must not reach the event loop.
        Guarded(QString(), [this] { m_mainWindow = m_makeMainWindow(); }, MsgKind::Information);
    } else if (!m_signInLoading) {
        Shell::endProgram();
    }
}

void FrmStart::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        close();
    else
        QWidget::mouseReleaseEvent(event);
}

bool FrmStart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (mouse->button() != Qt::LeftButton || !widget || !widget->rect().contains(mouse->position().toPoint()))
            return false;
        if (watched == Picture1) {
            close();
            return true;
        }
        if (watched == lblWeb || Label1.contains(widget)) {
            Shell::openUrl(webAddress());
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease && watched == Picture1) {
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
