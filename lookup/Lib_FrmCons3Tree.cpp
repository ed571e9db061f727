#include "lookup/Lib_FrmCons3Tree.h"

#include "data/DB_Dll.h"
#include "data/ErroresGenerales.h"
#include "data/LiteralesSql.h"
#include "lookup/BotonesConsulta.h"
#include "lookup/BusquedaEnBase.h"
#include "platform/FuncionesBasicas.h"
#include "platform/Pasos.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"
#include "platform/ui/Twips.h"
#include "session/Global.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace twips = plataforma::twips;

namespace consultas {

using plataforma::RuntimeError;
using plataforma::contiene;
using plataforma::esIgual;

namespace {

constexpr long ClaveRepetida = 35602;     // a node key that is already in the tree
constexpr long ElementoInexistente = 35601;  // a parent key that is not in the tree
constexpr long FueraDeRango = 9;          // a row without the column asked for
constexpr long SinObjeto = 91;            // no node selected
constexpr int NivelesPropagados = 6;

const QString SentenciaFamilias =
    QStringLiteral("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, ")
    + QStringLiteral("(SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  ")
    + QStringLiteral(" Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
                     "Len(LTrim(RTrim(b.IdFamilia)))) ")
    + QStringLiteral(" ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' "
                     "ORDER BY IdFamilia");

const ado::Variant& columna(const QVector<ado::Variant>& fila, int i) {
    if (i >= fila.size())
        throw RuntimeError(FueraDeRango, QStringLiteral("Subíndice fuera del intervalo"));
    return fila[i];
}

QString claveDe(const QTreeWidgetItem* nodo) { return nodo->data(0, Qt::UserRole).toString(); }

QString codigoDe(const QTreeWidgetItem* nodo) { return claveDe(nodo).mid(1); }

}  // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(sesion::Global& global, QWidget* padre)
    : QDialog(padre), global_(global) {
    setWindowTitle(QStringLiteral("Consulta..."));
    setModal(true);
    crearControles();
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() {
    try {
        descargar();
    } catch (...) {
    }
}

void Lib_FrmCons3Tree::crearControles() {
    using twips::aPixeles;
    setFixedSize(aPixeles(5910), aPixeles(4755));
    picFields_ = new QWidget(this);
    picFields_->setObjectName(QStringLiteral("picFields"));
    picFields_->setGeometry(0, 0, aPixeles(5955), aPixeles(4185));

    CmbSearch_ = new QComboBox(picFields_);
    CmbSearch_->setObjectName(QStringLiteral("CmbSearch_0"));
    CmbSearch_->setEditable(true);
    CmbSearch_->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch_->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    CmbSearch_->setGeometry(0, 0, aPixeles(5895), aPixeles(330));
    CmbSearch_->installEventFilter(this);
    connect(CmbSearch_, &QComboBox::editTextChanged, this, [this](const QString& texto) { buscarEnArbol(texto); });
    connect(CmbSearch_, &QComboBox::activated, this, [this] { buscarEnArbol(CmbSearch_->currentText()); });

    TreeV_ = new QTreeWidget(picFields_);
    TreeV_->setObjectName(QStringLiteral("TreeV"));
    TreeV_->setHeaderHidden(true);
    TreeV_->setColumnCount(1);
    TreeV_->setRootIsDecorated(true);
    TreeV_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeV_->setGeometry(0, aPixeles(330), aPixeles(5895), aPixeles(3705));
    connect(TreeV_, &QTreeWidget::itemDoubleClicked, this, [this] { aceptar(); });
    connect(TreeV_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* nodo) { propagarMarca(nodo); });

    Frame1_ = new QFrame(this);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setGeometry(0, aPixeles(4095), aPixeles(6180), aPixeles(615));
    const BotonesConsulta botones = BotonesConsulta::crear(Frame1_);
    cmdAceptar_ = botones.aceptar;
    cmdCancelar_ = botones.cancelar;
    CmdNueva_ = botones.nueva;
    cmdAceptar_->setGeometry(aPixeles(120), aPixeles(60), aPixeles(1695), aPixeles(495));
    cmdCancelar_->setGeometry(aPixeles(2040), aPixeles(60), aPixeles(1695), aPixeles(495));
    CmdNueva_->setGeometry(aPixeles(3915), aPixeles(60), aPixeles(1695), aPixeles(495));
    connect(cmdAceptar_, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cancelar(); });
    connect(CmdNueva_, &QPushButton::clicked, this, [this] { nuevaBusqueda(); });
}

int Lib_FrmCons3Tree::tratarError(const RuntimeError& error, const QString& rutina) {
    return datos::TratamientoErroresGeneral(global_.DB, error, std::nullopt, rutina);
}

QTreeWidgetItem* Lib_FrmCons3Tree::nodo(const QString& clave) const { return claves_.value(clave); }

// ---------------------------------------------------------------------------
// Load and builds

void Lib_FrmCons3Tree::showEvent(QShowEvent* evento) {
    if (!cargada_) cargar();
    QDialog::showEvent(evento);
}

void Lib_FrmCons3Tree::cargar() {
    cargada_ = true;
    descargada_ = false;
    plataforma::ejecutarPasos(
        {
            [&] { Valores = QStringList(); },                                        // 1.
            [&] { vaciarArbol(); },                                                  // 2.
            [&] {},  // 3. each node gets its check box as it is added
            [&] { armarSegunSentencia(); },                                          // 4.
        },
        [this](const RuntimeError& error) { return tratarError(error, QStringLiteral("FORM_LOAD")); });
}

void Lib_FrmCons3Tree::armarSegunSentencia() {
    if (contiene(SQL, QStringLiteral("v_ta_familias"))) ArmarTreeVFamilias();
    else ArmarTreeVAutomatico();
}

void Lib_FrmCons3Tree::vaciarArbol() {
    const QSignalBlocker sinSenales(TreeV_);
    TreeV_->clear();
    nodos_.clear();
    claves_.clear();
    primeraPorClave_.clear();
}

void Lib_FrmCons3Tree::iniciarArbol() {
    vaciarArbol();
    TreeV_->setRootIsDecorated(true);
    auto* raiz = new QTreeWidgetItem(TreeV_);
    prepararNodo(raiz, QStringLiteral("A"), QStringLiteral("Consulta..."));
    raiz->setExpanded(true);
}

void Lib_FrmCons3Tree::prepararNodo(QTreeWidgetItem* nodo, const QString& clave, const QString& texto) {
    const QSignalBlocker sinSenales(TreeV_);
    nodo->setText(0, texto);
    nodo->setData(0, Qt::UserRole, clave);
    if (CheckBoxes) {
        nodo->setFlags(nodo->flags() | Qt::ItemIsUserCheckable);
        nodo->setCheckState(0, Qt::Unchecked);
    } else {
        nodo->setFlags(nodo->flags() & ~Qt::ItemIsUserCheckable);
    }
    nodos_.append(nodo);
    claves_.insert(clave, nodo);
    // Among keys differing only in letter case the first one added stays.
    if (!primeraPorClave_.contains(clave.toLower())) primeraPorClave_.insert(clave.toLower(), nodo);
}

QTreeWidgetItem* Lib_FrmCons3Tree::agregarNodo(QTreeWidgetItem* padre, const QString& clave, const QString& texto) {
    if (!padre) throw RuntimeError(ElementoInexistente, QStringLiteral("Elemento no encontrado"));
    if (claves_.contains(clave)) throw RuntimeError(ClaveRepetida, QStringLiteral("La clave no es única en la colección"));
    auto* nodo = new QTreeWidgetItem(padre);
    prepararNodo(nodo, clave, texto);
    return nodo;
}

// Every row of the statement, all at once, each as its columns' values.
QVector<QVector<ado::Variant>> Lib_FrmCons3Tree::leerFilas() {
    QVector<QVector<ado::Variant>> filas;
    ado::Recordset rs;
    global_.DB.AbrirRecordset(SQL, rs, &global_.DB.gCnn());
    if (rs.BOF() && rs.EOF_()) return filas;
    const long columnas = rs.FieldCount();
    for (; !rs.EOF_(); rs.MoveNext()) {
        QVector<ado::Variant> fila;
        fila.reserve(columnas);
        for (long i = 0; i < columnas; ++i) fila.append(rs.Fields(i).Value());
        filas.append(fila);
    }
    return filas;
}

void Lib_FrmCons3Tree::armarFilas(const QString& rutina, const std::function<void(const QVector<ado::Variant>&)>& agregar) {
    const auto tratar = [&](const RuntimeError& error) { return tratarError(error, rutina); };
    QVector<QVector<ado::Variant>> filas;
    if (!plataforma::ejecutarPasos({[&] { iniciarArbol(); }, [&] { filas = leerFilas(); }}, tratar)) return;
    for (const QVector<ado::Variant>& fila : filas)
        if (!plataforma::ejecutarPaso([&] { agregar(fila); }, tratar)) return;
}

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    SQL = SentenciaFamilias;
    const utilidades::Utilidades& util = global_.gUtilidades;
    armarFilas(QStringLiteral("ArmarTreeVFamilias"), [&](const QVector<ado::Variant>& fila) {
        const QString codigo = util.valor(columna(fila, 0));
        const QString texto = codigo + QStringLiteral(" - ") + util.valor(columna(fila, 1));
        const ado::Variant& pariente = columna(fila, 2);
        const QString clavePadre = QStringLiteral("A") + (pariente.esNulo() ? QString() : util.valor(pariente));
        agregarNodo(claves_.value(clavePadre), QStringLiteral("A") + codigo, texto);
    });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    const utilidades::Utilidades& util = global_.gUtilidades;
    armarFilas(QStringLiteral("ArmarTreeVAutomatico"), [&](const QVector<ado::Variant>& fila) {
        const QString codigo = util.valor(columna(fila, 0));
        const QString texto = codigo + QStringLiteral(" - ") + util.valor(columna(fila, 1));
        const QString clave = QStringLiteral("A") + codigo;
        agregarNodo(padreAutomatico(clave), clave, texto);
    });
}

// The node whose key is the longest beginning of `clave` (any letter case);
// among keys differing only in case, the one added first. Looking up each
// beginning of the key finds the same parent as comparing with every node,
// without the work growing with the size of the tree.
QTreeWidgetItem* Lib_FrmCons3Tree::padreAutomatico(const QString& clave) const {
    const QString minusculas = clave.toLower();
    for (qsizetype largo = minusculas.size(); largo >= 1; --largo)
        if (QTreeWidgetItem* hallado = primeraPorClave_.value(minusculas.left(largo))) return hallado;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Finding and searching

void Lib_FrmCons3Tree::buscarEnArbol(const QString& texto) {
    plataforma::ejecutarSaltandoErrores({[&] {
        for (QTreeWidgetItem* nodo : nodos_) {
            const QString textoNodo = nodo->text(0);
            const qsizetype guion = textoNodo.indexOf(u'-');
            const QString codigo = guion < 0 ? QString() : textoNodo.left(guion).trimmed();
            const QString descripcion = guion < 0 ? textoNodo.trimmed() : textoNodo.mid(guion + 1).trimmed();
            if (codigo.startsWith(texto, Qt::CaseInsensitive) || descripcion.startsWith(texto, Qt::CaseInsensitive)) {
                TreeV_->setCurrentItem(nodo);
                TreeV_->scrollToItem(nodo);
                return;
            }
        }
    }});
}

void Lib_FrmCons3Tree::buscarEnBase() {
    plataforma::ejecutarSaltandoErrores({
        [&] { CmbSearch_->setProperty("tag", QStringLiteral("Descripcion")); },    // 1.
        [&] {                                                                        // 2.-4.
            SQL = BusquedaEnBase::agregarCondicion(SQL, CmbSearch_->property("tag").toString(),
                                                   CmbSearch_->currentText(), BusquedaEnBase::Coincidencia::Contiene)
                      .SQL;
        },
        [&] { CmbSearch_->setEditText(QString()); },                                 // 5.
        [&] { cargar(); },                                                           // 6.
    });
}

void Lib_FrmCons3Tree::nuevaBusqueda() {
    plataforma::ejecutarSaltandoErrores({[&] { armarSegunSentencia(); }});
}

// ---------------------------------------------------------------------------
// Keys and check marks

bool Lib_FrmCons3Tree::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == CmbSearch_ && evento->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(evento)->key()) {
        case Qt::Key_F5: buscarEnBase(); return true;
        case Qt::Key_Down:
        case Qt::Key_Up:
        case Qt::Key_PageDown:
        case Qt::Key_PageUp: TreeV_->setFocus(Qt::OtherFocusReason); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: aceptar(); return true;
        case Qt::Key_Escape: cancelar(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void Lib_FrmCons3Tree::keyPressEvent(QKeyEvent* evento) {
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: aceptar(); return;
    case Qt::Key_Escape: cancelar(); return;
    default: QDialog::keyPressEvent(evento);
    }
}

void Lib_FrmCons3Tree::propagarMarca(QTreeWidgetItem* nodo) {
    if (propagando_ || !CheckBoxes) return;
    propagando_ = true;
    const Qt::CheckState estado = nodo->checkState(0);
    const std::function<void(QTreeWidgetItem*, int)> bajar = [&](QTreeWidgetItem* padre, int nivel) {
        if (nivel > NivelesPropagados) return;
        for (int i = 0; i < padre->childCount(); ++i) {
            padre->child(i)->setCheckState(0, estado);
            bajar(padre->child(i), nivel + 1);
        }
    };
    bajar(nodo, 1);
    propagando_ = false;
}

// ---------------------------------------------------------------------------
// Accept and cancel

QString Lib_FrmCons3Tree::valorDeTabla(const QString& tabla, const QString& codigo, const QString& columnaBuscada,
                                       bool* existe) {
    ado::Recordset rs;
    *existe = global_.DB.ExisteEnTabla(tabla, codigo, columnaBuscada, &rs, 8, QString(), true);
    return *existe ? global_.gUtilidades.valor(rs.Fields(CampoDevuelto)) : QString();
}

void Lib_FrmCons3Tree::aceptarMarcados() {
    if (!Valores) Valores = QStringList();
    for (QTreeWidgetItem* nodo : nodos_) {
        if (nodo->checkState(0) != Qt::Checked) continue;
        const QString c = codigoDe(nodo);
        if (esIgual(CampoDevuelto, QStringLiteral("IDFAMILIA"))
            || esIgual(CampoDevuelto, QStringLiteral("CODIGO"))) {
            Valores->append(c.trimmed());
        } else if (esIgual(CampoDevuelto, QStringLiteral("IDPOSICION"))) {
            bool existe = false;
            const QString valor = valorDeTabla(QStringLiteral("MA_POSICIONES"), c, QStringLiteral("IDPOSICION"), &existe);
            if (existe) Valores->append(valor);
        }
    }
}

void Lib_FrmCons3Tree::aceptarSeleccionado() {
    QTreeWidgetItem* seleccionado = TreeV_->currentItem();
    if (!seleccionado) throw RuntimeError(SinObjeto, QStringLiteral("Variable de objeto no establecida"));
    const QString c = codigoDe(seleccionado);
    bool existe = false;
    if (esIgual(CampoDevuelto, QStringLiteral("IDFAMILIA"))) {
        ValorDevuelto = valorDeTabla(QStringLiteral("@admin_V_TA_FAMILIAS"), c, QStringLiteral("IDFAMILIA"), &existe);
    } else if (esIgual(CampoDevuelto, QStringLiteral("IDPOSICION"))) {
        ValorDevuelto = valorDeTabla(QStringLiteral("MA_POSICIONES"), c, QStringLiteral("IDPOSICION"), &existe);
    } else if (esIgual(CampoDevuelto, QStringLiteral("CODIGO"))) {
        ValorDevuelto = valorDeTabla(QStringLiteral("TA_CCOSTO"), c, QStringLiteral("CODIGO"), &existe);
        if (!existe) ValorDevuelto = valorDeTabla(QStringLiteral("MA_CUENTAS"), c, QStringLiteral("CODIGO"), &existe);
    }
}

void Lib_FrmCons3Tree::aceptar() {
    const bool terminado = plataforma::ejecutarPasos(
        {
            [&] {
                if (CheckBoxes) aceptarMarcados();                                   // 1.
                else aceptarSeleccionado();                                          // 2.
            },
        },
        [this](const RuntimeError& error) { return tratarError(error, QStringLiteral("cmdAceptar_Click")); });
    if (terminado) done(QDialog::Accepted);                                          // 3.
}

void Lib_FrmCons3Tree::cancelar() {
    plataforma::ejecutarSaltandoErrores({
        [&] { ValorDevuelto.clear(); },
        [&] { Valores.reset(); },
        [&] { done(QDialog::Rejected); },
    });
}

void Lib_FrmCons3Tree::closeEvent(QCloseEvent* evento) {
    descargar();
    QDialog::closeEvent(evento);
}

void Lib_FrmCons3Tree::descargar() {
    if (descargada_) return;
    descargada_ = true;
    try {
        vaciarArbol();
    } catch (const RuntimeError& error) {
        global_.dialogos.mensaje(error.Description(), plataforma::estilo::Critico, QStringLiteral("Aviso al Operador"));
    }
}

}  // namespace consultas
