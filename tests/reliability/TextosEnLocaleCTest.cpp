// Accents under the C locale: a workstation whose process runs with LANG=C
// and LC_ALL=C (this program started again as that workstation, the C
// library's locale set back to "C" after Qt moved it to UTF-8) opens a
// reconciliation with a reason full of accents, reads the reason back, names
// a column with an accent and runs a statement whose error message quotes
// accented text. On the embedded engine and on the private PostgreSQL server
// through psqlODBC's Unicode and ANSI drivers.

#include "reconciliation/FrmConcOpen.h"
#include "session/Global.h"
#include "session/InicioSistema.h"
#include "support/BaseDemo.h"
#include "support/BasePostgres.h"
#include "support/DialogosGuion.h"
#include "support/EntornoPruebas.h"
#include "support/Ordenes.h"
#include "platform/ado/Recordset.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <iostream>
#include <langinfo.h>
#include <memory>

namespace {

const QString Motivo = QStringLiteral("Revisión de Muñoz");
const QString Columna = QStringLiteral("Descripción");
const QString TablaInexistente = QStringLiteral("revisión_de_muñoz");
constexpr int Finalizada = 1;  // a finalised reconciliation of the demo

QString codigo(int numero) { return QString::number(numero).rightJustified(15, u' '); }

// Texts cross the process boundary in hexadecimal: the C locale's output
// would not carry them.
QString hex(const QString& texto) { return QString::fromLatin1(texto.toUtf8().toHex()); }
QString deHex(const QString& texto) { return QString::fromUtf8(QByteArray::fromHex(texto.toLatin1())); }

// ---- The workstation (the child process) ----------------------------------------------

QString leerMotivo(datos::DB_Dll& db, const QString& id) {
    ado::Recordset rs;
    db.AbrirRecordset(QStringLiteral("SELECT TOP 1 MOTIVO AS ") + Columna +
                          QStringLiteral(" FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '") + id +
                          QStringLiteral("' ORDER BY ID DESC"),
                      rs);
    if (rs.State() == ado::estado::Cerrado || rs.EOF_()) return QStringLiteral("<sin fila>");
    const QString leido = rs.Fields(0L).Name() + u'|' + rs.Fields(0L).Value().texto();
    db.CierraRecordset(rs);
    return leido;
}

// Types `texto` key by key; a letter no key of QTest's ASCII table carries
// comes with its text alone, as a keyboard with that letter sends it.
void escribir(QWidget& destino, const QString& texto) {
    for (const QChar letra : texto)
        QTest::sendKeyEvent(QTest::Click, &destino, Qt::Key_unknown, QString(letra), Qt::NoModifier);
}

// Starts the program from its command line, opens the reconciliation with the
// reason typed into the dialog, reads it back on the same session and runs a
// statement that fails: "RESULTADO <locale> <codeset> <opened> <name|reason>
// <error> <first message>", the texts in hexadecimal.
int puestoTextos(const QString& linea, int numero) {
    std::setlocale(LC_ALL, "C");
    prueba::DialogosGuion dialogos;
    sesion::Global global(dialogos);
    global.lineaComandos = [linea] { return linea; };
    global.terminarPrograma = [] {};
    sesion::InicioSistema(global, 3);
    if (!global.DB.gOpenFlag) return 2;

    conciliacion::FrmConcOpen dialogo(global, dialogos);
    dialogo.preparar(codigo(numero), QStringLiteral("1.1.02.01"), QStringLiteral("Banco"));
    dialogo.show();
    escribir(*dialogo.findChild<QPlainTextEdit*>(QStringLiteral("TXTMOTIVO")), Motivo);
    QTest::mouseClick(dialogo.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);

    const QString leido = leerMotivo(global.DB, codigo(numero));
    global.DB.EjecutaConsultaSQL(QStringLiteral("SELECT * FROM ") + TablaInexistente);
    const ado::Errors& errores = global.DB.gCnn().errors();
    const QString error = errores.Count() > 0 ? errores.Item(0).Description : QString();
    const QString mensaje = dialogos.mensajes().empty() ? QString() : dialogos.mensajes().front().texto;
    std::cout << "RESULTADO " << std::setlocale(LC_CTYPE, nullptr) << ' ' << nl_langinfo(CODESET) << ' '
              << (dialogo.Abierta() ? 1 : 0) << ' ' << hex(leido).toStdString() << ' ' << hex(error).toStdString()
              << ' ' << hex(mensaje).toStdString() << std::endl;
    return 0;
}

// ---- The test ----------------------------------------------------------------------------

struct Motor {
    const char* nombre;
    bool postgres;
    const char* controlador;  // the data source's driver on the server
};

void PrintTo(const Motor& m, std::ostream* os) { *os << m.nombre; }

class TextosEnLocaleC : public ::testing::TestWithParam<Motor> {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.filePath(QStringLiteral("programa")) + u'/'));
        entorno_ = QProcessEnvironment::systemEnvironment();
        entorno_.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        entorno_.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        if (!GetParam().postgres) {
            demo_ = std::make_unique<prueba::BaseDemo>();
            ASSERT_TRUE(demo_->valida()) << demo_->error().toStdString();
            return;
        }
        QUINTARO_EXIGIR_POSTGRES();
        pg_ = std::make_unique<prueba::BasePostgres>(QStringLiteral("quintaro_textos"), true);
        ASSERT_TRUE(pg_->valida()) << pg_->error().toStdString();
        entorno_.insert(QStringLiteral("ODBCINI"), origenDatos(GetParam().controlador));
    }
    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    // The workstation's own odbc.ini: the server's data source through `controlador`.
    QString origenDatos(const char* controlador) const {
        const QString ruta = carpeta_.filePath(QStringLiteral("odbc.ini"));
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream(&f) << '[' << pg_->origenDatos() << "]\nDriver = " << controlador
                        << "\nServername = 127.0.0.1\nPort = " << pg_->puerto() << '\n';
        return ruta;
    }

    QString lineaComandos() const {
        return pg_ ? pg_->lineaComandos(QStringLiteral("mgomez"), QStringLiteral("demo")) : demo_->lineaComandos();
    }

    // The reason as the database holds it, read by a program of the engine's
    // own: psql on the server, sqlite3 on the embedded file, whose bytes must
    // be the reason's UTF-8 (its driver would pass other bytes off as
    // Latin-1 letters).
    QString motivoGuardado() const {
        const QString donde = QStringLiteral(" FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '") +
                              codigo(Finalizada) + QStringLiteral("' AND ESTADO = 1");
        if (pg_) {
            QString salida;
            EXPECT_TRUE(pg_->psql(QStringLiteral("SELECT MOTIVO") + donde, &salida)) << salida.toStdString();
            return salida.trimmed();
        }
        const prueba::Resultado r = prueba::correr(
            QStringLiteral("sqlite3"), {demo_->archivo(), QStringLiteral("SELECT hex(MOTIVO)") + donde});
        EXPECT_EQ(r.codigo, 0) << r.salida.toStdString();
        return deHex(r.salida.trimmed());
    }

    QTemporaryDir carpeta_;
    QProcessEnvironment entorno_;
    std::unique_ptr<prueba::BaseDemo> demo_;
    std::unique_ptr<prueba::BasePostgres> pg_;
};

TEST_P(TextosEnLocaleC, ElMotivoYLosMensajesLleganIntactos) {
    const prueba::Resultado r =
        prueba::correr(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--puesto-textos"), lineaComandos(), QString::number(Finalizada)}, entorno_, 120);
    ASSERT_EQ(r.codigo, 0) << r.salida.toStdString();
    const qsizetype inicio = r.salida.indexOf(QStringLiteral("RESULTADO "));
    ASSERT_GE(inicio, 0) << r.salida.toStdString();
    const QStringList campos = r.salida.mid(inicio).section(u'\n', 0, 0).split(u' ');
    ASSERT_GE(campos.size(), 6) << r.salida.toStdString();

    // The workstation really ran under the C locale's ASCII.
    EXPECT_EQ(campos[1], QStringLiteral("C"));
    EXPECT_EQ(campos[2], QStringLiteral("ANSI_X3.4-1968"));
    EXPECT_EQ(campos[3], QStringLiteral("1")) << deHex(campos.value(6)).toStdString();
    // The server folds the unquoted alias's ASCII capitals; its accent stays.
    const QString leido = deHex(campos[4]);
    EXPECT_EQ(leido.section(u'|', 0, 0).toLower().toStdString(), Columna.toLower().toStdString());
    EXPECT_EQ(leido.section(u'|', 1).toStdString(), Motivo.toStdString());
    const QString error = deHex(campos[5]);
    EXPECT_TRUE(error.contains(TablaInexistente)) << error.toStdString();
    EXPECT_EQ(motivoGuardado().toStdString(), Motivo.toStdString());
    std::cout << "[observado] " << GetParam().nombre << ": " << error.toStdString() << '\n';
}

INSTANTIATE_TEST_SUITE_P(Motores, TextosEnLocaleC,
                         ::testing::Values(Motor{"Embebido", false, ""},
                                           Motor{"PostgreSQLUnicode", true, "PostgreSQL Unicode"},
                                           Motor{"PostgreSQLAnsi", true, "PostgreSQL ANSI"}),
                         [](const auto& motor) { return std::string(motor.param.nombre); });

}  // namespace

int main(int argc, char** argv) {
    // The workstation keeps the locale its parent gave it.
    const bool puesto = argc >= 4 && std::strcmp(argv[1], "--puesto-textos") == 0;
    if (!puesto) prueba::fijarEntorno();
    QApplication aplicacion(argc, argv);
    if (puesto) return puestoTextos(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]).toInt());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
