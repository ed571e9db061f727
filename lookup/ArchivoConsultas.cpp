#include "lookup/ArchivoConsultas.h"

#include "platform/RuntimeError.h"
#include "session/utility_component/Utilidades.h"

#include <QFile>

namespace consultas {

namespace {

constexpr long ErrorAccesoArchivo = 75;  // path/file access error

RegistroConsulta definicion(const char* nombre, const char* tabla, const char* campos) {
    RegistroConsulta r;
    r.Nombre = QString::fromLatin1(nombre).trimmed();
    r.Tabla = QString::fromLatin1(tabla);
    r.Campos = QString::fromLatin1(campos).trimmed();
    return r;
}

}  // namespace

QList<RegistroConsulta> ArchivoConsultas::definicionesIncorporadas() {
    return {
        definicion("ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"),
        definicion("CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"),
        definicion("PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"),
        definicion("CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"),
        definicion("VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"),
        definicion("TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"),
        definicion("MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"),
        definicion("CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|"),
        definicion("TAREAS", "V_TA_Tareas", "|Descripcion|IdTarea|"),
        definicion("UnidadNegocio", "V_TA_UnidadNegocio", "|Descripcion|Codigo|"),
        definicion("DEPOSITO", "V_TA_DEPOSITO", "|Descripcion|IdDeposito|"),
    };
}

void ArchivoConsultas::agregarIncorporadas() const {
    QFile archivo(ruta_);
    if (!archivo.open(QIODevice::ReadWrite))
        throw plataforma::RuntimeError(ErrorAccesoArchivo, archivo.errorString(),
                                       QStringLiteral("CrearArchivoConsultas"));
    for (const RegistroConsulta& r : definicionesIncorporadas()) {
        // Each record goes after the last whole one, as record-number access
        // places it.
        const qint64 siguiente = archivo.size() / RegistroConsulta::Largo;
        if (!archivo.seek(siguiente * RegistroConsulta::Largo) ||
            archivo.write(r.bytes()) != RegistroConsulta::Largo)
            throw plataforma::RuntimeError(ErrorAccesoArchivo, archivo.errorString(),
                                           QStringLiteral("CrearArchivoConsultas"));
    }
}

ArchivoConsultas::Hallazgo ArchivoConsultas::buscarTabla(const QString& tabla) const {
    Hallazgo hallazgo;
    QFile archivo(ruta_);
    if (!archivo.open(QIODevice::ReadOnly)) return hallazgo;
    const QString buscada = tabla.trimmed();
    for (qint64 numero = 1;; ++numero) {
        const QByteArray datos = archivo.read(RegistroConsulta::Largo);
        // The end of the file, or a read that fails part-way.
        if (datos.isEmpty()) break;
        if (RegistroConsulta::danado(datos)) {
            hallazgo.danados << numero;
            continue;
        }
        const RegistroConsulta r = RegistroConsulta::desdeBytes(datos);
        if (limpiar(r.Tabla).compare(buscada, Qt::CaseInsensitive) == 0) {
            hallazgo.registro = r;
            break;
        }
    }
    return hallazgo;
}

QString ArchivoConsultas::limpiar(const QString& campo) {
    return utilidades::Utilidades::quitar(campo, QString(QChar(0)) + QChar(255)).trimmed();
}

}  // namespace consultas
