#include "lookup/Lib_ClsCons3.h"

#include "data/DB_Dll.h"
#include "lookup/ArchivoConsultas.h"
#include "platform/ui/Dialogos.h"
#include "tests/support/BaseDemo.h"
#include "tests/support/DialogosGuion.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using consultas::ArchivoConsultas;
using consultas::EntregaArbol;
using consultas::EntregaLista;
using consultas::Lib_ClsCons3;
using consultas::RegistroConsulta;

// The lookup class on a copy of the demo database, with the built-in
// definitions file plus a few of the test's own, settings the test chooses
// and stand-in windows that record what they were handed and answer what
// the test says.
class ServicioConsultas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
        sesion = std::make_unique<datos::DB_Dll>(dialogos);
        sesion->gServidor = demo.servidor();
        sesion->gDBName = prueba::BaseDemo::baseDatos();
        sesion->gUsuario = prueba::BaseDemo::usuario();
        sesion->gUserPassWord = prueba::BaseDemo::contrasena();
        sesion->gLogErr = rutaLog();
        sesion->OpenServerADODB();
        ASSERT_TRUE(sesion->gOpenFlag);
        for (const char* tabla : {
                 "CREATE TABLE T_PRECIOS (ID INTEGER, CODIGO VARCHAR(10), NOMBRE VARCHAR(20), PRECIO FLOAT)",
                 "CREATE TABLE T_IDS (ID INTEGER, FECHAHORA_GRABACION VARCHAR(20))",
                 "CREATE TABLE v_mv_mutuales (ID INTEGER, NOMBRE VARCHAR(20), FECHAHORA_GRABACION VARCHAR(20))",
             })
            sesion->EjecutaConsultaSQL(QString::fromLatin1(tabla));
        ASSERT_EQ(sesion->gCnn().errors().Count(), 0);
        crearDefiniciones();
    }

    void crearDefiniciones() {
        ArchivoConsultas(rutaDefiniciones()).agregarIncorporadas();
        QFile archivo(rutaDefiniciones());
        ASSERT_TRUE(archivo.open(QIODevice::Append));
        archivo.write(definicion("SOLO", "T_SOLO_CODIGO", "|CODIGO|", "").bytes());
        archivo.write(definicion("FILTRADA", "T_FILTRADA", "|NOMBRE|CODIGO|", "TIPO = 'A'").bytes());
    }

    static RegistroConsulta definicion(const char* nombre, const char* tabla, const char* campos,
                                       const char* condicion) {
        RegistroConsulta r;
        r.Nombre = QString::fromLatin1(nombre);
        r.Tabla = QString::fromLatin1(tabla);
        r.Campos = QString::fromLatin1(campos);
        r.Condicion = QString::fromLatin1(condicion);
        return r;
    }

    QString rutaDefiniciones() const { return carpeta.filePath(QStringLiteral("consultas.qzt")); }
    QString rutaLog() const { return carpeta.filePath(QStringLiteral("QZERR.LOG")); }
    QString log() const {
        QFile f(rutaLog());
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
    void reemplazarDefiniciones(const QByteArray& bytes) const {
        QFile f(rutaDefiniciones());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // A fresh lookup object as start-up prepares it, reading `ajustes`.
    Lib_ClsCons3& servicio() {
        if (!servicio_) {
            servicio_ = std::make_unique<Lib_ClsCons3>(
                *sesion, dialogos, [this](const QString& clave) {
                    return ajustes.value(clave, QStringLiteral(" "));
                });
            servicio_->gUsarMascarasConsultas = true;
            servicio_->gRutaMascaraConsultas = rutaDefiniciones();
            servicio_->mostrarLista = [this](EntregaLista& e) {
                lista = e;
                e.ValorDevuelto = respuesta;
                e.Valores = valoresRespuesta;
                e.Cantidades = {QStringLiteral("2")};
            };
            servicio_->mostrarArbol = [this](EntregaArbol& e) {
                arbol = e;
                e.ValorDevuelto = respuesta;
                e.Valores = valoresRespuesta;
            };
        }
        return *servicio_;
    }

    prueba::BaseDemo demo;
    prueba::DialogosGuion dialogos;
    std::unique_ptr<datos::DB_Dll> sesion;
    QTemporaryDir carpeta;
    QHash<QString, QString> ajustes;

    std::optional<EntregaLista> lista;
    std::optional<EntregaArbol> arbol;
    QString respuesta;
    QStringList valoresRespuesta;

private:
    std::unique_ptr<Lib_ClsCons3> servicio_;
};

// ---- The statement a lookup builds ------------------------------------------

struct CasoSentencia {
    const char* nombre;
    const char* sql;
    const char* campoBusqueda;
    const char* where;
    const char* sentenciaOpcional;
    const char* topConsArt;  // nullptr: not configured
    bool usarDefiniciones;
    const char* sentencia;
    const char* campoBusquedaDespues;
    const char* whereDespues;
};

const CasoSentencia casosSentencia[] = {
    {"LaCuentaDelPrograma", "MA_CUENTAS", "", "", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"LaTablaSeComparaSinMayusculas", " ma_cuentas ", "", "", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"TopConsArt250", "MA_CUENTAS", "", "", "", "250", true,
     "SELECT TOP 250 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"TopConsArtSinNumero", "MA_CUENTAS", "", "", "", "muchas", true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"TopConsArtConDecimalesSeRedondea", "MA_CUENTAS", "", "", "", "99.6 filas", true,
     "SELECT TOP 100 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"WhereEntreParentesis", "MA_CUENTAS", "", "Activa = 1", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  WHERE  (Activa = 1)  ORDER BY DESCRIPCION",
     "DESCRIPCION", " (Activa = 1) "},
    {"WhereQueYaTieneParentesis", "MA_CUENTAS", "", "(Activa = 1)", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  WHERE (Activa = 1) ORDER BY DESCRIPCION",
     "DESCRIPCION", "(Activa = 1)"},
    {"CampoBusquedaDelLlamador", "MA_CUENTAS", "CODIGO", "", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY CODIGO", "CODIGO", ""},
    {"CondicionDeLaDefinicionManda", "T_FILTRADA", "", "Otra = 2", "", nullptr, true,
     "SELECT TOP 1000 NOMBRE,CODIGO FROM T_FILTRADA  with(nolock)  WHERE TIPO = 'A' ORDER BY NOMBRE",
     "NOMBRE", " (Otra = 2) "},
    {"ClientesDadosDeBaja", "VT_CLIENTES", "", "", "", nullptr, true,
     "SELECT TOP 1000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0 ORDER BY RAZON_SOCIAL",
     "RAZON_SOCIAL", ""},
    {"ProveedoresConWhereNoPonenBaja", "VT_PROVEEDORES", "", "Zona = 3", "", nullptr, true,
     "SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE  (Zona = 3)  ORDER BY RAZON_SOCIAL",
     "RAZON_SOCIAL", " (Zona = 3) "},
    {"ArticulosDeLaVistaCompleta", "V_MA_ARTICULOS", "", "", "", nullptr, true,
     "SELECT TOP 1000 DESCRIPCION,IDARTICULO FROM VT_MA_ARTICULOS  with(nolock)  WHERE SUSPENDIDO = 0 ORDER BY DESCRIPCION",
     "DESCRIPCION", ""},
    {"TablaFueraDelArchivo", "T_PRECIOS", "", "", "", nullptr, true,
     "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM T_PRECIOS  ORDER BY NOMBRE", "NOMBRE", ""},
    {"TablaFueraDelArchivoConWhere", "T_PRECIOS", "ID", "PRECIO > 5", "", nullptr, true,
     "SELECT TOP 1000 PRECIO,NOMBRE,CODIGO FROM T_PRECIOS WHERE   (PRECIO > 5)  ORDER BY NOMBRE",
     "NOMBRE", " (PRECIO > 5) "},
    {"SoloIdentificadoresNoDejanColumnaDeOrden", "T_IDS", "", "", "", nullptr, false,
     "SELECT TOP 1000  *  FROM T_IDS ", "", ""},
    {"SinColumnaDeOrdenNiConWhereQuedaUnOrderByVacio", "T_IDS", "", "ID > 1", "", nullptr, false,
     "SELECT TOP 1000  *  FROM T_IDS WHERE   (ID > 1) ", "", " (ID > 1) "},
    {"MutualesMuestranIdentificadoresYElUltimoOrdena", "v_mv_mutuales", "", "", "", nullptr, false,
     "SELECT TOP 1000 FECHAHORA_GRABACION,NOMBRE,ID FROM v_mv_mutuales  ORDER BY FECHAHORA_GRABACION",
     "FECHAHORA_GRABACION", ""},
    {"DepositosSinDefiniciones", "V_TA_DEPOSITO", "", "", "", nullptr, false,
     "SELECT TOP 1000 Descripcion,IdDeposito,UnidadNegocio FROM V_TA_DEPOSITO  ORDER BY IDDEPOSITO",
     "IDDEPOSITO", ""},
    {"SentenciaOpcionalSinDefinicion", "T_PRECIOS", "", "", "SELECT CODIGO FROM T_PRECIOS", nullptr, true,
     "SELECT CODIGO FROM T_PRECIOS", "", ""},
    {"SentenciaCompletaConWhereYArticulos", "select * from V_MA_ARTICULOS", "", "A = 1", "", nullptr, true,
     "select * from VT_MA_ARTICULOS WHERE  (A = 1) ", "", " (A = 1) "},
    {"SentenciaCompletaConWhereQueDiceWhere", "SELECT * FROM T", "", "(WHERE A = 1)", "", nullptr, true,
     "SELECT * FROM T(WHERE A = 1)", "", "(WHERE A = 1)"},
};

class SentenciaDeLaConsulta : public ServicioConsultas,
                              public ::testing::WithParamInterface<CasoSentencia> {};

TEST_P(SentenciaDeLaConsulta, EsLaQueLaVentanaRecibe) {
    const CasoSentencia& c = GetParam();
    if (c.topConsArt != nullptr) ajustes.insert(QStringLiteral("TopConsArt"), QString::fromLatin1(c.topConsArt));
    Lib_ClsCons3& s = servicio();
    s.gUsarMascarasConsultas = c.usarDefiniciones;
    QString campo = QString::fromLatin1(c.campoBusqueda);
    QString where = QString::fromLatin1(c.where);
    s.ConsultaSearch(QString::fromLatin1(c.sql), nullptr, {}, &campo, &where,
                     QString::fromLatin1(c.sentenciaOpcional));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, QString::fromLatin1(c.sentencia));
    EXPECT_EQ(campo, QString::fromLatin1(c.campoBusquedaDespues));
    EXPECT_EQ(where, QString::fromLatin1(c.whereDespues));
    EXPECT_EQ(lista->OrdenarPorLwv, !lista->SQL.contains(QStringLiteral("order by"), Qt::CaseInsensitive));
    EXPECT_TRUE(dialogos.mensajes().empty()) << dialogos.mensajes().front().texto.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Casos, SentenciaDeLaConsulta, ::testing::ValuesIn(casosSentencia),
                         [](const ::testing::TestParamInfo<CasoSentencia>& caso) { return std::string(caso.param.nombre); });

// The statement built from the table's own columns when the file gives no
// definition for the account lookup.
const QString CuentasAutomatica = QStringLiteral(
    "SELECT TOP 1000 CONFIDENCIAL,TIPO,IMPUTABLE,DESCRIPCION,CODIGO FROM MA_CUENTAS  ORDER BY DESCRIPCION");

TEST_F(ServicioConsultas, SinArchivoDeDefinicionesSeArmaLaSentenciaConLasColumnasDeLaTabla) {
    ASSERT_TRUE(QFile::remove(rutaDefiniciones()));
    servicio().ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, CuentasAutomatica);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(ServicioConsultas, UnArchivoDeDefinicionesIlegibleTambienArmaLaSentencia) {
    ASSERT_TRUE(QFile::remove(rutaDefiniciones()));
    ASSERT_TRUE(QDir(carpeta.path()).mkdir(QStringLiteral("consultas.qzt")));
    servicio().ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, CuentasAutomatica);
}

// Some writers pad every field with NUL bytes instead of blanks: the columns
// are read without them, and no NUL byte reaches the statement.
TEST_F(ServicioConsultas, UnaDefinicionRellenaConNulesDaUnaSentenciaLimpia) {
    auto campo = [](const char* texto, int ancho) {
        const QByteArray t(texto);
        return t + QByteArray(ancho - t.size(), '\0');
    };
    reemplazarDefiniciones(campo("PRECIOS", 100) + campo("T_PRECIOS", 100) + campo("|NOMBRE|CODIGO|", 500) +
                           campo("", 500) + "\r\n");
    servicio().ConsultaSearch(QStringLiteral("T_PRECIOS"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, QStringLiteral("SELECT TOP 1000 NOMBRE,CODIGO FROM T_PRECIOS  with(nolock)  ORDER BY NOMBRE"));
}

// A definition cut short by a full disk would send a cut column list: the
// record is passed over, the log says which one, and the table's own
// columns make the statement.
TEST_F(ServicioConsultas, UnRegistroDanadoSeOmiteYQuedaEnElLog) {
    RegistroConsulta cuentas = definicion("CUENTAS", "MA_CUENTAS", "|DESCRIPCION|CODIGO|", "");
    QByteArray conNul = definicion("OTRA", "T_OTRA", "|A|B|", "").bytes();
    conNul[100 + 2] = '\0';
    reemplazarDefiniciones(conNul + cuentas.bytes().left(210));
    servicio().ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, CuentasAutomatica);
    EXPECT_TRUE(dialogos.mensajes().empty());
    const QString registro = log();
    EXPECT_TRUE(registro.contains(QStringLiteral("Rutina: ConsultaSearch - Mensaje El registro 1 de ") +
                                  rutaDefiniciones() + QStringLiteral(" está dañado y se omite")))
        << registro.toStdString();
    EXPECT_TRUE(registro.contains(QStringLiteral("El registro 2 de "))) << registro.toStdString();
    EXPECT_EQ(registro.count(QStringLiteral("\r\n")), 2);
}

TEST_F(ServicioConsultas, UnaDefinicionDeUnaSolaColumnaPideConfigurarlaYNoMuestraVentana) {
    Lib_ClsCons3& s = servicio();
    respuesta = QStringLiteral("1.1.01.01");
    s.CampoDevuelto = QStringLiteral("CODIGO");
    s.ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    ASSERT_EQ(s.ValorDevuelto, QStringLiteral("1.1.01.01"));
    lista.reset();

    s.CampoDevuelto = QStringLiteral("CODIGO");
    QStringList devueltos{QStringLiteral("NOMBRE")};
    s.ConsultaSearch(QStringLiteral("T_SOLO_CODIGO"), &devueltos);
    EXPECT_FALSE(lista.has_value());
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes().front().texto, QStringLiteral("Debe configurar la consulta para esta tabla"));
    EXPECT_EQ(dialogos.mensajes().front().estilo, plataforma::estilo::Informacion);
    EXPECT_EQ(dialogos.mensajes().front().titulo, QStringLiteral("Aviso al operador"));
    // Nothing of the clean-up runs: the previous result stays.
    EXPECT_EQ(s.ValorDevuelto, QStringLiteral("1.1.01.01"));
    EXPECT_EQ(devueltos, QStringList{QStringLiteral("NOMBRE")});
}

TEST_F(ServicioConsultas, UnaTablaInexistenteLaInformaLaSesionYLaVentanaRecibeLaSentencia) {
    dialogos.responder(plataforma::respuesta::Ignorar);
    servicio().ConsultaSearch(QStringLiteral("NO_EXISTE"));
    EXPECT_EQ(dialogos.mensajes().size(), 1u);
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->SQL, QStringLiteral("SELECT TOP 1000  *  FROM NO_EXISTE "));
}

// ---- The hand-over to the windows --------------------------------------------

TEST_F(ServicioConsultas, LaListaRecibeLosAjustesYDevuelveSusResultados) {
    ajustes.insert(QStringLiteral("MostrarStockenConsultas"), QStringLiteral("SI"));
    ajustes.insert(QStringLiteral("Stk_Nivel1"), QStringLiteral("255"));
    ajustes.insert(QStringLiteral("Stk_Nivel3"), QStringLiteral("65280"));
    ajustes.insert(QStringLiteral("Stk_Nivel4"), QString());
    ajustes.insert(QStringLiteral("UsaConsultaLike"), QStringLiteral("si"));
    Lib_ClsCons3& s = servicio();
    s.CampoDevuelto = QStringLiteral("CODIGO");
    s.Checks = true;
    s.UsaCantidades = true;
    respuesta = QStringLiteral("1.1.01.02");
    valoresRespuesta = {QStringLiteral("1.1.01.02"), QStringLiteral("Fondo fijo")};
    QStringList devueltos{QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION")};

    s.ConsultaSearch(QStringLiteral("MA_CUENTAS"), &devueltos, QStringLiteral("Fon"), nullptr, nullptr,
                     {}, false, QStringLiteral("@10"));

    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->StkNivel1, 255);
    EXPECT_EQ(lista->StkNivel2, std::nullopt);  // missing: no colour, not black
    EXPECT_EQ(lista->StkNivel3, 65280);
    EXPECT_EQ(lista->StkNivel4, std::nullopt);
    EXPECT_EQ(lista->MuestraStock, QStringLiteral("SI"));
    EXPECT_TRUE(lista->CfgUsaConsultaLIKE);
    EXPECT_FALSE(lista->OrdenarPorLwv);
    EXPECT_EQ(lista->FiltroInicial, QStringLiteral("Fon"));
    EXPECT_EQ(lista->CampoDevuelto, QStringLiteral("CODIGO"));
    EXPECT_TRUE(lista->CheckBoxes);
    EXPECT_TRUE(lista->desmarcarFilas);
    EXPECT_TRUE(lista->UsaCantidades);
    EXPECT_EQ(lista->ValoresDefault, QStringLiteral("@10"));
    EXPECT_EQ(lista->CmpsDevueltos, &devueltos);
    EXPECT_FALSE(lista->listaDeOpciones);

    EXPECT_EQ(s.ValorDevuelto, QStringLiteral("1.1.01.02"));
    EXPECT_EQ(s.Valores, valoresRespuesta);
    EXPECT_EQ(s.Cantidades, QStringList{QStringLiteral("2")});
    EXPECT_FALSE(s.Checks);
    EXPECT_TRUE(s.CampoDevuelto.isEmpty());
    EXPECT_TRUE(devueltos.isEmpty());
}

TEST_F(ServicioConsultas, SinAjustesNadaSeColoreaNiBuscaConLike) {
    Lib_ClsCons3& s = servicio();
    s.ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_EQ(lista->StkNivel1, std::nullopt);
    EXPECT_EQ(lista->MuestraStock.trimmed(), QString());
    EXPECT_FALSE(lista->CfgUsaConsultaLIKE);
    EXPECT_FALSE(lista->CheckBoxes);
    EXPECT_FALSE(lista->desmarcarFilas);
}

TEST_F(ServicioConsultas, ElArbolRecibeLaSentenciaYDevuelveSusResultados) {
    Lib_ClsCons3& s = servicio();
    s.CampoDevuelto = QStringLiteral("IDFAMILIA");
    s.Checks = true;
    s.Valores = {QStringLiteral("viejo")};
    respuesta = QStringLiteral("0101");
    valoresRespuesta = {QStringLiteral("0101"), QStringLiteral("0102")};
    s.ConsultaSearch(QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS"), nullptr, {},
                     nullptr, nullptr, {}, true);
    EXPECT_FALSE(lista.has_value());
    ASSERT_TRUE(arbol.has_value());
    EXPECT_EQ(arbol->SQL, QStringLiteral("SELECT IDFAMILIA, DESCRIPCION FROM V_TA_FAMILIAS"));
    EXPECT_EQ(arbol->CampoDevuelto, QStringLiteral("IDFAMILIA"));
    EXPECT_TRUE(arbol->Checks);
    EXPECT_EQ(s.ValorDevuelto, QStringLiteral("0101"));
    EXPECT_EQ(s.Valores, valoresRespuesta);
    EXPECT_FALSE(s.Checks);
    EXPECT_TRUE(s.CampoDevuelto.isEmpty());
}

TEST_F(ServicioConsultas, UnaConsultaCanceladaDejaElValorVacioQueDevuelveLaVentana) {
    Lib_ClsCons3& s = servicio();
    s.ValorDevuelto = QStringLiteral("anterior");
    s.ConsultaSearch(QStringLiteral("MA_CUENTAS"));
    EXPECT_TRUE(s.ValorDevuelto.isEmpty());
}

// ---- Option lists ------------------------------------------------------------

TEST_F(ServicioConsultas, MenuOpcionesMuestraUnaColumnaYDevuelveLaElegida) {
    respuesta = QStringLiteral("Segunda opcion");
    const QString elegida = servicio().MenuOpciones(
        QStringLiteral("Elija"), {QStringLiteral("Primera"), QStringLiteral("Segunda opcion")});
    EXPECT_EQ(elegida, QStringLiteral("Segunda opcion"));
    ASSERT_TRUE(lista.has_value());
    EXPECT_TRUE(lista->listaDeOpciones);
    EXPECT_EQ(lista->Titulo, QStringLiteral("Elija"));
    EXPECT_EQ(lista->CampoDevuelto, QStringLiteral("Elija"));
    EXPECT_TRUE(lista->OrdenarPorLwv);
    EXPECT_TRUE(lista->SQL.isEmpty());
    EXPECT_FALSE(lista->CheckBoxes);
    ASSERT_EQ(lista->opciones.size(), 2);
    EXPECT_EQ(lista->opciones[1].texto, QStringLiteral("Segunda opcion"));
    EXPECT_EQ(lista->AnchoTwips, 14 * 120);
}

TEST_F(ServicioConsultas, MenuOpcionesConUnaSolaOpcionMuestraLaListaVacia) {
    servicio().MenuOpciones(QStringLiteral("Un titulo largo"), {QStringLiteral("Unica")});
    ASSERT_TRUE(lista.has_value());
    EXPECT_TRUE(lista->opciones.isEmpty());
    EXPECT_EQ(lista->AnchoTwips, 15 * 120);
}

TEST_F(ServicioConsultas, CheckOpcionesMarcaPorElPrimerCaracterYDejaLasMarcadasEnValores) {
    valoresRespuesta = {QStringLiteral("Caja")};
    const QString r = servicio().CheckOpciones(
        QStringLiteral("T"), nullptr, {QStringLiteral("1Caja"), QStringLiteral("0Bancos")});
    EXPECT_TRUE(r.isEmpty());
    ASSERT_TRUE(lista.has_value());
    EXPECT_TRUE(lista->CheckBoxes);
    ASSERT_EQ(lista->opciones.size(), 2);
    EXPECT_EQ(lista->opciones[0].texto, QStringLiteral("Caja"));
    EXPECT_TRUE(lista->opciones[0].marcada);
    EXPECT_EQ(lista->opciones[1].texto, QStringLiteral("Bancos"));
    EXPECT_FALSE(lista->opciones[1].marcada);
    EXPECT_EQ(lista->AnchoTwips, 7 * 120);  // the flag counts
    EXPECT_EQ(servicio().Valores, valoresRespuesta);
}

TEST_F(ServicioConsultas, ConsultaDesdeArchivoMuestraSusLineas) {
    const QString ruta = carpeta.filePath(QStringLiteral("opciones.txt"));
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write("uno\r\nla l\xEDnea m\xE1s larga\r\ntres\r\n");
    archivo.close();
    respuesta = QStringLiteral("tres");
    EXPECT_EQ(servicio().ConsultaDesdeArchivo(QStringLiteral("Lineas"), ruta, QStringLiteral(",")),
              QStringLiteral("tres"));
    ASSERT_TRUE(lista.has_value());
    ASSERT_EQ(lista->opciones.size(), 3);
    EXPECT_EQ(lista->opciones[1].texto, QStringLiteral("la línea más larga"));
    EXPECT_EQ(lista->AnchoTwips, 18 * 120);
}

TEST_F(ServicioConsultas, ConsultaDesdeUnArchivoQueFaltaLoDice) {
    const QString ruta = carpeta.filePath(QStringLiteral("falta.txt"));
    EXPECT_TRUE(servicio().ConsultaDesdeArchivo(QStringLiteral("T"), ruta).isEmpty());
    EXPECT_FALSE(lista.has_value());
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    EXPECT_EQ(dialogos.mensajes().front().texto,
              QStringLiteral("No existe el archivo ") + ruta + QStringLiteral(" que desea consultar consulta "));
    EXPECT_EQ(dialogos.mensajes().front().estilo, 0);
    EXPECT_TRUE(dialogos.mensajes().front().titulo.isEmpty());
}

}  // namespace
