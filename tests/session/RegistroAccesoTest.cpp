// The usage log on the demo company database: the row every start leaves,
// the task named by the user's menu rights, the executable-name rule, quotes
// in names and values that read "null".

#include "EntornoTemporal.h"
#include "platform/Aplicacion.h"
#include "platform/ado/Recordset.h"
#include "session/Global.h"
#include "session/InicioSistema.h"
#include "session/RegistroAcceso.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Nulo = QStringLiteral("<NULL>");

class RegistroAcceso : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
        ASSERT_TRUE(programa.isValid());
        global.terminarPrograma = [] {};
        global.lineaComandos = [this] { return demo.lineaComandos(); };
        sesion::InicioSistema(global, 3);
        ASSERT_TRUE(global.DB.gOpenFlag);
    }

    void ejecutar(const QString& sentencia) {
        global.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    // A menu entry that starts this test program, granted to `usuario`.
    void concederTarea(const QString& clave, const QString& nombre, const QString& usuario) {
        ejecutar(QStringLiteral("INSERT INTO TA_MENU (Clave, Proceso, Nombre) VALUES ('%1', '%2.EXE', '%3')")
                     .arg(clave, plataforma::nombreEjecutable().toUpper(), nombre));
        ejecutar(QStringLiteral("INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('%1', '%2')")
                     .arg(QString(usuario).replace(u'\'', QStringLiteral("''")), clave));
    }

    long filas() {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) FROM Control_Acceso"), global.DB.gCnn());
        return rs.Fields(0L).Value().texto().toLong();
    }

    // Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario of the last row.
    QStringList ultimaFila() {
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario "
                               "FROM Control_Acceso ORDER BY ID DESC"),
                global.DB.gCnn());
        QStringList valores;
        if (rs.EOF_()) return valores;
        for (long i = 0; i < 6; ++i) {
            const ado::Variant v = rs.Fields(i).Value();
            valores << (v.esNulo() ? Nulo : v.texto());
        }
        return valores;
    }

    static QString maquina() { return QSysInfo::machineHostName().trimmed().toUpper(); }
    static QString programaEnMayusculas() { return plataforma::nombreEjecutable().toUpper(); }

    prueba::BaseDemo demo;
    QTemporaryDir programa;
    prueba::EntornoTemporal carpeta{"QUINTARO_CARPETA", programa.path()};
    prueba::DialogosGuion dialogos;
    sesion::Global global{dialogos};
};

TEST_F(RegistroAcceso, CadaInicioDejaUnaFilaConLosDatosDeLaSesion) {
    const QString antes = QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy hh:mm"));
    global.lineaComandos = [this] { return demo.lineaComandos(); };
    sesion::InicioSistema(global, 3);
    const QString despues = QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yy hh:mm"));

    EXPECT_EQ(filas(), 2);  // the start of SetUp and this one
    const QStringList fila = ultimaFila();
    ASSERT_EQ(fila.size(), 6);
    EXPECT_EQ(fila[0], maquina());
    EXPECT_EQ(fila[1], QStringLiteral("MGOMEZ"));
    EXPECT_EQ(fila[2], programaEnMayusculas());
    EXPECT_EQ(fila[3], QString());  // no menu entry starts this program
    EXPECT_TRUE(fila[4] == antes || fila[4] == despues) << fila[4].toStdString();
    EXPECT_EQ(fila[5], QStringLiteral("mgomez"));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

struct CasoTarea {
    const char* nombre;
    const char* usuario;       // the session's user
    const char* formulario;    // given to RegistrarAcceso
    bool concedida;            // a menu entry starting this program is granted to the user
    const char* tarea;         // expected; "*" the executable's name
    const char* usuarioFila;   // expected Usuario
    const char* nombreFila;    // expected NombreUsuario
};

const CasoTarea casosTarea[] = {
    {"TareaConcedida", "mgomez", "", true, "CONCILIACIONES DE PRUEBA", "MGOMEZ", "mgomez"},
    {"SinTarea", "jperez", "", false, "", "JPEREZ", "jperez"},
    {"UsuarioIgualALaBase", "zantar_demo", "", false, "*", "ZANTAR_DEMO", "zantar_demo"},
    {"Supervisor", "Supervisor Quorvel MC", "", false, "*", "SUPERVISOR QUORVEL MC", "Supervisor Quorvel MC"},
    {"BlancosYMayusculas", "  Ana Paz ", "", true, "CONCILIACIONES DE PRUEBA", "ANA PAZ", "  Ana Paz "},
    {"ComillaEnElNombre", "o'neil", "", true, "CONCILIACIONES DE PRUEBA", "ONEIL", "oneil"},
    {"OtroFormulario", "mgomez", "frmOtro", false, "", "MGOMEZ", "mgomez"},
    // The demo's menu: only mgomez may reopen reconciliations.
    {"ProgramaDelDemo", "mgomez", "quintaro", false, "APERTURA MOMENTÁNEA DE CONCILIACIONES", "MGOMEZ", "mgomez"},
    {"ProgramaDelDemoSinDerecho", "jperez", "quintaro", false, "", "JPEREZ", "jperez"},
};

class RegistroAccesoTarea : public RegistroAcceso, public ::testing::WithParamInterface<CasoTarea> {};

TEST_P(RegistroAccesoTarea, NombraLaTareaYEscribeLaFila) {
    const CasoTarea& caso = GetParam();
    const QString usuario = QString::fromUtf8(caso.usuario);
    if (caso.concedida) concederTarea(QStringLiteral("PRUEBA01"), QStringLiteral("Conciliaciones de prueba"), usuario);
    global.DB.gUsuario = usuario;
    const long antes = filas();

    sesion::RegistrarAcceso(global, QString::fromUtf8(caso.formulario));

    EXPECT_EQ(filas(), antes + 1);
    const QStringList fila = ultimaFila();
    ASSERT_EQ(fila.size(), 6);
    const QString tarea = QString::fromUtf8(caso.tarea);
    EXPECT_EQ(fila[3], tarea == QLatin1String("*") ? programaEnMayusculas() : tarea);
    EXPECT_EQ(fila[1], QString::fromUtf8(caso.usuarioFila));
    EXPECT_EQ(fila[5], QString::fromUtf8(caso.nombreFila));
    EXPECT_EQ(fila[2], *caso.formulario ? QString::fromUtf8(caso.formulario).toUpper() : programaEnMayusculas());
    // The rest of the run records the name as logged.
    EXPECT_EQ(global.gUsuarioLogeado, QString::fromUtf8(caso.nombreFila));
    EXPECT_TRUE(dialogos.mensajes().empty());
}

INSTANTIATE_TEST_SUITE_P(Casos, RegistroAccesoTarea, ::testing::ValuesIn(casosTarea),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

TEST_F(RegistroAcceso, ConDosTareasConcedidasTomaLaPrimeraFila) {
    concederTarea(QStringLiteral("PRUEBA01"), QStringLiteral("Primera"), QStringLiteral("mgomez"));
    concederTarea(QStringLiteral("PRUEBA02"), QStringLiteral("Segunda"), QStringLiteral("mgomez"));

    sesion::RegistrarAcceso(global, QString());

    const QStringList fila = ultimaFila();
    ASSERT_EQ(fila.size(), 6);
    EXPECT_TRUE(fila[3] == QLatin1String("PRIMERA") || fila[3] == QLatin1String("SEGUNDA"));
}

TEST_F(RegistroAcceso, UnValorQueDiceNullSeEscribeComoNulo) {
    global.DB.gUsuario = QStringLiteral("nUlL");

    sesion::RegistrarAcceso(global, QStringLiteral("Null"));

    const QStringList fila = ultimaFila();
    ASSERT_EQ(fila.size(), 6);
    EXPECT_EQ(fila[1], Nulo);
    EXPECT_EQ(fila[2], Nulo);
    EXPECT_EQ(fila[5], Nulo);
    EXPECT_EQ(fila[0], maquina());
}

// Without the rights table the task is named as for a user without rights:
// the executable's name for the users who get it then, empty for the others;
// the row is written all the same.
TEST_F(RegistroAcceso, SinLaTablaDeDerechosLaTareaSigueLaReglaDelEjecutable) {
    struct Caso {
        const char* usuario;
        const char* tarea;  // "*" the executable's name
    };
    ejecutar(QStringLiteral("DROP TABLE TA_TAREAS"));
    for (const Caso& caso : {Caso{"Supervisor Quorvel MC", "*"}, Caso{"zantar_demo", "*"}, Caso{"jperez", ""}}) {
        global.DB.gUsuario = QString::fromUtf8(caso.usuario);
        const long antes = filas();

        sesion::RegistrarAcceso(global, QString());

        EXPECT_EQ(filas(), antes + 1) << caso.usuario;
        const QStringList fila = ultimaFila();
        ASSERT_EQ(fila.size(), 6);
        const QString tarea = QString::fromUtf8(caso.tarea);
        EXPECT_EQ(fila[3], tarea == QLatin1String("*") ? programaEnMayusculas() : tarea) << caso.usuario;
    }
}

TEST(ArmarSentencia, UneNombresYLiteralesEnUnInsert) {
    prueba::DialogosGuion dialogos;
    datos::DB_Dll sesion(dialogos);
    sesion::CamposPendientes campos;
    QString a = QStringLiteral("it's");
    QString b = QStringLiteral("NULL");
    QString c = QString();
    sesion::AgregarCampo(campos, sesion, QStringLiteral("A"), a, QStringLiteral("'"), true);
    sesion::AgregarCampo(campos, sesion, QStringLiteral("B"), b, QStringLiteral("'"), false);
    sesion::AgregarCampo(campos, sesion, QStringLiteral("C"), c, QStringLiteral("'"), false);
    QStringList sentencias{QString()};

    sesion::ArmarSentencia(campos, sentencias, QStringLiteral("T"), false);

    EXPECT_EQ(a, QStringLiteral("its"));  // the caller's variable loses its quotes
    EXPECT_EQ(sentencias, (QStringList{QString(), QStringLiteral("INSERT INTO T (A,B,C) VALUES ('its',Null,'')"), QString()}));
    ASSERT_EQ(campos.size(), 1u);
    EXPECT_TRUE(campos.front().nombre.isEmpty());

    // A new list drops what was pending.
    QString d = QStringLiteral("x");
    sesion::AgregarCampo(campos, sesion, QStringLiteral("A"), a, QStringLiteral("'"), false);
    sesion::AgregarCampo(campos, sesion, QStringLiteral("D"), d, QStringLiteral("'"), true);
    sesion::ArmarSentencia(campos, sentencias, QStringLiteral("T"), true);
    EXPECT_EQ(sentencias.at(3), QStringLiteral("INSERT INTO T (D) VALUES ('x')"));
    EXPECT_EQ(campos.size(), 1u);  // kept
}

}  // namespace
