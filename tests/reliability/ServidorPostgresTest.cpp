// The control script of the private PostgreSQL server
// (scripts/servidor-postgres.sh) on a cluster of its own in a temporary
// folder: the whole life of a cluster, what it lets in, and the folders it
// refuses to touch.

#include "support/BasePostgres.h"
#include "support/Ordenes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString Script = QStringLiteral(QUINTARO_RAIZ_FUENTE "/scripts/servidor-postgres.sh");

using prueba::correr;
using prueba::Resultado;

Resultado controlar(const QString& accion, const QString& carpeta) {
    return correr(QStringLiteral("bash"), {Script, accion, carpeta});
}

bool hayServidorInstalado() { return !QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty(); }

class ServidorPrivado : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hayServidorInstalado()) {
            if (prueba::BasePostgres::exigido()) {
                FAIL() << "No hay servidor PostgreSQL instalado";
            }
            GTEST_SKIP() << "No hay servidor PostgreSQL instalado";
        }
        ASSERT_TRUE(raiz_.isValid());
        // Run as root, the server runs as postgres, who must reach the folder.
        ASSERT_TRUE(QFile::setPermissions(raiz_.path(), QFile::permissions(raiz_.path()) | QFile::ExeOther));
    }
    void TearDown() override {
        if (QFileInfo::exists(cluster() + QStringLiteral("/datos/PG_VERSION"))) controlar(QStringLiteral("detener"), cluster());
    }

    QString cluster() const { return raiz_.filePath(QStringLiteral("cluster")); }

    // The variables the script wrote, by name.
    QMap<QString, QString> entorno() const {
        QMap<QString, QString> variables;
        QFile f(cluster() + QStringLiteral("/entorno"));
        if (!f.open(QIODevice::ReadOnly)) return variables;
        static const QRegularExpression linea(QStringLiteral("^export (\\w+)=(.*)$"));
        for (const QString& l : QString::fromUtf8(f.readAll()).split(u'\n')) {
            const auto m = linea.match(l);
            if (m.hasMatch()) variables.insert(m.captured(1), m.captured(2));
        }
        return variables;
    }

    // One value through psql over TCP on the loopback, with a password.
    Resultado consultar(const QString& puerto, const QString& usuario, const QString& clave, const QString& sql) const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("PGPASSWORD"), clave);
        e.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("5"));
        return correr(QStringLiteral("psql"),
                      {QStringLiteral("-X"), QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-h"),
                       QStringLiteral("127.0.0.1"), QStringLiteral("-p"), puerto, QStringLiteral("-U"), usuario,
                       QStringLiteral("-d"), QStringLiteral("postgres"), QStringLiteral("-c"), sql},
                      e);
    }

    QTemporaryDir raiz_;
};

TEST_F(ServidorPrivado, IniciaParaArrancaYDetieneElMismoCluster) {
    const Resultado iniciado = controlar(QStringLiteral("iniciar"), cluster());
    ASSERT_EQ(iniciado.codigo, 0) << iniciado.salida.toStdString();

    const auto variables = entorno();
    EXPECT_EQ(variables.value(QStringLiteral("QUINTARO_PG_USUARIO")), QStringLiteral("quintaro"));
    EXPECT_EQ(variables.value(QStringLiteral("QUINTARO_PG_CLAVE")), QStringLiteral("quintaro"));
    EXPECT_EQ(variables.value(QStringLiteral("QUINTARO_PG_DATOS")), cluster());
    EXPECT_EQ(QFileInfo(variables.value(QStringLiteral("QUINTARO_PG_CONTROL"))).canonicalFilePath(),
              QFileInfo(Script).canonicalFilePath());
    const QString puerto = variables.value(QStringLiteral("QUINTARO_PG_PUERTO"));
    ASSERT_GT(puerto.toInt(), 0) << puerto.toStdString();

    // The login is a superuser with its password; a wrong one is refused.
    Resultado r = consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"),
                            QStringLiteral("SELECT rolsuper FROM pg_roles WHERE rolname = current_user"));
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
    EXPECT_EQ(r.salida.trimmed(), QStringLiteral("t"));
    EXPECT_NE(consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("otra"), QStringLiteral("SELECT 1")).codigo, 0);
    // Loopback only, the socket inside the folder.
    r = consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"),
                  QStringLiteral("SELECT current_setting('listen_addresses') || ' ' || current_setting('unix_socket_directories')"));
    EXPECT_EQ(r.salida.trimmed(), QStringLiteral("127.0.0.1 ") + cluster());

    // Stopped and started again: the same port, the data kept.
    ASSERT_EQ(consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"),
                        QStringLiteral("CREATE TABLE quedo (x int)")).codigo, 0);
    r = controlar(QStringLiteral("parar"), cluster());
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
    EXPECT_NE(consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"), QStringLiteral("SELECT 1")).codigo, 0);
    EXPECT_EQ(controlar(QStringLiteral("parar"), cluster()).codigo, 0);  // already stopped
    r = controlar(QStringLiteral("arrancar"), cluster());
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
    EXPECT_EQ(controlar(QStringLiteral("arrancar"), cluster()).codigo, 0);  // already running
    r = consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"), QStringLiteral("SELECT COUNT(*) FROM quedo"));
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();

    // A second cluster is never started over the first.
    EXPECT_NE(controlar(QStringLiteral("iniciar"), cluster()).codigo, 0);
    EXPECT_EQ(consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"), QStringLiteral("SELECT 1")).codigo, 0);

    r = controlar(QStringLiteral("detener"), cluster());
    EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cluster()));
    EXPECT_NE(consultar(puerto, QStringLiteral("quintaro"), QStringLiteral("quintaro"), QStringLiteral("SELECT 1")).codigo, 0);
}

// "detener" removes only what the script made.
struct CasoCarpeta {
    const char* nombre;
    const char* archivo;   // a file put in the folder first ("" for none)
    bool crear;            // whether the folder exists
    int codigo;            // the script's exit code
    bool queda;            // the folder is still there afterwards
};

const CasoCarpeta casosCarpeta[] = {
    {"ConArchivosAjenos", "informe.txt", true, 1, true},
    {"ConDatosQueNoSonCluster", "datos", true, 1, true},
    {"Vacia", "", true, 0, false},
    {"Inexistente", "", false, 0, false},
};

class DetenerCarpeta : public ServidorPrivado, public ::testing::WithParamInterface<CasoCarpeta> {};

TEST_P(DetenerCarpeta, SoloBorraLoQueElScriptHizo) {
    const CasoCarpeta& caso = GetParam();
    if (caso.crear) {
        ASSERT_TRUE(QDir().mkpath(cluster()));
    }
    const QString archivo = QString::fromUtf8(caso.archivo);
    if (archivo == QStringLiteral("datos")) {
        ASSERT_TRUE(QDir().mkpath(cluster() + QStringLiteral("/datos")));
        QFile f(cluster() + QStringLiteral("/datos/valioso.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    } else if (!archivo.isEmpty()) {
        QFile f(cluster() + u'/' + archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    const Resultado r = controlar(QStringLiteral("detener"), cluster());

    EXPECT_EQ(r.codigo, caso.codigo) << r.salida.toStdString();
    EXPECT_EQ(QFileInfo::exists(cluster()), caso.queda);
}

INSTANTIATE_TEST_SUITE_P(Carpetas, DetenerCarpeta, ::testing::ValuesIn(casosCarpeta),
                         [](const auto& c) { return std::string(c.param.nombre); });

// As root the cluster belongs to postgres: a folder that postgres cannot
// reach is refused at once, with the reason, instead of a half-made cluster.
TEST_F(ServidorPrivado, ComoRootRechazaUnaCarpetaQuePostgresNoAlcanza) {
    if (getuid() != 0) GTEST_SKIP() << "Solo corriendo como root";
    const QString cerrada = raiz_.filePath(QStringLiteral("cerrada"));
    ASSERT_TRUE(QDir().mkpath(cerrada));
    ASSERT_TRUE(QFile::setPermissions(cerrada, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString adentro = cerrada + QStringLiteral("/cluster");

    const Resultado r = controlar(QStringLiteral("iniciar"), adentro);

    EXPECT_EQ(r.codigo, 1) << r.salida.toStdString();
    EXPECT_TRUE(r.salida.contains(QStringLiteral("El usuario postgres no puede entrar en ") + adentro))
        << r.salida.toStdString();
    EXPECT_FALSE(QFileInfo::exists(adentro));
}

TEST_F(ServidorPrivado, UnaOrdenMalEscritaNoHaceNada) {
    const QStringList ordenes[] = {{}, {QStringLiteral("iniciar")}, {QStringLiteral("borrar"), cluster()},
                                   {QStringLiteral("iniciar"), cluster(), QStringLiteral("de_mas")}};
    for (const QStringList& orden : ordenes) {
        const Resultado r = correr(QStringLiteral("bash"), QStringList{Script} + orden);
        EXPECT_EQ(r.codigo, 2) << orden.join(u' ').toStdString() << ": " << r.salida.toStdString();
        EXPECT_TRUE(r.salida.contains(QStringLiteral("uso:"))) << r.salida.toStdString();
        EXPECT_FALSE(QFileInfo::exists(cluster()));
    }
}

}  // namespace
