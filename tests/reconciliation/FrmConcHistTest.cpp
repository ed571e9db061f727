// The history of momentary openings on the demo company database: opened
// from the main window on the selected row, its heading, which log rows it
// lists and in what order, the state texts, the column widths, leaving it,
// a failed query, and the export of its grid read back from the workbook.

#include "reconciliation/FrmConcHist.h"

#include "LectorLibro.h"
#include "data/DB_Dll.h"
#include "platform/ui/Twips.h"
#include "reconciliation/FrmOpenConc.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace twips = plataforma::twips;

namespace {

using conciliacion::FrmConcHist;
using conciliacion::FrmOpenConc;

struct Renglon {
    const char* fecha;
    const char* usuario;
    const char* motivo;
    const char* estado;
};

// The demo log of reconciliation 9, in the order it was written (not the
// order of its dates): ESTADO 0, 1, 2 and NULL. Openings of 3 and 13 were
// written between them.
const Renglon historial9[] = {
    {"12/03/2024 11:02:47", "MGOMEZ en PC:CONTAB-01", "Falta la factura de Papelera Rosarina", "FINALIZADA"},
    {"15/04/2024 10:20:13", "JPEREZ en PC:CONTAB-02", "Revisión de pagos a proveedores de febrero", "ABIERTA"},
    {"02/04/2024 14:05:33", "JPEREZ en PC:CONTAB-02", "Pagos duplicados a Distribuidora Norte", "FINALIZADA"},
    {"18/04/2024 09:40:00", "MGOMEZ en PC:CONTAB-01", "Consulta de auditoría externa", "FINALIZADA"},
};

class HistorialDeAcciones : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        global_.lineaComandos = [this] { return base_.lineaComandos(); };
        global_.terminarPrograma = [] {};
        ventana_ = std::make_unique<FrmOpenConc>(global_, dialogos_);
        ventana_->cargar();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        ventana_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana_.get()));
    }

    void ejecutar(const QString& sentencia) {
        global_.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    QString codigo(int numero) const { return global_.gUtilidades.codigo(QString::number(numero), 15); }

    void elegirFila(int numero) {
        auto& lista = ventana_->lista();
        for (int i = 0; i < lista.topLevelItemCount(); ++i) {
            QTreeWidgetItem* fila = lista.topLevelItem(i);
            if (fila->text(1).trimmed().toInt() != numero) continue;
            lista.scrollToItem(fila);
            QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, lista.visualItemRect(fila).center());
            ASSERT_EQ(lista.filaSeleccionada(), fila);
            return;
        }
        FAIL() << "no row " << numero;
    }

    // Presses "Ver Historial de Acciones"; while the dialog is up, `mirar`
    // sees it, then "[Esc] Salir" leaves it. False when no dialog came up.
    bool verHistorial(const std::function<void(FrmConcHist&)>& mirar) {
        bool visto = false;
        QTimer::singleShot(0, [&] {
            auto* dialogo = qobject_cast<FrmConcHist*>(QApplication::activeModalWidget());
            if (!dialogo) return;
            visto = true;
            mirar(*dialogo);
            QTest::mouseClick(dialogo->findChild<QToolButton*>(QStringLiteral("cmdSalir")), Qt::LeftButton);
        });
        QTest::mouseClick(ventana_->findChild<QToolButton*>(QStringLiteral("cmdHistorial")), Qt::LeftButton);
        QCoreApplication::processEvents();  // the look-out runs now when no dialog did
        return visto;
    }

    // The dialog on its own, for a reconciliation of the demo.
    std::unique_ptr<FrmConcHist> dialogo(int numero, const QString& cuenta = QStringLiteral("2.1.01.01"),
                                         const QString& descripcion = QStringLiteral("Proveedores")) {
        auto d = std::make_unique<FrmConcHist>(global_, dialogos_);
        d->IdConc = codigo(numero);
        d->Cuenta = cuenta;
        d->DescCuenta = descripcion;
        d->CargarHistorial();
        return d;
    }

    static QList<QStringList> renglones(const QTableWidget& grilla) {
        QList<QStringList> r;
        for (int fila = 0; fila < grilla.rowCount(); ++fila) {
            QStringList celdas;
            for (int k = 0; k < grilla.columnCount(); ++k)
                celdas << (grilla.item(fila, k) ? grilla.item(fila, k)->text() : QString());
            r << celdas;
        }
        return r;
    }

    static QStringList encabezados(const QTableWidget& grilla) {
        QStringList e;
        for (int k = 0; k < grilla.columnCount(); ++k) e << grilla.horizontalHeaderItem(k)->text();
        return e;
    }

    static QList<QStringList> esperados(std::initializer_list<Renglon> extra = {}) {
        QList<QStringList> r;
        auto agregar = [&r](const Renglon& x) {
            r << QStringList{QString::fromUtf8(x.fecha), QString::fromUtf8(x.usuario), QString::fromUtf8(x.motivo),
                             QString::fromUtf8(x.estado)};
        };
        for (const Renglon& x : historial9) agregar(x);
        for (const Renglon& x : extra) agregar(x);
        return r;
    }

    static QString texto(FrmConcHist& d, const char* nombre) {
        return d.findChild<QLabel*>(QString::fromLatin1(nombre))->text();
    }

    QTemporaryDir carpeta_;
    prueba::BaseDemo base_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<FrmOpenConc> ventana_;
};

// ---- From the main window ------------------------------------------------------------

// Other reconciliations' openings written between those of 9 stay out; 9's
// rows keep the order they were written in.
TEST_F(HistorialDeAcciones, LaFilaElegidaMuestraSoloSusAperturasEnElOrdenEnQueSeHicieron) {
    ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) "
                            "VALUES ('%1', 'Otra conciliación', 'JPEREZ en PC:CONTAB-02', '09/07/2024 10:00:00', 1)")
                 .arg(codigo(13)));
    ejecutar(QStringLiteral("INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) "
                            "VALUES ('%1', 'Cierre de julio', 'MGOMEZ en PC:CONTAB-01', '02/07/2024 18:00:00', 0)")
                 .arg(codigo(9)));
    elegirFila(9);
    const bool visto = verHistorial([&](FrmConcHist& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Historial de Acciones"));
        EXPECT_EQ(texto(d, "lblConc"), QStringLiteral("Conciliación Nro.: 9"));
        EXPECT_EQ(texto(d, "lblCuenta"), QStringLiteral("Cuenta: 2.1.01.01"));
        EXPECT_EQ(texto(d, "lblDesc"), QStringLiteral("Descripción: Proveedores"));
        EXPECT_EQ(encabezados(d.grilla()), (QStringList{"FECHA", "USUARIO", "MOTIVO", "ESTADO"}));
        EXPECT_EQ(renglones(d.grilla()),
                  esperados({{"02/07/2024 18:00:00", "MGOMEZ en PC:CONTAB-01", "Cierre de julio", "FINALIZADA"}}));
    });
    EXPECT_TRUE(visto);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(ventana_->findChildren<FrmConcHist*>().isEmpty());  // released
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(HistorialDeAcciones, ConLaListaVaciaElBotonNoHaceNada) {
    QLineEdit* cuenta = ventana_->findChild<QLineEdit*>(QStringLiteral("txtFields_0"));
    QTest::keyClicks(cuenta, QStringLiteral("9.9.99.99"));
    QTest::mouseClick(ventana_->findChild<QToolButton*>(QStringLiteral("cmdCargar")), Qt::LeftButton);
    ASSERT_EQ(ventana_->lista().topLevelItemCount(), 0);
    EXPECT_FALSE(verHistorial([](FrmConcHist&) {}));
}

// Ctrl+click on the selected row takes the only selection away: no dialog.
TEST_F(HistorialDeAcciones, SinFilaElegidaElBotonNoHaceNada) {
    auto& lista = ventana_->lista();
    QTreeWidgetItem* elegida = lista.filaSeleccionada();
    ASSERT_NE(elegida, nullptr);
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, Qt::ControlModifier, lista.visualItemRect(elegida).center());
    ASSERT_EQ(lista.filaSeleccionada(), nullptr);
    EXPECT_FALSE(verHistorial([](FrmConcHist&) {}));
}

// ---- The dialog ---------------------------------------------------------------------------

TEST_F(HistorialDeAcciones, UnaConciliacionSinAperturasMuestraSoloLosEncabezados) {
    auto d = dialogo(1, QStringLiteral("1.1.02.01"), QStringLiteral("Banco Nación cuenta corriente"));
    EXPECT_EQ(encabezados(d->grilla()), (QStringList{"FECHA", "USUARIO", "MOTIVO", "ESTADO"}));
    EXPECT_EQ(d->grilla().rowCount(), 0);
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

// Columns 0 to 2 take a quarter of the grid's width, column 3 a quarter less
// 300 twips.
TEST_F(HistorialDeAcciones, AnchosDeColumnaPorCuartosDeLaGrilla) {
    auto d = dialogo(9);
    const QTableWidget& g = d->grilla();
    EXPECT_EQ(g.geometry(), twips::rectangulo(15, 1125, 8040, 3900));
    const int cuarto = twips::desdePixeles(g.width()) / 4;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(g.columnWidth(k), twips::aPixeles(cuarto)) << k;
    EXPECT_EQ(g.columnWidth(3), twips::aPixeles(cuarto - 300));
    EXPECT_EQ(g.columnWidth(0), 134);  // 8040 twips: 2010 and 1710 twips
    EXPECT_EQ(g.columnWidth(3), 114);
}

TEST_F(HistorialDeAcciones, ControlesConSusTextosYLugares) {
    auto d = dialogo(9);
    struct Control {
        const char* nombre;
        const char* texto;
        int izquierda, arriba, ancho, alto;
    };
    for (const Control& c : {Control{"lblConc", "Conciliación Nro.: 9", 100, 60, 4575, 315},
                             Control{"lblCuenta", "Cuenta: 2.1.01.01", 105, 435, 4575, 315},
                             Control{"lblDesc", "Descripción: Proveedores", 105, 780, 4575, 315}}) {
        auto* l = d->findChild<QLabel*>(QString::fromLatin1(c.nombre));
        ASSERT_NE(l, nullptr) << c.nombre;
        EXPECT_EQ(l->text(), QString::fromUtf8(c.texto));
        EXPECT_TRUE(l->font().bold()) << c.nombre;
        EXPECT_EQ(l->geometry(), twips::rectangulo(c.izquierda, c.arriba, c.ancho, c.alto)) << c.nombre;
    }
    for (const Control& c : {Control{"cmdExportar", "Exportar", 5355, 0, 1365, 1110},
                             Control{"cmdSalir", "[Esc] Salir", 6705, 0, 1365, 1110}}) {
        auto* b = d->findChild<QToolButton*>(QString::fromLatin1(c.nombre));
        ASSERT_NE(b, nullptr) << c.nombre;
        EXPECT_EQ(b->text(), QString::fromUtf8(c.texto));
        EXPECT_FALSE(b->icon().isNull()) << c.nombre;
        EXPECT_EQ(b->geometry(), twips::rectangulo(c.izquierda, c.arriba, c.ancho, c.alto)) << c.nombre;
    }
    for (const char* linea : {"Line1", "Line2", "Line3"}) EXPECT_NE(d->findChild<QWidget*>(QString::fromLatin1(linea)), nullptr);
}

// The identifier goes between quotes doubled, so a quote in it can neither
// break the statement nor widen it to every reconciliation.
TEST_F(HistorialDeAcciones, UnaComillaEnElIdentificadorNoAmpliaLaConsulta) {
    auto d = std::make_unique<FrmConcHist>(global_, dialogos_);
    d->IdConc = QStringLiteral("9' OR '1'='1");
    d->CargarHistorial();
    EXPECT_EQ(d->grilla().rowCount(), 0);
    EXPECT_TRUE(dialogos_.mensajes().empty());
    EXPECT_EQ(texto(*d, "lblConc"), QStringLiteral("Conciliación Nro.: 9' OR '1'='1"));
}

TEST_F(HistorialDeAcciones, SalirYEscapeOcultanElDialogo) {
    auto d = dialogo(9);
    for (const bool conTecla : {false, true}) {
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
        if (conTecla)
            QTest::keyClick(d.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("cmdSalir")), Qt::LeftButton);
        EXPECT_FALSE(d->isVisible()) << conTecla;
    }
    EXPECT_EQ(d->grilla().rowCount(), 4);  // read once, when loaded
}

// Without the log table the session shows its error box (Abort here); the
// dialog still opens, with the log's headings and no rows.
TEST_F(HistorialDeAcciones, UnaConsultaFallidaDejaLaGrillaVaciaSinCaerse) {
    ejecutar(QStringLiteral("DROP TABLE MV_CONCILIACION_OPEN"));
    auto d = dialogo(9);
    EXPECT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(encabezados(d->grilla()), (QStringList{"FECHA", "USUARIO", "MOTIVO", "ESTADO"}));
    EXPECT_EQ(d->grilla().rowCount(), 0);
}

// ---- Export --------------------------------------------------------------------------------

TEST_F(HistorialDeAcciones, ExportarEscribeLaGrillaEnUnLibroQueSeAbre) {
    auto d = dialogo(9);
    const QString documentos = carpeta_.filePath(QStringLiteral("Documentos"));
    QList<QUrl> abiertos;
    d->exportador().setDestino({[&] { return documentos; },
                                [&](const QUrl& url) {
                                    abiertos << url;
                                    return true;
                                }});
    d->show();
    QTest::mouseClick(d->findChild<QToolButton*>(QStringLiteral("cmdExportar")), Qt::LeftButton);

    ASSERT_EQ(abiertos.size(), 1);
    const QString archivo = abiertos[0].toLocalFile();
    EXPECT_EQ(QFileInfo(archivo).absolutePath(), QDir(documentos).absolutePath());
    EXPECT_TRUE(QFileInfo(archivo).fileName().startsWith(QStringLiteral("Historial de Acciones ")));
    const prueba::LectorLibro libro(archivo);
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_EQ(libro.filas(), 5);
    const char* columnas[] = {"A", "B", "C", "D"};
    const QStringList titulos{"FECHA", "USUARIO", "MOTIVO", "ESTADO"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(libro.celda(QString::fromLatin1(columnas[k]) + QStringLiteral("1")).valor, QVariant(titulos[k]));
    }
    const prueba::LectorLibro::Celda fecha = libro.celda(QStringLiteral("A2"));
    EXPECT_EQ(fecha.tipo, QStringLiteral("fecha"));
    EXPECT_EQ(fecha.valor, QVariant(QStringLiteral("2024-03-12 11:02:47")));
    EXPECT_EQ(libro.celda(QStringLiteral("B3")).valor, QVariant(QStringLiteral("JPEREZ en PC:CONTAB-02")));
    EXPECT_EQ(libro.celda(QStringLiteral("C5")).valor, QVariant(QStringLiteral("Consulta de auditoría externa")));
    EXPECT_EQ(libro.celda(QStringLiteral("D3")).valor, QVariant(QStringLiteral("ABIERTA")));
    EXPECT_EQ(libro.celda(QStringLiteral("D5")).valor, QVariant(QStringLiteral("FINALIZADA")));
    EXPECT_TRUE(dialogos_.mensajes().empty());
    EXPECT_TRUE(d->isVisible());
}

}  // namespace
