#pragma once

#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/odbc/DescripcionColumna.h"
#include "platform/ado/odbc/ManejadorOdbc.h"
#include "platform/ado/odbc/VerificadorOdbc.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace ado::odbc {

// One statement handle on a connection; every call is checked, and its texts
// travel as the connection's driver takes them.
class SentenciaOdbc {
public:
    SentenciaOdbc(const ConexionOdbc& conexion, const VerificadorOdbc& verificar, long segundosEspera);

    SQLHSTMT get() const { return h_.get(); }
    const VerificadorOdbc& verificador() const { return verificar_; }
    Textos textos() const { return textos_; }

    void ejecutar(const QString& texto);
    // Prepares and then runs, for statements with bound parameters.
    void preparar(const QString& texto);
    void ejecutarPreparada();

    SQLSMALLINT columnas() const;
    // A result column's name, ODBC type, size and decimals, 1-based.
    DescripcionColumna describir(SQLUSMALLINT columna) const;
    SQLLEN filasAfectadas() const;  // -1 when the driver does not know
    bool siguienteFila();           // false past the last row
    bool siguienteResultado();      // false when the command produced no more results

    // Column attributes, 1-based.
    QString atributoTexto(SQLUSMALLINT columna, SQLUSMALLINT campo) const;

    // Reads a value of the current row: false when it is null.
    bool leerTexto(SQLUSMALLINT columna, QString& valor);
    bool leerFijo(SQLUSMALLINT columna, SQLSMALLINT tipoC, void* destino, SQLLEN largo);

    // The catalogue calls.
    void tablas(const std::optional<QString>& catalogo, const std::optional<QString>& esquema,
                const std::optional<QString>& tabla, const std::optional<QString>& tipos);
    void columnasDe(const std::optional<QString>& catalogo, const std::optional<QString>& esquema,
                    const std::optional<QString>& tabla, const std::optional<QString>& columna);
    void clavePrimaria(const QString& tabla);

    void vincular(SQLUSMALLINT posicion, SQLSMALLINT tipoC, SQLSMALLINT tipoSql, SQLULEN tamano,
                  SQLSMALLINT decimales, void* valor, SQLLEN largo, SQLLEN* indicador);

private:
    SQLRETURN comprobar(SQLRETURN rc) const { return verificar_(rc, SQL_HANDLE_STMT, h_.get()); }
    using CatalogoAncho = SQLRETURN (*)(SQLHSTMT, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*, SQLSMALLINT, SQLWCHAR*,
                                        SQLSMALLINT, SQLWCHAR*, SQLSMALLINT);
    using CatalogoEstrecho = SQLRETURN (*)(SQLHSTMT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*,
                                           SQLSMALLINT, SQLCHAR*, SQLSMALLINT);
    void llamarCatalogo(CatalogoAncho ancha, CatalogoEstrecho estrecha,
                        const std::array<std::optional<QString>, 4>& valores);
    bool leerTextoAncho(SQLUSMALLINT columna, QString& valor);
    bool leerTextoUtf8(SQLUSMALLINT columna, QString& valor);

    ManejadorOdbc<SQL_HANDLE_STMT> h_;
    const VerificadorOdbc& verificar_;
    Textos textos_;
};

}  // namespace ado::odbc
