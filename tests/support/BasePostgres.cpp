#include "support/BasePostgres.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTextStream>
#include <QtGlobal>

#include <iostream>

namespace prueba {

namespace {

constexpr int kEsperaProceso = 120'000;  // ms; the control script bounds its own waits

QString variable(const char* nombre) { return qEnvironmentVariable(nombre); }

QString identificador(const QString& nombre) {
    QString t = nombre;
    return u'"' + t.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QProcessEnvironment entornoPsql() {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("PGHOST"), QStringLiteral("127.0.0.1"));
    e.insert(QStringLiteral("PGPORT"), variable("QUINTARO_PG_PUERTO"));
    e.insert(QStringLiteral("PGUSER"), variable("QUINTARO_PG_USUARIO"));
    e.insert(QStringLiteral("PGPASSWORD"), variable("QUINTARO_PG_CLAVE"));
    e.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    e.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c client_min_messages=warning"));
    return e;
}

// Runs a program to its end; its standard output, or its messages in `salida`
// when it failed.
bool correr(const QString& programa, const QStringList& argumentos, QString* salida) {
    QProcess p;
    p.setProcessEnvironment(entornoPsql());
    p.start(programa, argumentos);
    bool bien = p.waitForStarted(kEsperaProceso) && p.waitForFinished(kEsperaProceso) &&
                p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!bien && p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
    }
    if (salida) {
        *salida = bien ? QString::fromUtf8(p.readAllStandardOutput())
                       : programa + QStringLiteral(": ") + p.errorString() + u'\n' +
                             QString::fromUtf8(p.readAllStandardError());
    }
    return bien;
}

bool controlarServidor(const char* accion) {
    QString salida;
    bool bien = correr(QStringLiteral("bash"),
                       {variable("QUINTARO_PG_CONTROL"), QString::fromLatin1(accion), variable("QUINTARO_PG_DATOS")},
                       &salida);
    if (!bien) std::cerr << "servidor-postgres.sh " << accion << ": " << salida.toStdString() << '\n';
    return bien;
}

}  // namespace

bool BasePostgres::disponible() {
    for (const char* v : {"QUINTARO_PG_PUERTO", "QUINTARO_PG_USUARIO", "QUINTARO_PG_CLAVE",
                          "QUINTARO_PG_CONTROL", "QUINTARO_PG_DATOS"})
        if (qEnvironmentVariableIsEmpty(v)) return false;
    return true;
}

bool BasePostgres::exigido() { return variable("QUINTARO_PG_EXIGIDO") == QStringLiteral("1"); }

BasePostgres::BasePostgres(QString nombreBase, bool conDemo) : base_(std::move(nombreBase)) {
    if (!disponible()) {
        error_ = QStringLiteral("Sin servidor PostgreSQL (QUINTARO_PG_PUERTO y los demas)");
        return;
    }
    if (!carpeta_.isValid()) {
        error_ = QStringLiteral("No se pudo crear la carpeta temporal: ") + carpeta_.errorString();
        return;
    }
    // A program stopped in the middle of a test may have left the server down.
    if (!respondeServidor() && !arrancarServidor()) {
        error_ = QStringLiteral("El servidor PostgreSQL no arranca");
        return;
    }
    if (prepararBase(conDemo)) escribirOrigenDatos();
}

BasePostgres::~BasePostgres() {
    if (habiaOdbcini_)
        qputenv("ODBCINI", odbciniAnterior_);
    else
        qunsetenv("ODBCINI");
}

bool BasePostgres::prepararBase(bool conDemo) {
    QString salida;
    bool bien;
    if (conDemo) {
        bien = correr(QStringLiteral("bash"),
                      {QStringLiteral(QUINTARO_RAIZ_FUENTE "/scripts/cargar-demo-postgres.sh"), base_},
                      &salida);
    } else {
        bien = correr(QStringLiteral("psql"),
                      {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
                       QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"), QStringLiteral("postgres"),
                       QStringLiteral("-c"),
                       QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(identificador(base_)),
                       QStringLiteral("-c"),
                       QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'")
                           .arg(identificador(base_))},
                      &salida);
    }
    if (!bien) error_ = QStringLiteral("No se pudo preparar la base ") + base_ + QStringLiteral(": ") + salida;
    return bien;
}

bool BasePostgres::escribirOrigenDatos() {
    const QString ruta = carpeta_.filePath(QStringLiteral("odbc.ini"));
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error_ = QStringLiteral("No se pudo escribir ") + ruta + QStringLiteral(": ") + f.errorString();
        return false;
    }
    QTextStream(&f) << '[' << origenDatos() << "]\n"
                    << "Description = QUINTARO, servidor PostgreSQL de prueba\n"
                    << "Driver = PostgreSQL Unicode\n"
                    << "Servername = 127.0.0.1\n"
                    << "Port = " << puerto() << '\n';
    f.close();
    habiaOdbcini_ = qEnvironmentVariableIsSet("ODBCINI");
    odbciniAnterior_ = qgetenv("ODBCINI");
    qputenv("ODBCINI", QFile::encodeName(ruta));
    return true;
}

QString BasePostgres::origenDatos() const { return QStringLiteral("QUINTARO_PG"); }
QString BasePostgres::usuario() const { return variable("QUINTARO_PG_USUARIO"); }
QString BasePostgres::clave() const { return variable("QUINTARO_PG_CLAVE"); }
QString BasePostgres::puerto() const { return variable("QUINTARO_PG_PUERTO"); }

QString BasePostgres::textoConexion() const {
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=") + origenDatos() + QStringLiteral(";Database =") +
           base_ + QStringLiteral(";UId=") + usuario() + QStringLiteral(";Pwd=") + clave() +
           QStringLiteral(";");
}

QString BasePostgres::lineaComandos(const QString& usuarioLinea, const QString& claveLinea) const {
    return QStringLiteral("@Server=") + origenDatos() + QStringLiteral(";@DbName=") + base_ +
           QStringLiteral(";@Usuario=") + usuarioLinea + QStringLiteral(";@Password=") + claveLinea +
           QStringLiteral(";@Caja=1");
}

bool BasePostgres::psql(const QString& sql, QString* salida) const {
    return correr(QStringLiteral("psql"),
                  {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                   QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"), base_,
                   QStringLiteral("-c"), sql},
                  salida);
}

bool BasePostgres::pararServidor() { return controlarServidor("parar"); }
bool BasePostgres::arrancarServidor() { return controlarServidor("arrancar"); }

bool BasePostgres::respondeServidor() {
    return correr(QStringLiteral("psql"),
                  {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-d"), QStringLiteral("postgres"),
                   QStringLiteral("-c"), QStringLiteral("SELECT 1")},
                  nullptr);
}

}  // namespace prueba
