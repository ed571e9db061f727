-- QZ_ESTADISTICAS: the installation-wide settings of the suite, next to the
-- company databases on the same server.

CREATE TABLE TA_CONFIGURACION (
    CLAVE           VARCHAR(50)  NOT NULL COLLATE NOCASE PRIMARY KEY,
    VALOR           VARCHAR(255),
    valoraux        VARCHAR(255),
    Grupo           VARCHAR(50),
    PoliticaNegocio BIT          NOT NULL DEFAULT 0
);

INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio)
VALUES ('TIMEOUT', '360', NULL, 'BaseDeDatos', 0);
