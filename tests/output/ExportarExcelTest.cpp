// The spreadsheet export read back from the workbook it writes: headings and
// their look, hidden columns left out and the rest packed, amounts, dates and
// texts, column widths; where the file goes, that it never replaces another
// one, and what the user is told when it cannot be written or opened.

#include "output/ModExportarExcel.h"

#include "LectorLibro.h"
#include "output/LibroExcel.h"
#include "output/Lbf_CtrlDisplay.h"
#include "session/utility_component/Utilidades.h"
#include "support/DialogosGuion.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using prueba::LectorLibro;
using salida::ModExportarExcel;

constexpr int TwipsPorPixel = 15;

// How a spreadsheet keeps a width of n characters of the default font (7
// pixels wide): whole pixels plus 5 of padding, in 256ths of a character.
double anchoGuardado(double caracteres) {
    const double pixeles = std::floor(caracteres * 7 + 0.5) + 5;
    return std::floor(pixeles / 7 * 256) / 256;
}

class ExportacionAPlanilla : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        documentos_ = carpeta_.filePath(QStringLiteral("Documentos"));
        ventana_.setWindowTitle(QStringLiteral("Historial de Acciones"));
        grilla_ = new QTableWidget(&ventana_);
        grilla_->horizontalHeader()->setMinimumSectionSize(1);
        exportador_.setDestino({[this] { return documentos_; },
                                [this](const QUrl& url) {
                                    abiertos_ << url;
                                    return seAbre_;
                                }});
    }

    struct Columna {
        QString encabezado;
        int anchoPixeles;  // 0: hidden
    };

    void llenar(const QList<Columna>& columnas, const QList<QStringList>& filas) {
        grilla_->setColumnCount(int(columnas.size()));
        grilla_->setRowCount(int(filas.size()));
        for (int k = 0; k < columnas.size(); ++k) {
            grilla_->setHorizontalHeaderItem(k, new QTableWidgetItem(columnas[k].encabezado));
            if (columnas[k].anchoPixeles == 0)
                grilla_->setColumnHidden(k, true);
            else
                grilla_->setColumnWidth(k, columnas[k].anchoPixeles);
        }
        for (int r = 0; r < filas.size(); ++r)
            for (int k = 0; k < filas[r].size(); ++k) grilla_->setItem(r, k, new QTableWidgetItem(filas[r][k]));
    }

    void exportar(bool vistaPrevia = true) {
        exportador_.ExportarGrillaExcel(*grilla_, vistaPrevia, QString(), QString(), -1, -1, -1);
    }

    QStringList archivosEnDocumentos() const {
        return QDir(documentos_).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir carpeta_;
    QString documentos_;
    prueba::DialogosGuion dialogos_;
    utilidades::Utilidades utilidades_{dialogos_};
    ModExportarExcel exportador_{utilidades_, dialogos_};
    QWidget ventana_;
    QTableWidget* grilla_ = nullptr;
    QList<QUrl> abiertos_;
    bool seAbre_ = true;
};

// ---- What the sheet holds -------------------------------------------------------------

struct CasoCelda {
    const char* texto;    // in the grid
    const char* tipo;     // in the sheet: "numero", "fecha", "texto", "" (empty)
    QVariant valor;       // number, ISO date-time or text
    const char* formato;  // number format of a date
};

const CasoCelda casosCelda[] = {
    {"1234,50", "numero", 1234.5, ""},
    {"1.234,56", "numero", 1234.56, ""},
    {" 7,5 ", "numero", 7.5, ""},
    {"-5", "texto", QStringLiteral("-5"), ""},
    {"0", "texto", QStringLiteral("0"), ""},
    {"05/03/2024", "fecha", QStringLiteral("2024-03-05 00:00:00"), "dd/mm/yyyy"},
    // The log's moments keep their time of day.
    {"05/03/2024 09:15:22", "fecha", QStringLiteral("2024-03-05 09:15:22"), "dd/mm/yyyy hh:mm:ss"},
    {"  Juan Pérez  ", "texto", QStringLiteral("Juan Pérez"), ""},
    {"12 cajas", "texto", QStringLiteral("12 cajas"), ""},
    {"1.2.3", "texto", QStringLiteral("1.2.3"), ""},
    {"ABIERTA", "texto", QStringLiteral("ABIERTA"), ""},
    {"   ", "", QVariant(), ""},
};

TEST_F(ExportacionAPlanilla, CadaCeldaComoNumeroFechaOTextoYLasColumnasOcultasNoSeExportan) {
    QList<QStringList> filas;
    for (const CasoCelda& c : casosCelda)
        filas << QStringList{QStringLiteral("fila"), QStringLiteral("NO SE VE"), QStringLiteral("NO SE VE"),
                             QString::fromUtf8(c.texto)};
    // A hidden column and one of 3 pixels (45 twips, not above 50) are left out.
    llenar({{"Detalle", 100}, {"Oculta", 0}, {"Angosta", 3}, {"Valor", 150}}, filas);
    exportar();

    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_EQ(libro.hojas(), (QStringList{"Hoja1", "Hoja2"}));
    EXPECT_EQ(libro.celda(QStringLiteral("A1")).valor, QVariant(QStringLiteral("Detalle")));
    EXPECT_EQ(libro.celda(QStringLiteral("B1")).valor, QVariant(QStringLiteral("Valor")));
    // Headings + one row per case, each with its "fila" and its value, and
    // nothing from the two skipped columns anywhere.
    int conValor = 2;
    for (std::size_t i = 0; i < std::size(casosCelda); ++i) {
        const CasoCelda& c = casosCelda[i];
        SCOPED_TRACE(c.texto);
        const QString fila = QString::number(i + 2);
        EXPECT_EQ(libro.celda(QStringLiteral("A") + fila).valor, QVariant(QStringLiteral("fila")));
        const LectorLibro::Celda valor = libro.celda(QStringLiteral("B") + fila);
        EXPECT_EQ(valor.tipo, QString::fromLatin1(c.tipo));
        if (valor.tipo == QLatin1String("numero")) {
            EXPECT_DOUBLE_EQ(valor.valor.toDouble(), c.valor.toDouble());
        } else {
            EXPECT_EQ(valor.valor.toString(), c.valor.toString());
        }
        if (valor.tipo == QLatin1String("fecha")) {
            EXPECT_EQ(valor.formato, QString::fromLatin1(c.formato));
        }
        if (!valor.tipo.isEmpty()) {
            EXPECT_EQ(valor.tamanio, 11);
        }
        conValor += 1 + (valor.tipo.isEmpty() ? 0 : 1);
        EXPECT_EQ(libro.celda(QStringLiteral("C") + fila).tipo, QString());
    }
    EXPECT_EQ(libro.celdasConValor(), conValor);
    EXPECT_EQ(libro.filas(), int(std::size(casosCelda)) + 1);
}

TEST_F(ExportacionAPlanilla, EncabezadosConBordesFondoAzulYLetraBlancaEnNegrita) {
    llenar({{"FECHA", 80}, {"USUARIO", 80}}, {{"a", "b"}});
    exportar();
    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    for (const char* ref : {"A1", "B1"}) {
        SCOPED_TRACE(ref);
        const LectorLibro::Celda c = libro.celda(QString::fromLatin1(ref));
        EXPECT_TRUE(c.negrita);
        EXPECT_EQ(c.tamanio, 11);
        EXPECT_EQ(c.color, QStringLiteral("FFFFFFFF"));
        EXPECT_EQ(c.relleno, QStringLiteral("FF0000FF"));  // colour 5 of the palette
        EXPECT_EQ(c.bordes, (QStringList{"thin", "thin", "thin", "thin"}));
    }
    const LectorLibro::Celda dato = libro.celda(QStringLiteral("A2"));
    EXPECT_FALSE(dato.negrita);
    EXPECT_EQ(dato.relleno, QString());
}

// A sheet without dates keeps the grid's widths: twips / 90.
TEST_F(ExportacionAPlanilla, SinFechasLasColumnasTomanElAnchoDeLaGrillaSobreNoventa) {
    llenar({{"MOTIVO", 200}, {"FECHA", 40}, {"ESTADO", 90}},
           {{"Revisión", "sin fecha", "ABIERTA"}, {"Control", "-", "FINALIZADA"}});
    exportar();
    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_DOUBLE_EQ(libro.ancho(QStringLiteral("A")), anchoGuardado(200.0 * TwipsPorPixel / 90));
    EXPECT_DOUBLE_EQ(libro.ancho(QStringLiteral("B")), anchoGuardado(40.0 * TwipsPorPixel / 90));
    EXPECT_DOUBLE_EQ(libro.ancho(QStringLiteral("C")), anchoGuardado(90.0 * TwipsPorPixel / 90));
}

// Once a date has gone in, every column of the sheet, not only the one of
// dates, fits its longest text (heading included) whatever the grid's width;
// a text longer than a column can be wide gets the widest column.
TEST_F(ExportacionAPlanilla, ConUnaFechaCadaColumnaSeAjustaASuTextoMasLargo) {
    const QString largo(300, u'x');
    llenar({{"MOTIVO", 20}, {"FECHA Y HORA DE LA APERTURA", 300}, {"IMPORTE", 200}, {"ESTADO", 10}, {"N", 40}},
           {{"Revisión mensual del extracto", "05/03/2024", "1234,50", "ABIERTA", largo},
            {"Control", "06/03/2024 09:15:22", "1.234.567,89", "FINALIZADA", "corto"}});
    exportar();
    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();

    struct Esperado {
        const char* columna;
        int caracteres;  // of its longest text
    };
    const Esperado esperados[] = {
        {"A", int(QStringLiteral("Revisión mensual del extracto").size())},
        {"B", int(QStringLiteral("FECHA Y HORA DE LA APERTURA").size())},
        {"C", int(QStringLiteral("1234567.89").size())},  // the number as the sheet shows it
        {"D", int(QStringLiteral("FINALIZADA").size())},
    };
    for (const Esperado& e : esperados) {
        SCOPED_TRACE(e.columna);
        const double ancho = libro.ancho(QString::fromLatin1(e.columna));
        EXPECT_GE(ancho, e.caracteres);
        EXPECT_LE(ancho, e.caracteres + 2);
    }
    EXPECT_DOUBLE_EQ(libro.ancho(QStringLiteral("E")), anchoGuardado(255));
    EXPECT_EQ(libro.celda(QStringLiteral("B2")).formato, QStringLiteral("dd/mm/yyyy"));
}

TEST_F(ExportacionAPlanilla, SoloLaFilaDeEncabezadosDaUnaHojaConEncabezadosYElCartelSeCierra) {
    llenar({{"FECHA", 80}, {"USUARIO", 80}}, {});
    exportar();
    EXPECT_EQ(exportador_.display().ventana(), nullptr);
    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_EQ(libro.filas(), 1);
    EXPECT_EQ(libro.celdasConValor(), 2);
    EXPECT_TRUE(dialogos_.mensajes().empty());
}

// A text longer than a cell holds goes in cut to 32,767 characters (never
// inside a character written as two UTF-16 units) instead of leaving its cell
// empty; one message names the cells, before the workbook opens.
TEST_F(ExportacionAPlanilla, UnTextoMasLargoQueUnaCeldaSeEscribeCortadoYSeAvisa) {
    const int maximo = salida::LibroExcel::LargoMaximoTexto;
    const QString cara = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    llenar({{"Detalle", 100}, {"Otro", 100}},
           {{QString(40000, u'a'), QStringLiteral("x")},
            {QString(maximo, u'c'), QStringLiteral("y")},
            {QString(maximo - 1, u'b') + cara, QStringLiteral("z")},
            {QStringLiteral("corto"), QString(maximo + 1, u'd')}});
    qsizetype mensajesAlAbrir = -1;
    exportador_.setDestino({[this] { return documentos_; },
                            [&](const QUrl& url) {
                                abiertos_ << url;
                                mensajesAlAbrir = qsizetype(dialogos_.mensajes().size());
                                return true;
                            }});
    exportar();

    ASSERT_EQ(abiertos_.size(), 1);
    const LectorLibro libro(abiertos_[0].toLocalFile());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_EQ(libro.celda(QStringLiteral("A2")).valor.toString(), QString(maximo, u'a'));
    EXPECT_EQ(libro.celda(QStringLiteral("A3")).valor.toString(), QString(maximo, u'c'));
    EXPECT_EQ(libro.celda(QStringLiteral("A4")).valor.toString(), QString(maximo - 1, u'b'));
    EXPECT_EQ(libro.celda(QStringLiteral("A5")).valor.toString(), QStringLiteral("corto"));
    EXPECT_EQ(libro.celda(QStringLiteral("B5")).valor.toString(), QString(maximo, u'd'));

    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(mensajesAlAbrir, 1);
    const auto& m = dialogos_.mensajes()[0];
    EXPECT_EQ(m.estilo, plataforma::estilo::Exclamacion);
    EXPECT_EQ(m.texto, QStringLiteral("Los textos de 3 celdas (A2, A4, B5) eran más largos de lo que cabe en una "
                                      "celda de la planilla (32.767 caracteres) y quedaron cortados."));
}

TEST_F(ExportacionAPlanilla, UnaSolaCeldaCortadaSeNombra) {
    llenar({{"Detalle", 100}}, {{QStringLiteral("x")}, {QString(50000, u'a')}});
    exportar(false);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(dialogos_.mensajes()[0].texto,
              QStringLiteral("El texto de la celda A3 era más largo de lo que cabe en una celda de la planilla "
                             "(32.767 caracteres) y quedó cortado."));
    EXPECT_EQ(LectorLibro(exportador_.archivo()).celda(QStringLiteral("A3")).valor.toString().size(),
              salida::LibroExcel::LargoMaximoTexto);
}

// ---- Where the workbook goes ----------------------------------------------------------

TEST_F(ExportacionAPlanilla, UnArchivoNuevoEnDocumentosConNombreQueDiceQueYCuando) {
    llenar({{"FECHA", 80}}, {{"x"}});
    const QDateTime antes = QDateTime::currentDateTime();
    exportar();
    const QDateTime despues = QDateTime::currentDateTime();
    ASSERT_EQ(archivosEnDocumentos().size(), 1);
    const QString nombre = archivosEnDocumentos().first();
    EXPECT_EQ(exportador_.archivo(), QDir(documentos_).filePath(nombre));
    EXPECT_EQ(abiertos_, QList<QUrl>{QUrl::fromLocalFile(exportador_.archivo())});
    bool nombreDeEseMomento = false;
    for (QDateTime t = antes.addSecs(-1); t <= despues.addSecs(1); t = t.addSecs(1))
        nombreDeEseMomento |= nombre == ModExportarExcel::nombreLibro(QStringLiteral("Historial de Acciones"), t) +
                                            QStringLiteral(".xlsx");
    EXPECT_TRUE(nombreDeEseMomento) << nombre.toStdString();
}

TEST_F(ExportacionAPlanilla, NombreDelLibro) {
    const QDateTime momento(QDate(2024, 3, 5), QTime(9, 5, 7));
    EXPECT_EQ(ModExportarExcel::nombreLibro(QStringLiteral("Historial de Acciones"), momento),
              QStringLiteral("Historial de Acciones 2024-03-05 09.05.07"));
    EXPECT_EQ(ModExportarExcel::nombreLibro(QStringLiteral("Saldos 1/2: \"caja\""), momento),
              QStringLiteral("Saldos 1-2- -caja- 2024-03-05 09.05.07"));
    EXPECT_EQ(ModExportarExcel::nombreLibro(QString(), momento), QStringLiteral("Planilla 2024-03-05 09.05.07"));
}

// Files already named as the export would name its own stay untouched.
TEST_F(ExportacionAPlanilla, NuncaReemplazaUnArchivoExistente) {
    ASSERT_TRUE(QDir().mkpath(documentos_));
    const QDateTime ahora = QDateTime::currentDateTime();
    QStringList previos;
    for (int s = -1; s <= 30; ++s) {
        const QString ruta = QDir(documentos_).filePath(
            ModExportarExcel::nombreLibro(QStringLiteral("Historial de Acciones"), ahora.addSecs(s)) +
            QStringLiteral(".xlsx"));
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("de otro");
        previos << ruta;
    }
    llenar({{"FECHA", 80}}, {{"x"}});
    exportar();
    ASSERT_FALSE(exportador_.archivo().isEmpty());
    EXPECT_FALSE(previos.contains(exportador_.archivo()));
    EXPECT_TRUE(exportador_.archivo().endsWith(QStringLiteral(" (2).xlsx"))) << exportador_.archivo().toStdString();
    for (const QString& ruta : previos) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("de otro")) << ruta.toStdString();
    }
    EXPECT_TRUE(LectorLibro(exportador_.archivo()).valido());
}

// The export lets events through; a second request that arrives that way
// (the button pressed again) is ignored, and the first workbook comes out
// whole, the only file in the folder.
TEST_F(ExportacionAPlanilla, UnPedidoDuranteLaExportacionSeIgnora) {
    llenar({{"FECHA", 80}}, {{"x"}, {"y"}, {"z"}});
    int pedidos = 0;
    QTimer::singleShot(0, [&] {
        ++pedidos;
        exportar();
    });
    exportar();
    EXPECT_EQ(pedidos, 1);
    EXPECT_EQ(abiertos_.size(), 1);
    EXPECT_EQ(archivosEnDocumentos().size(), 1);
    const LectorLibro libro(exportador_.archivo());
    ASSERT_TRUE(libro.valido()) << libro.error().toStdString();
    EXPECT_EQ(libro.filas(), 4);
}

// While the rows are written the progress window is up and shows "r de n"
// for a row being written, counting up; the events that reach the program
// meanwhile come through that window, the first time at the first row.
TEST_F(ExportacionAPlanilla, ElCartelCuentaLasFilasMientrasSeEscriben) {
    QList<QStringList> filas;
    for (int r = 1; r <= 2000; ++r) filas << QStringList{QString::number(r), QStringLiteral("texto")};
    llenar({{"N", 80}, {"T", 80}}, filas);
    QStringList vistas;
    QTimer espia;
    espia.setInterval(0);
    QObject::connect(&espia, &QTimer::timeout, [&] {
        const salida::Lbf_CtrlDisplay* ventana = exportador_.display().ventana();
        if (ventana && ventana->isVisible()) vistas << ventana->LblCtrol(2)->text();
    });
    espia.start();
    exportar();
    espia.stop();

    ASSERT_FALSE(vistas.isEmpty());
    EXPECT_EQ(vistas.first(), QStringLiteral("1 de 2000"));
    int anterior = 0;
    for (const QString& vista : vistas) {
        const QStringList partes = vista.split(QStringLiteral(" de "));
        ASSERT_EQ(partes.size(), 2) << vista.toStdString();
        EXPECT_EQ(partes[1], QStringLiteral("2000"));
        EXPECT_GE(partes[0].toInt(), anterior) << vista.toStdString();
        EXPECT_LE(partes[0].toInt(), 2000);
        anterior = partes[0].toInt();
    }
    EXPECT_EQ(exportador_.display().ventana(), nullptr);
    EXPECT_EQ(LectorLibro(exportador_.archivo()).filas(), 2001);
}

// ---- What the user is told ------------------------------------------------------------------

TEST_F(ExportacionAPlanilla, SinProgramaQueLoAbraUnMensajeDiceDondeQuedo) {
    seAbre_ = false;
    llenar({{"FECHA", 80}}, {{"x"}});
    exportar();
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    const auto& m = dialogos_.mensajes()[0];
    EXPECT_TRUE(m.texto.contains(QDir::toNativeSeparators(exportador_.archivo()))) << m.texto.toStdString();
    EXPECT_EQ(m.estilo, plataforma::estilo::Informacion);
    EXPECT_TRUE(QFile::exists(exportador_.archivo()));
}

TEST_F(ExportacionAPlanilla, SinVistaPreviaNoSeAbreNiSeAvisa) {
    llenar({{"FECHA", 80}}, {{"x"}});
    exportar(false);
    EXPECT_TRUE(abiertos_.isEmpty());
    EXPECT_TRUE(dialogos_.mensajes().empty());
    EXPECT_TRUE(LectorLibro(exportador_.archivo()).valido());
}

// A documents folder that cannot be made (a file stands in its way): the
// rows still go through the progress window, then one critical message.
TEST_F(ExportacionAPlanilla, SiNoSePuedeGuardarLoDiceYNoDejaArchivo) {
    QFile estorbo(carpeta_.filePath(QStringLiteral("archivo")));
    ASSERT_TRUE(estorbo.open(QIODevice::WriteOnly));
    estorbo.close();
    documentos_ = carpeta_.filePath(QStringLiteral("archivo/Documentos"));
    llenar({{"FECHA", 80}}, {{"x"}, {"y"}});
    exportar();
    EXPECT_TRUE(exportador_.archivo().isEmpty());
    EXPECT_TRUE(abiertos_.isEmpty());
    EXPECT_EQ(exportador_.display().ventana(), nullptr);
    ASSERT_EQ(dialogos_.mensajes().size(), 1u);
    EXPECT_EQ(dialogos_.mensajes()[0].estilo & plataforma::estilo::IconoMascara, plataforma::estilo::Critico);
    EXPECT_TRUE(dialogos_.mensajes()[0].texto.startsWith(QStringLiteral("No se pudo guardar la planilla")));
}

}  // namespace
