#pragma once

#include <QString>
#include <stdexcept>

namespace plataforma {

// The run-time error object that failing operations raise to their callers and
// that the error treatments take: a number, a description and the source that
// raised it. The data layer uses ADO's numbers (3704, 3705, 3709, 3219, 3265,
// -2147467259 ...); the program's own routines use the run-time's (5 invalid
// argument, 13 type mismatch ...).
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(long number, const QString& description, const QString& source = {})
        : std::runtime_error(description.toStdString()), number_(number),
          description_(description), source_(source) {}

    long Number() const { return number_; }
    const QString& Description() const { return description_; }
    const QString& Source() const { return source_; }

private:
    long number_;
    QString description_;
    QString source_;
};

// Numbers the program relies on.
namespace numero {
inline constexpr long ArgumentoInvalido = 5;     // invalid procedure call or argument
inline constexpr long TipoIncompatible = 13;     // type mismatch
inline constexpr long ObjetoCerrado = 3704;      // operation not allowed when the object is closed
inline constexpr long ObjetoAbierto = 3705;      // operation not allowed when the object is open
inline constexpr long ConexionCerrada = 3709;    // connection closed or invalid
inline constexpr long NoPermitido = 3219;        // operation not allowed in this context
inline constexpr long SinRegistroActual = 3021;  // BOF or EOF is true: there is no current row
inline constexpr long ElementoNoEncontrado = 3265; // item not found in the collection
inline constexpr long FallaProveedor = -2147467259;   // unspecified provider failure: 08xxx, a failed connection attempt
inline constexpr long ViolacionIntegridad = -2147217873; // 23xxx
inline constexpr long TablaInexistente = -2147217865;    // 42S02
inline constexpr long ErrorSintaxis = -2147217900;       // error in the command: other 42xxx, 37xxx and every state not named here
inline constexpr long TiempoAgotado = -2147217871;       // HYT00
inline constexpr long FilaNoLocalizada = -2147217864;    // the row to change is no longer there
inline constexpr long SinTransaccion = -2147168242;      // commit or rollback without a transaction
inline constexpr long TransaccionActiva = -2147168237;   // only one transaction at a time
}  // namespace numero

}  // namespace plataforma
