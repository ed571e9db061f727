#include "lookup/ArchivoConsultas.h"

#include "platform/RuntimeError.h"

#include <QDir>
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

    const auto hallado = archivo.buscarTabla(QStringLiteral(" MI_TABLA ")).registro;
    ASSERT_TRUE(hallado.has_value());
    EXPECT_EQ(ArchivoConsultas::limpiar(hallado->Campos), QStringLiteral("|A|B|"));
    EXPECT_EQ(ArchivoConsultas::limpiar(archivo.buscarTabla(QStringLiteral("otra")).registro->Campos),
              QStringLiteral("|X|Y|"));
    EXPECT_FALSE(archivo.buscarTabla(QStringLiteral("NINGUNA")).registro.has_value());
    EXPECT_TRUE(archivo.buscarTabla(QStringLiteral("NINGUNA")).danados.isEmpty());
    EXPECT_FALSE(ArchivoConsultas(carpeta.filePath(QStringLiteral("falta.qzt")))
                     .buscarTabla(QStringLiteral("OTRA"))
                     .registro.has_value());
}

// A file damaged by a crash or a careless copy: a record with a NUL byte in
// the middle of its table, one of zeros only, and a last record cut short.
TEST_F(ArchivoDeDefiniciones, LosRegistrosDanadosSeSaltanYSeCuentan) {
    RegistroConsulta sano;
    sano.Tabla = QStringLiteral("MA_CUENTAS");
    sano.Campos = QStringLiteral("|DESCRIPCION|CODIGO|");
    QByteArray nulEnMedio = sano.bytes();
    nulEnMedio[100 + 3] = '\0';  // "MA_\0UENTAS"
    QByteArray nulEnCampos = sano.bytes();
    nulEnCampos[200 + 5] = '\0';         // "|DESC\0IPCION|CODIGO|"
    RegistroConsulta cortado;
    cortado.Tabla = QStringLiteral("T_CORTADA");
    cortado.Campos = QStringLiteral("|NOMBRE|CODIGO|");
    escribir(nulEnMedio + nulEnCampos + QByteArray(L, '\0') + sano.bytes() + cortado.bytes().left(230));
    const ArchivoConsultas archivo(ruta());

    const ArchivoConsultas::Hallazgo cuentas = archivo.buscarTabla(QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(cuentas.registro.has_value());
    EXPECT_EQ(cuentas.registro->bytes(), sano.bytes());
    EXPECT_EQ(cuentas.danados, (QList<qint64>{1, 2}));

    const ArchivoConsultas::Hallazgo cortada = archivo.buscarTabla(QStringLiteral("T_CORTADA"));
    EXPECT_FALSE(cortada.registro.has_value());
    EXPECT_EQ(cortada.danados, (QList<qint64>{1, 2, 5}));
}

TEST_F(ArchivoDeDefiniciones, UnaCarpetaEnLugarDelArchivoNoTieneDefiniciones) {
    ASSERT_TRUE(QDir(carpeta.path()).mkdir(QStringLiteral("consultas.qzt")));
    const ArchivoConsultas::Hallazgo h = ArchivoConsultas(ruta()).buscarTabla(QStringLiteral("MA_CUENTAS"));
    EXPECT_FALSE(h.registro.has_value());
    EXPECT_TRUE(h.danados.isEmpty());
}

TEST(RegistroDanado, SoloLoCortadoOElNulDentroDelTexto) {
    RegistroConsulta r;
    r.Tabla = QStringLiteral("T");
    r.Campos = QStringLiteral("|A|");
    const QByteArray sano = r.bytes();
    EXPECT_FALSE(RegistroConsulta::danado(sano));
    EXPECT_TRUE(RegistroConsulta::danado(sano.left(L - 1)));
    QByteArray rellenoMixto = sano;
    rellenoMixto[101] = '\0';   // NUL padding after the table, blanks after it
    rellenoMixto[150] = '\xff';
    EXPECT_FALSE(RegistroConsulta::danado(rellenoMixto));
    QByteArray nulAlComienzo = sano;
    nulAlComienzo[0] = '\0';    // the label's text starts after a NUL
    nulAlComienzo[1] = 'X';
    EXPECT_TRUE(RegistroConsulta::danado(nulAlComienzo));
    QByteArray condicion = sano;
    condicion[700] = '\0';
    condicion[701] = '1';
    EXPECT_TRUE(RegistroConsulta::danado(condicion));
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
