-- ZANTAR_DEMO: the demo company database of the Zantar suite, as the
-- embedded engine holds it. Schema only, the rows are in empresa-datos.sql.
-- (The engine sends these comments with the statements: keep semicolons and
-- apostrophes out of them.)
--
-- Conventions of the suite kept here:
--   * identifiers are texts in the right-aligned code form of their width
--     (reconciliations VARCHAR(15), cash registers VARCHAR(4))
--   * money is NUMERIC(18,4), dates are DATETIME written yyyy-mm-dd
--   * stamps that the program writes as text in the format of the
--     workstation (opening log, usage log, error table) are VARCHAR
--   * codes and user names compare as the server of the suite does: trailing
--     blanks do not count (COLLATE RTRIM), setting keys ignore letter case
--     (COLLATE NOCASE)
--   * V_ objects are views, SS_ objects the restricted views that ordinary
--     users are sent to, views the program inserts into carry an INSTEAD OF
--     trigger

PRAGMA foreign_keys = ON;

-- Chart of accounts. CONFIDENCIAL accounts are hidden from ordinary users.
CREATE TABLE MA_CUENTAS (
    CODIGO        VARCHAR(15)  NOT NULL COLLATE RTRIM PRIMARY KEY,
    DESCRIPCION   VARCHAR(100),
    IMPUTABLE     BIT          NOT NULL DEFAULT 1,
    TIPO          VARCHAR(1),                         -- A activo, P pasivo, R resultado
    CONFIDENCIAL  BIT          NOT NULL DEFAULT 0
);

-- Journal lines.
CREATE TABLE MV_ASIENTOS (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    NUMERO        INTEGER      NOT NULL,              -- journal entry
    RENGLON       INTEGER      NOT NULL,
    FECHA         DATETIME     NOT NULL,
    CUENTA        VARCHAR(15)  NOT NULL COLLATE RTRIM REFERENCES MA_CUENTAS (CODIGO),
    DETALLE       VARCHAR(100),
    IMPORTE       NUMERIC(18,4),
    "DEBE-HABER"  VARCHAR(1)   NOT NULL,              -- D debit, H credit
    UNIQUE (NUMERO, RENGLON)
);
CREATE INDEX IX_MV_ASIENTOS_CUENTA ON MV_ASIENTOS (CUENTA, FECHA);

-- Current balance per account: debits minus credits.
CREATE VIEW Ve_SaldosCta AS
    SELECT CUENTA AS Cuenta,
           SUM(CASE WHEN "DEBE-HABER" = 'D' THEN IMPORTE ELSE -IMPORTE END) AS Saldo
      FROM MV_ASIENTOS
     GROUP BY CUENTA;

-- Reconciliations, one row each. Finalizada: 1 finalised, 0 or NULL open.
CREATE TABLE MV_CONCILIACION_CAB (
    IDCONCILIACION VARCHAR(15) NOT NULL PRIMARY KEY,
    Cuenta         VARCHAR(15) COLLATE RTRIM REFERENCES MA_CUENTAS (CODIGO),
    Fecha          DATETIME,
    Observaciones  VARCHAR(255),
    FechaDesde     DATETIME,
    FechaHasta     DATETIME,
    fechadesde2    DATETIME,
    fechahasta2    DATETIME,
    Tipo           VARCHAR(3),                        -- BCO bank, CTA account
    Finalizada     BIT
);

-- Reconciliation lines: the statement or ledger items being matched.
CREATE TABLE MV_CONCILIACION (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    IDCONCILIACION VARCHAR(15) NOT NULL REFERENCES MV_CONCILIACION_CAB (IDCONCILIACION),
    CUENTA         VARCHAR(15) NOT NULL COLLATE RTRIM REFERENCES MA_CUENTAS (CODIGO),
    FECHA          DATETIME,
    COMPROBANTE    VARCHAR(30),
    DETALLE        VARCHAR(100),
    IMPORTE        NUMERIC(18,4),
    CONCILIADO     BIT                                -- 1 reconciled, 0 or NULL pending
);
CREATE INDEX IX_MV_CONCILIACION_CUENTA ON MV_CONCILIACION (CUENTA);

-- Momentary openings of finalised reconciliations. ESTADO 1 while the
-- opening is in force.
CREATE TABLE MV_CONCILIACION_OPEN (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    IDCONCILIACION VARCHAR(15) NOT NULL REFERENCES MV_CONCILIACION_CAB (IDCONCILIACION),
    MOTIVO         VARCHAR(500),
    USUARIO        VARCHAR(100),
    FECHA          VARCHAR(30),
    ESTADO         INTEGER
);
CREATE INDEX IX_MV_CONCILIACION_OPEN_ID ON MV_CONCILIACION_OPEN (IDCONCILIACION, ESTADO);

-- Users of the suite.
CREATE TABLE TA_USUARIOS (
    Nombre         VARCHAR(30)  NOT NULL COLLATE NOCASE PRIMARY KEY,
    NombreCompleto VARCHAR(100),
    Administrador  INTEGER      NOT NULL DEFAULT 0,
    UNegocio       VARCHAR(4),
    verproforma    BIT          NOT NULL DEFAULT 0
);

-- Menu entries and the entries granted to each user.
CREATE TABLE TA_MENU (
    Clave          VARCHAR(15)  NOT NULL COLLATE RTRIM PRIMARY KEY,
    Proceso        VARCHAR(100),
    Nombre         VARCHAR(100)
);
CREATE TABLE TA_TAREAS (
    USUARIO        VARCHAR(30)  NOT NULL COLLATE RTRIM,
    TAREA          VARCHAR(15)  NOT NULL COLLATE RTRIM REFERENCES TA_MENU (Clave),
    PRIMARY KEY (USUARIO, TAREA)
);

-- Usage log: one row per program start.
CREATE TABLE Control_Acceso (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    Maquina        VARCHAR(50),
    Usuario        VARCHAR(30),
    Formulario     VARCHAR(50),
    Tarea          VARCHAR(100),
    Ingreso        VARCHAR(20),
    NombreUsuario  VARCHAR(30)
);

-- Failed statements recorded by the script runner.
CREATE TABLE AUX_ERR (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    Proceso        VARCHAR(50),
    Fecha          VARCHAR(30),
    Error          INTEGER,
    Descripcion    VARCHAR(250),
    SQL            TEXT,
    pc             VARCHAR(50),
    Usuario        VARCHAR(30)
);

-- Company settings.
CREATE TABLE TA_CONFIGURACION (
    CLAVE           VARCHAR(50)  NOT NULL COLLATE NOCASE PRIMARY KEY,
    VALOR           VARCHAR(255),
    valoraux        VARCHAR(255),
    Grupo           VARCHAR(50),
    PoliticaNegocio BIT          NOT NULL DEFAULT 0
);

-- Cash registers.
CREATE TABLE TA_CAJAS (
    IdCajas        VARCHAR(4)   NOT NULL PRIMARY KEY,
    Descripcion    VARCHAR(60)
);
CREATE VIEW V_TA_Cajas AS SELECT IdCajas, Descripcion FROM TA_CAJAS;
CREATE TRIGGER V_TA_Cajas_Insertar INSTEAD OF INSERT ON V_TA_Cajas
BEGIN
    INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES (NEW.IdCajas, NEW.Descripcion);
END;

-- Business units, warehouses, item families, positions and cost centres.
CREATE TABLE TA_UNIDADNEGOCIO (
    Codigo         VARCHAR(4)   NOT NULL PRIMARY KEY,
    Descripcion    VARCHAR(60)
);
CREATE VIEW V_TA_UnidadNegocio AS SELECT Codigo, Descripcion FROM TA_UNIDADNEGOCIO;

CREATE TABLE TA_DEPOSITO (
    IdDeposito     VARCHAR(4)   NOT NULL PRIMARY KEY,
    Descripcion    VARCHAR(60),
    UnidadNegocio  VARCHAR(4)   REFERENCES TA_UNIDADNEGOCIO (Codigo),
    Restringido    BIT          NOT NULL DEFAULT 0
);
CREATE VIEW V_TA_DEPOSITO AS SELECT IdDeposito, Descripcion, UnidadNegocio FROM TA_DEPOSITO;

CREATE TABLE TA_FAMILIAS (
    IdFamilia      VARCHAR(10)  NOT NULL PRIMARY KEY,  -- each level adds two digits
    Descripcion    VARCHAR(60),
    Restringida    BIT          NOT NULL DEFAULT 0
);
CREATE VIEW V_TA_FAMILIAS AS SELECT IdFamilia, Descripcion FROM TA_FAMILIAS;

CREATE TABLE MA_POSICIONES (
    IDPOSICION     VARCHAR(15)  NOT NULL PRIMARY KEY,
    DESCRIPCION    VARCHAR(100)
);

CREATE TABLE TA_CCOSTO (
    CODIGO         VARCHAR(15)  NOT NULL PRIMARY KEY,
    DESCRIPCION    VARCHAR(100)
);

-- Items, customers, suppliers, contacts, sellers, technicians, maintenance
-- plans and work tasks: the tables of the built-in lookups.
CREATE TABLE MA_ARTICULOS (
    IDARTICULO     VARCHAR(25)  NOT NULL PRIMARY KEY,
    DESCRIPCION    VARCHAR(100),
    IdFamilia      VARCHAR(10)  REFERENCES TA_FAMILIAS (IdFamilia),
    PRECIO         NUMERIC(18,4),
    SUSPENDIDO     BIT          NOT NULL DEFAULT 0
);
CREATE VIEW V_MA_ARTICULOS AS
    SELECT IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO FROM MA_ARTICULOS;
CREATE VIEW VT_MA_ARTICULOS AS
    SELECT IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO FROM MA_ARTICULOS;

CREATE TABLE MA_CLIENTES (
    CODIGO         VARCHAR(15)  NOT NULL PRIMARY KEY,
    RAZON_SOCIAL   VARCHAR(100),
    CONTACTO       VARCHAR(60),
    CUIT           VARCHAR(13),
    Dada_De_Baja   BIT          NOT NULL DEFAULT 0
);
CREATE VIEW VT_CLIENTES AS
    SELECT CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, Dada_De_Baja FROM MA_CLIENTES;

CREATE TABLE MA_PROVEEDORES (
    CODIGO         VARCHAR(15)  NOT NULL PRIMARY KEY,
    RAZON_SOCIAL   VARCHAR(100),
    CUIT           VARCHAR(13),
    Dada_De_Baja   BIT          NOT NULL DEFAULT 0
);
CREATE VIEW VT_PROVEEDORES AS
    SELECT CODIGO, RAZON_SOCIAL, CUIT, Dada_De_Baja FROM MA_PROVEEDORES;

CREATE TABLE MA_CONTACTOS (
    ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    Nombre_y_Apellido VARCHAR(100),
    Domicilio         VARCHAR(100),
    Localidad         VARCHAR(60),
    Telefono          VARCHAR(30)
);

CREATE TABLE TA_VENDEDORES (
    IDVENDEDOR     VARCHAR(4)   NOT NULL PRIMARY KEY,
    NOMBRE         VARCHAR(60)
);
CREATE VIEW V_TA_VENDEDORES AS SELECT IDVENDEDOR, NOMBRE FROM TA_VENDEDORES;

CREATE TABLE TA_TECNICOS (
    IDTECNICO      VARCHAR(4)   NOT NULL PRIMARY KEY,
    NOMBRE         VARCHAR(60)
);
CREATE VIEW V_TA_TECNICOS AS SELECT IDTECNICO, NOMBRE FROM TA_TECNICOS;

CREATE TABLE MA_MANTENIMIENTOS (
    CODIGO         VARCHAR(15)  NOT NULL PRIMARY KEY,
    DESCRIPCION    VARCHAR(100)
);
CREATE VIEW V_MA_MANTENIMIENTOS AS SELECT CODIGO, DESCRIPCION FROM MA_MANTENIMIENTOS;

CREATE TABLE TA_TAREAS_OT (
    IdTarea        VARCHAR(4)   NOT NULL PRIMARY KEY,
    Descripcion    VARCHAR(60)
);
CREATE VIEW V_TA_Tareas AS SELECT IdTarea, Descripcion FROM TA_TAREAS_OT;

-- Items found missing at the counter, recorded from the lookup window.
CREATE TABLE MV_FALTANTES (
    ID             INTEGER PRIMARY KEY AUTOINCREMENT,
    FechaHora      VARCHAR(30),
    IdArticulo     VARCHAR(25),
    Descripcion    VARCHAR(100),
    Usuario        VARCHAR(30)
);
CREATE VIEW V_MV_FALTANTES AS
    SELECT ID, FechaHora, IdArticulo, Descripcion, Usuario FROM MV_FALTANTES;
CREATE TRIGGER V_MV_FALTANTES_Insertar INSTEAD OF INSERT ON V_MV_FALTANTES
BEGIN
    INSERT INTO MV_FALTANTES (FechaHora, IdArticulo, Descripcion, Usuario)
    VALUES (NEW.FechaHora, NEW.IdArticulo, NEW.Descripcion, NEW.Usuario);
END;

-- The restricted counterparts for ordinary users.
CREATE VIEW SS_MA_CUENTAS AS
    SELECT CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL
      FROM MA_CUENTAS WHERE CONFIDENCIAL = 0;
CREATE VIEW SS_MV_ASIENTOS AS
    SELECT A.ID, A.NUMERO, A.RENGLON, A.FECHA, A.CUENTA, A.DETALLE, A.IMPORTE, A."DEBE-HABER"
      FROM MV_ASIENTOS A JOIN MA_CUENTAS C ON C.CODIGO = A.CUENTA
     WHERE C.CONFIDENCIAL = 0;
CREATE VIEW SS_V_TA_CAJAS AS SELECT IdCajas, Descripcion FROM TA_CAJAS;
CREATE VIEW SS_V_TA_DEPOSITO AS
    SELECT IdDeposito, Descripcion, UnidadNegocio FROM TA_DEPOSITO WHERE Restringido = 0;
CREATE VIEW SS_V_TA_FAMILIAS AS
    SELECT IdFamilia, Descripcion FROM TA_FAMILIAS WHERE Restringida = 0;

-- Lookup windows: the stock of each item (reorder point and units on hand),
-- shown in colour by level in item lookups, and the stock view those use.
CREATE TABLE MA_ARTICULOS_STOCK (
    IDARTICULO     VARCHAR(25)  NOT NULL PRIMARY KEY REFERENCES MA_ARTICULOS (IDARTICULO),
    PUNTOPEDIDO    NUMERIC(18,4) NOT NULL DEFAULT 0,
    Stock          NUMERIC(18,4) NOT NULL DEFAULT 0
);
CREATE VIEW STK_MA_ARTICULOS AS
    SELECT A.IDARTICULO, A.DESCRIPCION, S.PUNTOPEDIDO, S.Stock
      FROM MA_ARTICULOS A LEFT JOIN MA_ARTICULOS_STOCK S ON S.IDARTICULO = A.IDARTICULO
     WHERE A.SUSPENDIDO = 0;
