#!/usr/bin/env bash
# Times the import of declaration files written by the writer (the structure
# analysis and then every establishment copied into the declaration tables, as
# `gdzovi-lote importar` runs them) against the floor of the analysis benchmark
# (gdzovi-piso-analise: the same rows inserted with one prepared statement per
# table), with wall time, processor time (user + system) and peak resident memory,
# and prints a Markdown table.
#
#   bench/importacao.sh BUILD_DIR [--manter] [--so-200k] [--1m]
#
#   --manter   keep the data folders and the files
#   --so-200k  only the 200,000-employee declaration
#   --1m       add the 990,000-employee declaration (memory; one file holds 999,999 records)
#   VEZES=n    (environment) floor and import alternate n times; 3 by default
#
# Each import starts from empty declaration tables: BD8EMP and BD8VINC are put back
# as shipped before each run, outside the time measured.
set -euo pipefail

if [[ $# -lt 1 || ! -d "$1/bin" ]]; then
    echo "uso: $0 BUILD_DIR [--manter] [--so-200k] [--1m]" >&2
    exit 2
fi
BIN=$(cd "$1/bin" && pwd)
shift
MANTER=0
SO200K=0
UM_MILHAO=0
for a in "$@"; do
    case "$a" in
        --manter) MANTER=1 ;;
        --so-200k) SO200K=1 ;;
        --1m) UM_MILHAO=1 ;;
        *) echo "opção desconhecida: $a" >&2; exit 2 ;;
    esac
done

for p in gdzovi-gera gdzovi-piso-analise gdzovi-lote; do
    [[ -x "$BIN/$p" ]] || { echo "falta $BIN/$p: construa os alvos gdzovi-gera gdzovi-piso-analise gdzovi-lote" >&2; exit 2; }
done
[[ -d "$BIN/dados" ]] || { echo "falta a pasta de dados $BIN/dados (alvo dados)" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time (pacote time)" >&2; exit 2; }
USO=$("$BIN/gdzovi-lote" --help 2>&1 || true)
[[ $USO == *" importar "* ]] || { echo "gdzovi-lote não tem o comando importar" >&2; exit 2; }

TRABALHO=$(mktemp -d "${TMPDIR:-/tmp}/gdzovi-bench-importacao-XXXXXX")
limpa() { [[ $MANTER == 1 ]] || rm -rf "$TRABALHO"; }
trap limpa EXIT

# Runs a command under /usr/bin/time -v; prints "wall_s cpu_s peak_MB" (cpu = user + system).
mede_uma() {
    local log=$1
    shift
    local rc=0
    /usr/bin/time -v "$@" >"$log" 2>&1 || rc=$?
    if [[ $rc -ne 0 ]]; then
        echo "falhou ($rc): $*" >&2
        tail -8 "$log" >&2
        exit 1
    fi
    awk -F': ' '/Elapsed \(wall clock\)/ {
                    n = split($2, t, ":"); s = 0
                    for (i = 1; i <= n; i++) s = s * 60 + t[i]
                    tempo = s }
                /User time \(seconds\)|System time \(seconds\)/ { cpu += $2 }
                /Maximum resident set size/ { mb = $2 / 1024 }
                END { printf "%.2f %.2f %.0f", tempo, cpu, mb }' "$log"
}

# The declaration tables of the import's folder as shipped: empty.
esvazia() {
    local pasta=$1
    cp "$BIN/dados/BD8EMP.DB" "$BIN/dados/BD8VINC.DB" "$pasta"/
}

VEZES=${VEZES:-3}
cenario() {
    local nome=$1 estab=$2 empregados=$3
    local gerada="$TRABALHO/$nome-gerada" pasta="$TRABALHO/$nome" unidade="$TRABALHO/$nome-a"
    mkdir -p "$gerada" "$pasta" "$unidade"
    cp "$BIN"/dados/* "$gerada"/
    cp "$BIN"/dados/* "$pasta"/
    "$BIN/gdzovi-gera" "$gerada" "$estab" "$empregados" >"$gerada.gera.log" 2>&1
    GDZOVI_UNIDADE_A="$unidade" "$BIN/gdzovi-lote" gravar "$gerada" --unidade A --data 15012006 --sim </dev/null >"$gerada.grava.log" 2>&1 || {
        echo "a gravação falhou" >&2; tail -5 "$gerada.grava.log" >&2; exit 1; }
    rm -rf "$gerada"
    local arquivo
    arquivo=$(find "$unidade" -maxdepth 1 -type f -iname 'zovi2005*' | head -1)
    local i linhas=()
    for i in $(seq "$VEZES"); do
        linhas+=("p $(mede_uma "$pasta.piso.log.$i" "$BIN/gdzovi-piso-analise" "$arquivo" "$pasta")")
        esvazia "$pasta"
        linhas+=("r $(mede_uma "$pasta.importa.log.$i" "$BIN/gdzovi-lote" importar "$arquivo" "$pasta")")
    done
    local r tp cp mp ti ci mi
    r=$(printf '%s\n' "${linhas[@]}" | awk '{ k = $1; if (!(k in p) || $2 < p[k]) p[k] = $2; if (!(k in c) || $3 < c[k]) c[k] = $3
                  if ($4 > m[k]) m[k] = $4 }
                END { printf "%.2f %.2f %d %.2f %.2f %d", p["p"], c["p"], m["p"], p["r"], c["r"], m["r"] }')
    read -r tp cp mp ti ci mi <<<"$r"
    local razao
    razao=$(awk -v a="$ti" -v p="$tp" -v ca="$ci" -v cp="$cp" \
        'BEGIN { printf "%.2f / %.2f", (p > 0 ? a / p : 0), (cp > 0 ? ca / cp : 0) }')
    local importados
    importados=$(grep -m1 '^Estabelecimentos importados' "$pasta.importa.log.1" | sed 's/.*Empregados importados: \([0-9]*\).*/\1/')
    printf "| %s | %d x %d | %s / %s s / %s MB | %s / %s s / %s MB | %s | %s |\n" \
        "$nome" "$estab" "$empregados" "$tp" "$cp" "$mp" "$ti" "$ci" "$mi" "$razao" "$importados"
    [[ $MANTER == 1 ]] || rm -rf "$pasta" "$unidade"
}

echo "Máquina: $(nproc) núcleos, $(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)," \
     "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); carga $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "Tempos: parede / CPU (usuário + sistema), o melhor de $VEZES execuções alternadas com o piso; pico de memória residente."
echo
echo "| declaração | estab. x empregados | piso da análise | análise + importação | importação ÷ piso (parede / CPU) | empregados importados |"
echo "|---|---|---|---|---|---|"
cenario 200k 20 10000
if [[ $SO200K == 0 ]]; then
    cenario 50k 5 10000
fi
# Under the 999,999 records one file holds: 990,000 employees in 100 establishments.
[[ $UM_MILHAO == 1 ]] && cenario 990k 100 9900
[[ $MANTER == 1 ]] && echo && echo "pastas mantidas em $TRABALHO"
exit 0
