// The Jet SQL the programs write, translated and run on a real SQLite file: the rows that come
// back are checked. Plus random and mutated texts, which must never crash the translation.

#include "Clock.h"
#include "ProgramFolder.h"
#include "db/JetSql.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sqlite3.h>

namespace {

const char *const Schema = R"(
PRAGMA synchronous = OFF;
CREATE TABLE Aziende (IdAzienda INTEGER PRIMARY KEY, NomeAzienda TEXT(255) COLLATE NOCASE,
  Indirizzo TEXT(255) COLLATE NOCASE, TipoProvider TEXT(1) COLLATE NOCASE);
CREATE TABLE Utenti (IdUtente INTEGER PRIMARY KEY, Nome TEXT(50) COLLATE NOCASE, Cognome TEXT(50) COLLATE NOCASE,
  DataNascita DATE, Commento TEXT(255) COLLATE NOCASE, Pwd TEXT(50), Ruolo TEXT(50) COLLATE NOCASE,
  LockAccess YESNO, Administrator YESNO);
CREATE TABLE Contatti (IdContatto INTEGER PRIMARY KEY, Nome TEXT(50) COLLATE NOCASE, cognome TEXT(50) COLLATE NOCASE,
  tel TEXT(30) COLLATE NOCASE, cell TEXT(30) COLLATE NOCASE, email TEXT(100) COLLATE NOCASE, altro MEMO,
  Nascita DATE, Condividi YESNO, IdUtente INTEGER);
CREATE TABLE Promemoria (IdPromemoria INTEGER PRIMARY KEY, Testo TEXT(255) COLLATE NOCASE, data DATE,
  Eseguito YESNO, DataUpdate DATE);
CREATE TABLE Conti (IdConto INTEGER PRIMARY KEY, NConto TEXT(50) COLLATE NOCASE, ComuConto TEXT(50) COLLATE NOCASE,
  Descrizione TEXT(100) COLLATE NOCASE, DataApertura DATE);
CREATE TABLE TipoMov (IdTipoMov INTEGER PRIMARY KEY, Descrizione TEXT(100) COLLATE NOCASE, EntrateUscite YESNO,
  Commento TEXT(255) COLLATE NOCASE);
CREATE TABLE TipoPag (IdTipoPag INTEGER PRIMARY KEY, NomePag TEXT(50) COLLATE NOCASE, Commento TEXT(255) COLLATE NOCASE);
CREATE TABLE Movimenti (IdMov INTEGER PRIMARY KEY, DataReg DATE, DataMov DATE, Descrizione TEXT(255) COLLATE NOCASE,
  Entrata DOUBLE NOT NULL DEFAULT 0, Uscita DOUBLE NOT NULL DEFAULT 0, IdConto INTEGER, IdTipoPag INTEGER,
  IdTipoMov INTEGER, IdUtente INTEGER);
CREATE TABLE Appunta (IdAppunta INTEGER PRIMARY KEY, Data DATE, IdGiorno INTEGER, IdTurno TEXT(10) COLLATE NOCASE,
  IdPostazione INTEGER, Cliente TEXT(100) COLLATE NOCASE);
CREATE TABLE Turni (IdTurno INTEGER PRIMARY KEY, Ora TEXT(10) COLLATE NOCASE);
CREATE TABLE Postazioni (IdPosto INTEGER PRIMARY KEY, Nominativo TEXT(50) COLLATE NOCASE, DescrBreve TEXT(50) COLLATE NOCASE);
CREATE TABLE Giorni (Id INTEGER PRIMARY KEY, Giorno DATE);
CREATE INDEX Giorni_Giorno ON Giorni (Giorno);

INSERT INTO Aziende VALUES (1, 'Famiglia', 'Data Source=/tmp/Famiglia.mdb', 'A'), (2, 'Vecchia', NULL, 'A');
INSERT INTO Utenti VALUES (1, 'Admin', NULL, NULL, NULL, NULL, 'Admin', 0, -1),
  (2, 'Mario', 'Rossi', '1980-05-02', 'nota', 'Segreta', 'Utente', -1, 0),
  (3, 'O''Neil', NULL, NULL, NULL, '', 'Utente', 0, 0);
INSERT INTO Contatti VALUES (1, 'Anna', 'Rossi', '06 123', NULL, 'anna@x.it', NULL, '1990-03-07', 0, 1),
  (2, 'Luca', 'Bianchi', NULL, '333', NULL, 'amico', NULL, -1, 2),
  (3, 'Pia', 'D''Amico', NULL, NULL, NULL, NULL, NULL, 0, 2);
INSERT INTO Promemoria VALUES (1, 'Pagare # bolletta & tasse', '2024-03-05', -1, NULL),
  (2, 'Chiamare *Luca*', NULL, 0, NULL);
INSERT INTO Conti VALUES (1, '123', 'Roma', 'Conto corrente', '2020-01-01'), (2, NULL, NULL, 'Libretto', NULL);
INSERT INTO TipoMov VALUES (1, 'Stipendio', -1, NULL), (2, 'Spesa', 0, NULL), (3, NULL, 0, NULL);
INSERT INTO TipoPag VALUES (1, 'Contanti', NULL), (2, 'Bonifico', 'banca');
INSERT INTO Movimenti (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, IdConto, IdTipoPag, IdTipoMov, IdUtente)
  VALUES (1, '2024-03-04', '2024-03-04', 'Stipendio marzo', 1500, 0, 1, 2, 1, 1),
  (2, '2024-03-09', '2024-03-09', 'Spesa 50% sconto', 0, 20.5, 2, 1, 2, 2),
  (3, '2024-03-10', '2024-03-10', 'Spesa_bis', 0, 10, NULL, 1, 2, 1),
  (4, '2023-12-31', '2023-12-31', 'Capodanno', 0, 99, 1, 1, 2, 1),
  (5, '2025-01-01', '2025-01-01', 'Anno nuovo', 5, 0, 1, 1, 1, 2);
INSERT INTO Appunta VALUES (1, '2024-03-04', 2, '09:00', 1, 'Rossi Anna'), (2, '2024-03-09', 7, '08:00', 2, 'D''Amico'),
  (3, '2024-03-10', 1, '08:00', 1, 'Domenica'), (4, '2024-03-05', 3, '08:00', 9, 'Senza postazione'),
  (5, '2024-03-04', 2, '08:00', 2, 'Bianchi');
INSERT INTO Turni VALUES (1, '08:00'), (2, '09:00');
INSERT INTO Postazioni VALUES (1, 'Poltrona', 'P1'), (2, 'Lettino', NULL);
INSERT INTO Giorni VALUES (1, NULL), (2, '2023-12-31'), (3, '2023-12-31 23:59:59'), (4, '2024-01-01'),
  (5, '2024-06-15 10:30'), (6, '2024-12-31'), (7, '2024-12-31 23:59:59'), (8, '2025-01-01'), (9, '0999-05-05');

CREATE VIEW qryTipoMov AS SELECT IdTipoMov, Descrizione, EntrateUscite <> 0 AS Entrate, EntrateUscite = 0 AS Uscite,
  Commento FROM TipoMov;
CREATE VIEW QryRicorrenze AS SELECT IdContatto, Nome, cognome, email, Nascita AS Compleanno, NULL AS Annivers,
  NULL AS Onomast, IdUtente, Condividi FROM Contatti;
CREATE VIEW Oggi AS SELECT date() AS Giorno;
)";

// The movements query, written as Jet writes it: joins nested in parentheses.
const char *const QryMov =
    "CREATE VIEW qryMov AS SELECT Movimenti.IdMov, Movimenti.DataReg, Movimenti.DataMov, Movimenti.Descrizione, "
    "Movimenti.Entrata, Movimenti.Uscita, Conti.Descrizione AS DescrConto, TipoPag.NomePag, "
    "TipoMov.Descrizione & IIF(TipoMov.EntrateUscite = True, ' (Entrata)', ' (Uscita)') AS Mov, "
    "Movimenti.IdUtente, Movimenti.IdTipoPag, Movimenti.IdConto, Movimenti.IdTipoMov "
    "FROM ((Movimenti LEFT JOIN Conti ON Movimenti.IdConto = Conti.IdConto) "
    "INNER JOIN TipoPag ON Movimenti.IdTipoPag = TipoPag.IdTipoPag) "
    "INNER JOIN TipoMov ON Movimenti.IdTipoMov = TipoMov.IdTipoMov";

struct Case
{
    const char *tag;
    const char *jet;       // the text as the program writes it
    const char *check;     // for statements: the query (SQLite) that reads the effect; else nullptr
    const char *expected;  // rows joined by ";", values by "|", Null as NULL; "ERROR" when SQLite must refuse
    int columns;           // leading columns compared (0: all)
};

// The movements list's query, as a literal so that each case appends its own criteria.
#define MOV_LIST "select IdMov,DataReg,DataMov,Descrizione,Entrata,Uscita,DescrConto,NomePag,Mov FROM qryMov WHERE IdMov > 0 "

// The texts the programs write, with the user, family and record ids filled in.
const Case ProgramTexts[] = {
    // sign-in
    {"families", "SELECT IdAzienda,NomeAzienda FROM Aziende ;", nullptr, "1|Famiglia;2|Vecchia", 0},
    {"family by id", "SELECT * FROM Aziende where IdAzienda=1", nullptr, "1|Famiglia|Data Source=/tmp/Famiglia.mdb|A", 0},
    {"user without password", "SELECT * FROM utenti where nome='admin'  AND (pwd IS NULL OR pwd ='')", nullptr, "1|Admin", 2},
    {"user with empty password", "SELECT * FROM utenti where nome='O''Neil'  AND (pwd IS NULL OR pwd ='')", nullptr, "3|O'Neil", 2},
    {"user with password", "SELECT * FROM utenti where nome='MARIO'  AND pwd =  'Segreta'", nullptr, "2|Mario", 2},
    {"password compares with case", "SELECT * FROM utenti where nome='Mario'  AND pwd =  'segreta'", nullptr, "", 0},
    // users
    {"users form", "SELECT * FROM Utenti", nullptr, "1;2;3", 1},
    {"users list", "select IdUtente,Nome,Cognome,Ruolo,DataNascita,Commento FROM Utenti", nullptr,
     "1|Admin|NULL|Admin|NULL|NULL;2|Mario|Rossi|Utente|1980-05-02|nota;3|O'Neil|NULL|Utente|NULL|NULL", 0},
    {"user by id", "SELECT * FROM Utenti where IdUtente= 2", nullptr, "2|Mario|Rossi|1980-05-02|nota|Segreta|Utente|-1|0", 0},
    {"administrator is true", "select IdUtente from Utenti where Administrator = True", nullptr, "1", 0},
    {"locked is false", "select IdUtente from Utenti where LockAccess = false", nullptr, "1;3", 0},
    {"not a yes/no", "select IdUtente from Utenti where Not LockAccess", nullptr, "1;3", 0},
    // lists
    {"contacts list", "select IdContatto,Nome,cognome,tel,cell,Altro FROM Contatti WHERE IdUtente = 1 OR Condividi = -1",
     nullptr, "1|Anna|Rossi|06 123|NULL|NULL;2|Luca|Bianchi|NULL|333|amico", 0},
    {"anniversaries list",
     "select IdContatto,Nome,cognome,email,Compleanno,Annivers,Onomast FROM QryRicorrenze WHERE IdUtente = 2 OR Condividi = -1",
     nullptr, "2|Luca|Bianchi|NULL|NULL|NULL|NULL;3|Pia|D'Amico|NULL|NULL|NULL|NULL", 0},
    {"movements all years", MOV_LIST "   Order BY DataMov", nullptr,
     "4|2023-12-31|2023-12-31|Capodanno|0|99|Conto corrente|Contanti|Spesa (Uscita);"
     "1|2024-03-04|2024-03-04|Stipendio marzo|1500|0|Conto corrente|Bonifico|Stipendio (Entrata);"
     "2|2024-03-09|2024-03-09|Spesa 50% sconto|0|20.5|Libretto|Contanti|Spesa (Uscita);"
     "3|2024-03-10|2024-03-10|Spesa_bis|0|10|NULL|Contanti|Spesa (Uscita);"
     "5|2025-01-01|2025-01-01|Anno nuovo|5|0|Conto corrente|Contanti|Stipendio (Entrata)", 0},
    {"movements of a year", MOV_LIST "AND DatePart('yyyy',DataMov)=2024   Order BY DataMov", nullptr, "1;2;3", 1},
    {"movements of another year", MOV_LIST "AND DatePart('yyyy',DataMov)=2023   Order BY DataMov", nullptr, "4", 1},
    {"movements search", MOV_LIST "AND DatePart('yyyy',DataMov)=2024  AND IdUtente = 1 AND IdTipoPag = 1 AND "
     "IdTipoMov = 2 AND Uscita > 0 Order BY DataMov", nullptr, "3", 1},
    {"movements of an account", MOV_LIST "  AND IdConto = 1 AND Entrata > 0 Order BY DataMov", nullptr, "1;5", 1},
    {"movements between dates, noon upper bound",
     MOV_LIST "AND DatePart('yyyy',DataMov)=2024  AND DataMov BETWEEN # 03/04/2024 # AND # 03/09/2024 12.00 PM # "
     "Order BY DataMov", nullptr, "1;2", 1},
    {"between across the year", "select IdMov from Movimenti where DataMov BETWEEN #12/31/2023# AND #01/01/2025 12.00 PM# "
     "order by IdMov", nullptr, "1;2;3;4;5", 0},
    {"reversed range", "select IdMov from Movimenti where DataMov BETWEEN # 03/09/2024 # AND # 03/04/2024 12.00 PM #",
     nullptr, "", 0},
    {"reminders", "select * FROM Promemoria ", nullptr, "1|Pagare # bolletta & tasse|2024-03-05|-1;2|Chiamare *Luca*|NULL|0", 4},
    {"reminders not done", "select * FROM Promemoria WHERE Eseguito <> -1 ", nullptr, "2", 1},
    {"reminder done flag", "SELECT Eseguito From Promemoria Where IdPromemoria = 1 ", nullptr, "-1", 0},
    {"mark reminder done", "UPDATE Promemoria SET Eseguito=-1 Where IdPromemoria = 2 ",
     "SELECT Eseguito FROM Promemoria ORDER BY IdPromemoria", "-1;-1", 0},
    // search panel
    {"movement types with & and IIF", "select Tipomov.IdTipoMov,Tipomov.Descrizione & ' ('& "
     "IIF(Tipomov.EntrateUscite=0,'Uscita','Entrata')& ')' as Mov from Tipomov", nullptr,
     "1|Stipendio (Entrata);2|Spesa (Uscita);3| (Uscita)", 0},
    {"movement types ordered", "select Tipomov.IdTipoMov,Tipomov.Descrizione & ' ('& "
     "IIF(Tipomov.EntrateUscite=0,'Uscita','Entrata')& ')' as Mov from Tipomov Order By Tipomov.Descrizione", nullptr,
     "3| (Uscita);2|Spesa (Uscita);1|Stipendio (Entrata)", 0},
    {"payment types", "select * from TipoPag", nullptr, "1|Contanti|NULL;2|Bonifico|banca", 0},
    {"payment types ordered", "select * from TipoPag Order by NomePag", nullptr, "2;1", 1},
    {"users combo", "select IdUtente,Nome from Utenti", nullptr, "1|Admin;2|Mario;3|O'Neil", 0},
    {"accounts with & and Null", "select IdConto, (Descrizione & ' - ' & NConto) as Descr from Conti", nullptr,
     "1|Conto corrente - 123;2|Libretto - ", 0},
    {"accounts ordered", "select IdConto, (Descrizione & ' - ' & NConto) as Descr from Conti Order by Descrizione", nullptr,
     "1|Conto corrente - 123;2|Libretto - ", 0},
    // editors
    {"accounts form", "SELECT * FROM Conti", nullptr, "1|123|Roma|Conto corrente|2020-01-01;2|NULL|NULL|Libretto|NULL", 0},
    {"account by id", "SELECT * FROM Conti where IdConto= 2", nullptr, "2|NULL|NULL|Libretto|NULL", 0},
    {"accounts list", "select IdConto,NConto,comuconto,descrizione,DataApertura FROM Conti", nullptr,
     "1|123|Roma|Conto corrente|2020-01-01;2|NULL|NULL|Libretto|NULL", 0},
    {"movement types form", "SELECT * FROM TipoMov where IdTipoMov= 1", nullptr, "1|Stipendio|-1|NULL", 0},
    {"movement types list", "select IdTipoMov,Descrizione,Entrate,Uscite,Commento FROM qryTipoMov", nullptr,
     "1|Stipendio|1|0|NULL;2|Spesa|0|1|NULL;3|NULL|0|1|NULL", 0},
    {"payment type by id", "SELECT * FROM TipoPag where IdTipoPag= 2", nullptr, "2|Bonifico|banca", 0},
    {"payment types list", "select IdTipoPag,NomePag,Commento FROM TipoPag", nullptr, "1|Contanti|NULL;2|Bonifico|banca", 0},
    {"movement by id", "SELECT * FROM Movimenti where IdMov= 2", nullptr, "2|2024-03-09|2024-03-09|Spesa 50% sconto|0|20.5", 6},
    {"delete a movement", "DELETE FROM Movimenti where IdMov= 5", "SELECT count(*) FROM Movimenti WHERE IdMov = 5", "0", 0},
    // agenda
    {"week appointments", "SELECT * FROM Appunta INNER JOIN Postazioni ON Appunta.IdPostazione = Postazioni.IdPosto "
     "where DATA BETWEEN # 03/04/2024 # AND # 03/09/2024 12.00 PM # ORDER BY IdGiorno,Appunta.IdTurno", nullptr,
     "5|2024-03-04|2|08:00|2|Bianchi|2|Lettino|NULL;1|2024-03-04|2|09:00|1|Rossi Anna|1|Poltrona|P1;"
     "2|2024-03-09|7|08:00|2|D'Amico|2|Lettino|NULL", 0},
    {"shifts", "Select * from Turni", nullptr, "1|08:00;2|09:00", 0},
    {"workstations joined with +", "Select IdPosto,Nominativo + ' - ' + DescrBreve as DescrBreve from Postazioni", nullptr,
     "1|Poltrona - P1;2|NULL", 0},
    {"appointment by id", "SELECT * FROM Appunta where IdAppunta= 2", nullptr, "2|2024-03-09|7|08:00|2|D'Amico", 0},
    {"clients", "SELECT IdContatto, Cognome & ' ' & Nome as UserName FROM Contatti ORDER BY Cognome", nullptr,
     "2|Bianchi Luca;3|D'Amico Pia;1|Rossi Anna", 0},
    {"delete an appointment", "DELETE From Appunta Where IdAppunta = 3", "SELECT IdAppunta FROM Appunta", "1;2;4;5", 0},
    {"contact by id", "SELECT * FROM Contatti where IdContatto= 3", nullptr, "3|Pia|D'Amico", 3},
    {"reminder by id", "SELECT * FROM Promemoria WHERE IdPromemoria = 2 ", nullptr, "2|Chiamare *Luca*", 2},
    {"delete a reminder", "DELETE From Promemoria Where IdPromemoria = 2 ", "SELECT IdPromemoria FROM Promemoria", "1", 0},
    {"shifts source", "select Ora as Turno from Turni", nullptr, "08:00;09:00", 0},
    {"workstations source", "select Nominativo,DescrBreve as Descrizione_Breve from Postazioni", nullptr,
     "Poltrona|P1;Lettino|NULL", 0},
    {"find criterion", "select Nominativo from Postazioni where Nominativo like 'POL*'", nullptr, "Poltrona", 0},
    // families
    {"family read", "SELECT * FROM Aziende where IdAzienda = 2", nullptr, "2|Vecchia|NULL|A", 0},
    {"family update", "UPDATE Aziende SET NomeAzienda = 'O''Brien # & * Delete * from Aziende' Where IdAzienda = 1",
     "SELECT NomeAzienda FROM Aziende WHERE IdAzienda = 1", "O'Brien # & * Delete * from Aziende", 0},
    {"family edit", "Select * From Aziende WHERE IdAzienda = 1", nullptr, "1|Famiglia", 2},
    {"family delete", "Delete * from Aziende Where IdAzienda = 2", "SELECT IdAzienda FROM Aziende", "1", 0},
};

// The dialect around those texts.
const Case DialectCases[] = {
    {"qualified delete", "Delete Aziende.* from Aziende Where IdAzienda = 1", "SELECT IdAzienda FROM Aziende", "2", 0},
    // & and +: Null as empty, precedence below + and above comparisons
    {"& with Nulls", "select 'a' & Null & 'b', Null & Null, NConto & '' from Conti order by IdConto", nullptr,
     "ab|NULL|123;ab|NULL|", 0},
    {"& after +", "select 1 + 2 & 'x', 'x' & 1.5 * 2, 'n' & 2 - 5, 'v' & 20.5", nullptr, "3x|x3|n-3|v20.5", 0},
    {"& before =", "select IdConto from Conti where Descrizione & '!' = 'libretto!'", nullptr, "2", 0},
    {"& in a function", "select Trim('  ' & Nome & '  ') from Utenti where IdUtente = 1", nullptr, "Admin", 0},
    {"+ with a text literal", "select 'a' + 'b' + Nome, Nome + ' ', 2 + 3 from Utenti where IdUtente = 1", nullptr,
     "abAdmin|Admin |5", 0},
    {"+ of numbers stays arithmetic", "select Entrata + Uscita, Entrata - Uscita + 1 from Movimenti where IdMov = 2", nullptr,
     "20.5|-19.5", 0},
    {"IIF", "select IIF(Eseguito, 'Fatto', 'Da fare'), IIF(data Is Null, 'senza data', data) from Promemoria", nullptr,
     "Fatto|2024-03-05;Da fare|senza data", 0},
    {"IIF with Null", "select IIF(Null, 1, 2), IIF(True, 'v', 'f'), IIF(False, 'v', 'f')", nullptr, "2|v|f", 0},
    {"True and False", "select True, False, -1 as vero, 0 as falso", nullptr, "-1|0|-1|0", 0},
    // LIKE: * ? # and [lists] of Jet, % and _ of the data taken literally, no case
    {"like *", "select IdMov from Movimenti where Descrizione like 'spesa*' order by IdMov", nullptr, "2;3", 0},
    {"like with % in the data", "select IdMov from Movimenti where Descrizione like '*50%*'", nullptr, "2", 0},
    {"like with _ in the data", "select IdMov from Movimenti where Descrizione like 'Spesa_*'", nullptr, "3", 0},
    {"like ?", "select IdMov from Movimenti where Descrizione like 'Spes? 50*'", nullptr, "2", 0},
    {"like [*]", "select IdPromemoria from Promemoria where Testo like '*[*]Luca[*]'", nullptr, "2", 0},
    {"not like", "select IdMov from Movimenti where Descrizione not like '*a*' order by IdMov", nullptr, "", 0},
    {"like in double quotes", "select IdMov from Movimenti where Descrizione like \"*marzo\"", nullptr, "1", 0},
    {"like # and a range", "select IdMov from Movimenti where Descrizione like '[r-t]PESA ##*'", nullptr, "2", 0},
    {"like a negated list", "select IdMov from Movimenti where Descrizione like '[!s]*' order by IdMov", nullptr, "4;5", 0},
    {"like a built pattern", "select IdMov from Movimenti where 'SPESA 50% sconto oggi' like Descrizione & '*'", nullptr,
     "2", 0},
    {"like Null", "select IdConto from Conti where NConto like '*'", nullptr, "1", 0},
    // literals
    {"apostrophes", "select 'O''Neil', \"D'Amico\", \"say \"\"hi\"\"\", ''", nullptr, "O'Neil|D'Amico|say \"hi\"|", 0},
    {"syntax inside literals", "select '# 03/04/2024 #', 'a & b', 'x*y', 'Delete * from Aziende', 'True', \"a+'b'\"",
     nullptr, "# 03/04/2024 #|a & b|x*y|Delete * from Aziende|True|a+'b'", 0},
    {"like pattern stays in its literal", "select 'a*' from Utenti where Nome like 'Adm*' and 'x*' = 'x*'", nullptr,
     "a*", 0},
    {"bracketed names", "select [IdConto], [Conti].[Descrizione] from [Conti] where [IdConto] = 1", nullptr,
     "1|Conto corrente", 0},
    // dates
    {"date literals", "select #03/05/2024#, # 3/5/2024 #, #2024-03-05#, # 03/05/2024 12.00 PM #, #03/05/2024 1:30:15 PM#",
     nullptr, "2024-03-05|2024-03-05|2024-03-05|2024-03-05 12:00:00|2024-03-05 13:30:15", 0},
    {"leap day", "select #02/29/2024#", nullptr, "2024-02-29", 0},
    {"invalid day", "select # 02/30/2024 #", nullptr, "ERROR", 0},
    {"invalid month", "select IdMov from Movimenti where DataMov = #13/01/2024#", nullptr, "ERROR", 0},
    {"not a date", "select #ciao#", nullptr, "ERROR", 0},
    {"a bare # is no parameter", "select IdMov from Movimenti where DataMov = #abc", nullptr, "ERROR", 0},
    {"two minus signs are no comment", "select IdMov from Movimenti where IdMov = 3--1 or IdMov = 1 order by IdMov",
     nullptr, "1;4", 0},
    {"unterminated date", "select IdMov from Movimenti where DataMov > #03/05/2024", nullptr, "ERROR", 0},
    {"DatePart intervals", "select DatePart('q', #08/15/2024#), DatePart('m', #08/15/2024#), DatePart('d', #08/15/2024#), "
     "DatePart('y', #08/15/2024#), DatePart('w', #08/15/2024#), DatePart('ww', #08/15/2024#), DatePart(\"YYYY\", "
     "#08/15/2024#)", nullptr, "3|8|15|228|5|33|2024", 0},
    {"DatePart of a time", "select DatePart('h', # 03/09/2024 12.00 PM #), DatePart('n', '2024-03-09 10:30:45'), "
     "DatePart('s', '2024-03-09 10:30:45'), DatePart('h', '2024-03-09')", nullptr, "12|30|45|0", 0},
    {"DatePart week start", "select DatePart('w', #08/15/2024#, 2), DatePart('ww', #12/31/2024#, 2, 2), "
     "DatePart('ww', #01/01/2021#, 2, 2)", nullptr, "4|1|53", 0},
    {"DatePart of a date serial", "select DatePart('yyyy', 45292), DatePart('d', 45292.75), DatePart('h', 45292.75), "
     "DatePart('d', -1.5), DatePart('h', -1.5)", nullptr, "2024|1|18|29|12", 0},
    {"DatePart of a serial beyond the dates", "select DatePart('yyyy', 1e12)", nullptr, "ERROR", 0},
    {"DatePart of Null", "select DatePart('yyyy', data) from Promemoria order by IdPromemoria", nullptr, "2024;NULL", 0},
    {"DatePart of no date", "select DatePart('yyyy', 'ieri')", nullptr, "ERROR", 0},
    // the year filter: the rows of DatePart, whether or not it reaches SQLite as a range
    {"year filter", "select Id from Giorni where DatePart('yyyy',Giorno)=2024 order by Giorno", nullptr, "4;5;6;7", 0},
    {"year filter, the year before", "select Id from Giorni where DatePart('yyyy',Giorno)=2023", nullptr, "2;3", 0},
    {"year filter, a three-digit year", "select Id from Giorni where DatePart('yyyy',Giorno)=999", nullptr, "9", 0},
    {"year filter negated: no Null date", "select Id from Giorni where not DatePart('yyyy',Giorno)=2024 order by Id",
     nullptr, "2;3;8;9", 0},
    {"year filter among others", "select Id from Giorni where Id > 1 AND DatePart(\"YYYY\", Giorni.[Giorno]) = 2024 "
     "AND Id < 7 OR Id = 1 order by Id", nullptr, "1;4;5;6", 0},
    {"year filter after a between", "select Id from Giorni where Id between 2 and DatePart('yyyy',Giorno)=1 order by Id",
     nullptr, "2;3;4;5;6;7;8;9", 0},
    {"year filter, a year summed", "select Id from Giorni where DatePart('yyyy',Giorno)=2023+1", nullptr, "4;5;6;7", 0},
    {"year filter, a year in brackets", "select Id from Giorni where DatePart('yyyy',Giorno)=(2024)", nullptr, "4;5;6;7", 0},
    {"year filter, a year with decimals", "select Id from Giorni where DatePart('yyyy',Giorno)=2024.0", nullptr, "4;5;6;7", 0},
    {"year filter, the year first", "select Id from Giorni where 2024=DatePart('yyyy',Giorno)", nullptr, "4;5;6;7", 0},
    {"year filter on a day DatePart refuses", "select 1 from (select '2024-02-30' as g) where DatePart('yyyy',g)=2024",
     nullptr, "ERROR", 0},
    {"year filter negated, on a day DatePart refuses",
     "select 1 from (select '2023-02-30' as g) where not DatePart('yyyy',g)=2024", nullptr, "ERROR", 0},
    {"year filter, a year beyond the dates", "select Id from Giorni where DatePart('yyyy',Giorno)=99999", nullptr, "", 0},
    {"DatePart of an unknown interval", "select DatePart('x', '2024-01-01')", nullptr, "ERROR", 0},
    {"today from the clock", "select Date(), date(), Now(), Giorno from Oggi", nullptr,
     "2024-03-05|2024-03-05|2024-03-05 10:15:00|2024-03-05", 0},
    {"date with arguments stays SQLite's", "select date('2024-03-05', '+1 day')", nullptr, "2024-03-06", 0},
    {"due reminders", "select IdPromemoria from Promemoria where data <= Date()", nullptr, "1", 0},
};

QString valueText(sqlite3_stmt *st, int col)
{
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL:
        return QStringLiteral("NULL");
    case SQLITE_FLOAT:
        return QString::number(sqlite3_column_double(st, col), 'g', 15);
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, col)),
                                 sqlite3_column_bytes(st, col));
    }
}

// Runs one SQLite text: the rows as "a|b;c|d", or "ERROR" when it is refused.
QString run(sqlite3 *db, const QString &sql, int columns = 0)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return QStringLiteral("ERROR");
    }
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QStringList values;
        const int n = columns > 0 ? qMin(columns, sqlite3_column_count(st)) : sqlite3_column_count(st);
        for (int c = 0; c < n; ++c)
            values << valueText(st, c);
        rows << values.join(QLatin1Char('|'));
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? rows.join(QLatin1Char(';')) : QStringLiteral("ERROR");
}

} // namespace

class tst_JetSql : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    sqlite3 *m_db = nullptr;

    void closeDb()
    {
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(m_dir.isValid());
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(10, 15)));
    }

    // A fresh database for each row, since statements change it.
    void init()
    {
        const QString path = m_dir.filePath(QStringLiteral("jet.db"));
        QFile::remove(path);
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &m_db), SQLITE_OK);
        JetSql::registerFunctions(m_db);
        char *error = nullptr;
        sqlite3_exec(m_db, Schema, nullptr, nullptr, &error);
        QVERIFY2(!error, error);
        QCOMPARE(run(m_db, JetSql::translate(QString::fromLatin1(QryMov))), QString());
    }

    void cleanup() { closeDb(); }

    void cleanupTestCase() { Clock::setNow({}); }

    void texts_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("columns");
        for (const Case &c : ProgramTexts)
            QTest::newRow(c.tag) << QString::fromUtf8(c.jet) << QString::fromUtf8(c.check)
                                 << QString::fromUtf8(c.expected) << c.columns;
        for (const Case &c : DialectCases)
            QTest::newRow(c.tag) << QString::fromUtf8(c.jet) << QString::fromUtf8(c.check)
                                 << QString::fromUtf8(c.expected) << c.columns;
    }

    void texts()
    {
        QFETCH(QString, jet);
        QFETCH(QString, check);
        QFETCH(QString, expected);
        QFETCH(int, columns);
        const QString sql = JetSql::translate(jet);
        const QString rows = run(m_db, sql, columns);
        if (check.isEmpty()) {
            QVERIFY2(rows == expected, qPrintable(QStringLiteral("%1\n   got: %2\nwanted: %3").arg(sql, rows, expected)));
        } else {
            QVERIFY2(rows == QString(), qPrintable(sql));
            QCOMPARE(run(m_db, check), expected);
        }
    }

    // The literals come out exactly as they went in (quotes normalised to SQLite's).
    void literalsUntouched_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("hash and ampersand") << "SELECT 'a # b & c' FROM T" << "SELECT 'a # b & c' FROM T";
        QTest::newRow("double quotes") << "SELECT \"Delete * from T\"" << "SELECT 'Delete * from T'";
        QTest::newRow("apostrophe in double quotes") << "SELECT \"l'*\"" << "SELECT 'l''*'";
        QTest::newRow("true in a bracket") << "SELECT [True] FROM T" << "SELECT [True] FROM T";
        QTest::newRow("like pattern only") << "SELECT '*' FROM T WHERE a LIKE 'b*' AND c = '?'"
                                           << "SELECT '*' FROM T WHERE a LIKE 'b*' AND c = '?'";
        QTest::newRow("no comment from two minus signs") << "SELECT 1 - -1" << "SELECT 1 - -1";
        QTest::newRow("minus True") << "SELECT 1 -True" << "SELECT 1 - -1";
    }

    void literalsUntouched()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(JetSql::translate(jet), sqlite);
    }

    // The movements list's year filter reaches SQLite as ranges of DataMov that the index serves: only
    // the year's movements are read.
    void yearFilterReadsOnlyItsYear()
    {
        ProgramFolder folder;
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(folder.familyPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        JetSql::registerFunctions(db);
        const QString sql = JetSql::translate(QStringLiteral(MOV_LIST "AND DatePart('yyyy',DataMov)=2024   Order BY DataMov"));
        const QString plan = run(db, QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        sqlite3_close(db);
        QVERIFY2(plan.contains(QLatin1String("SEARCH m USING INDEX Movimenti_DataMov (DataMov>? AND DataMov<?)")),
                 qPrintable(sql + QLatin1Char('\n') + plan));
    }

    // The year filter translated against DatePart left in (brackets keep it from being translated), on
    // random conditions and random stored values, row by row: wherever the untranslated condition
    // answers, the translated one answers the same. The column is a date, one without type and a text
    // compared without case, each holding the same values as stored there.
    void yearFilterAsDatePart()
    {
        QCOMPARE(run(m_db, QStringLiteral(
                     "CREATE TABLE V (Id INTEGER PRIMARY KEY, d DATE, e, t TEXT COLLATE NOCASE, a INTEGER, b TEXT);"
                     "CREATE INDEX V_d ON V (d); CREATE INDEX V_t ON V (t)")), QString());
        QRandomGenerator rng(20240229);
        const int years[] = {1, 2, 100, 999, 1000, 1899, 1900, 1999, 2000, 2023, 2024, 2025, 9998, 9999};
        auto year = [&] { return rng.bounded(4) ? years[rng.bounded(int(std::size(years)))] : rng.bounded(1, 10000); };
        auto iso = [](int y, int m, int d) {
            return QStringLiteral("%1-%2-%3").arg(y, 4, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'))
                .arg(d, 2, 10, QLatin1Char('0'));
        };
        auto serial = [](int y) { return double(QDate(1899, 12, 30).daysTo(QDate(y, 1, 1))); };
        static const char *const malformed[] = {"%1-13-01", "%1-00-10", "%1-04-31", "%1-02-30", "%1-1-01", "%1-01-01x",
            "%1-01-01 25:00", "%1-01-01 1", "%1-12-31T23", "%1", "%1-01", " %1-01-01", "%1/01/01", "0000-01-01",
            "%1-06-15 10:00:00 e poi", "ieri", ""};
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(m_db, "INSERT INTO V (d, e, t, a, b) VALUES (?1, ?1, ?1, ?2, ?3)", -1, &insert, nullptr);
        const int values = 300;
        for (int row = 0; row < values; ++row) {
            const int y = year();
            QByteArray text;
            switch (rng.bounded(8)) {
            case 0: sqlite3_bind_null(insert, 1); break;
            case 1: sqlite3_bind_int64(insert, 1, qint64(serial(y)) + rng.bounded(-2, 3)); break;
            case 2: sqlite3_bind_double(insert, 1, serial(y) + rng.bounded(-8, 9) / 4.0); break;
            case 3: text = QByteArray(malformed[rng.bounded(int(std::size(malformed)))])
                               .replace("%1", QByteArray::number(y).rightJustified(4, '0')); break;
            case 4: text = iso(y, 2, 29).toUtf8(); break;   // a leap day, or no day
            case 5: text = (iso(y, rng.bounded(2) ? 12 : 1, rng.bounded(2) ? 31 : 1)
                            + (rng.bounded(2) ? QStringLiteral(" 23:59:59") : QStringLiteral("T00:00"))).toUtf8(); break;
            default: text = iso(y, rng.bounded(1, 13), rng.bounded(1, 29)).toUtf8();
            }
            if (!text.isNull())
                sqlite3_bind_text(insert, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            rng.bounded(4) ? sqlite3_bind_int(insert, 2, rng.bounded(4)) : sqlite3_bind_null(insert, 2);
            sqlite3_bind_text(insert, 3, rng.bounded(2) ? "x" : "Y", -1, SQLITE_STATIC);
            QCOMPARE(sqlite3_step(insert), SQLITE_DONE);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);

        // Random conditions; the pieces of each are joined in the order they are drawn.
        auto cat = [](const QStringList &parts) { return parts.join(QString()); };
        static const char *const columns[] = {"d", "e", "t", "V.d", "[d]"};
        static const char *const others[] = {"a = 1", "a > 1", "a IS NULL", "b = 'x'", "b LIKE 'y*'", "d IS NULL",
                                             "a BETWEEN 1 AND 2", "NOT a = 2", "Id > 150"};
        auto datePart = [&] {
            const char *column = columns[rng.bounded(int(std::size(columns)))];
            const int y = rng.bounded(40) ? year() : rng.bounded(2) ? 0 : 10000;
            return QStringLiteral("DatePart('yyyy',%1)=%2").arg(QLatin1String(column)).arg(y);
        };
        std::function<QString(int)> condition = [&](int depth) -> QString {
            const int pick = depth > 3 ? rng.bounded(2) : rng.bounded(12);
            const QString other = QLatin1String(others[rng.bounded(int(std::size(others)))]);
            const QString and_ = QStringLiteral(" AND ");
            switch (pick) {
            case 0: return datePart();
            case 1: return other;
            case 2: return cat({condition(depth + 1), and_, condition(depth + 1)});
            case 3: return cat({condition(depth + 1), QStringLiteral(" OR "), condition(depth + 1)});
            case 4: return QStringLiteral("NOT ") + condition(depth + 1);
            case 5: return QStringLiteral("(%1)").arg(condition(depth + 1));
            case 6: return other + QStringLiteral(" AND a BETWEEN 0 AND ") + datePart();
            case 7: return cat({QStringLiteral("a BETWEEN CASE WHEN "), condition(depth + 1),
                                QStringLiteral(" THEN 0 ELSE 1 END AND "), datePart()});
            case 8: return cat({QStringLiteral("CASE WHEN "), condition(depth + 1), QStringLiteral(" THEN "),
                                condition(depth + 1), QStringLiteral(" ELSE "), condition(depth + 1), QStringLiteral(" END")});
            case 9: return QStringLiteral("(%1) = 0").arg(condition(depth + 1));
            case 10: return QStringLiteral("a BETWEEN 0 AND 2 AND ") + datePart();
            default: return cat({datePart(), and_, condition(depth + 1)});
            }
        };
        // The same condition with each DatePart in brackets, which keep it from being translated.
        const QRegularExpression datePartCall(QStringLiteral("(DatePart\\([^)]*\\))"));

        // Each row on its own, so that a value DatePart refuses stops only that row.
        auto prepare = [&](const QString &where) {
            const QByteArray sql = JetSql::translate(QStringLiteral("SELECT Id FROM V WHERE Id = ? AND (%1)")
                                                     .arg(where)).toUtf8();
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &st, nullptr);
            return st;
        };
        auto outcome = [](sqlite3_stmt *st, int id) {
            sqlite3_bind_int(st, 1, id);
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            return rc == SQLITE_ROW ? 1 : rc == SQLITE_DONE ? 0 : -1;
        };
        // One read transaction for all the statements, not one each.
        QCOMPARE(run(m_db, QStringLiteral("BEGIN")), QString());
        const int filters = 3000;
        int translated = 0, answered = 0, refused = 0, differences = 0;
        QString first;
        for (int n = 0; n < filters; ++n) {
            const QString f = condition(0);
            translated += JetSql::translate(f).contains(QLatin1String("-01-01'"));
            sqlite3_stmt *plain = prepare(f), *kept = prepare(QString(f).replace(datePartCall, QStringLiteral("(\\1)")));
            QVERIFY2(plain && kept, qPrintable(f));
            for (int id = 1; id <= values; ++id) {
                const int want = outcome(kept, id);
                if (want < 0) {
                    ++refused;
                    continue;
                }
                ++answered;
                if (outcome(plain, id) != want && differences++ == 0)
                    first = QStringLiteral("%1 on row %2").arg(JetSql::translate(f)).arg(id);
            }
            sqlite3_finalize(plain);
            sqlite3_finalize(kept);
        }
        qInfo("%d filters (%d with the year as a range) on %d stored values: %d answers compared, %d refused by "
              "DatePart, %d differences", filters, translated, values, answered, refused, differences);
        QVERIFY2(differences == 0, qPrintable(QStringLiteral("%1 differences, the first: %2").arg(differences).arg(first)));
        QVERIFY(translated > filters / 4);
        QVERIFY(refused > 0 && answered > refused);
    }

    // The programs' texts also run on the family database the build makes, whose tables and saved
    // queries they name.
    void onFamilyDatabase()
    {
        ProgramFolder folder;
        for (const Case &c : ProgramTexts) {
            const QString jet = QString::fromUtf8(c.jet);
            const QString file = jet.contains(QLatin1String("Aziende")) ? folder.logoPath() : folder.familyPath();
            sqlite3 *db = nullptr;
            QCOMPARE(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
            JetSql::registerFunctions(db);
            const QString sql = JetSql::translate(jet);
            const bool ran = run(db, sql) != QLatin1String("ERROR");
            const QString error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_close(db);
            QVERIFY2(ran, qPrintable(sql + ": " + error));
        }
    }

    // Random and mutated texts: the translation must never crash and SQLite must be able to
    // prepare or refuse whatever it produces.
    void randomTexts()
    {
        QStringList corpus;
        for (const Case &c : ProgramTexts)
            corpus << QString::fromUtf8(c.jet);
        for (const Case &c : DialectCases)
            corpus << QString::fromUtf8(c.jet);
        corpus << QString::fromLatin1(QryMov);
        static const char *const pieces[] = {
            "'", "\"", "#", "[", "]", "(", ")", "&", "*", "+", "-", "?", "%", "_", ",", ";", ".", "=", "<>", "!",
            "--", "/*", "\\", " ", "  ", "\t", "\n", "SELECT ", " FROM ", " WHERE ", " AND ", " OR ", " LIKE ",
            " BETWEEN ", "Delete * from ", "IIF(", "DatePart('yyyy',", "True", "False", "Null", "# 03/05/2024 #",
            "# 03/05/2024 12.00 PM #", "#13/45/2024#", "'a''b'", "\"x\"\"y\"", "1", "2.5", "1e3", "Movimenti",
            "DataMov", "jet_concat(", "date()", "Now()", "INNER JOIN ", " ON ", "[Conti].[IdConto]", "àèì€",
            "\xF0\x9F\x98\x80"};
        QRandomGenerator rng(20240305);
        auto piece = [&]() { return QString::fromUtf8(pieces[rng.bounded(int(std::size(pieces)))]); };
        auto randomChar = [&]() -> QString {
            switch (rng.bounded(4)) {
            case 0: return QString(QChar(char16_t(rng.bounded(0x20, 0x7F))));
            case 1: return QString(QChar(char16_t(rng.bounded(0, 0x20))));
            case 2: return QString(QChar(char16_t(rng.bounded(0xD800, 0xE000))));   // lone surrogates
            default: return QString(QChar(char16_t(rng.bounded(0x80, 0x10000))));
            }
        };

        // Extremes first: deep nesting, a long text, nothing but delimiters.
        const QStringList extremes = {
            QStringLiteral("SELECT ") + QString(100000, QLatin1Char('(')) + QStringLiteral("1 & 2")
                + QString(100000, QLatin1Char(')')),
            QStringLiteral("SELECT ") + QStringLiteral("'a' & ").repeated(20000) + QStringLiteral("'b'"),
            QString(5000, QLatin1Char('#')), QString(5001, QLatin1Char('\'')), QString(5001, QLatin1Char('"')),
            QString(5000, QLatin1Char('[')), QString(5000, QLatin1Char('&')), QString(), QStringLiteral(" ")};
        int prepared = 0, refused = 0;
        for (int iteration = 0; iteration < 20000 + extremes.size(); ++iteration) {
            QString s;
            if (iteration >= 20000) {
                s = extremes[iteration - 20000];
            } else if (rng.bounded(10) == 0) {
                for (int k = rng.bounded(1, 30); k > 0; --k)
                    s += rng.bounded(3) ? piece() : randomChar();
            } else {
                s = corpus[rng.bounded(int(corpus.size()))];
                for (int k = rng.bounded(1, 5); k > 0; --k) {
                    const int at = s.isEmpty() ? 0 : rng.bounded(int(s.size()) + 1);
                    const int len = rng.bounded(int(s.size()) - at + 1);
                    switch (rng.bounded(6)) {
                    case 0: s = rng.bounded(2) ? s.left(at) : s.mid(at); break;          // cut
                    case 1: s.insert(at, s.mid(at, len)); break;                          // duplicate
                    case 2: s.remove(at, len); break;                                     // delete
                    case 3: s.insert(at, piece()); break;
                    case 4: s.insert(at, randomChar()); break;
                    default: s.insert(at, QString(rng.bounded(1, 300), QLatin1Char(rng.bounded(2) ? '(' : ')')));
                    }
                }
            }
            const QByteArray sql = JetSql::translate(s).toUtf8();
            sqlite3_stmt *st = nullptr;
            if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &st, nullptr) == SQLITE_OK && st) {
                ++prepared;
                // Run a few rows too, so that the functions meet odd arguments.
                for (int row = 0; row < 5 && sqlite3_step(st) == SQLITE_ROW; ++row) {}
            } else {
                ++refused;
            }
            sqlite3_finalize(st);
        }
        // Both outcomes occur: the loop really fed SQLite texts it accepts and texts it refuses.
        QVERIFY(prepared > 500);
        QVERIFY(refused > 1000);
    }
};

QTEST_GUILESS_MAIN(tst_JetSql)
#include "tst_jetsql.moc"
