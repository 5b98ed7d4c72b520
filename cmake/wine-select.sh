# Sourced: wine_select EXE picks Wine's loader and, unless one is set, the project's prefix for the program's
# word size; a 64-bit program runs under Wine's 64-bit loader in a prefix of its own.
wine_select() {
  local root pe magic
  root=$(cd "$(dirname "${BASH_SOURCE[0]:-$0}")/.." && pwd)
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  magic=$(od -An -tx2 -j$((${pe:-0} + 24)) -N2 "$1" 2>/dev/null | tr -d ' ')
  if [ "$magic" = 020b ]; then
    : "${WINEPREFIX:=$root/build/wineprefix64}"
    export WINELOADER=/usr/lib/wine/wine64
    WINE_LOADER=/usr/lib/wine/wine64
  else
    : "${WINEPREFIX:=$root/build/wineprefix}"
    WINE_LOADER=wine
  fi
  export WINEPREFIX
}
