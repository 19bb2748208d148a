-- Antenna-site database E, made by bench-generate from its export.
BEGIN;
INSERT INTO AntSite_E (TowerSiteKeyE, TowerSiteInfoE) VALUES ('E1000001', 'A1000001');
COMMIT;
