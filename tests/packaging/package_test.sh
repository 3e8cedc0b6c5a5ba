#!/usr/bin/env bash
# The Debian package as `make package` builds it: its contents, the unpacked program running a
# checked-in feed, the desktop entry and metadata accepted by the desktop's own checkers, lintian
# without errors, and the example service starting the installed program.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || fail "$tool is missing: run scripts/setup.sh"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/kavendor_*.deb) || fail "cpack made no kavendor_*.deb"

dpkg-deb -c "$deb" | awk '{print substr($0, index($0, "./") + 1)}' >"$work/contents"
for path in /usr/bin/kavendor /usr/bin/kavendor-feed "/usr/share/kavendor/Kavendor User Manual.pdf" \
  /usr/share/applications/org.kavendor.Kavendor.desktop /usr/share/metainfo/org.kavendor.Kavendor.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/org.kavendor.Kavendor.png \
  /usr/share/icons/hicolor/256x256/apps/org.kavendor.Kavendor.png \
  /usr/share/icons/hicolor/scalable/apps/org.kavendor.Kavendor.svg \
  /usr/share/kavendor/examples/kavendor-autostart.desktop /usr/share/kavendor/examples/kavendor.service \
  /usr/share/kavendor/examples/kavendor-relay.service \
  /usr/share/doc/kavendor/copyright /usr/share/doc/kavendor/changelog.gz; do
  grep -qxF "$path" "$work/contents" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6dbus6 libc6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/kavendor
expected="Kavendor $(dpkg-deb -f "$deb" Version)"
[[ $("$program" --version) == "$expected" ]] || fail "--version does not say $expected"
"$program" --replay "$source/tests/data/feeds/race6.feed" --dump "$work/dump" || fail "the replay failed"
diff -r --strip-trailing-cr "$source/tests/data/dump/race6" "$work/dump" || fail "the dump differs from tests/data/dump/race6"

desktop-file-validate "$work/root/usr/share/applications/org.kavendor.Kavendor.desktop" \
  "$work/root/usr/share/kavendor/examples/kavendor-autostart.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kavendor.Kavendor.metainfo.xml" ||
  fail "appstreamcli validate"
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian found errors"; }

examples=$work/root/usr/share/kavendor/examples
grep -qx 'ExecStart=/usr/bin/kavendor --fullscreen 1' "$examples/kavendor.service" ||
  fail "the service does not start /usr/bin/kavendor"
grep -q '^ExecStart=/usr/bin/kavendor --headless ' "$examples/kavendor-relay.service" ||
  fail "the relay service does not start /usr/bin/kavendor --headless"
# systemd checks the units with the unpacked program in the place the services name.
if command -v systemd-analyze >/dev/null; then
  for unit in kavendor.service kavendor-relay.service; do
    sed "s|ExecStart=/usr/bin/kavendor|ExecStart=$program|" "$examples/$unit" >"$work/$unit"
    systemd-analyze verify "$work/$unit" >"$work/verify.log" 2>&1 ||
      { cat "$work/verify.log" >&2; fail "systemd-analyze verify $unit"; }
  done
else
  echo "systemd-analyze is not installed: the service file is not verified"
fi
echo "package ok: $(basename "$deb")"
