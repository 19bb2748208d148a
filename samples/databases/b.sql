-- Antenna-site database B: towers not registered, made by bench-generate from its export.
BEGIN;
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000001', 'N0303305.1|W0910743.4|NAD83|0005.8', 1);
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000002', 'N0405254.8|W0730850.8|NAD83|0035.9', 2);
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000003', 'N0340706.8|W1181737.6|NAD83|0088.0', 2);
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000004', 'N0381954.2|W1221605.1|NAD83|0049.1', 3);
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000005', 'N0371613.5|W1220105.5|NAD83|0061.7', 3);
INSERT INTO AntSite_B (TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB) VALUES ('B1000006', 'N0443735.8|W0703854.7|NAD83|0250.4', 1);
COMMIT;
