// The list lookup window on the demo company database, driven by keys and
// the mouse: columns and search boxes, searching in the list and in the
// database, accept and cancel, check marks, quantities, stock colours,
// sorting, the missing-stock report, "N&uevo" and the remembered widths.

#include "lookup/Lib_FrmCons3.h"

#include "lookup/ArchivoAnchos.h"
#include "platform/ui/Twips.h"
#include "session/Global.h"
#include "support/BaseDemo.h"
#include "support/DialogosGuion.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace twips = plataforma::twips;

namespace {

using consultas::Lib_FrmCons3;
namespace respuesta = plataforma::respuesta;

const QString SentenciaCuentas =
    QStringLiteral("SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION");

class VentanaLista : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        qputenv("QUINTARO_CARPETA", QFile::encodeName(carpeta_.path() + u'/'));
        ASSERT_TRUE(demo_.valida()) << demo_.error().toStdString();
        global_.DB.gServidor = demo_.servidor();
        global_.DB.gDBName = demo_.baseDatos();
        global_.DB.gUsuario = prueba::BaseDemo::usuario();
        global_.DB.gUserPassWord = demo_.contrasena();
        global_.DB.OpenServerADODB();
        ASSERT_TRUE(global_.DB.gOpenFlag);
        ventana_ = std::make_unique<Lib_FrmCons3>(global_);
    }

    void TearDown() override { qunsetenv("QUINTARO_CARPETA"); }

    void ejecutar(const QString& sentencia) {
        global_.DB.EjecutaConsultaSQL(sentencia);
        ASSERT_EQ(global_.DB.gCnn().errors().Count(), 0) << sentencia.toStdString();
    }

    // Loads and shows the window on the statement, as the lookup class does.
    void mostrar(const QString& sql = SentenciaCuentas, const QString& devuelto = QStringLiteral("CODIGO")) {
        ventana_->SQL = sql;
        ventana_->CampoDevuelto = devuelto;
        ventana_->cargar();
        ventana_->show();
        ventana_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ventana_.get()));
    }

    QTreeWidget& lista() const { return *ventana_->ListView1(); }
    QComboBox& busqueda(int i) const { return *ventana_->CmbSearch(i); }

    QStringList columna(int c) const {
        QStringList textos;
        for (int r = 0; r < lista().topLevelItemCount(); ++r) textos << lista().topLevelItem(r)->text(c);
        return textos;
    }

    QString actual(int c = 1) const { return lista().currentItem() ? lista().currentItem()->text(c) : QString(); }

    int filaDe(const QString& codigo, int c = 1) const {
        for (int r = 0; r < lista().topLevelItemCount(); ++r)
            if (lista().topLevelItem(r)->text(c) == codigo) return r;
        return -1;
    }

    void elegir(const QString& codigo, int c = 1) {
        const int r = filaDe(codigo, c);
        ASSERT_GE(r, 0) << codigo.toStdString();
        lista().setCurrentItem(lista().topLevelItem(r));
    }

    void tecla(QWidget& control, Qt::Key k, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        control.setFocus();
        QTest::keyClick(&control, k, mod);
    }

    // The left edge of search box i and of column i, in the strip's coordinates.
    int izquierdaBusqueda(int i) const { return busqueda(i).x(); }
    int izquierdaColumna(int i) const {
        return lista().x() + lista().frameWidth() + lista().header()->sectionViewportPosition(i);
    }

    QTemporaryDir carpeta_;
    prueba::BaseDemo demo_;
    prueba::DialogosGuion dialogos_;
    sesion::Global global_{dialogos_};
    std::unique_ptr<Lib_FrmCons3> ventana_;
};

TEST_F(VentanaLista, CuentasColumnasYBusquedasAlineadas) {
    mostrar();
    ASSERT_EQ(lista().columnCount(), 2);
    EXPECT_EQ(lista().headerItem()->text(0), QStringLiteral("DESCRIPCION"));
    EXPECT_EQ(lista().headerItem()->text(1), QStringLiteral("CODIGO"));
    EXPECT_EQ(ventana_->windowTitle(), QStringLiteral("Consulta..."));
    EXPECT_EQ(ventana_->TablaConsulta(), QStringLiteral("MA_CUENTAS"));
    EXPECT_TRUE(lista().font().bold());
    EXPECT_EQ(lista().font().pointSize(), 10);
    // DESCRIPCION holds 100 characters: cut to 60 letters X; CODIGO 15.
    const QFontMetrics medida = ventana_->fontMetrics();
    const int anchoDescripcion = medida.horizontalAdvance(QString(60, u'X'));
    const int anchoCodigo = medida.horizontalAdvance(QString(15, u'X'));
    EXPECT_NEAR(lista().columnWidth(0), anchoDescripcion, 1);
    EXPECT_NEAR(lista().columnWidth(1), anchoCodigo, 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(izquierdaBusqueda(i), izquierdaColumna(i)) << i;
        EXPECT_EQ(busqueda(i).property("tag").toString(), lista().headerItem()->text(i));
        EXPECT_EQ(busqueda(i).toolTip(), QStringLiteral("F5 realiza nueva busqueda"));
    }
    EXPECT_EQ(busqueda(1).width(), lista().columnWidth(1) - twips::aPixeles(50));
    // The server's order stands: the statement has its own ORDER BY.
    const QStringList descripciones = columna(0);
    QStringList ordenadas = descripciones;
    ordenadas.sort(Qt::CaseInsensitive);
    EXPECT_EQ(descripciones.size(), 17);
    EXPECT_EQ(descripciones.mid(2, 3), (QStringList{"Acreedores varios", "Banco Galicia cuenta corriente",
                                                   "Banco Nación cuenta corriente"}));
}

TEST_F(VentanaLista, LaBarraDesplazaBusquedasYListaJuntas) {
    mostrar();
    const int antesLista = lista().mapTo(ventana_.get(), QPoint(0, 0)).x();
    const int antesCaja = busqueda(1).mapTo(ventana_.get(), QPoint(0, 0)).x();
    ventana_->HScroll1()->setValue(1500);
    EXPECT_EQ(lista().mapTo(ventana_.get(), QPoint(0, 0)).x(), antesLista - twips::aPixeles(1500));
    EXPECT_EQ(busqueda(1).mapTo(ventana_.get(), QPoint(0, 0)).x(), antesCaja - twips::aPixeles(1500));
}

TEST_F(VentanaLista, EscribirEnUnaBusquedaEligeLaPrimeraFilaQueEmpieza) {
    mostrar();
    // In the list's order (by description) Galicia comes before Nación.
    busqueda(1).setFocus();
    QTest::keyClicks(&busqueda(1), QStringLiteral("1.1.02"));
    EXPECT_EQ(actual(), QStringLiteral("1.1.02.02"));
    EXPECT_EQ(ventana_->ColumnaActual(), 1);
    // No row starts with it: the selection stays.
    QTest::keyClicks(&busqueda(1), QStringLiteral("X"));
    EXPECT_EQ(actual(), QStringLiteral("1.1.02.02"));
    // Box 0, any letter case.
    QTest::keyClicks(&busqueda(0), QStringLiteral("sUeL"));
    EXPECT_EQ(actual(), QStringLiteral("2.1.03.01"));
    // An emptied box selects the first row.
    busqueda(0).setEditText(QString());
    EXPECT_EQ(lista().indexOfTopLevelItem(lista().currentItem()), 0);
}

TEST_F(VentanaLista, AbreConElFocoEnLaBusquedaYUnaBusquedaDeDosPalabrasNoAcepta) {
    mostrar();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ventana_.get()));
    QWidget* foco = QApplication::focusWidget();
    ASSERT_NE(foco, nullptr);
    EXPECT_TRUE(foco == &busqueda(0) || busqueda(0).isAncestorOf(foco)) << foco->objectName().toStdString();
    EXPECT_EQ(ventana_->ColumnaActual(), 0);
    // Typed where the focus is, as a user types: the space is part of the search.
    QTest::keyClicks(foco, QStringLiteral("Banco Galicia"));
    EXPECT_TRUE(ventana_->isVisible());
    EXPECT_EQ(busqueda(0).currentText(), QStringLiteral("Banco Galicia"));
    EXPECT_EQ(actual(0), QStringLiteral("Banco Galicia cuenta corriente"));
    EXPECT_TRUE(ventana_->ValorDevuelto.isEmpty());
    // A button the user moved to takes the space.
    ventana_->cmdAceptar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(ventana_->cmdAceptar(), Qt::Key_Space);
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("1.1.02.02"));
}

TEST_F(VentanaLista, ColoresDeFoco) {
    mostrar();
    busqueda(1).setFocus();
    QApplication::processEvents();
    EXPECT_EQ(busqueda(1).palette().color(QPalette::Base), QColor(0, 255, 255));
    busqueda(0).setFocus();
    QApplication::processEvents();
    EXPECT_EQ(busqueda(1).palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(busqueda(0).palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_EQ(ventana_->ColumnaActual(), 0);
}

TEST_F(VentanaLista, FiltroInicialEligeLaFila) {
    ventana_->FiltroInicial = QStringLiteral("banco p");
    mostrar();
    EXPECT_EQ(busqueda(0).currentText(), QStringLiteral("banco p"));
    EXPECT_EQ(actual(), QStringLiteral("1.1.02.03"));
}

TEST_F(VentanaLista, F5UnaYDosVecesAgreganCondicionesAntesDelOrden) {
    mostrar();
    QTest::keyClicks(&busqueda(0), QStringLiteral("Banco"));
    tecla(busqueda(0), Qt::Key_F5);
    const QString base = SentenciaCuentas.left(SentenciaCuentas.indexOf(QStringLiteral("ORDER BY")));
    const QString primera = base + QStringLiteral(" where DESCRIPCION like 'Banco%' ORDER BY DESCRIPCION ");
    EXPECT_EQ(ventana_->SQL, primera + u' ');
    EXPECT_EQ(columna(1), (QStringList{"1.1.02.02", "1.1.02.01", "1.1.02.03"}));
    EXPECT_TRUE(busqueda(0).currentText().isEmpty());

    QTest::keyClicks(&busqueda(1), QStringLiteral("1.1.02.0*"));
    busqueda(1).setEditText(QStringLiteral("1.1.02.0*1"));
    tecla(busqueda(1), Qt::Key_F5);
    EXPECT_EQ(ventana_->SQL, base + QStringLiteral(" where DESCRIPCION like 'Banco%'  and CODIGO like "
                                                   "'1.1.02.0%1%' ORDER BY DESCRIPCION   "));
    EXPECT_EQ(columna(1), QStringList{"1.1.02.01"});

    // "&Nueva Busqueda" goes back to the first statement.
    QTest::mouseClick(ventana_->CmdNueva(), Qt::LeftButton);
    EXPECT_EQ(ventana_->SQL, SentenciaCuentas + QStringLiteral("  "));
    EXPECT_EQ(lista().topLevelItemCount(), 17);
    EXPECT_TRUE(busqueda(0).hasFocus());
}

TEST_F(VentanaLista, F5ConLikeBuscaLasPalabrasEnOrdenYUnApostrofeNoRompeLaSentencia) {
    ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('9.9.99', 'Deuda con O''Brien')"));
    ventana_->CfgUsaConsultaLIKE = true;
    mostrar();
    busqueda(0).setEditText(QStringLiteral("co ent"));
    tecla(busqueda(0), Qt::Key_F5);
    EXPECT_TRUE(ventana_->SQL.contains(QStringLiteral(" where DESCRIPCION like '%co%ent%' ORDER BY")))
        << ventana_->SQL.toStdString();
    EXPECT_EQ(columna(1), (QStringList{"1.1.02.02", "1.1.02.01"}));

    QTest::mouseClick(ventana_->CmdNueva(), Qt::LeftButton);
    busqueda(0).setEditText(QStringLiteral("o'bri"));
    tecla(busqueda(0), Qt::Key_F5);
    EXPECT_TRUE(ventana_->SQL.contains(QStringLiteral("like '%o''bri%'"))) << ventana_->SQL.toStdString();
    EXPECT_EQ(columna(1), QStringList{"9.9.99"});
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(VentanaLista, EnterDevuelveElCodigoYEscapeNada) {
    mostrar();
    elegir(QStringLiteral("1.1.01.01"));
    tecla(lista(), Qt::Key_Return);
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("1.1.01.01"));
    EXPECT_EQ(ventana_->result(), QDialog::Accepted);
    EXPECT_FALSE(ventana_->isVisible());

    ventana_->show();
    QTest::keyClicks(&busqueda(0), QStringLiteral("Ventas"));
    tecla(busqueda(0), Qt::Key_Return);
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("4.1.01.01"));

    ventana_->show();
    tecla(lista(), Qt::Key_Escape);
    EXPECT_EQ(ventana_->ValorDevuelto, QString());
    EXPECT_FALSE(ventana_->Valores.has_value());
    EXPECT_EQ(ventana_->result(), QDialog::Rejected);
    EXPECT_FALSE(ventana_->isVisible());
}

TEST_F(VentanaLista, DobleClicAceptaYCmpsDevueltosLlenanValores) {
    ventana_->CmpsDevueltos = QStringList{"DESCRIPCION", "NOEXISTE", "CODIGO"};
    mostrar();
    const int r = filaDe(QStringLiteral("5.1.01.01"));
    const QRect area = lista().visualItemRect(lista().topLevelItem(r));
    QTest::mouseClick(lista().viewport(), Qt::LeftButton, {}, area.center());
    QTest::mouseDClick(lista().viewport(), Qt::LeftButton, {}, area.center());
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("5.1.01.01"));
    // A column that is not in the list repeats the value before it.
    EXPECT_EQ(ventana_->Valores, (QStringList{"Gastos bancarios", "Gastos bancarios", "5.1.01.01"}));
}

// The user narrows the accounts with F5 until one is left and presses Enter:
// the row shown comes back, as the first row of a load is the selected one.
TEST_F(VentanaLista, EnterTrasF5DevuelveLaFilaQueQuedo) {
    mostrar();
    EXPECT_EQ(actual(), QStringLiteral("1.1.09.99"));  // the first row in DESCRIPCION order
    QTest::keyClicks(&busqueda(0), QStringLiteral("Banco Na"));
    tecla(busqueda(0), Qt::Key_F5);
    ASSERT_EQ(columna(1), QStringList{"1.1.02.01"});
    tecla(busqueda(0), Qt::Key_Return);
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(ventana_->ValorDevuelto, QStringLiteral("1.1.02.01"));
}

TEST_F(VentanaLista, EnterSinFilaElegidaNoDevuelveNada) {
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = 'ninguna'"));
    tecla(busqueda(0), Qt::Key_Return);
    EXPECT_FALSE(ventana_->isVisible());
    EXPECT_EQ(ventana_->ValorDevuelto, QString());
}

TEST_F(VentanaLista, MarcasConEspacioYMarcarDevuelvenLasFilasMarcadas) {
    ventana_->CheckBoxes = true;
    ventana_->ValoresDefault = QStringLiteral("1.1.01.02;4.1.01.01");
    mostrar();
    const auto marcadas = [&] {
        QStringList codigos;
        for (int r = 0; r < lista().topLevelItemCount(); ++r)
            if (lista().topLevelItem(r)->checkState(0) == Qt::Checked) codigos << lista().topLevelItem(r)->text(1);
        return codigos;
    };
    EXPECT_EQ(marcadas(), (QStringList{"1.1.01.02", "4.1.01.01"}));
    // Space toggles the row's mark; it is not typed into a search box.
    elegir(QStringLiteral("1.1.01.01"));
    tecla(lista(), Qt::Key_Space);
    EXPECT_EQ(marcadas(), (QStringList{"1.1.01.01", "1.1.01.02", "4.1.01.01"}));
    EXPECT_TRUE(busqueda(0).currentText().isEmpty());
    tecla(lista(), Qt::Key_Space);
    EXPECT_EQ(marcadas(), (QStringList{"1.1.01.02", "4.1.01.01"}));
    // "&Marcar" inverts every mark.
    QTest::mouseClick(ventana_->CmdTodos(), Qt::LeftButton);
    EXPECT_EQ(marcadas().size(), 15);
    QTest::mouseClick(ventana_->CmdTodos(), Qt::LeftButton);
    tecla(lista(), Qt::Key_Return);
    EXPECT_EQ(ventana_->Valores, (QStringList{"1.1.01.02", "4.1.01.01"}));
    EXPECT_EQ(ventana_->ValorDevuelto, QString());
}

TEST_F(VentanaLista, AceptarConMarcasYNingunaMarcadaDejaValoresVacio) {
    ventana_->CheckBoxes = true;
    mostrar(SentenciaCuentas, QString());
    tecla(lista(), Qt::Key_Return);
    ASSERT_TRUE(ventana_->Valores.has_value());
    EXPECT_TRUE(ventana_->Valores->isEmpty());
    // With no returned column the first column's title is taken.
    EXPECT_EQ(ventana_->CampoDevuelto, QStringLiteral("DESCRIPCION"));
}

// The quantity keys of a list with a "**Cantidad**" column.
class Cantidades : public VentanaLista {
protected:
    void SetUp() override {
        VentanaLista::SetUp();
        ventana_->CheckBoxes = true;
        ventana_->UsaCantidades = true;
        mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION, '0.00' AS [**Cantidad**] FROM MA_CUENTAS ORDER BY CODIGO"));
        ASSERT_EQ(ventana_->IndiceColumna(QStringLiteral("**cantidad**")), 3);
        elegir(QStringLiteral("Caja"), 1);
    }
    QString cantidad() const { return lista().currentItem()->text(2); }
    bool marcada() const { return lista().currentItem()->checkState(0) == Qt::Checked; }
};

TEST_F(Cantidades, InsertSumaYDeleteRestaHastaCero) {
    tecla(lista(), Qt::Key_Insert);
    EXPECT_EQ(cantidad(), QStringLiteral("1,0"));
    EXPECT_TRUE(marcada());
    tecla(lista(), Qt::Key_Insert);
    EXPECT_EQ(cantidad(), QStringLiteral("2,0"));
    tecla(lista(), Qt::Key_Delete);
    EXPECT_EQ(cantidad(), QStringLiteral("1,0"));
    EXPECT_TRUE(marcada());
    tecla(lista(), Qt::Key_Delete);
    EXPECT_EQ(cantidad(), QStringLiteral("0.00"));
    EXPECT_FALSE(marcada());
}

TEST_F(Cantidades, ShiftInsertPideLaCantidad) {
    dialogos_.escribir(QStringLiteral("12,5"));
    tecla(lista(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(dialogos_.preguntas(), QStringList{"Ingrese la Cantidad del Articulo..."});
    EXPECT_EQ(cantidad(), QStringLiteral("12,50"));
    EXPECT_TRUE(marcada());
    // Cancelled or zero: the row stays as it was.
    for (const QString& respuestaDada : {QString(), QStringLiteral("0")}) {
        dialogos_.escribir(respuestaDada);
        tecla(lista(), Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(cantidad(), QStringLiteral("12,50"));
        EXPECT_TRUE(marcada());
    }
}

TEST_F(Cantidades, MilOMasSeEscribenSinSeparadorDeMiles) {
    dialogos_.escribir(QStringLiteral("1234,5"));
    tecla(lista(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(cantidad(), QStringLiteral("1234,50"));
    tecla(lista(), Qt::Key_Insert);
    EXPECT_EQ(cantidad(), QStringLiteral("1235,5"));
}

TEST_F(VentanaLista, MarcarSinCheckBoxesNoMuestraMarcas) {
    mostrar();
    QTest::mouseClick(ventana_->CmdTodos(), Qt::LeftButton);
    for (int r = 0; r < lista().topLevelItemCount(); ++r)
        EXPECT_FALSE(lista().topLevelItem(r)->data(0, Qt::CheckStateRole).isValid()) << r;
}

TEST_F(VentanaLista, SinColumnaDeCantidadLasTeclasVanAlDialogoDeError) {
    ventana_->UsaCantidades = true;
    mostrar();
    elegir(QStringLiteral("1.1.01.01"));
    dialogos_.responder(respuesta::Abortar);
    tecla(lista(), Qt::Key_Insert);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(lista().currentItem()->checkState(0), Qt::Unchecked);
}

TEST_F(VentanaLista, TeclasDeLaListaEscribenEnLaBusquedaActual) {
    mostrar();
    busqueda(1).setFocus();
    tecla(lista(), Qt::Key_1);
    EXPECT_EQ(busqueda(1).currentText(), QStringLiteral("1"));
    EXPECT_TRUE(busqueda(1).hasFocus());
    EXPECT_EQ(actual(), QStringLiteral("1.1.09.99"));  // the first code starting with 1, by description
    tecla(lista(), Qt::Key_2, Qt::KeypadModifier);  // the keypad's digit, not a letter
    EXPECT_EQ(busqueda(1).currentText(), QStringLiteral("12"));
    // Backspace takes the last character away.
    tecla(lista(), Qt::Key_Backspace);
    EXPECT_EQ(busqueda(1).currentText(), QStringLiteral("1"));
    busqueda(0).setFocus();
    tecla(lista(), Qt::Key_S);
    EXPECT_EQ(busqueda(0).currentText(), QStringLiteral("S"));
    EXPECT_EQ(actual(), QStringLiteral("2.1.03.01"));
    // Down in a search box moves into the list.
    tecla(busqueda(1), Qt::Key_Down);
    EXPECT_TRUE(lista().hasFocus());
}

TEST_F(VentanaLista, DosClicsEnUnTituloOrdenanDescendenteYAscendente) {
    ventana_->OrdenarPorLwv = true;
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS"));
    QStringList codigos = columna(0);
    QStringList ascendentes = codigos;
    ascendentes.sort();
    EXPECT_EQ(codigos, ascendentes);
    QHeaderView* titulos = lista().header();
    const QPoint enCodigo(titulos->sectionViewportPosition(0) + 5, titulos->height() / 2);
    QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {}, enCodigo);
    QStringList descendentes = ascendentes;
    std::reverse(descendentes.begin(), descendentes.end());
    EXPECT_EQ(columna(0), descendentes);
    QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {}, enCodigo);
    EXPECT_EQ(columna(0), ascendentes);
}

TEST_F(VentanaLista, SentenciaVaciaDejaLaListaSinColumnas) {
    mostrar(QString());
    EXPECT_EQ(lista().topLevelItemCount(), 0);
    EXPECT_EQ(lista().columnCount(), 0);
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

TEST_F(VentanaLista, AnchoDeImporteYDeTextoLargo) {
    ejecutar(QStringLiteral("CREATE TABLE T_ANCHOS (LARGO VARCHAR(255), MONTO NUMERIC(18,4))"));
    ventana_->ValoresDefault = QStringLiteral("@10");
    mostrar(QStringLiteral("SELECT LARGO, MONTO FROM T_ANCHOS"));
    const QFontMetrics medida = ventana_->fontMetrics();
    EXPECT_NEAR(lista().columnWidth(0), medida.horizontalAdvance(QString(70, u'X')), 1);
    EXPECT_NEAR(lista().columnWidth(1), medida.horizontalAdvance(QString(22, u'X')), 1);
}

// Stock colours of an article list: one level per item of the demo.
struct CasoStock {
    const char* articulo;
    long color;
};

TEST_F(VentanaLista, ColoresDeStockPorNivel) {
    ventana_->MuestraStock = QStringLiteral("si");
    ventana_->StkNivel1 = 0x0000FF;
    ventana_->StkNivel2 = 0x00FF00;
    ventana_->StkNivel3 = 0xFF0000;
    ventana_->StkNivel4 = 0x808080;
    mostrar(QStringLiteral("SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM STK_MA_ARTICULOS ORDER BY IDARTICULO"),
            QStringLiteral("IDARTICULO"));
    EXPECT_TRUE(ventana_->EsArticulos());
    const CasoStock casos[] = {
        {"PAP-A4-75", 0x0000FF},   // no reorder point, stock 20
        {"PAP-OF-80", 0x00FF00},   // reorder point 10, stock 30
        {"BOL-AZ-12", 0xFF0000},   // reorder point 10, stock 4
        {"TON-HP-85A", 0x808080},  // neither
    };
    for (const CasoStock& caso : casos) {
        const int r = filaDe(QString::fromLatin1(caso.articulo), 0);
        ASSERT_GE(r, 0) << caso.articulo;
        const QColor esperado(static_cast<int>(caso.color & 0xFF), static_cast<int>((caso.color >> 8) & 0xFF),
                              static_cast<int>((caso.color >> 16) & 0xFF));
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(lista().topLevelItem(r)->foreground(c).color(), esperado) << caso.articulo << " " << c;
            EXPECT_TRUE(lista().topLevelItem(r)->font(c).bold());
        }
    }
}

TEST_F(VentanaLista, UnNivelSinColorConfiguradoNoSePinta) {
    ventana_->MuestraStock = QStringLiteral("SI");
    ventana_->StkNivel3 = 0xFF0000;  // levels 1, 2 and 4 have no colour set
    mostrar(QStringLiteral("SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM STK_MA_ARTICULOS ORDER BY IDARTICULO"),
            QStringLiteral("IDARTICULO"));
    for (const char* articulo : {"PAP-A4-75", "PAP-OF-80", "TON-HP-85A"}) {
        const int r = filaDe(QString::fromLatin1(articulo), 0);
        ASSERT_GE(r, 0) << articulo;
        EXPECT_FALSE(lista().topLevelItem(r)->data(0, Qt::ForegroundRole).isValid()) << articulo;
        EXPECT_FALSE(lista().topLevelItem(r)->data(0, Qt::FontRole).isValid()) << articulo;
    }
    const int r = filaDe(QStringLiteral("BOL-AZ-12"), 0);
    ASSERT_GE(r, 0);
    EXPECT_EQ(lista().topLevelItem(r)->foreground(0).color(), QColor(0, 0, 255));
}

TEST_F(VentanaLista, ListaDeArticulosSinStockNoSeColoreaNiFalla) {
    ventana_->MuestraStock = QStringLiteral("SI");
    ventana_->StkNivel1 = 0x0000FF;
    mostrar(QStringLiteral("SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS"), QStringLiteral("IDARTICULO"));
    EXPECT_EQ(lista().topLevelItemCount(), 5);
    EXPECT_TRUE(dialogos_.mensajes().empty());
    EXPECT_FALSE(lista().topLevelItem(0)->data(0, Qt::ForegroundRole).isValid());
}

TEST_F(VentanaLista, F12InformaElFaltanteConSuDescripcion) {
    ejecutar(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION) VALUES ('CLIP-1', 'Clip N''1')"));
    mostrar(QStringLiteral("SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS ORDER BY IDARTICULO"),
            QStringLiteral("IDARTICULO"));
    elegir(QStringLiteral("CLIP-1"), 0);
    dialogos_.responder(respuesta::Si);
    tecla(lista(), Qt::Key_F12);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(dialogos_.mensajes()[0].texto,
              QStringLiteral("Desea informar el articulo CLIP-1 Clip N'1\r\ncomo un faltante de stock?"));
    EXPECT_EQ(dialogos_.mensajes()[0].titulo, QStringLiteral("Atención!"));
    ado::Recordset rs;
    global_.DB.AbrirRecordset(QStringLiteral("SELECT IdArticulo, Descripcion, Usuario FROM MV_FALTANTES"), rs);
    ASSERT_FALSE(rs.EOF_());
    EXPECT_EQ(rs.Fields(0L).Value().texto(), global_.gUtilidades.codigo(QStringLiteral("CLIP-1"), 25));
    EXPECT_EQ(rs.Fields(1L).Value().texto(), QStringLiteral("Clip N'1"));
    EXPECT_EQ(rs.Fields(2L).Value().texto(), prueba::BaseDemo::usuario());
    // "No" records nothing; outside article lists F12 asks nothing.
    dialogos_.responder(respuesta::No);
    tecla(lista(), Qt::Key_F12);
    EXPECT_TRUE(ventana_->isVisible());
}

// "N&uevo" starts the table's maintenance program through the launcher.
struct CasoNuevo {
    const char* sentencia;
    const char* destino;
    const char* parametro;
};

TEST_F(VentanaLista, NuevoLanzaElProgramaDeLaTabla) {
    const CasoNuevo casos[] = {
        {"SELECT CODIGO, RAZON_SOCIAL FROM VT_CLIENTES", "SHELL:V_MA_CLIENTES", "1"},
        {"SELECT CODIGO, RAZON_SOCIAL FROM VT_PROVEEDORES", "SHELL:V_MA_CLIENTES", "0"},
        {"SELECT IDTECNICO, NOMBRE FROM v_ta_tecnicos", "SHELL:V_TA_Tecnicos", ""},
        {"SELECT IDVENDEDOR, NOMBRE FROM V_TA_VENDEDORES", "SHELL:V_TA_VENDEDORES", ""},
        {"SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS", "SHELL:V_MA_ARTICULOS", ""},
        {"SELECT TOP 1000 DESCRIPCION,CODIGO FROM MA_CUENTAS  with(nolock)", "SHELL:V_TA_TABLAS", "MA_CUENTAS"},
    };
    for (const CasoNuevo& caso : casos) {
        Lib_FrmCons3 ventana(global_);
        QStringList llamadas;
        ventana.lanzador = [&](const QString& destino, const QString& parametro, int modo) {
            llamadas << destino + u'|' + parametro + u'|' + QString::number(modo);
        };
        ventana.SQL = QString::fromLatin1(caso.sentencia);
        ventana.cargar();
        QTest::mouseClick(ventana.CmdNuevo(), Qt::LeftButton);
        EXPECT_EQ(llamadas, QStringList{QStringLiteral("%1|%2|0").arg(QLatin1String(caso.destino),
                                                                      QLatin1String(caso.parametro))})
            << caso.sentencia;
    }
}

TEST_F(VentanaLista, AnchosRecordadosSeAplicanYSeGuardan) {
    const consultas::ArchivoAnchos archivo(carpeta_.path() + u'/');
    {
        QFile f(archivo.ruta());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"VT_CLIENTES\",\"900|\"\r\n\"ma_cuentas\",\"2500|1200|\"\r\n");
    }
    ventana_->GrabarCfg = true;
    mostrar();
    EXPECT_EQ(lista().columnWidth(0), twips::aPixeles(2500));
    EXPECT_EQ(lista().columnWidth(1), twips::aPixeles(1200));
    EXPECT_EQ(izquierdaBusqueda(1), izquierdaColumna(1));
    // The window: the columns' widths + 360 for the list + 280.
    const int columnas = twips::desdePixeles(lista().columnWidth(0)) + twips::desdePixeles(lista().columnWidth(1));
    EXPECT_EQ(ventana_->width(), twips::aPixeles(columnas + 360 + 280));

    lista().setColumnWidth(1, 100);
    ventana_->close();
    QFile f(archivo.ruta());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\"VT_CLIENTES\",\"900|\"\r\n\"MA_CUENTAS\",\"")
                               + QByteArray::number(twips::desdePixeles(twips::aPixeles(2500))) + "|1500|\"\r\n");
    EXPECT_FALSE(QFile::exists(archivo.rutaAuxiliar()));
}

// Widths no column can have: clamped, the load goes on without error 380 and
// every column keeps a visible search box.
struct CasoAnchoAbsurdo {
    const char* nombre;
    const char* anchos;
    int twipsPrimera, twipsSegunda;
};

TEST_F(VentanaLista, AnchosAbsurdosSeAcotanYLaColumnaSigueVisible) {
    const CasoAnchoAbsurdo casos[] = {
        {"CeroYNegativo", "0|-500|", 450, 450},
        {"MasAngostaQueSuCaja", "20|49|", 450, 450},
        {"Enorme", "999999999|1200|", 30000, 1200},
    };
    const consultas::ArchivoAnchos archivo(carpeta_.path() + u'/');
    for (const CasoAnchoAbsurdo& caso : casos) {
        {
            QFile f(archivo.ruta());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray("\"MA_CUENTAS\",\"") + caso.anchos + "\"\r\n");
        }
        ventana_ = std::make_unique<Lib_FrmCons3>(global_);
        mostrar();
        EXPECT_TRUE(dialogos_.mensajes().empty()) << caso.nombre;
        EXPECT_EQ(lista().topLevelItemCount(), 17) << caso.nombre;
        EXPECT_NEAR(lista().columnWidth(0), twips::aPixeles(caso.twipsPrimera), 1) << caso.nombre;
        EXPECT_NEAR(lista().columnWidth(1), twips::aPixeles(caso.twipsSegunda), 1) << caso.nombre;
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(busqueda(i).isVisible()) << caso.nombre << " " << i;
            EXPECT_GT(busqueda(i).width(), 0) << caso.nombre << " " << i;
        }
    }
}

TEST_F(VentanaLista, UnaColumnaMasAngostaQueSuCajaNoInterrumpeLaCarga) {
    mostrar();
    lista().setColumnWidth(1, twips::aPixeles(20));
    ventana_->CalcularAncho();
    EXPECT_TRUE(dialogos_.mensajes().empty());
    EXPECT_NEAR(lista().columnWidth(1), twips::aPixeles(450), 1);
    EXPECT_GT(busqueda(1).width(), 0);
}

TEST_F(VentanaLista, SinGrabarCfgElArchivoDeAnchosNoSeToca) {
    mostrar();
    ventana_->close();
    EXPECT_FALSE(QFile::exists(carpeta_.filePath(QStringLiteral("CONSULTASLEN.QZT"))));
}

TEST_F(VentanaLista, UnaSentenciaRechazadaSeInformaYLaVentanaQuedaVacia) {
    dialogos_.responder(respuesta::Aceptar);
    dialogos_.responder(respuesta::Ignorar);
    dialogos_.responder(respuesta::Ignorar);
    mostrar(QStringLiteral("SELECT CODIGO FROM NO_EXISTE"));
    // The session reports the database's refusal; building the columns shows
    // the description; reading the rows goes to the load's error dialog.
    const auto& mensajes = dialogos_.mensajes();
    ASSERT_EQ(mensajes.size(), 3u);
    EXPECT_TRUE(mensajes[0].texto.contains(QStringLiteral("NO_EXISTE")));
    EXPECT_TRUE(mensajes[1].titulo.isEmpty());
    EXPECT_TRUE(mensajes[2].titulo.startsWith(QStringLiteral("FORM_LOAD"))) << mensajes[2].titulo.toStdString();
    EXPECT_EQ(lista().topLevelItemCount(), 0);
    EXPECT_TRUE(ventana_->isVisible());
}

}  // namespace

namespace {

// The button bar's layout for a window width, with and without "&Nueva Busqueda".
struct CasoBotones {
    int anchoTwips;
    bool sinNueva;
    int izqAceptar, anchoAceptar, izqCancelar, anchoCancelar;  // twips
};

TEST_F(VentanaLista, BotonesSegunElAnchoDeLaVentana) {
    const CasoBotones casos[] = {
        {9000, false, 100, 1695, (9000 - 1695) / 2, 1695},
        {9000, true, 100, 1695, 9000 - (1695 + 150), 1695},
        {3000, true, 100, 847, 3000 - (847 + 150), 847},
        {3000, true, 100, 847, 3000 - (847 + 150), 847},  // resized again: the same
    };
    mostrar();
    for (const CasoBotones& caso : casos) {
        ventana_->CmdNueva()->setHidden(caso.sinNueva);
        ventana_->setMinimumSize(0, 0);
        ventana_->resize(twips::aPixeles(caso.anchoTwips) + 1, ventana_->height());  // a resize each time
        ventana_->resize(twips::aPixeles(caso.anchoTwips), ventana_->height());
        QApplication::processEvents();
        ASSERT_EQ(ventana_->width(), twips::aPixeles(caso.anchoTwips));
        EXPECT_EQ(ventana_->cmdAceptar()->x(), twips::aPixeles(caso.izqAceptar)) << caso.anchoTwips;
        EXPECT_EQ(ventana_->cmdAceptar()->width(), twips::aPixeles(caso.anchoAceptar)) << caso.anchoTwips;
        EXPECT_EQ(ventana_->cmdCancelar()->x(), twips::aPixeles(caso.izqCancelar)) << caso.anchoTwips;
        EXPECT_EQ(ventana_->cmdCancelar()->width(), twips::aPixeles(caso.anchoCancelar)) << caso.anchoTwips;
        if (!caso.sinNueva) {
            EXPECT_EQ(ventana_->CmdNueva()->x(), twips::aPixeles(caso.anchoTwips - (1695 + 150)));
        }
    }
}

}  // namespace

namespace {

TEST_F(VentanaLista, LosPreciosDeArticulosSeTitulanConSuClase) {
    QStringList leidas;
    ventana_->leerAjuste = [&](const QString& clave) {
        leidas << clave;
        return clave == QStringLiteral("NOM_PCLASE2") ? QStringLiteral("Mayorista") : QString();
    };
    ventana_->ValoresDefault = QStringLiteral("@10");  // no wider columns in article lists
    mostrar(QStringLiteral("SELECT IDARTICULO, PRECIO AS PRECIO2, PRECIO AS PRECIO9 FROM V_MA_ARTICULOS"),
            QStringLiteral("IDARTICULO"));
    EXPECT_EQ(lista().headerItem()->text(0), QStringLiteral("IDARTICULO"));
    EXPECT_EQ(lista().headerItem()->text(1), QStringLiteral("Mayorista"));
    EXPECT_EQ(lista().headerItem()->text(2), QStringLiteral("PRECIO9"));
    EXPECT_EQ(leidas, QStringList{"NOM_PCLASE2"});
    EXPECT_NEAR(lista().columnWidth(1), ventana_->fontMetrics().horizontalAdvance(QString(12, u'X')), 1);
}

TEST_F(VentanaLista, ConUsarUDBCLeeDeLaSegundaSesionHastaCerrar) {
    prueba::DialogosGuion otrosDialogos;
    datos::DB_Dll segunda(otrosDialogos, &global_.DB);
    segunda.gServidor = demo_.servidor();
    segunda.gDBName = demo_.baseDatos();
    segunda.gUsuario = prueba::BaseDemo::usuario();
    segunda.gUserPassWord = demo_.contrasena();
    segunda.OpenServerADODB();
    ASSERT_TRUE(segunda.gOpenFlag);
    // A row only the second session sees, inside its open transaction.
    segunda.gCnn().BeginTrans();
    segunda.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('8.8', 'Solo en la segunda')"));
    ventana_->sesionSecundaria = &segunda;
    ventana_->UsarUDBC = true;
    mostrar(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '8.8'"));
    EXPECT_EQ(lista().topLevelItemCount(), 1);
    ventana_->close();
    EXPECT_FALSE(ventana_->UsarUDBC);
    segunda.gCnn().RollbackTrans();
}

}  // namespace
