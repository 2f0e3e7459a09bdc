#!/usr/bin/env python3
"""Compares the message codes a text document quotes with the catalogue TB8MSG.

Usage: tools/codigos_mensagem.py DOCUMENTO.md [data/tabelas/TB8MSG.csv]

A code is a four-digit number written in double quotes ("0040"), a quoted range
("1641" to "1652"), or a bare number of the declaration-file structure faults
(19xx, written without quotes: "code 1924", "| 1902 |", "1900 to 1924"). Quoted values that are
years, dates or reference-table codes rather than messages are listed in
NAO_MENSAGENS. The script prints the codes missing from the catalogue, the
catalogue rows the document never mentions, and each code's lines in the
document (with --contexto), so that a new code is never left without a text.
The committed CSV stays the source; the build never runs this script.
"""
import argparse
import csv
import re
import sys
from pathlib import Path

# Quoted four-digit values that are not message codes.
NAO_MENSAGENS = {
    "0000": "no remark",
    "1031": "legal nature code",
    "2062": "legal nature code",
    "2004": "base year",
    "2005": "base year",
    "2006": "base year",
    "3112": "day and month 31/12",
}
QUOTADO = re.compile(r'"(\d{4})"')
FAIXA_QUOTADA = re.compile(r'"(\d{4})" to "(\d{4})"')
NUA = re.compile(r'(?:\b(?:code|codes|message|fault)\s+|^\|\s*|\bwith\s+|\belse\s+|,\s+|\bgives\s+)(\d{4})\b(?:\s+to\s+(\d{4})\b)?')
MAIOR_FAIXA = 40


def codigos_documento(texto):
    achados = {}
    for n, linha in enumerate(texto.splitlines(), 1):
        encontrados = set(QUOTADO.findall(linha))
        for ini, fim in FAIXA_QUOTADA.findall(linha):
            if 0 < int(fim) - int(ini) <= MAIOR_FAIXA:
                encontrados.update(f"{c:04d}" for c in range(int(ini), int(fim) + 1))
        for ini, fim in NUA.findall(linha):
            if 1900 <= int(ini) <= 1999:
                encontrados.add(ini)
                if fim and 0 < int(fim) - int(ini) <= MAIOR_FAIXA:
                    encontrados.update(f"{c:04d}" for c in range(int(ini), int(fim) + 1))
        for c in encontrados - NAO_MENSAGENS.keys():
            achados.setdefault(c, []).append(n)
    return achados


def codigos_catalogo(caminho):
    with open(caminho, newline="", encoding="utf-8") as f:
        return {linha["NuMensagem"]: linha for linha in csv.DictReader(f)}


def main():
    raiz = Path(__file__).resolve().parent.parent
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("documento")
    p.add_argument("catalogo", nargs="?", default=raiz / "data" / "tabelas" / "TB8MSG.csv")
    p.add_argument("--contexto", action="store_true", help="print every line that mentions each code")
    a = p.parse_args()

    texto = Path(a.documento).read_text(encoding="utf-8")
    documento = codigos_documento(texto)
    catalogo = codigos_catalogo(a.catalogo)
    faltam = sorted(set(documento) - set(catalogo))
    sobram = sorted(c for c in set(catalogo) - set(documento) if c.isdigit())

    print(f"{len(documento)} codes in the document, {len(catalogo)} catalogue rows")
    for c in faltam:
        print(f"missing from the catalogue: {c} (lines {', '.join(map(str, documento[c]))})")
    for c in sobram:
        print(f"catalogue row not in the document: {c}")
    if a.contexto:
        linhas = texto.splitlines()
        for c in sorted(documento):
            print(f"== {c} {catalogo.get(c, {}).get('TpMensagem', '???')}")
            for n in documento[c]:
                print(f"   {n}: {linhas[n - 1][:200]}")
    return 1 if faltam else 0


if __name__ == "__main__":
    sys.exit(main())
