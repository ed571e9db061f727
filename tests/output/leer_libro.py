"""Prints a workbook's first sheet as JSON, for the export tests to compare.

    leer_libro.py FILE

Output: {"hojas": [names], "columnas": {"A": width, ...},
         "celdas": [{"ref", "fila", "columna", "valor", "tipo", "formato",
                     "tamanio", "negrita", "color", "relleno", "bordes"}]}
where "tipo" is "numero", "fecha" or "texto" and dates are ISO texts.
"""
import datetime
import json
import sys

import openpyxl


def color(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None


def celda(c):
    valor = c.value
    if isinstance(valor, datetime.datetime):
        tipo, valor = "fecha", valor.isoformat(sep=" ")
    elif isinstance(valor, (int, float)) and not isinstance(valor, bool):
        tipo = "numero"
    else:
        tipo = "texto"
    b = c.border
    return {
        "ref": c.coordinate,
        "fila": c.row,
        "columna": c.column,
        "valor": valor,
        "tipo": tipo,
        "formato": c.number_format,
        "tamanio": c.font.sz,
        "negrita": bool(c.font.b),
        "color": color(c.font.color),
        "relleno": color(c.fill.fgColor) if c.fill.fill_type == "solid" else None,
        "bordes": [b.left.style, b.right.style, b.top.style, b.bottom.style],
    }


def main():
    libro = openpyxl.load_workbook(sys.argv[1])
    hoja = libro.worksheets[0]
    salida = {
        "hojas": libro.sheetnames,
        "columnas": {k: d.width for k, d in hoja.column_dimensions.items() if d.customWidth},
        "celdas": [celda(c) for fila in hoja.iter_rows() for c in fila if c.value is not None],
        "filas": hoja.max_row,
    }
    json.dump(salida, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
