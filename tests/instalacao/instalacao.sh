#!/bin/sh
# The installed program, as a user gets it from the package: installed into a temporary
# prefix, started with HOME at an empty folder, then "upgraded" over a typed declaration.
# usage: instalacao.sh BUILD_DIR CMAKE GDZOVI_GERA
set -eu
construcao=$1 cmake=$2 gera=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
falha() { echo "FALHOU: $*" >&2; exit 1; }

"$cmake" --install "$construcao" --prefix "$tmp/usr" >/dev/null
lote=$tmp/usr/bin/gdzovi-lote
distribuida=$tmp/usr/share/gdzovi2005/dados
for programa in gdzovi gdzovi-lote gdzovi-protocolo; do
  "$tmp/usr/bin/$programa" --version | grep -q "^$programa 2005.2" || falha "$programa --version"
  "$tmp/usr/bin/$programa" --help | grep -q "uso" || falha "$programa --help"
done
# Without a command: the usage and the exit code of a usage error, not a crash.
rc=0
"$lote" >/dev/null 2>"$tmp/sem-comando" || rc=$?
[ "$rc" = 64 ] && grep -q "uso" "$tmp/sem-comando" || falha "gdzovi-lote sem comando (saída $rc)"
[ -f "$tmp/usr/share/gdzovi2005/ajuda/topicos.txt" ] || falha "páginas de ajuda não instaladas"
ls "$tmp"/usr/share/man/man1/gdzovi.1 "$tmp"/usr/share/applications/*.desktop "$tmp"/usr/share/metainfo/*.xml \
   "$tmp"/usr/share/icons/hicolor/scalable/apps/*.svg >/dev/null || falha "arquivos do menu ou manuais ausentes"

# First start: the per-user folder is filled with the shipped tables.
export HOME="$tmp/casa"
unset XDG_DATA_HOME GDZOVI_DADOS
usuario=$HOME/.local/share/gdzovi2005
"$lote" check-data >/dev/null || falha "check-data na primeira execução"
for tabela in "$distribuida"/*.DB; do
  cmp -s "$tabela" "$usuario/$(basename "$tabela")" || falha "$(basename "$tabela") não copiada na primeira execução"
done

# A declaration is typed; then a newer package ships another catalogue.
"$gera" "$usuario" 2 5 >/dev/null
(cd "$usuario" && sha256sum BD8EMP.DB BD8VINC.DB BD8RESP.DB) >"$tmp/declaracao.sha256"
cmp -s "$distribuida/BD8EMP.DB" "$usuario/BD8EMP.DB" && falha "a declaração gerada não mudou BD8EMP"
cp "$distribuida/TB8RACA.DB" "$tmp/TB8MSG-novo.DB"
cp "$tmp/TB8MSG-novo.DB" "$usuario/TB8MSG.DB"
"$lote" check-data >/dev/null || falha "check-data depois da atualização"
cmp -s "$distribuida/TB8MSG.DB" "$usuario/TB8MSG.DB" || falha "catálogo não substituído pelo do pacote"
(cd "$usuario" && sha256sum -c --quiet "$tmp/declaracao.sha256") || falha "tabelas da declaração alteradas"

# GDZOVI_DADOS names another folder and the user's folder is left alone.
mkdir "$tmp/outra" && cp "$distribuida"/*.DB "$tmp/outra/"
rm "$usuario/TB8CBO.DB"
GDZOVI_DADOS="$tmp/outra" "$lote" check-data | grep -q "$tmp/outra" || falha "GDZOVI_DADOS não usada"
[ ! -e "$usuario/TB8CBO.DB" ] || falha "a pasta do usuário foi tocada com GDZOVI_DADOS"
echo "instalação conferida"
