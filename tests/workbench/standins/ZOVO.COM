#!/bin/sh
# Test stand-in for the base edition's outside assembler.
# Called as: ZOVO.COM T.ASM with the response file on stdin (first line: T).
# Markers in the source: SILENT, SLOW and ERROR (on line n), as for VARE.EXE.
crlf() { printf '%s\r\n' "$1"; }
IFS= read -r t || t=""
t=$(printf '%s' "$t" | tr -d '\r')
src="$t.ASM"
[ -f "$src" ] || src="$1"
[ -f "$src" ] || { crlf "no source"; exit 2; }

if grep -aq SILENT "$src"; then exit 0; fi
if grep -aq SLOW "$src"; then sleep "${STANDIN_SLOW_SECONDS:-6}"; fi

crlf "ZOVO stand-in assembler ................................................."
crlf "Source file name [.ASM]: $t"
line=$(grep -an ERROR "$src" | head -n 1 | cut -d: -f1)
if [ -n "$line" ]; then
  printf '%4d Error in Pass 1: stand-in error\r\n\r\n' "$line"
  exit 1
fi
{ crlf "(stand-in listing)"; crlf "listing of $src"; } > "$t.LST"
printf '\001\000\000\002\000\061\062\063\064' > "$t.COD"
printf 'Assembly finished, No errors found\r\n\r\n'
exit 0
