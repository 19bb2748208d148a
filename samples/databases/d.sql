-- Antenna-site database D: entries of earlier runs, made by bench-generate from its export.
BEGIN;
COMMIT;
