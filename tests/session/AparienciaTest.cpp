// The session banner on the demo database (the cash register looked up and
// registered when missing, written once) and the skin chosen for the
// workstation user.

#include "session/Apariencia.h"

#include "data/DB_Dll.h"
#include "session/EleccionEstilo.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"
#include "tests/session/EntornoTemporal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// ---- the banner -------------------------------------------------------------------

class Banner : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo_.valida()) << demo_.error().toStdString();
        datos::DB_Dll& db = global_.DB;
        db.gServidor = demo_.servidor();
        db.gDBName = demo_.baseDatos();
        db.gUsuario = demo_.usuario();
        db.gUserPassWord = demo_.contrasena();
        db.OpenServerADODB();
        ASSERT_TRUE(db.gOpenFlag);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.12"));
        crearPaneles({"MENSAJE", "SERVER", "BASEDEDATOS", "USUARIO", "CAJA", "", "VERSION"});
    }

    void crearPaneles(std::initializer_list<const char*> claves) {
        barra_ = std::make_unique<QStatusBar>();
        for (const char* clave : claves) {
            auto* panel = new QLabel(barra_.get());
            panel->setObjectName(QString::fromLatin1(clave));
            // Design-time placeholders; the server panel starts empty.
            if (QByteArray(clave) != "SERVER" && QByteArray(clave) != "MENSAJE")
                panel->setText(QStringLiteral("?"));
            barra_->addWidget(panel);
        }
    }

    QString panel(const char* clave) const {
        const auto* p = barra_->findChild<QLabel*>(QString::fromLatin1(clave));
        return p ? p->text() : QStringLiteral("<sin panel>");
    }

    QString ayuda(const char* clave) const {
        return barra_->findChild<QLabel*>(QString::fromLatin1(clave))->toolTip();
    }

    // IdCajas and Descripcion of the rows whose trimmed code is `caja`.
    QStringList filasCaja(const QString& caja) {
        ado::Recordset filas;
        QString sentencia = QStringLiteral("SELECT IdCajas, Descripcion FROM TA_CAJAS WHERE LTRIM(RTRIM(IdCajas)) = '")
                            + QString(caja).replace(u'\'', QStringLiteral("''")) + u'\'';
        global_.DB.AbrirRecordset(sentencia, filas);
        QStringList resultado;
        for (; !filas.EOF_(); filas.MoveNext())
            resultado << filas.Fields(0L).Value().texto() + u'|' + filas.Fields(1L).Value().texto();
        return resultado;
    }

    void ejecutar(const QString& sentencia) {
        global_.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    prueba::BaseDemo demo_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<QStatusBar> barra_;
};

TEST_F(Banner, UnaCajaSinFilaSeRegistraYSeMuestraConSuDescripcion) {
    global_.gCaja = QStringLiteral("7");
    ASSERT_TRUE(filasCaja(QStringLiteral("7")).isEmpty());
    sesion::MostrarDatosSesion(global_, *barra_, QStringLiteral("Listo"));

    EXPECT_EQ(filasCaja(QStringLiteral("7")), QStringList{QStringLiteral("   7|CAJA 7")});
    EXPECT_EQ(panel("CAJA"), QStringLiteral("7 CAJA 7"));
    EXPECT_EQ(panel("MENSAJE"), QStringLiteral("Listo"));
    EXPECT_EQ(panel("SERVER"), QStringLiteral("Srv: ") + demo_.servidor());
    EXPECT_EQ(panel("USUARIO"), QStringLiteral("Uid: mgomez"));
    EXPECT_EQ(panel("BASEDEDATOS"), QStringLiteral("Db: ZANTAR_DEMO"));
    EXPECT_EQ(panel("VERSION"), QStringLiteral("V.1.0.12"));
    for (const char* clave : {"SERVER", "USUARIO", "BASEDEDATOS", "CAJA"})
        EXPECT_EQ(ayuda(clave), panel(clave)) << clave;
    EXPECT_TRUE(ayuda("MENSAJE").isEmpty());
    EXPECT_TRUE(ayuda("VERSION").isEmpty());
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(Banner, UnaCajaRegistradaNoSeVuelveAInsertar) {
    global_.gCaja = QStringLiteral("2");
    sesion::MostrarDatosSesion(global_, *barra_, QString());
    EXPECT_EQ(panel("CAJA"), QStringLiteral("2 CAJA SUCURSAL FUNES"));
    EXPECT_EQ(filasCaja(QStringLiteral("2")).size(), 1);
}

TEST_F(Banner, UnaCajaVaciaSeMuestraYRegistraComo1) {
    ejecutar(QStringLiteral("DELETE FROM TA_CAJAS WHERE IdCajas = '   1'"));
    global_.gCaja.clear();
    sesion::MostrarDatosSesion(global_, *barra_, QString());

    EXPECT_EQ(global_.gCaja, QStringLiteral("1"));
    EXPECT_EQ(filasCaja(QStringLiteral("1")), QStringList{QStringLiteral("   1|CAJA 1")});
    EXPECT_EQ(panel("CAJA"), QStringLiteral("1 CAJA 1"));
}

// The register number goes between quotes: a quote in it is written as data.
TEST_F(Banner, UnaComillaEnLaCajaNoRompeElInsert) {
    global_.gCaja = QStringLiteral("O'7");
    sesion::MostrarDatosSesion(global_, *barra_, QString());
    EXPECT_EQ(filasCaja(QStringLiteral("O'7")), QStringList{QStringLiteral(" O'7|CAJA O'7")});
}

TEST_F(Banner, UnaSegundaLlamadaSoloCambiaElMensaje) {
    sesion::MostrarDatosSesion(global_, *barra_, QStringLiteral("primero"));
    const QString servidor = panel("SERVER");
    const QString caja = panel("CAJA");
    global_.DB.gServidor = QStringLiteral("otro");
    global_.gCaja = QStringLiteral("9");
    sesion::MostrarDatosSesion(global_, *barra_, QStringLiteral("segundo"));

    EXPECT_EQ(panel("MENSAJE"), QStringLiteral("segundo"));
    EXPECT_EQ(panel("SERVER"), servidor);
    EXPECT_EQ(panel("CAJA"), caja);
    EXPECT_TRUE(filasCaja(QStringLiteral("9")).isEmpty());
}

// A missing panel leaves only its own part out.
TEST_F(Banner, SinPanelDeUsuarioElRestoSeEscribe) {
    crearPaneles({"SERVER", "BASEDEDATOS", "CAJA", "VERSION"});
    sesion::MostrarDatosSesion(global_, *barra_, QStringLiteral("x"));
    EXPECT_EQ(panel("SERVER"), QStringLiteral("Srv: ") + demo_.servidor());
    EXPECT_EQ(panel("CAJA"), QStringLiteral("1 CAJA CENTRAL"));
    EXPECT_EQ(panel("VERSION"), QStringLiteral("V.1.0.12"));
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST(TextoVersion, CadaNumeroSinCerosALaIzquierda) {
    const char* casos[][2] = {
        {"1.0.12", "V.1.0.12"}, {"01.002.0003", "V.1.2.3"}, {"2.5", "V.2.5.0"}, {"10.20.30", "V.10.20.30"}};
    for (const auto& caso : casos)
        EXPECT_EQ(sesion::textoVersion(QString::fromLatin1(caso[0])), QString::fromLatin1(caso[1])) << caso[0];
}

// ---- the skin ---------------------------------------------------------------------

QString leer(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(archivo.readAll()) : QString();
}

class Estilo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        ASSERT_TRUE(QDir().mkpath(carpeta() + QStringLiteral("Styles")));
        const QDir fuente(QStringLiteral(QUINTARO_ESTILOS_FUENTE));
        for (const QString& nombre : fuente.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(fuente.filePath(nombre), carpeta() + QStringLiteral("Styles/") + nombre));
    }

    QString carpeta() const { return carpeta_.path() + QStringLiteral("/"); }

    void ponerValor(const QString& valor) {
        QFile ini(carpeta() + QStringLiteral("cn000pr.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(("[" + global_.gDatosEquipo.usuarioEstacion().toUpper() + "Styles]\r\nStyles=" + valor + "\r\n")
                      .toUtf8());
    }

    QTemporaryDir carpeta_;
    prueba::EntornoTemporal carpetaPrograma_{"QUINTARO_CARPETA", carpeta_.path()};
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    QMainWindow ventana_;
};

struct CasoEstilo {
    const char* nombre;
    const char* valor;  // nullptr: no entry for the user
    const char* archivo;
    const char* ini;
};

void PrintTo(const CasoEstilo& caso, std::ostream* os) { *os << caso.nombre; }

class EleccionDeEstilo : public Estilo, public ::testing::WithParamInterface<CasoEstilo> {};

TEST_P(EleccionDeEstilo, ElNumeroDelUsuarioEligeLaHojaQueVisteLaVentana) {
    const CasoEstilo& caso = GetParam();
    if (caso.valor) ponerValor(QString::fromLatin1(caso.valor));

    const auto eleccion = sesion::EleccionEstilo::porNumero(sesion::EleccionEstilo::numeroDelUsuario(
        carpeta(), global_.gDatosEquipo.usuarioEstacion()));
    EXPECT_EQ(eleccion.archivo, QString::fromLatin1(caso.archivo));
    EXPECT_EQ(eleccion.ini, QString::fromLatin1(caso.ini));

    sesion::AplicarEstilo(global_, ventana_);
    EXPECT_EQ(global_.gEstilo, eleccion.numero);
    const QString hoja = ventana_.styleSheet();
    ASSERT_FALSE(hoja.isEmpty());
    if (eleccion.ini.isEmpty()) {
        EXPECT_EQ(hoja, leer(carpeta() + eleccion.archivo));
    } else {
        // The INI's colours stand in the sheet's marks.
        EXPECT_FALSE(hoja.contains(u'@')) << hoja.toStdString();
        EXPECT_TRUE(hoja.contains(QStringLiteral("#3d80df")));
    }
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EleccionDeEstilo,
    ::testing::Values(CasoEstilo{"SinEntradaVista", nullptr, "Styles/Vista.cjstyles", ""},
                      CasoEstilo{"Uno", "1", "Styles/Vista.cjstyles", ""},
                      CasoEstilo{"DosLuna", "2", "Styles/WinXP.Luna.cjstyles", ""},
                      CasoEstilo{"DosConFraccionLuna", "2.7", "Styles/WinXP.Luna.cjstyles", ""},
                      CasoEstilo{"TresRoyaleConTextoDetras", "3 azul", "Styles/WinXP.Royale.cjstyles", ""},
                      CasoEstilo{"CuatroITunesConSuIni", "4", "Styles/iTunes", "Normalitunes.ini"},
                      CasoEstilo{"NueveOffice", "9", "Styles/Office2007.cjstyles", ""},
                      CasoEstilo{"SinNumeroOffice", "azul", "Styles/Office2007.cjstyles", ""},
                      CasoEstilo{"FueraDeRangoOffice", "70000", "Styles/Office2007.cjstyles", ""}),
    [](const auto& prueba) { return std::string(prueba.param.nombre); });

// The file as a Windows editor leaves it: names in another letter case, and
// a user name with "Ñ" written in Latin-1.
TEST_F(Estilo, ElNumeroSeLeeSinDistinguirMayusculasYConNombresLatin1) {
    const struct {
        QByteArray contenido;
        const char* usuario;
        std::int16_t numero;
    } casos[] = {
        {"[rootstyles]\r\nSTYLES = 3\r\n", "root", 3},
        {"[Otro]\r\nStyles=2\r\n[MU\xD1OZSTYLES]\r\nstyles=4\r\n", "mu\u00f1oz", 4},
        {"[MU\xD1OZStyles]\r\nStyles=2\r\n", "otro", 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.usuario);
        QFile ini(carpeta() + QStringLiteral("cn000pr.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(c.contenido);
        ini.close();
        EXPECT_EQ(sesion::EleccionEstilo::numeroDelUsuario(carpeta(), QString::fromUtf8(c.usuario)), c.numero);
    }
}

TEST_F(Estilo, SinArchivoDeEstiloLaVentanaQuedaComoEstabaYNadaSeAvisa) {
    QDir(carpeta() + QStringLiteral("Styles")).removeRecursively();
    ventana_.setStyleSheet(QString());
    sesion::AplicarEstilo(global_, ventana_);
    EXPECT_TRUE(ventana_.styleSheet().isEmpty());
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(Estilo, LasCincoHojasSonDistintas) {
    QStringList hojas;
    for (std::int16_t numero = 1; numero <= 5; ++numero)
        hojas << sesion::EleccionEstilo::porNumero(numero).hojaDeEstilo(carpeta());
    hojas.removeDuplicates();
    EXPECT_EQ(hojas.size(), 5);
    for (const QString& hoja : hojas) EXPECT_FALSE(hoja.isEmpty());
}

}  // namespace
