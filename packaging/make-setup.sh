#!/usr/bin/env bash
# Builds a setup program from packaging/varnel.nsi around a staged folder (varnel.exe, varnelc.exe, BENIOKU.txt, LICENSE.txt).
# Usage: packaging/make-setup.sh VERSION STAGE OUTFILE [NSIS-TARGET]
# The shipped setup program is NSIS's default 32-bit one; the round trip on a machine that runs no 32-bit code
# builds the same script for 64-bit Windows (amd64-unicode) around the 64-bit build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$1 stage=$(cd "$2" && pwd) outfile=$3 target=${4:-}
makensis -V2 -INPUTCHARSET UTF8 ${target:+-DTARGET=$target} -DVERSION="$version" -DSTAGE="$stage" \
  -DICON="$root/res/art/varnel.ico" -DOUTFILE="$outfile" "$root/packaging/varnel.nsi"
