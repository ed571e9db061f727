#include "platform/ado/Field.h"

#include "platform/RuntimeError.h"
#include "platform/ado/Recordset.h"

namespace ado {

const Variant& Field::Value() const {
    if (!valor_)
        throw plataforma::RuntimeError(plataforma::numero::SinRegistroActual,
                                       QStringLiteral("BOF o EOF es True, o el registro actual se eliminó. La "
                                                      "operación solicitada requiere un registro actual."),
                                       QStringLiteral("ADODB.Field"));
    return *valor_;
}

void Field::setValue(const Variant& v) {
    if (!dueno_)
        throw plataforma::RuntimeError(plataforma::numero::NoPermitido,
                                       QStringLiteral("No se permite la operación en este contexto."),
                                       QStringLiteral("ADODB.Field"));
    dueno_->asignarCampo(*this, v);
}

}  // namespace ado
