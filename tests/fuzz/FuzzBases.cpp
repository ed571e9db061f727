// The registered connections' file, BASES.TXT, and the deciphering of its
// passwords.
#include "DialogosGuion.h"
#include "Entrada.h"
#include "platform/RuntimeError.h"
#include "session/ConexionesRegistradas.h"
#include "session/utility_component/Utilidades.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const QByteArray contenido = fuzz::bytes(datos, largo);
    const sesion::ConexionesRegistradas lista(fuzz::carpeta());
    fuzz::escribir(lista.ruta(), contenido);
    prueba::DialogosGuion dialogos;
    const utilidades::Utilidades u(dialogos);
    for (const sesion::ConexionesRegistradas::Registro& r : lista.leer()) {
        // A quoted field may run over a line break, the comma-delimited way.
        try {
            const QString clara = u.descifrar(r.contrasena);
            fuzz::exigir(u.cifrar(clara) .compare(r.contrasena, Qt::CaseInsensitive) == 0 ||
                             u.descifrar(u.cifrar(clara)) == clara,
                         "a password does not survive its ciphering", r.contrasena);
        } catch (const plataforma::RuntimeError& error) {
            fuzz::exigir(error.Number() == 5, "deciphering fails with other than error 5", r.contrasena);
        }
        (void)lista.buscar(r.clave);
    }
    // Any text survives ciphering and deciphering.
    const QString texto = QString::fromLatin1(contenido);
    fuzz::exigir(u.descifrar(u.cifrar(texto)) == texto, "ciphering is not reversible", texto);
    return 0;
}
