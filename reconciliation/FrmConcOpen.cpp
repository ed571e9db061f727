#include "reconciliation/FrmConcOpen.h"

#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "platform/Pasos.h"
#include "platform/ado/FormatoRegional.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"
#include "platform/ui/Twips.h"
#include "session/Global.h"

#include <QDateTime>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {

namespace estilo = plataforma::estilo;

constexpr int AnchoDiseno = 5295;
constexpr int AltoDiseno = 4020;
// The caption and value columns of the three rows, in twips.
constexpr int IzquierdaRotulos = 200;
constexpr int IzquierdaValores = 1200;
constexpr int BordeValores = IzquierdaValores + 3900;
constexpr int AltoValor = 225;
// Pixels between a caption and its value when the caption pushes the value.
constexpr int SeparacionRotuloValor = 6;
constexpr int AnchoIdentificador = 15;
// The rows an opening changes: its log row and the reconciliation's header.
constexpr long FilasDeLaApertura = 2;
constexpr long NativoRestriccion = 547;

QString crlf() { return QStringLiteral("\r\n"); }

QString tituloAviso() { return QStringLiteral("Aviso al Usuario"); }

// The height a label needs to show its whole text at `ancho`: the text's own
// lines at their full spacing, which can exceed the label's size hint by a
// pixel.
int altoNecesario(const QLabel& l, int ancho) {
    const int forma = int(l.alignment()) | (l.wordWrap() ? int(Qt::TextWordWrap) : 0);
    const int texto = l.fontMetrics().boundingRect(QRect(0, 0, ancho, 100000), forma, l.text()).height();
    return std::max(texto, l.wordWrap() ? l.heightForWidth(ancho) : l.sizeHint().height());
}

// A caption's own size: its text's width, its full height.
void ajustarRotulo(QLabel& l) {
    l.adjustSize();
    l.resize(l.width(), altoNecesario(l, l.width()));
}

}  // namespace

FrmConcOpen::FrmConcOpen(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre)
    : QDialog(padre), global_(global), dialogos_(dialogos) {
    setObjectName(QStringLiteral("FrmConcOpen"));
    setWindowTitle(QStringLiteral("Apertura Momentanea"));
    setModal(true);
    // The design sizes assume the suite's 8-point dialog font.
    QFont letra = font();
    letra.setPointSize(8);
    setFont(letra);
    crearControles();
    acomodar();
}

void FrmConcOpen::crearControles() {
    Label5_ = rotulo(QStringLiteral("Label5"),
                     QStringLiteral("Usted está por abrir una conciliación finalizada, para eso "
                                    "debe indicar un motivo de apertura."),
                     true);
    Label5_->setWordWrap(true);
    filas_ = {
        Fila{rotulo(QStringLiteral("Label3"), QStringLiteral("Conc. Nro:"), true),
             rotulo(QStringLiteral("lblConc"), QStringLiteral("..."), false), 795, 780},
        Fila{rotulo(QStringLiteral("Label1"), QStringLiteral("Usuario:"), true),
             rotulo(QStringLiteral("lblUser"), QStringLiteral("..."), false), 1140, 1155},
        Fila{rotulo(QStringLiteral("Label2"), QStringLiteral("Fecha:"), true),
             rotulo(QStringLiteral("lblFecha"), QStringLiteral("..."), false), 1530, 1560},
    };
    lblConc_ = filas_[0].valor;
    lblUser_ = filas_[1].valor;
    lblFecha_ = filas_[2].valor;
    // A long account description goes on to a second line, broken between
    // words, instead of being cut at the label's edge.
    for (const Fila& f : filas_) f.valor->setWordWrap(true);
    Label4_ = rotulo(QStringLiteral("Label4"), QStringLiteral("Motivo de Apertura:"), true);

    for (const char* nombre : {"Line1", "Line2", "Line3", "Line4"}) lineas_.push_back(linea(QString::fromLatin1(nombre)));

    TXTMOTIVO_ = new QPlainTextEdit(this);
    TXTMOTIVO_->setObjectName(QStringLiteral("TXTMOTIVO"));
    TXTMOTIVO_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TXTMOTIVO_->setTabChangesFocus(true);

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    // Enter belongs to the reason's lines, not to a default button.
    for (QPushButton* boton : {cmdAceptar_, cmdCancelar_}) boton->setAutoDefault(false);

    // The reason comes first in the tab order and has the focus.
    setTabOrder(TXTMOTIVO_, cmdAceptar_);
    setTabOrder(cmdAceptar_, cmdCancelar_);
    TXTMOTIVO_->setFocus();

    connect(cmdAceptar_, &QPushButton::clicked, this, &FrmConcOpen::cmdAceptar_Click);
    connect(cmdCancelar_, &QPushButton::clicked, this, &FrmConcOpen::cmdCancelar_Click);
}

QLabel* FrmConcOpen::rotulo(const QString& nombre, const QString& texto, bool negrita) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(nombre);
    if (negrita) {
        QFont letra = l->font();
        letra.setBold(true);
        l->setFont(letra);
    }
    return l;
}

// ---- Layout -------------------------------------------------------------------

// The design's places hold as long as the texts fit them. A caption wider
// than its column moves the three values to the right together (their right
// edge stays), and a text taller than its place (a wrapped description, a
// larger font) pushes everything below it down by what it took; the dialog
// grows by the same amount. Runs again whenever the font or the texts change.
void FrmConcOpen::acomodar() {
    using twips::aPixeles;
    int bajada = 0;  // pixels added so far above the next control

    const int alto5 = std::max(aPixeles(525), altoNecesario(*Label5_, aPixeles(4860)));
    Label5_->setGeometry(aPixeles(210), aPixeles(180), aPixeles(4860), alto5);
    bajada += alto5 - aPixeles(525);

    const int izquierdaValores = izquierdaDeLosValores();
    const int anchoValores = aPixeles(BordeValores) - izquierdaValores;
    static constexpr int lineaSobreFila[] = {735, 1065, 1455};
    for (std::size_t i = 0; i < filas_.size(); ++i) {
        colocarLinea(*lineas_[i], aPixeles(lineaSobreFila[i]) + bajada);
        bajada += colocarFila(filas_[i], izquierdaValores, anchoValores, bajada);
    }
    colocarLinea(*lineas_[3], aPixeles(1845) + bajada);

    ajustarRotulo(*Label4_);
    Label4_->move(aPixeles(200), aPixeles(1905) + bajada);
    bajada += std::max(0, Label4_->geometry().bottom() + 1 - (aPixeles(2190) + bajada));

    TXTMOTIVO_->setGeometry(aPixeles(150), aPixeles(2190) + bajada, aPixeles(5010), aPixeles(1290));

    const QSize boton = tamanoDeBoton();
    cmdAceptar_->setGeometry(aPixeles(1020), aPixeles(3630) + bajada, boton.width(), boton.height());
    cmdCancelar_->setGeometry(aPixeles(2880), aPixeles(3630) + bajada, boton.width(), boton.height());
    bajada += boton.height() - aPixeles(330);

    setFixedSize(aPixeles(AnchoDiseno), aPixeles(AltoDiseno) + bajada);
}

// The values start where the design puts them, or just past the widest
// caption when a caption would run into its value.
int FrmConcOpen::izquierdaDeLosValores() const {
    int izquierda = twips::aPixeles(IzquierdaValores);
    for (const Fila& f : filas_)
        izquierda = std::max(izquierda, twips::aPixeles(IzquierdaRotulos) + f.rotulo->sizeHint().width()
                                            + SeparacionRotuloValor);
    return izquierda;
}

// Places one caption and its value below `bajada`; answers how many pixels
// the row took beyond its design height.
int FrmConcOpen::colocarFila(const Fila& fila, int izquierdaValores, int anchoValores, int bajada) {
    using twips::aPixeles;
    ajustarRotulo(*fila.rotulo);
    fila.rotulo->move(aPixeles(IzquierdaRotulos), aPixeles(fila.arribaRotulo) + bajada);
    const int altoValor = std::max(aPixeles(AltoValor), altoNecesario(*fila.valor, anchoValores));
    fila.valor->setGeometry(izquierdaValores, aPixeles(fila.arribaValor) + bajada, anchoValores, altoValor);
    const int fondoDiseno = aPixeles(fila.arribaValor + AltoValor) + bajada;
    const int fondo = std::max(fila.rotulo->geometry().bottom(), fila.valor->geometry().bottom()) + 1;
    return std::max(0, fondo - fondoDiseno);
}

void FrmConcOpen::colocarLinea(QFrame& linea, int arriba) {
    linea.setGeometry(twips::aPixeles(120), arriba, twips::aPixeles(5055), twips::aPixeles(30));
}

// The design's button size, or what a larger font needs to show the caption.
QSize FrmConcOpen::tamanoDeBoton() const {
    QSize tamano = twips::rectangulo(0, 0, 1365, 330).size();
    for (const QPushButton* b : {cmdAceptar_, cmdCancelar_}) tamano = tamano.expandedTo(b->sizeHint());
    return tamano;
}

void FrmConcOpen::showEvent(QShowEvent* evento) {
    acomodar();
    QDialog::showEvent(evento);
}

void FrmConcOpen::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::FontChange && Label5_) acomodar();
    QDialog::changeEvent(evento);
}

QFrame* FrmConcOpen::linea(const QString& nombre) {
    auto* l = new QFrame(this);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

void FrmConcOpen::preparar(const QString& identificador, const QString& cuenta, const QString& descripcion) {
    idConc_ = identificador;
    lblConc_->setText(datos::recortar(identificador + QStringLiteral(" - (") + cuenta) + QStringLiteral(") ")
                      + descripcion);
    lblUser_->setText(global_.gUsuarioLogeado.toUpper() + QStringLiteral(" en PC:")
                      + global_.gDatosEquipo.nombreMaquina());
    lblFecha_->setText(fechaHoraActual());
    acomodar();
}

QString FrmConcOpen::fechaHoraActual() {
    return ado::FormatoRegional::textoFechaHora(QDateTime::currentDateTime());
}

// The label's text in front of its first "-" names the reconciliation, unless
// the identifier itself holds a "-": then the row's own identifier, which the
// label begins with, is the one meant.
QString FrmConcOpen::identificador() const {
    const QString texto = lblConc_->text();
    const QString propio = datos::recortar(idConc_);
    if (!propio.isEmpty() && texto.startsWith(propio + QStringLiteral(" - ("))) return idConc_;
    return global_.gUtilidades.codigo(datos::recortar(texto.section(u'-', 0, 0)), AnchoIdentificador);
}

// ---- Commands ---------------------------------------------------------------

void FrmConcOpen::cmdAceptar_Click() {
    // Blanks, tabs and line breaks alone are no reason.
    if (TXTMOTIVO_->toPlainText().trimmed().isEmpty()) {                                 // 1.
        dialogos_.mensaje(QStringLiteral("Debe ingresar un motivo de apertura!!!"),
                          estilo::SoloAceptar | estilo::Informacion, tituloAviso());
        return;
    }
    abierta_ = escribirApertura(identificador());                                       // 2.
    hide();                                                                              // 3.
    done(abierta_ ? Accepted : Rejected);
}

void FrmConcOpen::cmdCancelar_Click() {
    hide();
    done(Rejected);
}

// Esc does not close the dialog; the close box and "Cancelar" do.
void FrmConcOpen::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

// The batch opens the transaction; the separate COMMIT or ROLLBACK closes it
// on the same connection, so the record and the state change stay together.
// A COMMIT the database refuses is a failure too: nothing was opened.
//
// Another workstation may have opened the reconciliation since this list was
// loaded: the header's update only changes a row that is still finalised, and
// the batch must have changed two rows (the log row and the header) before
// the COMMIT; otherwise nothing is recorded.
bool FrmConcOpen::escribirApertura(const QString& id) {
    datos::DB_Dll& db = global_.DB;
    long cambiadas = 0;
    db.EjecutaConsultaSQL(lote(id), &cambiadas);                                        // 2.3
    QString falla = primerError();
    const bool sinCabecera = falla.isNull() ? cambiadas < FilasDeLaApertura : faltaLaReferencia();
    if (sinCabecera) {
        rechazarApertura(id);
        return false;
    }
    if (falla.isNull()) {
        db.EjecutaConsultaSQL(QStringLiteral("COMMIT TRANSACTION"));                    // 2.5
        falla = primerError();
        if (falla.isNull()) return true;
    }
    fallaDeApertura(falla);                                                             // 2.4
    return false;
}

// The log row's reference to its header was refused (547): the header may
// be gone.
bool FrmConcOpen::faltaLaReferencia() const {
    const ado::Errors& errores = global_.DB.gCnn().errors();
    return errores.Count() > 0 && errores.Item(0).NativeError == NativoRestriccion;
}

// Three lines joined by CR LF. Every value goes in as a quoted literal with
// its quotes doubled: the reason is stored exactly as typed, leading blanks
// included, and never becomes part of the statement.
QString FrmConcOpen::lote(const QString& id) const {
    const QString idSql = datos::comillasSql(id);
    return QStringLiteral("BEGIN TRANSACTION") + crlf()
           + QStringLiteral("INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION,MOTIVO,USUARIO,FECHA,ESTADO) VALUES ('")
           + idSql + QStringLiteral("','") + datos::comillasSql(motivo()) + QStringLiteral("','")
           + datos::comillasSql(lblUser_->text()) + QStringLiteral("','") + datos::comillasSql(fechaHoraActual())
           + QStringLiteral("',1)") + crlf()
           + QStringLiteral("UPDATE MV_CONCILIACION_CAB SET FINALIZADA = 0 WHERE IDCONCILIACION = '") + idSql
           + QStringLiteral("' AND FINALIZADA = 1");
}

// The reason as typed, its lines ended by CR LF as the suite's other programs
// write and read them (the edit box itself ends them with LF alone).
QString FrmConcOpen::motivo() const {
    QString texto = TXTMOTIVO_->toPlainText();
    return texto.replace(u'\n', crlf());
}

// The first error's description the connection holds; a null text when none.
QString FrmConcOpen::primerError() const {
    const ado::Errors& errores = global_.DB.gCnn().errors();
    if (errores.Count() == 0) return QString();
    const QString descripcion = errores.Item(0).Description;
    return descripcion.isNull() ? QStringLiteral("") : descripcion;
}

void FrmConcOpen::fallaDeApertura(const QString& descripcion) {
    global_.DB.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    dialogos_.mensaje(descripcion, estilo::SoloAceptar | estilo::Critico, QStringLiteral("Atención"));
}

// The reconciliation was no longer finalised, or no longer there, when the
// batch ran: nothing is kept, and the user learns what the database holds.
void FrmConcOpen::rechazarApertura(const QString& id) {
    const QString falla = primerError();
    global_.DB.EjecutaConsultaSQL(QStringLiteral("ROLLBACK TRANSACTION"));
    cabecera_ = leerCabecera(id);
    if (!falla.isNull() && cabecera_ != Cabecera::Inexistente) {
        // Another rule of the database refused the batch: its own words.
        cabecera_ = Cabecera::SinLeer;
        dialogos_.mensaje(falla, estilo::SoloAceptar | estilo::Critico, QStringLiteral("Atención"));
        return;
    }
    switch (cabecera_) {
    case Cabecera::Inexistente:
        dialogos_.mensaje(QStringLiteral("La conciliación seleccionada ya no existe en la base de datos: otro "
                                         "puesto la borró o la renumeró. Presione Cargar para ver la lista actual."),
                          estilo::SoloAceptar | estilo::Informacion, tituloAviso());
        return;
    case Cabecera::Finalizada:
        // Finalised and yet unchanged: the engine reported no row counts
        // (SET NOCOUNT ON), so the guard cannot tell; nothing was recorded.
        dialogos_.mensaje(QStringLiteral("La base de datos no informó el cambio de estado de la conciliación: "
                                         "la apertura no se registró."),
                          estilo::SoloAceptar | estilo::Critico, QStringLiteral("Atención"));
        return;
    default:
        dialogos_.mensaje(QStringLiteral("La conciliación seleccionada ya se encuentra abierta!!!"),
                          estilo::SoloAceptar | estilo::Informacion, tituloAviso());
        return;
    }
}

// A failed read leaves the header taken for open: the refusal itself said it
// was no longer finalised.
FrmConcOpen::Cabecera FrmConcOpen::leerCabecera(const QString& id) {
    Cabecera cabecera = Cabecera::NoFinalizada;
    ado::Recordset rs;
    plataforma::ejecutarSaltandoErrores({
        [&] {
            global_.DB.AbrirRecordset(QStringLiteral("SELECT FINALIZADA FROM MV_CONCILIACION_CAB with(nolock) "
                                                     "WHERE IDCONCILIACION = '")
                                          + datos::comillasSql(id) + QStringLiteral("'"),
                                      rs, {}, ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly);
        },
        [&] {
            if (rs.EOF_()) cabecera = Cabecera::Inexistente;
            else if (rs[QStringLiteral("FINALIZADA")].aBooleano()) cabecera = Cabecera::Finalizada;
        },
        [&] { global_.DB.CierraRecordset(rs); },
    });
    return cabecera;
}

}  // namespace conciliacion
