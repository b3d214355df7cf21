# The Debian package as Debian's checker sees it: built from this build folder by CPack into a
# folder of its own, then checked by lintian, which must report no error and no warning.
# Informational tags are shown, not counted. Without lintian the test is skipped (status 77).
#   lintian.sh <build dir>
set -euo pipefail
build=$1
if ! command -v lintian >/dev/null; then
  echo "SKIPPED: lintian is not installed (Debian: apt-get install lintian; ./vum test installs it)"
  exit 77
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; echo "FAIL: cpack could not build the package" >&2; exit 1; }
deb=$(ls "$out"/*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
# lintian says it should not run as root; that line is not about the package.
status=0
lintian --fail-on error,warning --display-info "$deb" 2> >(grep -v 'running with root privileges' >&2) || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: lintian reports errors or warnings (status $status)" >&2; exit 1; }
echo "lintian: no error, no warning"
