#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "platform/ui/Dialogos.h"
#include "session/utility_component/DatosEquipo.h"
#include "tests/support/DialogosGuion.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;
using plataforma::RuntimeError;

QByteArray contenido(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// Checks one log line: the date month first and today's, the time, then the
// rest exactly (Latin-1 bytes, CR LF at the end).
void esperarLinea(const QByteArray& linea, const QByteArray& resto, QDate antes, QDate despues) {
    ASSERT_GE(linea.size(), 19);
    const QString fechaHora = QString::fromLatin1(linea.left(19));
    EXPECT_TRUE(QRegularExpression("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d$").match(fechaHora).hasMatch())
        << fechaHora.toStdString();
    const QDate fecha = QDate::fromString(fechaHora.left(10), "MM-dd-yyyy");
    EXPECT_TRUE(fecha >= antes && fecha <= despues) << fechaHora.toStdString();
    EXPECT_EQ(linea.mid(19), resto);
}

// A session whose program folder is a temporary one, so that the default
// log lands there.
class TratamientoErroresSesion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta.path() + "/"));
    }
    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    QString logPrograma() const { return carpeta.filePath("QZERR.LOG"); }

    QTemporaryDir carpeta;
    prueba::DialogosGuion dialogos;
    datos::DB_Dll db{dialogos};
};

TEST_F(TratamientoErroresSesion, MuestraElErrorYRegistraLaRespuesta) {
    dialogos.responder(respuesta::Reintentar);
    const QDate antes = QDate::currentDate();
    const int r = db.TratamientoErrores(RuntimeError(3709, "  La conexion esta cerrada.  ", "ADODB.Recordset"),
                                        std::nullopt, QString("AbrirRecordset"));
    const QDate despues = QDate::currentDate();

    EXPECT_EQ(r, respuesta::Reintentar);
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    const auto& caja = dialogos.mensajes().front();
    EXPECT_EQ(caja.texto, "Ha ocurrido el Siguiente Error (3709) La conexion esta cerrada.");
    EXPECT_EQ(caja.titulo, "AbrirRecordset - ADODB.Recordset Aviso al operador!!! - 5 ");
    EXPECT_EQ(caja.estilo, estilo::AbortarReintentarIgnorar | estilo::Critico);
    esperarLinea(contenido(logPrograma()),
                 " Rutina: AbrirRecordset - Mensaje Ha ocurrido el Siguiente Error (3709) La conexion esta "
                 "cerrada. Respondi\xF3 : Reintentar\r\n",
                 antes, despues);
}

TEST_F(TratamientoErroresSesion, CadaRespuestaConSuNombreEnElRegistro) {
    const struct {
        int respuesta;
        int estilo;
        QByteArray nombre;
    } casos[] = {
        {respuesta::Reintentar, estilo::AbortarReintentarIgnorar, "Reintentar"},
        {respuesta::Ignorar, estilo::AbortarReintentarIgnorar, "Ignorar"},
        {respuesta::Abortar, estilo::AbortarReintentarIgnorar, "Abortar"},
        {respuesta::Cancelar, estilo::AceptarCancelar, "Cancelar"},
        {respuesta::Si, estilo::SiNo, "S\xED"},
        {respuesta::No, estilo::SiNo, "No"},
        {respuesta::Aceptar, estilo::SoloAceptar, ""},  // OK has no name in the log
    };
    for (const auto& caso : casos) dialogos.responder(caso.respuesta);
    for (const auto& caso : casos)
        EXPECT_EQ(db.TratamientoErrores(RuntimeError(5, "x"), caso.estilo), caso.respuesta);

    const QList<QByteArray> lineas = contenido(logPrograma()).split('\n');
    ASSERT_EQ(lineas.size(), static_cast<qsizetype>(std::size(casos)) + 1);  // the last line ends the file
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        // Without a place name the colon is followed by two blanks.
        EXPECT_EQ(lineas[static_cast<qsizetype>(i)].mid(19),
                  " Rutina:  Mensaje Ha ocurrido el Siguiente Error (5) x Respondi\xF3 : " + casos[i].nombre + "\r");
        EXPECT_EQ(dialogos.mensajes()[i].estilo, casos[i].estilo);
        EXPECT_EQ(dialogos.mensajes()[i].titulo, " Aviso al operador!!! - 5 ");
    }
}

TEST_F(TratamientoErroresSesion, ElArchivoDeErroresDeLaSesionManda) {
    const QString otro = carpeta.filePath("otro/errores.txt");
    QDir().mkpath(carpeta.filePath("otro"));
    db.setArchivoErrores(ado::Variant(otro));
    EXPECT_EQ(db.gLogErr, otro);
    EXPECT_EQ(db.ArchivoErrores().texto(), otro);

    db.TratamientoErrores(RuntimeError(13, "Tipos no coinciden"));
    EXPECT_TRUE(contenido(otro).endsWith("Respondi\xF3 : Abortar\r\n"));
    EXPECT_FALSE(QFile::exists(logPrograma()));
}

TEST_F(TratamientoErroresSesion, UnErrorCeroNoMuestraNiRegistraNada) {
    EXPECT_EQ(db.TratamientoErrores(RuntimeError(0, "nada")), 0);
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_FALSE(QFile::exists(logPrograma()));
}

// The general treatment logs in the workstation's temporary folder, chosen
// through the "temp" and "tmp" environment variables.
class TratamientoGeneral : public TratamientoErroresSesion {
protected:
    void SetUp() override {
        TratamientoErroresSesion::SetUp();
        temp_ = qgetenv("temp");
        tmp_ = qgetenv("tmp");
        QDir().mkpath(carpeta.filePath("tmp"));
        qputenv("temp", "cualquiera");
        qputenv("tmp", QFile::encodeName(carpeta.filePath("tmp")));
        db.gLogErr = carpeta.filePath("no-se-usa.log");
    }
    void TearDown() override {
        restaurar("temp", temp_);
        restaurar("tmp", tmp_);
        TratamientoErroresSesion::TearDown();
    }
    static void restaurar(const char* nombre, const QByteArray& valor) {
        if (valor.isNull())
            qunsetenv(nombre);
        else
            qputenv(nombre, valor);
    }
    QString logGeneral() const { return carpeta.filePath("tmp/QZERR.LOG"); }

    QByteArray temp_, tmp_;
};

TEST_F(TratamientoGeneral, EscribeEnLaCarpetaDeTmpConSuPropioTitulo) {
    dialogos.responder(respuesta::Ignorar);
    const QDate antes = QDate::currentDate();
    const int r = datos::TratamientoErroresGeneral(db, RuntimeError(-2147217900, "Sintaxis", "Proveedor"),
                                                   std::nullopt, QString("GActualizarDatoScript"));
    EXPECT_EQ(r, respuesta::Ignorar);
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes()[0].titulo, "GActualizarDatoScript - Proveedor Aviso al operador!!! - 2 ");
    EXPECT_EQ(dialogos.mensajes()[0].texto, "Ha ocurrido el Siguiente Error (-2147217900) Sintaxis");
    esperarLinea(contenido(logGeneral()),
                 " Rutina: GActualizarDatoScript - Mensaje Ha ocurrido el Siguiente Error (-2147217900) "
                 "Sintaxis Respondi\xF3 : Ignorar\r\n",
                 antes, QDate::currentDate());
    // Neither the session's log file nor the program's folder is used.
    EXPECT_FALSE(QFile::exists(db.gLogErr));
    EXPECT_FALSE(QFile::exists(logPrograma()));
}

TEST_F(TratamientoGeneral, UnErrorCeroDejaSoloUnArchivoVacio) {
    EXPECT_EQ(datos::TratamientoErroresGeneral(db, RuntimeError(0, "")), 0);
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_TRUE(QFile::exists(logGeneral()));
    EXPECT_TRUE(contenido(logGeneral()).isEmpty());
}

TEST_F(TratamientoGeneral, SinTempUsaLaCarpetaDeLogsDelEquipo) {
    qunsetenv("temp");
    const QString ruta = utilidades::DatosEquipo().carpetaLogErrores() + "QZERR.LOG";
    const qint64 tamanoAntes = QFileInfo(ruta).size();
    const QString marca = "marca-" + QString::number(QDateTime::currentMSecsSinceEpoch());
    datos::TratamientoErroresGeneral(db, RuntimeError(5, marca));
    EXPECT_FALSE(QFile::exists(logGeneral()));
    EXPECT_TRUE(contenido(ruta).mid(tamanoAntes).contains(marca.toLatin1()));
}

}  // namespace
