-- The families database (Dati/logo.mdb): one row per family. Written by the Backup program, read at sign-in.

CREATE TABLE Aziende (
    IdAzienda    INTEGER PRIMARY KEY,
    NomeAzienda  TEXT(255) COLLATE NOCASE,
    Indirizzo    TEXT(1024) COLLATE NOCASE,    -- the family database's connection text, without password
    PercorsoO    TEXT(1024) COLLATE NOCASE,    -- the family database file (origin of the backup copy)
    PercorsoD    TEXT(1024) COLLATE NOCASE,    -- the backup copy's destination
    TipoProvider TEXT(10) COLLATE NOCASE
);
