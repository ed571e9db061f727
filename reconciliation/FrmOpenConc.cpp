#include "reconciliation/FrmOpenConc.h"

#include "data/DB_Dll.h"
#include "data/LiteralesSql.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/VentanasConsulta.h"
#include "platform/Pasos.h"
#include "platform/ui/Dialogos.h"
#include "platform/ui/Twips.h"
#include "reconciliation/BotonConDibujo.h"
#include "reconciliation/DibujosBotones.h"
#include "reconciliation/FrmConcHist.h"
#include "reconciliation/FrmConcOpen.h"
#include "reconciliation/ImagenesEstado.h"
#include "reconciliation/PanelEstado.h"
#include "reconciliation/ReporteConciliacion.h"
#include "session/Apariencia.h"
#include "session/Global.h"
#include "session/InicioSistema.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>
#include <algorithm>

namespace twips = plataforma::twips;

namespace conciliacion {

namespace {

// The client area the window was designed with.
constexpr int AnchoDiseno = 11580;
constexpr int AltoDiseno = 6840;

// Places of the controls that the resize rule moves, in twips.
constexpr int MargenDerecho = 100;
constexpr int MargenInferior = 700;
constexpr int ArribaLista = 1095;
constexpr int IzquierdaFrame = 6810;

// The run-time's "invalid use of Null", raised when a value that must be
// there is missing.
constexpr long UsoInvalidoDeNull = 94;
// The run-time's "control array element does not exist".
constexpr long ElementoDeMatrizInexistente = 340;

struct Boton {
    const char* nombre;
    const char* titulo;
    int izquierda;
    QIcon (*dibujo)();
};

QLabel* etiqueta(QWidget* padre, const QString& nombre, const QString& texto, int izquierda, int arriba) {
    auto* e = new QLabel(texto, padre);
    e->setObjectName(nombre);
    e->adjustSize();
    e->move(twips::aPixeles(izquierda), twips::aPixeles(arriba));
    return e;
}

QLabel* imagen(QWidget* padre, const QString& nombre, const QString& clave, int izquierda, int arriba) {
    auto* e = new QLabel(padre);
    e->setObjectName(nombre);
    e->setPixmap(ImagenesEstado::imagen(clave));
    e->setGeometry(twips::aPixeles(izquierda), twips::aPixeles(arriba), ImagenesEstado::Lado,
                   ImagenesEstado::Lado);
    return e;
}

QCheckBox* casilla(QWidget* padre, const QString& nombre, const QString& texto, int izquierda,
                   int arriba, int ancho, int alto) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(nombre);
    QRect lugar = twips::rectangulo(izquierda, arriba, ancho, alto);
    // A wider font than the suite's still shows the whole caption.
    lugar.setWidth(std::max(lugar.width(), c->sizeHint().width()));
    c->setGeometry(lugar);
    return c;
}

QLineEdit* cajaFiltro(QWidget* padre, int indice, const QString& campo, const QString& tag,
                      int izquierda, int arriba, int ancho, int alto) {
    auto* c = new QLineEdit(padre);
    c->setObjectName(QStringLiteral("txtFields_%1").arg(indice));
    c->setProperty("campo", campo);
    c->setProperty("tag", tag);
    c->setGeometry(twips::rectangulo(izquierda, arriba, ancho, alto));
    return c;
}

}  // namespace

FrmOpenConc::FrmOpenConc(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre)
    : QMainWindow(padre), global_(global), dialogos_(dialogos) {
    setObjectName(QStringLiteral("FrmOpenConc"));
    setWindowTitle(QStringLiteral("Apertura Momentanea de Conciliaciones"));
    setWindowIcon(ImagenesEstado::icono(ImagenesEstado::AbiertaM));

    // The design sizes assume the suite's 8-point dialog font.
    QFont letra = font();
    letra.setPointSize(8);
    setFont(letra);

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("areaCliente"));
    setCentralWidget(area);
    crearBotones(area);
    crearFiltros(area);
    Lvw_ = new ListaConciliaciones(area);
    Lvw_->setGeometry(twips::rectangulo(0, ArribaLista, 11535, 5430));
    crearBarraEstado();

    resize(twips::aPixeles(AnchoDiseno), twips::aPixeles(AltoDiseno));
    qApp->installEventFilter(this);
}

FrmOpenConc::~FrmOpenConc() {
    if (qApp) qApp->removeEventFilter(this);
}

void FrmOpenConc::crearBotones(QWidget* area) {
    static constexpr Boton botones[] = {
        {"cmdCargar", "Cargar", 0, &DibujosBotones::cargar},
        {"cmdReporte", "Reporte", 1350, &DibujosBotones::reporte},
        {"cmdAbrir", "Apertura Momentanea", 2700, &DibujosBotones::apertura},
        {"cmdHistorial", "Ver Historial de Acciones", 4050, &DibujosBotones::historial},
        {"cmdSalir", "[Esc] Salir", 5400, &DibujosBotones::salir},
    };
    QToolButton** destinos[] = {&cmdCargar_, &cmdReporte_, &cmdAbrir_, &cmdHistorial_, &cmdSalir_};
    for (std::size_t i = 0; i < std::size(botones); ++i) {
        auto* b = new BotonConDibujo(area);
        b->setObjectName(QString::fromLatin1(botones[i].nombre));
        b->setText(QString::fromLatin1(botones[i].titulo));
        b->setIcon(botones[i].dibujo());
        b->setIconSize(QSize(DibujosBotones::Lado, DibujosBotones::Lado));
        b->setGeometry(twips::rectangulo(botones[i].izquierda, 0, 1365, 1110));
        *destinos[i] = b;
    }
    connect(cmdCargar_, &QToolButton::clicked, this, &FrmOpenConc::recargar);
    connect(cmdReporte_, &QToolButton::clicked, this, &FrmOpenConc::mostrarReporte);
    connect(cmdAbrir_, &QToolButton::clicked, this, &FrmOpenConc::abrirMomentaneamente);
    connect(cmdHistorial_, &QToolButton::clicked, this, &FrmOpenConc::verHistorial);
    connect(cmdSalir_, &QToolButton::clicked, this, &FrmOpenConc::salir);
}

void FrmOpenConc::crearFiltros(QWidget* area) {
    Frame1_ = new QFrame(area);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1_->setGeometry(twips::rectangulo(IzquierdaFrame, -75, 4740, 1170));
    // The filters sit close together by design; a hair smaller than the
    // window's font keeps every caption whole.
    QFont letra = Frame1_->font();
    letra.setPointSizeF(7.5);
    Frame1_->setFont(letra);

    imagen(Frame1_, QStringLiteral("Image1"), ImagenesEstado::Finalizada, 150, 195);
    chkFinalizadas_ = casilla(Frame1_, QStringLiteral("chkFinalizadas"), QStringLiteral("Finalizadas"), 510, 195, 1830, 270);
    imagen(Frame1_, QStringLiteral("Image2"), ImagenesEstado::AbiertaM, 150, 510);
    chkAbiertasM_ = casilla(Frame1_, QStringLiteral("chkAbiertasM"), QStringLiteral("Abiertas Momentaneamente"), 510, 495, 2370, 270);
    imagen(Frame1_, QStringLiteral("Image3"), ImagenesEstado::Abierta, 150, 825);
    chkAbiertas_ = casilla(Frame1_, QStringLiteral("chkAbiertas"), QStringLiteral("Abiertas"), 510, 825, 1830, 270);

    etiqueta(Frame1_, QStringLiteral("Label1"), QStringLiteral("Cuenta:"), 2880, 375);
    txtFields_[0] = cajaFiltro(Frame1_, 0, QStringLiteral("Cuenta"), QStringLiteral("MA_CUENTAS"), 3480, 300, 1155, 300);
    etiqueta(Frame1_, QStringLiteral("Label2"), QStringLiteral("Fecha"), 2895, 750);
    txtFields_[1] = cajaFiltro(Frame1_, 1, QStringLiteral("Fecha"), QStringLiteral("Fecha"), 3495, 675, 1140, 300);
    txtFields_[1]->setMaxLength(10);
}

// The panels in their order; the one without a key is never written.
void FrmOpenConc::crearBarraEstado() {
    sbStatusBar_ = new QStatusBar(this);
    sbStatusBar_->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar_->setSizeGripEnabled(true);
    setStatusBar(sbStatusBar_);
    struct Panel {
        const char* clave;
        const char* texto;
        int estiramiento;
    };
    static constexpr Panel paneles[] = {
        {"MENSAJE", "", 1}, {"SERVER", "", 0},    {"BASEDEDATOS", "Db:", 0}, {"USUARIO", "Uid:", 0},
        {"CAJA", "Caja:", 0}, {"", "", 0},        {"VERSION", "V.", 0},
    };
    for (const Panel& p : paneles) {
        auto* panel = new PanelEstado(QString::fromLatin1(p.clave), QString::fromLatin1(p.texto), sbStatusBar_);
        sbStatusBar_->addWidget(panel, p.estiramiento);
    }
}

// ---- Load -------------------------------------------------------------------

void FrmOpenConc::cargar() {
    sesion::InicioSistema(global_, 3);
    sesion::AplicarEstilo(global_, *this);
    sesion::MostrarDatosSesion(global_, *sbStatusBar_, QString());
    CargarLista();
}

// ---- Commands ---------------------------------------------------------------

void FrmOpenConc::recargar() { CargarLista(); }

// The reconciliation report of the selected row; nothing on an empty list.
void FrmOpenConc::mostrarReporte() { ReporteConciliacion(global_, dialogos_, this).cmdReporte(*Lvw_); }

// The row changes in place; the list is not reloaded.
void FrmOpenConc::abrirMomentaneamente() {
    if (!Lvw_->filaSeleccionada()) return;                                              // 1.
    if (Lvw_->iconKey().compare(ImagenesEstado::Finalizada, Qt::CaseInsensitive) != 0) {  // 2.
        dialogos_.mensaje(QStringLiteral("La conciliación seleccionada ya se encuentra abierta!!!"),
                          plataforma::estilo::SoloAceptar | plataforma::estilo::Informacion,
                          QStringLiteral("Aviso al Usuario"));
        return;
    }
    FrmConcOpen dialogo(global_, dialogos_, this);
    dialogo.preparar(Lvw_->celda(1), Lvw_->celda(2), Lvw_->celda(3));                    // 3.
    dialogo.exec();                                                                       // 4.
    if (dialogo.Abierta()) {                                                              // 5.
        Lvw_->setIconKey(ImagenesEstado::AbiertaM);
        Lvw_->setCell(9, QStringLiteral("Momentaneamente"));
    } else {
        mostrarCabecera(dialogo.cabeceraLeida());
    }
}                                                                                         // 6.

// After a refused opening the selected row shows what the database holds
// now; a reconciliation that no longer exists leaves the list.
void FrmOpenConc::mostrarCabecera(FrmConcOpen::Cabecera cabecera) {
    using Cabecera = FrmConcOpen::Cabecera;
    if (cabecera == Cabecera::SinLeer) return;
    if (cabecera == Cabecera::Inexistente) {
        Lvw_->quitarFila(Lvw_->filaSeleccionada());
        return;
    }
    // The openings read at the last load may be stale: another workstation
    // has just written one, so they are read again.
    aperturasVigentes_.reset();
    const bool momentanea = cabecera == Cabecera::NoFinalizada && aperturaVigente(Lvw_->celda(1));
    const QString icono = cabecera == Cabecera::Finalizada ? ImagenesEstado::Finalizada
                          : momentanea                     ? ImagenesEstado::AbiertaM
                                                           : ImagenesEstado::Abierta;
    Lvw_->setIconKey(icono);
    Lvw_->setCell(9, ImagenesEstado::textoEstado(icono));
}

// The momentary openings of the selected reconciliation; nothing without a
// selected row (an empty list, or the only selection taken away by Ctrl+click).
void FrmOpenConc::verHistorial() {
    if (!Lvw_->filaSeleccionada()) return;
    FrmConcHist historial(global_, dialogos_, this);
    historial.IdConc = Lvw_->celda(1);
    historial.Cuenta = Lvw_->celda(2);
    historial.DescCuenta = Lvw_->celda(3);
    historial.exec();
}

void FrmOpenConc::salir() { close(); }

// Filled by the filter fields' lookup.
// F5: the date picker in the date box, the account lookup in the account box,
// on the box that last had the focus. Failures are passed over.
void FrmOpenConc::ConsultarCampo() {
    QLineEdit* caja = mCampoActual_;
    QString tag;
    plataforma::ejecutarSaltandoErrores({
        [&] { if (caja != nullptr) tag = caja->property("tag").toString(); },
    });
    if (caja == nullptr || tag.isEmpty()) return;
    if (tag.compare(QStringLiteral("FECHA"), Qt::CaseInsensitive) == 0) {
        plataforma::ejecutarSaltandoErrores({
            [&] { caja->setText(global_.gUtilidades.elegirFecha().trimmed()); },
        });
    } else if (tag == QStringLiteral("MA_CUENTAS")) {
        consultas::Lib_ClsCons3* consulta = nullptr;
        plataforma::ejecutarSaltandoErrores({
            [&] { consulta = &consultas::VentanasConsulta::servicio(global_); },
            [&] { consulta->CampoDevuelto = QStringLiteral("CODIGO"); },
            [&] { consulta->ConsultaSearch(QStringLiteral("MA_CUENTAS")); },
            [&] { caja->setText(consulta->ValorDevuelto.trimmed()); },
        });
    }
}

// ---- Keys, layout and closing -------------------------------------------------

// Every key of this window reaches the window first, whichever control has the
// focus: the filter sits on the application and takes a key press at its first
// receiver only (the focus widget, or the window when nothing has the focus),
// not again while the event climbs to the parents.
bool FrmOpenConc::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress && objeto->isWidgetType()) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        if (teclaDeLaVentana(objeto, tecla->key())) {
            // F5 still reaches the focused box's own key handling, after the
            // lookup, and ends there: once the lookup has moved the focus, the
            // key climbing on to the window would count as a new F5.
            if (tecla->key() == Qt::Key_F5) eventoDeFiltro(objeto, evento);
            return true;
        }
    }
    if (eventoDeFiltro(objeto, evento)) return true;
    return QMainWindow::eventFilter(objeto, evento);
}

bool FrmOpenConc::eventoDeFiltro(QObject* receptor, QEvent* evento) {
    QLineEdit* caja = nullptr;
    for (QLineEdit* filtro : txtFields_)
        if (filtro != nullptr && receptor == filtro) caja = filtro;
    if (caja == nullptr) return false;
    if (evento->type() == QEvent::FocusIn) mCampoActual_ = caja;
    if (evento->type() == QEvent::KeyPress) return teclaDeFiltro(*caja, *static_cast<QKeyEvent*>(evento));
    return false;
}

// The keyboard class decides; a refused character never reaches the box, a
// changed one is typed in its place.
bool FrmOpenConc::teclaDeFiltro(QLineEdit& caja, QKeyEvent& tecla) {
    switch (global_.gTeclado.teclaAbajo(tecla.key())) {
    case utilidades::Teclado::Movimiento::Siguiente:
        moverFoco(caja, 1);
        return true;
    case utilidades::Teclado::Movimiento::Anterior:
        moverFoco(caja, -1);
        return true;
    case utilidades::Teclado::Movimiento::Ninguno:
        break;
    }
    if (tecla.text().size() != 1) return false;
    const QChar escrito = tecla.text().front();
    const QChar tomado = global_.gTeclado.teclaPresionada(caja, escrito);
    if (tomado.isNull()) return true;
    if (tomado == escrito) return false;
    caja.insert(QString(tomado));
    return true;
}

// The boxes form a ring: past the last comes the first.
void FrmOpenConc::moverFoco(const QLineEdit& desde, int paso) {
    const int cantidad = static_cast<int>(std::size(txtFields_));
    for (int i = 0; i < cantidad; ++i)
        if (txtFields_[i] == &desde) txtFields_[(i + paso + cantidad) % cantidad]->setFocus(Qt::TabFocusReason);
}

bool FrmOpenConc::teclaDeLaVentana(QObject* receptor, int tecla) {
    if (tecla != Qt::Key_Escape && tecla != Qt::Key_F5) return false;
    auto* widget = static_cast<QWidget*>(receptor);
    if (widget->window() != this) return false;
    QWidget* foco = QApplication::focusWidget();
    const QWidget* primerReceptor = foco && foco->window() == this ? foco : this;
    if (widget != primerReceptor) return false;
    if (tecla == Qt::Key_Escape) {
        salir();
        return true;
    }
    ConsultarCampo();
    return true;
}

void FrmOpenConc::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    redistribuir();
}

// In twips, with the window's outer size (frame included; on a platform that
// draws no frame it is the client size). A size that would come out negative
// is left as it was.
void FrmOpenConc::redistribuir() {
    if (!Lvw_ || !Frame1_) return;
    const int ancho = twips::desdePixeles(frameGeometry().width());
    const int alto = twips::desdePixeles(frameGeometry().height());
    const int anchoLista = ancho - MargenDerecho;
    const int altoLista = alto - MargenInferior - twips::desdePixeles(Lvw_->y());
    const int anchoFrame = ancho - IzquierdaFrame - MargenDerecho;
    if (anchoLista >= 0) Lvw_->resize(twips::aPixeles(anchoLista), Lvw_->height());
    if (altoLista >= 0) Lvw_->resize(Lvw_->width(), twips::aPixeles(altoLista));
    if (anchoFrame >= 0) Frame1_->resize(twips::aPixeles(anchoFrame), Frame1_->height());
}

void FrmOpenConc::closeEvent(QCloseEvent* evento) {
    evento->accept();
    QMainWindow::closeEvent(evento);
    Q_EMIT programaTerminado();
}

// ---- The list ---------------------------------------------------------------

QString FrmOpenConc::sentenciaLista(const QString& filtro) {
    return QStringLiteral("SELECT * FROM MV_CONCILIACION_CAB  ") + filtro +
           QStringLiteral(" ORDER BY IDCONCILIACION");
}

// Each step that fails goes to the utility error dialog: retry runs it again,
// ignore goes on with the next, anything else leaves the load with the rows
// added so far.
void FrmOpenConc::CargarLista() {
    QString filtro;
    ado::Recordset rs;
    descripciones_.clear();
    aperturasVigentes_.reset();
    const bool abierta =
        paso([&] { filtro = FiltroConciliaciones(opcionesFiltro()).texto(); }) &&  // the filter
        paso([&] { Lvw_->prepararColumnas(); }) &&                                  // empty list, ten columns
        paso([&] {                                                                  // the query
            global_.DB.AbrirRecordset(sentenciaLista(filtro), rs, {}, ado::cursor::ForwardOnly,
                                      ado::bloqueo::ReadOnly);
        });
    if (abierta && recorrerResultado(rs))                                           // the rows
        paso([&] { global_.DB.CierraRecordset(rs); });                              // close
    Lvw_->terminarCarga();
}

FiltroConciliaciones::Opciones FrmOpenConc::opcionesFiltro() const {
    FiltroConciliaciones::Opciones o;
    o.cuenta = cajaDelCampo(QStringLiteral("Cuenta"))->text();
    o.fecha = cajaDelCampo(QStringLiteral("Fecha"))->text();
    o.finalizadas = chkFinalizadas_->isChecked();
    o.abiertas = chkAbiertas_->isChecked();
    o.abiertasMomentaneamente = chkAbiertasM_->isChecked();
    return o;
}

QLineEdit* FrmOpenConc::cajaDelCampo(const QString& campo) const {
    const int indice = global_.gTeclado.buscarCampo(campo, {txtFields_[0], txtFields_[1]});
    if (indice < 0 || indice > 1)
        throw plataforma::RuntimeError(ElementoDeMatrizInexistente,
                                       QStringLiteral("El elemento de la matriz de controles no existe"));
    return txtFields_[indice];
}

bool FrmOpenConc::recorrerResultado(ado::Recordset& rs) {
    bool hayFilas = false;
    if (!paso([&] { hayFilas = !(rs.BOF() && rs.EOF_()); })) return false;
    if (!hayFilas) return true;
    for (;;) {
        // A failed end test that the user ignores ends the walk rather than
        // repeating it for ever.
        bool fin = true;
        if (!paso([&] { fin = rs.EOF_(); })) return false;
        if (fin) return true;
        if (!agregarSiCorresponde(rs)) return false;
        if (!paso([&] { rs.MoveNext(); })) return false;
    }
}

bool FrmOpenConc::agregarSiCorresponde(ado::Recordset& rs) {
    QString id;
    bool conservar = true;
    if (!paso([&] { id = global_.gUtilidades.valor(rs.Fields(QStringLiteral("IDCONCILIACION"))); }))
        return false;
    if (!paso([&] { conservar = conservarFila(rs, id); })) return false;
    if (!conservar) return true;
    QTreeWidgetItem* fila = nullptr;
    if (!paso([&] { fila = Lvw_->agregarFila(QStringLiteral("A") + id); })) return false;
    return !fila || completarFila(rs, fila, id);
}

// With exactly one of the two open boxes checked, a row that is not finalised
// stays only when its momentary opening matches the box.
bool FrmOpenConc::conservarFila(ado::Recordset& rs, const QString& id) {
    if (rs[QStringLiteral("Finalizada")].aBooleano()) return true;
    const bool soloMomentaneas = chkAbiertasM_->isChecked() && !chkAbiertas_->isChecked();
    const bool soloAbiertas = chkAbiertas_->isChecked() && !chkAbiertasM_->isChecked();
    if (!soloMomentaneas && !soloAbiertas) return true;
    return aperturaVigente(id) == soloMomentaneas;
}

namespace {

// Identifiers compare as the database compares these codes: trailing blanks
// do not count.
QString sinBlancosFinales(const QString& texto) {
    qsizetype fin = texto.size();
    while (fin > 0 && texto.at(fin - 1) == u' ') --fin;
    return texto.left(fin);
}

}  // namespace

// Whether an opening of the reconciliation is in force (ESTADO = 1). The
// openings are read once per load, at the first row that needs them.
bool FrmOpenConc::aperturaVigente(const QString& id) {
    if (!aperturasVigentes_) aperturasVigentes_ = leerAperturasVigentes();
    return aperturasVigentes_->contains(sinBlancosFinales(id));
}

// The session's error dialog answers a failure: retry reads again, anything
// else goes on with no reconciliation taken as momentarily open, as a failed
// test of one row would leave that row.
QSet<QString> FrmOpenConc::leerAperturasVigentes() {
    QSet<QString> vigentes;
    ado::Recordset rs;
    global_.DB.AbrirRecordset(
        QStringLiteral("SELECT IDCONCILIACION FROM MV_CONCILIACION_OPEN with(nolock) WHERE ESTADO=1"), rs, {},
        ado::cursor::ForwardOnly, ado::bloqueo::ReadOnly);
    plataforma::ejecutarPaso(
        [&] {
            vigentes.clear();
            if (rs.State() == ado::estado::Cerrado) return;
            for (; !rs.EOF_(); rs.MoveNext())
                vigentes.insert(sinBlancosFinales(global_.gUtilidades.valor(rs.Fields(0))));
        },
        [&](const plataforma::RuntimeError& error) {
            vigentes.clear();
            return global_.DB.TratamientoErrores(error, std::nullopt, QStringLiteral("CargarLista"));
        });
    global_.DB.CierraRecordset(rs);
    return vigentes;
}

namespace {

// A value the row must have: its text, or the run-time's error for a NULL.
QString obligatorio(ado::Recordset& rs, const QString& campo) {
    const ado::Variant& valor = rs[campo];
    if (valor.esNulo())
        throw plataforma::RuntimeError(UsoInvalidoDeNull, QStringLiteral("Uso no válido de Null"));
    return valor.texto();
}

}  // namespace

bool FrmOpenConc::completarFila(ado::Recordset& rs, QTreeWidgetItem* fila, const QString& id) {
    auto celda = [&](int posicion, const std::function<QString()>& valor) {
        return paso([&] { ListaConciliaciones::ponerCelda(fila, posicion, valor()); });
    };
    return celda(1, [&] { return id; }) &&
           celda(2, [&] { return obligatorio(rs, QStringLiteral("Cuenta")).trimmed(); }) &&
           celda(3, [&] { return descripcionCuenta(rs); }) &&
           celda(4, [&] { return obligatorio(rs, QStringLiteral("Fecha")); }) &&
           celda(5, [&] { return obligatorio(rs, QStringLiteral("Observaciones")).trimmed(); }) &&
           celda(6, [&] { return periodo(rs, QStringLiteral("FechaDesde"), QStringLiteral("FechaHasta")); }) &&
           celda(7, [&] { return periodo(rs, QStringLiteral("fechadesde2"), QStringLiteral("fechahasta2")); }) &&
           celda(8, [&] { return obligatorio(rs, QStringLiteral("Tipo")); }) &&
           paso([&] {
               const bool finalizada = rs[QStringLiteral("Finalizada")].aBooleano();
               const bool momentanea = !finalizada && aperturaVigente(id);
               const QString icono = finalizada ? ImagenesEstado::Finalizada
                                     : momentanea ? ImagenesEstado::AbiertaM
                                                  : ImagenesEstado::Abierta;
               Lvw_->ponerIcono(fila, icono);
               ListaConciliaciones::ponerCelda(fila, 9, ImagenesEstado::textoEstado(icono));
           });
}

// Looked up once per distinct account value of the load, as stored (trailing
// blanks and letter case included), so every row gets what its own lookup
// would give.
QString FrmOpenConc::descripcionCuenta(ado::Recordset& rs) {
    const QString cuenta = obligatorio(rs, QStringLiteral("Cuenta"));
    if (const auto leida = descripciones_.constFind(cuenta); leida != descripciones_.constEnd()) return *leida;
    const QString descripcion = global_.DB
                                    .DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                                                QStringLiteral("CODIGO"), 8, QString(), true, false)
                                    .texto();
    descripciones_.insert(cuenta, descripcion);
    return descripcion;
}

QString FrmOpenConc::periodo(ado::Recordset& rs, const QString& desde, const QString& hasta) {
    const utilidades::Utilidades& u = global_.gUtilidades;
    return u.valor(rs.Fields(desde)) + QStringLiteral("-") + u.valor(rs.Fields(hasta));
}

bool FrmOpenConc::paso(const std::function<void()>& accion) {
    return plataforma::ejecutarPaso(accion, [this](const plataforma::RuntimeError& e) { return tratarError(e); });
}

int FrmOpenConc::tratarError(const plataforma::RuntimeError& error) {
    Lvw_->mostrarAgregadas();
    return global_.gUtilidades.dialogoError(error);
}

}  // namespace conciliacion
