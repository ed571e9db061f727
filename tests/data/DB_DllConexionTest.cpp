#include "BaseDePrueba.h"

#include "data/DialogoAcceso.h"
#include "platform/Aplicacion.h"
#include "platform/ado/BaseEmbebida.h"
#include "platform/ui/Dialogos.h"

#include <QDir>
#include <QFile>

namespace {

namespace estilo = plataforma::estilo;
namespace respuesta = plataforma::respuesta;
using datos::DB_Dll;

// The connection dialog as the user fills it: remembers what it was shown
// and answers with the texts and platform of the script.
class AccesoGuionado : public datos::DialogoAcceso {
public:
    bool pedirConexion(QString& servidor, QString& baseDatos, QString& usuario, QString& contrasena,
                       int& plataforma) override {
        ++veces;
        mostrado = {servidor, baseDatos, usuario, contrasena};
        plataformaMostrada = plataforma;
        if (!aceptar) return false;
        if (!nuevoServidor.isNull()) servidor = nuevoServidor;
        plataforma = nuevaPlataforma;
        return true;
    }

    bool aceptar = true;
    QString nuevoServidor;
    int nuevaPlataforma = 0;
    int veces = 0;
    QStringList mostrado;
    int plataformaMostrada = -1;
};

using AperturaDeSesion = BaseDePrueba;

TEST_F(AperturaDeSesion, SoloElNumeroUnoHaceAdministrador) {
    const struct {
        const char* valor;
        bool administrador;
    } casos[] = {{"'1'", true}, {"1", true}, {"' 1'", true}, {"'S'", false},
                 {"''", false}, {"'2'", false}, {"NULL", false}};
    abrir();
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.valor);
        db->EjecutaConsultaSQL(QStringLiteral("UPDATE TA_USUARIOS SET Administrador = ") + caso.valor);
        ASSERT_EQ(db->gCnn().errors().Count(), 0);

        DB_Dll sesion(dialogos);
        apuntar(sesion);
        sesion.OpenServerADODB();
        EXPECT_TRUE(sesion.gOpenFlag);
        EXPECT_EQ(sesion.gEsAdmin, caso.administrador);
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(AperturaDeSesion, SinValidarOSinMostrarErroresElUsuarioEsAdministrador) {
    db->OpenServerADODB(false, 3, QString(), false);
    EXPECT_TRUE(db->gEsAdmin);

    DB_Dll callada(dialogos);
    apuntar(callada);
    callada.OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_TRUE(callada.gEsAdmin);

    // Without the users table nobody is promoted.
    db->EjecutaConsultaSQL(QStringLiteral("DROP TABLE TA_USUARIOS"));
    ASSERT_EQ(db->gCnn().errors().Count(), 0);
    DB_Dll sinTabla(dialogos);
    apuntar(sinTabla);
    sinTabla.OpenServerADODB();
    EXPECT_TRUE(sinTabla.gOpenFlag);
    EXPECT_FALSE(sinTabla.gEsAdmin);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(AperturaDeSesion, AbrirUnaSesionAbiertaLaReabreSinAviso) {
    abrir();
    db->OpenServerADODB();
    EXPECT_TRUE(db->gOpenFlag);
    EXPECT_EQ(db->gCnn().State(), ado::estado::Abierto);
    EXPECT_TRUE(db->ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("A1")));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(AperturaDeSesion, ElTextoDeConexionSigueAlServidor) {
    const struct {
        QString servidor;
        QString proveedor;
        QString texto;
        QString proveedorDespues;
    } casos[] = {
        // A "#" selects Oracle, which takes no extended attributes.
        {"ORA#1", "", "Provider=OraOLEDB.Oracle.1;Data Source=prueba;User Id=ana;Password=clave;", "SQLOLEDB"},
        // SQL Server always names its own provider, whatever gProveedor holds.
        {"SRV\\ZANTAR", "OraOLEDB.Oracle.1",
         "PROVIDER=SQLOLEDB;Server=SRV\\ZANTAR;Database =prueba;UId=ana;Pwd=clave;APP=Quintaro;",
         "OraOLEDB.Oracle.1"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.servidor.toStdString());
        DB_Dll sesion(dialogos);
        apuntar(sesion);
        sesion.gServidor = caso.servidor;
        sesion.gProveedor = caso.proveedor;
        sesion.gExtended = QStringLiteral("APP=Quintaro;");
        sesion.OpenServerADODB(false, 3, QString(), true, false);
        EXPECT_EQ(sesion.gConnString, caso.texto);
        EXPECT_EQ(sesion.gProveedor, caso.proveedorDespues);
        // Neither server exists here: a silent failure.
        EXPECT_FALSE(sesion.gOpenFlag);
    }
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(AperturaDeSesion, UnTextoDadoSeUsaTalCual) {
    const QString texto = QStringLiteral("PROVIDER=SQLOLEDB;Server=") + carpetaServidor()
                          + QStringLiteral(";Database =prueba;UId=ana;Pwd=clave; ");
    db->gServidor = QStringLiteral("otro#");
    db->OpenServerADODB(false, 3, texto);
    EXPECT_TRUE(db->gOpenFlag);
    EXPECT_EQ(db->gConnString, texto);
    EXPECT_EQ(db->gCnn().CursorLocation(), 3);
}

TEST_F(AperturaDeSesion, DialogoCanceladoNoAbreNada) {
    AccesoGuionado acceso;
    acceso.aceptar = false;
    for (datos::DialogoAcceso* dialogo : {static_cast<datos::DialogoAcceso*>(nullptr),
                                          static_cast<datos::DialogoAcceso*>(&acceso)}) {
        db->dialogoAcceso = dialogo;
        db->OpenServerADODB(true);
        EXPECT_FALSE(db->gOpenFlag);
        EXPECT_EQ(db->gCnn().State(), ado::estado::Cerrado);
    }
    EXPECT_EQ(acceso.veces, 1);
    EXPECT_EQ(acceso.mostrado, QStringList({carpetaServidor(), "prueba", "ana", "clave"}));
    EXPECT_EQ(acceso.plataformaMostrada, 0);
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_TRUE(trazadas().isEmpty());
}

TEST_F(AperturaDeSesion, ElegirOracleMarcaElServidor) {
    const struct {
        QString servidor;
        int plataforma;
        QString servidorDespues;
        QString proveedor;
    } casos[] = {
        {"SRV", 1, "SRV#", "OraOLEDB.Oracle.1"},
        {"SRV#X", 2, "SRV#X", "OraOLEDB.Oracle.1"},
        {"SRV", 0, "SRV", "SQLOLEDB"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.servidor.toStdString());
        AccesoGuionado acceso;
        acceso.nuevoServidor = caso.servidor;
        acceso.nuevaPlataforma = caso.plataforma;
        DB_Dll sesion(dialogos);
        apuntar(sesion);
        sesion.dialogoAcceso = &acceso;
        sesion.OpenServerADODB(true, 3, QString(), true, false);
        EXPECT_EQ(sesion.gServidor, caso.servidorDespues);
        EXPECT_EQ(sesion.gProveedor, caso.proveedor);
        EXPECT_EQ(sesion.gConnString.startsWith("Provider=OraOLEDB.Oracle.1;"), caso.plataforma > 0);
    }
}

class FallaDeApertura : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        db->gServidor = carpeta.filePath(QStringLiteral("no-existe"));
    }

    QString mensajeEsperado() {
        const ado::Error& error = db->gCnn().errors().Item(0);
        return " Estado de Sql: " + error.SQLState + "\r"
               + "Numero de Error: " + QString::number(error.Number) + "\r"
               + "Descripcion: " + error.Description + "\r"
               + "Codigo Nativo: " + QString::number(error.NativeError) + "\r\r\n"
               + "Nombre de Proceso: " + plataforma::nombreEjecutable() + "\r\r\n"
               + "\r\n"
               + "1. Verifique el Usuario, contraseña y base de datos\r\n"
               + "2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la instancia, "
                 "por ejemplo : " + db->gServidor + "\\ZANTAR\r\n"
               + "3. Verifique si el inicio de sesion para el usuario ana existe\r\n"
               + "\r\n\r\n"
               + " - Desea Intentarlo Nuevamente??? ";
    }
};

TEST_F(FallaDeApertura, PreguntaSiReintentarYNoDejaLaSesionCerrada) {
    dialogos.responder(respuesta::No);
    db->OpenServerADODB();
    EXPECT_FALSE(db->gOpenFlag);
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    ASSERT_GT(db->gCnn().errors().Count(), 0);
    const auto& caja = dialogos.mensajes().front();
    EXPECT_EQ(caja.texto, mensajeEsperado());
    EXPECT_EQ(caja.estilo, estilo::SiNo | estilo::Critico);
    EXPECT_EQ(caja.titulo, " Error de Conexion a Base de Datos");
}

TEST_F(FallaDeApertura, SiPideOtraConexionYLaAbre) {
    AccesoGuionado acceso;
    acceso.nuevoServidor = carpetaServidor();
    db->dialogoAcceso = &acceso;
    dialogos.responder(respuesta::Si);
    db->OpenServerADODB();
    EXPECT_TRUE(db->gOpenFlag);
    EXPECT_EQ(db->gCnn().State(), ado::estado::Abierto);
    EXPECT_EQ(db->gServidor, carpetaServidor());
    EXPECT_EQ(acceso.veces, 1);
    EXPECT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(db->gCnn().errors().Count(), 0);
}

TEST_F(FallaDeApertura, SinMostrarErroresFallaEnSilencio) {
    db->OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_FALSE(db->gOpenFlag);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

// A connection that goes away under a running program.
class ConexionPerdida : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        abrir();
        db->terminarPrograma = [this] { ++terminaciones; };
        // The provider's errors of a failed command are still there when the
        // connection drops.
        db->EjecutaConsultaSQL(QStringLiteral("INSERT INTO NO_EXISTE VALUES (1)"));
        ASSERT_GT(db->gCnn().errors().Count(), 0);
    }

    QString mensajePerdida() const {
        return "\r\n\r\n\r\nSe perdio la conexion con la base de datos prueba\r\n Servidor " + carpetaServidor()
               + "\r\n\r\nElija SI para reintentar conectarse\r\nElija NO para cerrar la aplicacion\r\n\r\n\r\n";
    }

    int terminaciones = 0;
};

TEST_F(ConexionPerdida, SeReconectaEnSilencioYRepiteLaConsulta) {
    db->gCnn().Close();
    ado::Recordset filas;
    db->AbrirRecordset(QStringLiteral("SELECT Codigo FROM MA_CUENTAS ORDER BY Codigo"), filas);
    EXPECT_TRUE(dialogos.mensajes().empty());
    EXPECT_TRUE(db->gOpenFlag);
    ASSERT_EQ(filas.State(), ado::estado::Abierto);
    EXPECT_EQ(filas.RecordCount(), 3);
    EXPECT_EQ(terminaciones, 0);
}

TEST_F(ConexionPerdida, SinServidorPreguntaYNoTerminaElPrograma) {
    ASSERT_TRUE(QDir(carpetaServidor()).removeRecursively());
    db->gCnn().Close();
    dialogos.responder(respuesta::Si);  // try again: still gone
    dialogos.responder(respuesta::No);  // give up
    ado::Recordset filas;
    db->AbrirRecordset(QStringLiteral("SELECT Codigo FROM MA_CUENTAS"), filas);

    EXPECT_EQ(terminaciones, 1);
    EXPECT_FALSE(db->gOpenFlag);
    EXPECT_EQ(filas.State(), ado::estado::Cerrado);
    // Only the lost-connection question, twice; no error box after "No".
    ASSERT_EQ(dialogos.mensajes().size(), 2u);
    for (const auto& caja : dialogos.mensajes()) {
        EXPECT_EQ(caja.texto, mensajePerdida());
        EXPECT_EQ(caja.estilo, estilo::SiNo | estilo::Critico);
        EXPECT_EQ(caja.titulo, "AVISO AL OPERADOR");
    }
    EXPECT_FALSE(QFile::exists(carpetaPrograma() + "QZERR.LOG"));
}

TEST_F(ConexionPerdida, ReintentaConectarConElServidorCaidoNoMuestraNada) {
    db->gCnn().setCommandTimeout(360);
    ASSERT_TRUE(QDir(carpetaServidor()).removeRecursively());
    db->ReintentaConectar();
    EXPECT_FALSE(db->gOpenFlag);
    EXPECT_TRUE(dialogos.mensajes().empty());
    // Back again: the connection's own text opens it.
    ASSERT_TRUE(QDir().mkpath(carpetaServidor()));
    ado::crearBaseEmbebida(carpetaServidor() + "/prueba.db", {});
    db->ReintentaConectar();
    EXPECT_TRUE(db->gOpenFlag);
    // The session's own time-out again, not the reconnection's five seconds.
    EXPECT_EQ(db->gCnn().CommandTimeout(), 360);
}

}  // namespace
