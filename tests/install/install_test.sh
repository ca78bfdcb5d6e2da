#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop expects to find
# there: the programs, the place list, the desktop entry, the icons and the AppStream
# metainfo (validated), and that the installed programs find their place list and the
# fixture server its demo tree.
# Usage: install_test.sh BUILD
set -euo pipefail
build=${1:?usage: install_test.sh BUILD}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
for file in bin/skelvane bin/skelvane-almanac lib/skelvane/skelvane-http share/skelvane/sitename.dat \
  bin/skelvane-fixture-server share/skelvane/demo/pub/data/observations/metar/decoded/KNYC.TXT \
  share/applications/skelvane.desktop share/metainfo/org.example.skelvane.metainfo.xml \
  share/icons/hicolor/scalable/apps/skelvane.svg share/icons/hicolor/64x64/apps/skelvane.png \
  lib/skelvane/plugins/libskelvane_media_player.so; do
  if [[ ! -s "$prefix/$file" ]]; then
    echo "missing: $file"
    status=1
  fi
done
[[ -x "$prefix/bin/skelvane" ]] || { echo "bin/skelvane is not executable"; status=1; }
# The browser plugin, where the installed program looks for it (../lib/skelvane/plugins).
if [[ -f "$build/bin/plugins/libskelvane_browser.so" &&
      ! -s "$prefix/lib/skelvane/plugins/libskelvane_browser.so" ]]; then
  echo "missing: lib/skelvane/plugins/libskelvane_browser.so"
  status=1
fi
desktop-file-validate "$prefix/share/applications/skelvane.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.skelvane.metainfo.xml" \
  >/dev/null || status=1
# The program itself never links Qt Multimedia: only its movie player plugin does.
# ldd's output is read whole first: with pipefail, grep -q leaving early would fail the pipe.
program_libraries=$(ldd "$prefix/bin/skelvane")
plugin_libraries=$(ldd "$prefix/lib/skelvane/plugins/libskelvane_media_player.so")
if grep -q Multimedia <<<"$program_libraries"; then
  echo "bin/skelvane links Qt Multimedia; only the movie player plugin may"
  status=1
fi
if ! grep -q "libQt6Multimedia\.so" <<<"$plugin_libraries"; then
  echo "the installed movie player plugin does not link Qt Multimedia"
  status=1
fi
# Every library the program and its download helper link comes from a package the Debian
# package depends on, or from one of those packages' own dependencies (the C and C++
# runtimes are always there). A sanitizer build is never packaged and is not checked.
depends=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_DEPENDS "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
if command -v dpkg-query >/dev/null && [[ -n "$depends" ]] &&
  ! grep -q libasan <<<"$program_libraries"; then
  listed=" "
  for package in $(tr ',' '\n' <<<"$depends" | awk '{print $1}'); do
    listed+="$package "
    listed+=$(dpkg-query -W -f='${Depends}' "$package" 2>/dev/null | tr ',|' '\n\n' |
      awk '{printf "%s ", $1}')
  done
  for binary in bin/skelvane lib/skelvane/skelvane-http; do
    needed=" $(objdump -p "$prefix/$binary" | awk '/NEEDED/ {printf "%s ", $2}')"
    while read -r library path; do
      [[ "$needed" == *" $library "* ]] || continue
      # Debian 12 keeps libraries both under /lib and /usr/lib; dpkg knows one of them.
      package=$(dpkg -S "$path" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null ||
        dpkg -S "/usr$path" 2>/dev/null || true)
      package=${package%%:*}
      case "$package" in
        "" | libc6 | libgcc-s1 | libstdc++6) continue ;;
      esac
      if [[ "$listed" != *" $package "* ]]; then
        echo "$binary links $library from $package, which the package does not depend on"
        status=1
      fi
    done < <(ldd "$prefix/$binary" | awk '$2 == "=>" && $3 ~ /^\// {print $1, $3}')
  done
fi
# Run from elsewhere: the place list is found beside the installed program, not here.
if ! (cd / && "$prefix/bin/skelvane-almanac" place --zip 10001 | grep '"KNYC"' >/dev/null); then
  echo "the installed skelvane-almanac does not find its place list"
  status=1
fi
# The installed fixture server serves the installed demo tree, whatever the current folder.
out=$(mktemp) err=$(mktemp)
(cd / && exec "$prefix/bin/skelvane-fixture-server" --port 0 >"$out" 2>"$err") &
server=$!
for _ in $(seq 50); do
  [[ -s $out ]] && break
  sleep 0.1
done
port=$(head -n 1 "$out")
port=${port##*:}
if ! grep -q "serving $prefix/share/skelvane/demo$" "$err"; then
  echo "the installed skelvane-fixture-server does not serve the installed demo tree"
  cat "$err"
  status=1
elif ! exec 3<>"/dev/tcp/127.0.0.1/$port"; then
  echo "the installed skelvane-fixture-server does not listen where it says"
  status=1
else
  printf 'GET /pub/data/observations/metar/decoded/KNYC.TXT HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
  if ! grep -q '^New York City' <&3; then
    echo "the installed skelvane-fixture-server does not serve the demo report"
    status=1
  fi
  exec 3>&-
fi
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null || true
rm -f "$out" "$err"
exit $status
