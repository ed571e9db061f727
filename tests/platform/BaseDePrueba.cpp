#include "BaseDePrueba.h"

#include "platform/ado/BaseEmbebida.h"

namespace prueba {

QString BaseDePrueba::guionBase() {
    return QStringLiteral(R"sql(
CREATE TABLE MA_CUENTAS (
  Codigo varchar(15) NOT NULL PRIMARY KEY,
  Descripcion varchar(60) NOT NULL,
  Saldo numeric(18,4) DEFAULT 0,
  Alta datetime,
  Activa bit DEFAULT 1
);
CREATE TABLE MV_MOVIMIENTOS (
  Id integer PRIMARY KEY,
  Cuenta varchar(15) NOT NULL REFERENCES MA_CUENTAS(Codigo),
  Importe numeric(18,4) NOT NULL CHECK (Importe <> 0),
  Fecha datetime,
  Motivo varchar(250)
);
CREATE TABLE AUX_ERR (
  Id integer PRIMARY KEY AUTOINCREMENT,
  Proceso varchar(50),
  Fecha varchar(30),
  Error int,
  Descripcion varchar(250),
  SQL text,
  pc varchar(50),
  Usuario varchar(50),
  Estado int NOT NULL DEFAULT 7
);
CREATE VIEW V_CUENTAS AS SELECT Codigo, Descripcion FROM MA_CUENTAS;
CREATE TRIGGER TR_MOTIVO BEFORE INSERT ON MV_MOVIMIENTOS
WHEN length(NEW.Motivo) > 40
BEGIN
  SELECT RAISE(ABORT, 'String or binary data would be truncated.');
END;
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Saldo, Alta) VALUES ('1.1.01', 'Caja; pesos', 1234.5678, '2024-03-05');
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Saldo, Alta) VALUES ('1.1.02', 'Banco Nación', -0.0001, '2024-03-05 10:20:30');
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Saldo, Alta, Activa) VALUES ('2.1.01', 'Proveedores', NULL, NULL, 0);
)sql");
}

void BaseDePrueba::SetUp() {
    ASSERT_TRUE(carpeta_.isValid());
    ado::crearBaseEmbebida(carpeta_.filePath(QStringLiteral("EMPRESA.db")), {guionBase()});
    cnn_.Open(textoConexion());
}

QString BaseDePrueba::textoConexion(const QString& base) const {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=") + carpeta_.path() + QStringLiteral(";Database =") + base +
           QStringLiteral(";UId=sa;Pwd=secreto;");
}

}  // namespace prueba
