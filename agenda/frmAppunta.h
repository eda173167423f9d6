#pragma once
// The week planner "Appuntamenti": the appointments of one week, Monday to Saturday, one list per
// day; next and previous week, open or add an appointment, print the week.

#include "LoadingDialog.h"

#include <QDate>
#include <QString>
#include <QVector>

class ListGrid;
class QLabel;
class QPushButton;

class frmAppunta : public LoadingDialog
{
    Q_OBJECT
public:
    explicit frmAppunta(QWidget *parent = nullptr);

    // Empties the six lists and loads the shown week again (the appointment editor asks for it
    // when it closes).
    void ReConnectList();
    // The planner that is open now, if any.
    static frmAppunta *openPlanner();

    QDate shownDate() const { return ShownDate; }

protected:
    bool runLoad() override;
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

    // Shows the appointment editor modally: on the appointment id, or on a new one (0).
    virtual void openEditor(int id);

private:
    friend class tst_frmAppunta;

    void ShowWeek(const QDate &d);
    QString SetWeek(const QDate &d);
    void ShowWeekCaptions(const QDate &monday, const QDate &saturday);
    void ResetDayCounts();
    void ClearLists();
    void LoadWeekAppointments(const QString &range);
    void AddAppointmentItem(int id, const QString &client, int day, const QString &workstation,
                            const QString &shift);
    void MoveWeek(int days);
    void OpenSelectedAppointment(int list);
    void PrintWeek();
    void applyResizeRule();
    void applyMinimumSize();

    QDate ShownDate;
    ListGrid *ListView1[6];      // Monday .. Saturday (ListView1(1) .. ListView1(6))
    QLabel *Label1[6];           // day headings
    QLabel *lblNApp[6];          // day counts
    QLabel *lblStatus;
    QLabel *lblAppuntamenti;
    QPushButton *Command6;       // Esci
    QPushButton *Command2;       // print preview
    QPushButton *Command1;       // &Nuovo
    QPushButton *cmdPre;
    QPushButton *cmdNext;
};
