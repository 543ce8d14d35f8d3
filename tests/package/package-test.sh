#!/usr/bin/env bash
# Packs a build into its .deb, checks the package with dpkg-deb,
# desktop-file-validate, appstreamcli and lintian (errors fail, warnings are
# printed), then unpacks it into a temporary root and runs the command-line
# tool from there, as a new user of an installed copy.
# Usage: package-test.sh CPACK BUILD_DIR VERSION PACKAGE_VERSION
set -euo pipefail

cpack=$1
build=$2
version=$3
package_version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package-test: $*"
  exit 1
}

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(echo "$work"/out/utmarbelle_"$package_version"_*.deb)
[ -f "$deb" ] || fail "no utmarbelle_${package_version}_*.deb made"
echo "package-test: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "package-test: Depends: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for file in /usr/bin/utmarbelle /usr/bin/marbelle \
            /usr/share/utmarbelle/sample/MannequinSkinsSample.mrb /usr/share/utmarbelle/sample/Mannequin.u \
            /usr/share/utmarbelle/sample/Mannequin.int /usr/share/utmarbelle/sample/CustomModels/Mannequin.mrbe \
            /usr/share/utmarbelle/help/index.html /usr/share/utmarbelle/help/images/main-window.png \
            /usr/share/applications/utmarbelle.desktop \
            /usr/share/metainfo/io.github.utmarbelle.utmarbelle.metainfo.xml \
            /usr/share/mime/packages/utmarbelle.xml \
            /usr/share/icons/hicolor/scalable/apps/utmarbelle.svg \
            /usr/share/icons/hicolor/48x48/apps/utmarbelle.png \
            /usr/share/icons/hicolor/128x128/apps/utmarbelle.png \
            /usr/share/icons/hicolor/256x256/apps/utmarbelle.png \
            /usr/share/man/man1/marbelle.1.gz /usr/share/man/man1/utmarbelle.1.gz \
            /usr/share/doc/utmarbelle/copyright /usr/share/doc/utmarbelle/changelog.gz; do
  grep -qxF "$file" "$work/contents" || fail "the package lacks $file"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/utmarbelle.desktop" || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.utmarbelle.utmarbelle.metainfo.xml" ||
  fail "appstreamcli validate failed"
for type in application/x-utmarbelle-project text/x-utmarbelle-model application/x-utmarbelle-model-data; do
  grep -qF "type=\"$type\"" "$root/usr/share/mime/packages/utmarbelle.xml" || fail "the MIME types lack $type"
done

command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps)"
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
! grep -q '^E:' "$work/lintian" || fail "lintian reports errors"

[ "$("$root/usr/bin/marbelle" --version)" = "marbelle $version" ] || fail "marbelle --version says otherwise"
[ "$("$root/usr/bin/utmarbelle" --version)" = "utmarbelle $version" ] || fail "utmarbelle --version says otherwise"
mkdir "$work/home"
models=$(env -u UTMARBELLE_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$work/home" "$root/usr/bin/marbelle" models)
echo "$models"
grep -q Mannequin <<<"$models" || fail "the installed copy lists no sample model"
[ -f "$work/home/.local/share/utmarbelle/MannequinSkinsSample.mrb" ] || fail "the sample project was not copied into the user's folder"
echo "package-test: passed"
