-- Schema of DatiAtto.mdb. Names are compared without regard to case in the
-- Unicode sense through the collation NOCASEU, which the program registers on
-- every connection; the index "comune" is what the birthplace box seeks.
CREATE TABLE Comuni (
    Nome TEXT,
    PROV TEXT,
    comcode TEXT,
    CodiceCatastale TEXT,
    CAP TEXT
);
CREATE INDEX comune ON Comuni (Nome COLLATE NOCASEU);
CREATE TABLE CodiciUfficioIva (
    ufficioIva TEXT
);
