// The editors that delete by statement (movements, reminders, appointments): another user's save
// is never lost to a delete, and a delete that happened is told as done, whatever the load after it
// does.

#include "../core/FormFixture.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmMov.h"

#include <QDialog>
#include <sqlite3.h>

namespace {

const QString kOthers = QStringLiteral("Altro utente");

// Runs once, as the connection starts its first DELETE statement.
class OnDelete
{
public:
    OnDelete(sqlite3 *db, std::function<void()> run) : m_db(db), m_run(std::move(run))
    {
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &OnDelete::traced, this);
    }
    ~OnDelete() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }

private:
    static int traced(unsigned, void *self, void *, void *sql)
    {
        auto *me = static_cast<OnDelete *>(self);
        if (me->m_run && qstrnicmp(static_cast<const char *>(sql), "DELETE", 6) == 0)
            std::exchange(me->m_run, {})();
        return 0;
    }
    sqlite3 *m_db;
    std::function<void()> m_run;
};

} // namespace

class tst_EditorDelete : public QObject, FormTest<QDialog>
{
    Q_OBJECT

    // Each editor's record, already stamped today: stamping it again leaves it as it was.
    static void editors()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("title");
    }
    static QTestData &editor(const char *name, FormMaker make, int id, const char *table, const char *key,
                             const char *column, const char *title, const char *tag = "")
    {
        return QTest::newRow(qPrintable(QString::fromLatin1(name) + QLatin1String(tag)))
            << make << id << table << key << column << title;
    }

    static std::unique_ptr<QDialog> openOn(const FormMaker &make, int id)
    {
        auto form = make();
        static_cast<EditForm *>(form.get())->setRecordId(id);
        if (!ui::open(form.get()))
            qFatal("the form did not open");
        return form;
    }

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral(
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1001', 'Conto casa');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Spesa', 0);"
            "INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag, "
            "  IdTipoMov, IdUtente, DataUpdate) VALUES (5, '2024-03-01', '2024-03-01', 'Pane', 0, 2.5, 1, 1, 1, 1, "
            "  '2024-03-05');"
            "INSERT INTO Promemoria (IdPromemoria, Testo, data, Eseguito, DataUpdate) "
            "  VALUES (7, 'Bollette', '2024-04-01', 0, '2024-03-05');"
            "INSERT INTO Postazioni (IdPosto, Nominativo, DescrBreve) VALUES (1, 'Sala', 'S1');"
            "INSERT INTO Turni (Ora) VALUES ('08:30');"
            "INSERT INTO Appunta (IdAppunta, Data, IdGiorno, Anno, IdTurno, IdPostazione, Cliente, Note, Data_Update) "
            "  VALUES (3, '2024-03-06', 4, 2024, '08:30', 1, 'Rossi Anna', 'Taglio', '2024-03-05');"));
    }
    void cleanup() { stop(); }

    // Another user, who has read the record too, saves it while the user deletes it: as the
    // question waits, or as the delete's statement starts. Whatever he was told saved stays.
    void anotherUsersSaveIsNeverLost_data()
    {
        editors();
        QTest::addColumn<bool>("asking");
        for (bool asking : {true, false}) {
            const char *tag = asking ? ", saved while asking" : ", saved while deleting";
            editor("frmMov", maker<frmMov>(), 5, "Movimenti", "IdMov", "Descrizione", "Edit movimenti", tag) << asking;
            editor("frmAddPro", maker<frmAddPro>(), 7, "Promemoria", "IdPromemoria", "Testo", "Edit Promemoria", tag)
                << asking;
            editor("frmAddAppunta", maker<frmAddAppunta>(), 3, "Appunta", "IdAppunta", "Note",
                   "Registrazione appuntamenti", tag) << asking;
        }
    }
    void anotherUsersSaveIsNeverLost()
    {
        QFETCH(FormMaker, make);
        QFETCH(int, id);
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, column);
        QFETCH(QString, title);
        QFETCH(bool, asking);

        Connection other;
        other.open(db->folder.familyConnString());
        sqlite3_busy_timeout(other.handle(), 0);   // one thread: a lock held now is not let go by waiting
        const QString read = QStringLiteral("SELECT * FROM %1 WHERE %2 = %3").arg(table, key).arg(id);
        Recordset theirs;
        theirs.open(read, &other, Recordset::OpenStatic, Recordset::LockPessimistic);
        bool toldSaved = false;
        auto theySave = [&] {
            try {
                theirs.update(column, kOthers);
                toldSaved = true;
            } catch (const AppError &) {
            }
        };

        const auto form = openOn(make, id);
        std::unique_ptr<OnDelete> whileDeleting;
        if (asking)
            msg->whenShown([&](const MsgRecord &box) {
                if (box.kind == MsgKind::Question)
                    theySave();
            });
        else
            whileDeleting = std::make_unique<OnDelete>(DataBase::AdoConnect().handle(), theySave);
        ui::click(form.get(), "Command6");

        const QVariant kept = db->value(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(column, table, key).arg(id));
        if (toldSaved)
            QCOMPARE(kept, QVariant(kOthers));
        // Saved before the delete looked: the delete is refused. Saving while it deletes has to wait
        // for it, and then finds no record.
        QCOMPARE(toldSaved, asking);
        const MsgRecord refused{QStringLiteral("Un' altro utente sta utilizzando lo stesso set di record: chiudere e "
                                               "riprovare. Operazione Annullata"), MsgKind::Error, title};
        const MsgRecord told{QStringLiteral("Record Cancellato!"), MsgKind::Information, QStringLiteral("Delete Successfull!")};
        QCOMPARE(msg->last(), asking ? refused : told);
    }

    // The record is gone, but loading the form again fails (the user can only read by then): the
    // delete is told as done, in the editor's order, and the load's failure as the load's own.
    void deleteDoneThoughTheLoadAfterItFails_data()
    {
        editors();
        QTest::addColumn<bool>("readOnlyFromStart");
        QTest::addColumn<bool>("toldFirst");
        QTest::addColumn<int>("loadKind");
        for (bool fromStart : {false, true})
            editor("frmMov", maker<frmMov>(), 5, "Movimenti", "IdMov", "", "Edit movimenti",
                   fromStart ? ", read-only user" : "")
                << fromStart << false << int(MsgKind::Information);
        editor("frmAddPro", maker<frmAddPro>(), 7, "Promemoria", "IdPromemoria", "", "Edit Promemoria")
            << false << true << int(MsgKind::Information);
        editor("frmAddAppunta", maker<frmAddAppunta>(), 3, "Appunta", "IdAppunta", "", "Registrazione appuntamenti")
            << false << true << int(MsgKind::Warning);
    }
    void deleteDoneThoughTheLoadAfterItFails()
    {
        QFETCH(FormMaker, make);
        QFETCH(int, id);
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, title);
        QFETCH(bool, readOnlyFromStart);
        QFETCH(bool, toldFirst);
        QFETCH(int, loadKind);
        if (readOnlyFromStart)
            DataBase::UserLockType = Recordset::LockReadOnly;
        const auto form = openOn(make, id);
        msg->whenShown([](const MsgRecord &box) {
            if (box.kind == MsgKind::Question)
                DataBase::UserLockType = Recordset::LockReadOnly;
        });
        ui::click(form.get(), "Command6");
        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = %3").arg(table, key).arg(id)).toInt(), 0);
        const MsgRecord told{QStringLiteral("Record Cancellato!"), MsgKind::Information, QStringLiteral("Delete Successfull!")};
        const MsgRecord load{DbError::readOnly().description(), MsgKind(loadKind), title};
        QCOMPARE(msg->shown().mid(1), (QList<MsgRecord>{toldFirst ? told : load, toldFirst ? load : told}));
        QCOMPARE(static_cast<EditForm *>(form.get())->recordId(), 0);
    }
};

QTEST_MAIN(tst_EditorDelete)
#include "tst_editordelete.moc"
