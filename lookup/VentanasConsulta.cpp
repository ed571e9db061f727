#include "lookup/VentanasConsulta.h"

#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "platform/ui/Twips.h"
#include "session/Configuracion.h"
#include "session/Global.h"
#include "session/MenuExes.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

namespace twips = plataforma::twips;

namespace consultas {

namespace {

void conectarConLaSesion(sesion::Global& global, Lib_FrmCons3& ventana) {
    ventana.leerAjuste = [&global](const QString& clave) { return sesion::Cfg(global, clave); };
    ventana.lanzador = [&global](const QString& destino, const QString& parametro, int) {
        QString enviado = parametro;
        std::int32_t proceso = 0;
        sesion::MenuExes(global, destino, enviado, proceso);
    };
}

void entregarConsulta(const EntregaLista& e, Lib_FrmCons3& ventana) {
    ventana.StkNivel1 = e.StkNivel1;
    ventana.StkNivel2 = e.StkNivel2;
    ventana.StkNivel3 = e.StkNivel3;
    ventana.StkNivel4 = e.StkNivel4;
    ventana.MuestraStock = e.MuestraStock;
    ventana.CfgUsaConsultaLIKE = e.CfgUsaConsultaLIKE;
    ventana.OrdenarPorLwv = e.OrdenarPorLwv;
    ventana.FiltroInicial = e.FiltroInicial;
    ventana.SQL = e.SQL;
    ventana.CampoDevuelto = e.CampoDevuelto;
    ventana.CheckBoxes = e.CheckBoxes;
    ventana.UsaCantidades = e.UsaCantidades;
    ventana.ValoresDefault = e.ValoresDefault;
    ventana.CmpsDevueltos = e.CmpsDevueltos != nullptr ? std::optional<QStringList>(*e.CmpsDevueltos)
                                                       : std::nullopt;
    ventana.Valores = QStringList();
    ventana.Cantidades = QStringList();
}

void desmarcarFilas(QTreeWidget& lista) {
    for (int i = 0; i < lista.topLevelItemCount(); ++i)
        lista.topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

// An option list: one column titled with the list's title, as wide as the
// list, one row per option, and the window as wide as its longest text.
void ponerOpciones(const EntregaLista& e, Lib_FrmCons3& ventana) {
    ventana.setWindowTitle(e.Titulo);
    ventana.CmdNueva()->hide();
    ventana.OrdenarPorLwv = true;
    ventana.SQL.clear();
    ventana.CampoDevuelto = e.CampoDevuelto;
    ventana.CheckBoxes = e.CheckBoxes;
    ventana.cargar();

    QTreeWidget& lista = *ventana.ListView1();
    if (QComboBox* primera = ventana.CmbSearch(0)) primera->setFixedWidth(lista.width());
    lista.clear();
    lista.setColumnCount(1);
    lista.setHeaderLabels({e.Titulo});
    lista.setColumnWidth(0, lista.viewport()->width());
    for (const EntregaLista::Opcion& opcion : e.opciones) {
        auto* fila = new QTreeWidgetItem(&lista, QStringList{opcion.texto});
        if (e.CheckBoxes) fila->setCheckState(0, opcion.marcada ? Qt::Checked : Qt::Unchecked);
    }

    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const int anchoPantalla = pantalla != nullptr ? pantalla->availableGeometry().width() : 0;
    const int ancho = twips::aPixeles(static_cast<double>(e.AnchoTwips));
    ventana.resize(anchoPantalla > 0 ? std::min(ancho, anchoPantalla) : ancho, ventana.height());
}

}  // namespace

Lib_ClsCons3& VentanasConsulta::servicio(sesion::Global& global) {
    Lib_ClsCons3& servicio = global.gClsCons3();
    if (!servicio.mostrarLista)
        servicio.mostrarLista = [&global](EntregaLista& e) { mostrarLista(global, e); };
    if (!servicio.mostrarArbol)
        servicio.mostrarArbol = [&global](EntregaArbol& e) { mostrarArbol(global, e); };
    return servicio;
}

void VentanasConsulta::mostrarLista(sesion::Global& global, EntregaLista& entrega) {
    Lib_FrmCons3 ventana(global);
    conectarConLaSesion(global, ventana);
    if (entrega.listaDeOpciones) {
        ponerOpciones(entrega, ventana);
    } else {
        entregarConsulta(entrega, ventana);
        ventana.cargar();
        if (entrega.desmarcarFilas) desmarcarFilas(*ventana.ListView1());
    }
    ventana.exec();
    entrega.ValorDevuelto = ventana.ValorDevuelto;
    entrega.Valores = ventana.Valores.value_or(QStringList());
    entrega.Cantidades = ventana.Cantidades.value_or(QStringList());
    ventana.CampoDevuelto.clear();
}

void VentanasConsulta::mostrarArbol(sesion::Global& global, EntregaArbol& entrega) {
    Lib_FrmCons3Tree ventana(global);
    ventana.SQL = entrega.SQL;
    ventana.CampoDevuelto = entrega.CampoDevuelto;
    ventana.CheckBoxes = entrega.Checks;
    ventana.exec();
    entrega.ValorDevuelto = ventana.ValorDevuelto;
    entrega.Valores = ventana.Valores.value_or(QStringList());
}

}  // namespace consultas
