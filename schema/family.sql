-- The family database template (Dati/Exe.mdb); each new family's database is a copy of it.
-- Declared types tell the recordsets how to type values: INTEGER/LONG whole numbers, DOUBLE amounts,
-- DATE ISO text 'yyyy-MM-dd', YESNO -1/0, TEXT(n) and MEMO texts. Texts compare without regard to case,
-- passwords exactly. "MEMO TEXT" keeps text affinity, so a note such as "007" is stored as typed.

CREATE TABLE Utenti (
    IdUtente      INTEGER PRIMARY KEY,
    Nome          TEXT(50) COLLATE NOCASE,
    Cognome       TEXT(50) COLLATE NOCASE,
    DataNascita   DATE,
    ComuNascita   TEXT(100) COLLATE NOCASE,
    Tel           TEXT(50) COLLATE NOCASE,
    Cell          TEXT(50) COLLATE NOCASE,
    Mail          TEXT(255) COLLATE NOCASE,
    Web           TEXT(255) COLLATE NOCASE,
    Commento      TEXT(255) COLLATE NOCASE,
    Pwd           TEXT(50),
    Ruolo         TEXT(50) COLLATE NOCASE,
    LockAccess    YESNO DEFAULT 0,
    Administrator YESNO DEFAULT 0,
    DataUpdate    DATE
);

CREATE TABLE Contatti (
    IdContatto      INTEGER PRIMARY KEY,
    Nome            TEXT(100) COLLATE NOCASE,
    cognome         TEXT(100) COLLATE NOCASE,
    Indirizzo       TEXT(255) COLLATE NOCASE,
    Localita        TEXT(100) COLLATE NOCASE,
    Stato           TEXT(100) COLLATE NOCASE,
    Provincia       TEXT(50) COLLATE NOCASE,
    Cap             TEXT(20) COLLATE NOCASE,
    Tel             TEXT(50) COLLATE NOCASE,
    Tel2            TEXT(50) COLLATE NOCASE,
    Cell            TEXT(50) COLLATE NOCASE,
    Cell2           TEXT(50) COLLATE NOCASE,
    fax             TEXT(50) COLLATE NOCASE,
    email           TEXT(255) COLLATE NOCASE,
    email2          TEXT(255) COLLATE NOCASE,
    email3          TEXT(255) COLLATE NOCASE,
    web             TEXT(255) COLLATE NOCASE,
    CompagniaLavoro TEXT(255) COLLATE NOCASE,
    Departimento    TEXT(100) COLLATE NOCASE,
    Impiego         TEXT(100) COLLATE NOCASE,
    NInterno        TEXT(50) COLLATE NOCASE,
    IndirizzoLavoro TEXT(255) COLLATE NOCASE,
    CittaLavoro     TEXT(100) COLLATE NOCASE,
    StatoLavoro     TEXT(100) COLLATE NOCASE,
    CapLavoro       TEXT(20) COLLATE NOCASE,
    TelLavoro       TEXT(50) COLLATE NOCASE,
    TelLavoro2      TEXT(50) COLLATE NOCASE,
    CellLavoro      TEXT(50) COLLATE NOCASE,
    FaxLavoro       TEXT(50) COLLATE NOCASE,
    Partner         TEXT(100) COLLATE NOCASE,
    Figli           TEXT(255) COLLATE NOCASE,
    Sesso           TEXT(50) COLLATE NOCASE,
    Nascita         DATE,
    Anniversario    DATE,
    Onomastico      DATE,
    altro           MEMO TEXT COLLATE NOCASE,
    Condividi       YESNO DEFAULT 0,
    IdUtente        LONG,
    DataUpdate      DATE
);

CREATE TABLE Promemoria (
    IdPromemoria INTEGER PRIMARY KEY,
    Testo        TEXT(255) COLLATE NOCASE,
    data         DATE,
    Eseguito     YESNO DEFAULT 0,
    DataUpdate   DATE
);

CREATE TABLE Conti (
    IdConto      INTEGER PRIMARY KEY,
    NConto       TEXT(50) COLLATE NOCASE,
    ComuConto    TEXT(100) COLLATE NOCASE,
    Descrizione  TEXT(255) COLLATE NOCASE,
    DataApertura DATE,
    DataChiusura DATE,
    info         TEXT(255) COLLATE NOCASE,
    DataUpdate   DATE
);

CREATE TABLE TipoMov (
    IdTipoMov     INTEGER PRIMARY KEY,
    Descrizione   TEXT(255) COLLATE NOCASE,
    EntrateUscite YESNO DEFAULT 0,
    Commento      TEXT(255) COLLATE NOCASE,
    DataUpdate    DATE
);

CREATE TABLE TipoPag (
    IdTipoPag  INTEGER PRIMARY KEY,
    NomePag    TEXT(100) COLLATE NOCASE,
    Commento   TEXT(255) COLLATE NOCASE,
    DataUpdate DATE
);

-- A referenced account, payment type, movement type or user cannot be deleted. The account may be empty.
CREATE TABLE Movimenti (
    IdMov       INTEGER PRIMARY KEY,
    DataReg     DATE,
    DataMov     DATE,
    Descrizione TEXT(255) COLLATE NOCASE,
    Entrata     DOUBLE NOT NULL DEFAULT 0,
    Uscita      DOUBLE NOT NULL DEFAULT 0,
    IdConto     LONG REFERENCES Conti (IdConto),
    IdTipoPag   LONG REFERENCES TipoPag (IdTipoPag),
    IdTipoMov   LONG REFERENCES TipoMov (IdTipoMov),
    IdUtente    LONG REFERENCES Utenti (IdUtente),
    DataUpdate  DATE
);
CREATE INDEX Movimenti_DataMov ON Movimenti (DataMov);
CREATE INDEX Movimenti_IdConto ON Movimenti (IdConto);
CREATE INDEX Movimenti_IdTipoPag ON Movimenti (IdTipoPag);
CREATE INDEX Movimenti_IdTipoMov ON Movimenti (IdTipoMov);
CREATE INDEX Movimenti_IdUtente ON Movimenti (IdUtente);

CREATE TABLE Turni (
    IdTurno INTEGER PRIMARY KEY,
    Ora     TEXT(50) COLLATE NOCASE
);

CREATE TABLE Postazioni (
    IdPosto    INTEGER PRIMARY KEY,
    Nominativo TEXT(100) COLLATE NOCASE,
    DescrBreve TEXT(255) COLLATE NOCASE
);

-- IdTurno holds the shift's Ora text. One appointment per day, shift and workstation.
CREATE TABLE Appunta (
    IdAppunta    INTEGER PRIMARY KEY,
    Data         DATE,
    IdGiorno     LONG,
    Anno         LONG,
    IdTurno      TEXT(50) COLLATE NOCASE,
    IdPostazione LONG REFERENCES Postazioni (IdPosto),
    Cliente      TEXT(255) COLLATE NOCASE,
    Note         MEMO TEXT COLLATE NOCASE,
    Data_Update  DATE
);
CREATE UNIQUE INDEX Appunta_Posto ON Appunta (Data, IdTurno, IdPostazione);
CREATE INDEX Appunta_IdPostazione ON Appunta (IdPostazione);

-- The movements with the names of their account, payment type and movement type; a movement without
-- an account (or whose type is missing) is still listed.
CREATE VIEW qryMov (IdMov, DataReg, DataMov, Descrizione, Entrata, Uscita, DescrConto, NomePag, Mov,
                    IdUtente, IdTipoPag, IdConto, IdTipoMov) AS
SELECT m.IdMov, m.DataReg, m.DataMov, m.Descrizione, m.Entrata, m.Uscita, c.Descrizione, p.NomePag, t.Descrizione,
       m.IdUtente, m.IdTipoPag, m.IdConto, m.IdTipoMov
FROM Movimenti AS m
LEFT JOIN Conti AS c ON c.IdConto = m.IdConto
LEFT JOIN TipoPag AS p ON p.IdTipoPag = m.IdTipoPag
LEFT JOIN TipoMov AS t ON t.IdTipoMov = m.IdTipoMov;

-- Entrate and Uscite read as the program shows a Yes/No value.
CREATE VIEW qryTipoMov (IdTipoMov, Descrizione, Entrate, Uscite, Commento) AS
SELECT IdTipoMov, Descrizione,
       CASE WHEN EntrateUscite <> 0 THEN 'Vero' ELSE 'Falso' END,
       CASE WHEN EntrateUscite <> 0 THEN 'Falso' ELSE 'Vero' END,
       Commento
FROM TipoMov;

-- The coming occurrence (today or later) of each of a contact's three dates; a 29 February falls on the
-- last day of February in other years. date() is today: the program's clock, or the system's outside it.
CREATE VIEW QryRicorrenze (IdContatto, Nome, cognome, email, Compleanno, Annivers, Onomast, IdUtente, Condividi) AS
SELECT IdContatto, Nome, cognome, email,
       CASE WHEN Nascita1 >= Oggi THEN Nascita1 ELSE Nascita2 END,
       CASE WHEN Anniversario1 >= Oggi THEN Anniversario1 ELSE Anniversario2 END,
       CASE WHEN Onomastico1 >= Oggi THEN Onomastico1 ELSE Onomastico2 END,
       IdUtente, Condividi
FROM (
    SELECT k.IdContatto, k.Nome, k.cognome, k.email, k.IdUtente, k.Condividi, o.Oggi,
           CASE WHEN substr(date(k.Nascita), 6) = '02-29' THEN date(o.Anno || '-03-01', '-1 day')
                ELSE o.Anno || substr(date(k.Nascita), 5) END AS Nascita1,
           CASE WHEN substr(date(k.Nascita), 6) = '02-29' THEN date((o.Anno + 1) || '-03-01', '-1 day')
                ELSE (o.Anno + 1) || substr(date(k.Nascita), 5) END AS Nascita2,
           CASE WHEN substr(date(k.Anniversario), 6) = '02-29' THEN date(o.Anno || '-03-01', '-1 day')
                ELSE o.Anno || substr(date(k.Anniversario), 5) END AS Anniversario1,
           CASE WHEN substr(date(k.Anniversario), 6) = '02-29' THEN date((o.Anno + 1) || '-03-01', '-1 day')
                ELSE (o.Anno + 1) || substr(date(k.Anniversario), 5) END AS Anniversario2,
           CASE WHEN substr(date(k.Onomastico), 6) = '02-29' THEN date(o.Anno || '-03-01', '-1 day')
                ELSE o.Anno || substr(date(k.Onomastico), 5) END AS Onomastico1,
           CASE WHEN substr(date(k.Onomastico), 6) = '02-29' THEN date((o.Anno + 1) || '-03-01', '-1 day')
                ELSE (o.Anno + 1) || substr(date(k.Onomastico), 5) END AS Onomastico2
    FROM Contatti AS k,
         (SELECT date() AS Oggi, substr(date(), 1, 4) + 0 AS Anno) AS o
);

-- The first user: signs in as Admin with no password and cannot be deleted.
INSERT INTO Utenti (Nome, Pwd, Ruolo, LockAccess, Administrator) VALUES ('Admin', '', 'Admin', 0, -1);
