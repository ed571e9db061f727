#include "BaseDePrueba.h"

#include "platform/ado/FallaDeConexion.h"
#include "platform/ado/FormatoRegional.h"
#include "platform/ado/odbc/ConexionOdbc.h"
#include "platform/ado/Proveedor.h"
#include "platform/ado/TextoConexion.h"
#include "platform/ado/proveedores/ProveedorJet.h"
#include "platform/ado/proveedores/ProveedorPostgres.h"
#include "platform/ado/proveedores/ProveedorOracle.h"
#include "platform/ado/proveedores/ProveedorOrigenDatos.h"
#include "platform/ado/proveedores/ProveedorSqlServer.h"
#include "platform/ado/proveedores/ProveedorSqlite.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <typeinfo>

namespace {

struct Traduccion {
    const char* caso;
    const char* textoAdo;
    QStringList instalados;
    const char* usuario;
    const char* contrasena;
    const char* cadenaOdbc;
};

void PrintTo(const Traduccion& t, std::ostream* os) { *os << t.caso; }

const QStringList ms18 = {QStringLiteral("SQLite3"), QStringLiteral("ODBC Driver 18 for SQL Server"),
                          QStringLiteral("FreeTDS")};
const QStringList ms17 = {QStringLiteral("FreeTDS"), QStringLiteral("ODBC Driver 17 for SQL Server")};
const QStringList tds = {QStringLiteral("SQLite3"), QStringLiteral("FreeTDS")};

// The connection texts exactly as the program builds them.
const Traduccion traducciones[] = {
    {"instancia con el driver 17", "PROVIDER=SQLOLEDB;Server=SRV\\ZANTAR;Database =EMP01;UId=jperez;Pwd=secreto;", ms17,
     "", "", "Driver={ODBC Driver 17 for SQL Server};Server=SRV\\ZANTAR;Database=EMP01;UID=jperez;PWD=secreto;"},
    {"puerto con el driver 18", "PROVIDER=SQLOLEDB;Server=srv:1500;Database =EMP01;UId=u;Pwd=p;", ms18, "", "",
     "Driver={ODBC Driver 18 for SQL Server};Server=srv,1500;Database=EMP01;UID=u;PWD=p;TrustServerCertificate=yes;"},
    {"puerto con FreeTDS", "PROVIDER=SQLOLEDB;Server=srv:1500;Database =EMP01;UId=u;Pwd=p;", tds, "", "",
     "Driver={FreeTDS};Server=srv;Port=1500;Database=EMP01;UID=u;PWD=p;ClientCharset=UTF-8;"},
    {"contrasena con punto y coma", "PROVIDER=SQLOLEDB;Server=(local);Database =E;UId=u;Pwd=a}b;", ms17, "", "",
     "Driver={ODBC Driver 17 for SQL Server};Server=localhost;Database=E;UID=u;PWD={a}}b};"},
    {"usuario aparte y extras", "PROVIDER=SQLOLEDB;Server=srv;Database =E;UId=;Pwd=;Application Name=QZ;", ms17,
     "ana", "x;y", "Driver={ODBC Driver 17 for SQL Server};Server=srv;Database=E;UID=ana;PWD={x;y};Application Name=QZ;"},
    {"cifrado elegido", "Provider=SQLOLEDB;Data Source=srv;Initial Catalog=E;User Id=u;Password=p;Encrypt=no", ms18, "",
     "", "Driver={ODBC Driver 18 for SQL Server};Server=srv;Database=E;UID=u;PWD=p;Encrypt=no;"},
    {"usuario y contrasena entre llaves", "PROVIDER=SQLOLEDB;Server=srv;Database =E;UId={a;b};Pwd={p=1;{x}}} ;", ms17,
     "", "", "Driver={ODBC Driver 17 for SQL Server};Server=srv;Database=E;UID={a;b};PWD={p=1;{x}}};"},
    {"oracle", "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=u;Password=p;",
     {QStringLiteral("SQLite3"), QStringLiteral("Oracle 19 ODBC driver")}, "", "",
     "Driver={Oracle 19 ODBC driver};DBQ=ORCL;UID=u;PWD=p;"},
};

class Traducciones : public ::testing::TestWithParam<Traduccion> {};

}  // namespace

TEST_P(Traducciones, ElTextoAdoLlegaAlControladorComoLoEspera) {
    const Traduccion& t = GetParam();
    const ado::TextoConexion texto(QString::fromUtf8(t.textoAdo));
    const auto proveedor = ado::Proveedor::elegir(texto);
    EXPECT_EQ(proveedor->cadenaOdbc(texto, QString::fromUtf8(t.usuario), QString::fromUtf8(t.contrasena), t.instalados),
              QString::fromUtf8(t.cadenaOdbc));
}

INSTANTIATE_TEST_SUITE_P(Textos, Traducciones, ::testing::ValuesIn(traducciones));

// Driver 18's certificate check: relaxed unless the workstation asks for it.
TEST(CertificadoDelServidor, SeVerificaSoloSiLaVariableLoPide) {
    const ado::TextoConexion texto(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =E;UId=u;Pwd=p;"));
    const auto proveedor = ado::Proveedor::elegir(texto);
    const struct {
        const char* valor;
        bool relajado;
    } casos[] = {{nullptr, true}, {"0", true}, {"", true}, {"1", false}, {" 1 ", false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor ? c.valor : "(sin variable)");
        if (c.valor) qputenv("QUINTARO_VERIFICAR_CERTIFICADO", c.valor);
        else qunsetenv("QUINTARO_VERIFICAR_CERTIFICADO");
        const QString cadena = proveedor->cadenaOdbc(texto, QString(), QString(), ms18);
        EXPECT_EQ(cadena.contains(QStringLiteral("TrustServerCertificate=yes")), c.relajado) << cadena.toStdString();
    }
    qunsetenv("QUINTARO_VERIFICAR_CERTIFICADO");
}

// A value between braces is read whole, "}}" standing for "}"; the pairs
// after it are read as usual.
TEST(TextoConexion, UnValorEntreLlavesSeLeeEntero) {
    struct Caso {
        const char* texto;
        const char* pwd;
        const char* uid;
    };
    const Caso casos[] = {
        {"Pwd={a;b}}c};UId=u;", "a;b}c", "u"},
        {"Pwd= {x=y} ;UId= u ;", "x=y", "u"},
        {"Pwd={ a };UId=u", " a ", "u"},
        {"UId={};Pwd={}}}", "}", ""},
        {"Pwd=a}b;UId=u;", "a}b", "u"},
        // a brace never closed is no quoting
        {"Pwd={abc;UId=u;", "{abc", "u"},
        {"Pwd={abc}resto;UId=u;", "abc", "u"},
        {"sin igual;Pwd=p;UId=u", "p", "u"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        const ado::TextoConexion texto(QString::fromUtf8(c.texto));
        EXPECT_EQ(texto.valor({QStringLiteral("Pwd")}), QString::fromUtf8(c.pwd));
        EXPECT_EQ(texto.valor({QStringLiteral("UId")}), QString::fromUtf8(c.uid));
    }
}

TEST(TextoConexion, LoEscritoSeLeeComoEra) {
    const char* valores[] = {"a;b", "x=y", "{z}", "}", "{", " lead", "trail ", "}};{{", "plain", "", "ñandú"};
    for (const char* v : valores) {
        const QString valor = QString::fromUtf8(v);
        SCOPED_TRACE(v);
        const QString escrito = ado::TextoConexion::escrito(valor);
        const ado::TextoConexion texto(QStringLiteral("UId=") + escrito + QStringLiteral(";Pwd=") + escrito +
                                       QStringLiteral(";Server=srv;"));
        EXPECT_EQ(texto.valor({QStringLiteral("UId")}), valor);
        EXPECT_EQ(texto.valor({QStringLiteral("Pwd")}), valor);
        EXPECT_EQ(texto.valor({QStringLiteral("Server")}), QStringLiteral("srv"));
    }
    // An ordinary value is written as it is.
    EXPECT_EQ(ado::TextoConexion::escrito(QStringLiteral("secreto")), QStringLiteral("secreto"));
    EXPECT_EQ(ado::TextoConexion::escrito(QStringLiteral("a}b")), QStringLiteral("{a}}b}"));
}

TEST(Proveedores, SinControladorInstaladoLaAperturaFallaConSuRegistro) {
    const ado::TextoConexion sql(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =E;UId=u;Pwd=p;"));
    const ado::TextoConexion oracle(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=X;User Id=u;Password=p;"));
    for (const ado::TextoConexion* texto : {&sql, &oracle}) {
        try {
            ado::Proveedor::elegir(*texto)->cadenaOdbc(*texto, {}, {}, {QStringLiteral("SQLite3")});
            ADD_FAILURE() << "a driver was found";
        } catch (const ado::FallaDeConexion& e) {
            EXPECT_EQ(e.error().SQLState, QStringLiteral("IM002"));
            EXPECT_EQ(e.Number(), plataforma::numero::FallaProveedor);
        }
    }
}

TEST(Proveedores, LaVariableDeEntornoEligeOtroControlador) {
    qputenv("QUINTARO_DRIVER_SQLSERVER", "Mi Controlador");
    const ado::TextoConexion texto(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =E;UId=u;Pwd=p;"));
    EXPECT_TRUE(ado::Proveedor::elegir(texto)->cadenaOdbc(texto, {}, {}, ms18).startsWith(
        QLatin1String("Driver={Mi Controlador};")));
    qunsetenv("QUINTARO_DRIVER_SQLSERVER");
}

TEST(Proveedores, CadaTextoEligeSuProveedor) {
    QTemporaryDir carpeta;
    const auto elegido = [](const QString& t) { return ado::Proveedor::elegir(ado::TextoConexion(t)); };
    EXPECT_TRUE(dynamic_cast<ado::ProveedorSqlite*>(
        elegido(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + carpeta.path() + QStringLiteral(";Database =E;")).get()));
    // An absolute path names no SQL Server, even when its folder is gone.
    EXPECT_TRUE(dynamic_cast<ado::ProveedorSqlite*>(
        elegido(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + carpeta.path() + QStringLiteral("/no;Database =E;")).get()));
    EXPECT_TRUE(dynamic_cast<ado::ProveedorSqlServer*>(
        elegido(QStringLiteral("PROVIDER=SQLOLEDB;Server=no-es-carpeta;Database =E;")).get()));
    EXPECT_TRUE(dynamic_cast<ado::ProveedorOracle*>(
        elegido(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=X;")).get()));
    EXPECT_TRUE(dynamic_cast<ado::ProveedorJet*>(
        elegido(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =c:\\a.mdb;")).get()));
    EXPECT_TRUE(dynamic_cast<ado::ProveedorJet*>(
        elegido(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source =c:\\a.mdb;")).get()));

    const QString mdb = carpeta.filePath(QStringLiteral("datos.mdb"));
    QFile(mdb).open(QIODevice::WriteOnly);
    const ado::TextoConexion jet(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =") + mdb +
                                 QStringLiteral(";User Id=admin;Password=;"));
    EXPECT_EQ(ado::Proveedor::elegir(jet)->cadenaOdbc(jet, {}, {}, {QStringLiteral("MDBTools")}),
              QStringLiteral("Driver={MDBTools};DBQ=") + mdb + u';');
}

// A name relative to the program's folder is the embedded engine's only when
// the folder it names holds the database's file: ".", "(local)" and a name
// that matches a folder of the program's by chance ("Styles") are SQL
// Servers, and reach the driver as SQL Server names.
TEST(Proveedores, SoloUnaCarpetaConElArchivoDeLaBaseEsElMotorEmbebido) {
    QTemporaryDir programa;
    ASSERT_TRUE(QDir(programa.path()).mkpath(QStringLiteral("Styles")));
    ASSERT_TRUE(QDir(programa.path()).mkpath(QStringLiteral("demo")));
    QFile(programa.filePath(QStringLiteral("demo/EMP.db"))).open(QIODevice::WriteOnly);
    qputenv("QUINTARO_CARPETA", QFile::encodeName(programa.path()));
    struct Caso {
        QString servidor;
        QString base;
        const char* cadenaSqlServer;  // "" when the embedded engine takes it
    };
    const Caso casos[] = {
        {QStringLiteral("."), QStringLiteral("EMP"), "Server=localhost;Database=EMP;"},
        {QStringLiteral("(local)"), QStringLiteral("EMP"), "Server=localhost;Database=EMP;"},
        {QStringLiteral("Styles"), QStringLiteral("EMP"), "Server=Styles;Database=EMP;"},
        {QStringLiteral("demo"), QStringLiteral("OTRA"), "Server=demo;Database=OTRA;"},
        {QStringLiteral("demo"), QStringLiteral("../demo/EMP"), "Server=demo;Database=../demo/EMP;"},
        {QStringLiteral("demo"), QStringLiteral("EMP"), ""},
        {QStringLiteral(" demo "), QStringLiteral("EMP"), ""},
        // no SQL Server is named by an absolute path: the engine reports the
        // missing file itself
        {programa.filePath(QStringLiteral("demo")), QStringLiteral("OTRA"), ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.servidor + u'/' + c.base).toStdString());
        const ado::TextoConexion texto(QStringLiteral("PROVIDER=SQLOLEDB;Server=") + c.servidor +
                                       QStringLiteral(";Database =") + c.base + QStringLiteral(";"));
        const auto proveedor = ado::Proveedor::elegir(texto);
        if (*c.cadenaSqlServer == '\0') {
            EXPECT_TRUE(dynamic_cast<ado::ProveedorSqlite*>(proveedor.get()));
            continue;
        }
        ASSERT_TRUE(dynamic_cast<ado::ProveedorSqlServer*>(proveedor.get()));
        EXPECT_EQ(proveedor->cadenaOdbc(texto, {}, {}, ms17).toStdString(),
                  "Driver={ODBC Driver 17 for SQL Server};" + std::string(c.cadenaSqlServer));
    }
    qunsetenv("QUINTARO_CARPETA");
}

TEST(Proveedores, UnServidorQueNombraUnOrigenDeDatosConectaPorEl) {
    const std::vector<ado::odbc::EntornoOdbc::OrigenDatos> origenes = {
        {QStringLiteral("QUINTARO_PG"), QStringLiteral("PostgreSQL Unicode")},
        {QStringLiteral("Local Lite"), QStringLiteral("SQLite3")},
    };
    struct Caso {
        const char* textoAdo;
        const char* cadenaOdbc;  // "" when the text does not reach a data source
    };
    const Caso casos[] = {
        {"PROVIDER=SQLOLEDB;Server=quintaro_pg;Database =EMP01;UId=u;Pwd=a;b;",
         "DSN=QUINTARO_PG;Database=EMP01;UID=u;PWD=a;"},
        {"PROVIDER=SQLOLEDB;Server= QUINTARO_PG ;Database =EMP01;UId=;Pwd=;", "DSN=QUINTARO_PG;Database=EMP01;"},
        // a SQLite data source names its file: the session's database would replace it
        {"PROVIDER=SQLOLEDB;Server=local lite;Database =EMP01;UId=u;Pwd=p;", "DSN=Local Lite;UID=u;PWD=p;"},
        {"PROVIDER=SQLOLEDB;Server=QUINTARO_PG2;Database =EMP01;", ""},
        {"PROVIDER=SQLOLEDB;Server=;Database =EMP01;", ""},
        {"Provider=OraOLEDB.Oracle.1;Data Source=QUINTARO_PG;User Id=u;Password=p;", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.textoAdo);
        const ado::TextoConexion texto(QString::fromUtf8(c.textoAdo));
        const auto proveedor = ado::Proveedor::elegir(texto, origenes);
        const auto* origen = dynamic_cast<const ado::ProveedorOrigenDatos*>(proveedor.get());
        ASSERT_EQ(origen != nullptr, *c.cadenaOdbc != '\0');
        if (origen) {
            EXPECT_EQ(origen->cadenaOdbc(texto, {}, {}, {}), QString::fromUtf8(c.cadenaOdbc));
        }
    }
}

TEST(Proveedores, ElMotorDelOrigenDeDatosSaleDelNombreQueDaElControlador) {
    struct Caso {
        const char* dbms;
        const std::type_info& motor;
    };
    const Caso casos[] = {
        {"PostgreSQL", typeid(ado::ProveedorPostgres)},
        {"SQLite", typeid(ado::ProveedorSqlite)},
        {"Microsoft SQL Server", typeid(ado::ProveedorSqlServer)},
        {"Informix", typeid(ado::ProveedorSqlServer)},
    };
    for (const Caso& c : casos) {
        const auto motor = ado::ProveedorOrigenDatos::motorPara(QString::fromUtf8(c.dbms));
        EXPECT_EQ(typeid(*motor), c.motor) << c.dbms;
    }
    // PostgreSQL's address lives in a data source: alone, it is not reachable.
    const ado::TextoConexion texto(QStringLiteral("PROVIDER=SQLOLEDB;Server=srv;Database =E;"));
    try {
        ado::ProveedorPostgres().cadenaOdbc(texto, {}, {}, {QStringLiteral("PostgreSQL Unicode")});
        ADD_FAILURE() << "a connection string without a data source";
    } catch (const ado::FallaDeConexion& e) {
        EXPECT_EQ(e.error().SQLState, QStringLiteral("IM002"));
    }
}

// SQL Server reads a date literal in the order its session's DATEFORMAT
// says, which by default follows the login's language; the program writes
// them in the workstation's order.
TEST(Proveedores, ElOrdenDeLasFechasEsElDeLaEstacion) {
    const std::pair<const char*, const char*> casos[] = {
        {"es_AR", "SET DATEFORMAT dmy"}, {"es_ES", "SET DATEFORMAT dmy"}, {"de_DE", "SET DATEFORMAT dmy"},
        {"en_US", "SET DATEFORMAT mdy"}, {"sv_SE", "SET DATEFORMAT ymd"}, {"ja_JP", "SET DATEFORMAT ymd"},
    };
    const QLocale antes;
    for (const auto& [localidad, sentencia] : casos) {
        QLocale::setDefault(QLocale(QString::fromLatin1(localidad)));
        EXPECT_EQ(ado::ProveedorSqlServer::ordenDeFechas().toStdString(), sentencia) << localidad;
    }
    QLocale::setDefault(antes);
}

// What the provider sends once the driver has connected, seen through the
// statement trace on a live connection (of the embedded engine's driver,
// which refuses SQL Server's statement: the opening then fails). An engine
// reached through a data source gets it only when the driver reports SQL
// Server.
TEST(Proveedores, TrasConectarSqlServerRecibeElOrdenDeLasFechas) {
    QTemporaryDir carpeta;
    const QString traza = carpeta.filePath(QStringLiteral("traza.sql"));
    qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza));
    const QLocale antes;
    QLocale::setDefault(QLocale(QStringLiteral("es_AR")));
    ado::Errors errores;
    const ado::odbc::VerificadorOdbc verificar(errores, {}, QStringLiteral("prueba"), ado::odbc::Textos::Utf8);
    const ado::odbc::EntornoOdbc entorno;
    ado::odbc::ConexionOdbc conexion(
        entorno, ado::ProveedorSqlite::cadenaArchivo(carpeta.filePath(QStringLiteral("x.db")), true), 5, verificar);
    const auto trazado = [&] {
        QFile f(traza);
        const QString texto = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        QFile::remove(traza);
        return texto;
    };

    EXPECT_THROW(ado::ProveedorSqlServer().conectado(conexion, verificar, 5), plataforma::RuntimeError);
    EXPECT_TRUE(trazado().endsWith(QStringLiteral(" SET DATEFORMAT dmy\n")));
    EXPECT_THROW(ado::ProveedorOrigenDatos::motorPara(QStringLiteral("Microsoft SQL Server"))->conectado(conexion, verificar, 5),
                 plataforma::RuntimeError);
    EXPECT_TRUE(trazado().endsWith(QStringLiteral(" SET DATEFORMAT dmy\n")));
    EXPECT_NO_THROW(ado::ProveedorOrigenDatos::motorPara(QStringLiteral("Informix"))->conectado(conexion, verificar, 5));
    EXPECT_TRUE(trazado().isEmpty());

    QLocale::setDefault(antes);
    qunsetenv("QUINTARO_TRAZA_SQL");
}

TEST(Proveedores, PostgresLeeLosNombresSinComillasEnMinusculas) {
    const ado::ProveedorPostgres pg;
    const std::pair<const char*, const char*> casos[] = {
        {"MA_CUENTAS", "ma_cuentas"}, {"IdFamilia", "idfamilia"}, {"DEBE-HABER", "DEBE-HABER"},
        {"Desc ripcion", "Desc ripcion"}, {"_x1", "_x1"},
    };
    for (const auto& [escrito, catalogo] : casos) {
        EXPECT_EQ(pg.nombreEnCatalogo(QString::fromUtf8(escrito)), QString::fromUtf8(catalogo));
        EXPECT_EQ(pg.citar(QString::fromUtf8(escrito)), u'"' + QString::fromUtf8(catalogo) + u'"');
    }
}
