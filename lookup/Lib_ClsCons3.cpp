#include "lookup/Lib_ClsCons3.h"

#include "data/DB_Dll.h"
#include "lookup/ArchivoConsultas.h"
#include "platform/FuncionesBasicas.h"
#include "platform/Pasos.h"
#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"
#include "platform/ui/Dialogos.h"

#include <QFile>
#include <QTextStream>
#include <cmath>

namespace consultas {

using plataforma::contiene;
using plataforma::esIgual;
using plataforma::ExisteArchivo;
using plataforma::numeroInicial;

namespace {

constexpr long FilasPorOmision = 1000;
constexpr long TwipsPorCaracter = 120;

// " ORDER BY " and the column; nothing without a column, since a bare
// " ORDER BY " is a statement every engine rejects.
QString ordenPor(const QString& columna) {
    return columna.trimmed().isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + columna;
}

// A table lookup's identifier columns, which only two views show.
bool esColumnaIdentificadora(const QString& columna) {
    return esIgual(columna, QStringLiteral("ID")) ||
           esIgual(columna, QStringLiteral("FECHAHORA_MODIFICACION")) ||
           esIgual(columna, QStringLiteral("FECHAHORA_GRABACION"));
}

bool esColumnaDescriptiva(const QString& columna) {
    return esIgual(columna, QStringLiteral("DESCRIPCION")) ||
           esIgual(columna, QStringLiteral("NOMBRE")) ||
           esIgual(columna, QStringLiteral("DETALLE"));
}

bool muestraIdentificadores(const QString& tabla) {
    return esIgual(tabla, QStringLiteral("v_mv_mutuales")) ||
           esIgual(tabla, QStringLiteral("V_MV_TROPA_STOCK"));
}

}  // namespace

Lib_ClsCons3::Lib_ClsCons3(datos::DB_Dll& sesion, plataforma::Dialogos& dialogos,
                           LectorAjustes leerAjuste)
    : sesion_(sesion),
      dialogos_(dialogos),
      leerAjuste_(std::move(leerAjuste)),
      utilidades_(dialogos) {
    MuestraStock = ajuste(QStringLiteral("MostrarStockenConsultas"));
    StkNivel1 = colorDeAjuste(QStringLiteral("Stk_Nivel1"));
    StkNivel2 = colorDeAjuste(QStringLiteral("Stk_Nivel2"));
    StkNivel3 = colorDeAjuste(QStringLiteral("Stk_Nivel3"));
    StkNivel4 = colorDeAjuste(QStringLiteral("Stk_Nivel4"));
    UsaLike_ = esIgual(ajuste(QStringLiteral("UsaConsultaLike")), QStringLiteral("SI"));
}

// A stock level's colour; a missing or blank setting means the level is not
// coloured at all (not black, the colour 0).
std::optional<long> Lib_ClsCons3::colorDeAjuste(const QString& clave) const {
    const QString texto = ajuste(clave);
    if (texto.trimmed().isEmpty()) return std::nullopt;
    return utilidades_.numero(texto);
}

QString Lib_ClsCons3::ajuste(const QString& clave) const {
    return leerAjuste_ ? leerAjuste_(clave) : QString();
}

// ---- ConsultaSearch -------------------------------------------------------

void Lib_ClsCons3::ConsultaSearch(QString SQL, QStringList* CmpsDevueltosLlamador,
                                  const QString& Clave, QString* CampoBusqueda, QString* Where,
                                  const QString& SentenciaOpcional, bool TreeView,
                                  const QString& ValoresDefault) {
    QString campoLocal;
    QString whereLocal;
    QString& campo = CampoBusqueda != nullptr ? *CampoBusqueda : campoLocal;
    QString& where = Where != nullptr ? *Where : whereLocal;

    std::optional<QString> sentencia = QString();
    plataforma::ejecutarSaltandoErrores({
        [&] { where = normalizarWhere(where); },                                     // 1
        [&] { limite_ = limiteFilas(); },                                            // 2
        [&] { sentencia = sentenciaDeLaFuente(SQL, campo, where, SentenciaOpcional); },  // 3 to 6
    });
    // A definition without a usable column list has told the user so.
    if (!sentencia) return;

    plataforma::ejecutarSaltandoErrores({
        [&] {                                                                        // 7
            if (TreeView)
                entregarAlArbol(*sentencia);
            else
                entregarALaLista(*sentencia, CmpsDevueltosLlamador, Clave, ValoresDefault);
        },
        [&] {                                                                        // 8
            CampoDevuelto.clear();
            if (CmpsDevueltosLlamador != nullptr) CmpsDevueltosLlamador->clear();
        },
    });
}

QString Lib_ClsCons3::normalizarWhere(const QString& where) {
    if (where.trimmed().size() > 1 && !where.startsWith(QLatin1Char('(')))
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    return where;
}

long Lib_ClsCons3::limiteFilas() const {
    const long n = std::lround(numeroInicial(ajuste(QStringLiteral("TopConsArt"))));
    return n == 0 ? FilasPorOmision : n;
}

std::optional<QString> Lib_ClsCons3::sentenciaDeLaFuente(const QString& SQL, QString& CampoBusqueda,
                                                         const QString& Where,
                                                         const QString& SentenciaOpcional) {
    const bool esSentencia = contiene(SQL, QStringLiteral("SELECT"));
    if (esSentencia) return sentenciaCompleta(SQL, Where);
    if (!gUsarMascarasConsultas)
        return sentenciaAutomatica(SQL, CampoBusqueda, Where, SentenciaOpcional, limite_);
    // A missing, unreadable or damaged file falls back on the table's own
    // columns: the table name alone, or a field's NUL bytes, are no statement.
    const ArchivoConsultas::Hallazgo hallazgo = ArchivoConsultas(gRutaMascaraConsultas).buscarTabla(SQL);
    anotarRegistrosDanados(hallazgo.danados);
    if (hallazgo.registro) return sentenciaDeDefinicion(*hallazgo.registro, CampoBusqueda, Where, limite_);
    return sentenciaAutomatica(SQL, CampoBusqueda, Where, SentenciaOpcional, limite_);
}

void Lib_ClsCons3::anotarRegistrosDanados(const QList<qint64>& danados) const {
    for (const qint64 numero : danados)
        sesion_.AnotarEnLog(QStringLiteral("ConsultaSearch"),
                            QStringLiteral("El registro ") + QString::number(numero) + QStringLiteral(" de ")
                                + gRutaMascaraConsultas + QStringLiteral(" está dañado y se omite"));
}

QString Lib_ClsCons3::sentenciaCompleta(QString SQL, const QString& Where) const {
    if (SQL.contains(QStringLiteral("V_MA_ARTICULOS")))
        SQL = utilidades_.reemplazar(SQL, QStringLiteral("V_MA_ARTICULOS"),
                                     QStringLiteral("VT_MA_ARTICULOS"));
    if (Where.trimmed().isEmpty()) return SQL;
    if (contiene(Where, QStringLiteral("WHERE"))) return SQL + Where;
    return SQL + QStringLiteral(" WHERE ") + Where;
}

std::optional<QString> Lib_ClsCons3::sentenciaDeDefinicion(const RegistroConsulta& registro,
                                                           QString& CampoBusqueda,
                                                           const QString& Where, long n) {
    QString t = ArchivoConsultas::limpiar(registro.Tabla);                       // 5.2
    // Cleaned like the table: a writer that pads with NUL bytes leaves them
    // after the columns too.
    QString c = utilidades_.reemplazar(ArchivoConsultas::limpiar(registro.Campos),  // 5.3
                                       QStringLiteral("|"), QStringLiteral(",")).trimmed();
    if (c.startsWith(QLatin1Char(','))) c.remove(0, 1);
    if (c.endsWith(QLatin1Char(','))) c.chop(1);
    if (c.isEmpty()) c = QStringLiteral("*");

    if (CampoBusqueda.isEmpty()) {                                               // 5.4
        if (!c.contains(QLatin1Char(','))) {
            dialogos_.mensaje(QStringLiteral("Debe configurar la consulta para esta tabla"),
                              plataforma::estilo::Informacion, QStringLiteral("Aviso al operador"));
            return std::nullopt;
        }
        CampoBusqueda = c.left(c.indexOf(QLatin1Char(',')));
    }

    QString w = ArchivoConsultas::limpiar(registro.Condicion);                   // 5.5
    if (w.isEmpty() && !Where.trimmed().isEmpty()) w = Where;

    if ((esIgual(t, QStringLiteral("VT_PROVEEDORES")) ||                          // 5.6
         esIgual(t, QStringLiteral("VT_CLIENTES"))) && w.isEmpty())
        w = QStringLiteral("Dada_De_Baja = 0");
    if (esIgual(t, QStringLiteral("V_MA_ARTICULOS"))) {
        t = QStringLiteral("VT_MA_ARTICULOS");
        if (w.isEmpty()) w = QStringLiteral("SUSPENDIDO = 0");
    }

    const QString filtro = (w.trimmed().isEmpty() ? QString() : QStringLiteral(" WHERE ")) + w;  // 5.7
    const QString inicio = QStringLiteral("SELECT TOP ") + QString::number(n) + QLatin1Char(' ') + c +
                           QStringLiteral(" FROM ") + t;
    if (!CampoBusqueda.isEmpty())
        return inicio + QStringLiteral("  with(nolock) ") + filtro + QStringLiteral(" ORDER BY ") +
               CampoBusqueda;
    return inicio + QStringLiteral(" with(nolock) ") + filtro;
}

QString Lib_ClsCons3::sentenciaAutomatica(const QString& SQL, QString& CampoBusqueda,
                                          const QString& Where, const QString& SentenciaOpcional,
                                          long n) {
    if (!SentenciaOpcional.isEmpty()) return SentenciaOpcional;                  // 6.1

    QString lista;
    if (esIgual(SQL, QStringLiteral("V_TA_DEPOSITO"))) {                          // 6.2
        lista = QStringLiteral("Descripcion,IdDeposito,UnidadNegocio,");
        CampoBusqueda = QStringLiteral("IDDEPOSITO");
    } else {
        lista = columnasDeLaTabla(SQL, CampoBusqueda);                           // 6.3
    }

    if (lista.trimmed().isEmpty())                                               // 6.4
        lista = QStringLiteral(" * ");
    else
        lista.chop(1);

    const QString w = QLatin1Char(' ') + Where;                                  // 6.5
    return QStringLiteral("SELECT TOP ") + QString::number(n) + QLatin1Char(' ') + lista +  // 6.6
           QStringLiteral(" FROM ") + SQL +
           (w.trimmed().isEmpty() ? QString() : QStringLiteral(" WHERE ")) + w +
           ordenPor(CampoBusqueda);
}

// The table's own columns, each put in front of the ones taken before it and
// followed by ",". The last description-like column (or the first ordinary
// one, when none) becomes the search column.
QString Lib_ClsCons3::columnasDeLaTabla(const QString& SQL, QString& CampoBusqueda) {
    QString lista;
    ado::Recordset rs;
    plataforma::ejecutarSaltandoErrores({
        [&] { sesion_.AbrirRecordset(QStringLiteral("select top 1 * from ") + SQL, rs); },
        [&] {
            for (long i = 0; i < rs.FieldCount(); ++i) {
                const QString columna = rs.Fields(i).Name();
                if (esColumnaIdentificadora(columna)) {
                    if (!muestraIdentificadores(SQL)) continue;
                    CampoBusqueda = columna;
                } else if (esColumnaDescriptiva(columna)) {
                    CampoBusqueda = columna;
                } else if (lista.trimmed().isEmpty()) {
                    CampoBusqueda = columna;
                }
                lista = columna + QLatin1Char(',') + lista;
            }
        },
        [&] { sesion_.CierraRecordset(rs); },
    });
    return lista;
}

void Lib_ClsCons3::entregarAlArbol(const QString& sentencia) {
    EntregaArbol entrega;
    entrega.SQL = sentencia;
    entrega.CampoDevuelto = CampoDevuelto;
    entrega.Checks = Checks;
    Valores.clear();
    if (!mostrarArbol)
        throw plataforma::RuntimeError(plataforma::numero::NoPermitido,
                                       QStringLiteral("Sin ventana de consulta"),
                                       QStringLiteral("ConsultaSearch"));
    mostrarArbol(entrega);
    ValorDevuelto = entrega.ValorDevuelto;
    Valores = entrega.Valores;
    Checks = false;
}

void Lib_ClsCons3::entregarALaLista(const QString& sentencia, QStringList* CmpsDevueltosLlamador,
                                    const QString& Clave, const QString& ValoresDefault) {
    EntregaLista entrega;
    entrega.StkNivel1 = StkNivel1;
    entrega.StkNivel2 = StkNivel2;
    entrega.StkNivel3 = StkNivel3;
    entrega.StkNivel4 = StkNivel4;
    entrega.MuestraStock = MuestraStock;
    entrega.CfgUsaConsultaLIKE = UsaLike_;
    entrega.OrdenarPorLwv = !contiene(sentencia, QStringLiteral("ORDER BY"));
    entrega.FiltroInicial = Clave;
    entrega.SQL = sentencia;
    entrega.CampoDevuelto = CampoDevuelto;
    entrega.CheckBoxes = Checks;
    entrega.UsaCantidades = UsaCantidades;
    entrega.ValoresDefault = ValoresDefault;
    entrega.CmpsDevueltos = CmpsDevueltosLlamador;
    entrega.desmarcarFilas = Checks;
    if (!mostrarLista)
        throw plataforma::RuntimeError(plataforma::numero::NoPermitido,
                                       QStringLiteral("Sin ventana de consulta"),
                                       QStringLiteral("ConsultaSearch"));
    mostrarLista(entrega);
    Checks = false;
    Valores = entrega.Valores;
    Cantidades = entrega.Cantidades;
    ValorDevuelto = entrega.ValorDevuelto;
}

// ---- Option lists ---------------------------------------------------------

EntregaLista Lib_ClsCons3::listaDeOpciones(const QString& Titulo, bool conMarcas) const {
    EntregaLista entrega;
    entrega.listaDeOpciones = true;
    entrega.Titulo = Titulo;
    entrega.OrdenarPorLwv = true;
    entrega.CampoDevuelto = Titulo;
    entrega.CheckBoxes = conMarcas;
    return entrega;
}

void Lib_ClsCons3::mostrarOpciones(EntregaLista& entrega, long largoMayor) {
    entrega.AnchoTwips = largoMayor * TwipsPorCaracter;
    if (mostrarLista) mostrarLista(entrega);
}

QString Lib_ClsCons3::MenuOpciones(const QString& Titulo, const QStringList& Opc) {
    EntregaLista entrega = listaDeOpciones(Titulo, false);
    long largo = Titulo.size();
    for (const QString& opcion : Opc) largo = std::max<long>(largo, opcion.size());
    // A single option is no choice: the list stays empty.
    if (Opc.size() > 1)
        for (const QString& opcion : Opc) entrega.opciones.push_back({opcion, false});
    mostrarOpciones(entrega, largo);
    return entrega.ValorDevuelto;
}

QString Lib_ClsCons3::CheckOpciones(const QString& Titulo, QStringList*, const QStringList& Opc) {
    EntregaLista entrega = listaDeOpciones(Titulo, true);
    long largo = Titulo.size();
    for (const QString& opcion : Opc) largo = std::max<long>(largo, opcion.size());
    if (Opc.size() > 1)
        for (const QString& opcion : Opc)
            entrega.opciones.push_back({opcion.mid(1), opcion.startsWith(QLatin1Char('1'))});
    mostrarOpciones(entrega, largo);
    Valores = entrega.Valores;
    return {};
}

QString Lib_ClsCons3::ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                           const QString&) {
    if (!ExisteArchivo(QueArchivo)) {
        dialogos_.mensaje(QStringLiteral("No existe el archivo ") + QueArchivo +
                              QStringLiteral(" que desea consultar consulta "),
                          plataforma::estilo::SoloAceptar, QString());
        return {};
    }
    EntregaLista entrega = listaDeOpciones(Titulo, false);
    long largo = Titulo.size();
    QFile archivo(QString(QueArchivo).remove(QLatin1Char('"')));
    if (archivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream lector(&archivo);
        lector.setEncoding(QStringConverter::Latin1);
        while (!lector.atEnd()) {
            const QString linea = lector.readLine();
            largo = std::max<long>(largo, linea.size());
            entrega.opciones.push_back({linea, false});
        }
    }
    mostrarOpciones(entrega, largo);
    return entrega.ValorDevuelto;
}

}  // namespace consultas
