#pragma once
// The start-up splash: refuses a second running copy and an implausible system date, sets the
// help file and, after a short timed pause, opens the sign-in form modally.

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

class FrmStart : public QWidget
{
    Q_OBJECT
public:
    using MainWindowFactory = std::function<QMainWindow *()>;

    // makeMainWindow loads the main window (hidden) when the splash gives way to the sign-in.
    explicit FrmStart(MainWindowFactory makeMainWindow,
                      const QString &instanceName = QStringLiteral("focolarium"), QWidget *parent = nullptr);
    ~FrmStart() override;

    // The main window once loaded; nullptr before.
    QMainWindow *mainWindow() const { return m_mainWindow; }
    // Unloads the splash as the sign-in form loads; the main window is loaded meanwhile.
    void unloadForSignIn();
    // The address that Label1 and lblWeb open: the local help file.
    static QString webAddress();

    int ticks() const { return m_ticks; }
    bool timerEnabled() const { return m_timerEnabled; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void TimerOk_Timer();
    void openSignIn();
    void disableTimer();

    MainWindowFactory m_makeMainWindow;
    QString m_instanceName;
    QPointer<QMainWindow> m_mainWindow;
    QLabel *Picture1 = nullptr;
    QList<QLabel *> Label1;
    QLabel *lblWeb = nullptr;
    QTimer *TimerOk = nullptr;
    bool m_timerEnabled = true;   // the timer's Enabled property; it runs once the splash has loaded
    int m_ticks = 0;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_signInLoading = false;
};
