#include "reconciliation/MotorReporteQt.h"

#include "data/LiteralesSql.h"
#include "platform/RuntimeError.h"
#include "platform/ado/FormatoRegional.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"
#include "session/Global.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>

namespace conciliacion {

namespace {

constexpr long kErrorReporte = 20515;  // the report component's own failures

plataforma::RuntimeError fallaReporte(const QString& descripcion) {
    return plataforma::RuntimeError(kErrorReporte, descripcion, QStringLiteral("Reporte"));
}

// " {TABLE.FIELD} = 'value'": the names must be plain names, since they go
// into the statement as written; the value goes in as a quoted literal.
struct Seleccion {
    QString tabla;
    QString campo;
    QString valor;
};

Seleccion leerSeleccion(const QString& formula) {
    static const QRegularExpression forma(
        QStringLiteral(R"(^\s*\{(\w+)\.(\w+)\}\s*=\s*'(.*)'\s*$)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = forma.match(formula);
    if (!m.hasMatch())
        throw fallaReporte(QStringLiteral("La fórmula de selección del reporte no es válida: ") + formula);
    return {m.captured(1), m.captured(2), m.captured(3)};
}

// "NAME = value" → value; the company formula's value comes between quotes.
QString valorFormula(const QString& formula) {
    const qsizetype igual = formula.indexOf(QLatin1Char('='));
    return igual < 0 ? QString() : formula.mid(igual + 1).trimmed();
}

QString nombreFormula(const QString& formula) {
    const qsizetype igual = formula.indexOf(QLatin1Char('='));
    return (igual < 0 ? formula : formula.left(igual)).trimmed();
}

QString sinComillas(const QString& texto) {
    if (texto.size() >= 2 && texto.startsWith(QLatin1Char('\'')) && texto.endsWith(QLatin1Char('\'')))
        return texto.mid(1, texto.size() - 2);
    return texto;
}

}  // namespace

MotorReporteQt::MotorReporteQt(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre)
    : global_(global), dialogos_(dialogos), padre_(padre) {
    mostrarVistaPrevia = [](QPrintPreviewDialog& dialogo, const DocumentoConciliacion&) { dialogo.exec(); };
    elegirArchivoPdf = [this](const QString& propuesto) {
        return QFileDialog::getSaveFileName(padre_, QStringLiteral("Guardar como PDF"), propuesto,
                                            QStringLiteral("Documentos PDF (*.pdf)"));
    };
}

QString MotorReporteQt::archivoPdfPropuesto(const QString& identificador) {
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (carpeta.isEmpty() || !QDir(carpeta).exists()) carpeta = QDir::homePath();
    // A character a file name cannot hold would make the proposal unusable.
    QString nombre = identificador.trimmed();
    static const QRegularExpression prohibidos(QStringLiteral(R"([\\/:*?"<>|])"));
    nombre.replace(prohibidos, QStringLiteral("_"));
    return QDir(carpeta).filePath(QStringLiteral("Conciliación ") + nombre + QStringLiteral(".pdf"));
}

void MotorReporteQt::mostrar(const utilidades::PedidoReporte& pedido) {
    ultimo_ = preparar(pedido);
    if (pedido.imprimirDirecto) {
        QPrinter impresora(QPrinter::HighResolution);
        ultimo_->imprimir(impresora);
        return;
    }
    vistaPrevia(*ultimo_, pedido.maximizada);
}

DocumentoConciliacion MotorReporteQt::preparar(const utilidades::PedidoReporte& pedido) {
    DocumentoConciliacion documento;
    documento.diseno = DocumentoConciliacion::disenoPorNombre(pedido.nombre);
    documento.titulo = pedido.titulo;
    documento.esquinaIzquierda = pedido.esquinaIzquierda;
    documento.esquinaDerecha = pedido.esquinaDerecha;
    documento.emitido = ado::FormatoRegional::textoFechaHora(QDateTime::currentDateTime());
    leerConciliacion(pedido.seleccion, documento);
    aplicarFormulas(pedido, documento);
    return documento;
}

void MotorReporteQt::leerConciliacion(const QString& seleccion, DocumentoConciliacion& documento) {
    const Seleccion s = leerSeleccion(seleccion);
    QString sql = QStringLiteral("SELECT * FROM ") + s.tabla + QStringLiteral(" with(nolock)  WHERE ") + s.campo +
                  QStringLiteral(" = '") + datos::comillasSql(s.valor) + QLatin1Char('\'');
    ado::Recordset rs;
    global_.DB.AbrirRecordset(sql, rs);
    if (rs.State() == ado::estado::Cerrado)
        throw fallaReporte(QStringLiteral("No se pudo leer la conciliación ") + s.valor.trimmed() + QLatin1Char('.'));
    if (rs.BOF()) {
        global_.DB.CierraRecordset(rs);
        throw fallaReporte(QStringLiteral("No se encontró la conciliación ") + s.valor.trimmed() + QLatin1Char('.'));
    }
    const utilidades::Utilidades& u = global_.gUtilidades;
    auto campo = [&](const char* nombre) { return u.valor(rs.Fields(QString::fromLatin1(nombre))).trimmed(); };
    auto fecha = [&](const char* nombre) {
        const ado::Variant& v = rs.Fields(QString::fromLatin1(nombre)).Value();
        const QDateTime f = v.aFechaHora();
        return f.isValid() ? ado::FormatoRegional::textoFecha(f.date()) : u.valor(v).trimmed();
    };
    auto periodo = [&](const char* desde, const char* hasta) {
        const QString d = fecha(desde), h = fecha(hasta);
        return d.isEmpty() && h.isEmpty() ? QString() : d + QStringLiteral(" - ") + h;
    };
    documento.identificador = campo("IDCONCILIACION");
    documento.cuenta = campo("Cuenta");
    documento.fecha = fecha("Fecha");
    documento.periodo = periodo("FechaDesde", "FechaHasta");
    documento.segundoPeriodo = periodo("fechadesde2", "fechahasta2");
    documento.observaciones = campo("Observaciones");
    documento.estado = rs.Fields(QStringLiteral("Finalizada")).Value().aBooleano() ? QStringLiteral("Finalizada")
                                                                                   : QStringLiteral("Abierta");
    global_.DB.CierraRecordset(rs);
    documento.descripcion = global_.DB
                                .DatosTabla(QStringLiteral("MA_CUENTAS"), documento.cuenta,
                                            QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8,
                                            QString(), true, true)
                                .texto()
                                .trimmed();
}

void MotorReporteQt::aplicarFormulas(const utilidades::PedidoReporte& pedido, DocumentoConciliacion& documento) const {
    static const char* const nombres[] = {"S_ANT", "S_ACONC", "S_CONC", "S_ACT"};
    for (const QString& formula : pedido.formulas)
        for (std::size_t i = 0; i < documento.saldos.size(); ++i)
            if (nombreFormula(formula).compare(QLatin1String(nombres[i]), Qt::CaseInsensitive) == 0)
                documento.saldos[i] = valorFormula(formula);
    if (nombreFormula(pedido.formulaEmpresa).compare(QLatin1String("NombreEmpresa"), Qt::CaseInsensitive) == 0)
        documento.empresa = sinComillas(valorFormula(pedido.formulaEmpresa)).trimmed();
}

void MotorReporteQt::vistaPrevia(const DocumentoConciliacion& documento, bool maximizada) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(documento.tituloEfectivo() + QLatin1Char(' ') + documento.identificador);
    QPrintPreviewDialog dialogo(&impresora, padre_);
    dialogo.setObjectName(QStringLiteral("VistaPreviaReporte"));
    dialogo.setWindowTitle(documento.tituloEfectivo() + QStringLiteral(" - Conciliación ") + documento.identificador);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested,
                     [&documento](QPrinter* destino) { documento.imprimir(*destino); });
    if (QToolBar* barra = dialogo.findChild<QToolBar*>()) {
        barra->addSeparator();
        QAction* guardar = barra->addAction(QStringLiteral("Guardar como PDF"));
        guardar->setObjectName(QStringLiteral("actGuardarPdf"));
        QObject::connect(guardar, &QAction::triggered, [this, &documento] { guardarComoPdf(documento); });
    }
    if (maximizada) dialogo.setWindowState(dialogo.windowState() | Qt::WindowMaximized);
    mostrarVistaPrevia(dialogo, documento);
}

void MotorReporteQt::guardarComoPdf(const DocumentoConciliacion& documento) {
    QString archivo = elegirArchivoPdf(archivoPdfPropuesto(documento.identificador));
    if (archivo.isEmpty()) return;
    if (!archivo.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) archivo += QStringLiteral(".pdf");
    if (!documento.guardarPdf(archivo))
        dialogos_.mensaje(QStringLiteral("No se pudo guardar el reporte en el archivo ") + archivo,
                          plataforma::estilo::SoloAceptar | plataforma::estilo::Critico, QStringLiteral("Reporte"));
}

}  // namespace conciliacion
