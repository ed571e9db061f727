#include "support/ConciliacionesGeneradas.h"

#include "data/DB_Dll.h"
#include "platform/RuntimeError.h"

#include <QDate>
#include <QStringList>

namespace prueba {

namespace {

// Rows per INSERT: a few statements for the whole load, none too long.
constexpr int FilasPorSentencia = 250;

void ejecutar(datos::DB_Dll& sesion, const QString& sentencia) {
    sesion.EjecutaConsultaSQL(sentencia);
    ado::Errors& errores = sesion.gCnn().errors();
    if (errores.Count() > 0)
        throw plataforma::RuntimeError(-1, errores.Item(0).Description + QStringLiteral(" en: ") +
                                               sentencia.left(300));
}

QString literal(const QString& texto) { return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\''; }

// Writes the rows in INSERTs of FilasPorSentencia rows each.
void insertar(datos::DB_Dll& sesion, const QString& cabecera, const QStringList& filas) {
    for (qsizetype desde = 0; desde < filas.size(); desde += FilasPorSentencia)
        ejecutar(sesion, cabecera + filas.mid(desde, FilasPorSentencia).join(QStringLiteral(", ")));
}

QString codigoDe(int numero) { return QString::number(numero).rightJustified(15, u' '); }

QString codigoCuenta(int indice) {
    const QString n = QString::number(indice).rightJustified(2, u'0');
    return indice % 2 ? QStringLiteral("Bco.") + n : QStringLiteral("9.9.") + n;
}

QString iso(const QDate& fecha) { return literal(fecha.toString(Qt::ISODate)); }

// The ESTADO values of the openings of one reconciliation (none, one or
// several; -1 stands for NULL).
QList<int> aperturasDe(int numero) {
    switch (numero % 12) {
    case 1: return {1};
    case 2: return {0};
    case 3: return {2};
    case 4: return {-1};
    case 5: return {0, 1};
    case 6: return {1, 1};
    case 7: return {2, 0};
    case 8: return {1, 2, 0};
    default: return {};
    }
}

}  // namespace

QString ConciliacionesGeneradas::cuentaDe(int numero, const Opciones& opciones) {
    // Accounts concentrate: the first ones take most reconciliations.
    // In 64 bits: the square of a number past 46,340 does not fit an int, and
    // the wrapped, negative index named accounts that do not exist.
    const int indice = int((qint64(numero) * numero + numero / 3) % opciones.cuentas);
    const QString cuenta = codigoCuenta(indice);
    if (!opciones.variantes) return cuenta;
    switch (numero % 9) {
    case 2: return cuenta + QStringLiteral("   ");
    case 4: return cuenta.toUpper();
    case 5: return cuenta.toLower() + u' ';
    case 7: return numero % 2 ? QStringLiteral("8.8.%1").arg(numero % 3) : cuenta;  // no description
    default: return cuenta;
    }
}

QString ConciliacionesGeneradas::fechaDe(int numero) {
    return QDate(2021, 1, 4).addDays(numero % 97).toString(Qt::ISODate);
}

void ConciliacionesGeneradas::cargar(datos::DB_Dll& sesion, const Opciones& opciones) {
    ejecutar(sesion, QStringLiteral("DELETE FROM MV_CONCILIACION_OPEN"));
    ejecutar(sesion, QStringLiteral("DELETE FROM MV_CONCILIACION"));
    ejecutar(sesion, QStringLiteral("DELETE FROM MV_CONCILIACION_CAB"));
    ejecutar(sesion, QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO LIKE '9.9.%' OR CODIGO LIKE 'Bco.%' "
                                    "OR CODIGO LIKE '8.8.%'"));

    QStringList cuentas;
    for (int i = 0; i < opciones.cuentas; ++i)
        cuentas << QStringLiteral("(%1, %2, 1, 'A', %3)")
                       .arg(literal(codigoCuenta(i)), literal(QStringLiteral("Cuenta generada %1").arg(i)))
                       .arg(opciones.variantes && i % 5 == 3 ? 1 : 0);
    if (opciones.variantes) {
        // The other-case codes are accounts of their own, with a description
        // of their own; the "8.8." ones have none.
        for (int i = 1; i < opciones.cuentas; i += 2) {
            cuentas << QStringLiteral("(%1, %2, 1, 'A', 0)")
                           .arg(literal(codigoCuenta(i).toUpper()), literal(QStringLiteral("CUENTA GENERADA %1").arg(i)));
            cuentas << QStringLiteral("(%1, %2, 1, 'A', 0)")
                           .arg(literal(codigoCuenta(i).toLower()), literal(QStringLiteral("cuenta generada %1").arg(i)));
        }
        for (int i = 0; i < 3; ++i) cuentas << QStringLiteral("('8.8.%1', NULL, 1, 'A', 0)").arg(i);
    }
    insertar(sesion,
             QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES "),
             cuentas);

    QStringList cabeceras;
    QStringList aperturas;
    const QDate inicio(2021, 1, 1);
    for (int n = 1; n <= opciones.cantidad; ++n) {
        const QDate desde = inicio.addMonths(n % 48);
        const QString periodo1 = n % 5 == 0 ? QStringLiteral("NULL, NULL")
                                            : iso(desde) + QStringLiteral(", ") + iso(desde.addMonths(1).addDays(-1));
        const QString periodo2 = n % 3 == 0 ? iso(desde.addMonths(1)) + QStringLiteral(", ") +
                                                  iso(desde.addMonths(2).addDays(-1))
                                            : QStringLiteral("NULL, NULL");
        static const char* const finalizadas[] = {"1", "1", "0", "NULL"};
        cabeceras << QStringLiteral("(%1, %2, %3, %4, %5, %6, %7, %8)")
                         .arg(literal(codigoDe(n)), literal(cuentaDe(n, opciones)), literal(fechaDe(n)),
                              literal(QStringLiteral(" Extracto %1 ").arg(n)), periodo1, periodo2,
                              literal(n % 2 ? QStringLiteral("BCO") : QStringLiteral("CTA")),
                              QString::fromLatin1(finalizadas[n % 4]));
        for (int estado : aperturasDe(n))
            aperturas << QStringLiteral("(%1, 'control de cierre', 'MGOMEZ en PC:CONTAB-01', '01/05/2024 10:00:00', %2)")
                             .arg(literal(codigoDe(n)), estado < 0 ? QStringLiteral("NULL") : QString::number(estado));
    }
    insertar(sesion,
             QStringLiteral("INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, "
                            "FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES "),
             cabeceras);
    insertar(sesion,
             QStringLiteral("INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES "),
             aperturas);
}

}  // namespace prueba
