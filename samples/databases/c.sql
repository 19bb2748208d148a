-- Antenna-site database C: entries of earlier runs, made by bench-generate from its export.
BEGIN;
INSERT INTO AntSite_C (TowerSiteKeyC, TowerSiteInfoC, AntSite_CountC) VALUES ('C1000001', 'N0411404.3|W0955036.3|NAD83|0321.7|', 2);
INSERT INTO AntSite_C (TowerSiteKeyC, TowerSiteInfoC, AntSite_CountC) VALUES ('C1000002', 'N0391721.4|W0771418.3|NAD83|0206.6|', 4);
COMMIT;
