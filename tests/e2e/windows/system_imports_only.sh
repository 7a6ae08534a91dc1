#!/usr/bin/env bash
# Passes when a Windows executable imports only DLLs that every Windows installation has: no
# C++ runtime, no libgcc, no winpthread beside it.
# Usage: system_imports_only.sh <program.exe>
set -euo pipefail
program=${1:?program.exe}

system_dlls='^(advapi32|comctl32|gdi32|kernel32|msimg32|msvcrt|ole32|shell32|user32|winmm)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}')
[ -n "$imports" ] || { echo "FAIL: no imports read from $program"; exit 1; }
foreign=$(grep -vE "$system_dlls" <<<"$imports" || true)
if [ -n "$foreign" ]; then
  echo "FAIL: $program imports $(tr '\n' ' ' <<<"$foreign")"
  exit 1
fi
echo "PASS: $(basename "$program") imports $(tr '\n' ' ' <<<"$imports")"
