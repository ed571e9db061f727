#include "BaseDePrueba.h"

#include "platform/ado/BaseEmbebida.h"

#include <QDir>
#include <QFile>

namespace {

// The tables the session's own routines use, with the rows the tests look for.
const char* const esquema = R"sql(
-- ROWNUM stands in for Oracle's row number, so the administrator check of a
-- session that names Oracle (whose TOP 1 becomes a ROWNUM condition) runs.
CREATE TABLE TA_USUARIOS (
    Nombre         VARCHAR(30) NOT NULL COLLATE NOCASE PRIMARY KEY,
    Administrador  VARCHAR(5),
    ROWNUM         INTEGER DEFAULT 1
);
INSERT INTO TA_USUARIOS (Nombre, Administrador) VALUES ('ana', '1');

CREATE TABLE MA_CUENTAS (
    Codigo       VARCHAR(20) NOT NULL PRIMARY KEY,
    Descripcion  VARCHAR(60),
    Nivel        INTEGER
);
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Nivel) VALUES ('A1', 'Caja', 1);
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Nivel) VALUES ('O''Brien', 'Banco O''Brien', 2);
INSERT INTO MA_CUENTAS (Codigo, Descripcion, Nivel) VALUES ('N1', NULL, 3);

CREATE VIEW V_CUENTAS AS SELECT Codigo FROM MA_CUENTAS;

CREATE TABLE CORTA (Texto VARCHAR(5));
CREATE TRIGGER CORTA_LARGO BEFORE INSERT ON CORTA WHEN length(NEW.Texto) > 5
BEGIN
    SELECT RAISE(ABORT, 'String or binary data would be truncated.');
END;

-- ROWNUM as in TA_USUARIOS: the error row is written through a TOP 1 query.
CREATE TABLE AUX_ERR (
    ID           INTEGER PRIMARY KEY AUTOINCREMENT,
    ROWNUM       INTEGER DEFAULT 1,
    Proceso      VARCHAR(50),
    Fecha        VARCHAR(30),
    Error        INTEGER,
    Descripcion  VARCHAR(250),
    SQL          TEXT,
    pc           VARCHAR(50),
    Usuario      VARCHAR(30)
);
)sql";

QString traza(const QTemporaryDir& carpeta) { return carpeta.filePath(QStringLiteral("traza.log")); }

}  // namespace

void BaseDePrueba::SetUp() {
    ASSERT_TRUE(carpeta.isValid());
    ASSERT_TRUE(QDir().mkpath(carpetaServidor()));
    ASSERT_TRUE(QDir().mkpath(carpetaPrograma()));
    qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza(carpeta)));
    qputenv("QUINTARO_CARPETA", QFile::encodeName(carpetaPrograma()));

    const QString script = carpeta.filePath(QStringLiteral("esquema.sql"));
    QFile archivo(script);
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(esquema);
    archivo.close();
    ado::crearBaseEmbebida(carpetaServidor() + QStringLiteral("/prueba.db"), {script});

    db = std::make_unique<datos::DB_Dll>(dialogos);
    apuntar(*db);
}

void BaseDePrueba::TearDown() {
    db.reset();
    qunsetenv("QUINTARO_TRAZA_SQL");
    qunsetenv("QUINTARO_CARPETA");
}

void BaseDePrueba::apuntar(datos::DB_Dll& sesion) const {
    sesion.gServidor = carpetaServidor();
    sesion.gDBName = QStringLiteral("prueba");
    sesion.gUsuario = QStringLiteral("ana");
    sesion.gUserPassWord = QStringLiteral("clave");
}

void BaseDePrueba::abrir() {
    db->OpenServerADODB();
    ASSERT_TRUE(db->gOpenFlag);
    ASSERT_EQ(db->gCnn().State(), ado::estado::Abierto);
    ASSERT_TRUE(dialogos.mensajes().empty()) << dialogos.mensajes().front().texto.toStdString();
    olvidarTraza();
}

void BaseDePrueba::abrirComoOracle() {
    const QString enlace = carpeta.filePath(QStringLiteral("oracle"));
    ASSERT_TRUE(QFile::link(carpetaServidor(), enlace));
    db->gCnn().Close();
    db->gServidor = enlace;
    db->OpenServerADODB();
    ASSERT_TRUE(db->gOpenFlag);
    ASSERT_TRUE(db->gCnn().ConnectionString().contains(QStringLiteral("ORACLE"), Qt::CaseInsensitive));
    ASSERT_TRUE(dialogos.mensajes().empty()) << dialogos.mensajes().front().texto.toStdString();
    ASSERT_TRUE(db->gEsAdmin);
    olvidarTraza();
}

QStringList BaseDePrueba::trazadas() const {
    QFile archivo(traza(carpeta));
    if (!archivo.open(QIODevice::ReadOnly)) return {};
    QStringList sentencias;
    // Each line: "yyyy-MM-dd hh:mm:ss.zzz " and the statement.
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& linea : lineas) sentencias << linea.mid(24);
    return sentencias;
}

void BaseDePrueba::olvidarTraza() const { QFile::remove(traza(carpeta)); }

long BaseDePrueba::contar(const QString& consulta) {
    ado::Recordset filas;
    filas.Open(consulta, db->gCnn());
    return static_cast<long>(filas.Fields(0L).Value().aEntero());
}
