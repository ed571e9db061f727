// The main window on the demo company database: its controls, the list load
// with every filter and state box, the error dialog, header sorting, the
// resize rule and the keys the window takes before its controls.

#include "reconciliation/FiltroConciliaciones.h"
#include "reconciliation/FrmOpenConc.h"

#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ui/Twips.h"
#include "reconciliation/ImagenesEstado.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace twips = plataforma::twips;

namespace {

using conciliacion::FrmOpenConc;
using conciliacion::ImagenesEstado;
namespace respuesta = plataforma::respuesta;

// The reconciliations every test starts from (identifiers in the 15-character
// code form, as the suite stores them).
struct Conciliacion {
    int numero;
    const char* cuenta;
    const char* fecha;       // ISO, as stored
    const char* finalizada;  // SQL literal: 1, 0 or NULL
    int aperturaEstado;      // row in MV_CONCILIACION_OPEN with this ESTADO; -1 none
};

constexpr Conciliacion conciliaciones[] = {
    {1, "9990001", "2024-03-05", "1", -1},     // finalised
    {2, "9990001", "2024-03-31", "0", -1},     // open
    {3, "9990002", "2024-03-05", "NULL", -1},  // open: NULL counts as not finalised
    {4, "9990002", "2024-04-30", "0", 1},      // momentarily open
    {5, "9990003", "2024-04-30", "0", 0},      // open: its opening was closed again
    {6, "O'Brien", "2024-05-02", "1", -1},     // finalised, an account with a quote
    {7, "9990001  ", "2024-05-31", "1", -1},   // finalised, account stored with trailing blanks
};

class VentanaConciliaciones : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        traza_ = carpeta_.filePath(QStringLiteral("traza.sql"));
        qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza_));
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        global_.lineaComandos = [this] { return base_.lineaComandos(); };
        global_.terminarPrograma = [this] { ++terminaciones_; };
        ventana_ = std::make_unique<FrmOpenConc>(global_, dialogos_);
        ventana_->cargar();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        ponerConciliaciones();
        ventana_->show();
        ventana_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana_.get()));
    }

    void TearDown() override { qunsetenv("QUINTARO_TRAZA_SQL"); }

    void ejecutar(const QString& sentencia) {
        global_.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    QString codigo(int numero) const { return global_.gUtilidades.codigo(QString::number(numero), 15); }

    void ponerConciliaciones() {
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_OPEN"));
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION"));
        ejecutar(QStringLiteral("DELETE FROM MV_CONCILIACION_CAB"));
        for (const char* cuenta : {"9990001", "9990002", "9990003", "O''Brien"})
            ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('%1', 'Cuenta %1')")
                         .arg(QString::fromLatin1(cuenta)));
        for (const Conciliacion& c : conciliaciones) {
            const QString cuenta = QString::fromLatin1(c.cuenta).replace(u'\'', QStringLiteral("''"));
            ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, "
                                    "Observaciones, FechaDesde, FechaHasta, Tipo, Finalizada) "
                                    "VALUES ('%1', '%2', '%3', ' Nota %4 ', '2024-03-01', '2024-03-31', 'BCO', %5)")
                         .arg(codigo(c.numero), cuenta, QString::fromLatin1(c.fecha))
                         .arg(c.numero)
                         .arg(QString::fromLatin1(c.finalizada)));
            if (c.aperturaEstado >= 0)
                ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, "
                                        "FECHA, ESTADO) VALUES ('%1', 'control', 'MGOMEZ en PC:PC1', "
                                        "'01/05/2024 10:00:00', %2)")
                             .arg(codigo(c.numero))
                             .arg(c.aperturaEstado));
        }
    }

    template <typename T>
    T* control(const char* nombre) const {
        T* c = ventana_->findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(c, nullptr) << nombre;
        return c;
    }

    conciliacion::ListaConciliaciones& lista() const { return ventana_->lista(); }

    void cargar() { QTest::mouseClick(control<QToolButton>("cmdCargar"), Qt::LeftButton); }

    void escribir(const char* caja, const QString& texto) {
        QLineEdit* c = control<QLineEdit>(caja);
        c->clear();
        QTest::keyClicks(c, texto);
    }

    void marcar(const char* casilla, bool marcada) {
        QCheckBox* c = control<QCheckBox>(casilla);
        if (c->isChecked() != marcada) QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(5, c->height() / 2));
        ASSERT_EQ(c->isChecked(), marcada);
    }

    // The reconciliation numbers of the list, top to bottom.
    QList<int> numeros() const {
        QList<int> n;
        for (int i = 0; i < lista().topLevelItemCount(); ++i)
            n << lista().topLevelItem(i)->text(1).trimmed().toInt();
        return n;
    }

    QTreeWidgetItem* fila(int numero) const {
        for (int i = 0; i < lista().topLevelItemCount(); ++i)
            if (lista().topLevelItem(i)->text(1).trimmed().toInt() == numero) return lista().topLevelItem(i);
        return nullptr;
    }

    // The last list statement the connection received, without the trace's
    // timestamp.
    QString ultimaSentenciaLista() const {
        QFile f(traza_);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QString ultima;
        for (const QString& linea : QString::fromUtf8(f.readAll()).split(u'\n')) {
            const qsizetype desde = linea.indexOf(QStringLiteral("SELECT * FROM MV_CONCILIACION_CAB"));
            if (desde >= 0) ultima = linea.mid(desde);
        }
        return ultima;
    }

    QTemporaryDir carpeta_;
    prueba::BaseDemo base_;
    QString traza_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<FrmOpenConc> ventana_;
    int terminaciones_ = 0;
};

// ---- The window's controls ------------------------------------------------------

TEST_F(VentanaConciliaciones, TieneLosControlesConSusTitulosYLugares) {
    EXPECT_EQ(ventana_->windowTitle(), QStringLiteral("Apertura Momentanea de Conciliaciones"));
    struct Boton {
        const char* nombre;
        const char* titulo;
        int izquierda;
    };
    for (const Boton& b : {Boton{"cmdCargar", "Cargar", 0}, Boton{"cmdReporte", "Reporte", 1350},
                           Boton{"cmdAbrir", "Apertura Momentanea", 2700},
                           Boton{"cmdHistorial", "Ver Historial de Acciones", 4050},
                           Boton{"cmdSalir", "[Esc] Salir", 5400}}) {
        QToolButton* boton = control<QToolButton>(b.nombre);
        EXPECT_EQ(boton->text(), QString::fromLatin1(b.titulo));
        EXPECT_EQ(boton->geometry(), twips::rectangulo(b.izquierda, 0, 1365, 1110)) << b.nombre;
        EXPECT_FALSE(boton->icon().isNull()) << b.nombre;
    }
    for (const char* casilla : {"chkFinalizadas", "chkAbiertasM", "chkAbiertas"})
        EXPECT_FALSE(control<QCheckBox>(casilla)->isChecked()) << casilla;
    EXPECT_EQ(control<QCheckBox>("chkAbiertasM")->text(), QStringLiteral("Abiertas Momentaneamente"));
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("Cuenta:"));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("Fecha"));

    QLineEdit* cuenta = control<QLineEdit>("txtFields_0");
    QLineEdit* fecha = control<QLineEdit>("txtFields_1");
    EXPECT_EQ(cuenta->property("campo").toString(), QStringLiteral("Cuenta"));
    EXPECT_EQ(cuenta->property("tag").toString(), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(fecha->property("campo").toString(), QStringLiteral("Fecha"));
    EXPECT_EQ(fecha->property("tag").toString(), QStringLiteral("Fecha"));
    QTest::keyClicks(fecha, QStringLiteral("05/03/2024123"));
    EXPECT_EQ(fecha->text(), QStringLiteral("05/03/2024"));

    QStringList claves;
    for (QLabel* panel : control<QStatusBar>("sbStatusBar")->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        claves << panel->objectName();
    EXPECT_EQ(claves, (QStringList{"MENSAJE", "SERVER", "BASEDEDATOS", "USUARIO", "CAJA", "", "VERSION"}));

    const QStringList encabezados{"", "Conc. Nro", "Cuenta", "Descripción", "Fecha", "Comentario",
                                  "Periodo1", "Periodo2", "Tipo", "Estado"};
    ASSERT_EQ(lista().columnCount(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(lista().headerItem()->text(i), encabezados[i]);
    EXPECT_EQ(lista().columnWidth(3), 167);
}

// ---- The list load -------------------------------------------------------------

TEST_F(VentanaConciliaciones, UnaFilaMuestraSusCeldasSuIconoYSuClave) {
    cargar();
    EXPECT_TRUE(dialogos_.mensajes().empty());
    ASSERT_EQ(numeros(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));

    QTreeWidgetItem* f1 = fila(1);
    EXPECT_EQ(f1->text(0), QString());
    EXPECT_EQ(f1->text(1), codigo(1));
    EXPECT_EQ(f1->text(2), QStringLiteral("9990001"));
    EXPECT_EQ(f1->text(3), QStringLiteral("Cuenta 9990001"));
    EXPECT_EQ(f1->text(4), QStringLiteral("05/03/2024"));
    EXPECT_EQ(f1->text(5), QStringLiteral("Nota 1"));
    EXPECT_EQ(f1->text(6), QStringLiteral("01/03/2024-31/03/2024"));
    EXPECT_EQ(f1->text(7), QStringLiteral("-"));
    EXPECT_EQ(f1->text(8), QStringLiteral("BCO"));
    EXPECT_EQ(f1->text(9), QStringLiteral("Finalizada"));
    EXPECT_EQ(conciliacion::ListaConciliaciones::claveDe(f1), QStringLiteral("A") + codigo(1));

    // The account stored with trailing blanks shows trimmed and still finds
    // its description.
    EXPECT_EQ(fila(7)->text(2), QStringLiteral("9990001"));
    EXPECT_EQ(fila(7)->text(3), QStringLiteral("Cuenta 9990001"));

    struct Estado {
        int numero;
        QString texto;
        QString icono;
    };
    for (const Estado& e : {Estado{1, "Finalizada", ImagenesEstado::Finalizada},
                            Estado{2, "Abierta", ImagenesEstado::Abierta},
                            Estado{3, "Abierta", ImagenesEstado::Abierta},
                            Estado{4, "Momentaneamente", ImagenesEstado::AbiertaM},
                            Estado{5, "Abierta", ImagenesEstado::Abierta}}) {
        EXPECT_EQ(fila(e.numero)->text(9), e.texto) << e.numero;
        EXPECT_EQ(conciliacion::ListaConciliaciones::claveIconoDe(fila(e.numero)), e.icono) << e.numero;
    }

    // The first row added is the selected one, and the selected row's cells
    // are what the other dialogs read.
    EXPECT_EQ(lista().celda(1), codigo(1));
    EXPECT_EQ(lista().iconKey(), ImagenesEstado::Finalizada);
    lista().setIconKey(ImagenesEstado::AbiertaM);
    lista().setCell(9, QStringLiteral("Momentaneamente"));
    EXPECT_EQ(fila(1)->text(9), QStringLiteral("Momentaneamente"));
    EXPECT_EQ(lista().iconKey(), ImagenesEstado::AbiertaM);
}

struct CasoFiltro {
    const char* nombre;
    QString cuenta;
    QString fecha;
    bool finalizadas;
    bool abiertasM;
    bool abiertas;
    QList<int> esperados;
    QString sentencia;  // empty: not checked
};

void PrintTo(const CasoFiltro& c, std::ostream* os) { *os << c.nombre; }

class FiltrosDeLaLista : public VentanaConciliaciones, public ::testing::WithParamInterface<CasoFiltro> {};

TEST_P(FiltrosDeLaLista, ListaLasConciliacionesQueCorresponden) {
    const CasoFiltro& caso = GetParam();
    escribir("txtFields_0", caso.cuenta);
    escribir("txtFields_1", caso.fecha);
    marcar("chkFinalizadas", caso.finalizadas);
    marcar("chkAbiertasM", caso.abiertasM);
    marcar("chkAbiertas", caso.abiertas);
    cargar();
    EXPECT_TRUE(dialogos_.mensajes().empty()) << dialogos_.mensajes().front().texto.toStdString();
    EXPECT_EQ(numeros(), caso.esperados);
    if (!caso.sentencia.isEmpty()) {
        EXPECT_EQ(ultimaSentenciaLista(), caso.sentencia);
    }
}

const QString Desde = QStringLiteral("SELECT * FROM MV_CONCILIACION_CAB  ");
const QString Orden = QStringLiteral(" ORDER BY IDCONCILIACION");

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltrosDeLaLista,
    ::testing::Values(
        CasoFiltro{"SinFiltro", "", "", false, false, false, {1, 2, 3, 4, 5, 6, 7}, Desde + " " + Orden},
        CasoFiltro{"Finalizadas", "", "", true, false, false, {1, 6, 7},
                   Desde + "  Where (Finalizada=1 )" + Orden},
        CasoFiltro{"SoloMomentaneas", "", "", false, true, false, {4},
                   Desde + "  where ((Finalizada=0 or Finalizada is null) )" + Orden},
        CasoFiltro{"SoloAbiertas", "", "", false, false, true, {2, 3, 5},
                   Desde + "  where ((Finalizada=0 or Finalizada is null) )" + Orden},
        CasoFiltro{"AmbasAbiertas", "", "", false, true, true, {2, 3, 4, 5},
                   Desde + "  where ((Finalizada=0 or Finalizada is null)  or (Finalizada=0 or Finalizada is null) )" + Orden},
        CasoFiltro{"FinalizadasYAbiertas", "", "", true, false, true, {1, 2, 3, 5, 6, 7},
                   Desde + "  Where (Finalizada=1  or (Finalizada=0 or Finalizada is null) )" + Orden},
        CasoFiltro{"FinalizadasYMomentaneas", "", "", true, true, false, {1, 4, 6, 7}, {}},
        CasoFiltro{"LasTres", "", "", true, true, true, {1, 2, 3, 4, 5, 6, 7}, {}},
        CasoFiltro{"Cuenta", "9990001", "", false, false, false, {1, 2, 7},
                   Desde + " Where rtrim(Cuenta)='9990001'  " + Orden},
        CasoFiltro{"CuentaDeBlancosIgnorada", "   ", "", false, false, false, {1, 2, 3, 4, 5, 6, 7},
                   Desde + " " + Orden},
        CasoFiltro{"Fecha", "", "05/03/2024", false, false, false, {1, 3},
                   Desde + " Where MV_CONCILIACION_CAB.Fecha='05/03/2024'  " + Orden},
        CasoFiltro{"FechaSinCeros", "", "5/3/2024", false, false, false, {1, 3}, {}},
        // The other forms the workstation's date rules take go in its own form.
        CasoFiltro{"FechaConAnioDeDosCifras", "", "05/03/24", false, false, false, {1, 3},
                   Desde + " Where MV_CONCILIACION_CAB.Fecha='05/03/2024'  " + Orden},
        CasoFiltro{"FechaSinCerosConAnioDeDosCifras", "", "5/3/24", false, false, false, {1, 3}, {}},
        CasoFiltro{"FechaDeTresCifrasIgnorada", "", "05/03/024", false, false, false, {1, 2, 3, 4, 5, 6, 7},
                   Desde + " " + Orden},
        CasoFiltro{"FechaInvalidaIgnorada", "", "31/02/2024", false, false, false, {1, 2, 3, 4, 5, 6, 7},
                   Desde + " " + Orden},
        CasoFiltro{"CuentaYFechaSinCasillas", "9990001", "05/03/2024", false, false, false, {1},
                   Desde + " Where rtrim(Cuenta)='9990001'  and MV_CONCILIACION_CAB.Fecha='05/03/2024'  " + Orden},
        CasoFiltro{"CuentaYFinalizadas", "9990001", "", true, false, false, {1, 7},
                   Desde + " Where rtrim(Cuenta)='9990001'   and (Finalizada=1 )" + Orden},
        CasoFiltro{"CuentaFechaYAbiertas", "9990002", "05/03/2024", false, false, true, {3}, {}},
        // A quote in the account is carried doubled inside the literal ...
        CasoFiltro{"CuentaConApostrofo", "O'Brien", "", false, false, false, {6},
                   Desde + " Where rtrim(Cuenta)='O''Brien'  " + Orden},
        // ... so a crafted text cannot widen the query.
        CasoFiltro{"CuentaQueQuiereAmpliarLaConsulta", "x' OR '1'='1", "", false, false, false, {},
                   Desde + " Where rtrim(Cuenta)='x'' OR ''1''=''1'  " + Orden}),
    [](const ::testing::TestParamInfo<CasoFiltro>& caso) { return std::string(caso.param.nombre); });

// The date box takes only digits and "/" from the keyboard; a date pasted
// with other separators still goes in the workstation's form.
TEST(FiltroDeFecha, UnaFechaPegadaConOtrosSeparadoresVaEnLaFormaDelPuesto) {
    for (const char* pegada : {"05-03-2024", " 5.3.24 ", "05-3-24"}) {
        SCOPED_TRACE(pegada);
        conciliacion::FiltroConciliaciones::Opciones o;
        o.fecha = QString::fromLatin1(pegada);
        EXPECT_EQ(conciliacion::FiltroConciliaciones(o).texto(),
                  QStringLiteral(" Where MV_CONCILIACION_CAB.Fecha='05/03/2024'  "));
    }
}

// ---- Errors during the load ----------------------------------------------------------

struct CasoNulo {
    const char* nombre;
    const char* columna;
    QList<int> celdasVacias;
};

void PrintTo(const CasoNulo& c, std::ostream* os) { *os << c.nombre; }

class NulosEnLaLista : public VentanaConciliaciones, public ::testing::WithParamInterface<CasoNulo> {};

// A NULL in one of the cells that must be there goes to the error dialog;
// Ignore leaves those cells empty and goes on with the row and the load.
TEST_P(NulosEnLaLista, IgnorarDejaLasCeldasVaciasYSigue) {
    ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET %1 = NULL WHERE IDCONCILIACION = '%2'")
                 .arg(QString::fromLatin1(GetParam().columna), codigo(2)));
    const int celdasConNulo = static_cast<int>(GetParam().celdasVacias.size());
    for (int i = 0; i < celdasConNulo; ++i) dialogos_.responder(respuesta::Ignorar);
    cargar();
    ASSERT_EQ(static_cast<int>(dialogos_.mensajes().size()), celdasConNulo);
    EXPECT_EQ(dialogos_.mensajes().front().estilo & plataforma::estilo::BotonesMascara,
              plataforma::estilo::AbortarReintentarIgnorar);
    EXPECT_EQ(numeros(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    for (int celda = 1; celda <= 9; ++celda)
        EXPECT_EQ(fila(2)->text(celda).isEmpty(), GetParam().celdasVacias.contains(celda)) << celda;
}

INSTANTIATE_TEST_SUITE_P(Columnas, NulosEnLaLista,
                         ::testing::Values(CasoNulo{"Cuenta", "Cuenta", {2, 3}},
                                           CasoNulo{"Fecha", "Fecha", {4}},
                                           CasoNulo{"Observaciones", "Observaciones", {5}},
                                           CasoNulo{"Tipo", "Tipo", {8}}),
                         [](const ::testing::TestParamInfo<CasoNulo>& caso) { return std::string(caso.param.nombre); });

TEST_F(VentanaConciliaciones, AbortarDejaLasFilasAgregadasHastaElError) {
    ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET Tipo = NULL WHERE IDCONCILIACION = '%1'").arg(codigo(3)));
    dialogos_.responder(respuesta::Abortar);
    cargar();
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(numeros(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(fila(3)->text(8), QString());
    EXPECT_EQ(fila(3)->text(9), QString());
}

TEST_F(VentanaConciliaciones, ReintentarRepiteElPasoQueFallo) {
    ejecutar(QStringLiteral("UPDATE MV_CONCILIACION_CAB SET Tipo = NULL WHERE IDCONCILIACION = '%1'").arg(codigo(3)));
    dialogos_.responder(respuesta::Reintentar);
    dialogos_.responder(respuesta::Ignorar);
    cargar();
    EXPECT_EQ(dialogos_.mensajes().size(), 2u);
    EXPECT_EQ(numeros(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
}

// Without the header table the session's own error box comes first; after it
// the list load finds no result, shows its error dialog, and Abort leaves the
// list empty.
TEST_F(VentanaConciliaciones, SinLaTablaDeCabecerasElDialogoDeErrorYAbortarDejanLaListaVacia) {
    cargar();
    ASSERT_EQ(lista().topLevelItemCount(), 7);
    const QString registro = carpeta_.filePath(QStringLiteral("QZERR.LOG"));
    global_.DB.gLogErr = registro;
    ejecutar(QStringLiteral("DROP TABLE MV_CONCILIACION_OPEN"));
    ejecutar(QStringLiteral("DROP TABLE MV_CONCILIACION"));
    ejecutar(QStringLiteral("DROP TABLE MV_CONCILIACION_CAB"));
    dialogos_.responder(respuesta::Abortar);
    dialogos_.responder(respuesta::Abortar);
    cargar();
    EXPECT_EQ(lista().topLevelItemCount(), 0);
    EXPECT_EQ(lista().columnCount(), 10);
    ASSERT_EQ(dialogos_.mensajes().size(), 2u);
    EXPECT_TRUE(dialogos_.mensajes()[0].titulo.startsWith(QStringLiteral("AbrirRecordset - ")))
        << dialogos_.mensajes()[0].titulo.toStdString();
    EXPECT_EQ(dialogos_.mensajes()[1].estilo & plataforma::estilo::BotonesMascara,
              plataforma::estilo::AbortarReintentarIgnorar);
    EXPECT_TRUE(lista().filaSeleccionada() == nullptr);

    // The session's box left its line in the error log.
    QFile log(registro);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lineas = QString::fromLatin1(log.readAll());
    EXPECT_TRUE(lineas.contains(QStringLiteral(" Rutina: AbrirRecordset - Mensaje ")));
    EXPECT_TRUE(lineas.trimmed().endsWith(QStringLiteral("Respondió : Abortar")));
}

// ---- Sorting ---------------------------------------------------------------------------

class OrdenDeLaLista : public VentanaConciliaciones {
protected:
    void pulsarEncabezado(int columna) {
        QHeaderView* encabezado = lista().header();
        const QPoint centro(encabezado->sectionViewportPosition(columna) + encabezado->sectionSize(columna) / 2,
                            encabezado->height() / 2);
        QTest::mouseClick(encabezado->viewport(), Qt::LeftButton, {}, centro);
    }
};

TEST_F(OrdenDeLaLista, CadaClicInvierteElOrdenAunqueCambieLaColumna) {
    cargar();
    pulsarEncabezado(1);
    EXPECT_EQ(numeros(), (QList<int>{7, 6, 5, 4, 3, 2, 1}));
    pulsarEncabezado(1);
    EXPECT_EQ(numeros(), (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    // Another column takes the next order in turn: descending now.
    pulsarEncabezado(4);
    EXPECT_EQ(lista().topLevelItem(0)->text(4), QStringLiteral("31/05/2024"));
    EXPECT_EQ(lista().orden(), Qt::DescendingOrder);
    EXPECT_EQ(lista().columnaOrden(), 4);
    // By the cells' text: day first, so "31/05" before "31/03" before "30/04".
    QStringList fechas;
    for (int i = 0; i < lista().topLevelItemCount(); ++i) fechas << lista().topLevelItem(i)->text(4);
    EXPECT_EQ(fechas, (QStringList{"31/05/2024", "31/03/2024", "30/04/2024", "30/04/2024", "05/03/2024",
                                   "05/03/2024", "02/05/2024"}));
}

TEST_F(OrdenDeLaLista, ElOrdenSigueEnVigorEnLaCargaSiguienteYSeEligeLaPrimeraFilaAgregada) {
    cargar();
    pulsarEncabezado(1);
    cargar();
    EXPECT_EQ(numeros(), (QList<int>{7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(lista().celda(1), codigo(1));
}

// ---- Layout ----------------------------------------------------------------------------

struct CasoTamano {
    int ancho;
    int alto;
};

class TamanoDeLaVentana : public VentanaConciliaciones, public ::testing::WithParamInterface<CasoTamano> {};

// In twips: list width = window width - 100, list height = window height -
// 700 - list top, frame width = window width - frame left - 100.
TEST_P(TamanoDeLaVentana, LaListaYElMarcoSiguenAlBorde) {
    using twips::aPixeles;
    ventana_->resize(GetParam().ancho, GetParam().alto);
    const int ancho = ventana_->frameGeometry().width() * 15;
    const int alto = ventana_->frameGeometry().height() * 15;
    QWidget* marco = control<QWidget>("Frame1");
    EXPECT_EQ(lista().width(), aPixeles(ancho - 100));
    EXPECT_EQ(lista().height(), aPixeles(alto - 700 - 1095));
    EXPECT_EQ(marco->width(), aPixeles(ancho - 6810 - 100));
    EXPECT_EQ(lista().y(), aPixeles(1095));
}

INSTANTIATE_TEST_SUITE_P(Tamanos, TamanoDeLaVentana,
                         ::testing::Values(CasoTamano{772, 456}, CasoTamano{1024, 700}, CasoTamano{900, 300}));

// A window narrower than the frame's left edge leaves the frame as it was;
// the list still follows.
TEST_F(VentanaConciliaciones, UnTamanoQueDariaMedidasNegativasLasDejaComoEstaban) {
    ventana_->resize(800, 500);
    QWidget* marco = control<QWidget>("Frame1");
    const int anchoMarco = marco->width();
    const int altoLista = lista().height();
    ventana_->resize(400, 100);
    const int ancho = ventana_->frameGeometry().width() * 15;
    ASSERT_LT(ancho, 6810 + 100);
    EXPECT_EQ(marco->width(), anchoMarco);
    EXPECT_EQ(lista().width(), twips::aPixeles(ancho - 100));
    if (ventana_->frameGeometry().height() * 15 < 700 + 1095) {
        EXPECT_EQ(lista().height(), altoLista);
    }
}

// ---- Keys and closing --------------------------------------------------------------------

TEST_F(VentanaConciliaciones, EscTerminaElProgramaDesdeCualquierControl) {
    QSignalSpy fin(ventana_.get(), &FrmOpenConc::programaTerminado);
    QLineEdit* cuenta = control<QLineEdit>("txtFields_0");
    cuenta->setFocus();
    // F5 in the account box runs the account lookup: answered here without a window.
    global_.gClsCons3().mostrarLista = [](consultas::EntregaLista&) {};
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : ventana_.get(), Qt::Key_F5);
    EXPECT_EQ(fin.count(), 0);
    EXPECT_TRUE(ventana_->isVisible());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : ventana_.get(), Qt::Key_Escape);
    EXPECT_EQ(fin.count(), 1);
    EXPECT_FALSE(ventana_->isVisible());
}

TEST_F(VentanaConciliaciones, EscEnLaListaYElBotonSalirTerminanIgual) {
    QSignalSpy fin(ventana_.get(), &FrmOpenConc::programaTerminado);
    cargar();
    lista().setFocus();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : ventana_.get(), Qt::Key_Escape);
    EXPECT_EQ(fin.count(), 1);

    ventana_->show();
    QTest::mouseClick(control<QToolButton>("cmdSalir"), Qt::LeftButton);
    EXPECT_EQ(fin.count(), 2);
    EXPECT_FALSE(ventana_->isVisible());
}

}  // namespace
