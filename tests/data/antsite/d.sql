-- Antenna-site database D: sites without coordinates, by address key;
-- Morvane adds an entry "D" and seven digits for every new one.
CREATE TABLE AntSite_D (
  TowerSiteKeyD  TEXT(20) COLLATE NOCASE,
  TowerSiteInfoD TEXT(255) COLLATE NOCASE,
  AntSite_CountD INTEGER
);
CREATE INDEX idxTowerSiteInfoD ON AntSite_D (TowerSiteInfoD COLLATE NOCASE);
