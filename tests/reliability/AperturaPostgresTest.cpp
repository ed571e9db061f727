// The momentary opening on the PostgreSQL server, through the main window
// and its dialog on the offscreen platform: an opening that stays, openings
// the server refuses (neither write may stay), and two workstations working
// on the same reconciliation one after the other.

#include "reconciliation/FrmConcOpen.h"
#include "reconciliation/FrmOpenConc.h"
#include "reconciliation/ImagenesEstado.h"
#include "reconciliation/ListaConciliaciones.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/BasePostgres.h"
#include "support/DialogosGuion.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

namespace {

using conciliacion::FrmConcOpen;
using conciliacion::FrmOpenConc;
using conciliacion::ImagenesEstado;
namespace estilo = plataforma::estilo;

const QString YaAbierta = QStringLiteral("La conciliación seleccionada ya se encuentra abierta!!!");
const QRegularExpression FechaHoraGeneral(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$"));

// The demo's finalised reconciliations the tests open.
constexpr int Finalizada = 1;
constexpr int OtraFinalizada = 2;
constexpr int AperturasDeLaDemo = 7;

QString codigo(int numero) { return QString::number(numero).rightJustified(15, u' '); }

const std::string ComoFinalizada = (QStringLiteral("Finalizada/") + ImagenesEstado::Finalizada).toStdString();
const std::string ComoMomentanea = (QStringLiteral("Momentaneamente/") + ImagenesEstado::AbiertaM).toStdString();

// One workstation: the program started with its own command line, its main
// window on screen and its user's answers scripted.
class Puesto {
public:
    explicit Puesto(const QString& lineaComandos) {
        global_.lineaComandos = [lineaComandos] { return lineaComandos; };
        global_.terminarPrograma = [] {};
        ventana_ = std::make_unique<FrmOpenConc>(global_, dialogos_);
        ventana_->cargar();
        ventana_->show();
        expuesta_ = QTest::qWaitForWindowExposed(ventana_.get());
    }

    bool abierto() const { return expuesta_ && global_.DB.gOpenFlag; }
    prueba::DialogosGuion& dialogos() { return dialogos_; }
    conciliacion::ListaConciliaciones& lista() const { return ventana_->lista(); }

    QTreeWidgetItem* seleccionar(int numero) {
        for (int i = 0; i < lista().topLevelItemCount(); ++i) {
            QTreeWidgetItem* fila = lista().topLevelItem(i);
            if (fila->text(1) == codigo(numero)) {
                lista().setCurrentItem(fila);
                return fila;
            }
        }
        ADD_FAILURE() << "sin fila " << numero;
        return nullptr;
    }
    // The row's state text and icon key, as "Estado/icono".
    std::string estado(int numero) {
        QTreeWidgetItem* fila = seleccionar(numero);
        return fila ? (fila->text(9) + u'/' + lista().iconKey()).toStdString() : std::string();
    }

    void cargar() { QTest::mouseClick(boton(QStringLiteral("cmdCargar")), Qt::LeftButton); }

    // Every row as the user sees it: cells 1 to 9 and the icon key.
    QStringList filas() const {
        QStringList todas;
        for (int i = 0; i < lista().topLevelItemCount(); ++i) {
            QTreeWidgetItem* fila = lista().topLevelItem(i);
            QStringList celdas;
            for (int c = 1; c <= 9; ++c) celdas << fila->text(c);
            lista().setCurrentItem(fila);
            celdas << lista().iconKey();
            todas << celdas.join(u'|');
        }
        return todas;
    }

    // Presses "Apertura Momentanea" on the selected row; when the dialog
    // shows, types the reason and accepts. Answers whether it showed; the
    // dialog's Abierta in `abierta`.
    bool abrirConMotivo(const QString& motivo, bool* abierta = nullptr) {
        bool mostrado = false;
        buscando_ = true;
        const int turno = ++turno_;
        QTimer::singleShot(0, ventana_.get(), [this, motivo, &mostrado, abierta, turno] {
            esperarDialogo(turno, [&mostrado, motivo, abierta](FrmConcOpen& d) {
                mostrado = true;
                QTest::keyClicks(d.findChild<QPlainTextEdit*>(QStringLiteral("TXTMOTIVO")), motivo);
                QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
                if (abierta) *abierta = d.Abierta();
                // A dialog still up (a refused reason) must not block the test.
                if (d.isVisible()) d.close();
            });
        });
        QTest::mouseClick(boton(QStringLiteral("cmdAbrir")), Qt::LeftButton);
        buscando_ = false;
        return mostrado;
    }

    QString usuarioEnPc(const QString& usuario) const {
        return usuario.toUpper() + QStringLiteral(" en PC:") + global_.gDatosEquipo.nombreMaquina();
    }

private:
    QToolButton* boton(const QString& nombre) const { return ventana_->findChild<QToolButton*>(nombre); }

    // Re-queues itself through the event loop until the dialog is the
    // active modal window.
    void esperarDialogo(int turno, const std::function<void(FrmConcOpen&)>& accion) {
        if (!buscando_ || turno != turno_) return;
        if (auto* d = qobject_cast<FrmConcOpen*>(QApplication::activeModalWidget()); d && d->isVisible()) {
            buscando_ = false;
            accion(*d);
            return;
        }
        QTimer::singleShot(0, ventana_.get(), [this, turno, accion] { esperarDialogo(turno, accion); });
    }

    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<FrmOpenConc> ventana_;
    bool expuesta_ = false;
    bool buscando_ = false;
    int turno_ = 0;
};

class AperturaEnPostgres : public ::testing::Test {
protected:
    void SetUp() override {
        QUINTARO_EXIGIR_POSTGRES();
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.path() + u'/'));
        // A fresh demo for every test: each one opens reconciliations.
        base_ = std::make_unique<prueba::BasePostgres>(QStringLiteral("quintaro_apertura_confiabilidad"), true);
        ASSERT_TRUE(base_->valida()) << base_->error().toStdString();
    }
    void TearDown() override {
        // A test that failed half-way must not leave the next one without server.
        if (prueba::BasePostgres::disponible() && !prueba::BasePostgres::respondeServidor())
            prueba::BasePostgres::arrancarServidor();
        qunsetenv("QUINTARO_CARPETA");
    }

    std::unique_ptr<Puesto> puesto(const QString& usuario) {
        auto p = std::make_unique<Puesto>(base_->lineaComandos(usuario, QStringLiteral("demo")));
        EXPECT_TRUE(p->abierto());
        EXPECT_TRUE(p->dialogos().mensajes().empty()) << p->dialogos().mensajes().front().texto.toStdString();
        return p;
    }

    // What the server holds, read by psql: committed rows only.
    QString enServidor(const QString& sql) const {
        QString salida;
        EXPECT_TRUE(base_->psql(sql, &salida)) << sql.toStdString() << '\n' << salida.toStdString();
        return salida.trimmed();
    }
    QString finalizada(int numero) const {
        return enServidor(QStringLiteral("SELECT Finalizada FROM MV_CONCILIACION_CAB WHERE IDCONCILIACION = '%1'")
                              .arg(codigo(numero)));
    }
    QStringList aperturas(int numero) const {
        const QString filas = enServidor(
            QStringLiteral("SELECT MOTIVO || '|' || USUARIO || '|' || FECHA || '|' || ESTADO "
                           "FROM MV_CONCILIACION_OPEN WHERE IDCONCILIACION = '%1' ORDER BY ID")
                .arg(codigo(numero)));
        return filas.isEmpty() ? QStringList() : filas.split(u'\n');
    }
    int aperturasTotales() const { return enServidor(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN")).toInt(); }

    QTemporaryDir carpeta_;
    std::unique_ptr<prueba::BasePostgres> base_;
};

// ---- The list ------------------------------------------------------------------------------

// The demo listed from the server reads exactly as the embedded engine's
// copy: identifiers, trimmed accounts (stored padded on the server), their
// descriptions, dates and periods in the workstation's format, and every
// state with its icon.
TEST_F(AperturaEnPostgres, LaListaDelServidorEsLaDeLaDemoEmbebida) {
    auto servidor = puesto(QStringLiteral("mgomez"));
    prueba::BaseDemo demo;
    ASSERT_TRUE(demo.valida()) << demo.error().toStdString();
    Puesto embebida(demo.lineaComandos());
    ASSERT_TRUE(embebida.abierto());

    const QStringList esperadas = embebida.filas();
    ASSERT_EQ(esperadas.size(), 16);
    const QStringList leidas = servidor->filas();
    ASSERT_EQ(leidas.size(), esperadas.size());
    for (qsizetype i = 0; i < leidas.size(); ++i) EXPECT_EQ(leidas[i].toStdString(), esperadas[i].toStdString());
    EXPECT_TRUE(servidor->dialogos().mensajes().empty());
    std::cout << "[observado] fila 5 en el servidor: " << leidas[4].toStdString() << '\n';
}

// ---- An opening that stays -------------------------------------------------------------

TEST_F(AperturaEnPostgres, LaAperturaQuedaConSusDosEscrituras) {
    auto mgomez = puesto(QStringLiteral("mgomez"));
    ASSERT_EQ(mgomez->estado(Finalizada), ComoFinalizada);
    bool abierta = false;

    EXPECT_TRUE(mgomez->abrirConMotivo(QStringLiteral("Faltan comisiones de enero, 'lote 7'"), &abierta));

    EXPECT_TRUE(abierta);
    EXPECT_TRUE(mgomez->dialogos().mensajes().empty()) << mgomez->dialogos().mensajes().front().texto.toStdString();
    EXPECT_EQ(mgomez->estado(Finalizada), ComoMomentanea);
    EXPECT_EQ(finalizada(Finalizada), QStringLiteral("0"));
    const QStringList escritas = aperturas(Finalizada);
    ASSERT_EQ(escritas.size(), 1);
    const QStringList campos = escritas[0].split(u'|');
    ASSERT_EQ(campos.size(), 4);
    EXPECT_EQ(campos[0], QStringLiteral("Faltan comisiones de enero, 'lote 7'"));
    EXPECT_EQ(campos[1], mgomez->usuarioEnPc(QStringLiteral("mgomez")));
    EXPECT_TRUE(FechaHoraGeneral.match(campos[2]).hasMatch()) << campos[2].toStdString();
    EXPECT_EQ(campos[3], QStringLiteral("1"));
    EXPECT_EQ(aperturasTotales(), AperturasDeLaDemo + 1);

    // A reload reads the state back from the server.
    mgomez->cargar();
    EXPECT_EQ(mgomez->estado(Finalizada), ComoMomentanea);
}

// ---- Openings the server refuses -----------------------------------------------------------

struct CasoFalla {
    const char* nombre;
    const char* preparar;      // run on the server before the opening
    const char* descripcion;   // part of the server's own message
    const char* restaurar;     // puts the database back
};

const CasoFalla casosFalla[] = {
    // The update is refused after the insert went through.
    {"ActualizacionRechazada",
     "CREATE FUNCTION bloqueo_cab() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
     "RAISE EXCEPTION 'Conciliacion bloqueada por auditoria'; END $$; "
     "CREATE TRIGGER bloqueo_cab BEFORE UPDATE ON MV_CONCILIACION_CAB FOR EACH ROW "
     "WHEN (OLD.IDCONCILIACION = '              1') EXECUTE FUNCTION bloqueo_cab()",
     "Conciliacion bloqueada por auditoria", "DROP TRIGGER bloqueo_cab ON MV_CONCILIACION_CAB"},
    // The insert is refused: the table is missing.
    {"TablaDeAperturasRenombrada", "ALTER TABLE MV_CONCILIACION_OPEN RENAME TO MV_CONCILIACION_OPEN_VIEJA",
     "mv_conciliacion_open", "ALTER TABLE MV_CONCILIACION_OPEN_VIEJA RENAME TO MV_CONCILIACION_OPEN"},
    // The insert is refused by a rule of the table, the update never runs.
    {"MotivoDemasiadoLargoParaLaRegla",
     "ALTER TABLE MV_CONCILIACION_OPEN ADD CONSTRAINT motivo_corto CHECK (length(MOTIVO) < 5) NOT VALID",
     "motivo_corto", "ALTER TABLE MV_CONCILIACION_OPEN DROP CONSTRAINT motivo_corto"},
};

class AperturaRechazadaEnPostgres : public AperturaEnPostgres, public ::testing::WithParamInterface<CasoFalla> {};

TEST_P(AperturaRechazadaEnPostgres, NingunaEscrituraQuedaYLaSesionSigue) {
    auto mgomez = puesto(QStringLiteral("mgomez"));
    enServidor(QString::fromUtf8(GetParam().preparar));
    const int antes = enServidor(QStringLiteral("SELECT COUNT(*) FROM ") +
                                 (QString::fromUtf8(GetParam().nombre) == QStringLiteral("TablaDeAperturasRenombrada")
                                      ? QStringLiteral("MV_CONCILIACION_OPEN_VIEJA")
                                      : QStringLiteral("MV_CONCILIACION_OPEN")))
                          .toInt();
    mgomez->seleccionar(Finalizada);
    bool abierta = true;

    EXPECT_TRUE(mgomez->abrirConMotivo(QStringLiteral("intento rechazado"), &abierta));

    EXPECT_FALSE(abierta);
    ASSERT_EQ(mgomez->dialogos().mensajes().size(), 1u);
    const auto& m = mgomez->dialogos().mensajes()[0];
    EXPECT_TRUE(m.texto.contains(QString::fromUtf8(GetParam().descripcion))) << m.texto.toStdString();
    EXPECT_EQ(m.titulo, QStringLiteral("Atención"));
    EXPECT_EQ(m.estilo, estilo::SoloAceptar | estilo::Critico);
    EXPECT_EQ(mgomez->estado(Finalizada), ComoFinalizada);

    // Neither write stayed on the server.
    enServidor(QString::fromUtf8(GetParam().restaurar));
    EXPECT_EQ(finalizada(Finalizada), QStringLiteral("1"));
    EXPECT_TRUE(aperturas(Finalizada).isEmpty()) << aperturas(Finalizada).join(u'\n').toStdString();
    EXPECT_EQ(aperturasTotales(), antes);
    std::cout << "[observado] " << GetParam().nombre << ": " << m.texto.toStdString() << '\n';

    // The session is out of the failed transaction: the next opening stays.
    mgomez->dialogos() = prueba::DialogosGuion();
    mgomez->seleccionar(OtraFinalizada);
    EXPECT_TRUE(mgomez->abrirConMotivo(QStringLiteral("otra"), &abierta));
    EXPECT_TRUE(abierta);
    EXPECT_TRUE(mgomez->dialogos().mensajes().empty()) << mgomez->dialogos().mensajes().front().texto.toStdString();
    EXPECT_EQ(finalizada(OtraFinalizada), QStringLiteral("0"));
    EXPECT_EQ(aperturas(OtraFinalizada).size(), 2);  // the demo's closed one and this
}

INSTANTIATE_TEST_SUITE_P(Fallas, AperturaRechazadaEnPostgres, ::testing::ValuesIn(casosFalla),
                         [](const auto& caso) { return std::string(caso.param.nombre); });

// ---- The server restarted under an open window --------------------------------------------

// Commands never reconnect (only queries do): the first opening after a
// restart fails on the dead connection, is reported and writes nothing; the
// reload that follows reconnects silently and the opening then stays.
TEST_F(AperturaEnPostgres, TrasReiniciarElServidorLaAperturaFallaSinEscribirYLaRecargaLaRepara) {
    auto mgomez = puesto(QStringLiteral("mgomez"));
    ASSERT_TRUE(prueba::BasePostgres::pararServidor());
    ASSERT_TRUE(prueba::BasePostgres::arrancarServidor());
    mgomez->seleccionar(Finalizada);
    bool abierta = true;

    EXPECT_TRUE(mgomez->abrirConMotivo(QStringLiteral("tras el reinicio"), &abierta));

    EXPECT_FALSE(abierta);
    ASSERT_EQ(mgomez->dialogos().mensajes().size(), 1u);
    EXPECT_EQ(mgomez->dialogos().mensajes()[0].titulo, QStringLiteral("Atención"));
    EXPECT_EQ(mgomez->estado(Finalizada), ComoFinalizada);
    EXPECT_EQ(finalizada(Finalizada), QStringLiteral("1"));
    EXPECT_TRUE(aperturas(Finalizada).isEmpty());
    std::cout << "[observado] apertura tras reinicio: " << mgomez->dialogos().mensajes()[0].texto.toStdString() << '\n';

    mgomez->cargar();
    EXPECT_EQ(mgomez->dialogos().mensajes().size(), 1u);
    mgomez->seleccionar(Finalizada);
    EXPECT_TRUE(mgomez->abrirConMotivo(QStringLiteral("de nuevo"), &abierta));
    EXPECT_TRUE(abierta);
    EXPECT_EQ(mgomez->dialogos().mensajes().size(), 1u);
    EXPECT_EQ(finalizada(Finalizada), QStringLiteral("0"));
    EXPECT_EQ(aperturas(Finalizada).size(), 1);
}

// ---- Two workstations -------------------------------------------------------------------------

// Two users with the list loaded at once. The first opens a finalised
// reconciliation; the second, after "Cargar", sees it momentarily open and
// is told so instead of opening it again. Each opening is logged once.
TEST_F(AperturaEnPostgres, DosPuestosNoDuplicanNiPierdenAperturas) {
    auto mgomez = puesto(QStringLiteral("mgomez"));
    auto jperez = puesto(QStringLiteral("jperez"));
    ASSERT_EQ(jperez->estado(Finalizada), ComoFinalizada);

    mgomez->seleccionar(Finalizada);
    ASSERT_TRUE(mgomez->abrirConMotivo(QStringLiteral("primer puesto")));
    ASSERT_EQ(mgomez->estado(Finalizada), ComoMomentanea);

    jperez->cargar();
    EXPECT_EQ(jperez->estado(Finalizada), ComoMomentanea);
    EXPECT_FALSE(jperez->abrirConMotivo(QStringLiteral("segundo puesto")));
    ASSERT_EQ(jperez->dialogos().mensajes().size(), 1u);
    EXPECT_EQ(jperez->dialogos().mensajes()[0].texto, YaAbierta);

    // The second opens another one; the first sees it after its own reload.
    jperez->seleccionar(OtraFinalizada);
    EXPECT_TRUE(jperez->abrirConMotivo(QStringLiteral("segundo puesto, otra")));
    mgomez->cargar();
    EXPECT_EQ(mgomez->estado(OtraFinalizada), ComoMomentanea);

    const QStringList primera = aperturas(Finalizada);
    ASSERT_EQ(primera.size(), 1);
    EXPECT_TRUE(primera[0].startsWith(QStringLiteral("primer puesto|") + mgomez->usuarioEnPc(QStringLiteral("mgomez"))));
    const QStringList segunda = aperturas(OtraFinalizada);
    ASSERT_EQ(segunda.size(), 2);
    EXPECT_TRUE(segunda[1].startsWith(QStringLiteral("segundo puesto, otra|") +
                                      jperez->usuarioEnPc(QStringLiteral("jperez"))));
    EXPECT_EQ(aperturasTotales(), AperturasDeLaDemo + 2);
    EXPECT_EQ(enServidor(QStringLiteral("SELECT COUNT(*) FROM MV_CONCILIACION_OPEN WHERE ESTADO = 1")),
              QStringLiteral("4"));
    EXPECT_TRUE(mgomez->dialogos().mensajes().empty());
}

}  // namespace
