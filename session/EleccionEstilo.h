#pragma once

#include <QString>
#include <cstdint>

namespace sesion {

// The skin chosen for the workstation user. The number comes from the
// installation's "cn000pr.ini" (section: the upper-cased workstation user +
// "Styles", key "Styles", "1" when missing) and picks one of the skin files
// shipped under "Styles/" with the program. Each skin is a Qt style
// sheet; the iTunes one takes its colours from an INI file beside it, whose
// keys replace the "@key@" marks of the sheet.
class EleccionEstilo {
public:
    std::int16_t numero = 1;
    QString archivo;  // relative to the folder of the files shipped with the program
    QString ini;      // beside the skin file; empty when the skin has none

    static QString archivoIni() { return QStringLiteral("cn000pr.ini"); }

    // The skin for a number: 1 Vista, 2 WinXP.Luna, 3 WinXP.Royale, 4 iTunes
    // (with "Normalitunes.ini"), any other Office2007.
    static EleccionEstilo porNumero(std::int16_t numero);

    // The number stored for `usuarioEstacion` in `carpeta` + "cn000pr.ini":
    // the value's leading whole number, 0 when it has none or does not fit in
    // 16 bits.
    static std::int16_t numeroDelUsuario(const QString& carpeta, const QString& usuarioEstacion);

    // The style sheet of the skin in `carpeta`, colours applied; empty when
    // the file is missing or unreadable.
    QString hojaDeEstilo(const QString& carpeta) const;
};

}  // namespace sesion
