-- Antenna-site database E: only its rows are counted.
CREATE TABLE AntSite_E (
  TowerSiteKeyE  TEXT(20) COLLATE NOCASE,
  TowerSiteInfoE TEXT(255) COLLATE NOCASE
);
