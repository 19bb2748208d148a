-- Antenna-site database C: sites with coordinates that A and B do not hold;
-- Morvane adds an entry "C" and seven digits for every new one.
CREATE TABLE AntSite_C (
  TowerSiteKeyC  TEXT(20) COLLATE NOCASE,
  TowerSiteInfoC TEXT(80) COLLATE NOCASE,
  AntSite_CountC INTEGER
);
CREATE INDEX idxTowerSiteInfoC ON AntSite_C (TowerSiteInfoC COLLATE NOCASE);
