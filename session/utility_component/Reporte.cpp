#include "session/utility_component/Reporte.h"

#include "platform/RuntimeError.h"

namespace utilidades {

void Reporte::Formulas(const QStringList& formulas, int cantidad) {
    formulas_ = formulas.mid(0, qMax(0, cantidad));
}

void Reporte::Mostrar(const QString& nombre, const QStringList& parametros, const QString& seleccion,
                      const QString& conexion, const QString& formulaEmpresa,
                      const QString& esquinaIzquierda, const QString& esquinaDerecha,
                      const QString& titulo) {
    if (!motor_)
        throw plataforma::RuntimeError(plataforma::numero::ArgumentoInvalido,
                                       QStringLiteral("No hay un motor de reportes instalado."),
                                       QStringLiteral("Reporte"));
    PedidoReporte pedido;
    pedido.nombre = nombre;
    pedido.parametros = parametros;
    pedido.seleccion = seleccion;
    pedido.conexion = conexion;
    pedido.formulaEmpresa = formulaEmpresa;
    pedido.formulas = formulas_;
    pedido.esquinaIzquierda = esquinaIzquierda;
    pedido.esquinaDerecha = esquinaDerecha;
    pedido.titulo = titulo;
    pedido.imprimirDirecto = imprimirDirecto_;
    pedido.vistaPrevia = vistaPrevia_;
    pedido.maximizada = maximizada_;
    pedido.tiempoEspera = tiempoEspera_;
    pedido.carpeta = carpeta_;
    motor_->mostrar(pedido);
}

}  // namespace utilidades
