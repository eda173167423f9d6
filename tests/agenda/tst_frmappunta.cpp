// The week planner: the week shown from the clock, moving by weeks, the day lists and their counts,
// a week that cannot be read, opening appointments, the resize rule.

#include "../core/FormFixture.h"

#include "Conversions.h"
#include "HTMLHelp.h"
#include "PWSettings.h"
#include "Shell.h"
#include "frmAppunta.h"

#include "report/ReportPreview.h"

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Records which appointment the planner asks its editor for, instead of showing the editor.
class RecordingPlanner : public frmAppunta
{
public:
    QList<int> opened;

protected:
    void openEditor(int id) override { opened << id; }
};

QString text(QWidget *form, const QString &name) { return form->findChild<QLabel *>(name)->text(); }
ListGrid *day(QWidget *form, int list) { return form->findChild<ListGrid *>(QStringLiteral("ListView1_%1").arg(list)); }
int px(int twips) { return qRound(twips / 15.0); }

} // namespace

class tst_frmAppunta : public QObject
{
    Q_OBJECT

    std::unique_ptr<FormSession> session;
    QTemporaryDir settingsDir;

    std::unique_ptr<RecordingPlanner> openOn(const QDate &today)
    {
        Clock::setNow(QDateTime(today, QTime(9, 0)));
        auto form = std::make_unique<RecordingPlanner>();
        if (!ui::open(form.get()))
            qFatal("the planner did not open");
        return form;
    }

    // Appointments at one workstation: (date, shift, client) each.
    void book(const QVector<std::tuple<QDate, QString, QString>> &appointments)
    {
        QString sql = QStringLiteral("INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES (1, 'Sala', 'S1');");
        for (const auto &[date, shift, client] : appointments)
            sql += QStringLiteral("INSERT INTO Appunta (Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente) "
                                  "VALUES ('%1', %2, %3, '%4', 1, '%5');")
                       .arg(date.toString(Qt::ISODate)).arg(date.dayOfWeek() % 7 + 1).arg(date.year())
                       .arg(shift, client);
        session->db.exec(sql);
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    }
    void init() { session = std::make_unique<FormSession>(); }
    void cleanup() { session.reset(); }

    void weekOfTheClock_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("monday");
        QTest::newRow("Wednesday") << QDate(2024, 3, 6) << QDate(2024, 3, 4);
        QTest::newRow("Saturday") << QDate(2024, 3, 9) << QDate(2024, 3, 4);
        QTest::newRow("Sunday opens the next week") << QDate(2024, 3, 10) << QDate(2024, 3, 11);
        QTest::newRow("across a month") << QDate(2024, 5, 29) << QDate(2024, 5, 27);
    }
    void weekOfTheClock()
    {
        QFETCH(QDate, today);
        QFETCH(QDate, monday);
        auto form = openOn(today);
        auto showsWeekOf = [&](const QDate &mon) {
            const QDate sat = mon.addDays(5);
            QCOMPARE(text(form.get(), "lblStatus"), QStringLiteral("Settimana selezionata: \n\n\n") + Conv::longDate(mon)
                                                        + QStringLiteral("\n\n") + Conv::longDate(sat));
            QCOMPARE(text(form.get(), "Label1_0"), QStringLiteral("Lunedi %1 %2").arg(mon.day()).arg(QLocale().monthName(mon.month())));
            QCOMPARE(text(form.get(), "Label1_5"), QStringLiteral("Sabato %1 %2").arg(sat.day()).arg(QLocale().monthName(sat.month())));
        };
        showsWeekOf(monday);
        ui::click(form.get(), "cmdNext");
        showsWeekOf(monday.addDays(7));
        QTest::keyClick(day(form.get(), 3), Qt::Key_Minus, Qt::KeypadModifier);
        showsWeekOf(monday);
        QTest::keyClick(form.get(), Qt::Key_Plus, Qt::KeypadModifier);
        ui::click(form.get(), "cmdPre");
        showsWeekOf(monday);
        QCOMPARE(form->shownDate(), today);
    }

    void dayListsAndCounts()
    {
        const QDate monday(2024, 3, 4), tuesday(2024, 3, 5);
        QVector<std::tuple<QDate, QString, QString>> week{{monday, QStringLiteral("09:00"), QStringLiteral("Rossi Anna")}};
        for (int i = 14; i >= 1; --i)
            week.append({tuesday, QStringLiteral("%1:00").arg(i + 6, 2, 10, QLatin1Char('0')), QStringLiteral("Cliente %1").arg(i)});
        week.append({monday.addDays(7), QStringLiteral("09:00"), QStringLiteral("Altra settimana")});
        book(week);
        auto form = openOn(tuesday);

        auto counts = [&] {
            QStringList out;
            for (const char *name : {"lblNApp_1", "lblNApp_2", "lblNApp_3", "lblAppuntamenti"})
                out << text(form.get(), name);
            return out;
        };
        QCOMPARE(counts(), QStringList({"lunedì  (1)", "martedì  (14)", "mercoledì (0)", "Appuntamenti selezionati 15"}));
        ListGrid *mon = day(form.get(), 1), *tue = day(form.get(), 2);
        QCOMPARE(mon->rows(), 1);
        QCOMPARE(QStringList({mon->cellText(1, 1), mon->cellText(1, 2), mon->cellText(1, 3)}),
                 QStringList({"Rossi Anna", "S1", "09:00"}));
        QCOMPARE(tue->rows(), 14);
        QCOMPARE(tue->cellText(1, 3), QStringLiteral("07:00"));   // in the order of the shift
        QCOMPARE(tue->cellText(14, 1), QStringLiteral("Cliente 14"));
        QCOMPARE(mon->columnWidth(0), px(1600));
        QCOMPARE(tue->columnWidth(0), px(1350));
        ui::shoot(form.get(), QStringLiteral("frmAppunta"));

        ui::click(form.get(), "cmdNext");
        QCOMPARE(tue->rows(), 0);
        QCOMPARE(tue->columnWidth(0), px(1600));
        QCOMPARE(counts(), QStringList({"lunedì  (1)", "martedì (0)", "mercoledì (0)", "Appuntamenti selezionati 1"}));
    }

    // A week that cannot be read shows one warning and an empty week; the planner goes on.
    void failingWeekShowsEmpty()
    {
        book({{QDate(2024, 3, 5), QStringLiteral("09:00"), QStringLiteral("Rossi Anna")}});
        auto form = openOn(QDate(2024, 3, 5));
        QCOMPARE(day(form.get(), 2)->rows(), 1);
        session->db.exec(QStringLiteral("DROP TABLE Appunta"));
        form->ReConnectList();
        QCOMPARE(session->msg.count(), 1);
        QCOMPARE(session->msg.last().kind, MsgKind::Warning);
        QCOMPARE(day(form.get(), 2)->rows(), 0);
        QCOMPARE(text(form.get(), "lblNApp_2") + text(form.get(), "lblAppuntamenti"),
                 QStringLiteral("martedì (0)Appuntamenti selezionati 0"));
        ui::click(form.get(), "cmdNext");
        QVERIFY(form->isVisible());
        QCOMPARE(text(form.get(), "Label1_0"), QStringLiteral("Lunedi 11 marzo"));
    }

    void opensAppointments()
    {
        book({{QDate(2024, 3, 5), QStringLiteral("09:00"), QStringLiteral("Rossi Anna")},
              {QDate(2024, 3, 5), QStringLiteral("10:00"), QStringLiteral("Bianchi Luca")}});
        auto form = openOn(QDate(2024, 3, 5));
        ListGrid *tue = day(form.get(), 2);
        QTest::keyClick(tue, Qt::Key_Return);
        QCOMPARE(form->opened, QList<int>());   // nothing selected
        tue->setSelectedRow(2);
        QTest::keyClick(tue, Qt::Key_Return);
        const QPoint first = tue->visualRect(tue->model()->index(0, 1)).center();
        QTest::mouseClick(tue->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(tue->viewport(), Qt::LeftButton, {}, first);
        ui::click(form.get(), "Command1");
        QCOMPARE(form->opened, QList<int>({2, 1, 0}));
        QCOMPARE(HTMLHelp::CurrentHelpId, 5001);
        QTest::keyClick(tue, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
    }

    // The printed week: each day's heading, its appointments indented, an empty line.
    void printsTheWeek_data()
    {
        QTest::addColumn<int>("tuesdayAppointments");
        QTest::addColumn<QString>("client");   // of the 09:00 appointment
        QTest::newRow("empty week") << 0 << QString();
        QTest::newRow("two on Tuesday") << 2 << QStringLiteral("Bianchi Luca");
        // A line longer than the printed field is cut to its 255 characters.
        QTest::newRow("a line too long") << 2 << QStringLiteral("Bianchi Luca ").repeated(20);
    }
    void printsTheWeek()
    {
        QFETCH(int, tuesdayAppointments);
        QFETCH(QString, client);
        if (tuesdayAppointments)
            book({{QDate(2024, 3, 5), QStringLiteral("10:00"), QStringLiteral("Rossi Anna")},
                  {QDate(2024, 3, 5), QStringLiteral("09:00"), client}});
        auto form = openOn(QDate(2024, 3, 6));
        ReportLayout printed;
        Shell::setModalHandler([&](QDialog *d) {
            printed = qobject_cast<ReportPreview *>(d)->layout();
            return 0;
        });
        ui::click(form.get(), "Command2");
        Shell::setModalHandler({});
        QCOMPARE(session->msg.count(), 0);
        QCOMPARE(printed.caption, QStringLiteral("Anteprima appuntamenti"));
        QCOMPARE(printed.pageCount(), 1);

        QStringList lines;
        const char *const days[] = {"Lunedi", "Martedi", "Mercoledi", "Giovedi", "Venerdi", "Sabato"};
        for (int k = 0; k < 6; ++k) {
            lines << QStringLiteral("%1 %2 marzo").arg(QLatin1String(days[k])).arg(4 + k);
            if (k == 1 && tuesdayAppointments)
                lines << (QStringLiteral("    ") + client + QStringLiteral(" - S1 - 09:00")).left(255)
                      << QStringLiteral("    Rossi Anna - S1 - 10:00");
            lines << QString();
        }
        // Title, column heading and the week's dates; the lines; the page footer.
        const QStringList texts = printed.texts(0);
        QCOMPARE(texts.mid(0, 3), QStringList({"Appuntamenti", "Appuntamento",
                                               "lunedì 4 marzo 2024\n\nsabato 9 marzo 2024"}));
        QCOMPARE(texts.mid(3, texts.size() - 7), lines);
        QCOMPARE(texts.mid(texts.size() - 4), QStringList({"Page  ", "1", " of ", "1"}));
    }

    void resizeRuleFollowsTheSetting()
    {
        auto form = openOn(QDate(2024, 3, 5));
        QVector<int> before;
        for (int k = 1; k <= 6; ++k)
            before << day(form.get(), k)->x();
        DataBase::Sett().setLeftListAppuntament(3000);
        form->resize(form->size() + QSize(1, 0));
        form->resize(form->size() - QSize(1, 0));
        for (int k = 1; k <= 6; ++k) {
            QVERIFY(qAbs(day(form.get(), k)->x() - before[k - 1] - 500 / 15.0) <= 1);
            QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k - 1))->x(), day(form.get(), k)->x());
        }
        DataBase::Sett().setLeftListAppuntament(2500);
    }

    // A setting that moves the lists left, over the left column, asks for no wider a window than
    // the design's: keeping them off the column would take many screens' width.
    void leftSettingKeepsTheWindowSmall_data()
    {
        QTest::addColumn<int>("left");
        QTest::newRow("2000") << 2000;
        QTest::newRow("0") << 0;
    }
    void leftSettingKeepsTheWindowSmall()
    {
        QFETCH(int, left);
        DataBase::Sett().setLeftListAppuntament(short(left));
        auto form = openOn(QDate(2024, 3, 5));
        DataBase::Sett().setLeftListAppuntament(2500);
        QVERIFY2(form->minimumWidth() <= 870, qPrintable(QString::number(form->minimumWidth())));
    }

    // Resized to any size, no two controls overlap and none leaves the window: the form grows no
    // smaller than the size at which the resize rule still holds them apart, which its design size is not below.
    void layoutKeepsControlsApart_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(870, 559);
        QTest::newRow("taller") << QSize(870, 1100);
        QTest::newRow("larger") << QSize(1600, 1000);
        QTest::newRow("narrower") << QSize(700, 559);
        QTest::newRow("lower") << QSize(870, 420);
        QTest::newRow("smallest") << QSize(1, 1);
    }
    void layoutKeepsControlsApart()
    {
        QFETCH(QSize, size);
        auto form = openOn(QDate(2025, 9, 24));   // long dates: "lunedì 22 settembre 2025"
        QVERIFY(form->minimumSize().width() <= 870 && form->minimumSize().height() <= 559);
        form->resize(size);
        ui::settle();
        QCOMPARE(form->size(), size.expandedTo(form->minimumSize()));
        ui::shoot(form.get(), QStringLiteral("frmAppunta_") + QLatin1String(QTest::currentDataTag()));
        const QList<QWidget *> controls = form->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(controls.size() >= 27);
        for (QWidget *a : controls) {
            QVERIFY2(form->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget *b : controls) {
                if (a < b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + QStringLiteral(" / ") + b->objectName()));
            }
        }
    }
};

QTEST_MAIN(tst_frmAppunta)
#include "tst_frmappunta.moc"
