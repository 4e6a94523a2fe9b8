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
-- A fiscal code names its place by code.
CREATE INDEX codice ON Comuni (comcode);
CREATE TABLE CodiciUfficioIva (
    ufficioIva TEXT
);
-- The periods in which each place code was in use, one row per period: Dal
-- the first day and Al the last, as ISO dates. Al is empty while the place
-- exists; Dal is empty where the place was in use before the records begin.
CREATE TABLE ValiditaLuoghi (
    comcode TEXT,
    Dal TEXT,
    Al TEXT
);
CREATE INDEX validita ON ValiditaLuoghi (comcode);
-- The periods in which a municipality lay in a province other than its PROV
-- in Comuni (Palau in OT from 2006 to 2016), with the same dates as above.
CREATE TABLE ProvinceLuoghi (
    comcode TEXT,
    Dal TEXT,
    Al TEXT,
    PROV TEXT
);
CREATE INDEX provincia ON ProvinceLuoghi (comcode);
