#!/usr/bin/env bash
# Renders the templates of the resource libraries to PNG files, one per language and template:
#   tests/locale/screenshots.sh BUILD_DIR [LANGUAGE...]     (default: eng fra jpn)
# BUILD_DIR is an x86_64 build with the tests (it holds bin/template_viewer.exe). The files go
# to screenshots/<lang>-<template>.png in the source tree. Each language is rendered as a system
# of that language shows it (Wine's own texts too): Japanese with LANG=ja_JP.UTF-8, whose ANSI
# code page is 932.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
shift
languages=("${@:-eng fra jpn}")
[ $# -eq 0 ] && languages=(eng fra jpn)
out="$top/screenshots"
mkdir -p "$out"

# Wine takes its language and code page from the C library's locale; make the locales the
# system lacks in a folder of our own.
locales="$build/locales"
declare -A system_locale=([plain]=en_US [eng]=en_US [fra]=fr_FR [esp]=es_ES [deu]=de_DE [ita]=it_IT
                          [jpn]=ja_JP [prt]=pt_PT)
use_locale() {  # language
  local name="${system_locale[$1]:-en_US}.UTF-8"
  unset LOCPATH
  if ! locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}"; then
    [ -d "$locales/$name" ] || { mkdir -p "$locales"; localedef -i "${name%.UTF-8}" -f UTF-8 "$locales/$name" >/dev/null 2>&1 || true; }
    [ -d "$locales/$name" ] && export LOCPATH="$locales"
  fi
  { export LANG=$name LC_ALL=$name; } 2>/dev/null
}

. "$top/scripts/wine-session"
trap ks_wine_stop EXIT
initial_display=${DISPLAY:-}

shoot() {  # language template
  local lang=$1 id=$2 library="tavrel.$1.nls" result
  [ "$lang" = plain ] && library=tavrel.nls
  result=$(mktemp)
  (cd "$build/bin" && wine ./template_viewer.exe "$library" "$id" 2000 >"$result" 2>&1) &
  local viewer=$! i
  for i in $(seq 1 100); do
    grep -q '^ready' "$result" && break
    sleep 0.1
  done
  read -r _ x y w h < <(grep '^ready' "$result" || echo "ready 0 0 640 480")
  sleep 0.3
  import -window root -display "$DISPLAY" -crop "${w}x${h}+${x}+${y}" +repage "$out/$lang-$id.png"
  wait "$viewer" || true
  rm -f "$result"
}

for lang in "${languages[@]}"; do
  # Each language gets its own Wine session, so that the code page is the language's.
  use_locale "$lang"
  ks_wine_start "$build"
  for id in 106 108 107 130 131; do
    shoot "$lang" "$id"
    echo "$out/$lang-$id.png"
  done
  ks_wine_stop
  # A virtual display of our own is gone now; the next session makes a new one.
  if [ -n "$initial_display" ]; then export DISPLAY=$initial_display; else unset DISPLAY; fi
done
