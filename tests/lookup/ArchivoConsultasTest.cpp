#include "lookup/ArchivoConsultas.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using consultas::ArchivoConsultas;
using consultas::RegistroConsulta;

constexpr int L = RegistroConsulta::Largo;

class ArchivoDeDefiniciones : public ::testing::Test {
protected:
    QString ruta() const { return carpeta.filePath(QStringLiteral("consultas.qzt")); }
    QByteArray contenido() const {
        QFile f(ruta());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void escribir(const QByteArray& bytes) const {
        QFile f(ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray campo(const QByteArray& texto, int ancho, char relleno = ' ') {
        return texto + QByteArray(ancho - texto.size(), relleno);
    }

    QTemporaryDir carpeta;
};

struct Incorporada {
    const char* nombre;
    const char* tabla;
    const char* campos;
};

// The built-in definitions, in the order the file holds them.
constexpr Incorporada incorporadas[] = {
    {"ARTICULOS", "V_MA_ARTICULOS", "|DESCRIPCION|IDARTICULO|"},
    {"CLIENTES", "VT_CLIENTES", "|RAZON_SOCIAL|CODIGO|CONTACTO|"},
    {"PROVEEDORES", "VT_PROVEEDORES", "|RAZON_SOCIAL|CODIGO|"},
    {"CONTACTOS", "MA_CONTACTOS", "|Nombre_y_Apellido|Domicilio|Localidad|Telefono|"},
    {"VENDEDORES", "V_TA_VENDEDORES", "|NOMBRE|IDVENDEDOR|"},
    {"TECNICOS", "V_TA_TECNICOS", "|NOMBRE|IDTECNICO|"},
    {"MANTENIMIENTOS", "V_MA_MANTENIMIENTOS", "|DESCRIPCION|CODIGO|"},
    {"CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|"},
    {"TAREAS", "V_TA_Tareas", "|Descripcion|IdTarea|"},
    {"UnidadNegocio", "V_TA_UnidadNegocio", "|Descripcion|Codigo|"},
    {"DEPOSITO", "V_TA_DEPOSITO", "|Descripcion|IdDeposito|"},
};

TEST_F(ArchivoDeDefiniciones, UnArchivoNuevoTieneLasOnceDefinicionesByteAByte) {
    ArchivoConsultas(ruta()).agregarIncorporadas();
    const QByteArray bytes = contenido();
    ASSERT_EQ(bytes.size(), 11 * L);
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        const QByteArray registro = bytes.mid(i * L, L);
        EXPECT_EQ(registro.mid(0, 100), campo(incorporadas[i].nombre, 100));
        EXPECT_EQ(registro.mid(100, 100), campo(incorporadas[i].tabla, 100));
        EXPECT_EQ(registro.mid(200, 500), campo(incorporadas[i].campos, 500));
        EXPECT_EQ(registro.mid(700, 500), QByteArray(500, ' '));
        EXPECT_EQ(registro.mid(1200, 2), QByteArray("\r\n"));
    }
}

TEST_F(ArchivoDeDefiniciones, CrearOtraVezAgregaLasOnceAlFinal) {
    ArchivoConsultas archivo(ruta());
    archivo.agregarIncorporadas();
    const QByteArray primera = contenido();
    archivo.agregarIncorporadas();
    const QByteArray ambas = contenido();
    ASSERT_EQ(ambas.size(), 22 * L);
    EXPECT_EQ(ambas.left(11 * L), primera);
    EXPECT_EQ(ambas.mid(11 * L), primera);
}

TEST_F(ArchivoDeDefiniciones, UnRegistroIncompletoAlFinalQuedaTapadoPorElSiguiente) {
    RegistroConsulta propio;
    propio.Nombre = QStringLiteral("PROPIO");
    propio.Tabla = QStringLiteral("MI_TABLA");
    escribir(propio.bytes() + QByteArray(300, 'x'));
    ArchivoConsultas(ruta()).agregarIncorporadas();
    const QByteArray bytes = contenido();
    ASSERT_EQ(bytes.size(), 12 * L);
    EXPECT_EQ(bytes.left(L), propio.bytes());
    EXPECT_EQ(bytes.mid(L, 100), campo("ARTICULOS", 100));
}

TEST_F(ArchivoDeDefiniciones, LosTextosSeGuardanEnUnByteYSeCortanAlAnchoDelCampo) {
    RegistroConsulta r;
    r.Nombre = QStringLiteral("AÑO") + QString(120, QLatin1Char('z'));
    r.Campos = QStringLiteral("|Descripción|");
    const QByteArray bytes = r.bytes();
    ASSERT_EQ(bytes.size(), L);
    EXPECT_EQ(bytes.left(3), QByteArray("A\xD1O"));
    EXPECT_EQ(bytes.mid(99, 2), QByteArray("z "));  // cut at 100; the table field starts blank
    const RegistroConsulta leido = RegistroConsulta::desdeBytes(bytes);
    EXPECT_EQ(ArchivoConsultas::limpiar(leido.Campos), QStringLiteral("|Descripción|"));
}

TEST_F(ArchivoDeDefiniciones, BuscaLaTablaSinDistinguirMayusculasYConRellenoDeCeros) {
    const QByteArray conCeros = campo("CEROS", 100, '\0') + campo("Mi_Tabla", 100, '\0') +
                                campo("|A|B|", 500, '\0') + campo("", 500, '\0') + "\r\n";
    RegistroConsulta ultimo;
    ultimo.Tabla = QStringLiteral("OTRA");
    ultimo.Campos = QStringLiteral("|X|Y|");
    escribir(conCeros + ultimo.bytes());
    const ArchivoConsultas archivo(ruta());

    const auto hallado = archivo.buscarTabla(QStringLiteral(" MI_TABLA "));
    ASSERT_TRUE(hallado.has_value());
    EXPECT_EQ(ArchivoConsultas::limpiar(hallado->Campos), QStringLiteral("|A|B|"));
    EXPECT_EQ(ArchivoConsultas::limpiar(archivo.buscarTabla(QStringLiteral("otra"))->Campos),
              QStringLiteral("|X|Y|"));
    EXPECT_FALSE(archivo.buscarTabla(QStringLiteral("NINGUNA")).has_value());
    EXPECT_FALSE(ArchivoConsultas(carpeta.filePath(QStringLiteral("falta.qzt")))
                     .buscarTabla(QStringLiteral("OTRA"))
                     .has_value());
}

TEST_F(ArchivoDeDefiniciones, UnaCarpetaInexistenteEsUnErrorDeArchivo) {
    const ArchivoConsultas archivo(carpeta.filePath(QStringLiteral("no/hay/consultas.qzt")));
    try {
        archivo.agregarIncorporadas();
        FAIL() << "sin error";
    } catch (const plataforma::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 75);
    }
}

}  // namespace
