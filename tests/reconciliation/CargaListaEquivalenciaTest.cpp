// The list a load builds, on generated reconciliations, compared cell for
// cell and icon for icon with the list built row by row as the suite always
// built it: for each header row its own description lookup and its own test
// of the openings in force. Every combination of the three state boxes, with
// and without the account and date filters, for the administrator and for an
// ordinary user (whom the synonyms send to the restricted accounts). Also how
// a failed read of the openings is answered.

#include "data/DB_Dll.h"
#include "reconciliation/FiltroConciliaciones.h"
#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ImagenesEstado.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/ConciliacionesGeneradas.h"
#include "support/DialogosGuion.h"

#include <QCheckBox>
#include <QDate>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using conciliacion::FiltroConciliaciones;
using conciliacion::FrmOpenConc;
using conciliacion::ImagenesEstado;
using conciliacion::ListaConciliaciones;
namespace respuesta = plataforma::respuesta;

const prueba::ConciliacionesGeneradas::Opciones Generadas{150, 12, true};

struct Fila {
    QString clave;
    QString icono;
    QStringList celdas;  // 0 to 9

    friend bool operator==(const Fila&, const Fila&) = default;
};

void PrintTo(const Fila& f, std::ostream* os) {
    *os << qPrintable(f.clave) << " [" << qPrintable(f.icono) << "] " << qPrintable(f.celdas.join(u'|'));
}

// Dialogs that can also act when a box appears (the test plays a colleague
// mending the database while the error box is open).
class DialogosConAccion : public prueba::DialogosGuion {
public:
    std::function<void()> alMostrar;

    int mensaje(const QString& texto, int estilo, const QString& titulo) override {
        if (alMostrar) std::exchange(alMostrar, nullptr)();
        return DialogosGuion::mensaje(texto, estilo, titulo);
    }
};

class EquivalenciaDeLaLista : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        {
            prueba::DialogosGuion dialogos;
            datos::DB_Dll carga(dialogos);
            base_.abrirSesion(carga);
            ASSERT_TRUE(carga.gOpenFlag);
            prueba::ConciliacionesGeneradas::cargar(carga, Generadas);
        }
        const QString usuario = QString::fromLatin1(GetParam());
        global_.lineaComandos = [this, usuario] { return base_.lineaComandos(usuario); };
        global_.terminarPrograma = [] {};
        ventana_ = std::make_unique<FrmOpenConc>(global_, dialogos_);
        ventana_->cargar();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        ventana_->show();
    }

    // The list of one load, row by row as the suite defines it.
    QList<Fila> filasUnaPorUna(const FiltroConciliaciones::Opciones& o) {
        datos::DB_Dll& db = global_.DB;
        const utilidades::Utilidades& u = global_.gUtilidades;
        auto vigente = [&](const QString& id) {
            return db.ExisteEnTabla(QStringLiteral("MV_CONCILIACION_OPEN"), id, QStringLiteral("IDCONCILIACION"),
                                    nullptr, 8,
                                    QStringLiteral("IDCONCILIACION='") + id + QStringLiteral("' AND ESTADO=1"), true);
        };
        const bool soloMomentaneas = o.abiertasMomentaneamente && !o.abiertas;
        const bool soloAbiertas = o.abiertas && !o.abiertasMomentaneamente;
        QList<Fila> filas;
        ado::Recordset rs;
        db.AbrirRecordset(FrmOpenConc::sentenciaLista(FiltroConciliaciones(o).texto()), rs, {},
                          ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly);
        for (; !rs.EOF_(); rs.MoveNext()) {
            const QString id = u.valor(rs.Fields(QStringLiteral("IDCONCILIACION")));
            const bool finalizada = rs[QStringLiteral("Finalizada")].aBooleano();
            if (!finalizada && (soloMomentaneas || soloAbiertas) && vigente(id) != soloMomentaneas) continue;
            const QString cuenta = rs[QStringLiteral("Cuenta")].texto();
            const bool momentanea = !finalizada && vigente(id);
            const QString estado = finalizada ? QStringLiteral("Finalizada")
                                   : momentanea ? QStringLiteral("Momentaneamente")
                                                : QStringLiteral("Abierta");
            filas << Fila{
                QStringLiteral("A") + id,
                finalizada ? ImagenesEstado::Finalizada : momentanea ? ImagenesEstado::AbiertaM : ImagenesEstado::Abierta,
                {QString(), id, cuenta.trimmed(),
                 db.DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                               QStringLiteral("CODIGO"), 8, QString(), true, false)
                     .texto(),
                 rs[QStringLiteral("Fecha")].texto(), rs[QStringLiteral("Observaciones")].texto().trimmed(),
                 u.valor(rs.Fields(QStringLiteral("FechaDesde"))) + u'-' + u.valor(rs.Fields(QStringLiteral("FechaHasta"))),
                 u.valor(rs.Fields(QStringLiteral("fechadesde2"))) + u'-' + u.valor(rs.Fields(QStringLiteral("fechahasta2"))),
                 rs[QStringLiteral("Tipo")].texto(), estado}};
        }
        db.CierraRecordset(rs);
        return filas;
    }

    // The window's list after pressing "Cargar" with these filters.
    QList<Fila> filasDeLaVentana(const FiltroConciliaciones::Opciones& o) {
        ventana_->findChild<QLineEdit*>(QStringLiteral("txtFields_0"))->setText(o.cuenta);
        ventana_->findChild<QLineEdit*>(QStringLiteral("txtFields_1"))->setText(o.fecha);
        ventana_->findChild<QCheckBox*>(QStringLiteral("chkFinalizadas"))->setChecked(o.finalizadas);
        ventana_->findChild<QCheckBox*>(QStringLiteral("chkAbiertasM"))->setChecked(o.abiertasMomentaneamente);
        ventana_->findChild<QCheckBox*>(QStringLiteral("chkAbiertas"))->setChecked(o.abiertas);
        QTest::mouseClick(ventana_->findChild<QToolButton*>(QStringLiteral("cmdCargar")), Qt::LeftButton);
        QList<Fila> filas;
        const ListaConciliaciones& lista = ventana_->lista();
        for (int i = 0; i < lista.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = lista.topLevelItem(i);
            Fila f{ListaConciliaciones::claveDe(item), ListaConciliaciones::claveIconoDe(item), {}};
            for (int c = 0; c < ListaConciliaciones::Columnas; ++c) f.celdas << item->text(c);
            filas << f;
        }
        return filas;
    }

    prueba::BaseDemo base_;
    DialogosConAccion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<FrmOpenConc> ventana_;
};

TEST_P(EquivalenciaDeLaLista, CadaCombinacionDaLaListaDeLaDefinicionFilaPorFila) {
    const QString cuenta = prueba::ConciliacionesGeneradas::cuentaDe(1, Generadas).trimmed();
    const QString fecha = QDate::fromString(prueba::ConciliacionesGeneradas::fechaDe(5), Qt::ISODate)
                              .toString(QStringLiteral("dd/MM/yyyy"));
    const QString filtros[][2] = {{"", ""}, {cuenta, ""}, {"", fecha}, {cuenta, fecha}};
    int listadas = 0;
    for (const auto& filtro : filtros) {
        for (int casillas = 0; casillas < 8; ++casillas) {
            FiltroConciliaciones::Opciones o;
            o.cuenta = filtro[0];
            o.fecha = filtro[1];
            o.finalizadas = casillas & 1;
            o.abiertasMomentaneamente = casillas & 2;
            o.abiertas = casillas & 4;
            const QList<Fila> esperadas = filasUnaPorUna(o);
            listadas += int(esperadas.size());
            EXPECT_EQ(filasDeLaVentana(o), esperadas)
                << "cuenta '" << qPrintable(o.cuenta) << "' fecha '" << qPrintable(o.fecha) << "' casillas " << casillas;
        }
    }
    EXPECT_TRUE(dialogos_.mensajes().empty()) << qPrintable(dialogos_.mensajes().front().texto);
    // The generated data reaches every state, and the filters leave rows.
    EXPECT_GT(listadas, 150 * 4);
    const QList<Fila> todas = filasUnaPorUna({});
    for (const QString& icono : ImagenesEstado::claves())
        EXPECT_TRUE(std::any_of(todas.begin(), todas.end(), [&](const Fila& f) { return f.icono == icono; }))
            << qPrintable(icono);
}

// Without the openings' table the session's error box appears once for the
// whole load; Ignore lists every reconciliation with none momentarily open.
TEST_P(EquivalenciaDeLaLista, SiFallaLaLecturaDeAperturasIgnorarNoTomaNingunaComoMomentanea) {
    global_.DB.EjecutaConsultaSQL(QStringLiteral("ALTER TABLE MV_CONCILIACION_OPEN RENAME TO OPEN_APARTE"));
    ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0);
    dialogos_.responder(respuesta::Ignorar);
    const QList<Fila> filas = filasDeLaVentana({});
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_TRUE(dialogos_.mensajes()[0].titulo.startsWith(QStringLiteral("AbrirRecordset")))
        << qPrintable(dialogos_.mensajes()[0].titulo);
    EXPECT_EQ(filas.size(), Generadas.cantidad);
    for (const Fila& f : filas) EXPECT_NE(f.icono, ImagenesEstado::AbiertaM) << qPrintable(f.clave);
}

// Retry reads again: the table is back meanwhile, and the list is the one
// of the row-by-row definition.
TEST_P(EquivalenciaDeLaLista, SiFallaLaLecturaDeAperturasReintentarLaRepite) {
    global_.DB.EjecutaConsultaSQL(QStringLiteral("ALTER TABLE MV_CONCILIACION_OPEN RENAME TO OPEN_APARTE"));
    ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0);
    dialogos_.alMostrar = [this] {
        global_.DB.EjecutaConsultaSQL(QStringLiteral("ALTER TABLE OPEN_APARTE RENAME TO MV_CONCILIACION_OPEN"));
    };
    dialogos_.responder(respuesta::Reintentar);
    const QList<Fila> filas = filasDeLaVentana({});
    EXPECT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(filas, filasUnaPorUna({}));
}

INSTANTIATE_TEST_SUITE_P(Usuarios, EquivalenciaDeLaLista, ::testing::Values("mgomez", "jperez"),
                         [](const ::testing::TestParamInfo<const char*>& u) { return std::string(u.param); });

}  // namespace
