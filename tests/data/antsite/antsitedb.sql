-- The antenna-site database: one AntSiteInfo row per site and one
-- AntSiteCallSign row listing the call signs and radio services seen there.
CREATE TABLE AntSiteInfo (
  "Group"       TEXT(1) COLLATE NOCASE,
  AntSiteKey    TEXT(20) COLLATE NOCASE,
  TowerReg      TEXT(10) COLLATE NOCASE,
  StructureType TEXT(9) COLLATE NOCASE,
  Name          TEXT(20) COLLATE NOCASE,
  Street        TEXT(80) COLLATE NOCASE,
  City          TEXT(20) COLLATE NOCASE,
  County        TEXT(30) COLLATE NOCASE,
  State         TEXT(2) COLLATE NOCASE,
  Country       TEXT(5) COLLATE NOCASE,
  LatDMS        TEXT(10) COLLATE NOCASE,
  LatSec        TEXT(10) COLLATE NOCASE,
  LonDMS        TEXT(10) COLLATE NOCASE,
  LonSec        TEXT(10) COLLATE NOCASE,
  HorizDatum    TEXT(6) COLLATE NOCASE,
  Nepa          TEXT(1) COLLATE NOCASE,
  GrEl          TEXT(6) COLLATE NOCASE,
  HgtStructure  TEXT(6) COLLATE NOCASE,
  HgtToTip      TEXT(6) COLLATE NOCASE,
  StatusDate    TEXT(8) COLLATE NOCASE
);
CREATE INDEX idxAntSiteKey ON AntSiteInfo (AntSiteKey COLLATE NOCASE);

CREATE TABLE AntSiteCallSign (
  AntSiteKey    TEXT(20) COLLATE NOCASE,
  CallSigns     TEXT COLLATE NOCASE,
  RadSvc        TEXT COLLATE NOCASE,
  FreqCount     SMALLINT,
  CallSignCount SMALLINT
);
CREATE INDEX "AntSiteCallSign.idxAntSiteKey" ON AntSiteCallSign (AntSiteKey COLLATE NOCASE);

CREATE TABLE AntSiteOwner (
  AntSiteKey TEXT(20) COLLATE NOCASE,
  Owner      TEXT(80) COLLATE NOCASE
);
