-- QZ_ESTADISTICAS on PostgreSQL: the installation-wide settings of the
-- suite, next to the company databases on the same server. Keys ignore
-- letter case, as in the company database (empresa-esquema.sql).

CREATE COLLATION sin_mayusculas (provider = icu, locale = 'und-u-ks-level2', deterministic = false);

CREATE TABLE TA_CONFIGURACION (
    CLAVE           VARCHAR(50)  COLLATE sin_mayusculas NOT NULL PRIMARY KEY,
    VALOR           VARCHAR(255),
    valoraux        VARCHAR(255),
    Grupo           VARCHAR(50),
    PoliticaNegocio SMALLINT     NOT NULL DEFAULT 0
);

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio)
VALUES ('TIMEOUT', '360', NULL, 'BaseDeDatos', 0);
