#!/usr/bin/env python3
"""Regenerates data/tabelas/*.csv from the gathered reference material.

Usage: tools/gera_tabelas.py [REFDATA] [DESTINO]
  REFDATA  folder with the gathered sources (default: ../shared/refdata beside the repository)
  DESTINO  output folder (default: data/tabelas of the repository)

The committed CSV files are what the build uses; this script only documents and
repeats how they were derived (see data/README.md for the criteria). The message
catalogue TB8MSG is maintained by hand and is not touched here.
"""
import csv
import re
import sys
import unicodedata
from collections import defaultdict
from pathlib import Path

RAIZ = Path(__file__).resolve().parent.parent
REFDATA = Path(sys.argv[1]) if len(sys.argv) > 1 else RAIZ.parent / "shared" / "refdata"
DESTINO = Path(sys.argv[2]) if len(sys.argv) > 2 else RAIZ / "data" / "tabelas"

# Municipalities installed after 2005, and the municipality each was split from.
# Their CEP ranges go back to that municipality, which held the area in 2005.
POSTERIORES_2005 = {
    "1504752": "1506807",  # Mojuí dos Campos <- Santarém (PA)
    "2206720": "2211001",  # Nazária <- Teresina (PI)
    "4212650": "4209409",  # Pescaria Brava <- Laguna (SC)
    "4220000": "4207007",  # Balneário Rincão <- Içara (SC)
    "4314548": "4302105",  # Pinto Bandeira <- Bento Gonçalves (RS)
    "5006275": "5003256",  # Paraíso das Águas <- Costa Rica (MS)
}

# Names in force in 2005 where the source carries a later renaming.
NOMES_2005 = {
    "3515004": "Embu",                       # Embu das Artes since 2011
    "3303807": "Parati",                     # Paraty in the source
    "1720499": "São Valério da Natividade",  # São Valério in the source
    "2513653": "Santarém",                   # Joca Claudino in the source
    "2516409": "Campo de Santana",           # Tacima in the source
}

# Names that do not fit the 30 characters of the declaration's municipality-name fields.
ABREVIACOES = {
    "SAO FRANCISCO DE ASSIS DO PIAUI": "S FRANCISCO DE ASSIS DO PIAUI",
    "VILA BELA DA SANTISSIMA TRINDADE": "V BELA DA SANTISSIMA TRINDADE",
}

LARGURA_NOME_MUNICIPIO = 30

# CEP block of Rondônia before the current 76800-76999 one; still accepted for the state.
FAIXA_ANTIGA_RO = ("11", "78900", "78999")

# CBO families (4 digits) whose occupations the law of 2005 reserved to holders of a
# higher-education degree (InCriticaCbo), and occupations of those families that it did not.
FAMILIAS_NIVEL_SUPERIOR = {
    "2112",  # estatísticos
    "2132",  # químicos
    "2134",  # geólogos e afins
    "2140", "2141", "2142", "2143", "2144", "2145", "2146", "2147", "2148", "2149",  # engenheiros, arquitetos
    "2211", "2212",  # biólogos, biomédicos
    "2221", "2222",  # engenheiros agrônomos, de alimentos
    "2231", "2232", "2233", "2234", "2235", "2236", "2237", "2238",  # saúde
    "2251", "2252", "2253",  # médicos
    "2410", "2412", "2422", "2423", "2424",  # advocacia, ministério público, delegados, defensoria
    "2512", "2515", "2516", "2521", "2522",  # economistas, psicólogos, assistentes sociais, administradores, contadores
}
OCUPACOES_SEM_DIPLOMA = {"251550", "223615"}  # psicanalista, ortoptista

# CBO groups whose occupations need reading and writing (InCriticaAna): the first four
# major groups, except artists, athletes and ministers of religion.
SEM_CRITICA_ANALFABETO = ("262", "263", "37")

# Legal natures known only from the declaration's microdata dictionary that the law
# creating them places after 2005.
NATUREZAS_POSTERIORES = {
    "2291": "Consórcio Simples (Lei Complementar 123/2006)",
    "4090": "Candidato a Cargo Político Eletivo (Lei 11.300/2006)",
}

# Division titles where the gathered labels are not the CNAE 1.0 ones.
DIVISOES_CNAE = {
    "23": "FABRICAÇÃO DE COQUE, REFINO DE PETRÓLEO, ELABORAÇÃO DE COMBUSTÍVEIS NUCLEARES E PRODUÇÃO DE ÁLCOOL",
    "40": "ELETRICIDADE, GÁS E ÁGUA QUENTE",
    "50": "COMÉRCIO E REPARAÇÃO DE VEÍCULOS AUTOMOTORES E MOTOCICLETAS E COMÉRCIO A VAREJO DE COMBUSTÍVEIS",
    "51": "COMÉRCIO POR ATACADO E REPRESENTANTES COMERCIAIS E AGENTES DO COMÉRCIO",
    "52": "COMÉRCIO VAREJISTA E REPARAÇÃO DE OBJETOS PESSOAIS E DOMÉSTICOS",
    "72": "ATIVIDADES DE INFORMÁTICA E SERVIÇOS RELACIONADOS",
    "90": "LIMPEZA URBANA E ESGOTO E ATIVIDADES CONEXAS",
    "93": "SERVIÇOS PESSOAIS",
}

TABELAS_PEQUENAS = ["TB8NACIO", "TB8INSTR", "TB8TPADM", "TB8RACA", "TB8VINC", "TB8DESL",
                    "TB8TPSAL", "TB8AFAST", "TB8BASE"]

LARGURAS = {
    "TB8MUNIC": {"CoMunicipio": 7, "NoMunicipio": 40, "CoCep": 5, "InFaixa": 1},
    "TBUF": {"CoUf": 2, "SgUf": 2, "NoUf": 19},
    "TBUFCEP": {"CoUf": 2, "IdUf": 1, "CoCepInicial": 5, "CoCepFinal": 5},
    "TB8FXCEP": {"CoMunicipio": 7, "CoCep1Inicial": 5, "CoCep1Final": 5, "CoCep2Inicial": 5, "CoCep2Final": 5},
    "TB8CBO": {"CoCbo": 6, "NoCbo": 200, "InCriticaAna": 1, "InCriticaCbo": 1},
    "TB8CNAE": {"CoCnae": 5, "NoCnae": 200},
    "TB8NATJU": {"CoNaturezaJuridica": 4, "NoNaturezaJuridica": 100},
    "TB8NACIO": {"CoNacionalidade": 2, "NoNacionalidade": 30},
    "TB8INSTR": {"CoInstrucao": 1, "NoInstrucao": 150},
    "TB8TPADM": {"CoTipoAdmissao": 1, "NoTipoAdmissao": 190},
    "TB8RACA": {"CoRaca": 1, "NoRaca": 30},
    "TB8VINC": {"CoVinculo": 2, "NoVinculo": 150},
    "TB8DESL": {"CoCausaDesligamento": 2, "NoCausaDesligamento": 190},
    "TB8TPSAL": {"CoTipoSalarioContratual": 1, "NoTipoSalarioContratual": 10},
    "TB8AFAST": {"CoAfastamento": 2, "NoAfastamento": 50},
    "TB8BASE": {"MeDataBase": 2, "NoMes": 10},
    "CARTELA": {"Relatorio": 1},
}


def le(nome):
    with open(REFDATA / nome, encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


def grava(tabela, linhas):
    campos = list(LARGURAS[tabela])
    for n, linha in enumerate(linhas, 2):
        for campo, valor in zip(campos, linha):
            if len(valor) > LARGURAS[tabela][campo]:
                sys.exit(f"{tabela}.csv:{n}: {campo} maior que {LARGURAS[tabela][campo]}: {valor!r}")
            valor.encode("cp1252")
    chaves = [l[0] for l in linhas]
    if tabela not in ("TBUFCEP", "CARTELA") and len(set(chaves)) != len(chaves):
        sys.exit(f"{tabela}: chave repetida")
    with open(DESTINO / f"{tabela}.csv", "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(campos)
        w.writerows(linhas)


def nome_declaracao(nome):
    """Upper-case ASCII without apostrophes: what the declaration's text fields accept."""
    sem_acento = "".join(c for c in unicodedata.normalize("NFKD", nome) if not unicodedata.combining(c))
    texto = " ".join(sem_acento.replace("'", " ").upper().split())
    texto = ABREVIACOES.get(texto, texto)
    if len(texto) > LARGURA_NOME_MUNICIPIO or any(not (c.isascii() and (c.isalpha() or c in " -")) for c in texto):
        sys.exit(f"nome de município impróprio: {texto!r}")
    return texto


def faixas_municipios():
    """5-digit CEP ranges per municipality, adjacent or overlapping ranges merged."""
    faixas = defaultdict(list)
    for r in le("cep_municipio.csv"):
        codigo = POSTERIORES_2005.get(r["codigo_ibge"], r["codigo_ibge"])
        faixas[codigo].append((int(r["cep_inicio"][:5]), int(r["cep_fim"][:5])))
    unidas = {}
    for codigo, lista in faixas.items():
        m = []
        for ini, fim in sorted(lista):
            if m and ini <= m[-1][1] + 1:
                m[-1][1] = max(m[-1][1], fim)
            else:
                m.append([ini, fim])
        if len(m) > 2:
            sys.exit(f"município {codigo} com mais de duas faixas de CEP: {m}")
        unidas[codigo] = m
    return unidas


def municipios(ufs):
    faixas = faixas_municipios()
    munic, fxcep = [], []
    for uf in ufs:
        munic.append([uf["codigo_uf"], nome_declaracao(uf["nome"]), "", "0"])
    for r in le("municipios.csv"):
        codigo = r["codigo_ibge"]
        if codigo in POSTERIORES_2005:
            continue
        f = faixas[codigo]
        cinco = [f"{x:05d}" for par in f for x in par]
        if len(f) == 1 and f[0][0] == f[0][1]:
            munic.append([codigo, nome_declaracao(NOMES_2005.get(codigo, r["nome"])), cinco[0], "0"])
        else:
            munic.append([codigo, nome_declaracao(NOMES_2005.get(codigo, r["nome"])), cinco[0], "1"])
            fxcep.append([codigo] + cinco + [""] * (4 - len(cinco)))
    munic.sort(key=lambda l: l[0])
    fxcep.sort(key=lambda l: l[0])
    grava("TB8MUNIC", munic)
    grava("TB8FXCEP", fxcep)


def estados(ufs):
    grava("TBUF", sorted([u["codigo_uf"], u["uf"], u["nome"]] for u in ufs))
    faixas = [(r["codigo_uf"], r["cep5_inicio"], r["cep5_fim"]) for r in le("cep_uf.csv")]
    faixas.append(FAIXA_ANTIGA_RO)
    linhas, n = [], defaultdict(int)
    for uf, ini, fim in sorted(faixas):
        n[uf] += 1
        linhas.append([uf, str(n[uf]), ini, fim])
    grava("TBUFCEP", linhas)


def titulo_cbo(titulo):
    """The older list lost some tildes ("automaçao") and has doubled blanks."""
    return " ".join(re.sub(r"çao\b", "ção", titulo).split())


def cbo():
    linhas = []
    niveis = {"subgrupo_principal": 2, "subgrupo": 3, "familia": 4}
    grupos = {}
    ocupacoes = []
    for r in le("cbo2002.csv"):
        if r["nivel"] in niveis:
            assert len(r["codigo"]) == niveis[r["nivel"]], r
            grupos[r["codigo"]] = r["titulo"] or ("Médicos" if r["codigo"] == "2231" else "")
        elif r["nivel"] == "ocupacao" and r["na_lista_antiga_2424"] == "1":
            ocupacoes.append(r)
    usados = {o["codigo"][:n] for o in ocupacoes for n in (2, 3, 4)}
    for codigo in sorted(usados):
        if not grupos.get(codigo):
            sys.exit(f"grupo da CBO sem título: {codigo}")
        linhas.append([codigo, grupos[codigo], "0", "0"])
    for o in ocupacoes:
        c = o["codigo"]
        superior = c[:4] in FAMILIAS_NIVEL_SUPERIOR and c not in OCUPACOES_SEM_DIPLOMA
        alfabetizado = c[0] in "1234" and not c.startswith(SEM_CRITICA_ANALFABETO)
        linhas.append([c, titulo_cbo(o["titulo"]), "1" if alfabetizado else "0", "1" if superior else "0"])
    linhas.sort(key=lambda l: l[0])
    grava("TB8CBO", linhas)


def cnae():
    linhas = [[d["divisao"], DIVISOES_CNAE.get(d["divisao"], d["titulo"])] for d in le("cnae10_divisoes.csv")]
    linhas += [[c["classe"], c["titulo_classe"]] for c in le("cnae10.csv")]
    linhas.sort(key=lambda l: l[0])
    grava("TB8CNAE", linhas)


def naturezas():
    linhas = []
    for r in le("natureza_juridica.csv"):
        if r["indicio_valido_2005"] == "sim":
            aceita = True
        elif r["indicio_valido_2005"] == "incerto":
            aceita = r["no_dicionario_microdados"] == "1" and r["codigo"] not in NATUREZAS_POSTERIORES
        else:
            aceita = False
        if aceita:
            linhas.append([r["codigo"], r["nome"]])
    grava("TB8NATJU", sorted(linhas))


def pequenas():
    for tabela in TABELAS_PEQUENAS:
        linhas = le(f"{tabela.lower()}.csv")
        campos = list(LARGURAS[tabela])
        grava(tabela, [[l[c] for c in campos] for l in linhas])
    grava("CARTELA", [["1"]])


def main():
    DESTINO.mkdir(parents=True, exist_ok=True)
    ufs = le("ufs.csv")
    municipios(ufs)
    estados(ufs)
    cbo()
    cnae()
    naturezas()
    pequenas()


if __name__ == "__main__":
    main()
