#!/bin/sh
# The exports as X11's own readers take them: Xlib (XStringToKeysym through XKEYSYMDB)
# finds every name an XKeysymDB export carries, and the C compiler accepts a header export
# and gives each macro its value. The exports are made by the Windows program under Wine;
# the readers are Linux's. Skipped (77) where there is no C compiler or libX11.
set -eu
corpus=$1
source=$2
command -v cc >/dev/null 2>&1 && [ -f /usr/include/X11/Xlib.h ] || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine "$corpus" x11corpus.db x11corpus-db.txt x11corpus.h x11corpus-h.txt
for f in x11corpus.db x11corpus-db.txt x11corpus.h x11corpus-h.txt; do mv "$f" "$work/"; done

cc -o "$work/lookup" "$source/xkeysymdb_lookup.c" -lX11
XKEYSYMDB="$work/x11corpus.db" "$work/lookup" "$work/x11corpus-db.txt"

{
  echo '#include "x11corpus.h"'
  awk -F '\t' '{ printf "_Static_assert(XK_%s == 0x%s, \"%s\");\n", $1, $2, $1 }' "$work/x11corpus-h.txt"
} > "$work/check.c"
cc -fsyntax-only -Wall -Werror "$work/x11corpus.h"
cc -fsyntax-only -Wall -Werror -I "$work" "$work/check.c"
echo "$(wc -l < "$work/x11corpus-h.txt") header macros checked"
