#!/usr/bin/env bash
# Checks what a built tree installs, in one of two ways:
#   check-install.sh install BUILD  `cmake --install` into a scratch prefix: every
#                                   expected file is there, the desktop entry
#                                   and the AppStream file validate, the sweep
#                                   tool runs on the examples
#   check-install.sh deb BUILD      `cpack -G DEB`: lists the package's contents
#                                   and checks the same files and its dependencies
# Prints what is missing and exits non-zero when anything is.
set -euo pipefail
mode="$1"
build="$(cd "$2" && pwd)"
id=org.vardenlyke.Zovuderiz
expected=(bin/zovuderiz bin/zovuderiz-sweep bin/zovuderiz-design bin/zovuderiz-review bin/zovuderiz-setting
          "share/applications/$id.desktop"
          "share/icons/hicolor/scalable/apps/$id.svg" "share/icons/hicolor/64x64/apps/$id.png"
          "share/metainfo/$id.metainfo.xml"
          share/man/man1/zovuderiz.1 share/man/man1/zovuderiz-sweep.1 share/man/man1/zovuderiz-design.1
          share/man/man1/zovuderiz-review.1 share/man/man1/zovuderiz-setting.1
          share/zovuderiz/examples/ste_data.dat share/zovuderiz/examples/sample-engines.json)
missing=0

if [ "$mode" = install ]; then
  prefix="$(mktemp -d)"
  trap 'rm -rf "$prefix"' EXIT
  cmake --install "$build" --prefix "$prefix" >/dev/null
  (cd "$prefix" && find . -type f | sort)
  for f in "${expected[@]}"; do
    [ -f "$prefix/$f" ] || { echo "missing from the install: $f"; missing=1; }
  done
  desktop-file-validate "$prefix/share/applications/$id.desktop" || missing=1
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || missing=1
  "$prefix/bin/zovuderiz-sweep" --data "$prefix/share/zovuderiz/examples/ste_data.dat" \
    --results "$prefix/results.txt" "Goods 0-6-0 slide valve" 20 >/dev/null || missing=1
elif [ "$mode" = deb ]; then
  rm -rf "$build/package"
  (cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
  deb="$(ls "$build"/package/zovuderiz_*.deb)"
  contents="$(dpkg-deb -c "$deb")"
  echo "$contents"
  for f in "${expected[@]}"; do
    grep -q " \./usr/$f\( \|$\)" <<<"$contents" || { echo "missing from $deb: /usr/$f"; missing=1; }
  done
  depends="$(dpkg-deb -f "$deb" Depends)"
  echo "Depends: $depends"
  grep -q libqt6widgets6 <<<"$depends" || { echo "the package does not depend on Qt Widgets"; missing=1; }
else
  echo "usage: check-install.sh install|deb BUILD" >&2
  exit 2
fi
exit "$missing"
