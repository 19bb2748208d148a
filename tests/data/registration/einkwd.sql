-- The registration-number database (einkwd.mdb): one entry per registrant,
-- found by its registration number KwdKey. Morvane only reads it.
CREATE TABLE EinKwdTable (
  EinKey          TEXT(9) COLLATE NOCASE,
  KwdKey          INTEGER,
  EntityName      TEXT(150) COLLATE NOCASE,
  EntityOrg       TEXT(150) COLLATE NOCASE,
  EntityType      TEXT(150) COLLATE NOCASE,
  EntitySubType   TEXT(120) COLLATE NOCASE,
  Street1         TEXT(150) COLLATE NOCASE,
  Street2         TEXT(150) COLLATE NOCASE,
  POBox           TEXT(65) COLLATE NOCASE,
  City            TEXT(60) COLLATE NOCASE,
  State           TEXT(30) COLLATE NOCASE,
  ZipCode         TEXT(10) COLLATE NOCASE,
  Country         TEXT(10) COLLATE NOCASE,
  EmailAddress    TEXT(60) COLLATE NOCASE,
  TelephoneNumber TEXT(60) COLLATE NOCASE,
  InputSource     TEXT(20) COLLATE NOCASE,
  RegDt           TEXT(8) COLLATE NOCASE,
  UpdDt           TEXT(8) COLLATE NOCASE
);
CREATE INDEX idxKwdKey ON EinKwdTable (KwdKey);
