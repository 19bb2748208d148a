-- The antenna-site database: sites of earlier runs, made by bench-generate from its export.
BEGIN;
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('A', 'A1000001', '15763 Jefferson Rd', 'Chicago', 'Cook', 'IL', 'USA', 'N0415506.0', '00150906.0', 'W0874619.8', '-0315979.8', 'NAD83', '0228.4', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('A1000001', 'E9000001~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('A', 'A1000003', '10390 Jefferson Rd', 'San Juan', 'San Juan', 'PR', 'USA', 'N0183612.3', '00066972.3', 'W0660408.5', '-0237848.5', 'NAD27', '0047.8', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('A1000003', 'E9000002~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('B', 'B1000001', '27142 Highland Dr / Floor 269', 'Baton Rouge', 'East Baton Rouge', 'LA', 'USA', 'N0303305.1', '00109985.1', 'W0910743.4', '-0328063.4', 'NAD83', '0005.8', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('B1000001', 'E9000003~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('A', 'A1000005', '4444 Observatory Ave / Unit 108', 'Columbus', 'Franklin', 'OH', 'USA', 'N0400509.3', '00144309.3', 'W0825901.9', '-0298741.9', 'NAD83', '0299.3', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('A1000005', 'E9000004~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('B', 'B1000003', '4293 Madison Circle', 'Los Angeles', 'Los Angeles', 'CA', 'USA', 'N0340706.8', '00122826.8', 'W1181737.6', '-0425857.6', 'NAD83', '0088.0', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('B1000003', 'E9000005~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('A', 'A1000007', '22840 Hillcrest Drive', 'Detroit', 'Wayne', 'MI', 'USA', 'N0422033.2', '00152433.2', 'W0825627.3', '-0298587.3', 'NAD27', '0229.3', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('A1000007', 'E9000006~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('A', 'A1000009', '1264 Main Court / Unit 903', 'Brewster', 'Okanogan', 'WA', 'USA', 'N0480740.5', '00173260.5', 'W1193941.4', '-0430781.4', 'NAD27', '0247.8', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('A1000009', 'E9000007~', 'CF~', 2, 1);
INSERT INTO AntSiteInfo ("Group", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, LonDMS, LonSec, HorizDatum, GrEl, StatusDate) VALUES ('B', 'B1000005', '19837 Maple Road', 'San Jose', 'Santa Clara', 'CA', 'USA', 'N0371613.5', '00134173.5', 'W1220105.5', '-0439265.5', 'NAD83', '0061.7', '20050614');
INSERT INTO AntSiteCallSign (AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount) VALUES ('B1000005', 'E9000008~', 'CF~', 2, 1);
COMMIT;
