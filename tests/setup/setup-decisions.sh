#!/usr/bin/env bash
# The set-up's decisions on a bad mirror day, against a stand-in apt-get and dpkg first on PATH (the real apt is
# never called, no network is needed). Each case scripts what apt answers and checks what scripts/setup asked of
# apt, what it printed and its exit code.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL [$case]: $*"; failures=$((failures + 1)); }

# --- the stand-ins: every call is logged as one line "tool args..."; STANDIN_CASE says how apt answers ---
mkdir -p "$tmp/bin"
cat >"$tmp/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN_STATE/calls"
args=" $* "
sources=$(printf '%s\n' "$@" | sed -n 's/^Dir::Etc::Source\(List\|Parts\)=//p')
[[ $args == *" -s "* ]] && exit 0
if [[ $args == *" update "* ]]; then
  for suite in $STANDIN_BROKEN; do
    uri=http://deb.debian.org/debian; [ "$suite" = bookworm-security ] && uri=$uri-security
    echo "Err:6 $uri $suite/main i386 Packages"
    echo "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]"
  done
  [ -z "$STANDIN_BROKEN" ] && exit 0
  echo "E: Failed to fetch $uri/dists/$suite/main/binary-i386/Packages.xz  File has unexpected size"
  exit 100
fi
if [[ $args == *" install "* ]]; then
  # The sources this install reads: the private ones when given, else the machine's.
  [ -n "$sources" ] || sources="$SETUP_ROOT/etc/apt/sources.list $SETUP_ROOT/etc/apt/sources.list.d"
  cat $(find $sources -type f 2>/dev/null) >"$STANDIN_STATE/sources-seen"
  if [ "$STANDIN_CASE" = every-index-fails ]; then echo "E: Unable to locate package wine32:i386"; exit 100; fi
  if grep -q bookworm-security "$STANDIN_STATE/sources-seen" && [ -n "$STANDIN_BROKEN" ]; then
    echo "E: libgstreamer-plugins-base1.0-0:i386 : Breaks: libgstreamer-plugins-base1.0-0 (!= 1.22.0-3+deb12u6)"
    exit 100
  fi
  if [ "$STANDIN_CASE" = no-wine32 ] && [[ $args == *" wine32:i386 "* ]]; then
    echo "E: Unable to correct problems, you have held broken packages."; exit 100
  fi
  exit 0
fi
exit 0
EOF
cat >"$tmp/bin/dpkg" <<'EOF'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STANDIN_STATE/calls"
case "$1" in
  --print-architecture) echo amd64 ;;
  --compare-versions) exit 1 ;;
esac
exit 0
EOF
cat >"$tmp/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
[ "$STANDIN_CASE" = warm ] && printf 'install ok installed'
exit 0
EOF
cat >"$tmp/bin/locale" <<'EOF'
#!/usr/bin/env bash
echo C; [ -f "$STANDIN_STATE/locale-made" ] && echo tr_TR.utf8
exit 0
EOF
cat >"$tmp/bin/locale-gen" <<'EOF'
#!/usr/bin/env bash
echo "locale-gen" >>"$STANDIN_STATE/calls"
grep -q '^tr_TR.UTF-8 UTF-8' "$SETUP_ROOT/etc/locale.gen" && touch "$STANDIN_STATE/locale-made"
EOF
printf '#!/bin/sh\nexit 0\n' >"$tmp/bin/apt-cache"
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
chmod +x "$tmp/bin"/*

# The machine's sources, as Debian 12 writes them (deb822), plus a one-line list of a local mirror.
make_root() {
  local root=$1
  mkdir -p "$root/etc/apt/sources.list.d"
  cat >"$root/etc/apt/sources.list.d/debian.sources" <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  cat >"$root/etc/apt/sources.list" <<'EOF'
deb [arch=amd64,i386] http://deb.debian.org/debian-security/ bookworm-security main
deb http://deb.debian.org/debian bookworm main
EOF
  printf '# en_US.UTF-8 UTF-8\n# tr_TR.UTF-8 UTF-8\n' >"$root/etc/locale.gen"
}

run_case() { # case broken-suites
  case=$1
  export STANDIN_CASE=$1 STANDIN_BROKEN=$2 STANDIN_STATE=$tmp/$1 SETUP_ROOT=$tmp/$1/root SETUP_RETRY_PAUSE=0
  mkdir -p "$STANDIN_STATE"; : >"$STANDIN_STATE/calls"
  [ "$1" = warm ] && touch "$STANDIN_STATE/locale-made"
  make_root "$SETUP_ROOT"
  before=$(cd "$SETUP_ROOT/etc/apt" && find . -type f -exec md5sum {} +)
  output=$(PATH="$tmp/bin:$PATH" "$top/scripts/setup" 2>&1); status=$?
  calls=$(cat "$STANDIN_STATE/calls")
  installs=$(grep -E '^apt-get .* install ' <<<"$calls" | grep -v -- ' -s ')
  [ "$before" = "$(cd "$SETUP_ROOT/etc/apt" && find . -type f -exec md5sum {} +)" ] || fail "the machine's sources changed"
  ! grep -q -E '^apt-get .* (remove|purge|autoremove)( |$)' <<<"$calls" || fail "apt was asked to remove: $calls"
  while read -r line; do
    [ -z "$line" ] || [[ $line == *" --no-remove "* ]] || fail "an install without --no-remove: $line"
  done <<<"$installs"
}
expect() { # what status, output pattern...
  local want=$1; shift
  [ "$status" = "$want" ] || fail "exit code $status, expected $want; output: $output"
  local pattern
  for pattern in "$@"; do grep -q -E -- "$pattern" <<<"$output" || fail "no line matching '$pattern' in: $output"; done
}
locale_made() {
  grep -q '^locale-gen' <<<"$calls" && grep -q '^tr_TR.UTF-8 UTF-8$' "$SETUP_ROOT/etc/locale.gen" ||
    fail "the locale was not generated"
}

run_case warm ""
expect 0
[ -z "$calls" ] || fail "a machine that has everything called: $calls"

run_case all-well ""
expect 0
[ "$(grep -c '^apt-get .* update$' <<<"$calls")" = 1 ] || fail "expected one update: $calls"
[ "$(wc -l <<<"$installs")" = 1 ] && ! grep -q Dir::Etc <<<"$installs" || fail "expected one plain install: $installs"
grep -q ' wine32:i386' <<<"$installs" && grep -q ' locales' <<<"$installs" || fail "packages missing: $installs"
grep -q 'dpkg --add-architecture i386' <<<"$calls" || fail "i386 was not added"
! grep -q 'left out' <<<"$output" || fail "a suite was left out on a good day"
locale_made

run_case one-i386-index-fails bookworm-security
expect 0 '^setup: left out bookworm-security \(http://deb.debian.org/debian-security\): .*does not apply that suite.s updates'
[ "$(grep -c '^apt-get .* update$' <<<"$calls")" = 3 ] || fail "expected three tries of update: $calls"
[ "$(wc -l <<<"$installs")" = 1 ] || fail "expected one install: $installs"
grep -q -- '-o Dir::Etc::SourceList=[^ ]*/sources.list -o Dir::Etc::SourceParts=[^ ]*/sources.list.d ' <<<"$installs" ||
  fail "the install was not given the private source list: $installs"
seen=$(cat "$STANDIN_STATE/sources-seen")
! grep -q bookworm-security <<<"$seen" || fail "the private list still holds the broken suite: $seen"
[ "$(grep -c -E '^Suites: bookworm bookworm-updates$|^deb http://deb.debian.org/debian bookworm main$' <<<"$seen")" = 2 ] &&
  grep -q '^Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg$' <<<"$seen" ||
  fail "the private list lost the good suites: $seen"
[ "$(grep -c '^setup: left out' <<<"$output")" = 1 ] || fail "expected one line for the one suite: $output"
locale_made

run_case no-wine32 ""
expect 0 '^setup: wine32 .*cannot be installed.*every Wine run uses the 64-bit build'
[ "$(wc -l <<<"$installs")" = 2 ] || fail "expected two installs: $installs"
second=$(sed -n 2p <<<"$installs")
! grep -q wine32 <<<"$second" && grep -q ' wine64 ' <<<"$second" && grep -q ' xvfb ' <<<"$second" ||
  fail "the second install is not everything but wine32: $second"
locale_made

run_case every-index-fails "bookworm bookworm-updates bookworm-security"
expect 1 "^setup: no suite's indexes downloaded" '^setup: the install failed'
! grep -q Dir::Etc <<<"$installs" || fail "with every suite gone the machine's own indexes must be used: $installs"

[ "$failures" = 0 ] && echo "setup decisions: 5 cases passed"
exit $((failures > 0))
