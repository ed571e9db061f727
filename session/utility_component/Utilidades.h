#pragma once

#include "platform/ado/Field.h"
#include "platform/ado/Variant.h"

#include <QString>

namespace plataforma { class Dialogos; class RuntimeError; }

namespace utilidades {

// The suite's general utilities. Stateless apart from the dialogs it shows
// through.
class Utilidades {
public:
    explicit Utilidades(plataforma::Dialogos& dialogos) : dialogos_(dialogos) {}

    // The text cut to at most `ancho` characters (for columns of that width).
    QString ajustar(const QString& texto, int ancho) const;
    // The leading number of the text, read with the workstation's decimal
    // separator ("." accepted too when the text holds no workstation
    // separator); 0 when there is none. Blanks before the number are
    // skipped; the workstation's group separator is skipped between whole
    // groups of three digits ("1.234,5"); past the fourth decimal the amount
    // is rounded half away from zero. A number beyond the amount's range (or,
    // for numero, a long's) raises error 6 (overflow).
    ado::Importe importe(const QString& texto) const;
    // The leading whole number of the text; 0 when there is none.
    long numero(const QString& texto) const;
    // A field's or value's text; "" for null.
    QString valor(const ado::Variant& v) const;
    QString valor(const ado::Field& f) const { return valor(f.Value()); }
    // Number of blank-separated words.
    int contarPalabras(const QString& texto) const;
    // The text without any occurrence of each of the given characters.
    static QString quitar(const QString& texto, const QString& caracteres);
    // Every occurrence of `buscar` replaced.
    QString reemplazar(const QString& texto, const QString& buscar, const QString& por) const;
    // First occurrence replaced.
    QString reemplazarPrimero(const QString& texto, const QString& buscar, const QString& por) const;
    // Asks the user for a date; the date as short-date text, "" when cancelled.
    QString elegirFecha() const;
    // The stored code form: the trimmed text right-aligned in `ancho`, padded
    // with blanks on the left; a longer text is kept whole.
    QString codigo(const QString& texto, int ancho) const;
    // Abort / Retry / Ignore box with the error's number and description;
    // answers 3, 4 or 5.
    int dialogoError(const plataforma::RuntimeError& error) const;
    // Reversible ciphering: the ciphered text holds only hexadecimal digits,
    // so it can stand in a comma-separated file. Deciphering a text that is
    // not such a cipher raises error 5.
    QString cifrar(const QString& texto) const;
    QString descifrar(const QString& texto) const;
    // The folder with a trailing "/"; an empty folder stays empty.
    QString carpeta(const QString& carpeta) const;

    plataforma::Dialogos& dialogos() const { return dialogos_; }

private:
    plataforma::Dialogos& dialogos_;
};

}  // namespace utilidades
