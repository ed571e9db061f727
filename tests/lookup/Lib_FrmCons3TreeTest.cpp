// The tree lookup window on the demo company database: the family build and
// the automatic build by code prefix, finding by typing, F5 searches, check
// propagation, accept and cancel.

#include "lookup/Lib_FrmCons3Tree.h"

#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

using consultas::Lib_FrmCons3Tree;
namespace respuesta = plataforma::respuesta;

const QString Familias = QStringLiteral("SELECT IdFamilia, Descripcion FROM V_TA_FAMILIAS");
const QString FamiliasAutomatico = QStringLiteral("SELECT IdFamilia, Descripcion FROM TA_FAMILIAS ORDER BY IdFamilia");

class VentanaArbol : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(demo_.valida()) << demo_.error().toStdString();
        global_.DB.gServidor = demo_.servidor();
        global_.DB.gDBName = demo_.baseDatos();
        global_.DB.gUsuario = prueba::BaseDemo::usuario();
        global_.DB.gUserPassWord = demo_.contrasena();
        global_.DB.OpenServerADODB();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        // The family statement names its view with SQL Server's owner, dbo;
        // the embedded engine finds it when the database is also known by
        // that name.
        ejecutar(QStringLiteral("ATTACH DATABASE '%1' AS dbo").arg(demo_.archivo()));
        ventana_ = std::make_unique<Lib_FrmCons3Tree>(global_);
    }

    void ejecutar(const QString& sentencia) {
        global_.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    void mostrar(const QString& sql, const QString& devuelto = QStringLiteral("IDFAMILIA"), bool marcas = false) {
        ventana_->SQL = sql;
        ventana_->CampoDevuelto = devuelto;
        ventana_->CheckBoxes = marcas;
        ventana_->cargar();
        ventana_->show();
        ventana_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana_.get()));
    }

    QTreeWidgetItem* nodo(const QString& codigo) const { return ventana_->nodo(QStringLiteral("A") + codigo); }

    // The code of a node's parent; "-" for the root.
    QString padreDe(const QString& codigo) const {
        QTreeWidgetItem* n = nodo(codigo);
        if (!n) return QStringLiteral("(sin nodo)");
        if (!n->parent()) return QStringLiteral("-");
        return n->parent()->data(0, Qt::UserRole).toString().mid(1);
    }

    QString seleccionado() const {
        QTreeWidgetItem* n = ventana_->TreeV()->currentItem();
        return n ? n->data(0, Qt::UserRole).toString() : QString();
    }

    void tecla(QWidget& control, Qt::Key k) {
        control.setFocus();
        QTest::keyClick(&control, k);
    }

    prueba::BaseDemo demo_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<Lib_FrmCons3Tree> ventana_;
};

TEST_F(VentanaArbol, FamiliasCuelganDeSuPariente) {
    mostrar(Familias);
    QTreeWidget& arbol = *ventana_->TreeV();
    ASSERT_EQ(arbol.topLevelItemCount(), 1);
    QTreeWidgetItem* raiz = arbol.topLevelItem(0);
    EXPECT_EQ(raiz->text(0), QStringLiteral("Consulta..."));
    EXPECT_EQ(raiz->data(0, Qt::UserRole).toString(), QStringLiteral("A"));
    EXPECT_TRUE(raiz->isExpanded());
    EXPECT_EQ(raiz->childCount(), 3);  // 01, 02, 99
    EXPECT_EQ(padreDe(QStringLiteral("01")), QString());
    EXPECT_EQ(padreDe(QStringLiteral("0101")), QStringLiteral("01"));
    EXPECT_EQ(padreDe(QStringLiteral("0102")), QStringLiteral("01"));
    EXPECT_EQ(padreDe(QStringLiteral("02")), QString());
    EXPECT_EQ(padreDe(QStringLiteral("0201")), QStringLiteral("02"));
    EXPECT_EQ(nodo(QStringLiteral("0101"))->text(0), QStringLiteral("0101 - PAPEL"));
    // The given statement gave way to the family statement.
    EXPECT_TRUE(ventana_->SQL.startsWith(QStringLiteral("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, ")));
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(VentanaArbol, SinSuPadreLaFamiliaVaConSuParienteYElAutomaticoALaRaiz) {
    ejecutar(QStringLiteral("DELETE FROM TA_FAMILIAS WHERE IdFamilia IN ('02', '99')"));
    mostrar(Familias);
    EXPECT_EQ(padreDe(QStringLiteral("0201")), QStringLiteral("01"));

    Lib_FrmCons3Tree automatico(global_);
    automatico.SQL = FamiliasAutomatico;
    automatico.cargar();
    QTreeWidgetItem* n = automatico.nodo(QStringLiteral("A0201"));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->parent()->data(0, Qt::UserRole).toString(), QStringLiteral("A"));
    EXPECT_EQ(automatico.nodo(QStringLiteral("A0101"))->parent()->data(0, Qt::UserRole).toString(),
              QStringLiteral("A01"));
}

TEST_F(VentanaArbol, ElAutomaticoEligeElPrefijoMasLargo) {
    ejecutar(QStringLiteral("CREATE TABLE T_CODIGOS (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(20))"));
    for (const char* codigo : {"1", "10", "1000", "100", "2", "10001", "11"})
        ejecutar(QStringLiteral("INSERT INTO T_CODIGOS VALUES ('%1', 'd%1')").arg(QLatin1String(codigo)));
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM T_CODIGOS"), QStringLiteral("CODIGO"));
    // Rows in the statement's order: 1000 came before 100, so it hangs under 10.
    EXPECT_EQ(padreDe(QStringLiteral("1")), QString());
    EXPECT_EQ(padreDe(QStringLiteral("10")), QStringLiteral("1"));
    EXPECT_EQ(padreDe(QStringLiteral("1000")), QStringLiteral("10"));
    EXPECT_EQ(padreDe(QStringLiteral("100")), QStringLiteral("10"));
    EXPECT_EQ(padreDe(QStringLiteral("10001")), QStringLiteral("1000"));
    EXPECT_EQ(padreDe(QStringLiteral("11")), QStringLiteral("1"));
    EXPECT_EQ(padreDe(QStringLiteral("2")), QString());
}

TEST_F(VentanaArbol, ElPrimeroDeLosCodigosQueSoloDifierenEnMayusculasQuedaDePadre) {
    ejecutar(QStringLiteral("CREATE TABLE T_CASOS (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(20))"));
    for (const char* codigo : {"ab", "AB", "Ab", "ABC", "abcd", "aBcD1"})
        ejecutar(QStringLiteral("INSERT INTO T_CASOS VALUES ('%1', 'd%1')").arg(QLatin1String(codigo)));
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM T_CASOS"), QStringLiteral("CODIGO"));
    EXPECT_EQ(padreDe(QStringLiteral("AB")), QStringLiteral("ab"));
    EXPECT_EQ(padreDe(QStringLiteral("Ab")), QStringLiteral("ab"));
    EXPECT_EQ(padreDe(QStringLiteral("ABC")), QStringLiteral("ab"));
    EXPECT_EQ(padreDe(QStringLiteral("abcd")), QStringLiteral("ABC"));
    EXPECT_EQ(padreDe(QStringLiteral("aBcD1")), QStringLiteral("abcd"));
}

TEST_F(VentanaArbol, UnCodigoRepetidoVaAlDialogoDeError) {
    ejecutar(QStringLiteral("CREATE TABLE T_REPETIDOS (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(20))"));
    ejecutar(QStringLiteral("INSERT INTO T_REPETIDOS VALUES ('1', 'uno'), ('1', 'otra vez'), ('12', 'doce')"));
    dialogos_.responder(respuesta::Ignorar);
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM T_REPETIDOS"), QStringLiteral("CODIGO"));
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    // Ignore: the repeated row is passed over and the build goes on.
    EXPECT_EQ(nodo(QStringLiteral("1"))->text(0), QStringLiteral("1 - uno"));
    EXPECT_EQ(padreDe(QStringLiteral("12")), QStringLiteral("1"));
}

TEST_F(VentanaArbol, SinFilasSoloLaRaiz) {
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = 'ninguna'"),
            QStringLiteral("CODIGO"));
    ASSERT_EQ(ventana_->nodos().size(), 1);
    EXPECT_TRUE(ventana_->TreeV()->topLevelItem(0)->isExpanded());
}

TEST_F(VentanaArbol, EscribirEligeElPrimerNodoPorCodigoODescripcion) {
    mostrar(Familias);
    QComboBox& caja = *ventana_->CmbSearch();
    struct Caso {
        const char* texto;
        const char* clave;
    };
    const Caso casos[] = {
        {"c", "A"},        // the root's "Consulta..." comes first
        {"01", "A01"},
        {"pap", "A0101"},  // a description, any letter case
        {"020", "A0201"},
        {"", "A"},
    };
    for (const Caso& caso : casos) {
        caja.setEditText(QString::fromUtf8(caso.texto));
        EXPECT_EQ(seleccionado(), QLatin1String(caso.clave)) << caso.texto;
    }
    caja.setEditText(QStringLiteral("0101"));
    caja.setEditText(QStringLiteral("zz"));  // nothing matches: the selection stays
    EXPECT_EQ(seleccionado(), QStringLiteral("A0101"));
    // Down moves into the tree without moving its selection.
    tecla(caja, Qt::Key_Down);
    EXPECT_TRUE(ventana_->TreeV()->hasFocus());
    EXPECT_EQ(seleccionado(), QStringLiteral("A0101"));
}

TEST_F(VentanaArbol, F5DosVecesEstrechaLaSentencia) {
    ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('9.1', 'Caja de gastos de O''Brien')"));
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO"), QStringLiteral("CODIGO"));
    QComboBox& caja = *ventana_->CmbSearch();
    caja.setEditText(QStringLiteral("gas"));
    tecla(caja, Qt::Key_F5);
    EXPECT_EQ(ventana_->SQL, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where Descripcion like "
                                            "'%gas%' ORDER BY CODIGO"));
    EXPECT_EQ(ventana_->nodos().size(), 3);  // the root, Gastos bancarios and the new one
    EXPECT_TRUE(caja.currentText().isEmpty());
    caja.setEditText(QStringLiteral("o'brien"));
    tecla(caja, Qt::Key_F5);
    EXPECT_EQ(ventana_->SQL, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS  where Descripcion like "
                                            "'%gas%'  and Descripcion like '%o''brien%' ORDER BY CODIGO"));
    ASSERT_EQ(ventana_->nodos().size(), 2);
    EXPECT_EQ(ventana_->nodos()[1]->text(0), QStringLiteral("9.1 - Caja de gastos de O'Brien"));
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(VentanaArbol, F5SinOrdenNiWhereAgregaWhereAlFinal) {
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS"), QStringLiteral("CODIGO"));
    ventana_->CmbSearch()->setEditText(QStringLiteral("banco"));
    tecla(*ventana_->CmbSearch(), Qt::Key_F5);
    EXPECT_EQ(ventana_->SQL, QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS where Descripcion like '%banco%' "));
    EXPECT_EQ(ventana_->nodos().size(), 4);
    // "&Nueva Busqueda" keeps the conditions.
    QTest::mouseClick(ventana_->CmdNueva(), Qt::LeftButton);
    EXPECT_EQ(ventana_->nodos().size(), 4);
}

TEST_F(VentanaArbol, F5EnFamiliasVuelveAlArbolCompleto) {
    mostrar(Familias);
    ventana_->CmbSearch()->setEditText(QStringLiteral("papel"));
    tecla(*ventana_->CmbSearch(), Qt::Key_F5);
    EXPECT_TRUE(ventana_->CmbSearch()->currentText().isEmpty());
    EXPECT_EQ(ventana_->nodos().size(), 7);
}

TEST_F(VentanaArbol, LaMarcaBajaSeisNivelesYNoSiete) {
    ejecutar(QStringLiteral("CREATE TABLE T_NIVELES (CODIGO VARCHAR(10), DESCRIPCION VARCHAR(20))"));
    QString codigo;
    for (int nivel = 1; nivel <= 8; ++nivel) {
        codigo += QString::number(nivel);
        ejecutar(QStringLiteral("INSERT INTO T_NIVELES VALUES ('%1', 'nivel %2')").arg(codigo).arg(nivel));
    }
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM T_NIVELES ORDER BY CODIGO"), QStringLiteral("CODIGO"), true);
    ASSERT_EQ(padreDe(QStringLiteral("12345678")), QStringLiteral("1234567"));
    nodo(QStringLiteral("1"))->setCheckState(0, Qt::Checked);
    // "1" is checked; "12" … "1234567" are the six levels below it.
    for (const char* c : {"1", "12", "123", "1234", "12345", "123456", "1234567"})
        EXPECT_EQ(nodo(QLatin1String(c))->checkState(0), Qt::Checked) << c;
    EXPECT_EQ(nodo(QStringLiteral("12345678"))->checkState(0), Qt::Unchecked);
    EXPECT_EQ(ventana_->TreeV()->topLevelItem(0)->checkState(0), Qt::Unchecked);
    nodo(QStringLiteral("12"))->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(nodo(QStringLiteral("1"))->checkState(0), Qt::Checked);
    EXPECT_EQ(nodo(QStringLiteral("1234567"))->checkState(0), Qt::Unchecked);
}

TEST_F(VentanaArbol, AceptarConMarcasJuntaLosCodigosEnOrden) {
    mostrar(Familias, QStringLiteral("idfamilia"), true);
    ventana_->TreeV()->topLevelItem(0)->setCheckState(0, Qt::Checked);  // every family below too
    for (const char* c : {"01", "02", "99"}) nodo(QLatin1String(c))->setCheckState(0, Qt::Unchecked);
    nodo(QStringLiteral("0201"))->setCheckState(0, Qt::Checked);
    nodo(QStringLiteral("0102"))->setCheckState(0, Qt::Checked);
    QTest::mouseClick(ventana_->cmdAceptar(), Qt::LeftButton);
    EXPECT_EQ(ventana_->Valores, (QStringList{"", "0102", "0201"}));
    EXPECT_EQ(ventana_->ValorDevuelto, QString());
    EXPECT_FALSE(ventana_->isVisible());
}

TEST_F(VentanaArbol, AceptarConMarcasDePosicionesLeeLaTabla) {
    mostrar(QStringLiteral("SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES ORDER BY IDPOSICION"),
            QStringLiteral("IDPOSICION"), true);
    nodo(QStringLiteral("9608.10"))->setCheckState(0, Qt::Checked);
    tecla(*ventana_->TreeV(), Qt::Key_Return);
    EXPECT_EQ(ventana_->Valores, QStringList{"9608.10"});
}

// Accept without check boxes: what each returned column gives for a code.
struct CasoAceptar {
    const char* sentencia;
    const char* campo;
    const char* codigo;
    const char* esperado;
};

TEST_F(VentanaArbol, AceptarUnNodoDevuelveSegunLaColumna) {
    ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('ADM', 'Cuenta homónima')"));
    const CasoAceptar casos[] = {
        {"SELECT IdFamilia, Descripcion FROM V_TA_FAMILIAS", "IDFAMILIA", "0101", "0101"},
        {"SELECT IDPOSICION, DESCRIPCION FROM MA_POSICIONES", "idposicion", "4802.56", "4802.56"},
        {"SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO", "CODIGO", "VTA", "VTA"},
        {"SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS", "Codigo", "1.1.01.01", "1.1.01.01"},
        {"SELECT IdFamilia, Descripcion FROM TA_FAMILIAS", "CODIGO", "0101", ""},     // neither a centre nor an account
        {"SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS", "DESCRIPCION", "1.1.01.01", "previo"},  // keeps its content
    };
    for (const CasoAceptar& caso : casos) {
        Lib_FrmCons3Tree ventana(global_);
        ventana.SQL = QString::fromLatin1(caso.sentencia);
        ventana.CampoDevuelto = QString::fromLatin1(caso.campo);
        ventana.ValorDevuelto = QStringLiteral("previo");
        ventana.cargar();
        QTreeWidgetItem* n = ventana.nodo(QStringLiteral("A") + QLatin1String(caso.codigo));
        ASSERT_TRUE(n) << caso.sentencia;
        ventana.TreeV()->setCurrentItem(n);
        ventana.aceptar();
        EXPECT_EQ(ventana.ValorDevuelto, QLatin1String(caso.esperado)) << caso.sentencia << " " << caso.campo;
    }
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(VentanaArbol, UnCodigoQueEsCentroYCuentaDevuelveElCentro) {
    ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('ADM', 'Cuenta homónima')"));
    QTemporaryDir carpeta;
    const QString traza = carpeta.filePath(QStringLiteral("traza.sql"));
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM TA_CCOSTO"), QStringLiteral("CODIGO"));
    ventana_->TreeV()->setCurrentItem(nodo(QStringLiteral("ADM")));
    qputenv("QUINTARO_TRAZA_SQL", QFile::encodeName(traza));
    const QPoint centro = ventana_->TreeV()->visualItemRect(nodo(QStringLiteral("ADM"))).center();
    QTest::mouseClick(ventana_->TreeV()->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(ventana_->TreeV()->viewport(), Qt::LeftButton, {}, centro);
    qunsetenv("QUINTARO_TRAZA_SQL");
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("ADM"));
    QFile f(traza);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString sentencias = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(sentencias.contains(QStringLiteral("TA_CCOSTO"))) << sentencias.toStdString();
    EXPECT_FALSE(sentencias.contains(QStringLiteral("MA_CUENTAS"))) << sentencias.toStdString();
}

TEST_F(VentanaArbol, AceptarSinNodoElegidoVaAlDialogoDeError) {
    mostrar(Familias);
    ventana_->TreeV()->setCurrentItem(nullptr);
    dialogos_.responder(respuesta::Abortar);
    ventana_->aceptar();
    EXPECT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_TRUE(ventana_->isVisible());
}

TEST_F(VentanaArbol, CancelarNoDevuelveNada) {
    mostrar(Familias);
    ventana_->ValorDevuelto = QStringLiteral("algo");
    tecla(*ventana_->CmbSearch(), Qt::Key_Escape);
    EXPECT_EQ(ventana_->ValorDevuelto, QString());
    EXPECT_FALSE(ventana_->Valores.has_value());
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(ventana_->result(), QDialog::Rejected);
}

}  // namespace
