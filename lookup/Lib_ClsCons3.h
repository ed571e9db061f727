#pragma once

#include "lookup/EntregaArbol.h"
#include "lookup/EntregaLista.h"
#include "session/utility_component/Utilidades.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace datos { class DB_Dll; }
namespace plataforma { class Dialogos; }

namespace consultas {

class RegistroConsulta;

// The suite's record lookup service: a caller names a table (or gives a
// whole statement) and the column it wants back, and receives that column's
// value from the row the user picks in a lookup window. Table lookups take
// their columns from the definitions file when gUsarMascarasConsultas is on.
//
// The class itself shows no window: the windowing layer puts the two
// hand-overs in (mostrarLista, mostrarArbol), each of which makes a fresh
// window for one lookup, shows it modally and fills the results in. Without
// them a lookup builds its statement and ends there.
class Lib_ClsCons3 {
public:
    // Reads a company setting: key → text (" " or "" when missing).
    using LectorAjustes = std::function<QString(const QString& clave)>;
    using MostrarLista = std::function<void(EntregaLista&)>;
    using MostrarArbol = std::function<void(EntregaArbol&)>;

    // `sesion` runs the statements; the stock settings and the LIKE mode are
    // read once, here.
    Lib_ClsCons3(datos::DB_Dll& sesion, plataforma::Dialogos& dialogos, LectorAjustes leerAjuste);

    // ---- Public properties
    std::optional<long> StkNivel1;
    std::optional<long> StkNivel2;
    std::optional<long> StkNivel3;
    std::optional<long> StkNivel4;
    QString MuestraStock;
    QStringList CmpsDevueltos;       // kept for the suite's callers; the operations take their own
    QStringList Valores;             // returned columns of the pick, or of every checked row
    QStringList Cantidades;
    bool Checks = false;             // the next ConsultaSearch shows check boxes
    QString ValorDevuelto;           // changes only when a window returns
    QString gConnString;
    QString gRutaMascaraConsultas;   // full path of the definitions file
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;           // set before every ConsultaSearch; cleared after it

    MostrarLista mostrarLista;
    MostrarArbol mostrarArbol;

    // ---- Operations

    // A list of options with check boxes; an option's first character is its
    // flag ("1": checked at start). The checked options end up in Valores;
    // the answer is always empty.
    QString CheckOpciones(const QString& Titulo, QStringList* CmpsDevueltosNoUsado,
                          const QStringList& Opc);
    // A list of options; the picked one, or empty.
    QString MenuOpciones(const QString& Titulo, const QStringList& Opc);
    // One lookup. CampoBusqueda and Where are the caller's variables: they
    // receive the search column chosen and the normalised condition. The
    // caller's CmpsDevueltos, when given, is emptied.
    void ConsultaSearch(QString SQL, QStringList* CmpsDevueltosLlamador = nullptr,
                        const QString& Clave = {}, QString* CampoBusqueda = nullptr,
                        QString* Where = nullptr, const QString& SentenciaOpcional = {},
                        bool TreeView = false, const QString& ValoresDefault = {});
    // The lines of a text file as a list of options; the picked one, or empty.
    QString ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                 const QString& Separador = {});

private:
    // ConsultaSearch's steps.
    static QString normalizarWhere(const QString& where);
    long limiteFilas() const;
    void anotarRegistrosDanados(const QList<qint64>& danados) const;
    std::optional<QString> sentenciaDeLaFuente(const QString& SQL, QString& CampoBusqueda,
                                               const QString& Where,
                                               const QString& SentenciaOpcional);
    QString sentenciaCompleta(QString SQL, const QString& Where) const;
    std::optional<QString> sentenciaDeDefinicion(const RegistroConsulta& registro,
                                                 QString& CampoBusqueda, const QString& Where,
                                                 long n);
    QString sentenciaAutomatica(const QString& SQL, QString& CampoBusqueda, const QString& Where,
                                const QString& SentenciaOpcional, long n);
    QString columnasDeLaTabla(const QString& SQL, QString& CampoBusqueda);
    void entregarAlArbol(const QString& sentencia);
    void entregarALaLista(const QString& sentencia, QStringList* CmpsDevueltosLlamador,
                          const QString& Clave, const QString& ValoresDefault);

    // The option lists' shared window preparation and display.
    EntregaLista listaDeOpciones(const QString& Titulo, bool conMarcas) const;
    void mostrarOpciones(EntregaLista& entrega, long largoMayor);

    QString ajuste(const QString& clave) const;
    std::optional<long> colorDeAjuste(const QString& clave) const;

    datos::DB_Dll& sesion_;
    plataforma::Dialogos& dialogos_;
    LectorAjustes leerAjuste_;
    utilidades::Utilidades utilidades_;
    bool UsaLike_ = false;
    long limite_ = 1000;
};

}  // namespace consultas
