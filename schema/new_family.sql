-- The families database row of a new family, as the Backup program writes it. :Nome is the family's
-- name (trimmed), :Cartella the program folder.
INSERT INTO Aziende (TipoProvider, NomeAzienda, PercorsoO, Indirizzo, PercorsoD)
VALUES ('A', :Nome,
        :Cartella || '/Dati/' || :Nome || '.mdb',
        'Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=' || :Cartella || '/Dati/' || :Nome || '.mdb',
        :Cartella || '/Backup/' || :Nome || '.mdb');
