#!/usr/bin/env bash
# Times the whole-declaration verification against its floor (BD8VINC opened
# without mutexes, as the engine opens its tables, and read in key order through
# the SQLite C interface, every column of every row fetched) on generated
# declarations, with wall time, processor time (user + system) and peak resident
# memory of each, and prints a Markdown table, then whether the 200,000-employee
# verification keeps within LIMITE times its floor in processor time.
#
#   bench/verificacao.sh BUILD_DIR [--1m] [--manter]
#
#   --1m      also the 1,000,000-employee declaration (100 x 10,000; several minutes)
#   --manter  keep the generated data folders (their paths are printed)
#   --so-200k only the 200,000-employee declaration (and the 1,000,000 one with --1m)
#   VEZES=n   (environment) floor and verification alternate n times; 3 by default
#   LIMITE=x  (environment) the target ratio at 200,000 employees; 1.5 by default
#
# Each declaration is generated into a fresh copy of BUILD_DIR/bin/dados in a
# temporary folder, so the build's own data folder is never touched.
set -euo pipefail

if [[ $# -lt 1 || ! -d "$1/bin" ]]; then
    echo "uso: $0 BUILD_DIR [--1m] [--manter] [--so-200k]" >&2
    exit 2
fi
BIN=$(cd "$1/bin" && pwd)
shift
UM_MILHAO=0
MANTER=0
SO200K=0
for a in "$@"; do
    case "$a" in
        --1m) UM_MILHAO=1 ;;
        --manter) MANTER=1 ;;
        --so-200k) SO200K=1 ;;
        *) echo "opção desconhecida: $a" >&2; exit 2 ;;
    esac
done

for p in gdzovi-gera gdzovi-piso gdzovi-lote; do
    [[ -x "$BIN/$p" ]] || { echo "falta $BIN/$p: construa os alvos gdzovi-gera gdzovi-piso gdzovi-lote" >&2; exit 2; }
done
[[ -d "$BIN/dados" ]] || { echo "falta a pasta de dados $BIN/dados (alvo dados)" >&2; exit 2; }
[[ -x /usr/bin/time ]] || { echo "falta /usr/bin/time (pacote time)" >&2; exit 2; }

# The verification as the verification wizard runs it: the program's own tables, base year 2005.
uso=$("$BIN/gdzovi-lote" --help 2>&1 || true)
if [[ $uso != *verificar* ]]; then
    echo "este gdzovi-lote não tem o comando verificar" >&2
    exit 2
fi

TRABALHO=$(mktemp -d "${TMPDIR:-/tmp}/gdzovi-bench-XXXXXX")
limpa() { [[ $MANTER == 1 ]] || rm -rf "$TRABALHO"; }
trap limpa EXIT

# Runs a command under /usr/bin/time -v; prints "wall_s cpu_s peak_MB" (cpu = user + system)
# and keeps its log. The verification exits 1 or 2 when it finds errors or warnings: that is a
# result, not a failure.
mede_uma() {
    local log=$1
    shift
    local rc=0
    /usr/bin/time -v "$@" >"$log" 2>&1 || rc=$?
    if [[ $rc -gt 2 ]]; then
        echo "falhou ($rc): $*" >&2
        tail -5 "$log" >&2
        exit 1
    fi
    awk -F': ' '/Elapsed \(wall clock\)/ {
                    n = split($2, t, ":"); s = 0
                    for (i = 1; i <= n; i++) s = s * 60 + t[i]
                    parede = s }
                /User time \(seconds\)|System time \(seconds\)/ { cpu += $2 }
                /Maximum resident set size/ { mb = $2 / 1024 }
                END { printf "%.2f %.2f %.0f", parede, cpu, mb }' "$log"
}

# Floor and run alternate three times (floor, run, floor, run...), so that the load of the
# shared machine weighs on both alike; each keeps its best (least wall time, least CPU time,
# largest peak). Prints "floor_wall floor_cpu floor_mb run_wall run_cpu run_mb".
VEZES=${VEZES:-3}
alterna() {
    local logPiso=$1 logRun=$2
    shift 2
    local piso=() run=() i
    while [[ $1 != -- ]]; do piso+=("$1"); shift; done
    shift
    run=("$@")
    for i in $(seq "$VEZES"); do
        echo "p $(mede_uma "$logPiso.$i" "${piso[@]}")"
        echo "r $(mede_uma "$logRun.$i" "${run[@]}")"
    done | awk '{ k = $1; if (!(k in p) || $2 < p[k]) p[k] = $2; if (!(k in c) || $3 < c[k]) c[k] = $3
                  if ($4 > m[k]) m[k] = $4 }
                END { printf "%.2f %.2f %d %.2f %.2f %d", p["p"], c["p"], m["p"], p["r"], c["r"], m["r"] }'
}

# The row count the verification prints at its end.
linhas_te8errwa() { grep -o 'Linhas em TE8ERRWA: [0-9]*' "$1.1" | tail -1 | grep -o '[0-9]*$' || echo "?"; }

cenario() {
    local nome=$1 estab=$2 empregados=$3
    shift 3
    local pasta="$TRABALHO/$nome"
    mkdir -p "$pasta"
    cp "$BIN"/dados/* "$pasta"/
    local r tg cg mg tp cp mp tv cv mv
    r=$(mede_uma "$pasta.gera.log" "$BIN/gdzovi-gera" "$pasta" "$estab" "$empregados" "$@")
    read -r tg cg mg <<<"$r"
    r=$(alterna "$pasta.piso.log" "$pasta.verifica.log" "$BIN/gdzovi-piso" "$pasta" -- \
        "$BIN/gdzovi-lote" verificar "$pasta" --ano 2005)
    read -r tp cp mp tv cv mv <<<"$r"
    local razao
    razao=$(awk -v tv="$tv" -v tp="$tp" -v cv="$cv" -v cp="$cp" \
        'BEGIN { printf "%.2f / %.2f", (tp > 0 ? tv / tp : 0), (cp > 0 ? cv / cp : 0) }')
    [[ $nome == 200k ]] && echo "$cv $cp" >"$TRABALHO/razao-200k"
    printf "| %s | %d x %d | %s s / %s MB | %s / %s s / %s MB | %s / %s s / %s MB | %s | %s |\n" \
        "$nome" "$estab" "$empregados" "$tg" "$mg" "$tp" "$cp" "$mp" "$tv" "$cv" "$mv" "$razao" \
        "$(linhas_te8errwa "$pasta.verifica.log")"
    [[ $MANTER == 1 ]] || rm -rf "$pasta"
}

echo "Máquina: $(nproc) núcleos, $(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)," \
     "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "Verificação: gdzovi-lote verificar DADOS --ano 2005"
echo
echo "Tempos: parede / CPU (usuário + sistema), o melhor de $VEZES execuções alternadas com o piso; pico de memória residente."
echo
echo "| declaração | estab. x empregados | geração | piso | verificação | verificação ÷ piso (parede / CPU) | linhas te8errwa |"
echo "|---|---|---|---|---|---|---|"
cenario 200k 20 10000
[[ $SO200K == 1 ]] || cenario 50k 5 10000
if [[ $UM_MILHAO == 1 ]]; then cenario 1m 100 10000; fi
if [[ $SO200K == 0 ]]; then
    cenario 100k-1-estab 1 100000
    cenario 100k-100-estab 100 1000
    cenario 100k-1-inscricao 100 1000 --um-estabelecimento
fi
[[ $MANTER == 1 ]] && echo && echo "pastas mantidas em $TRABALHO"

LIMITE=${LIMITE:-1.5}
read -r cv cp <"$TRABALHO/razao-200k"
echo
awk -v cv="$cv" -v cp="$cp" -v limite="$LIMITE" 'BEGIN {
    razao = cp > 0 ? cv / cp : 0
    printf "Alvo: verificação de 200.000 empregados até %.2f vezes o piso (CPU): %.2f, %s\n", limite, razao,
           razao <= limite ? "atingido" : "NÃO atingido" }'
exit 0
