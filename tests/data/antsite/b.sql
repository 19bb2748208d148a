-- Antenna-site database B: non-registered towers, searched by coordinate key
-- and counted at every match.
CREATE TABLE AntSite_B (
  TowerSiteKeyB  TEXT(20) COLLATE NOCASE,
  TowerSiteInfoB TEXT(80) COLLATE NOCASE,
  AntSite_CountB INTEGER
);
CREATE INDEX idxTowerSiteInfoB ON AntSite_B (TowerSiteInfoB COLLATE NOCASE);
