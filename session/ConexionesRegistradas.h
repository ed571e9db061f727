#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace utilidades { class Utilidades; }

namespace sesion {

// The workstation's list of registered connections, "BASES.TXT" in the
// program's folder: one record per line (Latin-1, CR LF), five
// comma-separated fields: key, database, user, ciphered password, server.
// Records are only ever appended; a missing file is an empty list.
//
// Fields are read the comma-delimited way: blanks around a field are dropped
// and a field in double quotes is taken without them. That is why no field
// may hold a comma, a double quote or a line break: a registration refuses
// such texts before anything is written.
class ConexionesRegistradas {
public:
    struct Registro {
        QString clave;
        QString baseDatos;
        QString usuario;
        QString contrasena;  // as stored: ciphered
        QString servidor;
    };

    // The list kept in `carpeta` (ending in "/").
    explicit ConexionesRegistradas(const QString& carpeta);

    static QString nombreArchivo() { return QStringLiteral("BASES.TXT"); }
    const QString& ruta() const { return ruta_; }
    bool existe() const;

    // Every record in file order; an incomplete last record gets empty
    // fields. Raises a run-time error when the file cannot be read.
    std::vector<Registro> leer() const;

    // The first record whose trimmed key equals the trimmed `nombre`, letter
    // case included.
    std::optional<Registro> buscar(const QString& nombre) const;

    // Appends one record: every field trimmed, the password ciphered by
    // `utilidades`. Raises a run-time error when the file cannot be written.
    void GrabarConexion(const QString& clave, const QString& baseDatos, const QString& usuario,
                        const QString& contrasena, const QString& servidor,
                        const utilidades::Utilidades& utilidades) const;

    // Whether a text can stand in a field and be read back as it was written:
    // no comma, double quote or line break, nothing outside Latin-1.
    static bool cabeEnCampo(const QString& texto);

    // The registration key: upper-cased trimmed database, " / ", upper-cased
    // trimmed server cut before its first ":".
    static QString clave(const QString& baseDatos, const QString& servidor);

    // The file's records are counted in 16 bits: past this many, reading the
    // list overflows.
    static constexpr int MaximoRegistros = 32767;

private:
    // Whether the file is missing, empty or ends with a line end.
    bool terminaEnLinea() const;

    QString ruta_;
};

}  // namespace sesion
