// Every editor's delete, by statement (movements, reminders, appointments) or through its recordset
// (accounts, movement and payment types, users, contacts): another user's save is never lost to a
// delete, and a delete that happened is told as done, whatever the load after it does.

#include "../core/FormFixture.h"

#include "db/DbError.h"
#include "db/Recordset.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmConti.h"
#include "frmMov.h"
#include "frmProp.h"
#include "frmTipoMov.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QDialog>
#include <sqlite3.h>

namespace {

const QString kOthers = QStringLiteral("Altro utente");

bool startsWith(const char *sql, const char *word)
{
    return qstrnicmp(sql, word, qstrlen(word)) == 0;
}

// Sees each statement the connection starts, before it takes its lock, until it returns true.
class OnStatement
{
public:
    OnStatement(sqlite3 *db, std::function<bool(const char *)> run) : m_db(db), m_run(std::move(run))
    {
        sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &OnStatement::traced, this);
    }
    ~OnStatement() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }

private:
    static int traced(unsigned, void *self, void *, void *sql)
    {
        auto *me = static_cast<OnStatement *>(self);
        if (me->m_run && me->m_run(static_cast<const char *>(sql)))
            me->m_run = {};
        return 0;
    }
    sqlite3 *m_db;
    std::function<bool(const char *)> m_run;
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
            "  VALUES (3, '2024-03-06', 4, 2024, '08:30', 1, 'Rossi Anna', 'Taglio', '2024-03-05');"
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (2, '2002', 'Conto vacanze');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (2, 'Stipendio', -1);"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (2, 'Bonifico');"
            "INSERT INTO Utenti (IdUtente, Nome, Cognome, Ruolo) VALUES (2, 'Luca', 'Bianchi', 'Utente');"
            "INSERT INTO Contatti (IdContatto, Nome, cognome) VALUES (4, 'Anna', 'Rossi');"));
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
            editor("frmConti", maker<frmConti>(), 2, "Conti", "IdConto", "Descrizione", "Edit Conti/correnti", tag)
                << asking;
            editor("frmTipoMov", maker<frmTipoMov>(), 2, "TipoMov", "IdTipoMov", "Descrizione", "Edit Tipo Movimenti",
                   tag) << asking;
            editor("frmTipoPag", maker<frmTipoPag>(), 2, "TipoPag", "IdTipoPag", "NomePag", "Edit Tipo Pagamenti", tag)
                << asking;
            editor("frmUtenti", maker<frmUtenti>(), 2, "Utenti", "IdUtente", "Cognome", "Gestione utenze", tag) << asking;
            editor("frmProp", maker<frmProp>(), 4, "Contatti", "IdContatto", "cognome", "Edit Contatti", tag) << asking;
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

        const auto form = ui::openOn(make, id);
        std::unique_ptr<OnStatement> whileDeleting;
        if (asking)
            msg->whenShown([&](const MsgRecord &box) {
                if (box.kind == MsgKind::Question)
                    theySave();
            });
        else
            whileDeleting = std::make_unique<OnStatement>(DataBase::AdoConnect().handle(), [&](const char *sql) {
                if (!startsWith(sql, "DELETE"))
                    return false;
                theySave();
                return true;
            });
        ui::click(form.get(), "Command6");

        // Nothing holds the file while the question waits. Saving as the delete starts either waits
        // for it (and then finds no record) or comes first: whatever they were told saved stays, and
        // the delete is refused.
        if (asking)
            QVERIFY(toldSaved);
        const auto kept = db->rows(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(column, table, key).arg(id));
        QCOMPARE(kept, toldSaved ? QVector<QVector<QVariant>>{{kOthers}} : QVector<QVector<QVariant>>{});
        const MsgRecord refused{QStringLiteral("Un' altro utente sta utilizzando lo stesso set di record: chiudere e "
                                               "riprovare. Operazione Annullata"), MsgKind::Error, title};
        const MsgRecord told{QStringLiteral("Record Cancellato!"), MsgKind::Information, QStringLiteral("Delete Successfull!")};
        QCOMPARE(msg->last(), toldSaved ? refused : told);
    }

    // The record is gone, but loading the form again or its list fails: the user can only read by
    // then, or another user holds the file as the form reads it. The delete is told as done, in the
    // editor's order, and the failure as the load's or the list's own.
    void deleteDoneThoughTheLoadAfterItFails_data()
    {
        editors();
        QTest::addColumn<QString>("heldAt");   // the read that finds the file held ("": the user turns read-only)
        QTest::addColumn<bool>("toldFirst");
        QTest::addColumn<int>("failureKind");
        const QString load = QStringLiteral("SELECT * FROM");
        editor("frmMov", maker<frmMov>(), 5, "Movimenti", "IdMov", "", "Edit movimenti")
            << QString() << false << int(MsgKind::Information);
        editor("frmAddPro", maker<frmAddPro>(), 7, "Promemoria", "IdPromemoria", "", "Edit Promemoria")
            << QString() << true << int(MsgKind::Information);
        editor("frmAddAppunta", maker<frmAddAppunta>(), 3, "Appunta", "IdAppunta", "", "Registrazione appuntamenti")
            << QString() << true << int(MsgKind::Warning);
        editor("frmConti", maker<frmConti>(), 2, "Conti", "IdConto", "", "Edit Conti/correnti")
            << load << false << int(MsgKind::Information);
        editor("frmUtenti", maker<frmUtenti>(), 2, "Utenti", "IdUtente", "", "Gestione utenze")
            << load << false << int(MsgKind::Information);
        editor("frmProp", maker<frmProp>(), 4, "Contatti", "IdContatto", "", "Edit Contatti")
            << load << false << int(MsgKind::Information);
        editor("frmTipoPag", maker<frmTipoPag>(), 2, "TipoPag", "IdTipoPag", "", "Edit Tipo Pagamenti", ", its list")
            << QStringLiteral("select IdTipoPag") << true << int(MsgKind::Warning);
    }
    void deleteDoneThoughTheLoadAfterItFails()
    {
        QFETCH(FormMaker, make);
        QFETCH(int, id);
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, title);
        QFETCH(QString, heldAt);
        QFETCH(bool, toldFirst);
        QFETCH(int, failureKind);
        const auto form = ui::openOn(make, id);

        // The other user takes the file as that read starts after the delete, and lets it go when
        // the user is shown what happened.
        sqlite3 *shared = DataBase::AdoConnect().handle();
        sqlite3_busy_timeout(shared, 0);
        Connection other;
        other.open(db->folder.familyConnString());
        bool deleted = false, holding = false;
        std::unique_ptr<OnStatement> takeFile;
        if (!heldAt.isEmpty())
            takeFile = std::make_unique<OnStatement>(shared, [&](const char *sql) {
                deleted = deleted || startsWith(sql, "DELETE");
                if (!deleted || !startsWith(sql, qPrintable(heldAt)) || !sqlite3_get_autocommit(shared))
                    return false;
                other.execute(QStringLiteral("BEGIN EXCLUSIVE"));
                return holding = true;
            });
        msg->whenShown([&](const MsgRecord &box) {
            if (box.kind == MsgKind::Question && heldAt.isEmpty())
                DataBase::UserLockType = Recordset::LockReadOnly;
            if (box.kind != MsgKind::Question && std::exchange(holding, false))
                other.execute(QStringLiteral("ROLLBACK"));
        });
        ui::click(form.get(), "Command6");

        QCOMPARE(db->value(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = %3").arg(table, key).arg(id)).toInt(), 0);
        const MsgRecord told{QStringLiteral("Record Cancellato!"), MsgKind::Information, QStringLiteral("Delete Successfull!")};
        const AppError why = heldAt.isEmpty() ? DbError::readOnly() : DbError::fromSqlite(nullptr, SQLITE_BUSY);
        const MsgRecord failed{why.description(), MsgKind(failureKind), title};
        QCOMPARE(msg->shown().mid(1), (QList<MsgRecord>{toldFirst ? told : failed, toldFirst ? failed : told}));
        QCOMPARE(static_cast<EditForm *>(form.get())->recordId(), 0);
    }
};

QTEST_MAIN(tst_EditorDelete)
#include "tst_editordelete.moc"
