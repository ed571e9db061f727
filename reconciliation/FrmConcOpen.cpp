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

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {

namespace estilo = plataforma::estilo;

constexpr int AnchoDiseno = 5295;
constexpr int AltoDiseno = 4020;
constexpr int AnchoIdentificador = 15;
// The rows an opening changes: its log row and the reconciliation's header.
constexpr long FilasDeLaApertura = 2;
constexpr long NativoRestriccion = 547;

QString crlf() { return QStringLiteral("\r\n"); }

QString tituloAviso() { return QStringLiteral("Aviso al Usuario"); }

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
    setFixedSize(twips::aPixeles(AnchoDiseno), twips::aPixeles(AltoDiseno));
}

void FrmConcOpen::crearControles() {
    QLabel* aviso = rotulo(QStringLiteral("Label5"),
                           QStringLiteral("Usted está por abrir una conciliación finalizada, para eso "
                                          "debe indicar un motivo de apertura."),
                           210, 180, true);
    aviso->setWordWrap(true);
    aviso->setGeometry(twips::rectangulo(210, 180, 4860, 525));

    rotulo(QStringLiteral("Label3"), QStringLiteral("Conc. Nro:"), 200, 795, true);
    lblConc_ = rotulo(QStringLiteral("lblConc"), QStringLiteral("..."), 1200, 780, false);
    lblConc_->setGeometry(twips::rectangulo(1200, 780, 3900, 225));
    rotulo(QStringLiteral("Label1"), QStringLiteral("Usuario:"), 200, 1140, true);
    lblUser_ = rotulo(QStringLiteral("lblUser"), QStringLiteral("..."), 1200, 1155, false);
    lblUser_->setGeometry(twips::rectangulo(1200, 1155, 3900, 225));
    rotulo(QStringLiteral("Label2"), QStringLiteral("Fecha:"), 200, 1530, true);
    lblFecha_ = rotulo(QStringLiteral("lblFecha"), QStringLiteral("..."), 1200, 1560, false);
    lblFecha_->setGeometry(twips::rectangulo(1200, 1560, 3900, 225));
    rotulo(QStringLiteral("Label4"), QStringLiteral("Motivo de Apertura:"), 200, 1905, true);

    linea(QStringLiteral("Line1"), 735);
    linea(QStringLiteral("Line2"), 1065);
    linea(QStringLiteral("Line3"), 1455);
    linea(QStringLiteral("Line4"), 1845);

    TXTMOTIVO_ = new QPlainTextEdit(this);
    TXTMOTIVO_->setObjectName(QStringLiteral("TXTMOTIVO"));
    TXTMOTIVO_->setGeometry(twips::rectangulo(150, 2190, 5010, 1290));
    TXTMOTIVO_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TXTMOTIVO_->setTabChangesFocus(true);

    cmdAceptar_ = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar_->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar_->setGeometry(twips::rectangulo(1020, 3630, 1365, 330));
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar_->setGeometry(twips::rectangulo(2880, 3630, 1365, 330));
    // Enter belongs to the reason's lines, not to a default button.
    for (QPushButton* boton : {cmdAceptar_, cmdCancelar_}) boton->setAutoDefault(false);

    // The reason comes first in the tab order and has the focus.
    setTabOrder(TXTMOTIVO_, cmdAceptar_);
    setTabOrder(cmdAceptar_, cmdCancelar_);
    TXTMOTIVO_->setFocus();

    connect(cmdAceptar_, &QPushButton::clicked, this, &FrmConcOpen::cmdAceptar_Click);
    connect(cmdCancelar_, &QPushButton::clicked, this, &FrmConcOpen::cmdCancelar_Click);
}

QLabel* FrmConcOpen::rotulo(const QString& nombre, const QString& texto, int izquierda, int arriba,
                            bool negrita) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(nombre);
    if (negrita) {
        QFont letra = l->font();
        letra.setBold(true);
        l->setFont(letra);
    }
    l->move(twips::aPixeles(izquierda), twips::aPixeles(arriba));
    l->adjustSize();
    return l;
}

void FrmConcOpen::linea(const QString& nombre, int arriba) {
    auto* l = new QFrame(this);
    l->setObjectName(nombre);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(twips::rectangulo(120, arriba, 5055, 30));
}

void FrmConcOpen::preparar(const QString& identificador, const QString& cuenta, const QString& descripcion) {
    idConc_ = identificador;
    lblConc_->setText(datos::recortar(identificador + QStringLiteral(" - (") + cuenta) + QStringLiteral(") ")
                      + descripcion);
    lblUser_->setText(global_.gUsuarioLogeado.toUpper() + QStringLiteral(" en PC:")
                      + global_.gDatosEquipo.nombreMaquina());
    lblFecha_->setText(fechaHoraActual());
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
