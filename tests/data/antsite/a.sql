-- Antenna-site database A: registered towers, searched by coordinate key.
CREATE TABLE AntSite_A (
  TowerSiteKeyA  TEXT(20) COLLATE NOCASE,
  TowerSiteInfoA TEXT(80) COLLATE NOCASE
);
CREATE INDEX idxTowerSiteInfoA ON AntSite_A (TowerSiteInfoA COLLATE NOCASE);
